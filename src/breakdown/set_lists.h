// The set list of a television script: the sets of every scene, act by
// act, under the production details, with page numbers and characters
// when asked, closed by a final line. It prints after the rundown table or
// alone, or goes to the clipboard as formatted and plain text.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "breakdown/rundown_rows.h"
#include "platform/types.h"

namespace qm {

class TScriptDocument;

// One piece of the collected text and how it looks. The tables grow with
// the list: a long show has more runs than a byte counts, and more text
// than 16 bits reach.
struct TRichTextRun {
  std::size_t Start = 0;  // in characters of the collected text
  std::size_t Length = 0;
  std::string FontName;
  int FontSize = 10;
  Byte Style = 0;      // bit 0 bold, bit 1 italic, bit 2 underline
  Byte Alignment = 0;  // 0 left, 2 centre
};

struct TRichText {
  std::string Text;  // lines end with CR LF
  std::vector<TRichTextRun> Runs;
};

// Who turns the collected runs into RTF (set by the shell).
struct TSetListHooks {
  std::string (*RichTextAsRtf)(const TRichText& text) = nullptr;
};
extern TSetListHooks SetListHooks;

// Writes the set list on the open print run, or, given `clipboard`, into
// it instead. `lastPage` ends the last scene's page range.
void WriteSetList(const TRundownRows& rows, const TRundownOptions& options, const TProductionDetails& details,
                  const TScriptDocument& script, const std::string& lastPage, TRichText* clipboard);

// Puts the collected text on the clipboard as RTF and plain text; false
// when nothing could be put there.
bool CopySetListToClipboard(const TRichText& text);

// The number of the script's last page, counted from its page breaks.
std::string LastPageText(const TScriptDocument& script);

}  // namespace qm
