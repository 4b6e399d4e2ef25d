#include "printing/page_header.h"

#include <ctime>

#include "base/program_options.h"
#include "platform/platform.h"
#include "printing/print_names.h"
#include "printing/print_run.h"
#include "script/layout/screen_lines.h"
#include "script/model/number_texts.h"
#include "script/script_window.h"

namespace qm {

namespace {

// The nearest element of the kinds before the page's first element (or on
// the page, when the page opens with one).
const TScriptElement* NearestBefore(const TScriptPage& page, bool (*wanted)(Byte)) {
  const TScriptElement* e = page.first;
  if (e && wanted(e->Kind())) return e;
  for (; e; e = e->prev)
    if (wanted(e->Kind())) return e;
  return nullptr;
}

bool IsLockedBreakKind(Byte kind) {
  return kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak || kind == ekFixedAPageBreak;
}

// The page a break opens, as far as its label and emptiness go.
TScriptPage PageOpenedBy(TScriptElement* pageBreak) {
  TScriptElement* next = pageBreak->next;
  return {0, pageBreak, next, next && IsPageBreakKind(next->Kind()) ? next : nullptr};
}

bool IsActKind(Byte kind) { return kind == ekActInformation || kind == ekActStart; }
bool IsSceneInfoKind(Byte kind) { return kind == ekSceneInformation || kind == ekLockedSceneInformation; }

// A number in one of the five display styles: numbers, letters, words,
// WORDS, Roman numerals.
std::string StyledNumber(int number, int style) {
  switch ((style + 4) % 5 + 1) {
    case 2: return NumberToLetters(number);
    case 3: return NumberToWords(number, false);
    case 4: return NumberToWords(number, true);
    case 5: return RomanNumeral(static_cast<Word>(number));
    default: return std::to_string(number);
  }
}

std::string NumberOf(const TScriptDocument& script, const TScriptElement* e, int style) {
  if (!e || !e->group) return {};
  return StyledNumber(script.DisplayNumber(e->group), style);
}

std::string TodayText(const TScriptDocument& script) {
  const std::time_t now = Platform::Exists()
                              ? static_cast<std::time_t>(Platform::Current().backend().WallClockMs() / 1000)
                              : std::time(nullptr);
  // Date forms: bit 0 dashes, bit 1 the day first.
  return FormatScriptDate(now, (script.HeaderDateForm & 2) == 0, (script.HeaderDateForm & 1) != 0);
}

// Prints a filled header line: what stands before a flush-right code from
// the Action margin, what follows it ending at the right margin.
void PrintHeaderLine(TMDIChild& script, const std::string& filled, const TPageGeometry& g, int y,
                     const std::string& pageNumber) {
  const TFontDesc font = ScriptFont(script);
  const TElementFormat& action = script.FormatSet[fsAction];
  const int right = g.pageWidth - g.Dots(action.RightMargin);
  const std::size_t flush = filled.find(static_cast<char>(header_code::FlushRight));
  const std::string left = filled.substr(0, flush);
  std::string rightText = flush == std::string::npos ? std::string() : filled.substr(flush + 1);
  if (!pageNumber.empty()) rightText += pageNumber;
  if (!left.empty()) PrintLaidLine(script, StyledLine(left, 0, 0, 0), g.Dots(action.LeftMargin), y, font, false);
  if (!rightText.empty()) {
    const TLaidLine line = StyledLine(rightText, 0, 0, 0);
    PrintLaidLine(script, line, right - PrintedWidth(font, line.text), y, font, false);
  }
}

}  // namespace

bool IsOmittedPage(const TScriptPage& page) {
  return page.startBreak && IsLockedBreakKind(page.startBreak->Kind()) && page.first == page.endBreak;
}

std::string HeaderPageLabel(const TScriptDocument& script, const TScriptPage& page) {
  std::string label = PageLabel(script, page);
  if (!ProgramOptions().CombineOmittedPages || IsOmittedPage(page)) return label;
  // Each omitted page opens at the break that ends the page before it.
  std::string last;
  for (TScriptElement* b = page.endBreak; b && IsOmittedPage(PageOpenedBy(b)); b = b->next)
    last = PageLabel(script, PageOpenedBy(b));
  return last.empty() ? label : label + "-" + last;
}

std::string FillHeaderLine(const TScriptDocument& script, const TScriptPage& page, const std::string& line) {
  std::string filled;
  for (char c : line) {
    switch (static_cast<Byte>(c)) {
      case header_code::PageNumber: filled += HeaderPageLabel(script, page); break;
      case header_code::ActInfo:
        filled += NumberOf(script, NearestBefore(page, IsActKind), script.ActDisplayStyle);
        break;
      case header_code::SceneInfo:
        filled += NumberOf(script, NearestBefore(page, IsSceneInfoKind), script.SceneInfoDisplayStyle);
        break;
      case header_code::Date: filled += TodayText(script); break;
      case header_code::RevisionColor: filled += RevisionColorName(script, script.CurrentRevision); break;
      default: filled += c; break;
    }
  }
  return filled;
}

bool PageHasHeader(const TScriptDocument& script, const TScriptPage& page) {
  switch (script.HeaderPages) {
    case 1: return page.index != 1;
    case 2: return !(page.first && IsSceneHeading(page.first->Kind()));
    default: return true;
  }
}

void PrintPageHeader(TMDIChild& script, const TScriptPage& page, const TPageGeometry& geometry) {
  if (!CurrentPrintCanvas) return;
  // The page number stands at the right of line 1 unless a line places it.
  const auto places = [](const std::string& l) {
    return l.find(static_cast<char>(header_code::PageNumber)) != std::string::npos;
  };
  const bool placed = places(script.HeaderLine1) || places(script.HeaderLine2);
  PrintHeaderLine(script, FillHeaderLine(script, page, script.HeaderLine1), geometry, geometry.top,
                  placed ? std::string() : HeaderPageLabel(script, page) + ".");
  if (!script.HeaderLine2.empty())
    PrintHeaderLine(script, FillHeaderLine(script, page, script.HeaderLine2), geometry,
                    geometry.top + geometry.lineHeight, std::string());
  if (IsOmittedPage(page)) {
    const TFontDesc font = ScriptFont(script);
    const TLaidLine line = StyledLine(OmittedPageText, 0, 0, 0);
    PrintLaidLine(script, line, (geometry.pageWidth - PrintedWidth(font, line.text)) / 2, geometry.bodyTop, font,
                  false);
  }
}

}  // namespace qm
