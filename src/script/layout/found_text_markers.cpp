#include "script/layout/found_text_markers.h"

#include <algorithm>
#include <string>

#include "script/layout/char_widths.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/screen_lines.h"
#include "script/layout/word_wrap.h"
#include "script/script_window.h"

namespace qm {

namespace {

// The marker: a bracket in red, its arms reaching towards the text.
constexpr TColor MarkerColor = clRed;
constexpr int ArmLength = 3;

struct TColumnPlace {
  TPoint at;
  int height = 0;
};

// Where a column of the current element stands on screen, at the top of
// its line: a text's start where a wrapped line ends stands at the start
// of the next line, its end at the end of the line.
std::optional<TColumnPlace> PlaceOfColumn(TMDIChild& window, int column, bool opening) {
  const TScriptElement& element = *window.CurrentElement();
  int line = CaretLineOfColumn(window.LineOffsets(), element.lineCount, column, window.EditBuffer());
  if (opening && line < element.lineCount && column == window.LineOffsets()[static_cast<std::size_t>(line)]) ++line;
  const int screenLine = element.screenLine + line - 1;
  if (screenLine < 1 || screenLine > ScreenLineCount) return std::nullopt;
  const int lineStart = line == 1 ? 0 : window.LineOffsets()[static_cast<std::size_t>(line - 1)];
  const int x =
      window.LeftTextOffset + ScreenTextLeft(window, element, line) + MeasureTextWidth(window, lineStart, column - 1);
  const TScreenLine& row = window.ScreenLines[static_cast<std::size_t>(screenLine)];
  return TColumnPlace{TPoint{x, ScreenLineTop(window, screenLine)}, row.height};
}

}  // namespace

void DrawFoundTextMarker(TCanvas& canvas, TPoint at, int height, bool isLeft) {
  const int stem = isLeft ? at.X - 2 : at.X + 1;
  const int arm = isLeft ? stem + ArmLength : stem - ArmLength;
  const int bottom = at.Y + std::max(height, 2) - 1;
  canvas.Pen.Color = MarkerColor;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Polyline({{arm, at.Y}, {stem, at.Y}, {stem, bottom}, {arm, bottom}});
}

std::optional<TFoundTextFrame> FoundTextFrame(TMDIChild& window) {
  const TScriptElement* element = window.CurrentElement();
  if ((!window.FoundMarkerLeft && !window.FoundMarkerRight) || !element || element->text) return std::nullopt;
  const int length = static_cast<int>(window.EditBuffer().size());
  const int start = std::min(element->blockStart, element->blockEnd);
  const int end = std::min(std::max(element->blockStart, element->blockEnd), length);
  if (start < 0 || start >= end) return std::nullopt;
  const auto left = PlaceOfColumn(window, start, true);
  const auto right = PlaceOfColumn(window, end, false);
  if (!left || !right) return std::nullopt;
  return TFoundTextFrame{left->at, right->at, left->height, right->height};
}

void DrawFoundTextMarkers(TMDIChild& window) {
  const auto frame = FoundTextFrame(window);
  if (!frame) return;
  if (window.FoundMarkerLeft) DrawFoundTextMarker(window.Canvas, frame->left, frame->leftHeight, true);
  if (window.FoundMarkerRight) DrawFoundTextMarker(window.Canvas, frame->right, frame->rightHeight, false);
}

}  // namespace qm
