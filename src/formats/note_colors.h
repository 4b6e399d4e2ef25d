// The colours of a script's notes: its table of 26, and the entry that
// gives one note a colour chosen for it.
#pragma once

#include "platform/types.h"

namespace qm {

class TColorDialog;
class TMDIChild;
struct TScriptElement;

// Prepares the colour dialog at `color`, with the active script's note
// colours as its custom colours.
void SetCustomColors(TColorDialog& dialog, TColor color);

// The entry of the script's note colours that gives `note` the colour: one
// holding it already, else one after the first (new notes' own) that no
// other note uses, set to it; -1 when all hold the colours of other notes.
int TakeNoteColor(TMDIChild& script, const TScriptElement& note, TColor color);

}  // namespace qm
