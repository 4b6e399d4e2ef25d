#include "platform/types.h"

#include <cctype>
#include <cstdio>

namespace qm {

TColor ColorToRGB(TColor color) {
  if ((color & clSystemColor) == 0 || color == clNone) return color;
  switch (color & 0xFF) {
    case 2: return RGB(0, 0, 128);       // active caption
    case 3: return RGB(128, 128, 128);   // inactive caption
    case 5: return clWhite;              // window
    case 8: return clBlack;              // window text
    case 9: return clWhite;              // caption text
    case 13: return RGB(0, 0, 128);      // highlight
    case 14: return clWhite;             // highlight text
    case 15: return RGB(192, 192, 192);  // button face
    case 16: return RGB(128, 128, 128);  // button shadow
    case 17: return RGB(128, 128, 128);  // disabled text
    case 20: return clWhite;             // button highlight
    case 24: return RGB(255, 255, 225);  // info background
    default: return RGB(192, 192, 192);
  }
}

namespace {

struct KeyName {
  Word key;
  const char* name;
};

constexpr KeyName kKeyNames[] = {
    {VK_BACK, "Bksp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

std::string KeyText(Word key) {
  for (const auto& k : kKeyNames)
    if (k.key == key) return k.name;
  if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  switch (key) {
    case VK_OEM_1: return ";";
    case VK_OEM_PLUS: return "=";
    case VK_OEM_COMMA: return ",";
    case VK_OEM_MINUS: return "-";
    case VK_OEM_PERIOD: return ".";
    case VK_OEM_2: return "/";
    case VK_OEM_3: return "`";
    case VK_OEM_4: return "[";
    case VK_OEM_5: return "\\";
    case VK_OEM_6: return "]";
    case VK_OEM_7: return "'";
    default: return {};
  }
}

}  // namespace

std::string ShortCutToText(TShortCut sc) {
  std::string key = KeyText(sc & 0xFF);
  if (key.empty()) return {};
  std::string text;
  if (sc & scShift) text += "Shift+";
  if (sc & scCtrl) text += "Ctrl+";
  if (sc & scAlt) text += "Alt+";
  return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
  TShortCut mods = 0;
  std::string rest = text;
  for (;;) {
    auto take = [&](const char* prefix, TShortCut bit) {
      std::string p(prefix);
      if (rest.size() > p.size() && rest.compare(0, p.size(), p) == 0) {
        mods |= bit;
        rest.erase(0, p.size());
        return true;
      }
      return false;
    };
    if (!take("Shift+", scShift) && !take("Ctrl+", scCtrl) && !take("Alt+", scAlt)) break;
  }
  // Keys without a name (the mouse buttons among them) are no short cut.
  if (rest.empty()) return 0;
  for (int key = 1; key < 256; ++key)
    if (KeyText(static_cast<Word>(key)) == rest) return static_cast<TShortCut>(mods | key);
  return 0;
}

}  // namespace qm
