#include "platform/qt/qt_printer.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinterInfo>

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/qt/qt_fonts.h"

namespace qm {

namespace {

constexpr int kPdfDpi = 600;

QPoint Pixels(const QRect& r) { return r.topLeft(); }

}  // namespace

QtPrinterDevice::QtPrinterDevice(QtFonts& fonts, const QString& systemName) : fonts_(fonts), pdf_(systemName.isEmpty()) {
  if (pdf_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setResolution(kPdfDpi);
    // The printable area of a usual office printer, so that pages look
    // the same on paper and in the file.
    printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                        QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
  } else {
    printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(systemName), QPrinter::HighResolution);
  }
}

QtPrinterDevice::~QtPrinterDevice() {
  if (painter_.isActive()) Abort();
}

std::string QtPrinterDevice::Name() const {
  return pdf_ ? std::string(PdfPrinterName) : Utf8ToAnsi(printer_->printerName().toStdString());
}

TPoint QtPrinterDevice::PhysicalSize() const {
  const QRect full = printer_->pageLayout().fullRectPixels(printer_->resolution());
  return TPoint{full.width(), full.height()};
}

TPoint QtPrinterDevice::PhysicalOffset() const {
  const QPageLayout layout = printer_->pageLayout();
  const QPoint offset = Pixels(layout.paintRectPixels(printer_->resolution())) - Pixels(layout.fullRectPixels(printer_->resolution()));
  return TPoint{offset.x(), offset.y()};
}

TPoint QtPrinterDevice::PrintableSize() const {
  const QRect paint = printer_->pageLayout().paintRectPixels(printer_->resolution());
  return TPoint{paint.width(), paint.height()};
}

bool QtPrinterDevice::BeginDoc(const std::string& title) {
  if (painter_.isActive()) return false;
  printer_->setDocName(QString::fromStdString(AnsiToUtf8(title)));
  if (pdf_) {
    outputFile_ = PdfPathForJob(title);
    printer_->setOutputFileName(QString::fromStdString(outputFile_));
  }
  pages_ = 0;
  error_.clear();
  if (!printer_->isValid() || !painter_.begin(printer_.get())) {
    error_ = pdf_ ? "The PDF file " + PathToText(outputFile_) + " cannot be written."
                  : "The printer " + Name() + " is not available.";
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
    error_ = pdf_ ? "The PDF file " + PathToText(outputFile_) + " could not be written completely."
                  : "The printer " + Name() + " did not take the job.";
}

void QtPrinterDevice::Abort() {
  if (!pdf_) printer_->abort();
  if (painter_.isActive()) painter_.end();
  page_.reset();
  // Half a document is no document.
  if (pdf_ && !outputFile_.empty()) DeleteFile(outputFile_);
}

}  // namespace qm
