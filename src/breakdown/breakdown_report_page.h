// The pen of the printed breakdown report on its page: lines that show the
// run's progress, texts that end at the right margin, the page header with
// its number from the second page on, and lengths in eighths.
#pragma once

#include <string>

#include "breakdown/breakdowns_run.h"
#include "printing/report_page.h"

namespace qm {

class TBreakdownPen {
 public:
  // Gives the page the report's margins and its header on every new page.
  explicit TBreakdownPen(TReportPage& page);

  std::string Header;
  std::string SceneNumber;  // the scene being printed, for the progress text

  // Ends two thirds of an inch before the right edge; leading blanks go.
  void PrintRight(std::string text);
  void NextLine();
  // The header underlined, with the page number from the second page on.
  void PrintHeader();
  void PrintEighths(const TPageLength& length);

 private:
  TReportPage& page_;
};

}  // namespace qm
