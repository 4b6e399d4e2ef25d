// Keyboard and mouse input in the order the desktop delivers it. The Qt
// backend feeds real events through here, and tests act as a user.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

class TControl;

// The character a key types with a shift state (0 when it types none):
// letters and digits, Enter, Tab, Backspace, Escape and Ctrl+letters.
char CharacterOfKey(Word vk, TShiftState shift);
// The key (with Shift) that types a character on a plain keyboard; 0 for
// characters typed another way.
Word KeyOfCharacter(char ch, bool* shifted = nullptr);

// A key press: key down to the focused window, the character it types
// unless a short cut or dialog key took it, then key up.
void SendKey(Word vk, TShiftState shift = {}, char ch = 0);
// A key held down, as a modifier is while other keys or the mouse are
// used: its key-down message alone.
void HoldKey(Word vk, TShiftState shift = {});
// A held key let go: its key-up message.
void ReleaseKey(Word vk, TShiftState shift = {});
// Types text one character at a time (cp1252).
void TypeText(const std::string& text);

// A mouse press and release at a client point of a control.
void ClickAt(TControl& control, int x, int y, TMouseButton button = TMouseButton::mbLeft, TShiftState shift = {});
void DoubleClickAt(TControl& control, int x, int y);
// The pointer moved onto the middle of a control, no button held.
void MovePointerOnto(TControl& control);
// A drag with the left button: pressed at a client point of the control,
// moved with the button held and released at another point, all reported
// to that control, as the desktop does while the button is held (the end
// may lie outside it, over another control).
void DragAt(TControl& control, TPoint from, TPoint to);

}  // namespace qm
