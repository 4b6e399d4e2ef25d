#include "support/script_text_writer.h"

#include <algorithm>

#include "script/model/script_model.h"
#include "script/model/standard_formats.h"

namespace qm::testing {

namespace {

int IndentOf(Byte kind) {
  const TFormatSet formats = StandardFormatSet();
  const int slot = FormatSlotOfKind(kind);
  if (slot < 0) return 0;
  return std::max(0, formats[static_cast<std::size_t>(slot)].LeftMargin - formats[fsAction].LeftMargin);
}

std::string Shown(const ElementSpec& e) { return e.kind == ekParenthetical ? "(" + e.text + ")" : e.text; }

int StyleOf(Byte kind) {
  switch (kind) {
    case ekSceneHeading: return 1;
    case ekCharacterName: return 3;
    case ekParenthetical: return 4;
    case ekTransition: return 5;
    case ekDialogue: return 6;
    default: return 2;
  }
}

}  // namespace

std::string ScriptAsPlainText(const std::vector<ElementSpec>& elements) {
  std::string text;
  for (const ElementSpec& e : elements) {
    if (!text.empty()) text += "\r\n\r\n";
    text += std::string(static_cast<std::size_t>(IndentOf(e.kind)), ' ') + Shown(e);
  }
  return text + "\r\n";
}

std::string ScriptAsStyledRtf(const std::vector<ElementSpec>& elements) {
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\r\n"
                    "{\\stylesheet{\\f0\\fs24 Normal;}{\\s1\\sbasedon0 SCENE HEADING;}{\\s2\\sbasedon0 ACTION;}"
                    "{\\s3\\sbasedon0 CHARACTER NAME;}{\\s4\\sbasedon0 PARENTHETICAL;}{\\s5\\sbasedon0 TRANSITION;}"
                    "{\\s6\\sbasedon0 DIALOG;}}\r\n";
  for (const ElementSpec& e : elements) {
    rtf += "\\pard\\plain \\s" + std::to_string(StyleOf(e.kind)) + "\\li" + std::to_string(IndentOf(e.kind) * 144) +
           "\\f0\\fs24 " + Shown(e) + "\\par\r\n";
  }
  return rtf + "}";
}

}  // namespace qm::testing
