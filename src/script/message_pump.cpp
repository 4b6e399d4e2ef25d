#include "script/message_pump.h"

#include "platform/forms.h"
#include "platform/messages.h"
#include "script/editor_state.h"
#include "shell/global_state.h"

namespace qm {

Byte InsertMode;
Byte InteractiveEdit;
Byte PumpBusy;
Byte JobRunning;

namespace {

JobEndedHook jobEnded = nullptr;

const GlobalState reset([] {
  InsertMode = 1;
  InteractiveEdit = 1;
  PumpBusy = 0;
  JobRunning = 0;
  jobEnded = nullptr;
});

}  // namespace

void SetJobEndedHook(JobEndedHook hook) { jobEnded = hook; }

void ProcessMessagesGuarded() {
  if (PumpBusy) return;
  PumpBusy = 1;
  const Byte wasRunning = JobRunning;
  JobRunning = 1;
  TIdleEvent idle = std::move(Application->OnIdle);
  Application->OnIdle = nullptr;
  Application->ProcessMessages();
  Application->OnIdle = std::move(idle);
  JobRunning = wasRunning;
  PumpBusy = 0;
  if (!JobRunning && jobEnded) jobEnded();
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
