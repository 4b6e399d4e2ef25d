#include "platform/platform.h"

#include <unistd.h>

#include <cassert>

#include "platform/clipboard.h"
#include "platform/cp1252.h"
#include "platform/end_signals.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/ipc_atoms.h"
#include "platform/ipc_channel.h"
#include "platform/messages.h"
#include "platform/printer.h"

namespace qm {

namespace {
Platform* current = nullptr;
}

Platform::Platform(std::unique_ptr<Backend> backend, PlatformOptions options)
    : backend_(std::move(backend)), options_(std::move(options)) {
  assert(current == nullptr && "one platform at a time");
  current = this;
  if (!options_.runtimeFolder.empty()) {
    ipc_ = std::make_unique<IpcChannel>(options_.runtimeFolder);
    if (ipc_->Ok()) backend_->WatchDescriptor(ipc_->Fd());
    AcceptFromOtherProcesses(RegisterName(ShowWindowRequestName));
  }
  screen = std::make_unique<TScreen>();
  Screen = screen.get();
  application = std::make_unique<TApplication>();
  Application = application.get();
  clipboard = std::make_unique<TClipboard>();
  printer = std::make_unique<TPrinter>();
}

Platform::~Platform() {
  // Forms still open go before the application and screen they use.
  while (Screen && Screen->FormCount() > 0) delete Screen->Forms(Screen->FormCount() - 1);
  printer.reset();
  clipboard.reset();
  application.reset();
  Application = nullptr;
  screen.reset();
  Screen = nullptr;
  ipc_.reset();
  endSignals_.reset();
  current = nullptr;
}

Platform& Platform::Current() {
  assert(current != nullptr && "no platform is running");
  return *current;
}

bool Platform::Exists() { return current != nullptr; }

HWND Platform::AllocateHandle(TWinControl* control) {
  const HWND handle = MakeWindowHandle(static_cast<std::uint32_t>(getpid()), nextHandle_++);
  windows_[handle] = control;
  return handle;
}

void Platform::ReleaseHandle(HWND handle) {
  windows_.erase(handle);
  if (caret_.owner == handle) caret_ = CaretState{};
}

TWinControl* Platform::WindowFromHandle(HWND handle) const {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second;
}

std::vector<TWinControl*> Platform::AllWindows() const {
  std::vector<TWinControl*> result;
  for (const auto& [handle, control] : windows_) result.push_back(control);
  return result;
}

void Platform::PublishWindows() {
  if (!ipc_ || !Application) return;
  std::vector<PublishedWindow> published;
  published.push_back(PublishedWindow{Application->Handle(), "TApplication", Application->Title()});
  for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
    TForm* form = Screen->Forms(i);
    if (form->FormStyle == TFormStyle::fsMDIChild || !form->Visible || !form->HandleAllocated()) continue;
    // Other programs see the text of the title bar.
    const std::string& title = form->TitleBarText().empty() ? form->Caption() : form->TitleBarText();
    published.push_back(PublishedWindow{form->Handle(), form->WindowClass, title});
  }
  ipc_->PublishWindows(published);
}

UINT Platform::RegisterName(const std::string& name) {
  if (name.empty()) return 0;
  const std::string key = AnsiUpperCase(name);
  if (auto it = ids_.find(key); it != ids_.end()) return it->second;
  const UINT id = FirstRegisteredMessage + static_cast<UINT>(ids_.size());
  if (id > 0xFFFF) return 0;
  ids_[key] = id;
  names_[id] = name;
  return id;
}

std::string Platform::RegisteredName(UINT id) const {
  auto it = names_.find(id);
  return it == names_.end() ? std::string() : it->second;
}

UINT Platform::FindRegisteredName(const std::string& name) const {
  auto it = ids_.find(AnsiUpperCase(name));
  return it == ids_.end() ? 0 : it->second;
}

void Platform::AcceptFromOtherProcesses(UINT id) {
  if (id >= FirstRegisteredMessage) incoming_.insert(id);
}

std::optional<TMsg> Platform::IncomingMessage(const WireMessage& wire) {
  // A name we never registered means nothing here, and must not fill our table.
  const UINT local = wire.isReply || wire.registeredName.empty() ? 0 : FindRegisteredName(wire.registeredName);
  if (!incoming_.contains(local) || !Application) return std::nullopt;
  const HWND target = wire.target == HWND_BROADCAST ? Application->Handle() : wire.target;
  if (!WindowFromHandle(target)) return std::nullopt;
  return TMsg{target, local, wire.wParam, wire.lParam, 0, {}};
}

void Platform::SetKeyDown(Word vk, bool down) {
  if (down) {
    if (!keysDown_.count(vk)) {
      if (toggled_.count(vk)) toggled_.erase(vk);
      else toggled_.insert(vk);
    }
    keysDown_.insert(vk);
  } else {
    keysDown_.erase(vk);
  }
}

SharedAtomTable& Platform::Atoms() {
  if (!atoms_) {
    std::string folder = options_.runtimeFolder;
    if (folder.empty()) folder = RuntimeFolder();
    atoms_ = std::make_unique<SharedAtomTable>(folder);
  }
  return *atoms_;
}

void Platform::CatchEndSignals() {
  if (endSignals_) return;
  endSignals_ = std::make_unique<EndSignals>();
  backend_->WatchDescriptor(endSignals_->Fd());
}

void Platform::ReceiveFromOtherInstances() {
  if (endSignals_ && Application)
    if (const int signal = endSignals_->Take())
      Application->Post(TMsg{Application->Handle(), WM_ENDSESSION, 1, static_cast<LPARAM>(signal), 0, {}});
  if (!ipc_ || !Application) return;
  for (WireMessage& wire : ipc_->Receive()) {
    std::optional<TMsg> msg = IncomingMessage(wire);
    if (wire.sendId != 0) {
      // A send from another process waits for our answer; a dropped one is
      // answered 0 at once.
      LRESULT result = 0;
      bool handled = false;
      if (msg && Application->OnMessage) Application->OnMessage(*msg, handled);
      if (msg && !handled)
        if (TWinControl* window = WindowFromHandle(msg->hwnd)) {
          TMessage m{msg->message, msg->wParam, msg->lParam, 0};
          window->WndProc(m);
          result = m.Result;
        }
      ipc_->Reply(wire, result);
      continue;
    }
    if (msg) Application->Post(*msg);
  }
}

}  // namespace qm
