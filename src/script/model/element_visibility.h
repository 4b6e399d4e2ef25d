// Whether an element of a document shows on screen: a hidden element (its
// state, or its kind hidden) takes no room and no caret; it still wraps,
// for its printed lines.
#pragma once

#include "script/model/script_model.h"

namespace qm {

class TScriptDocument;

bool TakesNoScreenRoom(const TScriptDocument& document, const TScriptElement& element);
// The screen lines an element fills: none for a hidden one.
int ScreenLinesOf(const TScriptDocument& document, const TScriptElement& element);

}  // namespace qm
