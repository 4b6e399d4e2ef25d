#include "platform/messages.h"

#include <algorithm>
#include <chrono>

#include "platform/forms.h"
#include "platform/ipc_atoms.h"
#include "platform/ipc_channel.h"
#include "platform/platform.h"

namespace qm {

namespace {

Platform& P() { return Platform::Current(); }

bool IsRemote(HWND window) { return window != NullWindow && window != HWND_BROADCAST && !IsOwnWindow(window); }

WireMessage ToWire(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WireMessage wire;
  wire.target = window;
  wire.source = Application ? Application->Handle() : NullWindow;
  wire.message = message;
  if (message >= FirstRegisteredMessage) wire.registeredName = P().RegisteredName(message);
  wire.wParam = wParam;
  wire.lParam = lParam;
  return wire;
}

}  // namespace

UINT RegisterWindowMessage(const std::string& name) { return P().RegisterName(name); }

UINT RegisterIncomingMessage(const std::string& name) {
  const UINT id = P().RegisterName(name);
  P().AcceptFromOtherProcesses(id);
  return id;
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) {
    if (auto* ipc = P().Ipc()) ipc->Broadcast(ToWire(window, message, wParam, lParam));
    Application->Post(TMsg{Application->Handle(), message, wParam, lParam, 0, {}});
    return true;
  }
  if (IsRemote(window)) {
    auto* ipc = P().Ipc();
    return ipc && ipc->Post(ToWire(window, message, wParam, lParam));
  }
  if (window != NullWindow && !P().WindowFromHandle(window)) return false;
  Application->Post(TMsg{window, message, wParam, lParam, 0, {}});
  return true;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsRemote(window)) {
    auto* ipc = P().Ipc();
    if (!ipc) return 0;
    auto answer = ipc->Send(ToWire(window, message, wParam, lParam), 5000, [](const WireMessage& other) {
      if (std::optional<TMsg> msg = P().IncomingMessage(other)) Application->Post(*msg);
    });
    return answer.value_or(0);
  }
  TWinControl* target = P().WindowFromHandle(window);
  if (!target) return 0;
  TMessage m{message, wParam, lParam, 0};
  target->WndProc(m);
  return m.Result;
}

bool IsWindow(HWND window) {
  if (IsRemote(window)) {
    auto* ipc = P().Ipc();
    if (!ipc) return false;
    for (HWND other : ipc->OtherTopLevelWindows())
      if (other == window) return true;
    return false;
  }
  return P().WindowFromHandle(window) != nullptr;
}

bool WaitForPostedMessage(TMsg& msg, HWND window, UINT message, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  for (;;) {
    P().ReceiveFromOtherInstances();
    if (Application && message != 0 && Application->Peek(msg, window, message, message, true)) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    // Nothing else can bring the message but another process.
    if (auto* ipc = P().Ipc()) ipc->Wait(static_cast<int>(std::min<long long>(left, 50)));
    else return false;
  }
}

HWND FindWindow(const std::string& className, const std::string& title) {
  auto matches = [&](const std::string& cls, const std::string& text) {
    return (className.empty() || cls == className) && (title.empty() || text == title);
  };
  if (Application && matches("TApplication", Application->Title())) return Application->Handle();
  for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
    TForm* form = Screen->Forms(i);
    if (form->FormStyle != TFormStyle::fsMDIChild && form->HandleAllocated() &&
        matches(form->WindowClass, form->Caption()))
      return form->Handle();
  }
  if (auto* ipc = P().Ipc()) return ipc->FindWindow(className, title).value_or(NullWindow);
  return NullWindow;
}

std::string GetWindowText(HWND window) {
  if (TWinControl* w = P().WindowFromHandle(window)) {
    if (Application && window == Application->Handle()) return Application->Title();
    return w->Caption();
  }
  return {};
}

bool ShowWindow(HWND window, int command) {
  if (IsRemote(window)) return PostMessage(window, RegisterWindowMessage(ShowWindowRequestName), command, 0);
  TWinControl* w = P().WindowFromHandle(window);
  if (!w) return false;
  if (Application && window == Application->Handle()) {
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) Application->Minimize();
    else if (command == SW_RESTORE || command == SW_SHOWNORMAL) Application->Restore();
    return true;
  }
  auto* form = dynamic_cast<TForm*>(w);
  switch (command) {
    case SW_HIDE: w->Visible = false; break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      if (form) form->WindowState = TWindowState::wsMinimized;
      break;
    case SW_SHOWMAXIMIZED:
      if (form) form->WindowState = TWindowState::wsMaximized;
      w->Visible = true;
      break;
    case SW_RESTORE:
      if (form) form->WindowState = TWindowState::wsNormal;
      w->Visible = true;
      break;
    default: w->Visible = true; break;
  }
  return true;
}

bool SetForegroundWindow(HWND window) {
  if (IsRemote(window)) return PostMessage(window, RegisterWindowMessage(ShowWindowRequestName), SW_SHOW, 1);
  if (Application && window == Application->Handle()) {
    Application->BringToFront();
    return true;
  }
  auto* form = dynamic_cast<TForm*>(P().WindowFromHandle(window));
  if (!form) return false;
  form->BringToFront();
  form->Activate();
  return true;
}

bool BringWindowToTop(HWND window) { return SetForegroundWindow(window); }

bool IsIconic(HWND window) {
  if (Application && window == Application->Handle()) return Application->Minimized();
  auto* form = dynamic_cast<TForm*>(P().WindowFromHandle(window));
  return form && form->WindowState == TWindowState::wsMinimized;
}

bool EnableWindow(HWND window, bool enable) {
  TWinControl* w = P().WindowFromHandle(window);
  if (!w) return false;
  const bool wasDisabled = !w->Enabled;
  w->Enabled = enable;
  return wasDisabled;
}

ATOM GlobalAddAtom(const std::string& name) { return P().Atoms().Add(name); }
ATOM GlobalFindAtom(const std::string& name) { return P().Atoms().Find(name); }
std::string GlobalGetAtomName(ATOM atom) { return P().Atoms().GetName(atom); }
ATOM GlobalDeleteAtom(ATOM atom) { return P().Atoms().Delete(atom); }

void DeleteGlobalAtom(ATOM atom) {
  for (int i = 0; i < 254 && GlobalDeleteAtom(atom) == 0; ++i) {
  }
}

bool IsKeyDownNow(Word virtualKey) { return P().KeyDown(virtualKey); }

short GetKeyState(Word virtualKey) {
  short state = 0;
  if (P().KeyDown(virtualKey)) state = static_cast<short>(0x8000);
  if (P().KeyToggled(virtualKey)) state |= 1;
  return state;
}

TShiftState ShiftKeysHeld() {
  TShiftState held;
  if (P().KeyDown(VK_SHIFT)) held.Bits |= ssShift;
  if (P().KeyDown(VK_CONTROL)) held.Bits |= ssCtrl;
  if (P().KeyDown(VK_MENU)) held.Bits |= ssAlt;
  return held;
}

bool CreateCaret(HWND window, int width, int height) {
  auto& caret = P().Caret();
  caret = CaretState{window, width, height, {}, 1};
  P().backend().CaretChanged();
  return true;
}

bool DestroyCaret() {
  P().Caret() = CaretState{};
  P().backend().CaretChanged();
  return true;
}

bool SetCaretPos(int x, int y) {
  P().Caret().pos = TPoint{x, y};
  P().backend().CaretChanged();
  return true;
}

TPoint GetCaretPos() { return P().Caret().pos; }

bool ShowCaret(HWND window) {
  auto& caret = P().Caret();
  if (caret.owner == NullWindow || (window != NullWindow && window != caret.owner)) return false;
  if (caret.hideLevel > 0) --caret.hideLevel;
  P().backend().CaretChanged();
  return true;
}

bool HideCaret(HWND window) {
  auto& caret = P().Caret();
  if (caret.owner == NullWindow || (window != NullWindow && window != caret.owner)) return false;
  ++caret.hideLevel;
  P().backend().CaretChanged();
  return true;
}

bool LockWindowUpdate(HWND window) {
  if (window != NullWindow && P().LockedWindow != NullWindow) return false;
  const HWND previous = P().LockedWindow;
  P().LockedWindow = window;
  if (window == NullWindow && previous != NullWindow)
    if (TWinControl* w = P().WindowFromHandle(previous)) w->Invalidate();
  return true;
}

void MessageBeep(unsigned type) {
  SoundKind kind = SoundKind::DefaultBeep;
  switch (type & 0xF0) {
    case MB_ICONHAND: kind = SoundKind::Hand; break;
    case MB_ICONQUESTION: kind = SoundKind::Question; break;
    case MB_ICONEXCLAMATION: kind = SoundKind::Exclamation; break;
    case MB_ICONASTERISK: kind = SoundKind::Asterisk; break;
    default: break;
  }
  P().backend().PlaySound(kind, "");
}

bool PlaySoundNamed(const std::string& name) {
  P().backend().PlaySound(name == "Default Beep" ? SoundKind::DefaultBeep : SoundKind::Named, name);
  return true;
}

std::uint64_t GetTickCount64() { return P().backend().TickCount64(); }

}  // namespace qm
