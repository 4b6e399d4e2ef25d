#include "shell/app_messages.h"

#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/ipc_atoms.h"
#include "platform/messages.h"
#include "script/layout/editor_state.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/idle_loop.h"
#include "base/global_state.h"
#include "shell/main_form.h"
#include "base/message_boxes.h"
#include "base/program_busy.h"
#include "shell/program_start.h"
#include "shell/startup_setup.h"
#include "story/storyboard_protocol.h"

namespace qm {

std::array<TMsg, StoryboardQueueSize> StoryboardMessageQueue;
std::deque<std::string> PendingHandOffs;
UINT ScriptQueryMessage, ScriptActionMessage, ScriptQueryResponseMessage, ScriptActionResponseMessage;
std::function<void(const TMsg&)> ProcessStoryboardMessage;

namespace {

void OpenHandedOffFile(const std::string& name);

const GlobalState reset([] {
  StoryboardMessageQueue.fill(TMsg{});
  PendingHandOffs.clear();
  ScriptQueryMessage = ScriptActionMessage = ScriptQueryResponseMessage = ScriptActionResponseMessage = 0;
  ProcessStoryboardMessage = nullptr;
});

bool IsStoryboardMessage(UINT m) {
  return m != 0 && (m == ScriptQueryMessage || m == ScriptActionMessage || m == ScriptQueryResponseMessage ||
                    m == ScriptActionResponseMessage);
}

// "LoadName": the atom names a file (with the blank a second instance
// puts after every parameter) to open, or switches and a file. Only a
// string atom can name one.
void LoadNamedFile(LPARAM lParam) {
  const auto atom = static_cast<ATOM>(lParam & 0xFFFF);
  if (atom < FirstStringAtom) return;
  std::string text = GlobalGetAtomName(atom);
  if (text.empty()) return;
  DeleteGlobalAtom(atom);
  const std::string name = ScriptNameFromCommandLine(SplitHandOffText(text));
  PendingHandOffs.push_back(LongPathName(CommandLineScriptPath(name, false)));
  OpenHandedOffFiles();
}

void OpenHandedOffFile(const std::string& name) {
  // A folder or a file that cannot be read is refused by the open, with its reason.
  const bool found = ScriptThereToOpen(name);
  if (!found) ShowMessageBox("Unable to find " + PathToText(name), "Attention");
  const bool opened = found && OpenScriptByName(name);
  if (!StartupFileHandedOff.empty() && name == StartupFileHandedOff) {
    StartupFileHandedOff.clear();
    if (!opened) StartupFileFailed = true;
  }
}

}  // namespace

void OpenHandedOffFiles() {
  while (!ProgramBusy && !PendingHandOffs.empty()) {
    const std::string name = PendingHandOffs.front();
    PendingHandOffs.pop_front();
    OpenHandedOffFile(name);
  }
}

void RegisterStoryboardMessages() {
  ScriptQueryMessage = story::StoryboardMessage("ScriptQuery");
  ScriptActionMessage = story::StoryboardMessage("ScriptAction");
  ScriptQueryResponseMessage = story::ScriptQueryResponse();
  ScriptActionResponseMessage = story::ScriptActionResponse();
  StoryboardMessageQueue.fill(TMsg{});
}

void QueueStoryboardMessage(const TMsg& msg) {
  for (TMsg& record : StoryboardMessageQueue)
    if (record.message == 0) {
      record = msg;
      return;
    }
  StoryboardMessageQueue.back() = msg;
}

void DrainStoryboardQueue() {
  if (StoryboardMessageQueue.front().message == 0) return;
  if (ProcessStoryboardMessage)
    for (const TMsg& record : StoryboardMessageQueue) ProcessStoryboardMessage(record);
  StoryboardMessageQueue.fill(TMsg{});
}

std::string MainWindowText() { return TitleBarTextFor("Quillmaster for Windows"); }

std::string TitleBarTextFor(const std::string& caption) {
  if (NoActiveDocument()) return caption;
  return caption + " - [" + PathToText(ActiveScript()->ScriptFileName) + "]";
}

void TMainForm::HandleAppMessage(TMsg& msg, bool& handled) {
  if (msg.message == LoadNameMessage && LoadNameMessage != 0) {
    handled = true;
    LoadNamedFile(msg.lParam);
  } else if (msg.message == PasteStoryDevMessage && PasteStoryDevMessage != 0) {
    handled = true;
    StoryDevPastePending = Clipboard()->HasFormat(StoryDevClipboardFormat) ? 1 : 0;
    if (StoryDevPastePending) PostMessage(HWND_BROADCAST, RegisterWindowMessage("ThankYou"), 0, 0);
  } else if (IsStoryboardMessage(msg.message)) {
    handled = true;
    QueueStoryboardMessage(msg);
  } else if (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSCHAR && ElementPopDownList &&
             ElementPopDownList->Visible) {
    // While the element list shows, its keys are the list's, even when the
    // desktop gave the keyboard back to the script under it.
    msg.hwnd = ElementPopDownList->Handle();
  }
}

bool TMainForm::SessionMayEnd() {
  Application->Restore();
  Application->BringToFront();
  FocusActiveScript();
  return CloseQuery();
}

void TMainForm::EndWithTheSession() {
  // A script half read or half written is no script to keep: the end
  // waits for the file job (the idle step comes back here).
  SessionEndDue = JobRunning ? 1 : 0;
  if (SessionEndDue) return;
  WriteTimedBackups();
  Application->Terminate();
}

void TMainForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETMINMAXINFO:
      if (auto* info = reinterpret_cast<TMinMaxInfo*>(m.LParam)) info->ptMinTrackSize = TPoint{315, 400};
      return;
    case WM_GETTEXT: {
      // The caller's buffer and its size, at most size - 1 characters
      // and a terminating zero.
      auto* buffer = reinterpret_cast<char*>(m.LParam);
      const std::string text = MainWindowText();
      if (buffer && m.WParam > 0) {
        const size_t n = std::min(text.size(), static_cast<size_t>(m.WParam) - 1);
        text.copy(buffer, n);
        buffer[n] = '\0';
      }
      return;
    }
    case WM_DESTROYCLIPBOARD:
      // The clipboard owns what was placed on it; nothing is freed here.
      return;
    case WM_QUERYENDSESSION: m.Result = SessionMayEnd() ? 1 : 0; return;
    case WM_ENDSESSION:
      if (m.WParam) EndWithTheSession();
      return;
    default: TForm::WndProc(m);
  }
}

}  // namespace qm
