// How the view of a script window moves: it follows the caret both ways,
// it moves by whole screen lines, and the caret moves by line, by window
// height, by wheel notch and to the start or end of the script. The
// window shows the script through its 150-line screen table; an element
// knows the screen line of its first wrapped line, which lies above 1 or
// below the window for elements out of sight.
#pragma once

#include <functional>

#include "platform/types.h"
#include "script/layout/caret_view.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

// The view moves by whole lines: up shows the lines below, down the lines
// above; the table is laid out again and the window repainted.
void ScrollScreenUp(TMDIChild& window, int lines);
void ScrollScreenDown(TMDIChild& window, int lines);

// The screen laid out with the element's first line on the given line.
void ShowOnLine(TMDIChild& window, TScriptElement& element, int line);

// Up and Down: the caret to the wrapped line above (below), into the
// previous (next) element from its first (last) line, keeping its place
// across within half a character. Page breaks and hidden elements take no
// caret. False when there is no line to go to.
bool MoveCaretLineUp(TMDIChild& window);
bool MoveCaretLineDown(TMDIChild& window);
// The element the caret goes to from an element by line or by page: the
// next (previous) one that is neither a page break nor hidden.
TScriptElement* NeighbourCaretElement(const TMDIChild& window, TScriptElement* element, bool down);

// Page Up and Page Down: the first line of the window becomes the last
// (the last wholly shown becomes the first), the caret at its start. The
// keys held say what becomes of the block: Shift extends it from the
// caret; without Shift it goes, unless Alt is held.
void ScrollPageUp(TMDIChild& window, TShiftState held);
void ScrollPageDown(TMDIChild& window, TShiftState held);

// What a wheel step moves: the main window's vertical bar by a line or a
// page (the view moves, the caret with it). Empty, the caret moves by a
// line or a window height.
struct TWheelHooks {
  std::function<void(bool up)> LineStep;
  std::function<void(bool up)> PageStep;
};
extern TWheelHooks WheelHooks;
// Lines a wheel notch scrolls, the desktop's setting: 0 means three, -1
// scrolls by pages.
extern int WheelScrollLines;

// A wheel roll in units of 120 a notch: rolled away from the writer it
// scrolls up. Small rolls of fine wheels add up until they make a step.
void WheelScroll(TMDIChild& window, int delta);

// The vertical bar's thumb dragged to a place in the script's height (in
// screen lines, an element counting its whole lines before and its
// lines): the element there becomes current near the top of the window.
void ScrollToScriptLine(TMDIChild& window, int position);
// The page buttons: the caret to the first shown element of the previous
// (next) page, that element near the top of the window; a block marked
// reaches it. A page of hidden elements only has its kind shown again.
// False at the script's start (end).
bool GotoNeighbourPage(TMDIChild& window, bool down);

// The horizontal bar moved to a pixel offset of the text: a caret that
// would leave the window moves along its wrapped line to stay in sight,
// then the offset moves on by 5 pixels while the caret is still out of
// it. The offset to use is returned; the caller makes it the window's.
int FollowHorizontalScroll(TMDIChild& window, int scrollPos, int minPos, int maxPos);

// The caret to the start of the script (the end), in view.
void GotoScriptTop(TMDIChild& window);
void GotoScriptBottom(TMDIChild& window);

}  // namespace qm
