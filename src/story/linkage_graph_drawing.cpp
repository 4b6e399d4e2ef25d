#include "story/linkage_graph_drawing.h"

#include <algorithm>
#include <cmath>

namespace qm::story {

namespace {

const TColor Unconditional = RGB(0, 0, 255);
const TColor Conditional = RGB(255, 0, 0);

int RoundPixel(float value) { return static_cast<int>(std::lround(value)); }

}  // namespace

void TLinkageDrawing::SetupWorkValues(const TGraphPlacement& place) {
  hppi_ = vppi_ = canvas_.PixelsPerInch();
  colour_ = place.screen || place.colour;
  gap_ = hppi_ / 4;
  topMargin_ = vppi_ / 4;
  rowGap_ = vppi_ / 4;
  arrowSize_ = hppi_ / 24;
  penWidth_ = std::max(1, hppi_ / 96);
  canvas_.Pen.Width = penWidth_;
}

void TLinkageDrawing::PrepareCanvas(const TGraphPlacement& place) {
  if (place.screen) {
    canvas_.Pen = TPenDesc{clBtnFace, 1};
    canvas_.Brush = TBrushDesc{clBtnFace};
    canvas_.Rectangle(0, 0, place.clipRight, place.clipBottom);
  }
  canvas_.Font.Name = "Arial";
  canvas_.Font.PixelsPerInch = vppi_;
  canvas_.Font.Size = 10;
  canvas_.Font.Style = 0;
  canvas_.Font.Color = clBlack;
  canvas_.Brush = TBrushDesc{clWhite};
  canvas_.Pen = TPenDesc{clBlack, penWidth_};
  twoBlanks_ = canvas_.TextWidth("  ");
  oneBlank_ = canvas_.TextWidth(" ");
  const int textHeight = canvas_.TextHeight("Ag");
  boxHeight_ = textHeight + textHeight / 5;
}

int TLinkageDrawing::NodeIndex(std::int64_t number) const {
  const auto& nodes = graph_.Nodes;
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].number == number) return static_cast<int>(i);
  return -1;
}

bool TLinkageDrawing::WasDrawn(std::int64_t number) const {
  const int i = NodeIndex(number);
  return i >= 0 && placed_[i].drawn;
}

Word TLinkageDrawing::GetBoxWidth(std::int64_t number) const {
  const int i = NodeIndex(number);
  if (i < 0) return 0;
  return static_cast<Word>(canvas_.TextWidth(graph_.Nodes[i].label) + twoBlanks_ + gap_);
}

int TLinkageDrawing::SetupCenteredXPos(Word total) const {
  if (total > 0) total = static_cast<Word>(total - gap_);
  return total / 2 < centre_ ? centre_ - total / 2 : 5;
}

void TLinkageDrawing::DrawBox(int& x, int y, std::int64_t number) {
  const int i = NodeIndex(number);
  if (i < 0 || placed_[i].drawn || graph_.Nodes[i].label.empty()) return;
  const TGraphNode& node = graph_.Nodes[i];
  const int width = canvas_.TextWidth(node.label) + twoBlanks_;
  canvas_.Rectangle(x, y, x + width, y + boxHeight_);
  canvas_.Brush.Style = TBrushStyle::bsClear;
  canvas_.TextOut(x + oneBlank_, y + boxHeight_ / 10, node.label);
  canvas_.Brush.Style = TBrushStyle::bsSolid;
  placed_[i] = {true, x, y, static_cast<Word>(width)};
  boxes_.push_back({x, y, static_cast<Word>(width), node.number, false});
  x += width + gap_;
}

void TLinkageDrawing::DrawSelected(Word number, int y) {
  const int i = NodeIndex(number);
  if (i < 0) return;
  const TGraphNode& node = graph_.Nodes[i];
  const int labelWidth = canvas_.TextWidth(node.label);
  const int x = centre_ - labelWidth / 2;
  canvas_.Ellipse(x - twoBlanks_, y - twoBlanks_, x + labelWidth + 2 * twoBlanks_, y + boxHeight_ + twoBlanks_);
  canvas_.Brush.Style = TBrushStyle::bsClear;
  canvas_.TextOut(x + oneBlank_, y + boxHeight_ / 10, node.label);
  canvas_.Brush.Style = TBrushStyle::bsSolid;
  const Word width = static_cast<Word>(labelWidth + twoBlanks_);
  placed_[i] = {true, x, y, width};
  boxes_.push_back({x, y, width, node.number, true});
}

void TLinkageDrawing::DrawTargetsRow(const TGraphNode& node, int& y) {
  const int used = node.UsedSlots();
  Word total = 0;
  for (int s = 0; s < used; ++s) total = static_cast<Word>(total + GetBoxWidth(node.links[s]));
  int x = SetupCenteredXPos(total);
  for (int s = 0; s < used; ++s) {
    if (x + GetBoxWidth(node.links[s]) > rightLimit_) {
      // What is left of the row after the part already drawn.
      total = static_cast<Word>(total - static_cast<Word>(x));
      x = SetupCenteredXPos(total);
      y += rowGap_ + boxHeight_;
    }
    DrawBox(x, y, node.links[s]);
  }
}

void TLinkageDrawing::Draw(Word selected, const TGraphPlacement& place) {
  boxes_.clear();
  placed_.assign(graph_.Nodes.size(), TPlaced{});
  SetupWorkValues(place);
  PrepareCanvas(place);
  centre_ = place.centre;
  rightLimit_ = place.clipRight - vppi_ / 2;

  // One target that leads here without being led to from here.
  int y = topMargin_ + place.pageOffset;
  const auto count = static_cast<std::int64_t>(graph_.Nodes.size());
  for (std::int64_t d = 1; d <= count; ++d) {
    if (!graph_.LinksTo(d, selected) || graph_.LinksTo(selected, d)) continue;
    const Word width = GetBoxWidth(d);
    int x = SetupCenteredXPos(width);
    if (x + width > rightLimit_) {
      x = SetupCenteredXPos(static_cast<Word>(width - static_cast<Word>(x)));
      y += rowGap_ + boxHeight_;
    }
    DrawBox(x, y, d);
    break;
  }

  y = 4 * topMargin_ + place.pageOffset;
  DrawSelected(selected, y);
  y += rowGap_ + boxHeight_;
  if (const int i = NodeIndex(selected); i >= 0) DrawTargetsRow(graph_.Nodes[i], y);
  DrawLinks();
  canvas_.Brush.Color = clBtnFace;
}

void TLinkageDrawing::DrawLinks() {
  for (std::size_t i = 0; i < graph_.Nodes.size(); ++i) {
    if (!placed_[i].drawn) continue;
    const TGraphNode& node = graph_.Nodes[i];
    for (int s = 0; s < node.UsedSlots(); ++s) {
      if (!WasDrawn(node.links[s])) continue;
      SetupPenColor(node.kinds[s] == lkConditional);
      DrawConnection(placed_[i], placed_[NodeIndex(node.links[s])]);
    }
  }
}

void TLinkageDrawing::DrawConnection(const TPlaced& from, const TPlaced& to) {
  const int fx = from.x, fy = from.y, fw = from.width;
  const int tx = to.x, ty = to.y, tw = to.width;
  if (fy == ty) {
    if (fx == tx) return;
    if (fx < tx) {
      const int h = fx + fw + gap_ < tx ? (rowGap_ / 5) * 3 : rowGap_ / 3;
      canvas_.MoveTo(fx + (fw / 5) * 4, fy);
      canvas_.LineTo(fx + (fw / 5) * 4, fy - h);
      canvas_.LineTo(tx + (tw / 3) * 2, fy - h);
      DrawArrow(tx + (tw / 3) * 2, fy - h, tx + (tw / 3) * 2, fy);
    } else {
      const int h = rowGap_ / 3;
      const int b = fy + boxHeight_;
      canvas_.MoveTo(fx + fw / 2, b);
      canvas_.LineTo(fx + fw / 2, b + h);
      canvas_.LineTo(tx + tw / 2, b + h);
      DrawArrow(tx + tw / 2, b + h, tx + tw / 2, b);
    }
    return;
  }
  const bool lower = ty > fy;
  const int x1 = fx + fw / 2;
  const int y1 = lower ? fy + boxHeight_ : fy;
  const int y2 = lower ? ty : ty + boxHeight_;
  int x2 = x1;
  if (x1 < tx || x1 > tx + tw) x2 = tx + tw / 2 < x1 ? tx + (tw / 4) * 3 : tx + tw / 4;
  DrawArrow(x1, y1, x2, y2);
}

void TLinkageDrawing::DrawArrow(int x1, int y1, int x2, int y2) {
  canvas_.MoveTo(x1, y1);
  canvas_.LineTo(x2, y2);
  const int s = arrowSize_;
  std::vector<TPoint> head;
  if (x1 == x2) {
    const int back = y1 < y2 ? -s : s;
    head = {{x2, y2}, {x2 - s, y2 + back}, {x2 + s, y2 + back}};
  } else {
    const float a = std::atan(static_cast<float>(y1 - y2) / static_cast<float>(x1 - x2));
    const int u = RoundPixel(std::cos(a) * s), v = RoundPixel(std::sin(a) * s);
    const TPoint base = x2 < x1 ? TPoint{x2 + u, y2 + v} : TPoint{x2 - u, y2 - v};
    const float across = a + static_cast<float>(M_PI / 2);
    const int u2 = RoundPixel(std::cos(across) * s), v2 = RoundPixel(std::sin(across) * s);
    head = {{x2, y2}, {base.X + u2, base.Y + v2}, {base.X - u2, base.Y - v2}};
  }
  const TBrushDesc brush = canvas_.Brush;
  canvas_.Brush = TBrushDesc{canvas_.Pen.Color};
  canvas_.Polygon(head);
  canvas_.Brush = brush;
}

void TLinkageDrawing::SetupPenColor(bool conditional) {
  if (colour_) canvas_.Pen = TPenDesc{conditional ? Conditional : Unconditional, penWidth_};
  else canvas_.Pen = TPenDesc{clBlack, conditional ? 1 : penWidth_};
}

std::optional<Word> TLinkageDrawing::OverBox(int x, int y, bool rightButton) const {
  for (const TDrawnBox& box : boxes_) {
    if (x < box.x || x > box.x + box.width || y < box.y || y > box.y + boxHeight_) continue;
    if (box.selected && !rightButton) return std::nullopt;
    return box.number;
  }
  return std::nullopt;
}

}  // namespace qm::story
