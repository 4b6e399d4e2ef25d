// Laying out the breakdown sheet: the titles of its twelve squares and
// which categories each square prints. A category moved out of every
// square keeps the square it had.
#pragma once

#include "breakdown/categories.h"

namespace qm {

class TSheetLayout {
 public:
  // The titles from the settings file, the squares from the category menu.
  TSheetLayout();

  TSheetTitles Titles;
  TSheetSquares Squares;

  // The item of square `from` moves to square `to` (0-based); false when
  // there is no such item or the squares are one.
  bool Move(int from, int item, int to);
  // The squares go to the category menu, the titles and the categories to
  // the settings file.
  void Apply() const;
};

// The layout page, shown modally; true when it closed with OK.
bool ShowBreakdownSheetLayout();

}  // namespace qm
