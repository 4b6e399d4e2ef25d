// The key road from the desktop: Qt's keys as the virtual-key codes, shift
// bits and cp1252 characters the core's handlers expect.
#pragma once

#include <QKeyEvent>
#include <QMouseEvent>

#include <string>

#include "platform/types.h"

namespace qm {

// 0 for a key the core has no code for (dead keys, media keys).
Word VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
unsigned ShiftBitsOf(Qt::KeyboardModifiers modifiers);
// The characters a key press types, in cp1252: Ctrl+letter gives its
// control character, a composed (dead-key) character comes as Qt gives
// it, and a character the code page lacks is dropped.
std::string CharactersOf(const QKeyEvent& event, Word vk);
// The mouse state of a message's wParam (MK_LBUTTON, MK_SHIFT...).
WPARAM MouseKeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
LPARAM PointParam(int x, int y);
// The arrows, Home, End and the page keys: they move within a control.
bool IsNavigationKey(int qtKey);

}  // namespace qm
