// The program's one message, question and "Please Wait" box. A kind
// number chooses the buttons; the entry routines in message_boxes.h are
// how the rest of the program uses it.
#pragma once

#include <optional>
#include <string>

#include "platform/forms.h"
#include "base/program_busy.h"

namespace qm {

// Kinds with their own layout; any other number keeps the buttons as the
// previous use left them.
enum : int {
  MsgBoxInformation = 1,
  MsgBoxYesNo = 2,
  MsgBoxAbortRetry = 3,
  MsgBoxPleaseWait = 4,
  MsgBoxYesNoCancel = 5,
  MsgBoxTypeYes = 6,
  MsgBoxPleaseWaitCancel = 7,
  MsgBoxOkCancel = 8,
  MsgBoxDrive = 9,
  MsgBoxOkSkipCancel = 10,
  MsgBoxOkSkipCancelAll = 25,
  MsgBoxOkSkipEditCancel = 26,
  MsgBoxCheatOrAdjust = 37,
  MsgBoxYesNoHelp = 45,
  MsgBoxNameOrPath = 75,
};

// Modal results of the buttons beyond the platform's own.
constexpr TModalResult mrEdit = 20;

class TMyNewMsgBox : public TForm {
 public:
  explicit TMyNewMsgBox(TComponent* owner);
  ~TMyNewMsgBox() override;

  TBitBtn* LeftButton;
  TBitBtn* MiddleButton;
  TBitBtn* RightButton;
  TBevel* Bevel1;
  TPanel* BorderPanel;
  TPanel* Panel1;
  TLabel* MenuText;
  TEdit* RequireYesText;
  TBitBtn* YesAllBtn;

  std::string PleaseWaitText;
  // The moving dots of a notice; its length is the number of dots shown.
  std::string DotMarker;
  Byte TickCount = 0;
  int SavedCursor = crDefault;
  Byte MouseMoved = 0;
  // The window that had the focus when the box came up.
  HWND SavedFocus = NullWindow;

  // Lays the box out for a kind and shows it: modally, returning the
  // answer, or for the two notice kinds without waiting (returns mrNone).
  TModalResult Execute(const std::string& text, const std::string& caption, bool defaultFirst, int kind);
  int Kind() const { return kind_; }
  bool IsNotice() const { return kind_ == MsgBoxPleaseWait || kind_ == MsgBoxPleaseWaitCancel; }
  // The box and its controls take the program font.
  void UseFont(const TFont& font);
  void PaintNow();

 private:
  void ApplyKind(int kind, bool defaultFirst, std::string& message);
  void ShowFourthButton(int kind);
  void WidenNameOrPathButtons();
  void RestoreDesignedButtons(int kind);
  void RestoreYesAllButton();
  void LayOutText();
  void SizeToText();
  void KeepOnScreen();
  bool AnyButtonVisible() const;
  HWND FocusOutsideBox() const;

  void FormShow();
  void FormPaint();
  void FormHide();
  void RequireYesTextChange();

  int kind_ = 0;
  bool firstPaintDue_ = false;
  std::optional<ProgramBusyScope> busy_;
};

}  // namespace qm
