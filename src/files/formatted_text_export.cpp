#include "files/formatted_text_export.h"

#include <algorithm>

#include "files/clipboard_copy.h"
#include "files/export_elements.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/cue_extension.h"
#include "script/layout/screen_lines.h"
#include "script/layout/word_wrap.h"
#include "script/model/number_texts.h"
#include "script/model/script_model.h"
#include "script/model/script_record.h"
#include "script/script_window.h"

namespace qm {

namespace {

// Tenths of an inch: the paper's width and the printer's unprintable edge.
constexpr int kPaperWidth = 85;
constexpr int kPageEdge = 5;

int LeftColumn(const TElementFormat& format) { return std::max(0, format.LeftMargin - kPageEdge); }
int RightColumn(const TElementFormat& format) { return std::max(0, kPaperWidth - kPageEdge - format.RightMargin); }

class TFormattedWriter {
 public:
  explicit TFormattedWriter(TMDIChild& script) : w_(script), wrap_(script) {}

  std::string Run() {
    for (TScriptElement* e = w_.FirstElement; e; e = e->next) {
      if (IsPageBreakKind(e->Kind())) PageBreak(*e);
      else if (!w_.IsUnprintedElement(e)) Element(*e);  // as printed: hidden notes too stay out
    }
    return std::move(out_);
  }

 private:
  enum class TAlign { Left, Centre, Right };

  void Line(std::string_view text, int left, int right, TAlign align) {
    const int width = static_cast<int>(text.size());
    int column = left;
    if (align == TAlign::Centre) column = left + std::max(0, (right - left - width) / 2);
    else if (align == TAlign::Right) column = std::max(left, right - width);
    out_.append(static_cast<std::size_t>(column), ' ');
    out_.append(text);
    out_ += "\r\n";
    pageStart_ = false;
  }

  void Blank(int count) {
    for (int i = 0; i < count; ++i) out_ += "\r\n";
  }

  TAlign AlignOf(const TScriptElement& e) const {
    const Byte kind = e.Kind();
    if (kind < 32 && ((CenteredKinds(w_) >> kind) & 1)) return TAlign::Centre;
    if (kind == ekTransition && w_.TransitionsFlushRight) return TAlign::Right;
    return TAlign::Left;
  }

  // The element's printed lines: its text cut where the wrap breaks it,
  // each line without its codes and trailing blanks.
  std::vector<std::string> PrintedLines(TScriptElement& e) {
    const std::string text = ElementText(e);
    const bool parentheses = ShownInParentheses(w_, e.Kind());
    if (e.Kind() == ekCharacterName) return {OutsideText(w_, text + CharacterExtensionText(w_, e), false)};
    wrap_.Wrap(e, text);
    TLineOffsets offsets{};
    std::vector<std::string> lines;
    int count = ReadLineOffsetBlock(e, offsets) ? e.lineCount : 0;
    if (count <= 0) {
      count = 1;
      offsets[1] = static_cast<Word>(text.size());
    }
    std::size_t start = 0;
    for (int line = 1; line <= count; ++line) {
      const std::size_t end = std::min<std::size_t>(offsets[static_cast<std::size_t>(line)], text.size());
      std::string shown = OutsideText(w_, std::string_view(text).substr(start, end - start), ExportsInCapitals(e));
      while (!shown.empty() && (shown.back() == ' ' || shown.back() == '\r' || shown.back() == '\n')) shown.pop_back();
      lines.push_back(std::move(shown));
      start = std::max(start, end);
    }
    if (parentheses && !lines.empty()) {
      lines.front().insert(0, "(");
      lines.back() += ')';
    }
    const std::string number = ExportNumberText(w_, e);
    if (!number.empty() && !lines.empty()) {
      // The line lost the blank its text ended in.
      if (number.front() != ' ' && !lines.back().empty()) lines.back() += ' ';
      lines.back() += OutsideText(w_, number, ExportsInCapitals(e));
    }
    return lines;
  }

  void Element(TScriptElement& e) {
    if (!pageStart_) Blank(LinesBeforeWhole(e.format));
    const int spacing = std::max(1, e.format.Spacing / 10);
    const TElementFormat& margins =
        e.Kind() == ekTransition && w_.TransitionsFlushRight ? w_.FormatSet[fsAction] : e.format;
    const int left = LeftColumn(margins);
    const int right = std::max(left, RightColumn(e.format));
    bool first = true;
    for (const std::string& text : PrintedLines(e)) {
      if (!first) Blank(spacing - 1);
      first = false;
      Line(text, left, right, AlignOf(e));
    }
  }

  // The screen's rule across the page: a run of one rule character.
  static bool IsRule(const TLaidLine& line) {
    const std::string_view text = line.text;
    if (line.banner != 0 || text.size() < 10) return false;
    const char c = text[0];
    return (c == '-' || c == '=' || c == '\x97') && text.find_first_not_of(c) >= 10;
  }

  // The break's own lines: those above its rule end the page, those below
  // open the next one, after the page's number.
  void PageBreak(const TScriptElement& e) {
    const std::vector<TLaidLine> lines = PageBreakLines(w_, e);
    const auto rule = std::find_if(lines.begin(), lines.end(), IsRule);
    for (auto it = lines.begin(); it != rule; ++it) BreakLine(*it);
    out_ += '\f';
    pageStart_ = true;
    Line(PageLabel(e) + ".", LeftColumn(w_.FormatSet[fsAction]), RightColumn(w_.FormatSet[fsAction]), TAlign::Right);
    Blank(1);
    pageStart_ = true;
    if (rule != lines.end())
      for (auto it = rule + 1; it != lines.end(); ++it) BreakLine(*it);
  }

  void BreakLine(const TLaidLine& line) {
    const TElementFormat& format = line.banner == 2   ? w_.FormatSet[fsTransition]
                                   : line.banner == 1 ? w_.FormatSet[fsAction]
                                                      : w_.FormatSet[fsCharacterName];
    const TAlign align = line.banner == 2 && w_.TransitionsFlushRight ? TAlign::Right : TAlign::Left;
    Line(line.text, LeftColumn(line.banner == 2 ? w_.FormatSet[fsAction] : format), RightColumn(format), align);
  }

  // The number of the page the break opens, with its A-page letter.
  static std::string PageLabel(const TScriptElement& e) {
    if (!e.group) return {};
    std::string label = std::to_string(e.group->number);
    const Byte letter = e.group->letter;
    if (letter == '>') label += '-';
    else if (letter > ' ' && letter != '=') label += static_cast<char>(letter);
    return label;
  }

  TMDIChild& w_;
  TWrapPass wrap_;
  std::string out_;
  bool pageStart_ = true;
};

}  // namespace

std::string ScriptAsFormattedText(TMDIChild& script) { return TFormattedWriter(script).Run(); }

}  // namespace qm
