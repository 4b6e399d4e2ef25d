#include "breakdown/breakdown_sheet_editor.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int ColumnWidth = 250;
constexpr int RowHeight = 100;
constexpr int SquaresTop = 40;

// Where each square lies, as the printed sheet has it: column, row, and
// how many columns and rows it spans.
struct TSquarePlace {
  int column, row, columns, rows;
};
// clang-format off
constexpr std::array<TSquarePlace, SheetSquareCount> SquarePlaces{{
    {0, 0, 1, 2}, {1, 0, 1, 1}, {1, 1, 1, 1}, {2, 0, 1, 2}, {0, 2, 1, 1}, {1, 2, 1, 1},
    {2, 2, 1, 1}, {0, 3, 1, 1}, {1, 3, 1, 1}, {2, 3, 1, 1}, {0, 4, 1, 1}, {1, 4, 2, 1},
}};
// clang-format on

TDialogTable EditorTable() {
  TDialogTable table{{DropDownList, "SceneSelectList", "", {8, 8, 3 * ColumnWidth + 8, 22}}};
  for (int k = 0; k < SheetSquareCount; ++k) {
    const TSquarePlace& p = SquarePlaces[static_cast<std::size_t>(k)];
    const int left = 8 + p.column * (ColumnWidth + 4);
    const int top = SquaresTop + p.row * RowHeight;
    const int width = p.columns * ColumnWidth + (p.columns - 1) * 4;
    const std::string number = std::to_string(k + 1);
    table.push_back({Edit, "Title" + number, "", {left, top, width, 20}});
    table.push_back({ListBox, "Square" + number, "", {left, top + 20, width, p.rows * RowHeight - 24}});
  }
  const int buttons = SquaresTop + 5 * RowHeight + 8;
  table.push_back({Button, "PrintBtn", "Print", {8, buttons, 90, 25}});
  table.push_back({Button, "GotoBtn", "Goto Scn", {108, buttons, 90, 25}});
  table.push_back({Button, "DescriptionBtn", "Scene Description", {208, buttons, 140, 25}});
  table.push_back({CancelButton, "CloseBtn", "Close", {358, buttons, 90, 25}});
  table.push_back({HelpButton, "HelpBtn", "Help", {458, buttons, 90, 25}});
  return table;
}

}  // namespace

void TBreakdownSheetEditor::BuildForm() {
  SetUpDialogForm(*this, "BreakdownSheetEditor", "Breakdown Sheet Editor", 3 * (ColumnWidth + 4) + 16,
                  SquaresTop + 5 * RowHeight + 80);
  BuildDialog(*this, EditorTable());
  SceneSelectList = DialogControl<TComboBox>(*this, "SceneSelectList");
  for (int k = 0; k < SheetSquareCount; ++k) {
    const std::string number = std::to_string(k + 1);
    Titles[static_cast<std::size_t>(k)] = DialogControl<TEdit>(*this, "Title" + number);
    Squares[static_cast<std::size_t>(k)] = DialogControl<TListBox>(*this, "Square" + number);
  }
  PrintBtn = DialogControl<TButton>(*this, "PrintBtn");
  GotoBtn = DialogControl<TButton>(*this, "GotoBtn");
  DescriptionBtn = DialogControl<TButton>(*this, "DescriptionBtn");
  CloseBtn = DialogControl<TButton>(*this, "CloseBtn");
}

std::optional<std::string> AskItemText(const std::string& caption, const std::string& text,
                                       const std::vector<std::string>& choices) {
  TForm form(nullptr);
  SetUpDialogForm(form, "ItemTextDlg", caption, 360, 110);
  BuildDialog(form, TDialogTable{{ComboBox, "ItemCombo", "", {8, 8, 336, 22}, "", choices}});
  BuildDialog(form, ButtonRow(sbOK | sbCancel, {80, 44, 90, 25}, 100));
  auto* combo = DialogControl<TComboBox>(form, "ItemCombo");
  combo->Text = text;
  if (form.ShowModal() != mrOk) return std::nullopt;
  return combo->Text();
}

std::optional<std::string> AskDescription(const std::string& text) {
  TForm form(nullptr);
  SetUpDialogForm(form, "SceneDescriptionDlg", "Scene Description", 420, 220);
  BuildDialog(form, TDialogTable{{Memo, "DescriptionMemo", "", {8, 8, 396, 140}}});
  BuildDialog(form, ButtonRow(sbOK | sbCancel, {110, 156, 90, 25}, 100));
  auto* memo = DialogControl<TMemo>(form, "DescriptionMemo");
  memo->Lines.SetText(text);
  if (form.ShowModal() != mrOk) return std::nullopt;
  return memo->Lines.Text();
}

}  // namespace qm
