// The brackets around a parenthetical (and the action, act and scene
// information the script shows in parentheses): the element stores its
// text without them, the screen and the page add them around the wrapped
// lines. They take no part in the wrap, so lines and pages break as if
// they were not there.
#pragma once

#include <vector>

#include "platform/types.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;
struct TLaidLine;

// Whether elements of this kind are shown between "(" and ")".
bool ShownInParentheses(const TScriptDocument& script, Byte kind);

// Where an element's added "(" stands: at the margin, with the first line's
// text after it, or outdented, hanging left of the margin so that the text
// keeps the margin's column. A text typed with its own "(" gets none.
enum class TOpening { None, AtMargin, Hanging };
TOpening OpeningParenthesis(const TMDIChild& window, const TScriptElement& element);

// Puts "(" before the first wrapped line and ")" after the last, each in
// the style of the text beside it; an outdented "(" moves its line left by
// its own width.
void AddElementParentheses(TMDIChild& window, const TScriptElement& element, std::vector<TLaidLine>& lines);

// Where a wrapped line's own text starts on screen, in pixels from the
// text area's left: at the margin, or past a "(" that is not outdented.
int ScreenTextLeft(const TMDIChild& window, const TScriptElement& element, int lineInElement);

}  // namespace qm
