// The branch point dialog of a branching script: branch targets moved from
// the list of all targets into the branch point's list, written as one
// transition of "GO TO " parts.
#pragma once

#include <string>

#include "platform/forms.h"
#include "platform/list_drag.h"

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
  // Moves the selected entries of one list into the other, in their order,
  // appended or inserted at `row`, and selects in the first list what now
  // stands where the first one was. Within one list (a drop on the branch
  // point's own list) they change places and stay selected.
  void MoveSelected(TListBox& from, TListBox& to, int row = -1);
  void MoveAll(TListBox& from, TListBox& to);
  // Entering a list: the other one loses its selection, this one selects
  // its current (or first) entry.
  void ListEnter(TListBox& list);
  void SetButtons();
  // Writes the branch point; `byButton` then moves on to the events after it.
  void Build(bool byButton);
  void PerformJump();
  void CreateNewTarget();

 private:
  void ListKeyDown(TListBox& list, Word& key);
  TMDIChild& script_;
  TListDrag drag_;
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
