#include "breakdown/breakdown_report_page.h"

#include "base/message_boxes.h"
#include "breakdown/run_progress.h"
#include "platform/graphics.h"
#include "printing/print_run.h"

namespace qm {

TReportPage::TReportPage(TCanvas& canvas, int width, int height)
    : InchX(canvas.PixelsPerInch()), InchY(canvas.PixelsPerInch()), Width(width), Height(height), canvas_(canvas) {}

void TReportPage::PrintAt(const std::string& text, bool advance) {
  PrintTextAt(X, Y, text);
  Printed = true;
  if (advance) X += TextWidth(text);
}

void TReportPage::PrintRight(std::string text) {
  text.erase(0, text.find_first_not_of(' ') == std::string::npos ? text.size() : text.find_first_not_of(' '));
  X = Width - (2 * InchX) / 3 - TextWidth(text);
  PrintAt(text, true);
}

void TReportPage::NextLine() {
  Y += TextHeight() + 1;
  X = InchX / 4;
  TickPleaseWait();
  ShowRunProgress("Printing Scene #" + SceneNumber);
}

void TReportPage::PrintHeader() {
  const unsigned style = Style();
  SetStyle(style | fsUnderline);
  PrintRight(PageCount > 1 ? Header + std::to_string(PageCount) + "." : Header);
  SetStyle(style);
  Printed = false;
}

void TReportPage::NewPage() {
  EjectPage();
  ++PageCount;
  Y = InchY / 4;
  PrintHeader();
  Y += 2 * TextHeight() + 2;
  X = InchX / 4;
}

void TReportPage::PrintEighths(const TPageLength& length) {
  NextLine();
  PrintRight(TotalText(length));
}

void TReportPage::SetStyle(unsigned style) { canvas_.Font.Style = style; }
unsigned TReportPage::Style() const { return canvas_.Font.Style; }
int TReportPage::TextWidth(const std::string& text) const { return canvas_.TextWidth(text); }
int TReportPage::TextHeight() const { return canvas_.TextHeight("Ap"); }

}  // namespace qm
