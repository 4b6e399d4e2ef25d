// Where a character of a script shows on the screen, and mouse messages
// delivered to the script window there as the desktop delivers them.
#pragma once

#include "platform/types.h"

namespace qm {
class TMDIChild;
struct TScriptElement;
}  // namespace qm

namespace qm::testing {

// The button and key bits of a mouse message.
constexpr unsigned MouseLeft = 0x01;
constexpr unsigned MouseShift = 0x04;

// The middle of a character of an element shown on its first line (a
// failure of the test when the element is not on the screen).
TPoint ScreenPointOf(TMDIChild& w, const TScriptElement* element, int column);
// A mouse message at a client point of the script window; keys as the
// desktop sends them.
void MouseAt(TMDIChild& w, UINT message, unsigned keys, TPoint at);

}  // namespace qm::testing
