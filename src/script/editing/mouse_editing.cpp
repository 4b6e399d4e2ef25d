#include "script/editing/mouse_editing.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/document_table.h"
#include "base/program_options.h"
#include "base/program_busy.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "script/editing/typing_aids.h"
#include "script/editing/block_deletion.h"
#include "script/editing/block_selection.h"
#include "script/editing/click_hooks.h"
#include "script/editing/hidden_text.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/editor_state.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/message_pump.h"
#include "script/editing/popup_hooks.h"
#include "script/editing/script_hooks.h"
#include "script/editing/scrolling.h"
#include "script/editing/selection_commands.h"
#include "script/layout/margin_marks.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

TScriptPopupHooks ScriptPopupHooks;

namespace {

// How far left and right of an element's text a press still grabs the
// block for dragging.
constexpr int DragSlack = 20;
constexpr int PageWidthTenths = 85;

bool CaretInBlock(const TMDIChild& script) {
  const TScriptElement* e = script.CurrentElement();
  if (!script.BlockOn() || !e || !e->InBlock() || e->blockEnd < 0) return false;
  const int column = script.CaretColumn();
  return column >= std::min(e->blockStart, e->blockEnd) && column <= std::max(e->blockStart, e->blockEnd);
}

// Whether x lies within reach of the current element's text.
bool NearElementText(const TMDIChild& script, int x) {
  const TElementFormat& format = script.CurrentElement()->format;
  const int left = format.LeftMargin * script.DotWidth + script.LeftTextOffset;
  const int right = (PageWidthTenths - format.RightMargin) * script.DotWidth + script.LeftTextOffset;
  return x >= left - DragSlack && x <= right + DragSlack;
}

// A neighbour that holds a real selection, seen through automatic breaks.
bool HoldsSelection(const TScriptElement* e, bool forward) {
  while (e && e->Kind() == ekAutoPageBreak) e = forward ? e->next : e->prev;
  return e && e->InBlock() && e->blockEnd >= 0 && e->blockStart != e->blockEnd;
}

bool IsLonePoint(const TMDIChild& script) {
  const TScriptElement* e = script.CurrentElement();
  return e->blockStart == e->blockEnd && e->blockStart >= 0 && !HoldsSelection(e->prev, false) &&
         !HoldsSelection(e->next, true);
}

// A block that never grew: its marks go and the block commands with them.
void DropEmptyBlock(TMDIChild& script) {
  const TScriptElement* e = script.CurrentElement();
  const bool incomplete = e->blockStart < 0 || e->blockEnd < 0;
  if (script.BlockOn() && (incomplete || IsLonePoint(script))) ClearBlockSelection(true);
}

int VisibleLineCount(const TMDIChild& script) {
  int bottom = script.TextTopOffset;
  int line = 0;
  while (line < ScreenLineCount) {
    bottom += script.ScreenLines[static_cast<std::size_t>(line + 1)].height;
    if (bottom > script.ClientHeight()) break;
    ++line;
  }
  return std::max(line, 1);
}

// The view follows the caret by one line at a time.
void KeepCaretInView(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  const int caretLine = e->screenLine + script.CaretLine() - 1;
  const int visible = VisibleLineCount(script);
  if (caretLine > visible) e->screenLine = static_cast<std::int16_t>(e->screenLine - (caretLine - visible));
  else if (caretLine < 1) e->screenLine = static_cast<std::int16_t>(e->screenLine + (1 - caretLine));
  RebuildScreen(&script);
  script.RedisplayScreen(true);
}

// Where the drag began, while that element is still in the script (keys
// pressed with the button held may have deleted it).
TScriptElement* DragStart(TMDIChild& script) {
  auto& state = BlockSelection(script);
  if (state.DragElement && !ElementInScript(script, state.DragElement)) state.DragElement = nullptr;
  return state.DragElement;
}

// The drag's pass past the window's edge: one line, the block following.
void AutoScrollPass(TMDIChild& script) {
  auto& state = BlockSelection(script);
  if (!script.BlockOn() && script.MouseSelecting && !DraggingBlock && DragStart(script))
    ExtendBlockTo(script, *state.DragElement, state.DragColumn);
  const bool down = state.LastMousePoint.Y >= script.ClientHeight();
  StepCaretLine(script, down);
}

bool PastWindowEdge(const TMDIChild& script, TPoint p) {
  return p.Y >= script.ClientHeight() || p.Y < script.TextTopOffset - 1;
}

// The caret to the mouse point; a drag that started a block carries it
// from where the button went down.
void FollowMouse(TMDIChild& script, int x, int y) {
  auto& state = BlockSelection(script);
  SaveUndoStep(ukNavigation, false, false, 0);
  const TScriptElement* before = script.CurrentElement();
  const Word column = script.CaretColumn();
  const bool extend = script.MouseSelecting && !DraggingBlock;
  PlaceCaretAtPoint(x, y, extend, script);
  const bool moved = script.CurrentElement() != before || script.CaretColumn() != column;
  if (!moved && !DraggingBlock) {
    DropEmptyBlock(script);
  } else if (moved && !script.BlockOn() && script.MouseSelecting && !DraggingBlock && DragStart(script)) {
    MakeElementCurrent(script, state.DragElement);
    EditFields(script).CaretColumn = std::min<Word>(state.DragColumn, static_cast<Word>(script.EditBuffer().size()));
    ExtendBlockTo(script, *script.CurrentElement(), script.CaretColumn());
    SaveUndoStep(ukNavigation, false, false, 0);
    PlaceCaretAtPoint(x, y, true, script);
  }
  state.AutoScrolling = false;
  UpdateCaret();
}

void StopAutoScroll(TBlockSelection& state) {
  state.AutoScrolling = false;
  if (state.AutoScrollTimer) state.AutoScrollTimer->SetEnabled(false);
}

void AutoScrollTick(TMDIChild& script) {
  auto& state = BlockSelection(script);
  if (!state.AutoScrolling) {
    StopAutoScroll(state);
    return;
  }
  if (!PastWindowEdge(script, state.LastMousePoint)) {
    StopAutoScroll(state);
    FollowMouse(script, state.LastMousePoint.X, state.LastMousePoint.Y);
    return;
  }
  AutoScrollPass(script);
}

void StartAutoScroll(TMDIChild& script) {
  auto& state = BlockSelection(script);
  if (!state.AutoScrollTimer) {
    state.AutoScrollTimer = new TTimer(&state);
    state.AutoScrollTimer->SetInterval(AutoScrollInterval);
    state.AutoScrollTimer->OnTimer = [&script](TObject*) { AutoScrollTick(script); };
  }
  state.AutoScrolling = true;
  AutoScrollPass(script);
  state.AutoScrollTimer->SetEnabled(true);
}

// Where a drop lands: the release point, snapped to the element's start
// or end unless drops may break an element.
TTextPoint DropPoint(TMDIChild& script, int x, int y) {
  SaveUndoStep(ukNavigation, false, false, 0);
  PlaceCaretAtPoint(x, y, false, script);
  TScriptElement* e = script.CurrentElement();
  int column = script.CaretColumn();
  if (!e->InBlock() && !ProgramOptions().DragAndDropBreak) {
    const int length = static_cast<int>(script.EditBuffer().size());
    column = column * 2 > length ? length : 0;
  }
  return TTextPoint{e, column};
}

// A scene heading moved on its own while scene numbers are locked moves
// as it is, rather than leaving its omitted mark behind.
bool IsLoneWholeHeading(TMDIChild& script) {
  const std::vector<editor::TBlockSpan> spans = editor::BlockSpans(script);
  if (spans.size() != 1) return false;
  const editor::TBlockSpan& span = spans.front();
  return IsSceneHeading(span.element->Kind()) && span.start == 0 && span.end == BlockTextLength(script, *span.element);
}

// Whether an element begins the page after an automatic break (under the
// name the break repeated).
bool OpensPageAfterBreak(const TScriptElement& e) {
  const TScriptElement* p = e.prev;
  if (p && p->Kind() == ekCharacterName && IsRepeatedByBreak(*p)) p = p->prev;
  return p && p->Kind() == ekAutoPageBreak;
}

// The drop is the clipboard's: the block cut and pasted at the point.
bool MoveBlockTo(TMDIChild& script, TTextPoint drop) {
  if (!drop.element || !script.BlockOn() || !ScriptWindowHooks.DropBlock) return false;
  if (!ScriptWindowHooks.DropBlock(script, drop)) return false;
  script.RebuildElementGroups();
  script.RefreshKeepingCursor();
  RebuildScreen(&script);
  script.RedisplayScreen(true);
  UpdateCaret();
  return true;
}

void DropBlock(TMDIChild& script, int x, int y) {
  TScriptElement* e = script.CurrentElement();
  if (e->blockEnd < e->blockStart) std::swap(e->blockStart, e->blockEnd);
  if (CaretInBlock(script)) return;
  TTextPoint drop = DropPoint(script, x, y);
  if (CaretInBlock(script)) return;
  SaveUndoStep(ukDelete, false, true, 0);
  // The pieces of a speech split by a page break are joined again: the
  // caret, at the drop, goes with its words into the joined element.
  const bool pieceStart = drop.column == 0 && OpensPageAfterBreak(*drop.element);
  EditFields(script).CaretColumn = static_cast<Word>(drop.column);
  script.RejoinSplitElements();
  drop = TTextPoint{script.CurrentElement(), script.CaretColumn(), pieceStart};
  const Byte scenesLocked = script.ScenesLocked;
  if (scenesLocked && IsLoneWholeHeading(script)) script.ScenesLocked = 0;
  const bool moved = MoveBlockTo(script, drop);
  script.ScenesLocked = scenesLocked;
  if (moved) SetDocumentModified(true, true);
}

// A click on the block that comes within the double-click time after the
// block grew (the third click of a triple click).
bool FollowsGrowth(const TMDIChild& script, const TBlockSelection& state, TShiftState shift) {
  if (!state.Grown || !state.BlockAtPress || shift.Contains(ssShift)) return false;
  return GetTickCount64() - state.LastGrowTick <= static_cast<std::uint64_t>(script.ClickTimer->Interval());
}

void Grow(TMDIChild& script, TBlockSelection& state) {
  state.BlockAtPress = false;
  state.DoubleClickPending = false;
  DraggingBlock = 0;
  script.Cursor = crIBeam;
  script.MouseSelecting = 0;
  script.BlockClick(&script);
  state.Grown = true;
  state.LastGrowTick = GetTickCount64();
}

// The hover hints: a branch marker of an interactive script, then a
// hidden-text marker.
bool MarkerUnderMouse(TMDIChild& script, int x, int y) {
  if (script.InteractiveScript && BranchMarkerHit(script, x, y)) return true;
  return HiddenTextMarkerHit(script, x, y, false) != THiddenMarker::None;
}

void PressInBlock(TMDIChild& script, TShiftState shift, int x) {
  if (!script.BlockOn() || shift.Contains(ssShift) || shift.Contains(ssDouble)) return;
  if (CaretInBlock(script) && BlockHasExtent(script) && NearElementText(script, x)) {
    DraggingBlock = 1;
    script.Cursor = crDrag;
    return;
  }
  ClearBlockSelection(true);
}

}  // namespace

void EndMouseDrag(TMDIChild& script) {
  StopAutoScroll(BlockSelection(script));
  DraggingBlock = 0;
}

bool StepCaretLine(TMDIChild& script, bool down) {
  if (!script.CurrentElement()) return false;
  if (!(down ? MoveCaretLineDown(script) : MoveCaretLineUp(script))) return false;
  BlockEndFollowsCaret(script);
  KeepCaretInView(script);
  UpdateCaret();
  return true;
}

void TMDIChild::FormMouseDown(TObject*, TMouseButton button, TShiftState shift, int x, int y) {
  // A click that puts away the power panel does nothing more: the caret
  // and a marked block stay for the panel's next command.
  const bool panelHidden = ScriptPopupHooks.Pressed && ScriptPopupHooks.Pressed();
  auto& state = BlockSelection(*this);
  state.PressSwallowed = panelHidden;
  if (JobRunning || NoActiveDocument() || panelHidden) {
    FlushMouseMessages();
    return;
  }
  state.BlockAtPress = BlockOn() != 0;
  if (shift.Contains(ssShift)) MouseSelecting = 1;
  if (!Active()) SetFocus();
  // The list belongs to the element being typed, which a click leaves.
  if (aids::ListShowing()) aids::CloseList();
  if (button == TMouseButton::mbRight && ScriptPopupHooks.RightClick) {
    ScriptPopupHooks.RightClick(*this, x, y);
    return;
  }
  if (button != TMouseButton::mbLeft) return;
  // The marker is for the double click that shows or hides its text.
  if (HiddenTextMarkerHit(*this, x, y, false) != THiddenMarker::None) return;
  SaveUndoStep(ukNavigation, false, false, 0);
  const bool extend = shift.Contains(ssShift);
  if (extend && CurrentElement()) ExtendBlockTo(*this, *CurrentElement(), CaretColumn());
  const TScriptElement* before = CurrentElement();
  PlaceCaretAtPoint(x, y, extend, *this);
  if (CurrentElement() != before) SaveUndoStep(ukNavigation, false, false, 0);
  if (CurrentElement()) PressInBlock(*this, shift, x);
  state.DragElement = CurrentElement();
  state.DragColumn = CaretColumn();
  state.LastMousePoint = TPoint{x, y};
  UpdateCaret();
  MouseSelecting = 1;
}

void TMDIChild::FormMouseMove(TObject*, TShiftState shift, int x, int y) {
  if (Cursor == crNone) Cursor = crIBeam;
  if (!Editable || ActiveScript() != this || !CurrentElement()) return;
  auto& state = BlockSelection(*this);
  const TPoint point{x, y};
  if (point == state.LastMousePoint && !DraggingBlock) return;
  const bool held = shift.Contains(ssLeft);
  if (held && state.PressSwallowed) return;
  if (held) {
    state.BlockAtPress = false;
    ClickTimer->SetEnabled(false);
  }
  const bool onMark = !DraggingBlock && (MarkerUnderMouse(*this, x, y) ||
                                         (ScriptClickHooks.LinkHintAt && ScriptClickHooks.LinkHintAt(*this, x, y)));
  if (!DraggingBlock && !onMark && Screen) Screen->SetCursor(crDefault);
  state.LastMousePoint = point;
  if (!held || state.AutoScrolling || ProgramBusy) return;
  if (ElementsHidden(*this) && !AskUnhideForEditing()) return;
  if (shift.Contains(ssShift)) MouseSelecting = 1;
  if (!BlockOn()) {
    state.DragElement = CurrentElement();
    state.DragColumn = CaretColumn();
  }
  if (PastWindowEdge(*this, point)) StartAutoScroll(*this);
  else FollowMouse(*this, x, y);
}

void TMDIChild::FormMouseUp(TObject*, TMouseButton button, TShiftState shift, int x, int y) {
  if (!Editable || button != TMouseButton::mbLeft) return;
  auto& state = BlockSelection(*this);
  if (std::exchange(state.PressSwallowed, false)) return;
  StopAutoScroll(state);
  if (state.DoubleClickPending && !ProgramBusy && HiddenTextMarkerHit(*this, x, y, false) != THiddenMarker::None) {
    ClickTimer->SetEnabled(false);
    state.BlockAtPress = false;
    state.DoubleClickPending = false;
    ToggleHiddenText(*this, HiddenTextMarkerHit(*this, x, y, true));
    return;
  }
  if ((state.DoubleClickPending || FollowsGrowth(*this, state, shift)) && !ProgramBusy) {
    ClickTimer->SetEnabled(false);
    Grow(*this, state);
  } else if (state.BranchClickPending && !ProgramBusy) {
    state.BranchClickPending = false;
    MouseSelecting = 0;
    if (ScriptClickHooks.FollowBranch) ScriptClickHooks.FollowBranch(*this);
    return;
  } else if (ProgramBusy || !BlockOn()) {
    FlushMouseMessages();
    DraggingBlock = 0;
    Cursor = crIBeam;
    return;
  } else {
    MouseSelecting = 0;
    if (Screen) Screen->SetCursor(crDefault);
    Cursor = crIBeam;
    if (!DraggingBlock) {
      if (CurrentElement() && IsLonePoint(*this)) ClearBlockSelection(true);
      else if (BlockOn() && ScriptPopupHooks.BlockMarked) ScriptPopupHooks.BlockMarked(*this, x, y);
    } else {
      DropBlock(*this, x, y);
    }
    DraggingBlock = 0;
  }
  ClickTimer->SetEnabled(false);
  if (state.BlockAtPress && !shift.Contains(ssShift) && ProgramOptions().MouseClickKillsBlock && BlockOn())
    ClickTimer->SetEnabled(true);
}

void TMDIChild::FormClick(TObject*) {
  SetChildNumber();
  if (!ProgramBusy && !Active()) SetFocus();
}

void TMDIChild::FormDblClick(TObject*) {
  if (ProgramBusy) return;
  auto& state = BlockSelection(*this);
  const TPoint at = state.LastMousePoint;
  if (InteractiveScript && BranchMarkerHit(*this, at.X, at.Y)) state.BranchClickPending = true;
  else if (!(ScriptClickHooks.OpenLinkAt && ScriptClickHooks.OpenLinkAt(*this, at.X, at.Y)))
    state.DoubleClickPending = true;
}

void TMDIChild::BlockClick(TObject*) { SelectUnit(BlockSelection(*this).SelectionLevel); }

void TMDIChild::TurnoffBlockItemClick(TObject*) {
  ClickTimer->SetEnabled(false);
  if (ActiveScript() == this) ClearBlockSelection(true);
}

}  // namespace qm
