// The branch point dialog of a branching script: branch targets moved from
// the list of all targets into the branch point's list, written as one
// transition of "GO TO " parts.
#pragma once

#include <string>

#include "platform/forms.h"

namespace qm {
class TMDIChild;
}

namespace qm::story {

// Separates the "GO TO " parts of one branch point.
constexpr char BranchSeparator = '\xA7';
constexpr const char* ReturnLabel = "RETURN (0)";

class TJumpDlg : public TForm {
 public:
  TJumpDlg(TComponent* owner, TMDIChild& script);

  TListBox* Source;
  TListBox* JumpList;
  TSpeedButton* IncludeBtn;
  TSpeedButton* IncAllBtn;
  TSpeedButton* ExcludeBtn;
  TSpeedButton* ExAllBtn;
  TButton* NewBtn;
  TButton* PerformJumpBtn;
  TButton* ContinueBtn;
  TButton* CancelBtn;

  void FormShow();
  // Appends the selected entries of one list to the other, in their order,
  // and selects what now stands where the first one was.
  void MoveSelected(TListBox& from, TListBox& to);
  void MoveAll(TListBox& from, TListBox& to);
  void SetButtons();
  // Writes the branch point; `byButton` then moves on to the events after it.
  void Build(bool byButton);
  void PerformJump();
  void CreateNewTarget();

 private:
  TMDIChild& script_;
};

// The branch point's text: "GO TO " + each entry, separated.
std::string BranchPointText(const TStringList& entries);
// The first entry selected, or -1.
int GetFirstSelection(const TListBox& list);

// The text for a new branch target, or empty when cancelled.
std::string AskJumpPositionText();

// Opens the dialog on the active script (a branch point at the caret is
// edited).
void ShowBranchPointDialog();

}  // namespace qm::story
