#include "platform/recording_canvas.h"

#include "platform/platform.h"

namespace qm {

void RecordingCanvas::FillRect(const TRect& rect, const TBrushDesc& brush) {
  DrawOp op;
  op.kind = DrawOp::Kind::FillRect;
  op.rect = rect;
  op.brush = brush;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::Line(TPoint from, TPoint to, const TPenDesc& pen) {
  DrawOp op;
  op.kind = DrawOp::Kind::Line;
  op.from = from;
  op.to = to;
  op.pen = pen;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::Polygon(const std::vector<TPoint>& points, const TPenDesc& pen, const TBrushDesc& brush) {
  DrawOp op;
  op.kind = DrawOp::Kind::Polygon;
  op.points = points;
  op.pen = pen;
  op.brush = brush;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::Ellipse(const TRect& rect, const TPenDesc& pen, const TBrushDesc& brush) {
  DrawOp op;
  op.kind = DrawOp::Kind::Ellipse;
  op.rect = rect;
  op.pen = pen;
  op.brush = brush;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::Text(int x, int y, std::string_view text, const TFontDesc& font, const TBrushDesc& background,
                           const TRect* clip) {
  DrawOp op;
  op.kind = DrawOp::Kind::Text;
  const int height = Platform::Current().backend().Metrics().Metrics(font, dpi_).Height();
  op.rect = TRect{x, y, x + MeasureText(font, dpi_, text), y + height};
  op.text = std::string(text);
  op.font = font;
  op.brush = background;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::CopyFrom(const TRect& dest, CanvasSink&, const TRect&, TCopyMode mode) {
  DrawOp op;
  op.kind = DrawOp::Kind::Copy;
  op.rect = dest;
  op.copyMode = mode;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::SetPixel(int x, int y, TColor color) {
  DrawOp op;
  op.kind = DrawOp::Kind::SetPixel;
  op.from = TPoint{x, y};
  op.pen.Color = color;
  ops_.push_back(std::move(op));
}

std::vector<const DrawOp*> RecordingCanvas::TextOps() const {
  std::vector<const DrawOp*> result;
  for (const auto& op : ops_)
    if (op.kind == DrawOp::Kind::Text) result.push_back(&op);
  return result;
}

const DrawOp* RecordingCanvas::FindText(const std::string& needle) const {
  for (const auto& op : ops_)
    if (op.kind == DrawOp::Kind::Text && op.text.find(needle) != std::string::npos) return &op;
  return nullptr;
}

std::string RecordingCanvas::Transcript() const {
  std::string out;
  for (const auto* op : TextOps()) {
    out += op->text;
    out += '\n';
  }
  return out;
}

}  // namespace qm
