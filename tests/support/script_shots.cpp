#include "support/script_shots.h"

#include <algorithm>
#include <sstream>

#include "formats/revision_levels.h"
#include "script/model/packed_text.h"

namespace qm::testing {

namespace {

// Code bytes shown as \xNN, so that a lock code or a tag shows.
std::string Visible(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F) {
      out += c;
      continue;
    }
    const char* const hex = "0123456789ABCDEF";
    out += std::string("\\x") + hex[b >> 4] + hex[b & 15];
  }
  return out;
}

std::string Describe(const ElementShot& e) {
  std::ostringstream out;
  out << "kind " << int(e.kind) << " \"" << Visible(e.text) << "\" state " << int(e.state) << " margins "
      << int(e.format.LeftMargin) << "/" << int(e.format.RightMargin) << " number " << e.format.NumberWord << " style "
      << int(e.format.Style) << " before " << int(e.format.LinesBefore) << " split " << int(e.split) << " lines "
      << int(e.lineCount) << (e.revised.empty() ? "" : " revised");
  if (e.storyboardLink != 0) out << " link " << e.storyboardLink;
  return out.str();
}

std::string HeaderDifferences(const ScriptShot& a, const ScriptShot& b) {
  std::string said;
  for (const THeaderField& field : ScriptHeaderFields()) {
    if (field.Group == hgIdentity || field.Size == 0) continue;
    if (!std::equal(a.header.begin() + static_cast<long>(field.Offset),
                    a.header.begin() + static_cast<long>(field.Offset + field.Size),
                    b.header.begin() + static_cast<long>(field.Offset)))
      said += " setting " + field.Name + ";";
  }
  if (EncodeListOverflow(a.spill) != EncodeListOverflow(b.spill)) said += " the lists beyond the header;";
  if (a.associations != b.associations) said += " the associations;";
  if (a.storyboardFrames != b.storyboardFrames) said += " the storyboard frames;";
  if (a.lockingLevel != b.lockingLevel)
    said += " the lock level of revision marks (" + std::to_string(a.lockingLevel) + " became " +
            std::to_string(b.lockingLevel) + ");";
  return said;
}

}  // namespace

ScriptShot Shoot(TMDIChild& w) {
  ScriptShot shot;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) {
    // An empty element is kept as a blank, being edited or not.
    std::string text = LiveElementText(w, *e);
    if (text.empty()) text = " ";
    shot.elements.push_back({e->Kind(), text, e->format, e->state, e->revisedLines.value_or(""), e->storyboardLink,
                             e->split, e->lineCount});
  }
  shot.header.assign(ScriptHeaderSize, 0);
  EncodeScriptHeader(w, w.FontNameTable, THeaderInfo{}, shot.header, &shot.spill);
  shot.associations = w.Associations;
  for (int i = 0; i < w.StoryboardLinks.Count(); ++i) shot.storyboardFrames.push_back(w.StoryboardLinks[i]);
  shot.lockingLevel = LockingLevel(w);
  return shot;
}

std::string Differences(const ScriptShot& a, const ScriptShot& b) {
  std::string said = HeaderDifferences(a, b);
  if (a.elements.size() != b.elements.size()) {
    said += " " + std::to_string(a.elements.size()) + " elements became " + std::to_string(b.elements.size()) + ";";
    const std::size_t n = std::min(a.elements.size(), b.elements.size());
    for (std::size_t i = 0; i < n; ++i)
      if (a.elements[i].kind != b.elements[i].kind || a.elements[i].text != b.elements[i].text) {
        said += " first at element " + std::to_string(i) + " (" + Describe(a.elements[i]) + " became " +
                Describe(b.elements[i]) + ");";
        break;
      }
    return said;
  }
  int listed = 0;
  for (std::size_t i = 0; i < a.elements.size(); ++i)
    if (!(a.elements[i] == b.elements[i]) && ++listed <= 6)
      said += " element " + std::to_string(i) + " (" + Describe(a.elements[i]) + " became " + Describe(b.elements[i]) +
              ");";
  return said;
}

}  // namespace qm::testing
