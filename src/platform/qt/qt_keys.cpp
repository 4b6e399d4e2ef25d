#include "platform/qt/qt_keys.h"

#include "platform/cp1252.h"
#include "platform/input.h"

namespace qm {

namespace {

struct KeyPair {
  int qt;
  Word vk;
};

// clang-format off
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},    {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},     {Qt::Key_Enter, VK_RETURN},     {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},   {Qt::Key_Alt, VK_MENU},         {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},  {Qt::Key_Escape, VK_ESCAPE},    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},      {Qt::Key_PageDown, VK_NEXT},    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},         {Qt::Key_Left, VK_LEFT},        {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},       {Qt::Key_Down, VK_DOWN},        {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},     {Qt::Key_NumLock, VK_NUMLOCK},  {Qt::Key_ScrollLock, VK_SCROLL},
    // Punctuation by the key that types it on a plain keyboard, shifted or not.
    {Qt::Key_Semicolon, VK_OEM_1},   {Qt::Key_Colon, VK_OEM_1},      {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},     {Qt::Key_Comma, VK_OEM_COMMA},  {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},   {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2},     {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},   {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},   {Qt::Key_Backslash, VK_OEM_5},  {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},    {Qt::Key_Exclam, '1'},          {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},       {Qt::Key_Dollar, '4'},          {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},      {Qt::Key_Ampersand, '7'},       {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},        {Qt::Key_ParenRight, '0'},
};
// clang-format on

constexpr KeyPair kKeypad[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Slash, VK_DIVIDE},
};

}  // namespace

Word VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<Word>(qtKey);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return static_cast<Word>(modifiers & Qt::KeypadModifier ? VK_NUMPAD0 + (qtKey - Qt::Key_0) : qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return static_cast<Word>(VK_F1 + (qtKey - Qt::Key_F1));
  if (modifiers & Qt::KeypadModifier)
    for (const auto& k : kKeypad)
      if (k.qt == qtKey) return k.vk;
  for (const auto& k : kKeys)
    if (k.qt == qtKey) return k.vk;
  return 0;
}

unsigned ShiftBitsOf(Qt::KeyboardModifiers modifiers) {
  unsigned bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= ssShift;
  if (modifiers & Qt::ControlModifier) bits |= ssCtrl;
  if (modifiers & Qt::AltModifier) bits |= ssAlt;
  return bits;
}

std::string CharactersOf(const QKeyEvent& event, Word vk) {
  const TShiftState shift(ShiftBitsOf(event.modifiers()));
  if (shift.Contains(ssAlt)) return {};
  if (shift.Contains(ssCtrl)) {
    const char c = CharacterOfKey(vk, shift);
    return c ? std::string(1, c) : std::string();
  }
  const QString text = event.text();
  if (text.isEmpty()) {
    const char c = vk ? CharacterOfKey(vk, shift) : 0;
    return c ? std::string(1, c) : std::string();
  }
  std::string out;
  for (const QChar ch : text) {
    const int byte = UnicodeToAnsi(ch.unicode());
    // Delete types nothing on the old platform, though X11 gives it a text.
    if (byte < 0 || byte == 0x7F) continue;
    out += static_cast<char>(byte);
  }
  return out;
}

WPARAM MouseKeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM keys = 0;
  if (buttons & Qt::LeftButton) keys |= 0x01;
  if (buttons & Qt::RightButton) keys |= 0x02;
  if (modifiers & Qt::ShiftModifier) keys |= 0x04;
  if (modifiers & Qt::ControlModifier) keys |= 0x08;
  if (buttons & Qt::MiddleButton) keys |= 0x10;
  return keys;
}

LPARAM PointParam(int x, int y) { return (static_cast<LPARAM>(y & 0xFFFF) << 16) | (x & 0xFFFF); }

bool IsNavigationKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return true;
    default: return false;
  }
}

}  // namespace qm
