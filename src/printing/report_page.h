// The flow of a printed report down its pages: a cursor from the top of
// the page to its foot, text placed from it on the print run's canvas, and
// a new page, with the report's own footer and header around the ejection,
// when what comes next does not fit.
#pragma once

#include <functional>
#include <string>

namespace qm {

class TCanvas;

class TReportPage {
 public:
  using THook = std::function<void(TReportPage&)>;

  // Takes the canvas's resolution and the page's size; the cursor starts
  // at the top left and may go down to the page's height.
  TReportPage(TCanvas& canvas, int width, int height);

  int X = 0;
  int Y = 0;  // the top of the next line
  const int InchX;
  const int InchY;
  const int Width;
  const int Height;
  int Top = 0;           // where the cursor starts on a new page
  int Bottom;            // the lowest point a block may reach
  bool Printed = false;  // something went on this page besides its header

  // Drawn on the full page before it goes.
  void OnFooter(THook footer) { footer_ = std::move(footer); }
  // Drawn on the new page with the cursor at the top; it may move it.
  void OnHeader(THook header) { header_ = std::move(header); }

  // The page being printed, from 1.
  int Number() const { return number_; }
  // A block that ends exactly at the bottom fits.
  bool Fits(int height) const { return Y + height <= Bottom; }
  bool PastBottom() const { return !Fits(0); }
  void Advance(int height) { Y += height; }
  // A new page first when a block this high does not fit below the
  // cursor, so that the block is kept together; true when one was begun.
  bool KeepTogether(int height);
  void NewPage();

  void PrintAt(const std::string& text, bool advance);
  void SetStyle(unsigned style);
  unsigned Style() const;
  int TextWidth(const std::string& text) const;
  int TextHeight() const;  // of "Ap"
  TCanvas& Canvas() { return canvas_; }

 private:
  TCanvas& canvas_;
  THook footer_;
  THook header_;
  int number_ = 1;
};

}  // namespace qm
