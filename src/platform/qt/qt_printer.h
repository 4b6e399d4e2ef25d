// Printers: the print system's, and one that writes PDF files and is
// always there, so that a machine without a printer still prints and
// previews.
#pragma once

#include <QPainter>
#include <QPrinter>

#include <memory>
#include <string>

#include "platform/pdf_printer.h"
#include "platform/printer.h"
#include "platform/qt/qt_canvas.h"

namespace qm {

class QtFonts;

class QtPrinterDevice : public PrinterDevice {
 public:
  // An empty name makes the PDF printer.
  QtPrinterDevice(QtFonts& fonts, const QString& systemName);
  ~QtPrinterDevice() override;

  std::string Name() const override;
  int DpiX() const override { return printer_->resolution(); }
  int DpiY() const override { return printer_->resolution(); }
  TPoint PhysicalSize() const override;
  TPoint PhysicalOffset() const override;
  TPoint PrintableSize() const override;
  bool BeginDoc(const std::string& title) override;
  CanvasSink* BeginPage() override;
  void EndPage() override {}
  void EndDoc() override;
  void Abort() override;
  std::string LastError() const override { return error_; }

  bool IsPdf() const { return pdf_; }
  // The file the last PDF job went to (cp1252).
  const std::string& OutputFile() const { return outputFile_; }

 private:
  QtFonts& fonts_;
  bool pdf_;
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  std::unique_ptr<PainterOnDevice> page_;
  int pages_ = 0;
  std::string outputFile_;
  std::string error_;
};

}  // namespace qm
