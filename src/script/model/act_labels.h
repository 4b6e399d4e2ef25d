// The numbers act and scene-information elements are shown with after
// their own text: on screen, on paper and in the exported files alike. The
// elements store only what the writer typed.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace qm {

class TScriptDocument;
struct TScriptElement;

// Act information, act start and end of act: the kinds whose act the
// screen names after their text.
bool ShowsActLabel(Byte kind);

// Those and the prologue: the screen names a prologue's act too, though
// paper and the exported files leave it as typed.
bool ShowsActLabelOnScreen(Byte kind);

// The displayed number of an act (10, 13), end of act (15, "ACT " before
// it) or scene-information element (11, 19) in the script's numbering
// style, with a blank before it unless the element's text ends in one.
// Empty for other kinds, for a number of 0 and for an end of act that ends
// the show.
std::string NumberedElementText(const TScriptDocument& script, const TScriptElement& element);

// Shown after an act element for which no act number was found.
inline constexpr std::string_view MissingActNumberText = " Act ?????";

// What the screen adds after an act element (10, 13, 14, 15): its number
// text, or " Act ?????" when no act number was found for it; on paper the
// stand-in and a prologue's number are left out.
std::string ActLabelText(const TScriptDocument& script, const TScriptElement& element, bool onScreen);

}  // namespace qm
