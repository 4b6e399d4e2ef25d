#include "script/model/script_document.h"

#include "script/model/element_cursors.h"

namespace qm {

TScriptElement* TScriptDocument::InsertElementAfter(TScriptElement* after, TScriptElement* element) {
  element->prev = after;
  element->next = after ? after->next : FirstElement;
  if (element->next) element->next->prev = element;
  else LastElement = element;
  if (after) after->next = element;
  else FirstElement = element;
  return element;
}

void TScriptDocument::FreeElements() {
  ++ElementsReplaced;
  for (TScriptElement* e = FirstElement; e;) {
    TScriptElement* next = e->next;
    // Nothing kept elsewhere points at an element that is gone.
    MoveElementCursors(e, nullptr);
    delete e;
    e = next;
  }
  for (TElementGroup* g = LastGroup; g;) {
    TElementGroup* prev = g->prev;
    delete g;
    g = prev;
  }
  FirstElement = LastElement = nullptr;
  CurrentGroup = LastGroup = nullptr;
}

int TScriptDocument::ElementCount() const {
  int count = 0;
  for (const TScriptElement* e = FirstElement; e; e = e->next) ++count;
  return count;
}

std::string LiveElementText(const TScriptDocument& document, const TScriptElement& e) {
  const std::string* edited = document.EditedText(e);
  return edited ? *edited : ElementText(e);
}

const std::string& ElementFontName(const TScriptDocument& document, const TScriptElement* element) {
  if (element) {
    const std::string& name = document.FontNameTable[element->format.FontIndex()];
    if (!name.empty()) return name;
  }
  return document.ScriptFontName;
}

int TextPercent(const TScriptDocument& document) {
  int percent = document.TextSpacing;
  if (document.FontPercent != 100) percent = document.FontPercent * percent / 100;
  return percent;
}

}  // namespace qm
