#include "script/editing/editor_calls.h"

#include <algorithm>

#include "script/model/character_name_table.h"
#include "script/model/element_kinds.h"
#include "script/editing/script_list_data.h"
#include "platform/cp1252.h"
#include "script/editing/block_deletion.h"
#include "script/editing/block_selection.h"
#include "script/editing/continued_cues.h"
#include "script/editing/document_modified.h"
#include "script/editing/selection_commands.h"
#include "script/editing/edit_line.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/revision_colour.h"
#include "script/editing/revision_marks.h"
#include "script/editing/scrolling.h"
#include "script/model/packed_text.h"
#include "base/document_table.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/edit_line_writer.h"

namespace qm::editor {

void DisAssemble(TMDIChild& script) { script.DisAssemble(); }

void Assemble(TMDIChild& script) { script.Assemble(); }

TScriptElement* NewElement(TMDIChild& script, const TElementFormat& format, bool forceAfter) {
  script.DisAssemble();
  script.CurrentFormat = format;
  script.Nw_Elmnt(false, forceAfter, false, false);
  script.CurrentGroup = script.CurrentElement()->group;
  EditFields(script).CaretColumn = 0;
  EditFields(script).CaretLine = 1;
  return script.CurrentElement();
}

TScriptElement* StartElementAtCaret(TMDIChild& script, const TElementFormat& format, bool forceAfter) {
  script.DisAssemble();
  script.CurrentFormat = format;
  script.NewElement(true, forceAfter, false);
  // Inside an element of the same type the caret stops at the start of the
  // words after it: the new element goes in before them, never over them.
  if (TrimmedLength(script.EditBuffer()) > 0) {
    EditFields(script).CaretColumn = 0;
    script.CurrentFormat = format;
    script.Nw_Elmnt(true, false, true, false);
  }
  script.CurrentGroup = script.CurrentElement()->group;
  EditFields(script).CaretColumn = 0;
  EditFields(script).CaretLine = 1;
  return script.CurrentElement();
}

void RedisplayCurrent(TMDIChild& script) {
  TScriptElement* element = script.CurrentElement();
  if (!element || IsPageBreakKind(element->Kind())) return;
  script.WordWrapText(element, script.EditBuffer(), true, true);
  script.DisplayElement();
}

bool RewriteElementText(TMDIChild& script, TScriptElement& element, const std::function<bool(std::string&)>& change) {
  if (IsPageBreakKind(element.Kind())) return false;
  TScriptElement* current = script.CurrentElement();
  script.Assemble();
  EditFields(script).CurrentElement = &element;
  script.DisAssemble();
  const bool changed = change(EditFields(script).EditBuffer);
  if (changed) script.WordWrapText(&element, script.EditBuffer(), false, false);
  script.Assemble();
  EditFields(script).CurrentElement = current;
  script.DisAssemble();
  return changed;
}

void RedisplayScreen(TMDIChild& script) {
  RebuildScreen(&script);
  script.RedisplayScreen(true);
}

bool TypeIntoActiveScript(char ch) { return ActiveScript() && qm::TypeCharacter(ch); }

void EnterRevisionColour(TMDIChild& script) {
  if (script.AutoRevisionColor != 0) EnterRevisionColor(script, false);
}

bool RoomToType(const TMDIChild& script, std::size_t replaced, const std::string& text) {
  const std::size_t colourCodes = script.AutoRevisionColor != 0 ? 2 : 0;
  const std::size_t kept = script.EditBuffer().size() - std::min(replaced, script.EditBuffer().size());
  return kept + text.size() + colourCodes < static_cast<std::size_t>(EditBufferSize);
}

Word TypeAtCaret(TMDIChild& script, const std::string& text) {
  EnterRevisionColour(script);
  const Word at = std::min(script.CaretColumn(), static_cast<Word>(script.EditBuffer().size()));
  EditFields(script).EditBuffer.insert(at, text);
  EditFields(script).CaretColumn = static_cast<Word>(at + text.size());
  return at;
}

void MarkCaretLineRevised(TMDIChild& script) { MarkRevisedLine(script, false); }

void SetActiveScriptModified() { SetDocumentModified(true, true); }

void SetActiveScriptModifiedUnrevised() { SetDocumentModified(true, false); }

void SaveUndoStep(TMDIChild&, Byte kind) { qm::SaveUndoStep(kind, false, false, 0); }

void PassEnterKey(TMDIChild& script, TObject* sender) {
  if (!sender) {
    script.Perform(WM_KEYDOWN, VK_RETURN, 0);
    return;
  }
  Word key = VK_RETURN;
  HandleCommandKey(key, {}, sender);
}

void RenumberScenes(TMDIChild& script) { script.RenumberScenes(false); }

void UpdateContinuedCues(TMDIChild& script) { qm::UpdateContinuedCues(script); }

void SettleContinuedCues(TMDIChild& script, bool nameBeingTyped) { qm::SettleContinuedCues(script, nameBeingTyped); }

void SettleTakenLinesBefore(TMDIChild& script) { TakeLinesBeforeUnderRepeatedNames(script); }

bool NameBeingTyped(TMDIChild& script) { return qm::NameBeingTyped(script); }

TPoint CaretScreenPoint(TMDIChild& script) {
  int y = 0;
  for (int line = 1; line <= ScreenLineCount; ++line) {
    const TScreenLine& screenLine = script.ScreenLines[static_cast<size_t>(line)];
    if (screenLine.element == script.CurrentElement() && screenLine.lineInElement == script.CaretLine()) {
      y = screenLine.y;
      break;
    }
  }
  return script.ClientToScreen(TPoint{0, y});
}

void MoveCaretTo(TMDIChild& script, TScriptElement& element) {
  TakeElement(script, element);
  RebuildScreen(&script);
}

void MoveCaretToPoint(TMDIChild& script, TPoint point) {
  qm::SaveUndoStep(ukNavigation, false, false, 0);
  PlaceCaretAtPoint(point.X, point.Y, false, script);
  UpdateCaret();
}

void MoveCaretToLanding(TMDIChild& script, TScriptElement& element) {
  constexpr int LandingLine = 6;
  TakeElement(script, element);
  ShowOnLine(script, element, element.prev ? LandingLine : 1);
}

void TakeElement(TMDIChild& script, TScriptElement& element) {
  Assemble(script);
  EditFields(script).CurrentElement = &element;
  script.CurrentGroup = element.group;
  DisAssemble(script);
  EditFields(script).CaretColumn = 0;
  EditFields(script).CaretLine = 1;
}

void DeleteCurrentElement(TMDIChild& script) {
  script.DisposeIndex(false);
  DisAssemble(script);
}

void RewrapCurrent(TMDIChild& script) {
  TScriptElement* element = script.CurrentElement();
  if (element && !IsPageBreakKind(element->Kind())) script.WordWrapText(element, script.EditBuffer(), false, false);
}

void RewrapForgottenLines(TMDIChild& script) {
  RewrapCurrent(script);
  WrapForgottenLines(script);
}

// Page breaks hold no text: the last element with text is the end.
void MoveCaretToScriptEnd(TMDIChild& script) {
  TScriptElement* last = script.LastElement;
  while (last && last->prev && IsPageBreakKind(last->Kind())) last = last->prev;
  if (!last) return;
  MoveCaretTo(script, *last);
  // An empty element is stored as one blank.
  if (script.EditBuffer() == " ") EditFields(script).EditBuffer.clear();
  EditFields(script).CaretColumn = static_cast<Word>(script.EditBuffer().size());
  EditFields(script).CaretLine = last->lineCount;
}

void SetHint(TMDIChild& script, const std::string& hint) { script.Hint = hint; }

std::vector<TBlockSpan> BlockSpans(TMDIChild& script) {
  std::vector<TBlockSpan> spans;
  if (!script.BlockOn()) return spans;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->InBlock() && e->blockEnd >= 0)
      spans.push_back(TBlockSpan{e, std::min(e->blockStart, e->blockEnd), std::max(e->blockStart, e->blockEnd)});
  return spans;
}

void MarkBlock(TMDIChild& script, TScriptElement& from, int fromColumn, TScriptElement& to, int toColumn) {
  if (script.BlockOn()) ClearBlock(script, false);
  script.Assemble();
  ExtendBlockTo(script, from, fromColumn);
  if (!script.BlockOn()) return;
  for (TScriptElement* e = &from; e; e = e->next) {
    e->blockStart = e == &from ? fromColumn : 0;
    e->blockEnd = e == &to ? toColumn : BlockTextLength(script, *e);
    if (e == &to) break;
  }
  EditFields(script).CurrentElement = &to;
  script.CurrentGroup = to.group;
  script.DisAssemble();
  EditFields(script).CaretColumn =
      static_cast<Word>(std::clamp<int>(toColumn, 0, static_cast<int>(script.EditBuffer().size())));
  RebuildScreen(&script);
  script.RedisplayScreen(true);
}

TPaginationMemory TakePaginationMemory(TMDIChild& script) { return qm::TakePaginationMemory(script); }

void GivePaginationMemory(TMDIChild& script, const TPaginationMemory& memory) {
  qm::GivePaginationMemory(script, memory);
}

void ClearBlock(TMDIChild& script, bool repaint) {
  if (ActiveScript() == &script) {
    ClearBlockSelection(repaint);
    return;
  }
  DropBlockMarks(script);
}

void DropBlockMarks(TMDIChild& script) {
  EditFields(script).BlockOn = 0;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) e->blockStart = e->blockEnd = -1;
}

void SetCaretColumn(TMDIChild& script, std::size_t column) {
  EditFields(script).CaretColumn = static_cast<Word>(column);
}

void SetCaret(TMDIChild& script, std::size_t column, Word line) {
  EditFields(script).CaretColumn = static_cast<Word>(column);
  EditFields(script).CaretLine = line;
}

void SetEditText(TMDIChild& script, std::string text) { EditFields(script).EditBuffer = std::move(text); }

void ChangeEditText(TMDIChild& script, const std::function<void(std::string&)>& change) {
  change(EditFields(script).EditBuffer);
}

void SetCurrentElement(TMDIChild& script, TScriptElement* element) { EditFields(script).CurrentElement = element; }

void ResetEditLine(TMDIChild& script, TScriptElement* element, std::size_t column, Word line) {
  TEditLineFields& edit = EditFields(script);
  edit.CurrentElement = element;
  edit.CaretColumn = static_cast<Word>(column);
  edit.CaretLine = line;
  edit.EditBuffer.clear();
  edit.LineOffsets.fill(0);
}

void AnchorBlockAtCaret(TMDIChild& script) {
  if (!script.BlockOn() && script.CurrentElement())
    ExtendBlockTo(script, *script.CurrentElement(), script.CaretColumn());
}

void ReachBlockTo(TMDIChild& script, TScriptElement& target) {
  bool below = false;
  for (const TScriptElement* e = script.CurrentElement() ? script.CurrentElement()->next : nullptr; e && !below;
       e = e->next)
    below = e == &target;
  MarkBlockFromElement(&target, below);
}

bool DeleteBlock(TMDIChild& script, TTextPoint* follow) { return qm::DeleteBlock(script, follow); }

void TakeOmittedHeadingsWhole(TMDIChild& script) { qm::TakeOmittedHeadingsWhole(script); }

void SelectInActiveScript(TSelectionLevel level) { SelectUnit(level); }

}  // namespace qm::editor
