// The two markers that frame a found text (a search's match, the word the
// spelling check asks about): the text is the current element's block,
// and while the window's two marker flags are set a full repaint draws a
// bracket before its first character and one after its last.
#pragma once

#include <optional>

#include "platform/types.h"

namespace qm {

class TCanvas;
class TMDIChild;

// Where the two markers stand in the window's client area: the left one
// at the found text's start, the right one at its end, each at the top of
// its screen line and as tall as the line.
struct TFoundTextFrame {
  TPoint left;
  TPoint right;
  int leftHeight = 0;
  int rightHeight = 0;
};
// Nothing while no flag is set or the block does not lie on screen in the
// current element.
std::optional<TFoundTextFrame> FoundTextFrame(TMDIChild& window);

// One marker: a bracket before the text (isLeft) or after it, `height`
// pixels tall from `at`.
void DrawFoundTextMarker(TCanvas& canvas, TPoint at, int height, bool isLeft);
// Draws the pending markers (after the lines are painted).
void DrawFoundTextMarkers(TMDIChild& window);

}  // namespace qm
