// The power panel: a small floating window of nine buttons that a right
// click opens at the mouse, offering the commands that suit the moment
// (file commands with no script or an empty one, block commands with a
// block, moving and editing commands otherwise); two buttons open second
// sets of selection units and case changes.
#pragma once

#include <array>
#include <string>

#include "platform/forms.h"

namespace qm {

class TMainForm;

class TPowerPanel : public TForm {
 public:
  TPowerPanel(TComponent* owner, TMainForm& form);

  std::array<TButton*, 9> B{};
  TPanel* Panel2 = nullptr;
  TPanel* ExitBtn = nullptr;

  // Centred on a screen point and shown (not modal).
  void ShowAt(TPoint screenPoint);
  void FormShow();
  // The command of a button's tag.
  void B1Click(TObject* sender);
  void ClosePanel();
  // The command a tag runs; false for commands this program does not have.
  bool RunCommand(int command);
  // The title strip dragged with the left button: the panel follows,
  // kept on the screen.
  void TitleMouseDown(int x, int y);
  void TitleMouseMove(int x, int y);
  void TitleMouseUp();
  // A button released with the right button.
  void ButtonRightUp(TButton& button);

 private:
  void SetButton(int index, const char* caption, int tag, const char* hint);
  void ChooseFirstSet();
  void SelectSet();
  void CaseSet();
  void ShowAgain();

  TMainForm& form_;
  bool closing_ = false;
  // The title strip's drag: where the press was, and a double click that
  // closes the panel at the following release.
  TPoint dragOffset_;
  bool closeOnRelease_ = false;
  // A right button's release runs a button's command only when one was
  // seen before (the release of the click that opened the panel is not).
  bool rightReleaseSeen_ = false;
};

}  // namespace qm
