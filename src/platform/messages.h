// Window messages, window search and global atoms, in the shape the
// program's code calls them. Windows of this process are reached in
// memory; windows of another process of the program through the channel
// between instances.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

UINT RegisterWindowMessage(const std::string& name);
// Registers a message other processes may send us. Only such messages are
// taken from outside, with their arguments as plain numbers: whatever else
// another process sends is dropped.
UINT RegisterIncomingMessage(const std::string& name);
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Delivers at once and returns the answer; a window of another process
// answers within the timeout or the result is 0.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool IsWindow(HWND window);
// Takes the first queued message for the window (any window for
// NullWindow) whose number is `message` out of the queue, waiting for
// other processes' messages for at most timeoutMs of real time. Whatever
// else arrives meanwhile stays queued in order.
bool WaitForPostedMessage(TMsg& msg, HWND window, UINT message, int timeoutMs);
// A top-level window by its class and title (empty matches any), in this
// process first, then in the other running instances.
HWND FindWindow(const std::string& className, const std::string& title);
std::string GetWindowText(HWND window);

// The private message another instance sends to have us show or raise a
// window of ours (ShowWindow and SetForegroundWindow across processes).
inline constexpr const char* ShowWindowRequestName = "QuillmasterShowWindow";

enum : int {
  SW_HIDE = 0,
  SW_SHOWNORMAL = 1,
  SW_SHOWMINIMIZED = 2,
  SW_SHOWMAXIMIZED = 3,
  SW_SHOW = 5,
  SW_MINIMIZE = 6,
  SW_RESTORE = 9
};
bool ShowWindow(HWND window, int command);
bool SetForegroundWindow(HWND window);
bool BringWindowToTop(HWND window);
bool IsIconic(HWND window);
bool EnableWindow(HWND window, bool enable);

ATOM GlobalAddAtom(const std::string& name);
ATOM GlobalFindAtom(const std::string& name);
std::string GlobalGetAtomName(ATOM atom);
// Returns 0 when the atom was released, the atom itself when it did not exist.
ATOM GlobalDeleteAtom(ATOM atom);
// Releases a global atom completely: one reference at a time while that
// succeeds, at most 254 times.
void DeleteGlobalAtom(ATOM atom);

// Keyboard state as the desktop last reported it.
bool IsKeyDownNow(Word virtualKey);
short GetKeyState(Word virtualKey);
// Shift, Ctrl and Alt as held now (for a mouse road that tells no keys).
TShiftState ShiftKeysHeld();

// The caret of the window that has the focus.
bool CreateCaret(HWND window, int width, int height);
bool DestroyCaret();
bool SetCaretPos(int x, int y);
TPoint GetCaretPos();
bool ShowCaret(HWND window);
bool HideCaret(HWND window);

// Redrawing of one window is suspended while it is locked (0 unlocks).
bool LockWindowUpdate(HWND window);

void MessageBeep(unsigned type);
// Plays a named system sound ("Default Beep") or a sound file, without
// waiting for it; an empty name stops the sound file that plays.
bool PlaySoundNamed(const std::string& name);

// Milliseconds since start-up on the platform's monotonic clock.
std::uint64_t GetTickCount64();

}  // namespace qm
