// Showing the hidden text before a marker line, or hiding the shown text
// under it, after a double click on the marker; a speech goes whole.
#pragma once

#include "script/layout/margin_marks.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

// The toggle for the marker the current element carries (the mouse
// handling makes the element under the point current first).
void ToggleHiddenText(TMDIChild& window, THiddenMarker marker);

// Shown again: a Script Note as any other text, the rest keeping a marker.
void ShowHiddenElement(TScriptElement& element);

}  // namespace qm
