// The program's messages and questions: one entry routine per kind of
// the one message box, and the file-error report in the platform's box.
#pragma once

#include <functional>
#include <string>

#include "platform/types.h"
#include "base/message_box_form.h"

namespace qm {

// The one box; null until first used or created at start-up.
extern TMyNewMsgBox* MyNewMsgBox;
// The box, created (owned by the application) when there is none yet.
TMyNewMsgBox& MsgBoxInstance();

// Where the box meets windows built elsewhere. Each owner sets its
// members when it comes into being; an empty member means nothing to do.
struct TMessageBoxHooks {
  // True while the splash screen still sets the program up.
  std::function<bool()> StartupRunning;
  std::function<bool()> ProgressDialogVisible;
  // Moves the progress dialog off the screen while a box shows, and back.
  std::function<void()> ProgressDialogHideNow;
  std::function<void()> ProgressDialogShowNow;
  std::function<void(bool enabled)> EnableProgressDialog;
  std::function<void()> ClearPendingIoError;
};
extern TMessageBoxHooks MessageBoxHooks;
bool StartupFinished();

void ShowMessageBox(const std::string& text, const std::string& caption);
bool AskYesNo(const std::string& text, const std::string& caption, bool defaultYes);
TModalResult AskAbortRetry(const std::string& text, const std::string& caption, bool defaultRetry);
TModalResult AskYesNoCancel(const std::string& text, const std::string& caption, bool defaultFirst);
// True only when the user typed YES.
bool AskTypeYes(const std::string& text, const std::string& caption);
bool AskOkCancel(const std::string& text, const std::string& caption);
// 'A', 'B', or the zero character when cancelled.
char AskDrive(const std::string& text, const std::string& caption, bool defaultFirst);
TModalResult AskOkSkipCancel(const std::string& text, const std::string& caption, bool defaultFirst);
TModalResult AskOkSkipCancelAll(const std::string& text, const std::string& caption, bool defaultFirst);
// Ok, Skip, Edit (mrEdit) and Cancel.
TModalResult AskOkSkipEditAll(const std::string& text, const std::string& caption, bool defaultFirst);
// 100 when Adjust was chosen, else 250.
Byte AskCheatOrAdjust(const std::string& text, const std::string& caption);
TModalResult AskYesNoHelp(const std::string& text, const std::string& caption, bool defaultYes, int helpContext);
TModalResult AskNameOrPath(const std::string& text, const std::string& caption, bool defaultFirst);

// The "Please Wait" notice stays up while a job runs; a Cancel press in
// it leaves mrCancel for GetMsgBoxResult.
void ShowPleaseWait(const std::string& text, bool padText, bool withCancel);
void TickPleaseWait();
void ClosePleaseWait();

// While it lives, a "Please Wait" notice that is up stands above the
// screen, so that it never covers a dialog asked meanwhile; it comes back
// where it was after.
class PleaseWaitAside {
 public:
  PleaseWaitAside();
  ~PleaseWaitAside();
  PleaseWaitAside(const PleaseWaitAside&) = delete;
  PleaseWaitAside& operator=(const PleaseWaitAside&) = delete;

 private:
  TMyNewMsgBox* notice_ = nullptr;
  int top_ = 0;
};

// The old runtime had no number for a write past the process's file-size
// limit; this one is ours, so that it is not taken for a full disk.
constexpr Byte FileTooLargeError = 199;

void ShowFileError(const std::string& description, Byte code);
// The same with the cause in words of its own, where the runtime's number
// would not tell it.
void ShowFileError(const std::string& description, const std::string& cause);
std::string FileErrorText(Byte code);

std::string NormalizeCaption(const std::string& caption);
TModalResult GetMsgBoxResult();
void SetMsgBoxResult(TModalResult value);
void BeepExclamation();
// Gives the focus to a window that still exists; anything else is ignored.
void RestoreFocusWindow(HWND window);

}  // namespace qm
