#include "script/model/script_document.h"

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

int TScriptDocument::ElementCount() const {
  int count = 0;
  for (const TScriptElement* e = FirstElement; e; e = e->next) ++count;
  return count;
}

std::string LiveElementText(const TScriptDocument& document, const TScriptElement& e) {
  const std::string* edited = document.EditedText(e);
  return edited ? *edited : ElementText(e);
}

}  // namespace qm
