#include "breakdown/square_drag.h"

namespace qm {

void TSquareDrag::Attach(const std::vector<TListBox*>& squares) {
  drag_.CanDrop = [this](int from, int to) { return to != from && (!CanDrop || CanDrop(from, to)); };
  drag_.Dropped = [this](int from, int item, int to, TPoint) {
    if (Dropped) Dropped(from, item, to);
  };
  drag_.Attach(squares);
}

}  // namespace qm
