#include "platform/list_drag.h"

#include "platform/forms.h"

namespace qm {

namespace {

// Shown within its window: a list on a page not shown takes no drop (the
// window itself shows while its mouse is dragging).
bool ShownInItsForm(const TControl* control) {
  for (; control && !dynamic_cast<const TForm*>(control); control = control->Parent())
    if (!control->Visible) return false;
  return true;
}

}  // namespace

void TListDrag::Attach(const std::vector<TListBox*>& lists) {
  lists_ = lists;
  for (int k = 0; k < static_cast<int>(lists_.size()); ++k) {
    TListBox* list = lists_[static_cast<std::size_t>(k)];
    list->OnMouseDown = [this, k](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
      if (button == TMouseButton::mbLeft) Press(k, x, y, shift);
    };
    list->OnMouseMove = [this, k](TObject*, TShiftState shift, int, int) { Move(k, shift); };
    list->OnMouseUp = [this, k](TObject*, TMouseButton button, TShiftState, int x, int y) {
      if (button == TMouseButton::mbLeft) Release(k, x, y);
    };
  }
}

int TListDrag::ListAt(TPoint screen) const {
  for (int k = 0; k < static_cast<int>(lists_.size()); ++k) {
    const TListBox* list = lists_[static_cast<std::size_t>(k)];
    if (!ShownInItsForm(list)) continue;
    const TPoint p = list->ScreenToClient(screen);
    if (p.X >= 0 && p.Y >= 0 && p.X < list->Width && p.Y < list->Height) return k;
  }
  return -1;
}

void TListDrag::Press(int list, int x, int y, TShiftState shift) {
  TListBox* box = lists_[static_cast<std::size_t>(list)];
  const int item = box->ItemAtPos(TPoint{x, y}, true);
  if (item >= 0 && !box->Selected(item) && !shift.Contains(ssCtrl)) {
    // A press beside the selection drags the pressed item alone.
    for (int i = 0; i < box->Items.Count(); ++i) box->SetSelected(i, false);
    box->SetItemIndex(item);
    box->SetSelected(item, true);
  }
  source_ = list;
  // An item Ctrl took out of the selection is dragged nowhere.
  item_ = item >= 0 && box->Selected(item) ? item : -1;
  dragging_ = false;
}

void TListDrag::Move(int list, TShiftState shift) {
  if (list == source_ && item_ >= 0 && shift.Contains(ssLeft)) dragging_ = true;
}

void TListDrag::Release(int list, int x, int y) {
  const bool drop = dragging_ && list == source_ && item_ >= 0;
  const int from = source_;
  const int item = item_;
  source_ = item_ = -1;
  dragging_ = false;
  if (!drop) return;
  const TPoint screen = lists_[static_cast<std::size_t>(from)]->ClientToScreen(TPoint{x, y});
  const int to = ListAt(screen);
  if (to < 0) {
    if (DroppedOutside) DroppedOutside(from, item, screen);
    return;
  }
  if ((CanDrop && !CanDrop(from, to))) return;
  if (Dropped) Dropped(from, item, to, lists_[static_cast<std::size_t>(to)]->ScreenToClient(screen));
}

}  // namespace qm
