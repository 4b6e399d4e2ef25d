// A slider whose thumb comes to rest on one of its evenly spread marks:
// dragged, the thumb follows the mouse and, let go, snaps to the nearest
// mark; a click on the scale beside it takes it to the mark nearest the
// click.
#pragma once

#include <vector>

#include "platform/controls.h"

namespace qm {

// The mark a thumb centred at `centre` snaps to: every pair of marks is
// split at half the distance between the last two, a centre exactly there
// going to the higher mark.
int NearestMark(const std::vector<int>& marks, int centre);

class TMarkSlider : public TPaintBox {
 public:
  TMarkSlider(TComponent* owner, int marks);

  static constexpr int ThumbWidth = 11;
  // The thumb's left edge stays this far inside the groove's ends.
  static constexpr int Inset = 6;

  int Position() const { return position_; }
  // Centres the thumb on a mark (another number leaves it).
  void SetPosition(int mark);
  // The x of each mark's centre.
  std::vector<int> MarkCentres() const;
  // Heard each time the thumb comes to rest on a mark, the one it left
  // included: the writer chose that mark.
  TNotifyEvent OnSettle;

 private:
  void Press(int x);
  void Drag(int x);
  void Release();
  void SettleOnNearestMark();
  void PaintSlider();
  int ClampedLeft(int left) const;

  int marks_;
  int position_ = 0;
  int thumbLeft_ = 0;
  bool dragging_ = false;
  int pressX_ = 0;
  int pressLeft_ = 0;
};

}  // namespace qm
