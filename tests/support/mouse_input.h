// The mouse as the desktop delivers it to a script window: a character's
// point on the screen, and button messages at a point.
#pragma once

#include <optional>

#include "platform/types.h"
#include "script/script_window.h"

namespace qm::testing {

// The button and key bits of a mouse message.
constexpr unsigned MouseLeft = 0x01;
constexpr unsigned MouseShift = 0x04;

// The middle of a character of an element shown on its first line;
// nothing when that line is off the screen.
std::optional<TPoint> ScreenPointOf(TMDIChild& w, const TScriptElement& e, int column);
// A mouse message at a client point; keys as the desktop sends them.
void SendMouse(TMDIChild& w, UINT message, unsigned keys, TPoint at);

}  // namespace qm::testing
