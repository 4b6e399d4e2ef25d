// The print system's printers (CUPS) as the desktop lists them. The PDF
// printer that is always there beside them is the cairo one
// (platform/pdf_printer.h), the same that batch printing uses.
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

 private:
  QtFonts& fonts_;
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  std::unique_ptr<PainterOnDevice> page_;
  int pages_ = 0;
  std::string error_;
};

}  // namespace qm
