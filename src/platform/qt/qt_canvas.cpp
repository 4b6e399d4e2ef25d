#include "platform/qt/qt_canvas.h"

#include <QGlyphRun>
#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "platform/cp1252.h"
#include "platform/qt/qt_fonts.h"

namespace qm {

QColor QtColorOf(TColor color) {
  if (color == clNone) return QColor(Qt::transparent);
  const TColor rgb = ColorToRGB(color);
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor ColorOfQt(QColor color) { return RGB(color.red(), color.green(), color.blue()); }

QRect QtRectOf(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

namespace {

Qt::PenStyle PenStyleOf(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash: return Qt::DashLine;
    case TPenStyle::psDot: return Qt::DotLine;
    case TPenStyle::psDashDot: return Qt::DashDotLine;
    case TPenStyle::psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

Qt::BrushStyle BrushStyleOf(TBrushStyle style) {
  switch (style) {
    case TBrushStyle::bsClear: return Qt::NoBrush;
    case TBrushStyle::bsDiagCross: return Qt::DiagCrossPattern;
    case TBrushStyle::bsCross: return Qt::CrossPattern;
    case TBrushStyle::bsHorizontal: return Qt::HorPattern;
    case TBrushStyle::bsVertical: return Qt::VerPattern;
    default: return Qt::SolidPattern;
  }
}

QPainter::CompositionMode PenModeOf(TPenMode mode) {
  switch (mode) {
    case TPenMode::pmNot: return QPainter::RasterOp_NotDestination;
    case TPenMode::pmXor: return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::pmMask: return QPainter::RasterOp_SourceAndDestination;
    case TPenMode::pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case TPenMode::pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

QPainter::CompositionMode CopyModeOf(TCopyMode mode) {
  switch (mode) {
    case TCopyMode::cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case TCopyMode::cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case TCopyMode::cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case TCopyMode::cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    default: return QPainter::CompositionMode_Source;
  }
}

// The old platform's rectangle ends before Right and Bottom.
QRect Inclusive(const TRect& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)); }

}  // namespace

bool PainterSink::RasterOps() {
  QPaintEngine* engine = Painter().paintEngine();
  return engine && engine->hasFeature(QPaintEngine::RasterOpModes);
}

void PainterSink::UsePen(QPainter& p, const TPenDesc& pen) {
  if (pen.Style == TPenStyle::psClear) {
    p.setPen(Qt::NoPen);
    return;
  }
  QPen qpen(QtColorOf(pen.Color), std::max(1, pen.Width), PenStyleOf(pen.Style));
  qpen.setCapStyle(Qt::FlatCap);
  qpen.setJoinStyle(Qt::MiterJoin);
  p.setPen(qpen);
  p.setCompositionMode(pen.Mode != TPenMode::pmCopy && RasterOps() ? PenModeOf(pen.Mode)
                                                                   : QPainter::CompositionMode_SourceOver);
}

void PainterSink::UseBrush(QPainter& p, const TBrushDesc& brush) {
  p.setBrush(QBrush(QtColorOf(brush.Color), BrushStyleOf(brush.Style)));
}

void PainterSink::FillRect(const TRect& rect, const TBrushDesc& brush) {
  if (brush.Style == TBrushStyle::bsClear || rect.Width() <= 0 || rect.Height() <= 0) return;
  QPainter& p = Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.fillRect(QtRectOf(rect), QBrush(QtColorOf(brush.Color), BrushStyleOf(brush.Style)));
  Drawn(QtRectOf(rect));
}

void PainterSink::Line(TPoint from, TPoint to, const TPenDesc& pen) {
  if (pen.Style == TPenStyle::psClear || from == to) return;
  QPainter& p = Painter();
  p.save();
  UsePen(p, pen);
  QPoint end(to.X, to.Y);
  // A thin line stops one point short of its end, as the old platform's do.
  if (pen.Width <= 1) {
    const int dx = to.X - from.X;
    const int dy = to.Y - from.Y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    end = QPoint(from.X + dx * (steps - 1) / steps, from.Y + dy * (steps - 1) / steps);
  }
  p.drawLine(QPoint(from.X, from.Y), end);
  p.restore();
  const int w = std::max(1, pen.Width);
  Drawn(QRect(QPoint(std::min(from.X, to.X), std::min(from.Y, to.Y)),
              QPoint(std::max(from.X, to.X), std::max(from.Y, to.Y)))
            .adjusted(-w, -w, w, w));
}

void PainterSink::Polygon(const std::vector<TPoint>& points, const TPenDesc& pen, const TBrushDesc& brush) {
  if (points.empty()) return;
  QPolygon polygon;
  for (const TPoint& pt : points) polygon << QPoint(pt.X, pt.Y);
  QPainter& p = Painter();
  p.save();
  UsePen(p, pen);
  UseBrush(p, brush);
  p.drawPolygon(polygon);
  p.restore();
  Drawn(polygon.boundingRect().adjusted(-pen.Width, -pen.Width, pen.Width, pen.Width));
}

void PainterSink::Ellipse(const TRect& rect, const TPenDesc& pen, const TBrushDesc& brush) {
  QPainter& p = Painter();
  p.save();
  UsePen(p, pen);
  UseBrush(p, brush);
  p.drawEllipse(Inclusive(rect));
  p.restore();
  Drawn(QtRectOf(rect).adjusted(-pen.Width, -pen.Width, pen.Width, pen.Width));
}

void PainterSink::Text(int x, int y, std::string_view text, const TFontDesc& font, const TBrushDesc& background,
                       const TRect* clip) {
  if (text.empty()) return;
  const QtFonts::Face& face = fonts_.FaceOf(font, dpi_);
  QList<quint32> glyphs;
  QList<QPointF> positions;
  const QString chars = QString::fromStdString(AnsiToUtf8(text));
  const QList<quint32> indexes = face.raw.glyphIndexesForString(chars);
  int advance = 0;
  for (size_t i = 0; i < text.size() && i < static_cast<size_t>(indexes.size()); ++i) {
    glyphs << indexes[static_cast<qsizetype>(i)];
    positions << QPointF(advance, 0);
    advance += face.widths[static_cast<unsigned char>(text[i])];
  }
  const QRect cell(x, y, advance, face.metrics.Height());
  QPainter& p = Painter();
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (clip) p.setClipRect(QtRectOf(*clip), p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  if (font.Orientation != 0) {
    p.translate(x, y);
    p.rotate(-font.Orientation / 10.0);
    p.translate(-x, -y);
  }
  if (background.Style != TBrushStyle::bsClear) p.fillRect(cell, QtColorOf(background.Color));
  QGlyphRun run;
  run.setRawFont(face.raw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  run.setUnderline(font.Style & fsUnderline);
  run.setStrikeOut(font.Style & fsStrikeOut);
  p.setPen(QtColorOf(font.Color));
  p.drawGlyphRun(QPointF(x, y + face.metrics.Ascent), run);
  const QRect drawn = p.transform().mapRect(cell);
  p.restore();
  Drawn(clip ? drawn.intersected(QtRectOf(*clip)) : drawn);
}

void PainterSink::CopyFrom(const TRect& dest, CanvasSink& source, const TRect& sourceRect, TCopyMode mode) {
  auto* from = dynamic_cast<PainterSink*>(&source);
  const QImage* image = from ? from->ImageForReading() : nullptr;
  if (!image) return;
  // A copy within one image (scrolling) reads the old picture first.
  const QImage part = image->copy(QtRectOf(sourceRect));
  QPainter& p = Painter();
  p.save();
  p.setCompositionMode(mode != TCopyMode::cmSrcCopy && RasterOps() ? CopyModeOf(mode)
                                                                   : QPainter::CompositionMode_Source);
  p.drawImage(QtRectOf(dest), part);
  p.restore();
  Drawn(QtRectOf(dest));
}

TColor PainterSink::Pixel(int x, int y) {
  const QImage* image = ImageForReading();
  if (!image || !image->rect().contains(x, y)) return clWhite;
  return ColorOfQt(image->pixelColor(x, y));
}

void PainterSink::SetPixel(int x, int y, TColor color) {
  QPainter& p = Painter();
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.fillRect(QRect(x, y, 1, 1), QtColorOf(color));
  p.restore();
  Drawn(QRect(x, y, 1, 1));
}

// ---------------------------------------------------------------------------

ImageSurface::ImageSurface(QtFonts& fonts, int dpi, QSize size, QColor fill)
    : PainterSink(fonts, dpi), image_(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32) {
  image_.fill(fill);
  const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
  image_.setDotsPerMeterX(dotsPerMetre);
  image_.setDotsPerMeterY(dotsPerMetre);
}

ImageSurface::~ImageSurface() { Finish(); }

QPainter& ImageSurface::Painter() {
  if (!painter_.isActive()) {
    painter_.begin(&image_);
    if (clip_) painter_.setClipRegion(*clip_);
  }
  return painter_;
}

void ImageSurface::Finish() {
  if (painter_.isActive()) painter_.end();
}

const QImage* ImageSurface::ImageForReading() {
  Finish();
  return &image_;
}

void ImageSurface::Resize(QSize size, QColor fill) {
  size = size.expandedTo(QSize(1, 1));
  if (size == image_.size()) return;
  Finish();
  QImage bigger(size, QImage::Format_RGB32);
  bigger.fill(fill);
  bigger.setDotsPerMeterX(image_.dotsPerMeterX());
  bigger.setDotsPerMeterY(image_.dotsPerMeterY());
  QPainter p(&bigger);
  p.drawImage(0, 0, image_);
  p.end();
  image_ = std::move(bigger);
}

void ImageSurface::SetClip(std::optional<QRegion> clip) {
  clip_ = std::move(clip);
  if (!painter_.isActive()) return;
  if (clip_) painter_.setClipRegion(*clip_);
  else painter_.setClipping(false);
}

}  // namespace qm
