// Plain value types of the platform layer: geometry, colours, keys,
// window handles and messages. The names follow the habits of the
// platform the program was first written for, so that the program's
// own code reads naturally; the values are our own.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

using Byte = std::uint8_t;
using Word = std::uint16_t;
using DWord = std::uint32_t;

// Window handles carry the owning process in the high half so that a
// handle found in another instance can be told apart from our own.
using HWND = std::uint64_t;
constexpr HWND NullWindow = 0;
constexpr HWND HWND_BROADCAST = 0xFFFF;
// The window commands a WM_SYSCOMMAND carries.
constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_MAXIMIZE = 0xF030;
constexpr unsigned SC_RESTORE = 0xF120;

using WPARAM = std::int64_t;
using LPARAM = std::int64_t;
using LRESULT = std::int64_t;
using ATOM = Word;
using UINT = std::uint32_t;

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }

// Colours are 0x00BBGGRR; negative values name system colours.
using TColor = std::int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clNone = 0x1FFFFFFF;

inline TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
// The plain colour a system colour stands for on this desktop.
TColor ColorToRGB(TColor color);

// Shift state of keys and mouse buttons.
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
struct TShiftState {
  unsigned Bits = 0;
  TShiftState() = default;
  TShiftState(unsigned bits) : Bits(bits) {}
  bool Contains(TShiftFlag f) const { return (Bits & f) != 0; }
  bool Empty() const { return Bits == 0; }
  friend bool operator==(const TShiftState&, const TShiftState&) = default;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Virtual-key codes the program's key handlers expect.
enum : Word {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_NUMPAD0 = 0x60,
  VK_MULTIPLY = 0x6A,
  VK_ADD = 0x6B,
  VK_SUBTRACT = 0x6D,
  VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70,
  VK_F2,
  VK_F3,
  VK_F4,
  VK_F5,
  VK_F6,
  VK_F7,
  VK_F8,
  VK_F9,
  VK_F10,
  VK_F11,
  VK_F12,
  VK_NUMLOCK = 0x90,
  VK_SCROLL = 0x91,
  VK_OEM_1 = 0xBA,       // ;:
  VK_OEM_PLUS = 0xBB,    // =+
  VK_OEM_COMMA = 0xBC,   // ,<
  VK_OEM_MINUS = 0xBD,   // -_
  VK_OEM_PERIOD = 0xBE,  // .>
  VK_OEM_2 = 0xBF,       // /?
  VK_OEM_3 = 0xC0,       // `~
  VK_OEM_4 = 0xDB,       // [{
  VK_OEM_5 = 0xDC,       // \|
  VK_OEM_6 = 0xDD,       // ]}
  VK_OEM_7 = 0xDE,       // '"
};

// Menu short cuts: a virtual key with the modifier bits above it.
using TShortCut = Word;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
inline TShortCut ShortCut(Word key, TShiftState shift) {
  TShortCut sc = key & 0xFF;
  if (shift.Contains(ssShift)) sc |= scShift;
  if (shift.Contains(ssCtrl)) sc |= scCtrl;
  if (shift.Contains(ssAlt)) sc |= scAlt;
  return sc;
}
// "Ctrl+S", "Shift+F12", "Alt+Bksp" and the like.
std::string ShortCutToText(TShortCut sc);
TShortCut TextToShortCut(const std::string& text);

// Results of a modal form.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;

// Window messages the program sends, receives or answers.
enum : UINT {
  WM_NULL = 0x0000,
  WM_DESTROY = 0x0002,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_GETTEXT = 0x000D,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUERYENDSESSION = 0x0011,
  WM_QUIT = 0x0012,
  WM_ENDSESSION = 0x0016,
  WM_ACTIVATEAPP = 0x001C,
  WM_GETMINMAXINFO = 0x0024,
  WM_GETDLGCODE = 0x0087,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSCHAR = 0x0106,
  WM_COMMAND = 0x0111,
  WM_SYSCOMMAND = 0x0112,
  WM_TIMER = 0x0113,
  WM_HSCROLL = 0x0114,
  WM_VSCROLL = 0x0115,
  WM_MOUSEFIRST = 0x0200,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
  WM_MBUTTONDBLCLK = 0x0209,
  WM_MOUSEWHEEL = 0x020A,
  WM_MOUSELAST = 0x020A,
  WM_MOUSELEAVE = 0x02A3,
  WM_DESTROYCLIPBOARD = 0x0307,
  WM_USER = 0x0400,
};
// Registered message numbers are handed out from here up.
constexpr UINT FirstRegisteredMessage = 0xC000;

struct TMsg {
  HWND hwnd = NullWindow;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWord time = 0;
  TPoint pt;
};

// A message as a window procedure sees it; Result is the answer.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// The size limits a window answers for WM_GETMINMAXINFO.
struct TMinMaxInfo {
  TPoint ptMaxSize;
  TPoint ptMaxPosition;
  TPoint ptMinTrackSize;
  TPoint ptMaxTrackSize;
};

}  // namespace qm
