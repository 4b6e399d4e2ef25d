#include "language/bookmarks.h"

#include "script/model/element_cursors.h"
#include "script/model/script_model.h"
#include "script/model/script_record.h"
#include "script/script_window.h"

namespace qm {

namespace {
constexpr const char* ComponentName = "ScriptBookmarks";
}

TBookmark::TBookmark(std::string text, TScriptElement* element) : Text(std::move(text)), element_(element) {
  RegisterElementCursor(&element_, TCursorKind::Forgets);
}

TBookmark::~TBookmark() { UnregisterElementCursor(&element_); }

TScriptBookmarks::TScriptBookmarks(TMDIChild& script) : TComponent(&script) { Name = ComponentName; }

bool TScriptBookmarks::Add(const std::string& text, TScriptElement* element) {
  if (Count() >= MaxBookmarks) return false;
  marks_.push_back(std::make_unique<TBookmark>(text, element));
  return true;
}

void TScriptBookmarks::Delete(int index) {
  if (index >= 0 && index < Count()) marks_.erase(marks_.begin() + index);
}

TScriptBookmarks& Bookmarks(TMDIChild& script) {
  if (auto* marks = dynamic_cast<TScriptBookmarks*>(script.FindComponent(ComponentName))) return *marks;
  return *new TScriptBookmarks(script);
}

const TScriptBookmarks* FindBookmarks(const TMDIChild& script) {
  return dynamic_cast<const TScriptBookmarks*>(script.FindComponent(ComponentName));
}

TScriptElement* BookmarkedElement(TScriptElement* element) {
  if (!element) return nullptr;
  if (element->Kind() == ekDialogue && element->prev && element->prev->Kind() == ekCharacterName)
    element = element->prev;
  const Byte kind = element->Kind();
  if (kind != ekAction && kind != ekCharacterName && kind != ekAutoPageBreak) return element;
  auto onBreak = [](const TScriptElement* e) { return e && e->Kind() == ekAutoPageBreak; };
  while (element->prev && (onBreak(element) || onBreak(element->prev))) element = element->prev;
  return element;
}

}  // namespace qm
