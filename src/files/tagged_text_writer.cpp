#include "files/tagged_text_writer.h"

#include <string_view>

#include "files/clipboard_copy.h"
#include "files/export_elements.h"
#include "platform/cp1252.h"
#include "script/model/script_model.h"
#include "script/model/script_document.h"

namespace qm {

namespace {

// The style line of a type; the parts of a speech share one.
std::string_view StyleLineOf(Byte kind) {
  switch (kind) {
    case ekSceneHeading:
    case ekASceneHeading:
    case ekDashASceneHeading: return "[Scene Heading]";
    case ekShot: return "[Shot]";
    case ekCharacterName:
    case ekDialogue:
    case ekParenthetical: return "[Dialogue]";
    case ekTransition: return "[Transition]";
    case ekCenteredTitle: return "[Centered Title]";
    case ekScriptNote: return "[Script Note]";
    case ekActInformation:
    case ekActStart: return "[Act Information]";
    case ekSceneInformation:
    case ekLockedSceneInformation: return "[Scene Information]";
    case ekPrologueText: return "[Prologue]";
    case ekEndOfActText: return "[End of Act]";
    default: return "[Action]";
  }
}

std::string_view LetterOf(Byte kind) {
  switch (kind) {
    case ekCharacterName: return "<C>";
    case ekDialogue: return "<D>";
    case ekParenthetical: return "<P>";
    default: return "<A>";
  }
}

// One line per paragraph: the script's line ends inside an element become
// blanks.
std::string OneLine(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
  }
  return out;
}

// The reader knows the off-screen and voice-over extensions by their own
// line before the cue; any other goes with the name.
bool HasExtensionLine(std::string entry) {
  std::erase(entry, '.');
  entry = AnsiUpperCase(entry);
  return entry == "OS" || entry == "VO";
}

void AppendExtension(std::string& out, const std::string& entry) {
  if (entry.empty()) return;
  if (HasExtensionLine(entry)) out += "<E>(" + entry + ")\r\n";
}

}  // namespace

std::string ScriptAsTaggedText(const TScriptDocument& script) {
  std::string out;
  std::string_view style;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsExportedElement(script, *e)) continue;
    const Byte kind = e->Kind();
    const std::string_view styleLine = StyleLineOf(kind);
    if (styleLine != style) {
      out.append(styleLine).append("\r\n");
      style = styleLine;
    }
    if (kind == ekCharacterName) AppendExtension(out, CueExtensionEntryText(script, *e));
    out.append(LetterOf(kind));
    std::string text = ElementText(*e);
    if (kind == ekCharacterName) {
      const std::string entry = CueExtensionEntryText(script, *e);
      if (!entry.empty() && !HasExtensionLine(entry)) text += " (" + entry + ")";
    }
    text += ExportNumberText(script, *e);
    std::string paragraph = OneLine(OutsideText(script, text, ExportsInCapitals(*e)));
    // The reader takes a line ending in ">" for a bare tag and drops it.
    if (paragraph.empty() || paragraph.back() == '>') paragraph += ' ';
    out += paragraph;
    out += "\r\n";
  }
  return out;
}

}  // namespace qm
