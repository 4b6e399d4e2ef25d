// While the writer types, the edit line is matched against the script's
// own user-list texts (scene openings, shots, transitions, act and
// prologue texts, the script's opening) and their aliases; a match turns
// the element into that type with its format, and with QuickType the
// next element is started at once.
#pragma once

namespace qm {

class TMDIChild;

// Whether the edit line is within reach of the recognisable entries: the
// caret no further in than the longest, the line no shorter than the
// shortest.
bool RecognitionInReach(TMDIChild& window);
// The same after a typed character; a ":" in the first 21 columns always
// asks (a transition typed as "... TO:").
bool RecognitionDueAfterTyping(TMDIChild& window, char typed);

// Looks at the active script's edit line and, on a match, changes the
// current element's type and format. True when it also started a new
// element: the keystroke that led here must then end.
bool RecognizeTypedElement();
// The current format becomes the current element's own, and the element,
// the layout and the screen are brought up to date.
void ApplyCurrentFormat();

}  // namespace qm
