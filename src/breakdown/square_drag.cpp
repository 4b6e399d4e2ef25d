#include "breakdown/square_drag.h"

namespace qm {

void TSquareDrag::Attach(const std::vector<TListBox*>& squares) {
  squares_ = squares;
  for (int k = 0; k < static_cast<int>(squares_.size()); ++k) {
    TListBox* square = squares_[static_cast<std::size_t>(k)];
    square->OnMouseDown = [this, k](TObject*, TMouseButton button, TShiftState, int x, int y) {
      if (button == TMouseButton::mbLeft) Press(k, x, y);
    };
    square->OnMouseMove = [this, k](TObject*, TShiftState shift, int, int) { Move(k, shift); };
    square->OnMouseUp = [this, k](TObject*, TMouseButton button, TShiftState, int x, int y) {
      if (button == TMouseButton::mbLeft) Release(k, x, y);
    };
  }
}

int TSquareDrag::SquareAt(TPoint screen) const {
  for (int k = 0; k < static_cast<int>(squares_.size()); ++k) {
    const TListBox* square = squares_[static_cast<std::size_t>(k)];
    const TPoint p = square->ScreenToClient(screen);
    if (p.X >= 0 && p.Y >= 0 && p.X < square->Width && p.Y < square->Height) return k;
  }
  return -1;
}

void TSquareDrag::Press(int square, int x, int y) {
  TListBox* list = squares_[static_cast<std::size_t>(square)];
  const int item = list->ItemAtPos(TPoint{x, y}, true);
  if (item >= 0) list->SetItemIndex(item);
  source_ = square;
  item_ = item;
  dragging_ = false;
}

void TSquareDrag::Move(int square, TShiftState shift) {
  if (square == source_ && item_ >= 0 && shift.Contains(ssLeft)) dragging_ = true;
}

void TSquareDrag::Release(int square, int x, int y) {
  const bool drop = dragging_ && square == source_ && item_ >= 0;
  const int from = source_;
  const int item = item_;
  source_ = item_ = -1;
  dragging_ = false;
  if (!drop) return;
  const TPoint screen = squares_[static_cast<std::size_t>(from)]->ClientToScreen(TPoint{x, y});
  const int to = SquareAt(screen);
  if (to < 0 || to == from || (CanDrop && !CanDrop(from, to))) return;
  if (Dropped) Dropped(from, item, to);
}

}  // namespace qm
