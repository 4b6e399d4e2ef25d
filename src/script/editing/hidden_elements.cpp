#include "script/editing/hidden_elements.h"

#include <vector>

#include "script/editing/block_selection.h"
#include "script/editing/document_modified.h"
#include "script/editing/hidden_text.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

bool OnScreen(const TMDIChild& window, const TScriptElement* e) {
  return !window.IsHiddenElement(e) && !IsPageBreakKind(e->Kind());
}

// The current element, or the nearest one after it (else before it) that
// stays on screen; null when none does.
TScriptElement* NearestOnScreen(const TMDIChild& window) {
  for (TScriptElement* e = window.CurrentElement(); e; e = e->next)
    if (OnScreen(window, e)) return e;
  for (TScriptElement* e = window.CurrentElement(); e; e = e->prev)
    if (OnScreen(window, e)) return e;
  return nullptr;
}

// What shows on the window's first line: the view keeps it there while
// the lines below it close up or open.
TScriptElement* TopOfView(const TMDIChild& window) {
  TScriptElement* top = window.ScreenLines[1].element;
  return top && ElementInScript(window, top) ? top : window.FirstElement;
}

// The current element's first screen line below a top that stays put.
void KeepTop(TMDIChild& window, TScriptElement* top, TScriptElement* current) {
  if (!top) return;
  int line = top->screenLine;
  for (TScriptElement* e = top; e != current; e = e->next) {
    if (!e) return;  // the caret went above the top: the rebuild places it
    line += ScreenLinesOf(window, *e);
  }
  current->screenLine = static_cast<std::int16_t>(line);
}

void ShowFrom(TMDIChild& window, TScriptElement* current, TScriptElement* top, bool relayOut = false) {
  // What is hidden changed the script's height on screen.
  NoteScriptShapeChange();
  KeepTop(window, top, current);
  EditFields(window).CurrentElement = current;
  window.CurrentGroup = current->group;
  EditFields(window).CaretColumn = 0;
  window.DisAssemble();
  // Kinds hidden take no room on a page: the breaks follow at once.
  if (relayOut) window.RefreshLayout();
  RebuildScreen(&window);
  window.RedisplayScreen(true);
  UpdateCaret();
}

// The states of the elements a change touched, to take it back.
struct TStateChange {
  TScriptElement* element;
  Byte state;
};

}  // namespace

bool SetKindsHidden(TMDIChild& window, std::uint32_t kinds, bool hide) {
  if (!window.CurrentElement()) return false;
  const std::uint32_t before = window.HiddenKinds;
  TScriptElement* top = TopOfView(window);
  window.Assemble();
  window.HiddenKinds = hide ? before | kinds : before & ~kinds;
  TScriptElement* current = NearestOnScreen(window);
  if (!current) {
    window.HiddenKinds = before;
    window.DisAssemble();
    return false;
  }
  ShowFrom(window, current, top, true);
  return true;
}

bool SetNonPrintingHidden(TMDIChild& window, bool hide) {
  if (!window.CurrentElement()) return false;
  TScriptElement* top = TopOfView(window);
  window.Assemble();
  std::vector<TStateChange> changed;
  for (TScriptElement* e = window.FirstElement; e; e = e->next) {
    if (e->state != (hide ? esShownHidden : esHidden)) continue;
    changed.push_back({e, e->state});
    if (hide) e->state = esHidden;
    else ShowHiddenElement(*e);
  }
  TScriptElement* current = NearestOnScreen(window);
  if (!current) {
    for (const TStateChange& c : changed) c.element->state = c.state;
    window.DisAssemble();
    return false;
  }
  ShowFrom(window, current, top);
  if (!changed.empty()) SetDocumentModified(true, false);
  return true;
}

void SetNoteStates(TMDIChild& window, const std::function<Byte(const TScriptElement&)>& stateOf) {
  if (!window.CurrentElement()) return;
  TScriptElement* top = TopOfView(window);
  window.Assemble();
  bool changed = false;
  for (TScriptElement* e = window.FirstElement; e; e = e->next) {
    if (e->Kind() != ekScriptNote) continue;
    const Byte state = stateOf(*e);
    changed |= state != e->state;
    e->state = state;
  }
  TScriptElement* current = NearestOnScreen(window);
  if (!current) {
    current = window.CurrentElement();
    current->state = esNormal;
  }
  ShowFrom(window, current, top);
  if (changed) SetDocumentModified(true, false);
}

void MarkElementsNonPrinting(TMDIChild& window, bool on) {
  if (!window.CurrentElement()) return;
  // A cue takes its speech along, which may reach past a step's usual run.
  SaveUndoStep(ukWholeScript, true, true, 0);
  window.Assemble();
  const auto set = [&](TScriptElement* e) {
    e->state = on && !IsPageBreakKind(e->Kind()) ? Byte{esShownHidden} : Byte{esNormal};
    if (e->group) e->group->stale = 1;
  };
  const auto mark = [&](TScriptElement* e) {
    set(e);
    if (e->Kind() != ekCharacterName) return;
    for (TScriptElement* x = e->next; x && (x->Kind() == ekDialogue || x->Kind() == ekParenthetical); x = x->next)
      set(x);
  };
  if (window.BlockOn()) {
    for (TScriptElement* e = window.FirstElement; e; e = e->next)
      if (e->InBlock()) mark(e);
    EditFields(window).BlockOn = 0;
    for (TScriptElement* e = window.FirstElement; e; e = e->next) e->blockStart = e->blockEnd = -1;
    if (BlockSelectionHooks.BlockCommandsChanged) BlockSelectionHooks.BlockCommandsChanged(false);
  } else {
    mark(window.CurrentElement());
  }
  SetDocumentModified(true, false);
  window.DisAssemble();
  // Unprinted text takes no room on a page.
  window.RefreshLayout();
  RebuildScreen(&window);
  window.RedisplayScreen(true);
  UpdateCaret();
}

Byte KeepElementTogether(TMDIChild& window) {
  TScriptElement* e = window.CurrentElement();
  if (!e || e->state > esKeepFollowing) return e ? e->state : Byte{esNormal};
  SaveUndoStep(ukDelete, false, true, 0);
  e->state = e->state == esNormal ? esKeepGroup : esNormal;
  SetDocumentModified(true, false);
  window.RefreshKeepingCursor();
  return e->state;
}

Byte TMDIChild::KeepGroupTogether(bool withFollowing) {
  if (!CurrentElement() || !CurrentElement()->group) return 0;
  TScriptElement* first = CurrentElement()->group->first;
  // Back over the automatic breaks that cut the group in two.
  while (first && first->prev && first->prev->Kind() == ekAutoPageBreak && first->prev->split != spWhole &&
         first->prev->prev && first->prev->prev->group)
    first = first->prev->prev->group->first;
  if (!first) return 0;
  // The group's first element may lie further back than a step's usual run.
  SaveUndoStep(ukWholeScript, true, true, 0);
  if (first->state == esKeepGroup || first->state == esKeepFollowing) first->state = esNormal;
  else first->state = withFollowing ? esKeepFollowing : esKeepGroup;
  SetDocumentModified(true, false);
  RefreshKeepingCursor();
  return first->state;
}

}  // namespace qm
