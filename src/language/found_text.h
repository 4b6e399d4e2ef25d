// A text found in the script, shown to the writer: its element's hidden
// text shown, the text marked as the block with the found-text markers at
// its ends. The search and the spelling check frame what they found so
// while they ask about it.
#pragma once

namespace qm {

class TMDIChild;
struct TScriptElement;

// An element hidden behind its marker shows its text (a script note as any
// note, any other element hideable again).
void ShowFoundElement(TScriptElement& element);
// Marks the found columns start..end (end exclusive) of the current
// element; the markers show at the next full repaint.
void MarkFoundText(TMDIChild& script, TScriptElement& element, int start, int end);
// Takes the frame away again (the block with it, the screen repainted).
void ClearFoundText(TMDIChild& script);

}  // namespace qm
