#include "story/activity_wizard_dialog.h"

#include "base/global_state.h"
#include "platform/dialog_builder.h"

namespace qm::story {

namespace {

using enum TDialogItemKind;

TActivityWizardDlg* Kept = nullptr;
const GlobalState reset([] { Kept = nullptr; });

const char* const PageCaptions[] = {
    "What are we doing?", "What is User Action", "Set what Variable?", "What Happens when User does this?",
    "Check Variables",    "Setting Variable",    "Set Variable To...", "SetJump"};

TDialogTable PagesTable() {
  TDialogTable table = {{PageControl, "Notebook", "", {8, 36, 464, 250}}};
  for (int i = 0; i < 8; ++i) table.push_back({Page, "Page" + std::to_string(i), PageCaptions[i], {}, "Notebook"});
  return table;
}

const TDialogTable& QuestionsTable() {
  // clang-format off
  static const TDialogTable table = {
      {RadioButton, "UserChoiceBtn", "&Does the User have a choice to do something?", {8, 16, 440, 20}, "Page0"},
      {RadioButton, "JustChecking", "&Are we checking to see if the user has already done", {8, 48, 440, 20}, "Page0"},
      {Label, "JustCheckingMore", "something?", {28, 68, 300, 16}, "Page0"},
      {RadioButton, "ConditionalChoice", "Does the &User have a choice to do something, but this", {8, 92, 440, 20},
       "Page0"},
      {Label, "ConditionalChoiceMore", "choice is contingent on something done or learned before?", {28, 112, 420, 16},
       "Page0"},
      {RadioButton, "SettingVariable", "Are we simply setting a variable?", {8, 136, 440, 20}, "Page0"},

      {Label, "UserCanDoWhatLabel", "What is it that the user can do?", {8, 16, 440, 16}, "Page1"},
      {Edit, "UserCanDoWhat", "", {8, 36, 440, 24}, "Page1"},
      {Label, "CheckLaterLabel", "Will we want to check later whether the user did this?", {8, 76, 440, 16}, "Page1"},
      {Panel, "CheckLaterPanel", "", {8, 96, 200, 28}, "Page1"},
      // Alt+N is Next on every page: No takes its second letter.
      {RadioButton, "SetVariableBtn", "&Yes", {4, 4, 80, 20}, "CheckLaterPanel"},
      {RadioButton, "NoNeedToKnowBtn", "N&o", {100, 4, 80, 20}, "CheckLaterPanel"},

      {Label, "SetVariableQuestion", "", {8, 8, 440, 32}, "Page2"},
      {ComboBox, "SetVariable", "", {8, 44, 300, 24}, "Page2"},
      {CheckBox, "SetToFalseBox", "If action is performed, set this Variable to &FALSE", {8, 76, 440, 20}, "Page2"},
      {Label, "OtherVariablesLabel", "Does this action affect any other Variables?", {8, 108, 440, 16}, "Page2"},
      {Panel, "OtherVariablesPanel", "", {8, 128, 200, 28}, "Page2"},
      {RadioButton, "AffectsOtherVariables", "&Yes", {4, 4, 80, 20}, "OtherVariablesPanel"},
      {RadioButton, "RadioButton2", "N&o", {100, 4, 80, 20}, "OtherVariablesPanel"},

      {Label, "WhatHappensQuestion", "", {8, 8, 440, 32}, "Page3"},
      {RadioButton, "JumpToNew", "&Branch to new position in story", {8, 48, 440, 20}, "Page3"},
      {RadioButton, "ContinuesNormally", "&The story continues normally", {8, 76, 440, 20}, "Page3"},
      {RadioButton, "EventsHappen", "&Events happen because of it", {8, 104, 440, 20}, "Page3"},
      {CheckBox, "NeedElse", "&Something different happens if the user does NOT ", {8, 140, 440, 20}, "Page3"},

      {Label, "TrueLabel", "Check to see if the following Variables are TRUE:", {8, 4, 300, 16}, "Page4"},
      {ListBox, "TrueVariableList", "", {8, 22, 290, 90}, "Page4"},
      {Label, "FalseLabel", "Check to see if the following Variables are FALSE:", {8, 116, 300, 16}, "Page4"},
      {ListBox, "FalseVariableList", "", {8, 134, 290, 84}, "Page4"},
      {Label, "AvailableLabel", "Variables:", {308, 4, 140, 16}, "Page4"},
      {ListBox, "availableVariables", "", {308, 22, 140, 196}, "Page4"},

      {Label, "SetVariableValueLabel", "Which Variable should be set?", {8, 16, 440, 16}, "Page5"},
      {ComboBox, "SetVariableValue", "", {8, 36, 300, 24}, "Page5"},
      {CheckBox, "SetVariableToFalseBox", "Set this Variable to &FALSE", {8, 72, 300, 20}, "Page5"},

      {Label, "OtherLabel", "Variables:", {8, 4, 140, 16}, "Page6"},
      {ListBox, "OtherVariableList", "", {8, 22, 140, 196}, "Page6"},
      {Label, "SetToTrueLabel", "Also set to TRUE:", {160, 4, 280, 16}, "Page6"},
      {ListBox, "SetToTrue", "", {160, 22, 288, 90}, "Page6"},
      {Label, "SetToFalseLabel", "Also set to FALSE:", {160, 116, 280, 16}, "Page6"},
      {ListBox, "SetToFalse", "", {160, 134, 288, 84}, "Page6"},

      {Label, "AvailableJumpsLabel", "Branch to which Branch Target?", {8, 4, 440, 16}, "Page7"},
      {ListBox, "AvailableJumps", "", {8, 22, 440, 160}, "Page7"},
      {Button, "CreateNew", "Create &New Branch Target", {8, 190, 200, 25}, "Page7"},

      {Button, "PrevBtn", "<< &Previous", {8, 296, 100, 25}},
      {Button, "NextBtn", "&Next >>", {116, 296, 100, 25}},
  };
  // clang-format on
  return table;
}

}  // namespace

TActivityWizardDlg::TActivityWizardDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "ActivityWizardDlg", "User Activity Wizard", 480, 360);
  BuildDialog(*this, TDialogTable{{Label, "PageTitle", "", {8, 8, 464, 20}}});
  BuildDialog(*this, PagesTable());
  BuildDialog(*this, QuestionsTable());
  BuildDialog(*this, ButtonRow(sbCancel | sbHelp, {264, 296, 100, 25}, 108));
  Notebook = DialogControl<TPageControl>(*this, "Notebook");
  for (int i = 0; i < Notebook->PageCount(); ++i) Notebook->Pages(i)->TabVisible = false;
  PrevBtn = DialogControl<TButton>(*this, "PrevBtn");
  NextBtn = DialogControl<TButton>(*this, "NextBtn");
  // Return answers the page on screen, once, as Next does.
  NextBtn->Default = true;
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  UserChoiceBtn = DialogControl<TRadioButton>(*this, "UserChoiceBtn");
  JustChecking = DialogControl<TRadioButton>(*this, "JustChecking");
  ConditionalChoice = DialogControl<TRadioButton>(*this, "ConditionalChoice");
  SettingVariable = DialogControl<TRadioButton>(*this, "SettingVariable");
  UserCanDoWhat = DialogControl<TEdit>(*this, "UserCanDoWhat");
  SetVariableBtn = DialogControl<TRadioButton>(*this, "SetVariableBtn");
  NoNeedToKnowBtn = DialogControl<TRadioButton>(*this, "NoNeedToKnowBtn");
  SetVariableQuestion = DialogControl<TLabel>(*this, "SetVariableQuestion");
  SetVariable = DialogControl<TComboBox>(*this, "SetVariable");
  SetToFalseBox = DialogControl<TCheckBox>(*this, "SetToFalseBox");
  AffectsOtherVariables = DialogControl<TRadioButton>(*this, "AffectsOtherVariables");
  RadioButton2 = DialogControl<TRadioButton>(*this, "RadioButton2");
  WhatHappensQuestion = DialogControl<TLabel>(*this, "WhatHappensQuestion");
  JumpToNew = DialogControl<TRadioButton>(*this, "JumpToNew");
  ContinuesNormally = DialogControl<TRadioButton>(*this, "ContinuesNormally");
  EventsHappen = DialogControl<TRadioButton>(*this, "EventsHappen");
  NeedElse = DialogControl<TCheckBox>(*this, "NeedElse");
  TrueVariableList = DialogControl<TListBox>(*this, "TrueVariableList");
  FalseVariableList = DialogControl<TListBox>(*this, "FalseVariableList");
  availableVariables = DialogControl<TListBox>(*this, "availableVariables");
  SetVariableValue = DialogControl<TComboBox>(*this, "SetVariableValue");
  SetVariableToFalseBox = DialogControl<TCheckBox>(*this, "SetVariableToFalseBox");
  OtherVariableList = DialogControl<TListBox>(*this, "OtherVariableList");
  SetToTrue = DialogControl<TListBox>(*this, "SetToTrue");
  SetToFalse = DialogControl<TListBox>(*this, "SetToFalse");
  AvailableJumps = DialogControl<TListBox>(*this, "AvailableJumps");
  CreateNew = DialogControl<TButton>(*this, "CreateNew");
  for (TListBox* list :
       {TrueVariableList, FalseVariableList, availableVariables, OtherVariableList, SetToTrue, SetToFalse})
    list->MultiSelect = true;
  SetVariableBtn->SetChecked(true);
  RadioButton2->SetChecked(true);

  NextBtn->OnClick = [this](TObject*) { NextBtnClick(); };
  PrevBtn->OnClick = [this](TObject*) { PrevBtnClick(); };
  CreateNew->OnClick = [this](TObject*) { CreateNewClick(); };
  for (TRadioButton* outcome : {JumpToNew, ContinuesNormally, EventsHappen})
    outcome->OnClick = [this](TObject*) { OutcomeChosen(); };
  availableVariables->OnDblClick = [this](TObject*) { MoveItems(*availableVariables, *TrueVariableList, -1); };
  TrueVariableList->OnDblClick = [this](TObject*) { MoveItems(*TrueVariableList, *FalseVariableList, -1); };
  FalseVariableList->OnDblClick = [this](TObject*) { MoveItems(*FalseVariableList, *availableVariables, -1); };
  OtherVariableList->OnDblClick = [this](TObject*) { MoveItems(*OtherVariableList, *SetToTrue, -1); };
  SetToTrue->OnDblClick = [this](TObject*) { MoveItems(*SetToTrue, *SetToFalse, -1); };
  SetToFalse->OnDblClick = [this](TObject*) { MoveItems(*SetToFalse, *OtherVariableList, -1); };
  // Any variable list takes a drop, at the row under the mouse.
  const std::vector<TListBox*> variableLists{TrueVariableList,  FalseVariableList, availableVariables,
                                             OtherVariableList, SetToTrue,         SetToFalse};
  variableDrag_.Dropped = [this, variableLists](int from, int, int to, TPoint at) {
    TListBox& target = *variableLists[static_cast<std::size_t>(to)];
    MoveItems(*variableLists[static_cast<std::size_t>(from)], target, target.ItemAtPos(at, false));
  };
  variableDrag_.Attach(variableLists);
}

TActivityWizardDlg& ActivityWizard() {
  if (!Kept) Kept = new TActivityWizardDlg(Application);
  return *Kept;
}

}  // namespace qm::story
