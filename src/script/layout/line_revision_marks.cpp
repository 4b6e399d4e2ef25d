#include "script/layout/line_revision_marks.h"

#include <algorithm>

#include "base/program_options.h"
#include "script/layout/margin_marks.h"
#include "script/layout/screen_lines.h"
#include "script/layout/word_wrap.h"
#include "script/script_window.h"

namespace qm {

namespace {

// Where wrapped line `line` begins in the element's text; -1 when its line
// offsets are not known.
int LineStart(const TMDIChild& window, const TScriptElement& element, int line) {
  if (line <= 1) return 0;
  if (line > MaxLineCount) return -1;
  if (&element == window.CurrentElement() && !element.text)
    return window.LineOffsets()[static_cast<std::size_t>(line - 1)];
  TLineOffsets offsets;
  if (!ReadLineOffsetBlock(element, offsets)) return -1;
  return offsets[static_cast<std::size_t>(line - 1)];
}

int LockedLevelAt(const TMDIChild& window, const TScriptElement& element, int line) {
  const int start = LineStart(window, element, line);
  if (start < 0) return 0;
  const std::string text = LiveElementText(window, element);
  if (static_cast<std::size_t>(start) >= text.size()) return 0;
  const Byte code = static_cast<Byte>(text[static_cast<std::size_t>(start)]);
  return code >= FirstLockCode && code <= LastLockCode ? code - FirstLockCode + 1 : 0;
}

// A scene heading's marks stay clear of its number at the right margin.
int PastRightSceneNumber(TMDIChild& window, const TScriptElement& heading, int x) {
  if (!IsSceneHeading(heading.Kind()) || !window.RightNumber) return x;
  const std::string number = window.SceneNumberText(heading);
  if (number.empty()) return x;
  const int numberX = PagePositionToScreenX(window, heading.format.RightMargin - 2);
  return std::max(x, numberX + window.Canvas.TextWidth(number + " "));
}

}  // namespace

bool LineIsRevised(const TScriptElement& element, int line) {
  return element.revisedLines && line > 0 && line < 256 &&
         element.revisedLines->find(static_cast<char>(line)) != std::string::npos;
}

int RevisionMarkLevel(const TMDIChild& window, const TScriptElement& element, int line) {
  if (IsPageBreakKind(element.Kind())) return 0;
  return LockedLevelAt(window, element, line) + (LineIsRevised(element, line) ? 1 : 0);
}

std::string RevisionMarkRun(const TMDIChild& window, int level) {
  std::string run;
  for (int i = 0; i < level; ++i) run += window.RevisionMarkText;
  return run;
}

void DrawRevisionMarks(TMDIChild& window, const TScriptElement& element, int level, int x, int top, int offset,
                       int minX) {
  const std::string run = RevisionMarkRun(window, level);
  if (run.empty()) return;
  TCanvas& canvas = window.Canvas;
  canvas.Font.Style = 0;
  canvas.Font.Color = ScreenColors.Text;
  canvas.Brush.Style = TBrushStyle::bsClear;
  const int at = PastRightSceneNumber(window, element, std::max(x, minX));
  canvas.TextOut(at, top + offset, run);
  canvas.Brush.Style = TBrushStyle::bsSolid;
}

void DrawScreenLineRevisionMarks(TMDIChild& window, int line) {
  if (line < 1 || line > ScreenLineCount) return;
  const TScreenLine& row = window.ScreenLines[static_cast<std::size_t>(line)];
  if (!row.element || row.banner != 0) return;
  const int level = RevisionMarkLevel(window, *row.element, row.lineInElement);
  if (level == 0) return;
  // Half an inch in from the paper's right edge, ending there, as printed.
  const int width = window.Canvas.TextWidth(RevisionMarkRun(window, level));
  const int x = PagePositionToScreenX(window, 5) - width;
  const int textEnd = window.LeftTextOffset + row.left +
                      ShownTextWidth(window, row, 1, static_cast<int>(row.text.size())) + window.DotWidth;
  const int top = ScreenLineTop(window, line);
  DrawRevisionMarks(window, *row.element, level, x, top, row.y - top, textEnd);
}

}  // namespace qm
