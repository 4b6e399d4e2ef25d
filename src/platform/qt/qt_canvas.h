// The canvas on the desktop: every drawing call of the core lands on a
// QPainter, with the device rules of the old platform (a line leaves out
// its last point, text is placed by the cell's top-left corner and
// advanced by the widths the core measured).
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <functional>
#include <optional>

#include "platform/graphics.h"

namespace qm {

class QtFonts;

QColor QtColorOf(TColor color);
TColor ColorOfQt(QColor color);
QRect QtRectOf(const TRect& r);

class PainterSink : public CanvasSink {
 public:
  PainterSink(QtFonts& fonts, int dpi) : fonts_(fonts), dpi_(dpi) {}
  int Dpi() const override { return dpi_; }
  void FillRect(const TRect& rect, const TBrushDesc& brush) override;
  void Line(TPoint from, TPoint to, const TPenDesc& pen) override;
  void Polygon(const std::vector<TPoint>& points, const TPenDesc& pen, const TBrushDesc& brush) override;
  void Ellipse(const TRect& rect, const TPenDesc& pen, const TBrushDesc& brush) override;
  void Text(int x, int y, std::string_view text, const TFontDesc& font, const TBrushDesc& background,
            const TRect* clip) override;
  void CopyFrom(const TRect& dest, CanvasSink& source, const TRect& sourceRect, TCopyMode mode) override;
  TColor Pixel(int x, int y) override;
  void SetPixel(int x, int y, TColor color) override;

  // The image behind the painter, finished for reading (null for a
  // window or a printer page).
  virtual const QImage* ImageForReading() { return nullptr; }

 protected:
  virtual QPainter& Painter() = 0;
  // Tells a window which part of the image changed.
  virtual void Drawn(const QRect&) {}
  QtFonts& fonts_;

 private:
  void UsePen(QPainter& p, const TPenDesc& pen);
  void UseBrush(QPainter& p, const TBrushDesc& brush);
  bool RasterOps();
  int dpi_;
};

// Draws through a painter someone else opened (a printer page).
class PainterOnDevice : public PainterSink {
 public:
  PainterOnDevice(QtFonts& fonts, int dpi, QPainter& painter) : PainterSink(fonts, dpi), painter_(painter) {}

 protected:
  QPainter& Painter() override { return painter_; }

 private:
  QPainter& painter_;
};

// An image with a painter that opens on the first call and stays open
// until the image is read: a bitmap, or the backing store of a window.
class ImageSurface : public PainterSink {
 public:
  ImageSurface(QtFonts& fonts, int dpi, QSize size, QColor fill = Qt::white);
  ~ImageSurface() override;

  const QImage* ImageForReading() override;
  const QImage& Image() { return *ImageForReading(); }
  // Keeps what fits of the old picture.
  void Resize(QSize size, QColor fill);
  QSize Size() const { return image_.size(); }
  // Limits drawing to a region (paint events), or lifts the limit.
  void SetClip(std::optional<QRegion> clip);
  void Finish();
  // The painter on the image, open and limited to the clip.
  QPainter& Open() { return Painter(); }
  std::function<void(const QRect&)> OnDrawn;

 protected:
  QPainter& Painter() override;
  void Drawn(const QRect& r) override {
    if (OnDrawn) OnDrawn(r);
  }

 private:
  QImage image_;
  QPainter painter_;
  std::optional<QRegion> clip_;
};

}  // namespace qm
