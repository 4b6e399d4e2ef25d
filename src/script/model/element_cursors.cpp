#include "script/model/element_cursors.h"

#include <algorithm>
#include <vector>

namespace qm {

namespace {
std::vector<TScriptElement**>& Cursors() {
  static std::vector<TScriptElement**> cursors;
  return cursors;
}
}  // namespace

void RegisterElementCursor(TScriptElement** cursor) { Cursors().push_back(cursor); }

void UnregisterElementCursor(TScriptElement** cursor) { std::erase(Cursors(), cursor); }

void MoveElementCursors(const TScriptElement* removed, TScriptElement* replacement) {
  for (TScriptElement** cursor : Cursors())
    if (*cursor == removed) *cursor = replacement;
}

}  // namespace qm
