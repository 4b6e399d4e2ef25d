#include "script/editing/block_selection.h"

#include <algorithm>
#include <utility>

#include "base/document_table.h"
#include "base/global_state.h"
#include "script/layout/editor_state.h"
#include "script/editing/element_transitions.h"
#include "script/editing/keyboard_commands.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

Byte DraggingBlock;
TBlockSelectionHooks BlockSelectionHooks;

namespace {

constexpr const char* ComponentName = "BlockSelection";

const GlobalState reset([] {
  DraggingBlock = 0;
  BlockSelectionHooks = {};
});

void TellBlockCommands(bool exists) {
  if (BlockSelectionHooks.BlockCommandsChanged) BlockSelectionHooks.BlockCommandsChanged(exists);
}

void Unmark(TScriptElement& element) { element.blockStart = element.blockEnd = -1; }

void MarkWholeBackward(TMDIChild& script, TScriptElement& element) {
  element.blockStart = BlockTextLength(script, element);
  element.blockEnd = 0;
}

// The nearest element beyond `from` that is neither an automatic page
// break nor hidden.
TScriptElement* VisibleNeighbour(const TMDIChild& script, TScriptElement* from, bool forward) {
  TScriptElement* e = forward ? from->next : from->prev;
  while (e && (e->Kind() == ekAutoPageBreak || script.IsHiddenElement(e))) e = forward ? e->next : e->prev;
  return e;
}

// Which way the block runs from the caret's element; BlockOn goes off
// when nothing tells.
bool BlockRunsForward(TMDIChild& script, TScriptElement& old) {
  TScriptElement* after = VisibleNeighbour(script, &old, true);
  TScriptElement* before = VisibleNeighbour(script, &old, false);
  if (after && after->InBlock()) return false;
  if (before && before->InBlock()) return true;
  if (old.blockStart >= 0 && old.blockEnd >= 0) return old.blockStart < old.blockEnd;
  EditFields(script).BlockOn = 0;
  return false;
}

// The block grows down from `from` to the target: `from` to its end,
// every visible element between wholly.
void GrowDown(TMDIChild& script, TScriptElement& from, TScriptElement& target, int column) {
  if (from.blockStart < 0) from.blockStart = column;
  from.blockEnd = BlockTextLength(script, from);
  for (TScriptElement* e = from.next; e && e != &target; e = e->next)
    if (!script.IsHiddenElement(e)) MarkElementSelected(script, *e);
  if (target.blockStart < 0) target.blockStart = target.blockEnd = 0;
}

void ReachDown(TMDIChild& script, TScriptElement& old, TScriptElement& target, bool forward, int column) {
  if (forward || old.blockStart == old.blockEnd) {
    GrowDown(script, old, target, column);
    return;
  }
  Unmark(old);
  for (TScriptElement* e = old.next; e && e != &target; e = e->next) {
    if (script.IsHiddenElement(e) || e->blockEnd < 0) continue;
    if (e->next && !e->next->InBlock()) {
      GrowDown(script, *e, target, column);
      return;
    }
    Unmark(*e);
  }
}

void ReachUp(TMDIChild& script, TScriptElement& old, TScriptElement& target, bool forward) {
  // A block running down to the caret that already holds the target
  // shrinks back to it, rather than leaving the target out between marked
  // elements.
  if (forward && target.InBlock()) {
    for (TScriptElement* e = target.next; e; e = e->next) {
      Unmark(*e);
      if (e == &old) break;
    }
    target.blockEnd = 0;
    return;
  }
  if (target.blockEnd < 0) target.blockEnd = 0;
  target.blockStart = BlockTextLength(script, target);
  if (forward) {
    for (TScriptElement* e = target.next; e && e != &old; e = e->next)
      if (!script.IsHiddenElement(e)) MarkWholeBackward(script, *e);
    if (old.blockEnd >= 0) old.blockEnd = 0;
    for (TScriptElement* e = old.next; e && e->blockStart >= 0; e = e->next) Unmark(*e);
    return;
  }
  TScriptElement* e = target.next;
  for (; e && !e->InBlock() && e != &old; e = e->next)
    if (!script.IsHiddenElement(e)) MarkWholeBackward(script, *e);
  if (e == &old && !old.InBlock()) MarkWholeBackward(script, old);
  if (e) e->blockEnd = 0;
}

std::int16_t TargetScreenLine(const TMDIChild& script, const TScriptElement& target) {
  if (!target.prev) return 1;
  if (!script.BlockOn()) return 6;
  return IsPageBreakKind(target.prev->Kind()) ? 12 : 9;
}

}  // namespace

TBlockSelection::TBlockSelection(TMDIChild& script) : TComponent(&script) { Name = ComponentName; }

TBlockSelection& BlockSelection(TMDIChild& script) {
  if (auto* data = dynamic_cast<TBlockSelection*>(script.FindComponent(ComponentName))) return *data;
  return *new TBlockSelection(script);
}

int BlockTextLength(const TMDIChild& script, const TScriptElement& element) {
  if (IsPageBreakKind(element.Kind())) return 1;
  if (&element == script.CurrentElement() && !element.text) return static_cast<int>(script.EditBuffer().size());
  return static_cast<int>(ElementText(element).size());
}

void ExtendBlockTo(TMDIChild& script, TScriptElement& element, int column) {
  if (!script.Editable) return;
  if (ElementsHidden(script) && !AskUnhideForEditing()) return;
  EditFields(script).BlockOn = 1;
  DraggingBlock = 0;
  if (element.blockStart < 0) element.blockStart = column;
  if (element.blockEnd < 0) element.blockEnd = column;
  TellBlockCommands(true);
}

void ClearBlockSelection(bool repaint) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  EditFields(*script).BlockOn = 0;
  // A found text's frame goes with its block.
  script->FoundMarkerLeft = script->FoundMarkerRight = 0;
  BlockSelection(*script).SelectionLevel = slWord;
  BlockSelection(*script).Grown = false;
  for (TScriptElement* e = script->FirstElement; e; e = e->next) Unmark(*e);
  for (int line = 1; line <= ScreenLineCount; ++line) script->ScreenLines[static_cast<std::size_t>(line)].stale = 1;
  TellBlockCommands(false);
  RebuildScreen(script);
  if (repaint) script->RedisplayScreen(true);
}

void NormalizeBlockMarks(TMDIChild& script, TScriptElement& element) {
  if (element.blockStart < 0 || element.blockEnd < 0) return;
  if (element.blockEnd < element.blockStart) std::swap(element.blockStart, element.blockEnd);
  if (element.prev && element.prev->InBlock()) element.blockStart = 0;
  if (element.next && element.next->InBlock()) element.blockEnd = BlockTextLength(script, element);
}

void MarkElementSelected(TMDIChild& script, TScriptElement& element) {
  element.blockStart = 0;
  element.blockEnd = BlockTextLength(script, element);
}

bool BlockHasExtent(const TMDIChild& script) {
  if (!script.BlockOn()) return false;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->InBlock() && e->blockEnd >= 0 && e->blockStart != e->blockEnd) return true;
  return false;
}

void ShiftBlockAnchor(bool shiftHeld) {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return;
  if (shiftHeld && !script->BlockOn()) ExtendBlockTo(*script, *script->CurrentElement(), script->CaretColumn());
  else if (!shiftHeld && script->BlockOn()) ClearBlockSelection(true);
}

void BlockEndFollowsCaret(TMDIChild& script) {
  TScriptElement* element = script.CurrentElement();
  if (!script.BlockOn() || DraggingBlock || !element || IsPageBreakKind(element->Kind())) return;
  KeepCaretBehindContinuedMark(script);
  if (element->blockStart < 0) element->blockStart = script.CaretColumn();
  element->blockEnd = script.CaretColumn();
  script.WrapScreenText(element, script.EditBuffer());
  script.RedisplayScreen(false);
}

void MarkBlockFromElement(TScriptElement* target, bool below) {
  TMDIChild* script = ActiveScript();
  if (!script || !target || !script->CurrentElement()) return;
  if (IsPageBreakKind(target->Kind())) target = target->next ? target->next : target->prev;
  if (!target) return;
  script->Assemble();
  TScriptElement& old = *script->CurrentElement();
  const bool forward = script->BlockOn() && BlockRunsForward(*script, old);
  const int column = script->CaretColumn();
  EditFields(*script).CurrentElement = target;
  script->CurrentGroup = target->group;
  InteractiveEdit = 0;
  if (script->BlockOn() && target != &old) {
    if (below) ReachDown(*script, old, *target, forward, column);
    else ReachUp(*script, old, *target, forward);
  }
  target->screenLine = TargetScreenLine(*script, *target);
  script->DisAssemble();
  EditFields(*script).CaretColumn = 0;
  EditFields(*script).CaretLine = 1;
  InteractiveEdit = 1;
  RebuildScreen(script);
  script->RedisplayScreen(true);
  UpdateCaret();
}

}  // namespace qm
