// The breakdown sheet layout page: twelve titles over twelve squares,
// whose categories are dragged from square to square.
#pragma once

#include <array>

#include "breakdown/sheet_layout.h"
#include "breakdown/square_drag.h"
#include "platform/forms.h"

namespace qm {

class TSheetLayoutDlg : public TForm {
 public:
  explicit TSheetLayoutDlg(TComponent* owner);

  TSheetLayout Layout;
  std::array<TEdit*, SheetSquareCount> Titles{};
  std::array<TListBox*, SheetSquareCount> Squares{};

  // The squares show the layout's categories again.
  void FillSquares();
  // The title fields into the layout.
  void TakeTitles();

 private:
  TSquareDrag drag_;
};

}  // namespace qm
