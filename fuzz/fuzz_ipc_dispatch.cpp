// Whatever another process of the user sends reaches our windows only as a
// registered message we accept from outside, to a window of ours: none of
// the old platform's own messages, whose arguments point into the sender.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/headless/headless_backend.h"
#include "platform/ipc.h"
#include "platform/ipc_channel.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "fuzz_check.h"

namespace {

using qm::fuzz::Check;

constexpr std::uint32_t kSeedProcess = 1234;  // the process the seeds name as ours

qm::UINT gAccepted = 0;

// A window of ours: of the registered messages only the accepted one
// reaches it.
class Target : public qm::TWinControl {
 public:
  Target() : TWinControl(nullptr) {}
  void WndProc(qm::TMessage& m) override {
    Check(m.Msg < qm::FirstRegisteredMessage || m.Msg == gAccepted);
    TWinControl::WndProc(m);
  }
};

struct Program {
  Program() : platform(std::make_unique<qm::HeadlessBackend>()) {
    gAccepted = qm::RegisterIncomingMessage("LoadName");
    qm::RegisterWindowMessage("ScriptQuery");  // ours, but not taken from outside
    target = std::make_unique<Target>();
    target->Handle();
  }
  qm::Platform platform;
  std::unique_ptr<Target> target;
};

Program& TheProgram() {
  static Program program;
  return program;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Program& program = TheProgram();
  std::optional<qm::WireMessage> wire = qm::DecodeWireMessage(data, size);
  if (!wire) return 0;
  // The seeds aim at a process of their own; their windows become ours.
  if (qm::ProcessOfWindow(wire->target) == kSeedProcess)
    wire->target = qm::MakeWindowHandle(qm::CurrentProcess(), static_cast<std::uint32_t>(wire->target));
  const qm::UINT before = qm::Platform::Current().FindRegisteredName(wire->registeredName);
  const std::optional<qm::TMsg> msg = program.platform.IncomingMessage(*wire);
  Check(qm::Platform::Current().FindRegisteredName(wire->registeredName) == before);
  if (!msg) return 0;
  Check(msg->message == gAccepted);
  Check(program.platform.WindowFromHandle(msg->hwnd) != nullptr);
  Check(msg->wParam == wire->wParam && msg->lParam == wire->lParam);
  qm::Application->Post(*msg);
  qm::Application->ProcessMessages();
  return 0;
}
