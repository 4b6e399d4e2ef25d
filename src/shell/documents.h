// The open-document table: at most nine script windows in slots 1 to 9,
// without gaps, and the slot of the active one.
#pragma once

#include <array>
#include <string>

#include "platform/types.h"

namespace qm {

class TMDIChild;

constexpr int MaxDocuments = 9;

extern Word DocumentCount;
extern std::array<TMDIChild*, MaxDocuments + 1> Documents;  // slot 0 unused
extern Byte ActiveDocument;

// The script window in the active slot, or null.
TMDIChild* ActiveScript();
// True when no script window is open or active; every command asks first.
bool NoActiveDocument();
// Makes a window's own slot the active one; unknown windows change nothing.
void SetActiveSlotOf(const TMDIChild* window);
// The slot of a window, or 0.
int SlotOf(const TMDIChild* window);
// Takes a destroyed window out of its slot and closes the gap.
void RemoveDocument(const TMDIChild* window);

}  // namespace qm

namespace qm {

// Creates a script window for a new or opened script and makes it active;
// false (with the message) when nine are open already.
bool NewDocument(const std::string& fileName);
// Closes the active script (the save prompt comes with the native file).
void CloseActiveScript(bool closeWindow);
// Opens a script file into a window (reusing an untouched new one) and
// makes it active; false when nothing was opened.
bool OpenScriptByName(std::string fileName);
// Lays a freshly loaded script out: the current element opened for
// editing, elements without valid saved lines wrapped, the screen built.
void LayOutLoadedScript(TMDIChild& script);

}  // namespace qm
