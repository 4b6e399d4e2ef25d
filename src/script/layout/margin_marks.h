// What a screen line carries besides its text: the storyboard-link bar and
// pennant at the window's edge, speech numbers, the boxes of hidden text,
// the keep-together mark, the branch arrows of interactive scripts, scene
// numbers (also on the continued line at the top of a page) and the ranges
// of omitted scenes; the coloured box under a script note; and the mouse
// tests that find the hidden-text and branch markers where they are drawn.
#pragma once

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// The colours the marks are drawn in.
constexpr TColor MarkRed = 0x0000FF;
constexpr TColor MarkBlue = 0xFF0000;
constexpr TColor MarkDarkGreen = 0x008000;
constexpr TColor MarkYellow = 0x00FFFF;

// The marks of one screen line (1..150), drawn after its text; y is the
// line's baseline in window pixels.
void DrawScreenLineMarks(TMDIChild& window, int line, int y);

// The box of a script note's line: without outlineOnly the note's first
// line (or screen line 1) fills the box over all the note's lines and marks
// them for painting; with it only the outline is drawn again.
void DrawNoteBox(TMDIChild& window, int line, int top, bool outlineOnly);
// The box's part of one further line of a note, so that painting that
// line alone keeps the box whole: its face and edges before the text, and
// with outlineOnly its edges again after it, which the text's background
// covers where it reaches them (the bottom edge under the last line).
void DrawNoteBand(TMDIChild& window, int line, int top, bool outlineOnly = false);
// The colour of a note's box: the block's highlight when the note lies
// wholly in the block, else its note colour.
TColor NoteBoxColor(const TMDIChild& window, const TScriptElement& note);

// A note colour of the script by index; an index past the table or an
// unset entry becomes 0 and gives entry 0.
TColor NoteColor(const TMDIChild& window, int& index);

// An element format's line width on screen, in pixels at the zoom.
int FormatMarginToScreen(const TMDIChild& window, const TElementFormat& format);

// The x in window pixels of a distance in tenths of an inch from where
// screen text starts, and of a position that many tenths left of the
// paper's right edge.
int TenthsToScreenX(const TMDIChild& window, int tenths);
int PagePositionToScreenX(const TMDIChild& window, int tenths);

// The screen line (1..150) under a window y, 0 when none.
int ScreenLineAtY(const TMDIChild& window, int y);

// What a double click on the margin found: no marker, a marker of hidden
// text to show, or of shown text to hide.
enum class THiddenMarker { None = 0, Show = 1, Hide = 2 };

// Whether a point lies on a hidden-text marker, and whether that marker
// shows or hides text. Sets the window's hint (and the arrow cursor on a
// marker); with toggle the element under the point becomes current.
THiddenMarker HiddenTextMarkerHit(TMDIChild& window, int x, int y, bool toggle);
// In an interactive script, whether a point lies on a Transition's branch
// marker (with its hint and the arrow cursor).
bool BranchMarkerHit(TMDIChild& window, int x, int y);

}  // namespace qm
