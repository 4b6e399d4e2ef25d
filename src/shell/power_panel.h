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

 private:
  void SetButton(int index, const char* caption, int tag, const char* hint);
  void ChooseFirstSet();
  void SelectSet();
  void CaseSet();
  void ShowAgain();

  TMainForm& form_;
  bool closing_ = false;
};

}  // namespace qm
