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

}  // namespace

void RegisterElementCursor(TScriptElement** cursor, TCursorKind kind) { Cursors().push_back({cursor, kind}); }

void UnregisterElementCursor(TScriptElement** cursor) {
  std::erase_if(Cursors(), [cursor](const TCursor& c) { return c.at == cursor; });
}

void MoveElementCursors(const TScriptElement* removed, TScriptElement* replacement) {
  for (const TCursor& cursor : Cursors())
    if (*cursor.at == removed) *cursor.at = replacement;
}

void ForgetDeletedElement(const TScriptElement* removed, TScriptElement* replacement) {
  for (const TCursor& cursor : Cursors())
    if (*cursor.at == removed) *cursor.at = cursor.kind == TCursorKind::Forgets ? nullptr : replacement;
}

}  // namespace qm
