// Dragging items between list boxes with the mouse, as the desktop has it:
// a press on an item takes it (an item not yet selected becomes the only
// selection, unless Ctrl took it out of the selection), a move with the
// button held starts the drag, and the release drops over the list under
// the pointer, which may be the list the drag started in. The release
// reaches the list that was pressed (the desktop keeps the mouse there
// while the button is held), so the target is found by its place on the
// screen.
#pragma once

#include <functional>
#include <vector>

#include "platform/controls.h"

namespace qm {

class TListDrag {
 public:
  // Whether list `from` may drop on list `to` (indexes into the attached
  // lists); empty accepts every drop.
  std::function<bool(int from, int to)> CanDrop;
  // The drag from list `from`, begun on item `item`, dropped on list `to`
  // at a client point of that list.
  std::function<void(int from, int item, int to, TPoint at)> Dropped;
  // The drag from list `from`, begun on item `item`, released over no
  // showing list, at a screen point: the window may take it elsewhere.
  std::function<void(int from, int item, TPoint screen)> DroppedOutside;

  // Takes over the lists' mouse press, move and release.
  void Attach(const std::vector<TListBox*>& lists);
  // The showing list under a screen point, or -1.
  int ListAt(TPoint screen) const;
  bool Dragging() const { return dragging_; }

 private:
  void Press(int list, int x, int y, TShiftState shift);
  void Move(int list, TShiftState shift);
  void Release(int list, int x, int y);

  std::vector<TListBox*> lists_;
  int source_ = -1;
  int item_ = -1;
  bool dragging_ = false;
};

}  // namespace qm
