#include "script/editing/scrolling.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "platform/messages.h"
#include "script/layout/caret_view.h"
#include "script/layout/char_widths.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/kept_screen.h"
#include "script/editing/block_selection.h"
#include "script/editing/element_transitions.h"
#include "script/editing/hidden_elements.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/layout/word_wrap.h"
#include "base/global_state.h"
#include "script/model/edit_line_writer.h"
#include "script/model/number_texts.h"

namespace qm {

TWheelHooks WheelHooks;
int WheelScrollLines = 0;

namespace {

constexpr int WheelUnitsPerNotch = 120;
constexpr int DefaultLinesPerNotch = 3;
// Rolls not yet worth a step, in wheel units.
int wheelRemainder = 0;

const GlobalState reset([] {
  wheelRemainder = 0;
  WheelScrollLines = 0;
});

int LineStart(const TMDIChild& window, int line) {
  return line <= 1 ? 0 : window.LineOffsets()[static_cast<std::size_t>(line - 1)];
}

// The caret's distance from the window's left edge, as it is drawn.
int CaretX(TMDIChild& window, int line) {
  return window.LeftTextOffset + ScreenTextLeft(window, *window.CurrentElement(), line) +
         MeasureTextWidth(window, LineStart(window, line), window.CaretColumn() - 1);
}

int CurrentLine(const TMDIChild& window) {
  return CaretLineOfColumn(window.LineOffsets(), window.CurrentElement()->lineCount, window.CaretColumn(),
                           window.EditBuffer());
}

// The caret to the start of a wrapped line of another element, the line at
// the top of the window: on its second line when anything is above it, as
// the view keeps a line above the caret.
void ShowLineOnTop(TMDIChild& window, TScriptElement* target, int line) {
  if (!target) return;
  // A block grows over every element passed; without one the edit line
  // goes straight to the target.
  if (window.BlockOn()) GoToElement(window, target, false);
  else MakeElementCurrent(window, target);
  line = std::clamp(line, 1, std::max<int>(1, window.CurrentElement()->lineCount));
  EditFields(window).CaretColumn = static_cast<Word>(LineStart(window, line));
  // The start of a wrapped line is the end of the line before it, where
  // the caret is drawn: that line goes on the row, so that the view is
  // laid and painted once.
  line = CurrentLine(window);
  EditFields(window).CaretLine = static_cast<Word>(line);
  const int row = HasContentAbove(window) ? 2 : 1;
  window.CurrentElement()->screenLine = static_cast<std::int16_t>(row - line + 1);
  RebuildScreen(&window);
  window.RedisplayScreen(true);
}

// A page-break or hidden element takes no caret: the element after it
// does, or the one before it at the end of the script.
TScriptElement* TextElementAt(const TMDIChild& window, TScriptElement* element, int& line) {
  if (!element || (!IsPageBreakKind(element->Kind()) && !window.IsHiddenElement(element))) return element;
  line = 1;
  if (TScriptElement* next = NeighbourCaretElement(window, element, true)) return next;
  TScriptElement* before = NeighbourCaretElement(window, element, false);
  if (before) line = before->lineCount;
  return before;
}

// The line above a line of the script (hidden elements show none), or
// false at its start.
bool LineAbove(const TMDIChild& window, TScriptElement*& element, int& line) {
  if (line > 1) {
    --line;
    return true;
  }
  TScriptElement* above = element->prev;
  while (above && TakesNoScreenRoom(window, *above)) above = above->prev;
  if (!above) return false;
  element = above;
  line = std::max<int>(1, element->lineCount);
  return true;
}

}  // namespace

TScriptElement* NeighbourCaretElement(const TMDIChild& window, TScriptElement* element, bool down) {
  TScriptElement* e = element ? (down ? element->next : element->prev) : nullptr;
  while (e && (IsPageBreakKind(e->Kind()) || window.IsHiddenElement(e))) e = down ? e->next : e->prev;
  return e;
}

void ShowOnLine(TMDIChild& window, TScriptElement& element, int line) {
  // The lines above are laid from their stored counts, which the layout
  // may change (a page break shows its banner lines): a second pass puts
  // the element where it was asked for.
  for (int pass = 0; pass < 2; ++pass) {
    element.screenLine = static_cast<std::int16_t>(line);
    RebuildScreen(&window);
    if (element.screenLine == line) break;
  }
}

void ScrollScreenUp(TMDIChild& window, int lines) {
  MoveViewBy(window, -std::clamp(lines, 0, ScreenLineCount - 1));
  window.RedisplayScreen(true);
}

void ScrollScreenDown(TMDIChild& window, int lines) {
  MoveViewBy(window, std::clamp(lines, 0, ScreenLineCount - 1));
  window.RedisplayScreen(true);
}

bool MoveCaretLineUp(TMDIChild& window) {
  const int line = CurrentLine(window);
  const int x = CaretX(window, line);
  int target = line - 1;
  bool moved = line > 1;
  if (line <= 1) {
    TScriptElement* previous = NeighbourCaretElement(window, window.CurrentElement(), false);
    if (previous) GoToElement(window, previous, true);
    target = previous ? window.CurrentElement()->lineCount : 1;
    moved = previous != nullptr;
  }
  EditFields(window).CaretLine = static_cast<Word>(target);
  EditFields(window).CaretColumn = static_cast<Word>(ColumnUnderX(window, target, x));
  return moved;
}

bool MoveCaretLineDown(TMDIChild& window) {
  const int line = CurrentLine(window);
  const int x = CaretX(window, line);
  int target = line + 1;
  bool moved = line < window.CurrentElement()->lineCount;
  if (!moved) {
    TScriptElement* next = NeighbourCaretElement(window, window.CurrentElement(), true);
    if (next) GoToElement(window, next, false);
    target = next ? 1 : line;
    moved = next != nullptr;
  }
  EditFields(window).CaretLine = static_cast<Word>(target);
  EditFields(window).CaretColumn = static_cast<Word>(ColumnUnderX(window, target, x));
  return moved;
}

namespace {

void PageStepBlock(TShiftState held) {
  if (held.Contains(ssShift) || !held.Contains(ssAlt)) ShiftBlockAnchor(held.Contains(ssShift));
}

}  // namespace

void ScrollPageUp(TMDIChild& window, TShiftState held) {
  if (!window.CurrentElement()->prev) return;
  PageStepBlock(held);
  RebuildScreen(&window);
  TScriptElement* element = ScreenRow(window, 1).element;
  int line = std::max<int>(1, ScreenRow(window, 1).lineInElement);
  if (!element) return;
  // The first line of the window becomes its last.
  int budget = window.ClientHeight() - ScreenRow(window, 1).height;
  TScriptElement* above = element;
  int aboveLine = line;
  while (LineAbove(window, above, aboveLine)) {
    const int height = ScreenLineRoomOf(window, *above, aboveLine).height;
    if (height > budget) break;
    budget -= height;
    element = above;
    line = aboveLine;
  }
  element = TextElementAt(window, element, line);
  {
    const TKeptScreen kept(window);
    ShowLineOnTop(window, element, line);
  }
  BlockEndFollowsCaret(window);
}

void ScrollPageDown(TMDIChild& window, TShiftState held) {
  if (!window.CurrentElement()->next) return;
  PageStepBlock(held);
  RebuildScreen(&window);
  // The last line wholly in the window becomes the first.
  int last = 1;
  for (int row = 1; row <= ScreenLineCount && ScreenRowBottom(window, row) <= window.ClientHeight(); ++row) last = row;
  int row = last;
  while (row > 1 && !ScreenRow(window, row).element) --row;
  TScriptElement* element = ScreenRow(window, row).element;
  int line = std::max<int>(1, ScreenRow(window, row).lineInElement);
  if (!element) return;
  // Past the end of the script: the element after the last one shown.
  if (row < last && element->next) {
    element = element->next;
    line = 1;
  }
  element = TextElementAt(window, element, line);
  {
    const TKeptScreen kept(window);
    ShowLineOnTop(window, element, line);
  }
  BlockEndFollowsCaret(window);
}

void WheelScroll(TMDIChild& window, int delta) {
  const int lines = WheelScrollLines == 0 ? DefaultLinesPerNotch : WheelScrollLines;
  const bool pages = lines < 0;
  const int unitsPerStep = pages ? WheelUnitsPerNotch : std::max(1, WheelUnitsPerNotch / lines);
  wheelRemainder += delta;
  const int steps = wheelRemainder / unitsPerStep;
  wheelRemainder -= steps * unitsPerStep;
  const bool up = steps > 0;
  for (int i = 0; i < std::abs(steps); ++i) {
    if (pages) {
      if (WheelHooks.PageStep) WheelHooks.PageStep(up);
      else if (up) ScrollPageUp(window, ShiftKeysHeld());
      else ScrollPageDown(window, ShiftKeysHeld());
    } else if (WheelHooks.LineStep) {
      WheelHooks.LineStep(up);
    } else if (up) {
      MoveCaretLineUp(window);
    } else {
      MoveCaretLineDown(window);
    }
  }
}

namespace {

// Where a jump lands: this many lines below the top of the window.
constexpr std::int16_t JumpLandingLine = 6;

void LandAt(TMDIChild& window, TScriptElement* target) {
  if (target != window.CurrentElement()) {
    MakeElementCurrent(window, target);
    EditFields(window).CaretColumn = 0;
    EditFields(window).CaretLine = 1;
    ShowOnLine(window, *target, target->prev ? JumpLandingLine : 1);
  } else {
    RebuildScreen(&window);
  }
  window.RedisplayScreen(true);
}

bool IsBreak(const TScriptElement* e) { return e && IsPageBreakKind(e->Kind()); }

}  // namespace

void ScrollToScriptLine(TMDIChild& window, int position) {
  TScriptElement* target = window.FirstElement;
  if (!target || !window.CurrentElement()) return;
  for (int rest = position - 1; rest > 0 && target->next; target = target->next)
    rest -= WholeLinesBefore(target->format) + target->lineCount;
  int line = 1;
  target = TextElementAt(window, target, line);
  if (target) LandAt(window, target);
}

bool GotoNeighbourPage(TMDIChild& window, bool down) {
  TScriptElement* e = window.CurrentElement();
  if (!e || (down ? !e->next : !e->prev)) return false;
  if (window.LayoutDue) window.RefreshKeepingCursor();
  e = window.CurrentElement();
  if (down) {
    if (IsBreak(e->prev)) e = e->next;
    while (e->next && !IsBreak(e->prev)) e = e->next;
  } else {
    while (e->prev && (IsBreak(e->prev) || window.IsHiddenElement(e->prev))) e = e->prev;
    while (e->prev && !IsBreak(e->prev)) e = e->prev;
  }
  while (e->next && (IsBreak(e) || window.IsHiddenElement(e))) e = e->next;
  // Nothing but hidden elements is left: their kind is shown again.
  if (window.IsHiddenElement(e) && e->Kind() < 32) window.HiddenKinds &= ~(1u << e->Kind());
  if (IsBreak(e) && e->prev) e = e->prev;
  const bool moved = e != window.CurrentElement();
  if (moved && window.BlockOn()) {
    // A page taken with Shift: the block reaches the caret's new place.
    MarkBlockFromElement(e, down);
    ShowOnLine(window, *e, e->prev ? JumpLandingLine : 1);
    window.RedisplayScreen(true);
  } else {
    LandAt(window, e);
  }
  return moved;
}

int FollowHorizontalScroll(TMDIChild& window, int scrollPos, int minPos, int maxPos) {
  if (!window.CurrentElement()) return scrollPos;
  constexpr int Step = 5;
  const int line = CurrentLine(window);
  const int lineStart = LineStart(window, line);
  const int lineEnd =
      std::min<int>(window.LineOffsets()[static_cast<std::size_t>(line)], static_cast<int>(window.EditBuffer().size()));
  int column = window.CaretColumn();
  int x = ScreenTextLeft(window, *window.CurrentElement(), line) + MeasureTextWidth(window, lineStart, column - 1);
  if (scrollPos + x < 0) {
    while (column < lineEnd && scrollPos + x < 0) {
      x += CharWidthAt(window, column);
      ++column;
    }
    while (scrollPos < maxPos && scrollPos + x < 0) scrollPos += Step;
  }
  const int width = window.ClientWidth();
  if (width < scrollPos + x) {
    while (column > lineStart && column > 0 && width <= scrollPos + x) {
      --column;
      x -= CharWidthAt(window, column);
    }
    while (scrollPos > minPos && width < scrollPos + x) scrollPos -= Step;
  }
  EditFields(window).CaretColumn = static_cast<Word>(column);
  return std::clamp(scrollPos, minPos, maxPos);
}

void GotoScriptTop(TMDIChild& window) {
  int line = 1;
  TScriptElement* first = TextElementAt(window, window.FirstElement, line);
  if (!first) return;
  MakeElementCurrent(window, first);
  EditFields(window).CaretLine = 1;
  EditFields(window).CaretColumn = 0;
  first->screenLine = 1;
  RebuildScreen(&window);
  window.RedisplayScreen(true);
}

void GotoScriptBottom(TMDIChild& window) {
  TScriptElement* last = window.LastElement;
  if (last && IsPageBreakKind(last->Kind())) last = PreviousTextElement(last);
  if (!last) return;
  MakeElementCurrent(window, last);
  EditFields(window).CaretColumn = static_cast<Word>(window.EditBuffer().size());
  EditFields(window).CaretLine = static_cast<Word>(CurrentLine(window));
  // Laid out from the bottom of the window up; the caret's line is then
  // brought inside it.
  last->screenLine =
      static_cast<std::int16_t>(std::max(1, window.ClientHeight() / std::max<int>(1, window.ScreenLineHeight)));
  RebuildScreen(&window);
  EnsureCaretVisible(window);
  window.RedisplayScreen(true);
}

}  // namespace qm
