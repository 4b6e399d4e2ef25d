#include "base/message_boxes.h"

#include <algorithm>

#include "platform/messages.h"
#include "platform/platform.h"
#include "base/global_state.h"

namespace qm {

TMyNewMsgBox* MyNewMsgBox;
TMessageBoxHooks MessageBoxHooks;

namespace {

const GlobalState reset([] {
  delete MyNewMsgBox;
  MyNewMsgBox = nullptr;
  MessageBoxHooks = TMessageBoxHooks{};
});

constexpr int kDotMarkerLength = 8;
constexpr Byte kTicksPerDot = 150;

// Every modal entry routine: the box, then the focus back where it was.
TModalResult Ask(const std::string& text, const std::string& caption, bool defaultFirst, int kind,
                 bool giveFocusBack = true) {
  TMyNewMsgBox& box = MsgBoxInstance();
  const TModalResult result = box.Execute(text, caption, defaultFirst, kind);
  // A box still up is an earlier question that this request had to leave alone.
  if (giveFocusBack && !box.Modal() && box.SavedFocus != NullWindow) RestoreFocusWindow(box.SavedFocus);
  return result;
}

// Moves the marker on by one step: 1 to 8 dots, then none.
std::string NextDotMarker(const std::string& marker) {
  if (marker.size() >= kDotMarkerLength) return std::string(kDotMarkerLength, ' ');
  std::string next(marker.size() + 1, '.');
  next.resize(kDotMarkerLength, ' ');
  return next;
}

// The box's own window handles what is waiting for it, and nothing else.
void HandleMessagesOf(TMyNewMsgBox& box) {
  Platform::Current().backend().PumpEvents(false, 0);
  TMsg msg;
  while (Application->Peek(msg, box.Handle(), 0, 0, true)) Application->Dispatch(msg);
}

}  // namespace

TMyNewMsgBox& MsgBoxInstance() {
  if (!MyNewMsgBox) MyNewMsgBox = new TMyNewMsgBox(Application);
  return *MyNewMsgBox;
}

bool StartupFinished() { return !MessageBoxHooks.StartupRunning || !MessageBoxHooks.StartupRunning(); }

std::string NormalizeCaption(const std::string& caption) {
  if (caption.empty()) return "ATTENTION...";
  if (caption[0] != ' ' && caption[0] != '*') return caption;
  const auto first = caption.find_first_not_of(" *");
  if (first == std::string::npos) return std::string();
  const auto last = caption.find_last_not_of(" *");
  return caption.substr(first, last - first + 1) + "...";
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
  Ask(text, caption, true, MsgBoxInformation);
}

bool AskYesNo(const std::string& text, const std::string& caption, bool defaultYes) {
  return Ask(text, caption, defaultYes, MsgBoxYesNo, false) == mrYes;
}

TModalResult AskAbortRetry(const std::string& text, const std::string& caption, bool defaultRetry) {
  return Ask(text, caption, defaultRetry, MsgBoxAbortRetry);
}

TModalResult AskYesNoCancel(const std::string& text, const std::string& caption, bool defaultFirst) {
  return Ask(text, caption, defaultFirst, MsgBoxYesNoCancel);
}

bool AskTypeYes(const std::string& text, const std::string& caption) {
  const TModalResult result = Ask(text, caption, true, MsgBoxTypeYes);
  return result == mrOk && MsgBoxInstance().RequireYesText->Text() == "YES";
}

bool AskOkCancel(const std::string& text, const std::string& caption) {
  return Ask(text, caption, true, MsgBoxOkCancel) == mrOk;
}

char AskDrive(const std::string& text, const std::string& caption, bool defaultFirst) {
  switch (Ask(text, caption, defaultFirst, MsgBoxDrive)) {
    case mrYes: return 'A';
    case mrNo: return 'B';
    default: return '\0';
  }
}

TModalResult AskOkSkipCancel(const std::string& text, const std::string& caption, bool defaultFirst) {
  return Ask(text, caption, defaultFirst, MsgBoxOkSkipCancel);
}

TModalResult AskOkSkipCancelAll(const std::string& text, const std::string& caption, bool defaultFirst) {
  return Ask(text, caption, defaultFirst, MsgBoxOkSkipCancelAll);
}

TModalResult AskOkSkipEditAll(const std::string& text, const std::string& caption, bool defaultFirst) {
  return Ask(text, caption, defaultFirst, MsgBoxOkSkipEditCancel);
}

Byte AskCheatOrAdjust(const std::string& text, const std::string& caption) {
  return Ask(text, caption, true, MsgBoxCheatOrAdjust, false) == mrNo ? 100 : 250;
}

TModalResult AskYesNoHelp(const std::string& text, const std::string& caption, bool defaultYes, int helpContext) {
  MsgBoxInstance().HelpContext = helpContext;
  return Ask(text, caption, defaultYes, MsgBoxYesNoHelp);
}

TModalResult AskNameOrPath(const std::string& text, const std::string& caption, bool defaultFirst) {
  return Ask(text, caption, defaultFirst, MsgBoxNameOrPath);
}

void ShowPleaseWait(const std::string& text, bool padText, bool withCancel) {
  TMyNewMsgBox& box = MsgBoxInstance();
  box.PleaseWaitText = text;
  box.DotMarker.clear();
  box.TickCount = 0;
  const std::string shown = padText ? text + std::string(kDotMarkerLength, ' ') : text;
  box.Execute(shown + "\r", "* Please Wait *", true, withCancel ? MsgBoxPleaseWaitCancel : MsgBoxPleaseWait);
}

void TickPleaseWait() {
  TMyNewMsgBox& box = MsgBoxInstance();
  HandleMessagesOf(box);
  if (box.Modal() || ++box.TickCount < kTicksPerDot) return;
  box.TickCount = 0;
  box.DotMarker = NextDotMarker(box.DotMarker);
  box.MenuText->Caption = "\r\r" + box.PleaseWaitText + box.DotMarker + "\r";
  box.DotMarker.resize(std::min(box.DotMarker.find(' '), box.DotMarker.size()));
}

void ClosePleaseWait() {
  if (!MyNewMsgBox || MyNewMsgBox->Modal()) return;
  TMyNewMsgBox& box = *MyNewMsgBox;
  if (box.Visible) {
    box.Hide();
    if (TForm* form = Screen->ActiveForm()) form->Update();
  }
  if (box.SavedFocus != NullWindow) RestoreFocusWindow(box.SavedFocus);
}

PleaseWaitAside::PleaseWaitAside() {
  if (!MyNewMsgBox || !MyNewMsgBox->Visible || !MyNewMsgBox->IsNotice()) return;
  notice_ = MyNewMsgBox;
  top_ = notice_->Top;
  notice_->Top = -notice_->Height;
}

PleaseWaitAside::~PleaseWaitAside() {
  if (notice_ && notice_ == MyNewMsgBox && notice_->Visible) notice_->Top = top_;
}

std::string FileErrorText(Byte code) {
  switch (code) {
    case 2: return "File Not Found";
    case 3: return "Path Not Found";
    case 4: return "Too Many Open Files";
    case 5: return "File Access Denied";
    case 8: return "Not Enough Memory";
    case 100: return "Disk Read Error";
    case 101:
    case 112: return "Disk is Full";
    case 150: return "Disk is Write Protected.";
    case 152: return "Disk Drive isn't ready.";
    case 156: return "Disk Seek Error.";
    case 157: return "Unknown Media Type";
    case 158: return "Sector Not Found";
    case 160: return "Device Write Fault";
    case 161: return "Device Read Fault";
    case 162: return "Hardware Error";
    case FileTooLargeError: return "File is larger than the system allows this program to write";
    default: return "Error #" + std::to_string(code);
  }
}

void ShowFileError(const std::string& description, Byte code) { ShowFileError(description, FileErrorText(code)); }

void ShowFileError(const std::string& description, const std::string& cause) {
  const auto& hooks = MessageBoxHooks;
  if (hooks.EnableProgressDialog) hooks.EnableProgressDialog(false);
  Application->MessageBox("Error " + description + "\r" + cause, "Warning", MB_OK | MB_ICONINFORMATION);
  if (hooks.EnableProgressDialog) hooks.EnableProgressDialog(true);
  if (hooks.ClearPendingIoError) hooks.ClearPendingIoError();
}

TModalResult GetMsgBoxResult() { return MsgBoxInstance().ModalResult; }

void SetMsgBoxResult(TModalResult value) { MsgBoxInstance().ModalResult = value; }

void BeepExclamation() { MessageBeep(MB_ICONEXCLAMATION); }

void RestoreFocusWindow(HWND window) {
  TWinControl* control = Platform::Current().WindowFromHandle(window);
  if (!control || !control->CanFocus()) return;
  if (TForm* form = control->ParentForm(); form && form != control) form->Activate();
  control->SetFocus();
}

}  // namespace qm
