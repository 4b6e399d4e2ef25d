// The "User Activity Wizard": eight pages of questions whose answers become
// the activity lines of a branching script, and which read an existing
// activity line back so that it can be edited. One wizard is made on first
// use and kept.
#pragma once

#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/list_drag.h"
#include "story/activity_wizard_lines.h"

namespace qm::story {

// The page a branch target stands on and its number.
struct TPgObject {
  Word page = 0;
  Word number = 0;
};

class TActivityWizardDlg : public TForm {
 public:
  explicit TActivityWizardDlg(TComponent* owner);

  TPageControl* Notebook;
  TButton* PrevBtn;
  TButton* NextBtn;
  TButton* CancelBtn;
  TButton* HelpBtn;
  // What are we doing?
  TRadioButton* UserChoiceBtn;
  TRadioButton* JustChecking;
  TRadioButton* ConditionalChoice;
  TRadioButton* SettingVariable;
  // What is User Action
  TEdit* UserCanDoWhat;
  TRadioButton* SetVariableBtn;
  TRadioButton* NoNeedToKnowBtn;
  // Set what Variable?
  TLabel* SetVariableQuestion;
  TComboBox* SetVariable;
  TCheckBox* SetToFalseBox;
  TRadioButton* AffectsOtherVariables;
  TRadioButton* RadioButton2;
  // What Happens when User does this?
  TLabel* WhatHappensQuestion;
  TRadioButton* JumpToNew;
  TRadioButton* ContinuesNormally;
  TRadioButton* EventsHappen;
  TCheckBox* NeedElse;
  // Check Variables
  TListBox* TrueVariableList;
  TListBox* FalseVariableList;
  TListBox* availableVariables;
  // Setting Variable
  TComboBox* SetVariableValue;
  TCheckBox* SetVariableToFalseBox;
  // Set Variable To...
  TListBox* OtherVariableList;
  TListBox* SetToTrue;
  TListBox* SetToFalse;
  // SetJump
  TListBox* AvailableJumps;
  TButton* CreateNew;

  // Resets the pages and fills the lists from the active script, then reads
  // the current element back into the answers.
  void SetupLists(bool targets, bool variables);
  // Reads the current element into the pages; what kind of line it is.
  int ParseThisActivityLine(bool ask);
  void NextBtnClick();
  void PrevBtnClick();
  void NotebookPageChanged();
  void CreateNewClick();
  // The lines of the answers into the active script (the wizard closed with OK).
  void WriteLines();

  // The answers as the pages hold them.
  TActivityAnswers Answers() const;
  int Page() const { return Notebook->ActivePageIndex(); }
  bool NewActivity() const { return newActivity_; }
  // The script's variable names, sorted, each once.
  const std::vector<std::string>& Variables() const { return variables_; }
  const std::vector<TPgObject>& JumpObjects() const { return jumpObjects_; }

  // Moves the selected items of one list into another (or within one list)
  // before the row `row` (-1: at the end).
  void MoveItems(TListBox& from, TListBox& to, int row);

 private:
  void ShowPage(int page);
  void ShowAnswers(const TActivityAnswers& answers);
  void OutcomeChosen();
  void AddVariable(const std::string& name);
  std::string ActionText() const;
  void JumpNow(const std::string& label);

  bool newActivity_ = false;
  std::vector<std::string> variables_;
  std::vector<TPgObject> jumpObjects_;
  std::vector<int> visited_;  // the pages Previous goes back through
  // The variable lists' items dragged onto a list, or within one.
  TListDrag variableDrag_;
};

// The kept wizard (made on first use).
TActivityWizardDlg& ActivityWizard();
// Opens the wizard on the active script; the lines are written when it
// closes with OK.
void ShowActivityWizard();

}  // namespace qm::story
