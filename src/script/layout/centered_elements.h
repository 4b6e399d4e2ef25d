// Two small layout decisions: elements of the kinds the script centres sit
// in the middle of their line, their left margin raised by half the room
// their text leaves; and whether a scene runs on past a page break, which
// decides the CONTINUED lines at the foot and the top of the pages.
#pragma once

#include <string_view>

#include "script/model/script_model.h"

namespace qm {

class TMDIChild;
struct TPageMetrics;

// Whether the script centres elements of this kind.
bool IsCenteredKind(const TMDIChild& window, Byte kind);

// The base margins of the element's kind before centring: a character
// name the Dialogue margins (or its A/V column's), a Transition the
// Transition's left margin, a Centered Title, act and scene information
// those of their formats. Other kinds keep their own.
void ResetElementMargins(const TMDIChild& window, TElementFormat& format, Byte avColumn);

// The element's format centred for the text when its kind is centred: the
// base margins, then the left margin raised by (available width - text
// width) div 60 tenths at 300 dots per inch; a text too wide stays where it
// is. Other kinds keep their format.
TElementFormat CenteredFormat(const TMDIChild& window, const TScriptElement& element, std::string_view text,
                              const TPageMetrics& page);
// The same on the element's own format, on the current page.
void CenterElementMargin(TMDIChild& window, TScriptElement& element, std::string_view text);

// Whether the scene goes on past the break: not at a forced break, not at
// the end of the script, not when the next shown element opens a scene or
// an act. Notes and hidden elements are passed over, and in a script with
// locked pages so are locked and A-page breaks with the empty elements
// before them.
bool SceneContinuesPastBreak(const TMDIChild& window, const TScriptElement& pageBreak);

}  // namespace qm
