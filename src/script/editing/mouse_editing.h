// The script window's own mouse handling beyond placing the caret: a
// drag marks a block (scrolling line by line while the pointer is held
// past the window's top or bottom), repeated double clicks grow it, a
// single click on it clears it once the double-click time has passed, and
// a block dragged with the mouse is moved where it is dropped.
#pragma once

namespace qm {

class TMDIChild;

// The milliseconds between two lines of the auto-scroll.
constexpr int AutoScrollInterval = 50;

// Stops a drag in progress (the window lost the focus).
void EndMouseDrag(TMDIChild& script);

// One wrapped line down (or up) from the caret, into the next element
// when the caret is on its last line, the view following; false at the
// script's end.
bool StepCaretLine(TMDIChild& script, bool down);

}  // namespace qm
