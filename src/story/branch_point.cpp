// What the branch point dialog does with its lists and the script.
#include <algorithm>
#include <vector>

#include "base/message_boxes.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "story/branch_point_dialog.h"
#include "story/interactive_script.h"

namespace qm::story {

namespace {

void ClearSelected(TListBox& list) {
  for (int i = 0; i < list.Items.Count(); ++i) list.SetSelected(i, false);
}

void SetItem(TListBox& list, int index) {
  ClearSelected(list);
  const int count = list.Items.Count();
  if (count == 0) {
    list.SetItemIndex(-1);
    return;
  }
  index = std::clamp(index, 0, count - 1);
  list.SetItemIndex(index);
  list.SetSelected(index, true);
  if (index < list.TopIndex) list.TopIndex = index;
}

// The entry of the list that refers to the target number, or -1.
int EntryOfNumber(const TListBox& list, unsigned long number) {
  for (int i = 0; i < list.Items.Count(); ++i) {
    const auto refs = FindReferences(list.Items[i]);
    if (!refs.empty() && refs.back().number == number) return i;
  }
  return -1;
}

}  // namespace

std::string BranchPointText(const TStringList& entries) {
  std::string text;
  for (int i = 0; i < entries.Count(); ++i) {
    if (i > 0) text += BranchSeparator;
    text += "GO TO " + entries[i];
  }
  return text;
}

int GetFirstSelection(const TListBox& list) {
  for (int i = 0; i < list.Items.Count(); ++i)
    if (list.Selected(i)) return i;
  return -1;
}

void TJumpDlg::FormShow() {
  editor::Assemble(script_);
  Source->Clear();
  JumpList->Clear();
  Source->Items.Add(ReturnLabel);
  for (const TScriptElement* e = script_.FirstElement; e; e = e->next)
    if (IsBranchTarget(*e)) Source->Items.Add(BranchTargetLabel(script_, *e));
  const TScriptElement* current = script_.CurrentElement();
  if (current && current->Kind() == ekTransition) {
    for (const TReference& ref : FindReferences(ElementText(*current))) {
      const int index = EntryOfNumber(*Source, ref.number);
      if (index < 0) continue;
      JumpList->Items.Add(Source->Items[index]);
      Source->Items.Delete(index);
    }
  }
  editor::DisAssemble(script_);
  SetButtons();
  SetItem(*Source, 0);
  SetItem(*JumpList, 0);
  ActiveControl = Source;
}

void TJumpDlg::MoveSelected(TListBox& from, TListBox& to, int row) {
  const int first = GetFirstSelection(from);
  if (first < 0) return;
  std::vector<std::string> moved;
  for (int i = from.Items.Count() - 1; i >= first; --i) {
    if (!from.Selected(i)) continue;
    moved.insert(moved.begin(), from.Items[i]);
    if (&from == &to && row > i) --row;
    from.Items.Delete(i);
  }
  int at = row < 0 ? to.Items.Count() : std::min(row, to.Items.Count());
  // A list's selection marks stay by position: they are set afresh.
  ClearSelected(to);
  if (&from == &to) {
    for (const std::string& entry : moved) {
      to.Items.Insert(at, entry);
      to.SetSelected(at++, true);
    }
  } else {
    for (const std::string& entry : moved) to.Items.Insert(at++, entry);
    SetItem(from, first);
  }
  SetButtons();
}

void TJumpDlg::ListEnter(TListBox& list) {
  ClearSelected(&list == Source ? *JumpList : *Source);
  SetItem(list, std::max(0, list.ItemIndex()));
}

void TJumpDlg::ListKeyDown(TListBox& list, Word& key) {
  if (&list == Source && key == VK_RIGHT) {
    key = 0;
    MoveSelected(*Source, *JumpList);
    FocusControl(JumpList);
  } else if (&list == JumpList && key == VK_LEFT) {
    key = 0;
    MoveSelected(*JumpList, *Source);
    FocusControl(Source);
  }
}

void TJumpDlg::MoveAll(TListBox& from, TListBox& to) {
  for (int i = 0; i < from.Items.Count(); ++i) to.Items.Add(from.Items[i]);
  from.Clear();
  SetItem(to, 0);
  SetButtons();
}

void TJumpDlg::SetButtons() {
  IncludeBtn->Enabled = Source->Items.Count() > 0;
  IncAllBtn->Enabled = Source->Items.Count() > 0;
  ExcludeBtn->Enabled = JumpList->Items.Count() > 0;
  ExAllBtn->Enabled = JumpList->Items.Count() > 0;
  PerformJumpBtn->Enabled = JumpList->Items.Count() > 0;
}

void TJumpDlg::Build(bool byButton) {
  editor::SaveUndoStep(script_, ukWholeScript);
  const TElementFormat transition = script_.FormatSet[fsTransition];
  editor::DisAssemble(script_);
  if (script_.CurrentElement()->Kind() != ekTransition) {
    editor::SetCaretColumn(script_, script_.EditBuffer().size());
    editor::StartElementAtCaret(script_, transition, true);
  }
  editor::SetEditText(script_, "");
  if (JumpList->Items.Count() == 0 && GetFirstSelection(*Source) >= 0) MoveSelected(*Source, *JumpList);
  editor::SetEditText(script_, BranchPointText(JumpList->Items));
  editor::SetCaret(script_, 0, 1);
  script_.CurrentElement()->format = transition;
  editor::RedisplayCurrent(script_);
  editor::SetActiveScriptModified();
  if (!byButton) return;
  TScriptElement* next = script_.CurrentElement()->next;
  if (next && next->Kind() == ekAction) editor::MoveCaretTo(script_, *next);
  else editor::StartElementAtCaret(script_, script_.FormatSet[fsAction], true);
  editor::RedisplayScreen(script_);
}

void TJumpDlg::PerformJump() {
  Build(false);
  TListBox& list = ActiveControl == Source ? *Source : *JumpList;
  // Nothing picked there: the entry with the list's caret, its first at
  // the start.
  const int index = GetFirstSelection(list) >= 0 ? GetFirstSelection(list) : std::max(0, list.ItemIndex());
  if (index >= list.Items.Count()) return;
  const std::string label = list.Items[index];
  const auto refs = FindReferences(label);
  // RETURN (0) leads back at play time only: it is never a target here.
  TScriptElement* target = refs.empty() || refs.back().number == 0
                               ? nullptr
                               : FindBranchTarget(script_, static_cast<int>(refs.back().number));
  if (!target) {
    ShowMessageBox("Branch Target: " + label + " not Found!", "");
    return;
  }
  editor::MoveCaretToLanding(script_, *target);
  script_.RedisplayScreen(true);
}

void TJumpDlg::CreateNewTarget() {
  const std::string text = AskJumpPositionText();
  if (text.empty()) return;
  editor::SaveUndoStep(script_, ukWholeScript);
  const TScriptElement* target = AppendBranchTarget(script_, text);
  Source->Items.Add(BranchTargetLabel(text, TargetNumber(*target)));
  SetButtons();
}

}  // namespace qm::story
