// The running platform: one object that owns the backend and every piece
// of process-wide state the old program kept in the system (the window
// table, registered messages, the caret, key state, the clipboard format
// names). A test makes a fresh one and throws it away, so nothing leaks
// from one test to the next.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/types.h"

namespace qm {

class TApplication;
class TScreen;
class TPrinter;
class TClipboard;
class TWinControl;
class EndSignals;
class IpcChannel;
class SharedAtomTable;
struct WireMessage;

struct CaretState {
  HWND owner = NullWindow;
  int width = 0;
  int height = 0;
  TPoint pos;
  int hideLevel = 1;  // shown while zero or less
  bool Visible() const { return owner != NullWindow && hideLevel <= 0; }
};

struct PlatformOptions {
  // Where the channel between program instances lives; empty for none.
  std::string runtimeFolder;
};

class Platform {
 public:
  explicit Platform(std::unique_ptr<Backend> backend, PlatformOptions options = {});
  ~Platform();
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  static Platform& Current();
  static bool Exists();

  Backend& backend() { return *backend_; }

  // Window handles of this process.
  HWND AllocateHandle(TWinControl* control);
  void ReleaseHandle(HWND handle);
  TWinControl* WindowFromHandle(HWND handle) const;
  // Every window of this process, in creation order.
  std::vector<TWinControl*> AllWindows() const;
  // Tells other processes which top-level windows we have.
  void PublishWindows();

  // Registered window messages and clipboard formats share one table,
  // as they do on the old platform.
  UINT RegisterName(const std::string& name);
  std::string RegisteredName(UINT id) const;
  UINT FindRegisteredName(const std::string& name) const;

  CaretState& Caret() { return caret_; }

  bool KeyDown(Word vk) const { return keysDown_.count(vk) != 0; }
  void SetKeyDown(Word vk, bool down);
  bool KeyToggled(Word vk) const { return toggled_.count(vk) != 0; }

  IpcChannel* Ipc() { return ipc_.get(); }
  // Queues what other instances of the program posted to our windows, and
  // an end signal caught (see CatchEndSignals).
  void ReceiveFromOtherInstances();
  // From now on SIGTERM and SIGHUP no longer end the process at once: each
  // reaches the application window as WM_ENDSESSION (wParam 1, lParam the
  // signal) through the message queue, in the program's own time.
  void CatchEndSignals();
  // A registered message other processes may send us. Nothing else from
  // outside is taken: the old platform's own messages carry pointers into
  // the sender's memory, which another process must never make us follow.
  void AcceptFromOtherProcesses(UINT id);
  // The message as our queue holds it, or nullopt when it is dropped: only
  // a registered message we accept, to a window of ours or to all.
  std::optional<TMsg> IncomingMessage(const WireMessage& wire);
  SharedAtomTable& Atoms();

  // Suspends redrawing of one window (LockWindowUpdate).
  HWND LockedWindow = NullWindow;

 private:
  std::unique_ptr<Backend> backend_;
  PlatformOptions options_;
  std::uint32_t nextHandle_ = 1;
  std::map<HWND, TWinControl*> windows_;
  std::map<UINT, std::string> names_;
  std::map<std::string, UINT> ids_;  // by upper-cased name
  std::set<UINT> incoming_;
  CaretState caret_;
  std::set<Word> keysDown_;
  std::set<Word> toggled_;
  std::unique_ptr<IpcChannel> ipc_;
  std::unique_ptr<SharedAtomTable> atoms_;
  std::unique_ptr<EndSignals> endSignals_;

 public:
  // The objects the program reaches as globals; owned here.
  std::unique_ptr<TApplication> application;
  std::unique_ptr<TScreen> screen;
  std::unique_ptr<TPrinter> printer;
  std::unique_ptr<TClipboard> clipboard;
};

}  // namespace qm
