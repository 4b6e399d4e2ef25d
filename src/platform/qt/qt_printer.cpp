#include "platform/qt/qt_printer.h"

#include <QPageLayout>
#include <QPrinterInfo>

#include "platform/cp1252.h"
#include "platform/qt/qt_fonts.h"

namespace qm {

namespace {

QPoint Pixels(const QRect& r) { return r.topLeft(); }

}  // namespace

QtPrinterDevice::QtPrinterDevice(QtFonts& fonts, const QString& systemName)
    : fonts_(fonts),
      printer_(std::make_unique<QPrinter>(QPrinterInfo::printerInfo(systemName), QPrinter::HighResolution)) {}

QtPrinterDevice::~QtPrinterDevice() {
  if (painter_.isActive()) Abort();
}

std::string QtPrinterDevice::Name() const { return Utf8ToAnsi(printer_->printerName().toStdString()); }

TPoint QtPrinterDevice::PhysicalSize() const {
  const QRect full = printer_->pageLayout().fullRectPixels(printer_->resolution());
  return TPoint{full.width(), full.height()};
}

TPoint QtPrinterDevice::PhysicalOffset() const {
  const QPageLayout layout = printer_->pageLayout();
  const QPoint offset =
      Pixels(layout.paintRectPixels(printer_->resolution())) - Pixels(layout.fullRectPixels(printer_->resolution()));
  return TPoint{offset.x(), offset.y()};
}

TPoint QtPrinterDevice::PrintableSize() const {
  const QRect paint = printer_->pageLayout().paintRectPixels(printer_->resolution());
  return TPoint{paint.width(), paint.height()};
}

bool QtPrinterDevice::BeginDoc(const std::string& title) {
  if (painter_.isActive()) return false;
  printer_->setDocName(QString::fromStdString(AnsiToUtf8(title)));
  pages_ = 0;
  error_.clear();
  if (!printer_->isValid() || !painter_.begin(printer_.get())) {
    error_ = "The printer " + Name() + " is not available.";
    return false;
  }
  page_ = std::make_unique<PainterOnDevice>(fonts_, printer_->resolution(), painter_);
  return true;
}

CanvasSink* QtPrinterDevice::BeginPage() {
  if (!painter_.isActive()) return nullptr;
  if (pages_++ > 0) printer_->newPage();
  painter_.resetTransform();
  painter_.setClipping(false);
  return page_.get();
}

void QtPrinterDevice::EndDoc() {
  const bool ended = !painter_.isActive() || painter_.end();
  page_.reset();
  if (!ended || printer_->printerState() == QPrinter::Error)
    error_ = "The printer " + Name() + " did not take the job.";
}

void QtPrinterDevice::Abort() {
  printer_->abort();
  if (painter_.isActive()) painter_.end();
  page_.reset();
}

}  // namespace qm
