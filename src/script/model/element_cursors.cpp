#include "script/model/element_cursors.h"

#include <algorithm>
#include <vector>

namespace qm {

namespace {

struct TCursor {
  TScriptElement** at;
  TCursorKind kind;
};

std::vector<TCursor>& Cursors() {
  static std::vector<TCursor> cursors;
  return cursors;
}

// Every cursor on `removed` goes to `replacement`, a forgetting one to
// null when `forget` is set.
void RepointCursors(const TScriptElement* removed, TScriptElement* replacement, bool forget) {
  for (const TCursor& cursor : Cursors())
    if (*cursor.at == removed) *cursor.at = forget && cursor.kind == TCursorKind::Forgets ? nullptr : replacement;
}

}  // namespace

void RegisterElementCursor(TScriptElement** cursor, TCursorKind kind) { Cursors().push_back({cursor, kind}); }

void UnregisterElementCursor(TScriptElement** cursor) {
  std::erase_if(Cursors(), [cursor](const TCursor& c) { return c.at == cursor; });
}

void MoveElementCursors(const TScriptElement* removed, TScriptElement* replacement) {
  RepointCursors(removed, replacement, false);
}

void ForgetDeletedElement(const TScriptElement* removed, TScriptElement* replacement) {
  RepointCursors(removed, replacement, true);
}

}  // namespace qm
