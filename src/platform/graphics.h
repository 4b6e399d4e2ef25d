// Fonts, brushes, pens and the canvas every window, bitmap and printer
// page is drawn through. A canvas keeps the drawing state; the device it
// draws on is a CanvasSink that a backend (or a recording) provides.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.h"
#include "platform/property.h"
#include "platform/types.h"

namespace qm {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFontDesc {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points
  unsigned Style = 0;
  TColor Color = clWindowText;
  int Orientation = 0;  // tenths of a degree, counter-clockwise
  // Pixel height of the character cell when set (the font is then sized
  // by height rather than by points).
  int PixelHeight = 0;
  friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
  // The em size in device units at a resolution.
  int EmPixels(int dpi) const;
};

class TFont {
 public:
  explicit TFont(PropertyOwner* owner = nullptr);
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }

  Prop<std::string> Name;
  Prop<int> Size;
  Prop<unsigned> Style;
  Prop<TColor> Color;
  Prop<int> Orientation;
  // The resolution the font's Height is counted at.
  int PixelsPerInch = 96;

  // Negative for a size in points, as the platform reports it.
  int Height() const;
  // The em height in pixels: kept exactly (Size shows it in whole points)
  // until Size is set to another value.
  void SetHeight(int height);
  void Assign(const TFont& other);
  void Assign(const TFontDesc& desc);
  TFontDesc Desc() const;

 private:
  // The pixel height SetHeight gave, while Size is still the one it set.
  int pixelHeight_ = 0;
  int sizeOfPixelHeight_ = 0;
  int PixelHeight() const { return pixelHeight_ != 0 && Size == sizeOfPixelHeight_ ? pixelHeight_ : 0; }
};

enum class TBrushStyle { bsSolid, bsClear, bsDiagCross, bsCross, bsHorizontal, bsVertical };
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psClear, psInsideFrame };
enum class TPenMode { pmCopy, pmNot, pmXor, pmMask, pmMerge, pmNotXor };

struct TBrushDesc {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
  friend bool operator==(const TBrushDesc&, const TBrushDesc&) = default;
};

struct TPenDesc {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
  friend bool operator==(const TPenDesc&, const TPenDesc&) = default;
};

// How a copied image combines with what is under it.
enum class TCopyMode { cmSrcCopy, cmSrcAnd, cmSrcPaint, cmSrcInvert, cmMergeCopy, cmNotSrcCopy };

// Text drawing flags for DrawText.
enum TDrawTextFlag : unsigned {
  DT_LEFT = 0,
  DT_CENTER = 1,
  DT_RIGHT = 2,
  DT_VCENTER = 4,
  DT_BOTTOM = 8,
  DT_WORDBREAK = 16,
  DT_SINGLELINE = 32,
  DT_EXPANDTABS = 64,
  DT_NOCLIP = 256,
  DT_CALCRECT = 1024,
  DT_NOPREFIX = 2048,
};

// Where TextOut's y falls in the character cell.
enum class TTextAlign { Top, Baseline, Bottom };

// A device the canvas draws on. Coordinates are device units.
class CanvasSink {
 public:
  virtual ~CanvasSink() = default;
  virtual int Dpi() const = 0;
  virtual void FillRect(const TRect& rect, const TBrushDesc& brush) = 0;
  virtual void Line(TPoint from, TPoint to, const TPenDesc& pen) = 0;
  virtual void Polygon(const std::vector<TPoint>& points, const TPenDesc& pen, const TBrushDesc& brush) = 0;
  virtual void Ellipse(const TRect& rect, const TPenDesc& pen, const TBrushDesc& brush) = 0;
  // Text in cp1252 with the top-left of its cell at (x, y).
  virtual void Text(int x, int y, std::string_view text, const TFontDesc& font, const TBrushDesc& background,
                    const TRect* clip) = 0;
  virtual void CopyFrom(const TRect& dest, CanvasSink& source, const TRect& sourceRect, TCopyMode mode) = 0;
  virtual TColor Pixel(int x, int y) { return clWhite; }
  virtual void SetPixel(int x, int y, TColor color) {}
};

class TCanvas {
 public:
  TCanvas();
  explicit TCanvas(CanvasSink* sink);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TFont Font;
  TBrushDesc Brush;
  TPenDesc Pen;
  TPoint PenPos;
  TTextAlign TextAlign = TTextAlign::Top;
  TCopyMode CopyMode = TCopyMode::cmSrcCopy;
  // Measures texts as the desktop draws a control's caption: set by the
  // controls whose text the desktop draws itself.
  bool ControlText = false;

  void SetSink(CanvasSink* sink);
  CanvasSink* Sink() const { return sink_; }
  bool HasSink() const { return sink_ != nullptr; }
  // Device resolution: the sink's, or the screen's without a sink.
  int PixelsPerInch() const;

  void TextOut(int x, int y, std::string_view text);
  void TextRect(const TRect& rect, int x, int y, std::string_view text);
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text) const;
  TextMetrics FontMetricsNow() const;
  // Word-wrapped or aligned text in a rectangle; with DT_CALCRECT only
  // measures, setting rect's bottom (and right for single lines).
  int DrawText(std::string_view text, TRect& rect, unsigned flags);
  // The lines DrawText draws of a text `width` pixels wide with these
  // flags: broken at each line break, and with DT_WORDBREAK after the
  // blanks that keep each line within the width.
  std::vector<std::string> TextLines(std::string_view text, int width, unsigned flags) const;

  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int left, int top, int right, int bottom);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polygon(const std::vector<TPoint>& points);
  void Polyline(const std::vector<TPoint>& points);
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
  void Draw(int x, int y, class TBitmap& bitmap);
  void StretchDraw(const TRect& dest, class TBitmap& bitmap);
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

 private:
  TFontDesc DeviceFont() const;
  int TopOfCell(int y) const;

  CanvasSink* sink_ = nullptr;
};

// An image in memory with a canvas of its own. Named images (button
// glyphs, logos) keep their resource name for a desktop to draw.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap();

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TCanvas& Canvas();
  CanvasSink* Surface();
  std::string ResourceName;
  void LoadFromResourceName(const std::string& name);
  bool Transparent = false;
  TColor TransparentColor = clNone;

 private:
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<CanvasSink> surface_;
  std::unique_ptr<TCanvas> canvas_;
};

// Measures text without a device: the backend's metrics at a resolution.
int MeasureText(const TFontDesc& font, int dpi, std::string_view text);

}  // namespace qm
