// Element pointers that walks of other parts of the program keep between
// calls (the page breaker, search, the storyboard links). Each registers
// here so that removing an element never leaves one dangling.
#pragma once

namespace qm {

struct TScriptElement;

void RegisterElementCursor(TScriptElement** cursor);
void UnregisterElementCursor(TScriptElement** cursor);
// Every registered cursor on `removed` moves to `replacement` (may be null).
void MoveElementCursors(const TScriptElement* removed, TScriptElement* replacement);

}  // namespace qm
