#include "platform/printer.h"

#include "platform/platform.h"

namespace qm {

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() {
  if (printing_) Abort();
}

void TPrinter::Refresh() {
  devices_ = Platform::Current().backend().Printers();
  names_.Clear();
  for (auto* d : devices_) names_.Add(d->Name());
  if (index_ >= static_cast<int>(devices_.size())) index_ = devices_.empty() ? -1 : 0;
  if (index_ < 0 && !devices_.empty()) index_ = 0;
  listed_ = true;
}

const TStringList& TPrinter::Printers() {
  if (!listed_) Refresh();
  return names_;
}

void TPrinter::SetPrinterIndex(int index) {
  if (!listed_) Refresh();
  if (devices_.empty()) {
    index_ = -1;
    return;
  }
  index_ = (index < 0 || index >= static_cast<int>(devices_.size())) ? 0 : index;
}

bool TPrinter::HasPrinter() {
  if (!listed_) Refresh();
  return !devices_.empty();
}

PrinterDevice* TPrinter::Device() {
  if (!listed_) Refresh();
  if (index_ < 0 || index_ >= static_cast<int>(devices_.size())) return nullptr;
  return devices_[static_cast<size_t>(index_)];
}

int TPrinter::GetDeviceCaps(int index) {
  PrinterDevice* d = Device();
  if (!d) return 0;
  switch (index) {
    case LOGPIXELSX: return d->DpiX();
    case LOGPIXELSY: return d->DpiY();
    case PHYSICALWIDTH: return d->PhysicalSize().X;
    case PHYSICALHEIGHT: return d->PhysicalSize().Y;
    case PHYSICALOFFSETX: return d->PhysicalOffset().X;
    case PHYSICALOFFSETY: return d->PhysicalOffset().Y;
    case HORZRES: return d->PrintableSize().X;
    case VERTRES: return d->PrintableSize().Y;
    default: return 0;
  }
}

bool TPrinter::BeginDoc() {
  PrinterDevice* d = Device();
  if (!d || printing_) return false;
  if (!d->BeginDoc(Title)) return false;
  printing_ = true;
  aborted_ = false;
  pageNumber_ = 0;
  StartPage();
  return true;
}

void TPrinter::StartPage() {
  ++pageNumber_;
  canvas_.SetSink(Device()->BeginPage());
  canvas_.Font.PixelsPerInch = Device()->DpiY();
}

void TPrinter::NewPage() {
  if (!printing_) return;
  Device()->EndPage();
  StartPage();
}

bool TPrinter::EndDoc() {
  if (!printing_) return false;
  Device()->EndPage();
  Device()->EndDoc();
  canvas_.SetSink(nullptr);
  printing_ = false;
  return Device()->LastError().empty();
}

std::string TPrinter::LastError() {
  PrinterDevice* d = Device();
  return d ? d->LastError() : std::string("No printer is selected.");
}

void TPrinter::Abort() {
  if (!printing_) return;
  if (PrinterDevice* d = Device()) d->Abort();
  canvas_.SetSink(nullptr);
  printing_ = false;
  aborted_ = true;
}

TPrinter* Printer() { return Platform::Current().printer.get(); }

}  // namespace qm
