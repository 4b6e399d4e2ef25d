// The printer: the list of printers, the selected one's metrics, and a
// canvas for the pages of a print job.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "platform/stringlist.h"

namespace qm {

// One printer as the desktop offers it.
class PrinterDevice {
 public:
  virtual ~PrinterDevice() = default;
  virtual std::string Name() const = 0;
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  // The whole sheet, and where the printable area starts on it, in dots.
  virtual TPoint PhysicalSize() const = 0;
  virtual TPoint PhysicalOffset() const = 0;
  // The printable area in dots.
  virtual TPoint PrintableSize() const = 0;
  virtual bool BeginDoc(const std::string& title) = 0;
  virtual CanvasSink* BeginPage() = 0;
  virtual void EndPage() = 0;
  virtual void EndDoc() = 0;
  virtual void Abort() = 0;
  // Why the last BeginDoc or EndDoc failed, in words for the user; empty
  // when it did not.
  virtual std::string LastError() const { return {}; }
};

enum : int {
  HORZRES = 8,
  VERTRES = 10,
  LOGPIXELSX = 88,
  LOGPIXELSY = 90,
  PHYSICALWIDTH = 110,
  PHYSICALHEIGHT = 111,
  PHYSICALOFFSETX = 112,
  PHYSICALOFFSETY = 113,
};

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();

  // Names of the printers; empty when there is none.
  const TStringList& Printers();
  int PrinterIndex() const { return index_; }
  // -1 selects the default printer (the first).
  void SetPrinterIndex(int index);
  bool HasPrinter();
  PrinterDevice* Device();

  // Device capabilities of the selected printer (0 without a printer).
  int GetDeviceCaps(int index);
  int PageWidth() { return GetDeviceCaps(HORZRES); }
  int PageHeight() { return GetDeviceCaps(VERTRES); }

  std::string Title;
  bool BeginDoc();
  void NewPage();
  // False when the job did not reach its printer or file whole.
  bool EndDoc();
  void Abort();
  // Why the last job failed to start or finish, empty when it did not.
  std::string LastError();
  bool Printing() const { return printing_; }
  bool Aborted() const { return aborted_; }
  int PageNumber() const { return pageNumber_; }
  TCanvas& Canvas() { return canvas_; }
  // Rebuilds the list after the desktop's printers changed.
  void Refresh();

 private:
  void StartPage();
  TStringList names_;
  std::vector<PrinterDevice*> devices_;
  bool listed_ = false;
  int index_ = -1;
  TCanvas canvas_;
  bool printing_ = false;
  bool aborted_ = false;
  int pageNumber_ = 0;
};

TPrinter* Printer();

}  // namespace qm
