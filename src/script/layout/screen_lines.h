// The screen-line table of a script window: the lines word wrap lays out
// for painting, one attribute byte per column, the rules and banners of
// page breaks, and how lines move when an element grows or shrinks.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// One line as a layout produces it, before it goes into the table.
struct TLaidLine {
  std::string text;                                      // at most 150 characters
  std::array<Byte, ScreenLineColumns + 1> attributes{};  // columns 1..150
  Word left = 0;
  Word height = 0;
  Word lineInElement = 0;
  Byte banner = 0;
  Word below = 0;  // pixels of the height under the text
};

// Attribute bits of the style codes.
constexpr Byte AttrBold = 1;
constexpr Byte AttrItalic = 2;
constexpr Byte AttrUnderline = 4;
constexpr Byte AttrStrikeOut = 8;
inline Byte ColorOfAttribute(Byte attribute) { return attribute >> 4; }
inline Byte WithColor(Byte attribute, int color) { return static_cast<Byte>((attribute & 0x0F) | (color << 4)); }

// A banner or header text whose bold and underline codes become
// attribute bits, cut to a screen line.
TLaidLine StyledLine(std::string_view text, Word left, Word height, Byte banner);

// The pixels an element's lines before add above its first screen line.
// Every element's first line carries them.
int LinesBeforePixels(const TMDIChild& window, const TElementFormat& format);
// The height in pixels of an element's wrapped line (1-based).
Word ScreenLineHeightOf(const TMDIChild& window, const TElementFormat& format, int lineInElement);
// An omitted scene heading ("OMITTED:" and where the range ends) while
// scenes are locked and a scene number shows: the range's word and last
// number are drawn on two lines under its number.
bool ShowsOmittedRange(const TMDIChild& window, const TScriptElement& element, std::string_view text);
// The height of an element's wrapped line and what of it lies under the
// text: an omitted range's heading is three lines high, its text on the
// first of them, so that the range drawn under it has room.
struct TLineRoom {
  Word height = 0;
  Word below = 0;
};
TLineRoom ScreenLineRoomOf(const TMDIChild& window, const TScriptElement& element, const TElementFormat& format,
                           std::string_view text, int lineInElement);
// The same for an element in its own format with its text as it stands.
TLineRoom ScreenLineRoomOf(const TMDIChild& window, const TScriptElement& element, int lineInElement);
// Where an element's lines start on screen, before the horizontal scroll.
Word ScreenLeftOf(const TMDIChild& window, const TElementFormat& format);

// Puts an element's lines into the table from its first screen line.
// With moveFollowing, the lines below move up or down when the element's
// line count differs from oldLineCount; without it a shorter element
// leaves blank lines behind it.
void LayElementLines(TMDIChild& window, TScriptElement& element, std::span<const TLaidLine> lines, int oldLineCount,
                     bool moveFollowing);

// Empties a screen line: no element, no text, plain height, to be painted.
void ClearScreenLine(TMDIChild& window, int line);
// Marks a screen line for painting from a column (1 for the whole line).
void MarkScreenLine(TScreenLine& line, int fromColumn);
// Recomputes the baseline of every line from the heights above it; a line
// whose baseline moves is marked for painting.
void UpdateScreenLinePositions(TMDIChild& window);
// The top of a screen line in client pixels.
int ScreenLineTop(const TMDIChild& window, int line);

// What a page break adds around itself, on screen and on paper: "(MORE)"
// under a speech it splits, the scene-continued lines at the bottom and
// the top of the pages when a scene runs on, and the speaker's CONT'D line
// when no repeated name element follows the break.
struct TPageBreakTexts {
  bool more = false;
  bool bottomContinued = false;
  bool topContinued = false;
  bool cueLine = false;
  std::string speaker;  // the split speech's speaker, up to its extension
};
TPageBreakTexts PageBreakTexts(const TMDIChild& window, const TScriptElement& element);

// The lines a page-break element shows: the rule with its banner, and the
// MORE, cue and scene-continued lines its neighbours ask for.
std::vector<TLaidLine> PageBreakLines(const TMDIChild& window, const TScriptElement& element);

// Gives every page break of the script the line count its lines take,
// whether the screen shows it or not: a break's lines follow elements
// far from it (the scene it stands in), so one off the screen would keep
// a count that laying it would change.
void CountPageBreakLines(TMDIChild& window);

// Lays a page-break element's lines into the table (its line count is the
// number of lines it shows).
void LayPageBreak(TMDIChild& window, TScriptElement& element, bool moveFollowing);

// " (n)" after the top scene-continued text when this is the n-th (n > 1)
// continued page of its scene; empty otherwise.
std::string ContinuedPageCountText(const TMDIChild& window, const TScriptElement& element);

// Paints one screen line from a column (1 for the whole line).
void PaintScreenLine(TMDIChild& window, int line, int fromColumn);
// The pixel width of the shown characters of a screen line from column
// first to column last (1-based, inclusive).
int ShownTextWidth(const TMDIChild& window, const TScreenLine& line, int first, int last);

// The colours of colour index 1 to 10 for text and as a background.
TColor TextColorOfIndex(const TMDIChild& window, int index);
TColor BackgroundColorOfIndex(const TMDIChild& window, int index);

}  // namespace qm
