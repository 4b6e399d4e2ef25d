#include "platform/graphics.h"

#include <algorithm>
#include <cstdlib>

#include "platform/platform.h"

namespace qm {

int TFontDesc::EmPixels(int dpi) const {
  if (PixelHeight != 0) return std::abs(PixelHeight);
  return (Size * dpi + 36) / 72;
}

TFont::TFont(PropertyOwner* owner)
    : Name(owner, PropId::Font, "MS Sans Serif"),
      Size(owner, PropId::Font, 8),
      Style(owner, PropId::Font, 0),
      Color(owner, PropId::Font, clWindowText),
      Orientation(owner, PropId::Font, 0) {}

int TFont::Height() const {
  if (const int pixels = PixelHeight()) return -pixels;
  return -((Size * PixelsPerInch + 36) / 72);
}

// A height in pixels rounded to whole points would draw another size than
// the one the widths were measured at (14 pixels became 11 points, which
// are 15 pixels).
void TFont::SetHeight(int height) {
  const int pixels = std::abs(height);
  const int size = PixelsPerInch > 0 ? (pixels * 72 + PixelsPerInch / 2) / PixelsPerInch : pixels;
  pixelHeight_ = pixels;
  sizeOfPixelHeight_ = size;
  Size = size;
}

void TFont::Assign(const TFont& other) {
  Name = other.Name();
  pixelHeight_ = other.pixelHeight_;
  sizeOfPixelHeight_ = other.sizeOfPixelHeight_;
  Size = other.Size();
  Style = other.Style();
  Color = other.Color();
  Orientation = other.Orientation();
  PixelsPerInch = other.PixelsPerInch;
}

void TFont::Assign(const TFontDesc& desc) {
  Name = desc.Name;
  pixelHeight_ = std::abs(desc.PixelHeight);
  sizeOfPixelHeight_ = desc.Size;
  Size = desc.Size;
  Style = desc.Style;
  Color = desc.Color;
  Orientation = desc.Orientation;
}

TFontDesc TFont::Desc() const {
  TFontDesc d;
  d.Name = Name;
  d.Size = Size;
  d.PixelHeight = PixelHeight();
  d.Style = Style;
  d.Color = Color;
  d.Orientation = Orientation;
  return d;
}

int MeasureText(const TFontDesc& font, int dpi, std::string_view text) {
  auto& metrics = Platform::Current().backend().Metrics();
  int width = 0;
  for (unsigned char ch : text) width += metrics.CharWidth(font, dpi, ch);
  return width;
}

// ---------------------------------------------------------------------------

TCanvas::TCanvas() = default;
TCanvas::TCanvas(CanvasSink* sink) : sink_(sink) {}

void TCanvas::SetSink(CanvasSink* sink) { sink_ = sink; }

int TCanvas::PixelsPerInch() const {
  if (sink_) return sink_->Dpi();
  return Platform::Current().backend().Screen().PixelsPerInch;
}

TFontDesc TCanvas::DeviceFont() const { return Font.Desc(); }

TextMetrics TCanvas::FontMetricsNow() const {
  return Platform::Current().backend().Metrics().Metrics(DeviceFont(), PixelsPerInch());
}

int TCanvas::TopOfCell(int y) const {
  switch (TextAlign) {
    case TTextAlign::Top: return y;
    case TTextAlign::Baseline: return y - FontMetricsNow().Ascent;
    case TTextAlign::Bottom: return y - FontMetricsNow().Height();
  }
  return y;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  if (sink_) sink_->Text(x, TopOfCell(y), text, DeviceFont(), Brush, nullptr);
  PenPos = TPoint{x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
  if (!sink_) return;
  if (Brush.Style != TBrushStyle::bsClear) sink_->FillRect(rect, Brush);
  sink_->Text(x, TopOfCell(y), text, DeviceFont(), TBrushDesc{Brush.Color, TBrushStyle::bsClear}, &rect);
}

int TCanvas::TextWidth(std::string_view text) const {
  if (ControlText) return Platform::Current().backend().Metrics().ControlTextWidth(DeviceFont(), PixelsPerInch(), text);
  return MeasureText(DeviceFont(), PixelsPerInch(), text);
}

int TCanvas::TextHeight(std::string_view) const { return FontMetricsNow().Height(); }

namespace {

// Splits text into lines that fit a width, breaking after blanks.
std::vector<std::string> WrapLines(const TCanvas& canvas, std::string_view text, int width, bool wrap) {
  std::vector<std::string> lines;
  std::string current;
  size_t lastBlank = std::string::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      lines.push_back(current);
      current.clear();
      lastBlank = std::string::npos;
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      continue;
    }
    current += ch;
    if (ch == ' ') lastBlank = current.size();
    if (wrap && canvas.TextWidth(current) > width && current.size() > 1) {
      if (lastBlank != std::string::npos && lastBlank < current.size()) {
        lines.push_back(current.substr(0, lastBlank - 1));
        current.erase(0, lastBlank);
      } else {
        lines.push_back(current.substr(0, current.size() - 1));
        current.erase(0, current.size() - 1);
      }
      lastBlank = std::string::npos;
    }
  }
  lines.push_back(current);
  return lines;
}

std::string WithoutPrefix(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

}  // namespace

std::vector<std::string> TCanvas::TextLines(std::string_view text, int width, unsigned flags) const {
  const std::string shown = (flags & DT_NOPREFIX) ? std::string(text) : WithoutPrefix(text);
  if (flags & DT_SINGLELINE) return {shown};
  return WrapLines(*this, shown, width, (flags & DT_WORDBREAK) != 0);
}

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned flags) {
  const bool wrap = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE);
  const auto lines = TextLines(text, rect.Width(), flags);
  const int lineHeight = TextHeight("Wg");
  const int total = lineHeight * static_cast<int>(lines.size());
  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const auto& l : lines) widest = std::max(widest, TextWidth(l));
    if (!wrap) rect.Right = rect.Left + widest;
    rect.Bottom = rect.Top + total;
    return total;
  }
  int y = rect.Top;
  if (flags & DT_VCENTER) y = rect.Top + (rect.Height() - total) / 2;
  if (flags & DT_BOTTOM) y = rect.Bottom - total;
  for (const auto& line : lines) {
    int x = rect.Left;
    const int w = TextWidth(line);
    if (flags & DT_CENTER) x = rect.Left + (rect.Width() - w) / 2;
    if (flags & DT_RIGHT) x = rect.Right - w;
    if (sink_)
      sink_->Text(x, y, line, DeviceFont(), TBrushDesc{Brush.Color, TBrushStyle::bsClear},
                  (flags & DT_NOCLIP) ? nullptr : &rect);
    y += lineHeight;
  }
  return total;
}

void TCanvas::FillRect(const TRect& rect) {
  if (sink_) sink_->FillRect(rect, Brush);
}

void TCanvas::FrameRect(const TRect& rect) {
  if (!sink_) return;
  const TPenDesc pen{Brush.Color, 1, TPenStyle::psSolid, TPenMode::pmCopy};
  sink_->Line({rect.Left, rect.Top}, {rect.Right - 1, rect.Top}, pen);
  sink_->Line({rect.Right - 1, rect.Top}, {rect.Right - 1, rect.Bottom - 1}, pen);
  sink_->Line({rect.Right - 1, rect.Bottom - 1}, {rect.Left, rect.Bottom - 1}, pen);
  sink_->Line({rect.Left, rect.Bottom - 1}, {rect.Left, rect.Top}, pen);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (sink_) sink_->Polygon({{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}}, Pen, Brush);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (sink_) sink_->Ellipse(TRect{left, top, right, bottom}, Pen, Brush);
}

void TCanvas::MoveTo(int x, int y) { PenPos = TPoint{x, y}; }

void TCanvas::LineTo(int x, int y) {
  if (sink_) sink_->Line(PenPos, TPoint{x, y}, Pen);
  PenPos = TPoint{x, y};
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (sink_) sink_->Polygon(points, Pen, Brush);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  for (size_t i = 1; i < points.size(); ++i)
    if (sink_) sink_->Line(points[i - 1], points[i], Pen);
  if (!points.empty()) PenPos = points.back();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  if (sink_ && source.sink_) sink_->CopyFrom(dest, *source.sink_, sourceRect, CopyMode);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const TRect src{0, 0, bitmap.Width(), bitmap.Height()};
  if (sink_) sink_->CopyFrom(TRect{x, y, x + bitmap.Width(), y + bitmap.Height()}, *bitmap.Surface(), src, CopyMode);
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  if (sink_) sink_->CopyFrom(dest, *bitmap.Surface(), TRect{0, 0, bitmap.Width(), bitmap.Height()}, CopyMode);
}

TColor TCanvas::Pixel(int x, int y) const { return sink_ ? sink_->Pixel(x, y) : clWhite; }

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (sink_) sink_->SetPixel(x, y, color);
}

// ---------------------------------------------------------------------------

TBitmap::TBitmap() = default;
TBitmap::TBitmap(int width, int height) { SetSize(width, height); }
TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  surface_.reset();
  if (canvas_) canvas_->SetSink(Surface());
}

CanvasSink* TBitmap::Surface() {
  if (!surface_)
    surface_ = Platform::Current().backend().CreateBitmapSurface(std::max(width_, 1), std::max(height_, 1));
  return surface_.get();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(Surface());
  return *canvas_;
}

void TBitmap::LoadFromResourceName(const std::string& name) {
  ResourceName = name;
  if (Empty()) SetSize(16, 16);
}

}  // namespace qm
