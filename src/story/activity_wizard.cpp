// What the activity wizard does with its pages and the script.
#include <algorithm>
#include <cstdlib>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/cp1252.h"
#include "platform/dialog_builder.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/position_texts.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "story/activity_variables.h"
#include "story/activity_wizard_dialog.h"
#include "story/activity_wizard_pages.h"
#include "story/branch_point_dialog.h"
#include "story/interactive_script.h"
#include "script/editing/undo_steps.h"

namespace qm::story {

namespace {

std::vector<std::string> ItemsOf(const TListBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Items.Count(); ++i) items.push_back(list.Items[i]);
  return items;
}

void SetItems(TStringList& list, const std::vector<std::string>& items) {
  list.Clear();
  for (const std::string& item : items) list.Add(item);
}

void RemoveItem(TListBox& list, const std::string& item) {
  const int at = list.Items.IndexOf(item);
  if (at >= 0) list.Items.Delete(at);
}

Word PageNumberOf(const std::string& text) { return static_cast<Word>(std::strtoul(text.c_str(), nullptr, 10)); }

// Writes one line as a new element of the format, the caret at its end.
// The first line of the wizard is started at the caret as every element
// is (into an empty current element itself); what follows always comes
// after the line before.
TScriptElement* WriteElement(TMDIChild& script, int format, const std::string& text, bool atCaret = false) {
  editor::StartElementAtCaret(script, script.FormatSet[format], !atCaret);
  editor::SetEditText(script, text);
  editor::SetCaretColumn(script, text.size());
  editor::RedisplayCurrent(script);
  return script.CurrentElement();
}

void Warn(const std::string& text) {
  BeepExclamation();
  ShowMessageBox(text, PromptTable(16));
}

}  // namespace

TActivityAnswers TActivityWizardDlg::Answers() const {
  TActivityAnswers a;
  if (JustChecking->Checked()) a.mode = TActivityMode::JustChecking;
  else if (ConditionalChoice->Checked()) a.mode = TActivityMode::ConditionalChoice;
  else if (SettingVariable->Checked()) a.mode = TActivityMode::SettingVariable;
  a.action = UserCanDoWhat->Text;
  a.setVariable = SetVariableBtn->Checked();
  a.variable = SetVariable->Text;
  a.setToFalse = SetToFalseBox->Checked();
  a.affectsOthers = AffectsOtherVariables->Checked();
  a.othersTrue = ItemsOf(*SetToTrue);
  a.othersFalse = ItemsOf(*SetToFalse);
  a.trueVariables = ItemsOf(*TrueVariableList);
  a.falseVariables = ItemsOf(*FalseVariableList);
  if (JumpToNew->Checked()) a.outcome = TActivityOutcome::JumpToNew;
  else if (ContinuesNormally->Checked()) a.outcome = TActivityOutcome::ContinuesNormally;
  const int jump = AvailableJumps->ItemIndex();
  if (jump >= 0 && jump < AvailableJumps->Items.Count()) a.jumpLabel = AvailableJumps->Items[jump];
  a.setValue = SetVariableValue->Text;
  a.setValueFalse = SetVariableToFalseBox->Checked();
  return a;
}

void TActivityWizardDlg::SetupLists(bool targets, bool variables) {
  visited_.clear();
  UserChoiceBtn->SetChecked(true);
  UserCanDoWhat->Text = "";
  SetVariable->Text = "";
  EventsHappen->SetChecked(true);
  NeedElse->SetChecked(false);
  NeedElse->Enabled = true;
  for (TListBox* list : {TrueVariableList, FalseVariableList, AvailableJumps, availableVariables, OtherVariableList,
                         SetToTrue, SetToFalse})
    list->Clear();
  variables_.clear();
  jumpObjects_.clear();
  newActivity_ = true;
  TMDIChild* script = ActiveScript();
  if (script) {
    std::string page = std::to_string(script->PageStart);
    for (const TScriptElement* e = script->FirstElement; e; e = e->next) {
      if (IsPageBreakKind(e->Kind())) page = PageNumberText(*script, e);
      if (targets && IsBranchTarget(*e)) {
        AvailableJumps->Items.Add(BranchTargetLabel(*script, *e));
        jumpObjects_.push_back({PageNumberOf(page), TargetNumber(*e)});
      }
    }
    if (variables)
      for (const std::string& name : ScriptVariables(*script)) AddVariable(name);
  }
  SetItems(SetVariable->Items, ItemsOf(*availableVariables));
  SetItems(SetVariableValue->Items, ItemsOf(*availableVariables));
  SetItems(OtherVariableList->Items, ItemsOf(*availableVariables));
  SetVariableToFalseBox->SetChecked(false);
  SetVariable->SetItemIndex(-1);
  SetVariable->Text = "";
  ContinuesNormally->Enabled = false;
  const int result = ParseThisActivityLine(false);
  newActivity_ = result == alEmpty || result == alNotActivity || result == alIfWithoutThen || result == alBrokenSet;
  ShowPage(wpWhatAreWeDoing);
}

void TActivityWizardDlg::AddVariable(const std::string& name) {
  if (availableVariables->Items.IndexOf(name) < 0) availableVariables->Items.Add(name);
  const auto at = std::lower_bound(variables_.begin(), variables_.end(), name);
  if (at == variables_.end() || *at != name) variables_.insert(at, name);
}

int TActivityWizardDlg::ParseThisActivityLine(bool) {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return alEmpty;
  const std::string line = PlainUpperText(LiveElementText(*script, *script->CurrentElement()));
  TActivityAnswers answers;
  const int result = ParseActivityLine(line, variables_, ItemsOf(*AvailableJumps), answers);
  if (result == alIfLine || result == alUnknownVariable || result == alSetOrContinues || result == alJumpOnly)
    ShowAnswers(answers);
  return result;
}

void TActivityWizardDlg::ShowAnswers(const TActivityAnswers& a) {
  switch (a.mode) {
    case TActivityMode::UserChoice: UserChoiceBtn->SetChecked(true); break;
    case TActivityMode::JustChecking: JustChecking->SetChecked(true); break;
    case TActivityMode::ConditionalChoice: ConditionalChoice->SetChecked(true); break;
    case TActivityMode::SettingVariable:
      SettingVariable->SetChecked(true);
      SetVariableValue->Text = a.setValue;
      SetVariableToFalseBox->SetChecked(a.setValueFalse);
      return;
  }
  UserCanDoWhat->Text = a.action;
  for (const std::string& v : a.trueVariables) TrueVariableList->Items.Add(v);
  for (const std::string& v : a.falseVariables) FalseVariableList->Items.Add(v);
  for (const std::string& v : a.trueVariables) RemoveItem(*availableVariables, v);
  for (const std::string& v : a.falseVariables) RemoveItem(*availableVariables, v);
  (a.setVariable ? SetVariableBtn : NoNeedToKnowBtn)->SetChecked(true);
  SetVariable->Text = a.variable;
  SetToFalseBox->SetChecked(a.setToFalse);
  (a.affectsOthers ? AffectsOtherVariables : RadioButton2)->SetChecked(true);
  for (const std::string& v : a.othersTrue) SetToTrue->Items.Add(v);
  for (const std::string& v : a.othersFalse) SetToFalse->Items.Add(v);
  for (const std::string& v : a.othersTrue) RemoveItem(*OtherVariableList, v);
  for (const std::string& v : a.othersFalse) RemoveItem(*OtherVariableList, v);
  if (a.outcome == TActivityOutcome::JumpToNew) {
    JumpToNew->SetChecked(true);
    AvailableJumps->SetItemIndex(AvailableJumps->Items.IndexOf(a.jumpLabel));
  } else if (a.outcome == TActivityOutcome::ContinuesNormally) {
    ContinuesNormally->SetChecked(true);
  }
}

std::string TActivityWizardDlg::ActionText() const { return UserCanDoWhat->Text; }

void TActivityWizardDlg::ShowPage(int page) {
  Notebook->SetActivePageIndex(page);
  NotebookPageChanged();
}

void TActivityWizardDlg::NotebookPageChanged() {
  const int page = Page();
  DialogControl<TLabel>(*this, "PageTitle")->Caption = Notebook->Pages(page)->Caption();
  NextBtn->Caption = NextCaption(page);
  PrevBtn->Enabled = page != wpWhatAreWeDoing;
  ContinuesNormally->Enabled = !JustChecking->Checked();
  const std::string action = ActionText();
  SetVariableQuestion->Caption =
      "If the user chooses to " + AnsiUpperCase(action) + " now, what are the results of this action?";
  if (UserChoiceBtn->Checked()) WhatHappensQuestion->Caption = "What happens when user chooses to " + action + "?";
  else if (ConditionalChoice->Checked())
    WhatHappensQuestion->Caption =
        "What happens when the selected conditions are met and the user chooses to " + action + "?";
  else WhatHappensQuestion->Caption = "What happens when the selected conditions are met?";
  NeedElse->Caption = "&Something different happens if the user does NOT " + action;
  // A branch goes on to the choice of its target, so Next is not Finish then.
  if (page == wpWhatHappens && JumpToNew->Checked()) NextBtn->Caption = "&Next >>";
  if (page == wpWhatAreWeDoing || page == wpWhatHappens || page == wpCheckVariables) FocusControl(NextBtn);
  else if (page == wpUserAction) FocusControl(UserCanDoWhat);
  else if (page == wpSetWhatVariable) FocusControl(SetVariable);
}

void TActivityWizardDlg::OutcomeChosen() {
  if (ContinuesNormally->Checked()) {
    NeedElse->SetChecked(false);
    NeedElse->Enabled = false;
    NextBtn->Caption = "Finish";
    return;
  }
  NeedElse->Enabled = true;
  NextBtn->Caption = JumpToNew->Checked() ? "&Next >>" : "Finish";
}

void TActivityWizardDlg::NextBtnClick() {
  const int page = Page();
  const TPageStep step = NextPage(page, Answers());
  if (!step.warning.empty()) {
    Warn(step.warning);
    if (page == wpUserAction) FocusControl(UserCanDoWhat);
    return;
  }
  if (step.finish) {
    ModalResult = mrOk;
    return;
  }
  visited_.push_back(page);
  ShowPage(step.page);
}

void TActivityWizardDlg::PrevBtnClick() {
  if (visited_.empty()) return;
  const int page = visited_.back();
  visited_.pop_back();
  ShowPage(page);
}

void TActivityWizardDlg::MoveItems(TListBox& from, TListBox& to, int row) {
  std::vector<std::string> moved;
  const bool anySelected = from.SelCount() > 0;
  for (int i = from.Items.Count() - 1; i >= 0; --i) {
    if (anySelected ? !from.Selected(i) : i != from.ItemIndex()) continue;
    moved.insert(moved.begin(), from.Items[i]);
    if (&from == &to && row > i) --row;
    from.Items.Delete(i);
  }
  if (moved.empty()) return;
  for (int i = 0; i < from.Items.Count(); ++i) from.SetSelected(i, false);
  from.SetItemIndex(-1);
  int at = row < 0 ? to.Items.Count() : std::min(row, to.Items.Count());
  for (const std::string& item : moved) to.Items.Insert(at++, item);
}

void TActivityWizardDlg::CreateNewClick() {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  const std::string text = AskJumpPositionText();
  if (text.empty()) return;
  editor::SaveUndoStep(*script, ukWholeScript);
  const TScriptElement* target = AppendBranchTarget(*script, text);
  AvailableJumps->Items.Add(BranchTargetLabel(text, TargetNumber(*target)));
  jumpObjects_.push_back({PageNumberOf(PageNumberText(*script, target)), TargetNumber(*target)});
  AvailableJumps->SetItemIndex(AvailableJumps->Items.Count() - 1);
  FocusControl(AvailableJumps);
}

void TActivityWizardDlg::WriteLines() {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return;
  editor::SaveUndoStep(*script, ukWholeScript);
  editor::SetActiveScriptModified();
  const TActivityAnswers a = Answers();
  editor::DisAssemble(*script);
  // An activity line read back is written over.
  if (script->CurrentElement()->Kind() == ekShot) editor::SetEditText(*script, "");
  WriteElement(*script, fsShot, ActivityLine(a), true);
  if (a.mode == TActivityMode::SettingVariable) {
    if (newActivity_) WriteElement(*script, fsAction, "");
  } else if (newActivity_ && a.outcome != TActivityOutcome::ContinuesNormally) {
    TScriptElement* remembered = a.outcome == TActivityOutcome::JumpToNew
                                     ? WriteElement(*script, fsTransition, "GO TO " + a.jumpLabel)
                                     : WriteElement(*script, fsAction, "");
    if (NeedElse->Checked()) WriteElement(*script, fsShot, "OTHERWISE");
    WriteElement(*script, fsShot, "ENDIF");
    editor::MoveCaretTo(*script, *remembered);
  }
  editor::RedisplayScreen(*script);
  if (a.mode != TActivityMode::SettingVariable && a.outcome == TActivityOutcome::JumpToNew) JumpNow(a.jumpLabel);
}

void TActivityWizardDlg::JumpNow(const std::string& label) {
  TMDIChild* script = ActiveScript();
  if (!script || !AskYesNo("Jump to " + label + " now?", PromptTable(20), true)) return;
  const auto refs = FindReferences(label);
  if (refs.empty()) {
    ShowMessageBox("Unable to Parse " + label + "!\r\rIt does not have a valid Jump Number...", "");
    return;
  }
  TScriptElement* target = FindBranchTarget(*script, static_cast<int>(refs.back().number));
  if (!target) {
    ShowMessageBox("Cannot find Target Index!", PromptTable(26));
    return;
  }
  SaveLastPosition(*script, true);
  editor::MoveCaretTo(*script, *target);
}

void ShowActivityWizard() {
  if (!ActiveScript()) return;
  TActivityWizardDlg& wizard = ActivityWizard();
  // A target made on the way and the lines written are one change.
  const TSingleUndoStep oneStep;
  wizard.SetupLists(true, true);
  if (wizard.ShowModal() == mrOk) wizard.WriteLines();
  FocusActiveScript();
}

}  // namespace qm::story
