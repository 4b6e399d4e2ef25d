#include "script/layout/caret_view.h"

#include <cstddef>

#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"

namespace qm {

const TScreenLine& ScreenRow(const TMDIChild& window, int line) {
  return window.ScreenLines[static_cast<std::size_t>(line)];
}

int CaretScreenRow(const TMDIChild& window) { return window.CurrentElement()->screenLine + window.CaretLine() - 1; }

int ScreenRowBottom(const TMDIChild& window, int line) {
  const TScreenLine& row = ScreenRow(window, line);
  return row.y + window.ScreenDescent + row.below;
}

bool HasContentAbove(const TMDIChild& window) { return window.CaretLine() > 1 || window.CurrentElement()->prev; }

void MoveViewBy(TMDIChild& window, int lines) {
  window.CurrentElement()->screenLine = static_cast<std::int16_t>(window.CurrentElement()->screenLine + lines);
  RebuildScreen(&window);
}

void EnsureCaretVisible(TMDIChild& window) {
  if (window.Closing || !window.CurrentElement()) return;
  const int client = window.ClientHeight();
  bool moved = false;
  // A few passes at most: lines out of sight are measured at the plain
  // line height until they are laid out.
  for (int pass = 0; pass < 8; ++pass) {
    const int row = CaretScreenRow(window);
    // Below the top line while anything lies above the caret; at the
    // script's start, on the top line.
    const int top = HasContentAbove(window) ? 2 : 1;
    if (row < top) {
      MoveViewBy(window, top - row);
      moved = true;
      continue;
    }
    if (row > ScreenLineCount) {
      RebuildScreen(&window);
      moved = true;
      continue;
    }
    const int overflow = ScreenRowBottom(window, row) - client;
    if (overflow <= 0 || row <= 1) break;
    int lines = 0;
    for (int covered = 0; covered < overflow && lines < row - 1;) covered += ScreenRow(window, ++lines).height;
    MoveViewBy(window, -lines);
    moved = true;
  }
  if (moved) window.RedisplayScreen(true);
}

}  // namespace qm
