#include "platform/input.h"

#include <cctype>

#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/user_action.h"

namespace qm {

char CharacterOfKey(Word vk, TShiftState shift) {
  const bool ctrl = shift.Contains(ssCtrl);
  if (shift.Contains(ssAlt)) return 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return static_cast<char>(vk - 'A' + 1);
    return static_cast<char>(shift.Contains(ssShift) ? vk : vk + 32);
  }
  if (ctrl) return 0;
  switch (vk) {
    case VK_RETURN: return '\r';
    case VK_TAB: return '\t';
    case VK_BACK: return '\b';
    case VK_ESCAPE: return 27;
    case VK_SPACE: return ' ';
    default: break;
  }
  if (vk >= '0' && vk <= '9' && !shift.Contains(ssShift)) return static_cast<char>(vk);
  return 0;
}

namespace {

struct KeyChar {
  char plain;
  char shifted;
  Word vk;
};

constexpr KeyChar kPunctuation[] = {
    {'0', ')', '0'},          {'1', '!', '1'},          {'2', '@', '2'},           {'3', '#', '3'},
    {'4', '$', '4'},          {'5', '%', '5'},          {'6', '^', '6'},           {'7', '&', '7'},
    {'8', '*', '8'},          {'9', '(', '9'},          {';', ':', VK_OEM_1},      {'=', '+', VK_OEM_PLUS},
    {',', '<', VK_OEM_COMMA}, {'-', '_', VK_OEM_MINUS}, {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2},
    {'`', '~', VK_OEM_3},     {'[', '{', VK_OEM_4},     {'\\', '|', VK_OEM_5},     {']', '}', VK_OEM_6},
    {'\'', '"', VK_OEM_7},
};

}  // namespace

Word KeyOfCharacter(char ch, bool* shifted) {
  if (shifted) *shifted = false;
  const auto c = static_cast<unsigned char>(ch);
  if (c >= 'a' && c <= 'z') return static_cast<Word>(c - 32);
  if (c >= 'A' && c <= 'Z') {
    if (shifted) *shifted = true;
    return c;
  }
  if (c == ' ') return VK_SPACE;
  if (c == '\r') return VK_RETURN;
  if (c == '\t') return VK_TAB;
  if (c == '\b') return VK_BACK;
  for (const auto& k : kPunctuation) {
    if (k.plain == ch) return k.vk;
    if (k.shifted == ch) {
      if (shifted) *shifted = true;
      return k.vk;
    }
  }
  return 0;
}

namespace {

void Deliver(UINT message, WPARAM wParam, LPARAM lParam, bool* consumed = nullptr) {
  TMsg msg{NullWindow, message, wParam, lParam, 0, {}};
  const bool taken = Application->DeliverInput(msg);
  if (consumed) *consumed = taken;
}

}  // namespace

void SendKey(Word vk, TShiftState shift, char ch) {
  if (ch == 0) ch = CharacterOfKey(vk, shift);
  const bool alt = shift.Contains(ssAlt);
  {
    // The key and the character it types are one thing the user did.
    const TUserAction action;
    bool consumed = false;
    Deliver(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, shift.Bits, &consumed);
    if (!consumed && !alt && ch != 0) Deliver(WM_CHAR, static_cast<unsigned char>(ch), shift.Bits);
    if (!consumed && alt && vk >= 'A' && vk <= 'Z') Deliver(WM_SYSCHAR, vk + 32, shift.Bits);
  }
  Deliver(WM_KEYUP, vk, shift.Bits);
  Application->ProcessMessages();
}

void HoldKey(Word vk, TShiftState shift) {
  Deliver(shift.Contains(ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, shift.Bits);
  Application->ProcessMessages();
}

void ReleaseKey(Word vk, TShiftState shift) {
  Deliver(WM_KEYUP, vk, shift.Bits);
  Application->ProcessMessages();
}

void TypeText(const std::string& text) {
  for (char ch : text) {
    bool shifted = false;
    const Word vk = KeyOfCharacter(ch, &shifted);
    SendKey(vk, shifted ? TShiftState(ssShift) : TShiftState(), ch);
  }
}

namespace {

LPARAM PointParam(int x, int y) { return (static_cast<LPARAM>(y & 0xFFFF) << 16) | (x & 0xFFFF); }

WPARAM ButtonKeys(TMouseButton button, TShiftState shift) {
  WPARAM keys = 0;
  if (shift.Contains(ssShift)) keys |= 0x04;
  if (shift.Contains(ssCtrl)) keys |= 0x08;
  if (button == TMouseButton::mbLeft) keys |= 0x01;
  if (button == TMouseButton::mbRight) keys |= 0x02;
  if (button == TMouseButton::mbMiddle) keys |= 0x10;
  return keys;
}

void MouseMessage(TControl& control, UINT message, WPARAM keys, int x, int y) {
  if (auto* win = dynamic_cast<TWinControl*>(&control)) {
    TMsg msg{win->Handle(), message, keys, PointParam(x, y), 0, {}};
    Application->DeliverInput(msg);
  } else {
    control.Perform(message, keys, PointParam(x, y));
  }
}

}  // namespace

void ClickAt(TControl& control, int x, int y, TMouseButton button, TShiftState shift) {
  const WPARAM keys = ButtonKeys(button, shift);
  const UINT down = button == TMouseButton::mbLeft    ? WM_LBUTTONDOWN
                    : button == TMouseButton::mbRight ? WM_RBUTTONDOWN
                                                      : WM_MBUTTONDOWN;
  MouseMessage(control, down, keys, x, y);
  MouseMessage(control, down + 1, keys & ~WPARAM(0x13), x, y);
  Application->ProcessMessages();
}

void DoubleClickAt(TControl& control, int x, int y) {
  ClickAt(control, x, y);
  MouseMessage(control, WM_LBUTTONDBLCLK, 0x01, x, y);
  MouseMessage(control, WM_LBUTTONUP, 0, x, y);
  Application->ProcessMessages();
}

void MovePointerOnto(TControl& control) {
  MouseMessage(control, WM_MOUSEMOVE, 0, control.Width() / 2, control.Height() / 2);
  Application->ProcessMessages();
}

void DragAt(TControl& control, TPoint from, TPoint to) {
  MouseMessage(control, WM_LBUTTONDOWN, 0x01, from.X, from.Y);
  MouseMessage(control, WM_MOUSEMOVE, 0x01, to.X, to.Y);
  MouseMessage(control, WM_LBUTTONUP, 0, to.X, to.Y);
  Application->ProcessMessages();
}

}  // namespace qm
