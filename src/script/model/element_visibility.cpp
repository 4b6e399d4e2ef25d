#include "script/model/element_visibility.h"

#include "script/model/script_document.h"

namespace qm {

bool TakesNoScreenRoom(const TScriptDocument& document, const TScriptElement& element) {
  return document.IsHiddenElement(&element);
}

int ScreenLinesOf(const TScriptDocument& document, const TScriptElement& element) {
  return TakesNoScreenRoom(document, element) ? 0 : element.lineCount;
}

}  // namespace qm
