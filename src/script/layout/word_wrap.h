// Word wrap: one element's text broken into the lines it prints on. Line
// breaks come from the 300-dpi layout widths and the printer page less the
// element's margins, so the zoom and the display font never move a break.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/layout/fixed_pitch.h"
#include "script/layout/screen_lines.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// The page the layout measures against: the selected printer's physical
// width and horizontal resolution, or a letter page at 300 dpi when there
// is no printer.
struct TPageMetrics {
  int dpi = 300;
  int physicalWidth = 2550;
};
TPageMetrics CurrentPageMetrics();

// The available line width of a format in 1/300 inch: the page width less
// both margins (tenths of an inch from the paper's edges), rounded.
Word FormatMarginToDots(const TElementFormat& format);
Word FormatMarginToDots(const TElementFormat& format, const TPageMetrics& page);

// Where each wrapped line begins, as LineOffsets holds it: entry 0 is 0,
// entry L (1 <= L <= count) the position where line L + 1 begins (text
// length + 1 after the last line), the entry after the last 0.
using TLineOffsets = std::array<Word, MaxLineCount + 2>;

// An element's saved line offsets: byte 0 is 2 x lineCount + 1, then
// entries 1..lineCount, low byte first. Reading gives false (and an empty
// table) for a block that does not fit the element's line count.
void WriteLineOffsetBlock(const TLineOffsets& offsets, int lineCount, std::vector<Byte>& block);
bool ReadLineOffsetBlock(const TScriptElement& element, TLineOffsets& offsets);

// The wrapped line (1-based) a caret column lies on: the first line whose
// end is not before the column (a column at a soft break belongs to the
// earlier line, a column right after a hard return to the next); the last
// line for a column past the end.
int CaretLineOfColumn(const TLineOffsets& offsets, int lineCount, int column, std::string_view text);

// The screen width (pixels) and the layout width (1/300 inch) of the
// EditBuffer character at a column of the window's current element.
int CharWidthAt(TMDIChild& window, int column);
int LayoutCharWidthAt(TMDIChild& window, int column);

// An element's lines as they print: its wrapped text with the style and
// colour bits of its codes (no block colour, no code labels), a character
// name with its extension, and the left margin (tenths of an inch) they
// start at. Nothing of the script changes; the window's width tables are
// measured for the element's font.
struct TPrintedElement {
  std::vector<TLaidLine> lines;
  Byte leftMargin = 0;
};
TPrintedElement PrintedElementLines(TMDIChild& window, TScriptElement& element, const TPageMetrics& page);

// Wraps an element and lays its lines on the screen (page breaks their
// banner lines); with moveFollowing the lines below move when the line
// count changes. The screen rebuild lays every line and passes false.
void WrapForScreen(TMDIChild& window, TScriptElement& element, std::string_view text, bool moveFollowing);

// Wraps many elements one after another with no screen output, as laying
// out a loaded script does: the page is read once for the pass, and the
// widths are looked up again only when an element's font differs from the
// one before it. Nothing else may wrap while a pass is in use.
class TWrapPass {
 public:
  explicit TWrapPass(TMDIChild& window);
  void Wrap(TScriptElement& element, std::string_view text);

 private:
  struct TMeasuredFontKey {
    const std::string* name = nullptr;
    int size = 0;
    bool operator==(const TMeasuredFontKey&) const = default;
  };
  TMDIChild& window_;
  TPageMetrics page_;
  TMeasuredFontKey font_;
  bool measured_ = false;
  TPitchCache pitches_;
};

// Wraps again, at the window's own widths, every element whose line starts
// were forgotten (new formats forget them), so that its line count and the
// lines saved with it are its own, where the screen shows it or not; the
// edit line and page breaks keep theirs.
void WrapForgottenLines(TMDIChild& window);

// The message shown when a wrap fails; the element keeps its lines.
inline constexpr const char* WordWrapErrorText =
    "There was an error in the Word Wrap Routine and we HIGHLY recommend that you save this file and exit and "
    "restart Quillmaster for Windows";

}  // namespace qm
