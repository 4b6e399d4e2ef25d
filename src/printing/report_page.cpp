#include "printing/report_page.h"

#include "platform/graphics.h"
#include "printing/print_run.h"

namespace qm {

TReportPage::TReportPage(TCanvas& canvas, int width, int height)
    : InchX(canvas.PixelsPerInch()),
      InchY(canvas.PixelsPerInch()),
      Width(width),
      Height(height),
      Bottom(height),
      canvas_(canvas) {}

bool TReportPage::KeepTogether(int height) {
  if (Fits(height)) return false;
  NewPage();
  return true;
}

void TReportPage::NewPage() {
  if (footer_) footer_(*this);
  EjectPage();
  ++number_;
  X = 0;
  Y = Top;
  if (header_) header_(*this);
  Printed = false;
}

void TReportPage::PrintAt(const std::string& text, bool advance) {
  PrintTextAt(X, Y, text);
  Printed = true;
  if (advance) X += TextWidth(text);
}

void TReportPage::SetStyle(unsigned style) { canvas_.Font.Style = style; }
unsigned TReportPage::Style() const { return canvas_.Font.Style; }
int TReportPage::TextWidth(const std::string& text) const { return canvas_.TextWidth(text); }
int TReportPage::TextHeight() const { return canvas_.TextHeight("Ap"); }

}  // namespace qm
