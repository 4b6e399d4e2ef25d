#include "breakdown/breakdown_report_page.h"

#include "base/message_boxes.h"
#include "breakdown/run_progress.h"
#include "platform/graphics.h"

namespace qm {

TBreakdownPen::TBreakdownPen(TReportPage& page) : page_(page) {
  page_.Top = page_.InchY / 4;
  page_.Bottom = page_.Height - page_.InchY;
  page_.OnHeader([this](TReportPage& p) {
    PrintHeader();
    p.Advance(2 * p.TextHeight() + 2);
    p.X = p.InchX / 4;
  });
}

void TBreakdownPen::PrintRight(std::string text) {
  text.erase(0, text.find_first_not_of(' ') == std::string::npos ? text.size() : text.find_first_not_of(' '));
  page_.X = page_.Width - (2 * page_.InchX) / 3 - page_.TextWidth(text);
  page_.PrintAt(text, true);
}

void TBreakdownPen::NextLine() {
  page_.Advance(page_.TextHeight() + 1);
  page_.X = page_.InchX / 4;
  TickPleaseWait();
  ShowRunProgress("Printing Scene #" + SceneNumber);
}

void TBreakdownPen::PrintHeader() {
  const unsigned style = page_.Style();
  page_.SetStyle(style | fsUnderline);
  PrintRight(page_.Number() > 1 ? Header + std::to_string(page_.Number()) + "." : Header);
  page_.SetStyle(style);
  page_.Printed = false;
}

void TBreakdownPen::PrintEighths(const TPageLength& length) {
  NextLine();
  PrintRight(TotalText(length));
}

}  // namespace qm
