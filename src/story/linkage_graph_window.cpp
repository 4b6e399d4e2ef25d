// What the linkage graph window does: the graph built from the script,
// the mouse on its boxes, a branch point added, the graphs printed.
#include <algorithm>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/undo_steps.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "story/branch_point_dialog.h"
#include "story/interactive_script.h"
#include "story/linkage_graph_dialog.h"
#include "story/linkage_graph_print.h"

namespace qm::story {

namespace {

const char* const BoxHint =
    "Left Click to Branch to this Target or Right Click to return to script at this Branch Target";
const char* const SpaceHint = "Double Click to add new Branch";

int EntryWithNumber(const TComboBox& box, std::int64_t number) {
  const std::string needle = "(" + std::to_string(number) + ")";
  for (int i = 0; i < box.Items.Count(); ++i)
    if (box.Items[i].find(needle) != std::string::npos) return i;
  return -1;
}

bool InScript(const TScriptDocument& script, const TScriptElement* element) {
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e == element) return true;
  return false;
}

}  // namespace

void TLinkagesDlg::SetupAllLinks() {
  editor::Assemble(script_);
  Graph = TLinkageGraph{};
  Graph.SetupAllLinks(script_);
  if (!Graph.Nodes.empty()) Graph.SortJumps(stopNumber_);
  JumpPositionBox->Items.Clear();
  for (const std::string& label : Graph.Labels) JumpPositionBox->Items.Add(label);
}

bool TLinkagesDlg::CreateFirstTarget() {
  if (!AskYesNo("There are no Branch Targets to graph!\r\rCreate a New Branch Target?", PromptTable(14), true))
    return false;
  const std::string text = AskJumpPositionText();
  if (text.empty()) return false;
  editor::SaveUndoStep(script_, ukWholeScript);
  Word highest = 0;
  for (const TScriptElement* e = script_.FirstElement; e; e = e->next)
    if (IsBranchTarget(*e)) highest = std::max(highest, TargetNumber(*e));
  if (script_.FirstElement) {
    editor::MoveCaretTo(script_, *script_.FirstElement);
    editor::SetCaretColumn(script_, 0);
  }
  TScriptElement* target = editor::NewElement(script_, script_.FormatSet[fsSceneHeading], false);
  target->format.NumberWord = static_cast<Word>(highest + 1);
  editor::SetEditText(script_, text);
  editor::RedisplayCurrent(script_);
  editor::SetActiveScriptModified();
  stopNumber_ = static_cast<Word>(highest + 2);
  return true;
}

void TLinkagesDlg::SelectNearestTarget() {
  std::int64_t number = -1;
  for (const TScriptElement* e = script_.FirstElement; e; e = e->next) {
    if (IsBranchTarget(*e)) number = TargetNumber(*e);
    if (e == script_.CurrentElement()) break;
  }
  JumpPositionBox->SetItemIndex(std::max(0, EntryWithNumber(*JumpPositionBox, number)));
}

bool TLinkagesDlg::Execute() {
  SetupAllLinks();
  if (Graph.Nodes.empty()) {
    if (!CreateFirstTarget()) return false;
    SetupAllLinks();
    if (Graph.Nodes.empty()) return false;
  }
  SelectNearestTarget();
  ShowModal();
  return true;
}

std::int64_t TLinkagesDlg::SelectedNumber() const {
  const int index = JumpPositionBox->ItemIndex();
  return index < 0 ? -1 : TrueJumpNumber(JumpPositionBox->Items[index]);
}

void TLinkagesDlg::Paint() {
  if (printing_ || ModalResult != mrNone) return;
  const std::int64_t number = SelectedNumber();
  if (number < 0) return;
  drawing_->Draw(static_cast<Word>(number),
                 {.centre = PaintBox1->Width / 2, .clipRight = PaintBox1->Width, .clipBottom = PaintBox1->Height});
}

void TLinkagesDlg::MouseMove(int x, int y) {
  if (printing_ || ModalResult != mrNone) return;
  const bool overBox = drawing_->OverBox(x, y, false).has_value();
  PaintBox1->Cursor = overBox ? crHandPoint : crDefault;
  PaintBox1->Hint = overBox ? BoxHint : SpaceHint;
  StatusLine->Caption = std::string("  ") + (overBox ? BoxHint : SpaceHint);
}

void TLinkagesDlg::MouseDown(TMouseButton button, bool twice, int x, int y) {
  if (printing_ || ModalResult != mrNone) return;
  if (button == TMouseButton::mbRight) {
    if (const auto number = drawing_->OverBox(x, y, true)) ReturnToScript(*number);
    return;
  }
  if (button != TMouseButton::mbLeft || !twice) return;
  if (const auto number = drawing_->OverBox(x, y, false)) SelectNumber(*number);
  else AddBranch();
}

void TLinkagesDlg::SelectNumber(Word number) {
  const int entry = EntryWithNumber(*JumpPositionBox, number);
  if (entry < 0) return;
  JumpPositionBox->SetItemIndex(entry);
  PaintBox1->Invalidate();
}

void TLinkagesDlg::ReturnToScript(Word number) {
  TScriptElement* target = FindBranchTarget(script_, number);
  if (!target) {
    target = script_.FirstElement;
    while (target && target->next) target = target->next;
  }
  // The window closes: nothing more is drawn or clicked.
  ModalResult = mrOk;
  if (!target) return;
  editor::MoveCaretToLanding(script_, *target);
  script_.RedisplayScreen(true);
}

void TLinkagesDlg::AddBranch() {
  const std::int64_t number = SelectedNumber();
  TScriptElement* last = number < 0 ? nullptr : FindBranchTarget(script_, static_cast<int>(number));
  if (!last) return;
  while (last->next && !IsBranchTarget(*last->next)) last = last->next;
  editor::Assemble(script_);
  TScriptElement* before = script_.CurrentElement();
  TScriptElement* beforeNext = before ? before->next : nullptr;
  TScriptElement* beforePrev = before ? before->prev : nullptr;
  const std::string label = JumpPositionBox->Items[JumpPositionBox->ItemIndex()];
  editor::MoveCaretTo(script_, *last);
  {
    // A target made on the way and the branch point built are one change.
    const TSingleUndoStep oneStep;
    TJumpDlg dialog(Application, script_);
    dialog.ShowModal();
  }
  editor::Assemble(script_);
  for (TScriptElement* back : {before, beforeNext, beforePrev}) {
    if (back && InScript(script_, back)) {
      editor::MoveCaretTo(script_, *back);
      break;
    }
  }
  editor::RedisplayScreen(script_);
  SetupAllLinks();
  const int again = JumpPositionBox->Items.IndexOf(label);
  JumpPositionBox->SetItemIndex(again >= 0 && again < JumpPositionBox->Items.Count() ? again : 0);
  PaintBox1->Invalidate();
}

void TLinkagesDlg::EnableAll(bool enabled) {
  PaintBox1->Enabled = enabled;
  JumpPositionBox->Enabled = enabled;
  ExitBtn->Enabled = enabled;
  SpeedButton2->Enabled = enabled;
  PrintPanel->Visible = !enabled;
  Cursor = enabled ? crDefault : crHourGlass;
}

bool TLinkagesDlg::PrintGraphs(int from, int to) {
  if (from < 0 || to < 0) return false;
  EnableAll(false);
  printing_ = true;
  const bool printed =
      PrintLinkageGraphs(Graph, static_cast<std::size_t>(from), static_cast<std::size_t>(to), script_.ScriptFileName,
                         {.Progress = [this](const std::string& text) { PrintPanel->Caption = text; },
                          .Status = [this](const std::string& text) { editor::SetHint(script_, text); }});
  printing_ = false;
  EnableAll(true);
  PaintBox1->Invalidate();
  return printed;
}

void TLinkagesDlg::AskAndPrint() {
  int from = JumpPositionBox->ItemIndex(), to = from;
  if (AskPrintRange(Graph.Labels, from, to)) PrintGraphs(from, to);
}

void ShowLinkageGraph() {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  {
    TLinkagesDlg dialog(Application, *script);
    dialog.Execute();
  }
  // The graph read the script with its edit line stored: the line is taken
  // up again with the caret where it stood, so typing goes on there.
  editor::DisAssemble(*script);
  FocusActiveScript();
}

}  // namespace qm::story
