// Dragging an item from one square list to another with the mouse: a
// press takes the item under the pointer, a move with the button held
// starts the drag, and the release over another square drops it there.
#pragma once

#include <functional>
#include <vector>

#include "platform/list_drag.h"

namespace qm {

class TSquareDrag {
 public:
  // Whether an item of square `from` may go to square `to` (0-based); the
  // source square itself never takes the drop.
  std::function<bool(int from, int to)> CanDrop;
  // The item `item` of square `from` dropped on square `to`.
  std::function<void(int from, int item, int to)> Dropped;

  // Hooks the squares' mouse events.
  void Attach(const std::vector<TListBox*>& squares);
  // The square under a screen point, or -1.
  int SquareAt(TPoint screen) const { return drag_.ListAt(screen); }

 private:
  TListDrag drag_;
};

}  // namespace qm
