#include "platform/qt/qt_printer.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cstdlib>

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/qt/qt_fonts.h"

namespace qm {

namespace {

constexpr int kPdfDpi = 600;

std::string DocumentsFolder() {
  if (const char* home = std::getenv("QUILLMASTER_HOME"); home && *home) return home;
  const std::string documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  if (!documents.empty() && DirectoryExists(documents)) return documents;
  return HomeFolder();
}

std::string SafeFileName(const std::string& title) {
  std::string name;
  for (unsigned char c : title) name += (c < 32 || c == '/' || c == '\\' || c == ':') ? '_' : static_cast<char>(c);
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  while (!name.empty() && (name.front() == ' ' || name.front() == '.')) name.erase(0, 1);
  return name.empty() ? std::string("Quillmaster") : name;
}

QPoint Pixels(const QRect& r) { return r.topLeft(); }

}  // namespace

std::string PdfPathForJob(const std::string& title) {
  // The title is the program's text; the file's name is spelt as the system spells names.
  const std::string name = TextToPath(title);
  if (SameText(ExtractFileExt(name), ".pdf") && name.find('/') != std::string::npos) return name;
  const std::string base = JoinPath(DocumentsFolder(), SafeFileName(name));
  std::string path = base + ".pdf";
  for (int n = 2; FileExists(path) || DirectoryExists(path); ++n) path = base + " (" + std::to_string(n) + ").pdf";
  return path;
}

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
  if (!painter_.begin(printer_.get())) return false;
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
  if (painter_.isActive()) painter_.end();
  page_.reset();
}

void QtPrinterDevice::Abort() {
  if (!pdf_) printer_->abort();
  if (painter_.isActive()) painter_.end();
  page_.reset();
  // Half a document is no document.
  if (pdf_ && !outputFile_.empty()) DeleteFile(outputFile_);
}

}  // namespace qm
