// Repagination: a script is paginated for the printer, in printer dots,
// and every page break is an element of the script. This holds the printer
// metrics, the line and page heights, splitting an element across a page,
// repeating a character name after a split speech, sentence ends, and
// taking the automatic breaks out again.
#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"
#include "base/program_options.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

// One pass of RefreshLayout or RepaginateScript: what it keeps aside while
// it regroups, takes the automatic breaks out and paginates again. Made at
// the start of the pass and gone at its end.
struct TLayoutPass {
  // The automatic breaks the pass's own rebuild met: all the rejoin has to
  // visit, since taking one out never removes another.
  std::vector<TScriptElement*> autoBreaks;
  bool autoBreaksListed = false;
  // The elements on screen when the pass began, sorted.
  std::vector<const TScriptElement*> shownElements;
  bool shownElementsListed = false;
  // Whether the groups are built again once the breaks are out, so that a
  // full pass groups the script as if no break had stood in it.
  bool regroupAfterRejoin = false;
  // The edit line as the writer left it; dropped when the pass changes the
  // current element's text.
  std::optional<std::string> savedEditText;

  // Whether removing the element may change the screen.
  bool MayBeShown(const TScriptElement* element) const {
    return !shownElementsListed || std::binary_search(shownElements.begin(), shownElements.end(), element);
  }
};

// The printer's metrics, program-wide. Without a printer: 300 dots per
// inch, a page of 2,550 by 3,300 dots and an offset of 75 by 75.
struct TPrinterMetrics {
  int DpiX = 300;
  int DpiY = 300;
  int PageWidth = 2550;
  int PageHeight = 3300;
  int OffsetX = 75;
  int OffsetY = 75;
  // The smallest margins the printer allows, tenths of an inch.
  int MinLeftMargin = 3;
  int MinTopMargin = 3;
};
extern TPrinterMetrics PrinterMetrics;

// Reads the selected printer's metrics (the fixed ones without a printer);
// a given script's top margin is raised to the smallest top margin.
void ReadPrinterMetrics(TMDIChild* script);

// A text line and a blank line of an element, in printer dots.
int TextLineHeight(const TScriptDocument& script, const TElementFormat& format);
int BlankLineHeight(const TScriptDocument& script, const TElementFormat& format);

// The number of banner lines a page-break element shows.
Byte PageBreakLineCount(const TScriptDocument& script, const TScriptElement* pageBreak);

// Sentence ends in an element's plain text: 0-based positions after which
// a page may break, at most 150 of them.
constexpr int MaxSentenceEnds = 150;
std::vector<Word> FindSentenceEnds(std::string_view text, bool twoBlanks, bool ellipsis);
// Whether the text before a column ends a sentence once a blank and a word
// follow it: a terminator (closing quotes after it allowed), not after an
// abbreviation, not an ellipsis unless those end sentences.
bool EndsSentenceBefore(std::string_view text, std::size_t column, bool ellipsis);

// Joins a second piece onto a first: a sentence end gets the sentence
// spacing, other text one blank, unless the first piece already ends in a
// separator. `gap` tells how many characters went between them.
std::string JoinedText(const std::string& first, const std::string& second, size_t& gap);

// The element's format as the writer left it: with the lines before that
// opening a page under a repeated name took from a Dialogue or
// Parenthetical. A file keeps this, so that the lines come back when the
// break moves after the script is read again.
TElementFormat OwnFormat(const TScriptElement& element);
// A script just read: each Dialogue or Parenthetical that opens a page
// under a repeated name gives up its lines before again, as the pass that
// put it there had it give them up.
void TakeLinesBeforeUnderRepeatedNames(TMDIChild& window);

// The message shown when a group cannot fit even on an empty page.
extern const char* const SingleSpeechWarningText;

// Whether the name right after a break inside a speech is the one the
// break repeated: the speech's own name, or the name the break gave while
// nobody typed over it, and always the name after a locked page's break.
// It carries the break's mark and goes with the break; a name typed over
// it is the writer's own, marked by the rule.
bool IsNameTheBreakRepeated(TMDIChild& window, const TScriptElement& name);

// What the passes remember between them of the elements they cut (so that
// joining the pieces gives back the very text they were cut from) and of
// the names they repeated (so that a name typed over one is told from
// it), by the elements' places in the script: a copy of the script takes
// it along and gives it back with its elements.
class TPaginationMemory {
 public:
  struct TData;
  TPaginationMemory() = default;
  explicit TPaginationMemory(std::shared_ptr<const TData> data) : data_(std::move(data)) {}
  const TData* Data() const { return data_.get(); }

 private:
  std::shared_ptr<const TData> data_;
};
TPaginationMemory TakePaginationMemory(TMDIChild& window);
// Forgets what the window remembered and takes the memory's in its place.
void GivePaginationMemory(TMDIChild& window, const TPaginationMemory& memory);

}  // namespace qm
