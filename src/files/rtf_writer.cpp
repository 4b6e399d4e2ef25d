#include "files/rtf_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "breakdown/set_lists.h"
#include "files/clipboard_copy.h"
#include "files/export_elements.h"
#include "files/rtf_page.h"
#include "script/layout/cue_extension.h"
#include "script/layout/element_parentheses.h"
#include "script/model/script_document.h"
#include "script/model/script_model.h"
#include "script/model/script_record.h"

namespace qm {

namespace {

// Styles 1 to 6 are the ones the paste looks for to trust the style
// sheet; the rest name the other types so they come back as well.
constexpr std::array<std::string_view, 12> kStyleNames{"SCENE HEADING", "ACTION",   "CHARACTER NAME", "PARENTHETICAL",
                                                       "TRANSITION",    "DIALOG",   "SHOT",           "TITLE",
                                                       "SCRIPT NOTE",   "ACT INFO", "SCENE INFO",     "PROLOGUE"};

int StyleOf(Byte kind) {
  switch (kind) {
    case ekSceneHeading:
    case ekASceneHeading:
    case ekDashASceneHeading: return 1;
    case ekCharacterName: return 3;
    case ekParenthetical: return 4;
    case ekTransition: return 5;
    case ekDialogue: return 6;
    case ekShot: return 7;
    case ekCenteredTitle: return 8;
    case ekScriptNote: return 9;
    case ekActInformation:
    case ekActStart:
    case ekEndOfActText: return 10;
    case ekSceneInformation:
    case ekLockedSceneInformation: return 11;
    case ekPrologueText: return 12;
    default: return 2;
  }
}

void AppendHeader(std::string& out) {
  out += "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\r\n{\\stylesheet{\\f0\\fs24 Normal;}";
  for (std::size_t i = 0; i < kStyleNames.size(); ++i) {
    out += "{\\s" + std::to_string(i + 1) + "\\sbasedon0 ";
    out += kStyleNames[i];
    out += ";}";
  }
  out += "}\r\n";
  out += RtfPageControls;
  out += "\\widowctrl\\deftab720\r\n";
}

// Margins are tenths of an inch from the paper's edge; the page margin is
// half an inch.
std::string Indent(int margin) { return std::to_string(margin >= 5 ? (margin - 5) * 144 : 0); }

void AppendParagraph(std::string& out, TScriptDocument& script, TScriptElement& e, bool first) {
  const Byte kind = e.Kind();
  const bool flushRight = kind == ekTransition && script.TransitionsFlushRight;
  out += "\\pard\\plain\\s" + std::to_string(StyleOf(kind));
  if (!first && e.format.LinesBefore > 0) out += "\\sb" + std::to_string(e.format.LinesBefore * 24);
  out += "\\li" + Indent(flushRight ? script.FormatSet[fsAction].LeftMargin : e.format.LeftMargin);
  out += "\\ri" + Indent(e.format.RightMargin);
  if (kind < 32 && ((CenteredKinds(script) >> kind) & 1)) out += "\\qc";
  else if (flushRight) out += "\\qr";
  out += "\\f0\\fs24 ";
  const bool parentheses = ShownInParentheses(script, kind);
  if (parentheses) out += '(';
  out += RtfText(script, ElementText(e) + CharacterExtensionText(script, e), ExportsInCapitals(e));
  if (parentheses) out += ')';
  out += RtfText(script, ExportNumberText(script, e), ExportsInCapitals(e));
  out += "\\par\r\n";
}

}  // namespace

std::string ScriptAsRtf(TScriptDocument& script) {
  std::string out;
  AppendHeader(out);
  bool first = true;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsExportedElement(script, *e)) continue;
    AppendParagraph(out, script, *e, first);
    first = false;
  }
  out += "}\r\n";
  return out;
}

std::string SetListAsRtf(const TRichText& text) {
  std::vector<std::string> fonts;
  for (const TRichTextRun& run : text.Runs)
    if (std::find(fonts.begin(), fonts.end(), run.FontName) == fonts.end()) fonts.push_back(run.FontName);
  if (fonts.empty()) fonts.push_back("Times New Roman");
  std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl";
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    out += "{\\f" + std::to_string(i) + "\\fnil ";
    for (char ch : fonts[i]) AppendRtfChar(out, static_cast<Byte>(ch));
    out += ";}";
  }
  out += "}\r\n";
  bool paragraphStart = true;
  for (const TRichTextRun& run : text.Runs) {
    const std::size_t font =
        static_cast<std::size_t>(std::find(fonts.begin(), fonts.end(), run.FontName) - fonts.begin());
    const std::string_view piece =
        std::string_view(text.Text).substr(std::min(run.Start, text.Text.size()), run.Length);
    std::string group = "{\\f" + std::to_string(font) + "\\fs" + std::to_string(run.FontSize * 2);
    if (run.Style & 1) group += "\\b";
    if (run.Style & 2) group += "\\i";
    if (run.Style & 4) group += "\\ul";
    group += ' ';
    bool opened = false;
    for (char ch : piece) {
      if (ch == '\r') continue;
      if (paragraphStart) {
        if (opened) out += '}';
        out += run.Alignment == 2 ? "\\pard\\qc " : "\\pard\\ql ";
        opened = false;
        paragraphStart = false;
      }
      if (!opened) {
        out += group;
        opened = true;
      }
      if (ch == '\n') {
        out += "}\\par\r\n";
        opened = false;
        paragraphStart = true;
      } else if (ch == '\t') {
        out += "\\tab ";
      } else {
        AppendRtfChar(out, static_cast<Byte>(ch));
      }
    }
    if (opened) out += '}';
  }
  out += "}\r\n";
  return out;
}

}  // namespace qm
