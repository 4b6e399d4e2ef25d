#include "printing/script_page.h"

#include <algorithm>

#include "base/program_options.h"
#include "printing/page_header.h"
#include "printing/print_run.h"
#include "script/layout/char_widths.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/line_revision_marks.h"
#include "script/layout/screen_lines.h"
#include "script/layout/word_wrap.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"

namespace qm {

namespace {

TFontDesc ElementFont(const TScriptDocument& script, const TScriptElement& e) {
  TFontDesc font;
  font.Name = ElementFontName(script, &e);
  font.Size = e.format.FontSize ? e.format.FontSize : script.ScriptFontSize;
  font.Style = 0;
  font.Color = clBlack;
  return font;
}

void UseFont(const TFontDesc& font) {
  TCanvas& canvas = *CurrentPrintCanvas;
  canvas.Font.Name = font.Name;
  canvas.Font.Size = font.Size;
  canvas.Font.Style = font.Style;
  canvas.Font.Color = font.Color;
  canvas.Font.Orientation = 0;
}

// The lines before the first element of a page: exactly one line unless
// it asks for more after anything but a forced break, as the page breaker
// measured it.
int LinesBeforeOnPage(const TScriptElement& e, const TScriptPage& page, bool firstOnPage) {
  const Byte own = e.format.LinesBefore;
  if (!firstOnPage) return own;
  const bool levelled = own < 10 || (own > 10 && page.startBreak && page.startBreak->Kind() != ekForcedPageBreak);
  return levelled ? 10 : own;
}

class PagePrinter {
 public:
  PagePrinter(TMDIChild& script, const TScriptPage& page, const TPageOutputOptions& options)
      : s_(script), page_(page), options_(options), g_(PageGeometry(script)) {}

  void Print() {
    if (PageHasHeader(s_, page_)) PrintPageHeader(s_, page_, g_);
    int y = g_.bodyTop;
    const TPageBreakTexts top = page_.startBreak ? PageBreakTexts(s_, *page_.startBreak) : TPageBreakTexts{};
    if (top.topContinued)
      PrintText(s_.TopSceneContinuedText + ContinuedPageCountText(s_, *page_.startBreak), s_.FormatSet[fsAction],
                g_.bodyTop - g_.lineHeight);
    if (top.cueLine) {
      y += g_.blankHeight;
      PrintText(top.speaker + " (" + s_.LayoutOptions.CharacterMoreContinued + ")", s_.FormatSet[fsCharacterName], y);
      y += g_.lineHeight;
    }
    bool first = !top.cueLine;
    for (TScriptElement* e = page_.first; e && e != page_.endBreak && !IsPageBreakKind(e->Kind()); e = e->next) {
      if ((e->Kind() == ekScriptNote && !s_.PrintScriptNotes) || s_.IsUnprintedElement(e)) continue;
      y = PrintElement(*e, y, first);
      first = false;
    }
    if (!page_.endBreak) return;
    const TPageBreakTexts bottom = PageBreakTexts(s_, *page_.endBreak);
    if (bottom.more) {
      PrintText("(" + s_.MoreText + ")", s_.FormatSet[fsCharacterName], y);
      y += g_.lineHeight;
    }
    if (bottom.bottomContinued)
      PrintText(s_.BottomSceneContinuedText, s_.FormatSet[fsTransition], std::max(y + g_.blankHeight, g_.bodyBottom));
  }

 private:
  int PrintElement(TScriptElement& e, int y, bool firstOnPage) {
    y += BlankLineHeight(s_, e.format) * LinesBeforeOnPage(e, page_, firstOnPage) / 10;
    if (e.Kind() == ekCharacterName && s_.IsSuppressedCue(&e)) return y;
    const TPrintedElement printed = PrintedElementLines(s_, e, TPageMetrics{g_.dpiX, PrinterMetrics.PageWidth});
    const int line = TextLineHeight(s_, e.format);
    const int spacing = e.format.Spacing == 0 ? 10 : e.format.Spacing;
    const TFontDesc font = ElementFont(s_, e);
    const int x = g_.Dots(printed.leftMargin);
    const int count = static_cast<int>(printed.lines.size());
    // An outdented "(" hangs in the margin: the text keeps its column.
    const bool hanging = OpeningParenthesis(s_, e) == TOpening::Hanging;
    for (int i = 0; i < count; ++i) {
      const int top = y + spacing * line * i / 10;
      const int left = i == 0 && hanging ? x - PrintedWidth(font, "(") : x;
      PrintLaidLine(s_, printed.lines[static_cast<std::size_t>(i)], left, top, font, options_.colored);
      if (options_.revisionMarks) PrintRevisionMarks(RevisionMarkLevel(s_, e, i + 1), top);
    }
    if (options_.sceneNumbers && IsSceneHeading(e.Kind())) PrintSceneNumbers(e, y, font);
    if (e.Kind() == ekCharacterName && s_.DialogueNumbering) PrintSpeechNumber(e, y, font);
    return y + line + spacing * line * std::max(count - 1, 0) / 10;
  }

  void PrintSceneNumbers(const TScriptElement& heading, int y, TFontDesc font) {
    const std::string number = s_.SceneNumberText(heading);
    if (number.empty()) return;
    if (s_.LeftNumber) {
      // Ending half an inch before the heading.
      const int right = g_.Dots(heading.format.LeftMargin) - g_.dpiX / 2;
      PrintAt(font, std::max(right - PrintedWidth(font, number), g_.offsetX), y, number);
    }
    if (s_.RightNumber) PrintAt(font, g_.pageWidth - g_.Dots(heading.format.RightMargin) + g_.dpiX / 2, y, number);
  }

  // Where the screen shows it: at the scene headings' left margin, or
  // just past their right one.
  void PrintSpeechNumber(const TScriptElement& cue, int y, const TFontDesc& font) {
    std::string number = s_.DialogueNumberText(&cue);
    if (number.empty()) return;
    if (BracketDialogueNumbers) number = "<" + number + ">";
    const TElementFormat& heading = s_.FormatSet[fsSceneHeading];
    const int x = SpeechNumberFlag == 0 ? g_.Dots(heading.LeftMargin)
                                        : g_.pageWidth - g_.Dots(heading.RightMargin) + g_.dpiX / 10;
    PrintAt(font, x, y, number);
  }

  void PrintRevisionMarks(int level, int y) {
    // Half an inch in from the right edge of the paper, beside the line:
    // the mark once per locked level.
    const std::string marks = RevisionMarkRun(s_, level);
    if (marks.empty()) return;
    const TFontDesc font = ScriptFont(s_);
    const int x = g_.pageWidth - g_.dpiX / 2 - PrintedWidth(font, marks);
    PrintAt(font, x, y, marks);
  }

  void PrintText(const std::string& text, const TElementFormat& format, int y) {
    PrintLaidLine(s_, StyledLine(text, 0, 0, 0), g_.Dots(format.LeftMargin), y, ScriptFont(s_), false);
  }

  void PrintAt(const TFontDesc& font, int x, int y, const std::string& text) {
    UseFont(font);
    PrintTextAt(x - g_.offsetX, y - g_.offsetY, text);
  }

  TMDIChild& s_;
  const TScriptPage& page_;
  const TPageOutputOptions& options_;
  const TPageGeometry g_;
};

}  // namespace

TFontDesc ScriptFont(const TScriptDocument& script) {
  TFontDesc font;
  font.Name = script.ScriptFontName;
  font.Size = script.ScriptFontSize;
  font.Style = 0;
  font.Color = clBlack;
  return font;
}

TPageGeometry PageGeometry(const TMDIChild& script) {
  TPageGeometry g;
  g.dpiX = PrinterMetrics.DpiX;
  g.dpiY = PrinterMetrics.DpiY;
  g.pageWidth = PrinterMetrics.PageWidth;
  g.offsetX = PrinterMetrics.OffsetX;
  g.offsetY = PrinterMetrics.OffsetY;
  const int lh = script.ScriptFontSize * g.dpiY / 72;
  g.lineHeight = lh * script.TextSpacing / 100;
  g.blankHeight = lh * script.BlankSpacing / 100;
  // The body ends at the bottom margin: the header block and the top
  // continued line take what the usable height leaves above it.
  g.top = g.dpiY / 10 * (script.TopMargin - 1);
  g.bodyTop = g.top + g.lineHeight + (script.HeaderLine2.empty() ? 0 : g.lineHeight) +
              script.HeaderBlankLines * g.blankHeight + (script.TopSceneContinued ? g.blankHeight + g.lineHeight : 0);
  g.bodyBottom = g.bodyTop + script.UsablePageHeight;
  return g;
}

std::vector<TScriptPage> ScriptPages(const TScriptDocument& script) {
  std::vector<TScriptPage> pages;
  TScriptPage page;
  page.index = 1;
  page.first = script.FirstElement;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsPageBreakKind(e->Kind())) continue;
    page.endBreak = e;
    pages.push_back(page);
    page = TScriptPage{page.index + 1, e, e->next, nullptr};
  }
  pages.push_back(page);
  return pages;
}

void BuildPageList(TMDIChild& script) {
  if (script.FirstElement && !script.FirstElement->group) script.RebuildElementGroups();
}

std::string PageLabel(const TScriptDocument& script, const TScriptPage& page) {
  if (!page.startBreak || !page.startBreak->group) return std::to_string(script.PageStart);
  std::string label = std::to_string(script.DisplayNumber(page.startBreak->group));
  const char letter = static_cast<char>(script.DisplayNumberLetter(page.startBreak->group));
  if (letter != ' ' && letter != 0) label += letter;
  return label;
}

int PrintedWidth(const TFontDesc& font, std::string_view text) {
  if (!CurrentPrintCanvas) return MeasureText(font, PrinterMetrics.DpiX, text);
  UseFont(font);
  return CurrentPrintCanvas->TextWidth(text);
}

int PrintLaidLine(const TMDIChild& script, const TLaidLine& line, int x, int y, const TFontDesc& base, bool colored) {
  if (!CurrentPrintCanvas) return 0;
  const std::size_t n = line.text.size();
  const int start = x;
  for (std::size_t from = 1; from <= n;) {
    const Byte attribute = line.attributes[from];
    std::size_t to = from;
    while (to + 1 <= n && line.attributes[to + 1] == attribute) ++to;
    TFontDesc font = base;
    font.Style = attribute & 0x0F;  // the style bits are the font style bits
    const int color = ColorOfAttribute(attribute);
    font.Color = colored && color >= 1 && color <= 10 ? TextColorOfIndex(script, color) : clBlack;
    const std::string_view run = std::string_view(line.text).substr(from - 1, to - from + 1);
    UseFont(font);
    PrintTextAt(x - PrinterMetrics.OffsetX, y - PrinterMetrics.OffsetY, run);
    x += CurrentPrintCanvas->TextWidth(run);
    from = to + 1;
  }
  return x - start;
}

bool PrintScriptPage(TMDIChild& script, const TScriptPage& page, const TPageOutputOptions& options) {
  if (!CurrentPrintCanvas) return false;
  PagePrinter(script, page, options).Print();
  FlushTextRun();
  return true;
}

}  // namespace qm
