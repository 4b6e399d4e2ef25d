// The pen of the printed breakdown report: where the next text goes, the
// page header with its number, lines, right-aligned texts and new pages,
// in printer units of the print run's canvas.
#pragma once

#include <string>

#include "breakdown/breakdowns_run.h"

namespace qm {

class TCanvas;

class TReportPage {
 public:
  // Takes the canvas's resolution and the printable page's size.
  TReportPage(TCanvas& canvas, int width, int height);

  int X = 0;
  int Y = 0;
  const int InchX;
  const int InchY;
  const int Width;
  const int Height;
  int PageCount = 1;
  std::string Header;
  std::string SceneNumber;  // the scene being printed, for the progress text
  bool Printed = false;     // something went on this page besides the header

  void PrintAt(const std::string& text, bool advance);
  // Ends two thirds of an inch before the right edge; leading blanks go.
  void PrintRight(std::string text);
  void NextLine();
  void NewPage();
  void SetHeader(const std::string& text) { Header = text + "  "; }
  // The header underlined, with the page number from the second page on.
  void PrintHeader();
  void PrintEighths(const TPageLength& length);
  void SetStyle(unsigned style);
  unsigned Style() const;
  int TextWidth(const std::string& text) const;
  int TextHeight() const;
  bool PastBottom() const { return Y > Height - InchY; }

 private:
  TCanvas& canvas_;
};

}  // namespace qm
