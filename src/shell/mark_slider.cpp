#include "shell/mark_slider.h"

#include <algorithm>

#include "platform/forms.h"

namespace qm {

namespace {

// The program's grabbing-hand cursor, shown while the thumb is held.
constexpr int GrabbingHandCursor = 6;
constexpr int GrooveTop = 7;
constexpr int ThumbHeight = 16;

}  // namespace

int NearestMark(const std::vector<int>& marks, int centre) {
  const int count = static_cast<int>(marks.size());
  if (count < 2) return 0;
  const int half = (marks[count - 1] - marks[count - 2]) / 2;
  for (int i = 0; i + 1 < count; ++i)
    if (centre < marks[i] + half) return i;
  return count - 1;
}

TMarkSlider::TMarkSlider(TComponent* owner, int marks) : TPaintBox(owner), marks_(std::max(2, marks)) {
  OnPaint = [this](TObject*) { PaintSlider(); };
  OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int) {
    if (button == TMouseButton::mbLeft) Press(x);
  };
  OnMouseMove = [this](TObject*, TShiftState, int x, int) { Drag(x); };
  OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int, int) {
    if (button == TMouseButton::mbLeft) Release();
  };
}

std::vector<int> TMarkSlider::MarkCentres() const {
  const int first = Inset + ThumbWidth / 2;
  const int span = std::max(0, Width - 2 * Inset - ThumbWidth);
  std::vector<int> centres;
  for (int i = 0; i < marks_; ++i) centres.push_back(first + span * i / (marks_ - 1));
  return centres;
}

void TMarkSlider::SetPosition(int mark) {
  if (mark < 0 || mark >= marks_) return;
  position_ = mark;
  Invalidate();
}

int TMarkSlider::ClampedLeft(int left) const {
  return std::clamp(left, Inset, std::max(Inset, Width - Inset - ThumbWidth));
}

// On the thumb the press takes hold of it; beside it on the scale the
// click is where the thumb goes.
void TMarkSlider::Press(int x) {
  const int restingLeft = MarkCentres()[static_cast<std::size_t>(position_)] - ThumbWidth / 2;
  if (x >= restingLeft && x < restingLeft + ThumbWidth) {
    dragging_ = true;
    pressX_ = x;
    pressLeft_ = restingLeft;
    thumbLeft_ = restingLeft;
    if (Screen) Screen->SetCursor(GrabbingHandCursor);
    return;
  }
  thumbLeft_ = ClampedLeft(x);
  SettleOnNearestMark();
}

void TMarkSlider::Drag(int x) {
  if (!dragging_) return;
  thumbLeft_ = ClampedLeft(pressLeft_ + x - pressX_);
  Invalidate();
}

void TMarkSlider::Release() {
  if (!dragging_) return;
  dragging_ = false;
  if (Screen) Screen->SetCursor(crDefault);
  SettleOnNearestMark();
}

void TMarkSlider::SettleOnNearestMark() {
  SetPosition(NearestMark(MarkCentres(), thumbLeft_ + ThumbWidth / 2));
  if (OnSettle) OnSettle(this);
}

void TMarkSlider::PaintSlider() {
  TCanvas& c = Canvas;
  // The groove, sunk into the page.
  c.Pen.Color = clBtnShadow;
  c.MoveTo(Inset, GrooveTop + 3);
  c.LineTo(Width - Inset, GrooveTop + 3);
  c.MoveTo(Inset, GrooveTop + 3);
  c.LineTo(Inset, GrooveTop + 6);
  c.Pen.Color = clBtnHighlight;
  c.MoveTo(Inset, GrooveTop + 6);
  c.LineTo(Width - Inset, GrooveTop + 6);
  c.LineTo(Width - Inset, GrooveTop + 2);
  // A tick under each mark.
  c.Pen.Color = clBlack;
  for (int x : MarkCentres()) {
    c.MoveTo(x, ThumbHeight + 4);
    c.LineTo(x, ThumbHeight + 8);
  }
  // The thumb, raised.
  const int left = dragging_ ? thumbLeft_ : MarkCentres()[static_cast<std::size_t>(position_)] - ThumbWidth / 2;
  const TRect thumb{left, 1, left + ThumbWidth, 1 + ThumbHeight};
  c.Brush.Color = clBtnFace;
  c.FillRect(thumb);
  c.Pen.Color = clBtnHighlight;
  c.MoveTo(thumb.Left, thumb.Bottom - 1);
  c.LineTo(thumb.Left, thumb.Top);
  c.LineTo(thumb.Right - 1, thumb.Top);
  c.Pen.Color = clBlack;
  c.LineTo(thumb.Right - 1, thumb.Bottom - 1);
  c.LineTo(thumb.Left, thumb.Bottom - 1);
}

}  // namespace qm
