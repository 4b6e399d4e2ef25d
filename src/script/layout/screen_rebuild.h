// The editor routines every command calls after it changes the script or
// moves the caret: the zoomed screen font, the rebuild of the screen-line
// table, the caret, the focus, stepping between elements, the last
// position and placing the caret under the mouse.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace qm {

class TMDIChild;
struct TScriptElement;
class TObject;
class TSpeedButton;
struct TScriptElement;

// Set while UpdateCaret runs, so that a paint it causes does not run it again.
extern Byte CaretBusy;

// The window's canvas font becomes the script font at the zoom; the
// screen line height, ascent, descent and the pixels of a tenth of an
// inch follow it.
void SetupScreenFont(TMDIChild& window);
// Only the canvas font (painting uses it).
void SelectScreenFont(TMDIChild& window);
// Empties all 150 screen lines with the plain line height.
void ResetScreenLines(TMDIChild& window);
// Lays the screen out again from the element at its top; only the active
// window is rebuilt.
void RebuildScreen(TMDIChild* window);

// Whether the script window has the keyboard.
bool WindowHasFocus(const TMDIChild& window);
// Places and shows the caret of the active script.
void UpdateCaret();
// In a parenthetical that shows the automatic mark of the continued name
// above it, the caret stands behind the mark: the mark is not the
// writer's to type in, nor to end a block in.
void KeepCaretBehindContinuedMark(TMDIChild& window);
// Gives the keyboard back to the active script and shows its caret.
void FocusActiveScript();

// The element becomes current with its text in the edit line: the edited
// text is stored back first, as the edit protocol does (its typing aids
// are not applied here).
void MakeElementCurrent(TMDIChild& window, TScriptElement* element);
// Whether the element is still one of the window's (a walk of the list).
bool ElementInScript(const TMDIChild& window, const TScriptElement* element);
// The next (previous) element becomes current; false at the end (start).
bool MoveToNextElement();
bool MoveToPreviousElement();

// Remembers the caret of a window for Last Position; unless forced, a
// remembered position is kept while the last-position option is off.
void SaveLastPosition(TMDIChild& window, bool force);
// Returns to the remembered position; sender is the menu item, or null.
void GotoLastPosition(TObject* sender);

// The column of the current element's wrapped line (1-based) whose
// character lies under a client x (past its middle goes on to the next).
int ColumnUnderX(TMDIChild& window, int lineInElement, int x);

// Moves the caret to the character under a client point. True when the
// caret stays in its element (also when the click is refused), false when
// another element became current.
bool PlaceCaretAtPoint(int x, int y, bool extend, TMDIChild& window);

// A format button is down while the caret lies inside its code pair.
void SetButtonDown(TSpeedButton* button, bool down);
void UpdateFormatButton(TSpeedButton* button, std::string_view text, int column, Byte onCode, Byte offCode,
                        bool startState);

}  // namespace qm
