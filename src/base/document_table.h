// The open-document table: at most nine script windows in slots 1 to 9,
// without gaps, and the slot of the active one, inside the frame window
// that shows them.
#pragma once

#include <array>
#include <string>

#include "platform/types.h"

namespace qm {

class TForm;
class TMDIChild;

constexpr int MaxDocuments = 9;

extern Word DocumentCount;
extern std::array<TMDIChild*, MaxDocuments + 1> Documents;  // slot 0 unused
extern Byte ActiveDocument;
// The main window, which holds the script windows; it sets itself here
// while it exists.
extern TForm* DocumentFrame;

// The script window in the active slot, or null.
TMDIChild* ActiveScript();
// True when no script window is open or active; every command asks first.
bool NoActiveDocument();
// The script window a command works on: null when NoActiveDocument.
TMDIChild* ScriptForCommand();
// Makes a window's own slot the active one; unknown windows change nothing.
void SetActiveSlotOf(const TMDIChild* window);
// The slot of a window, or 0.
int SlotOf(const TMDIChild* window);
// Takes a destroyed window out of its slot and closes the gap.
void RemoveDocument(const TMDIChild* window);

}  // namespace qm
