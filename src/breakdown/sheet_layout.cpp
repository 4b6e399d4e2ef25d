#include "breakdown/sheet_layout.h"

#include "base/ini_file.h"
#include "breakdown/category_setup.h"
#include "breakdown/sheet_layout_dialog.h"

namespace qm {

TSheetLayout::TSheetLayout() : Titles(ReadSheetTitles(OpenSettingsFile())), Squares(SquaresOf(CategoryMenus())) {}

bool TSheetLayout::Move(int from, int item, int to) {
  if (from == to || from < 0 || to < 0 || from >= SheetSquareCount || to >= SheetSquareCount) return false;
  auto& source = Squares[static_cast<std::size_t>(from)];
  if (item < 0 || item >= static_cast<int>(source.size())) return false;
  Squares[static_cast<std::size_t>(to)].push_back(source[static_cast<std::size_t>(item)]);
  source.erase(source.begin() + item);
  return true;
}

void TSheetLayout::Apply() const {
  ApplySquares(CategoryMenus(), Squares);
  TIniFile ini = OpenSettingsFile();
  SaveSheetTitles(ini, Titles);
  SaveBreakdownSheetLayout();
}

bool ShowBreakdownSheetLayout() {
  TSheetLayoutDlg dialog(nullptr);
  if (dialog.ShowModal() != mrOk) return false;
  dialog.TakeTitles();
  dialog.Layout.Apply();
  return true;
}

}  // namespace qm
