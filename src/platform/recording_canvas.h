// A drawing surface that draws nothing and remembers every call, so that
// tests (and the headless backend) can read back what was painted.
#pragma once

#include <string>
#include <vector>

#include "platform/graphics.h"

namespace qm {

struct DrawOp {
  enum class Kind { FillRect, Line, Polygon, Ellipse, Text, Copy, SetPixel };
  Kind kind = Kind::FillRect;
  TRect rect;       // FillRect, Ellipse, Copy destination, Text cell
  TPoint from, to;  // Line
  std::vector<TPoint> points;
  std::string text;  // cp1252
  TFontDesc font;
  TBrushDesc brush;  // fill, or the text background
  TPenDesc pen;
  TCopyMode copyMode = TCopyMode::cmSrcCopy;
};

class RecordingCanvas : public CanvasSink {
 public:
  explicit RecordingCanvas(int dpi = 96, int width = 0, int height = 0) : dpi_(dpi), width_(width), height_(height) {}

  int Dpi() const override { return dpi_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void FillRect(const TRect& rect, const TBrushDesc& brush) override;
  void Line(TPoint from, TPoint to, const TPenDesc& pen) override;
  void Polygon(const std::vector<TPoint>& points, const TPenDesc& pen, const TBrushDesc& brush) override;
  void Ellipse(const TRect& rect, const TPenDesc& pen, const TBrushDesc& brush) override;
  void Text(int x, int y, std::string_view text, const TFontDesc& font, const TBrushDesc& background,
            const TRect* clip) override;
  void CopyFrom(const TRect& dest, CanvasSink& source, const TRect& sourceRect, TCopyMode mode) override;
  void SetPixel(int x, int y, TColor color) override;

  const std::vector<DrawOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }
  // The text calls only, in order.
  std::vector<const DrawOp*> TextOps() const;
  // The first text call whose text contains needle, or null.
  const DrawOp* FindText(const std::string& needle) const;
  // Every text drawn, joined by newlines: a quick picture for a test failure.
  std::string Transcript() const;

 private:
  int dpi_;
  int width_;
  int height_;
  std::vector<DrawOp> ops_;
};

}  // namespace qm
