#include "support/script_shot.h"

#include <algorithm>
#include <sstream>

#include "script/model/packed_text.h"

namespace qm::testing {

ScriptShot ShootScript(const TMDIChild& w) {
  ScriptShot shot;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next)
    shot.elements.push_back(
        {e->Kind(), LiveElementText(w, *e), e->format, e->state, e->split, e->lineCount, e->revisedLines.value_or("")});
  shot.header.assign(ScriptHeaderSize, 0);
  EncodeScriptHeader(w, w.FontNameTable, THeaderInfo{}, shot.header, &shot.spill);
  return shot;
}

namespace {

std::string Describe(const ElementShot& e) {
  std::ostringstream out;
  out << "kind " << int(e.kind) << " \"" << e.text << "\" state " << int(e.state) << " split " << int(e.split)
      << " lines " << int(e.lineCount) << " margins " << int(e.format.LeftMargin) << "/" << int(e.format.RightMargin)
      << " number " << e.format.NumberWord << " style " << int(e.format.Style) << (e.revised.empty() ? "" : " revised");
  return out.str();
}

}  // namespace

std::string ShotDifferences(const ScriptShot& a, const ScriptShot& b) {
  std::string said;
  for (const THeaderField& field : ScriptHeaderFields()) {
    if (field.Group == hgIdentity || field.Size == 0 || field.Name == "TaggingMode") continue;
    if (!std::equal(a.header.begin() + static_cast<long>(field.Offset),
                    a.header.begin() + static_cast<long>(field.Offset + field.Size),
                    b.header.begin() + static_cast<long>(field.Offset)))
      said += " setting " + field.Name + ";";
  }
  if (EncodeListOverflow(a.spill) != EncodeListOverflow(b.spill)) said += " the lists beyond the header;";
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
