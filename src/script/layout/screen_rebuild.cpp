#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "base/program_options.h"
#include "base/program_options.h"
#include "script/layout/screen_rebuild.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/scoped_state.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "script/layout/caret_view.h"
#include "script/layout/char_widths.h"
#include "script/layout/cue_extension.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/kept_screen.h"
#include "script/model/element_visibility.h"
#include "script/layout/editor_state.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_lines.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/layout/word_wrap.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "script/model/edit_line_writer.h"

namespace qm {

Byte CaretBusy;

namespace {

const GlobalState reset([] { CaretBusy = 0; });

constexpr int MaxCaretColumn = 2816;

class CaretBusyScope : public ScopedState<Byte> {
 public:
  CaretBusyScope() : ScopedState(CaretBusy, 1) {}
};

// The unpacked text of an element, wherever it sits.
std::string TextOfElement(const TMDIChild& window, const TScriptElement& element) {
  if (IsPageBreakKind(element.Kind())) return " ";
  if (!element.text) return &element == window.CurrentElement() ? window.EditBuffer() : std::string();
  if (!HoldsPackedText(element.Kind())) return *element.text;
  return UnpackText(*element.text);
}

// A line emptied before (a line shows nothing only once it was cleared)
// need not be cleared again.
bool IsEmptyLine(const TMDIChild& window, const TScreenLine& row) {
  return !row.element && row.text.empty() && row.height == window.ScreenLineHeight && row.left == 0 &&
         row.lineInElement == 0 && row.banner == 0;
}

// The start of the word a column lies in.
int StartOfWord(const std::string& text, int column) {
  column = std::clamp(column, 0, static_cast<int>(text.size()));
  while (column > 0 && text[static_cast<std::size_t>(column - 1)] != ' ') --column;
  return column;
}

// A block that runs out of the element being left is settled first: it
// reaches the element's end (its start, going back), or leaves the element
// when the caret took it back to where it began.
void SettleBlockMarks(TMDIChild& window, TScriptElement& element, const TScriptElement* following, bool forward) {
  const int length = static_cast<int>(window.EditBuffer().size());
  const int edge = forward ? length : 0;
  const bool shrinking = forward ? element.blockStart > element.blockEnd : element.blockStart < element.blockEnd;
  if (element.blockStart < 0 || element.blockEnd < 0) {
    element.blockStart = element.blockEnd = -1;
  } else if ((element.blockStart == edge && element.blockEnd == edge) ||
             (shrinking && following && following->blockStart >= 0)) {
    element.blockStart = element.blockEnd = -1;
  } else if (!forward) {
    element.blockEnd = 0;
  } else {
    element.blockEnd = length;
    if (ProgramOptions().MouseBlocksByWords && ProgramOptions().MouseBlockStartWord)
      element.blockStart = StartOfWord(window.EditBuffer(), element.blockStart);
  }
  window.WrapScreenText(&element, window.EditBuffer());
}

bool MoveToElement(bool forward) {
  TMDIChild* window = ActiveScript();
  if (!window || !window->CurrentElement()) return false;
  TScriptElement* old = window->CurrentElement();
  TScriptElement* target = forward ? old->next : old->prev;
  while (target && TakesNoScreenRoom(*window, *target)) target = forward ? target->next : target->prev;
  if (!target) return false;
  if (window->BlockOn()) SettleBlockMarks(*window, *old, target, forward);
  MakeElementCurrent(*window, target);
  if (forward) {
    if (old->screenLine + old->lineCount <= ScreenLineCount)
      target->screenLine = static_cast<std::int16_t>(old->screenLine + old->lineCount);
  } else {
    target->screenLine = static_cast<std::int16_t>(old->screenLine - target->lineCount);
  }
  EditFields(*window).CaretColumn = 0;
  EditFields(*window).CaretLine = 1;
  if (window->BlockOn()) {
    const auto length = static_cast<std::int32_t>(window->EditBuffer().size());
    if (target->blockStart < 0) target->blockStart = forward ? 0 : length;
    if (target->blockEnd < 0) target->blockEnd = forward ? length : 0;
  }
  if (!IsPageBreakKind(target->Kind())) window->WrapScreenText(target, window->EditBuffer());
  if (InteractiveEdit) MeasureScreenFont(*window, target);
  return true;
}

// The screen line under a client y: line heights are added from the top
// until they pass y; empty lines below the script give way to the last
// line that shows something.
int ScreenLineAtY(const TMDIChild& window, int y) {
  int line = 1;
  int bottom = window.TextTopOffset;
  for (; line <= ScreenLineCount; ++line) {
    bottom += window.ScreenLines[static_cast<std::size_t>(line)].height;
    if (bottom > y) break;
  }
  line = std::min(line, ScreenLineCount);
  while (line > 1 && !window.ScreenLines[static_cast<std::size_t>(line)].element) --line;
  return line;
}

bool TakesCaret(const TScreenLine& line) { return line.element && !IsPageBreakKind(line.element->Kind()); }

}  // namespace

bool ElementInScript(const TMDIChild& window, const TScriptElement* element) {
  for (const TScriptElement* e = window.FirstElement; e; e = e->next)
    if (e == element) return true;
  return false;
}

void MakeElementCurrent(TMDIChild& window, TScriptElement* element) {
  if (window.CurrentElement() != element) {
    window.Assemble();
    EditFields(window).CurrentElement = element;
    window.CurrentGroup = element->group;
  }
  window.DisAssemble();
}

int ColumnUnderX(TMDIChild& window, int lineInElement, int x) {
  const int length = static_cast<int>(window.EditBuffer().size());
  if (window.EditBuffer() == "\x04" || window.EditBuffer() == " ") return 0;
  int column = lineInElement == 1 ? 0 : window.LineOffsets()[static_cast<std::size_t>(lineInElement - 1)];
  // The caret stays on the line: a line the next one follows ends before
  // its last character (the mark of a hard return, the blank it broke at);
  // the start of the next line is that line's.
  const int nextLine = window.LineOffsets()[static_cast<std::size_t>(lineInElement)];
  const bool lastLine = lineInElement >= window.CurrentElement()->lineCount;
  const int lineEnd = std::min<int>(lastLine ? nextLine : nextLine - 1, length);
  int left = window.LeftTextOffset + ScreenTextLeft(window, *window.CurrentElement(), lineInElement);
  while (column < lineEnd) {
    const int width = CharWidthAt(window, column);
    if (x <= left + width / 2) break;
    left += width;
    ++column;
  }
  return std::min(column, length);
}

bool WindowHasFocus(const TMDIChild& window) { return window.Active() && window.FocusedControl() == nullptr; }

void SelectScreenFont(TMDIChild& window) {
  TFont& font = window.Canvas.Font;
  font.PixelsPerInch = Platform::Current().backend().Screen().PixelsPerInch;
  font.Name = ScreenFaceName(window.ScriptFontName);
  font.Size = window.ScriptFontSize;
  font.SetHeight(font.Height() * ProgramOptions().ZoomSize / 100);
}

void SetupScreenFont(TMDIChild& window) {
  window.Canvas.Brush.Color = window.BackgroundColor;
  TFont& font = window.Canvas.Font;
  font.PixelsPerInch = Platform::Current().backend().Screen().PixelsPerInch;
  font.Size = window.ScriptFontSize;
  const int zoomedHeight = font.Height() * ProgramOptions().ZoomSize / 100;
  SelectScreenFont(window);
  window.ScreenLineHeight = static_cast<Word>(std::abs(zoomedHeight) + 2);
  const TextMetrics metrics = window.Canvas.FontMetricsNow();
  window.ScreenAscent = static_cast<Word>(metrics.Ascent);
  window.ScreenDescent = static_cast<Word>(metrics.Descent);
  TFontDesc courier = font.Desc();
  courier.Name = "Courier New";
  window.DotWidth = static_cast<Word>(MeasureText(courier, window.Canvas.PixelsPerInch(), "."));
}

void ResetScreenLines(TMDIChild& window) {
  SetupScreenFont(window);
  for (int line = 1; line <= ScreenLineCount; ++line) {
    ClearScreenLine(window, line);
    window.ScreenLines[static_cast<std::size_t>(line)].stale = 1;
  }
  UpdateScreenLinePositions(window);
}

void RebuildScreen(TMDIChild* window) {
  if (!window || window->Closing || window != ActiveScript()) return;
  TScriptElement* current = window->CurrentElement();
  if (!current) return;
  SetupScreenFont(*window);
  // Laid off the screen too, so that the script stands as one laid whole.
  CountPageBreakLines(*window);
  InteractiveEdit = 0;
  const Word caretColumn = window->CaretColumn();
  const Byte blockOn = window->BlockOn();
  EditFields(*window).BlockOn = 0;

  if (current->screenLine > ScreenLineCount || current->screenLine + ScreenLinesOf(*window, *current) <= 1)
    current->screenLine = 1;
  TScriptElement* top = current;
  while (top->prev && top->screenLine >= 2) {
    top->prev->screenLine = static_cast<std::int16_t>(top->screenLine - ScreenLinesOf(*window, *top->prev));
    top = top->prev;
  }
  // The window shows the script from its first line: the start of a script
  // that would stand lower (a short script laid out from the bottom, or
  // the view kept after the script above the caret shrank) moves up to it,
  // and everything below with it, rather than leaving a blank band on top.
  if (!top->prev && top->screenLine > 1) top->screenLine = 1;
  // Every line is laid again or emptied below, so a line that shows what it
  // showed before is not marked for painting.
  const int limit = window->ClientHeight() + 25;
  int used = 0;
  int lastLine = top->screenLine - 1;
  for (TScriptElement* element = top; element; element = element->next) {
    element->screenLine = static_cast<std::int16_t>(lastLine + 1);
    if (TakesNoScreenRoom(*window, *element)) {
      // Wrapped all the same, for its printed lines; on screen it takes no line.
      WrapForScreen(*window, *element, TextOfElement(*window, *element), false);
      continue;
    }
    TKeptScreen* keptLines = KeptScreenOf(*window);
    if (!keptLines || !keptLines->Lay(*element)) {
      EditFields(*window).BlockOn = blockOn;
      WrapForScreen(*window, *element, TextOfElement(*window, *element), false);
      EditFields(*window).BlockOn = 0;
    }
    const int first = element->screenLine;
    if (first >= 1 && first <= ScreenLineCount) window->ScreenLines[static_cast<std::size_t>(first)].stale = 1;
    lastLine = first + element->lineCount - 1;
    for (int line = std::max(first, 1); line <= lastLine && line <= ScreenLineCount; ++line)
      used += window->ScreenLines[static_cast<std::size_t>(line)].height;
    if (used > limit || lastLine >= ScreenLineCount) break;
  }
  const auto empty = [window](int line) {
    TScreenLine& row = window->ScreenLines[static_cast<std::size_t>(line)];
    if (IsEmptyLine(*window, row)) MarkScreenLine(row, 1);
    else ClearScreenLine(*window, line);
    row.stale = 1;
  };
  for (int line = std::max(lastLine + 1, 1); line <= ScreenLineCount; ++line) empty(line);
  UpdateScreenLinePositions(*window);

  InteractiveEdit = 1;
  EditFields(*window).CaretColumn = caretColumn;
  EditFields(*window).BlockOn = blockOn;
  EditFields(*window).CaretLine = static_cast<Word>(
      CaretLineOfColumn(window->LineOffsets(), current->lineCount, window->CaretColumn(), window->EditBuffer()));
}

void UpdateCaret() {
  if (CaretBusy) return;
  TMDIChild* window = ActiveScript();
  if (!window) return;
  if (DocumentFrame && !DocumentFrame->Visible) return;
  TScriptElement* element = window->CurrentElement();
  if (!element || !window->Visible || window->Closing || IsPageBreakKind(element->Kind()) ||
      TakesNoScreenRoom(*window, *element))
    return;
  const CaretBusyScope busy;

  if (window->CaretColumn() > MaxCaretColumn) EditFields(*window).CaretColumn = 0;
  const std::string& text = window->EditBuffer();
  KeepCaretBehindContinuedMark(*window);
  if (window->CaretColumn() > text.size()) {
    EditFields(*window).CaretColumn = static_cast<Word>(text.size());
    window->WrapScreenText(element, text);
  }
  int line = CaretLineOfColumn(window->LineOffsets(), element->lineCount, window->CaretColumn(), text);
  if (window->CaretColumn() > window->LineOffsets()[static_cast<std::size_t>(element->lineCount)]) {
    window->WrapScreenText(element, text);
    EditFields(*window).CaretColumn =
        static_cast<Word>(std::min<std::size_t>(window->CaretColumn(), TrimmedLength(text)));
    line = CaretLineOfColumn(window->LineOffsets(), element->lineCount, window->CaretColumn(), text);
  }
  EditFields(*window).CaretLine = static_cast<Word>(line);
  EnsureCaretVisible(*window);
  line = window->CaretLine();

  const int lineStart = line == 1 ? 0 : window->LineOffsets()[static_cast<std::size_t>(line - 1)];
  window->CaretX =
      ScreenTextLeft(*window, *element, line) + MeasureTextWidth(*window, lineStart, window->CaretColumn() - 1);
  const int screenLine = std::clamp(element->screenLine + line - 1, 1, ScreenLineCount);
  window->CaretY = window->ScreenLines[static_cast<std::size_t>(screenLine)].y;

  if (WindowHasFocus(*window)) {
    const int charHeight = window->ScreenCharHeight ? window->ScreenCharHeight : window->ScreenLineHeight;
    DestroyCaret();
    CreateCaret(window->Handle(), 2, charHeight + 1);
    SetCaretPos(window->CaretX + window->LeftTextOffset, window->CaretY - window->ScreenAscent - (charHeight / 15 + 1));
    ShowCaret(window->Handle());
  }
  window->ReportedCaretElement = element;
  window->ReportedCaretLine = window->CaretLine();
  window->ReportedCaretColumn = window->CaretColumn();
}

void KeepCaretBehindContinuedMark(TMDIChild& window) {
  const TScriptElement* element = window.CurrentElement();
  if (!element || !FollowsContinuedName(window, *element)) return;
  const std::size_t end = ContinuedMarkEnd(window, window.EditBuffer());
  if (window.CaretColumn() < end) EditFields(window).CaretColumn = static_cast<Word>(end);
}

void FocusActiveScript() {
  TMDIChild* window = ActiveScript();
  if (!window) return;
  PumpBusy = 0;
  window->Enabled = true;
  if (window->Visible && (!DocumentFrame || DocumentFrame->Visible)) {
    if (window->WindowState == TWindowState::wsMinimized) window->WindowState = TWindowState::wsMaximized;
    // Asked every time: after a menu or dialog the desktop may have moved the
    // keyboard elsewhere while the window still counts as focused here.
    window->SetFocus();
  }
  if (Screen) Screen->SetCursor(crDefault);
  UpdateCaret();
}

bool MoveToNextElement() { return MoveToElement(true); }

bool MoveToPreviousElement() { return MoveToElement(false); }

void SaveLastPosition(TMDIChild& window, bool force) {
  if (!force && window.LastPositionElement && !LayoutProgramOptions.KeepLastPosition) return;
  window.LastPositionElement = window.CurrentElement();
  window.LastPositionLine = window.CaretLine();
  window.LastPositionScreenLine = window.CurrentElement() ? window.CurrentElement()->screenLine : 0;
  window.LastPositionColumn = window.CaretColumn();
}

void GotoLastPosition(TObject* sender) {
  TMDIChild* window = ActiveScript();
  if (window) {
    TScriptElement* target = window->LastPositionElement;
    if (target && ElementInScript(*window, target)) {
      const std::int16_t screenLine = window->LastPositionScreenLine;
      const Word line = window->LastPositionLine;
      const Word column = window->LastPositionColumn;
      SaveLastPosition(*window, true);
      MakeElementCurrent(*window, target);
      target->screenLine = screenLine;
      EditFields(*window).CaretLine = line;
      EditFields(*window).CaretColumn = column;
      RebuildScreen(window);
      window->RedisplayScreen(true);
    } else {
      window->LastPositionElement = nullptr;
      if (sender) ShowMessageBox("The Bookmark was not found.", PromptTable(24));
    }
  }
  FocusActiveScript();
}

bool PlaceCaretAtPoint(int x, int y, bool extend, TMDIChild& window) {
  if (!window.CurrentElement()) return true;
  int line = ScreenLineAtY(window, y);
  if (!TakesCaret(window.ScreenLines[static_cast<std::size_t>(line)])) {
    if (line < ScreenLineCount && TakesCaret(window.ScreenLines[static_cast<std::size_t>(line + 1)])) {
      ++line;
    } else {
      if (!window.BlockOn()) MessageBeep(0);
      return true;
    }
  }
  const TScreenLine& row = window.ScreenLines[static_cast<std::size_t>(line)];
  TScriptElement* target = row.element;
  const bool sameElement = target == window.CurrentElement();
  const TScriptElement* oldElement = window.CurrentElement();
  const Word oldColumn = window.CaretColumn();
  const int rowLine = row.lineInElement;
  const bool extending = extend && window.BlockOn() && &window == ActiveScript();
  if (extending && !sameElement) {
    // The block follows the walk from the old element to the new one.
    bool forward = false;
    for (const TScriptElement* e = window.CurrentElement(); e && !forward; e = e->next) forward = e == target;
    while (window.CurrentElement() != target)
      if (!MoveToElement(forward)) break;
  }
  MakeElementCurrent(window, target);
  const int lineInElement = std::clamp<int>(rowLine, 1, std::min<int>(target->lineCount, MaxLineCount));
  EditFields(window).CaretLine = static_cast<Word>(lineInElement);
  EditFields(window).CaretColumn = static_cast<Word>(ColumnUnderX(window, lineInElement, x));
  KeepCaretBehindContinuedMark(window);
  const int column = window.CaretColumn();
  if (extending) {
    if (target->blockStart < 0) target->blockStart = column;
    target->blockEnd = column;
    window.WrapScreenText(target, window.EditBuffer());
    window.RedisplayScreen(false);
  }
  if (window.CurrentElement() != oldElement || window.CaretColumn() != oldColumn) UpdateCaret();
  return sameElement;
}

void SetButtonDown(TSpeedButton* button, bool down) {
  if (button && button->Down != down) button->Down = down;
}

void UpdateFormatButton(TSpeedButton* button, std::string_view text, int column, Byte onCode, Byte offCode,
                        bool startState) {
  SetButtonDown(button,
                IsInsideCodePair(text, static_cast<std::size_t>(std::max(column, 0)), onCode, startState, offCode));
}

}  // namespace qm
