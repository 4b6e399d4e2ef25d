// Element pointers that walks of other parts of the program keep between
// calls (the page breaker, search, the storyboard links, bookmarks). Each
// registers here so that removing an element never leaves one dangling.
#pragma once

namespace qm {

struct TScriptElement;

// A following cursor moves on when its element is deleted; a forgetting
// one (a bookmark) goes null, so that its owner can tell the element is
// gone.
enum class TCursorKind { Follows, Forgets };

void RegisterElementCursor(TScriptElement** cursor, TCursorKind kind = TCursorKind::Follows);
void UnregisterElementCursor(TScriptElement** cursor);
// `removed` gave way to `replacement` (may be null): a split element's
// pieces joined, a run put back by undo. Every cursor on it moves there.
void MoveElementCursors(const TScriptElement* removed, TScriptElement* replacement);
// `removed` is deleted: following cursors move to `replacement`,
// forgetting ones go null.
void ForgetDeletedElement(const TScriptElement* removed, TScriptElement* replacement);

}  // namespace qm
