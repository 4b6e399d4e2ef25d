#include "breakdown/sheet_layout_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int CellWidth = 186;
constexpr int CellHeight = 124;

TDialogTable SheetLayoutTable() {
  TDialogTable table;
  for (int k = 0; k < SheetSquareCount; ++k) {
    const int left = 8 + (k % 4) * (CellWidth + 8);
    const int top = 8 + (k / 4) * CellHeight;
    const std::string number = std::to_string(k + 1);
    table.push_back({Edit, "Title" + number, "", {left, top, CellWidth, 22}});
    table.push_back({ListBox, "Square" + number, "", {left, top + 24, CellWidth, 92}});
  }
  return table;
}

}  // namespace

TSheetLayoutDlg::TSheetLayoutDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SheetLayoutDlg", "Setup BSheet", 4 * (CellWidth + 8) + 16, 3 * CellHeight + 64);
  BuildDialog(*this, SheetLayoutTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel | sbHelp, {8 + 2 * (CellWidth + 8), 3 * CellHeight + 16, 90, 25}, 100));
  DialogControl<TButton>(*this, "OKBtn")->Caption = "Ok";
  for (int k = 0; k < SheetSquareCount; ++k) {
    const std::string number = std::to_string(k + 1);
    Titles[static_cast<std::size_t>(k)] = DialogControl<TEdit>(*this, "Title" + number);
    Titles[static_cast<std::size_t>(k)]->Text = Layout.Titles[static_cast<std::size_t>(k)];
    Squares[static_cast<std::size_t>(k)] = DialogControl<TListBox>(*this, "Square" + number);
  }
  drag_.Dropped = [this](int from, int item, int to) {
    if (Layout.Move(from, item, to)) FillSquares();
  };
  drag_.Attach({Squares.begin(), Squares.end()});
  FillSquares();
}

void TSheetLayoutDlg::FillSquares() {
  for (int k = 0; k < SheetSquareCount; ++k) {
    TListBox* square = Squares[static_cast<std::size_t>(k)];
    square->Clear();
    for (const std::string& caption : Layout.Squares[static_cast<std::size_t>(k)]) square->Items.Add(caption);
    square->Invalidate();
  }
}

void TSheetLayoutDlg::TakeTitles() {
  for (int k = 0; k < SheetSquareCount; ++k)
    Layout.Titles[static_cast<std::size_t>(k)] = Titles[static_cast<std::size_t>(k)]->Text();
}

}  // namespace qm
