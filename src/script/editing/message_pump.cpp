#include "script/editing/message_pump.h"

#include "platform/forms.h"
#include "platform/messages.h"
#include "script/layout/editor_state.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/scoped_state.h"

namespace qm {

namespace {

int jobDepth = 0;

const GlobalState reset([] { jobDepth = 0; });

}  // namespace

LongJob::LongJob() { ++jobDepth; }

LongJob::~LongJob() {
  if (--jobDepth > 0) return;
  if (TMDIChild* script = ActiveScript()) script->ReplayTypeAhead();
}

bool LongJobRunning() { return jobDepth > 0; }

namespace {

// What the pump sets while it runs, put back however the pump is left: a
// handler that throws must not leave every script refusing keys.
class PumpScope {
 public:
  PumpScope() : pumpBusy_(PumpBusy, 1), jobRunning_(JobRunning, 1), idle_(Application->OnIdle, nullptr) {}

 private:
  ScopedState<Byte> pumpBusy_;
  ScopedState<Byte> jobRunning_;
  ScopedState<TIdleEvent> idle_;
};

}  // namespace

void ProcessMessagesGuarded() {
  if (PumpBusy) return;
  PumpScope scope;
  Application->ProcessMessages();
}

bool IsKeyDown(Word virtualKey) { return IsKeyDownNow(virtualKey); }

void FlushMouseMessages() {
  TMsg msg;
  while (Application->Peek(msg, NullWindow, 512, 521, true)) {
  }
}

bool PumpDialogMessage(HWND window) {
  TMsg msg;
  if (!Application->Peek(msg, window, 0, 0, true)) return false;
  const bool keyMessage = msg.message == WM_KEYDOWN || msg.message == WM_CHAR;
  if (keyMessage) return Application->DeliverInput(msg);
  Application->Dispatch(msg);
  return false;
}

}  // namespace qm
