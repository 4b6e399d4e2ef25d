#include "formats/av_columns_dialog.h"

#include "formats/element_format_controls.h"

namespace qm {

namespace {

using enum TDialogItemKind;

// Edits "DialogueLeft1", "DialogueRight1", ... "OtherRight2".
void ColumnGroup(TDialogTable& table, const std::string& name, const std::string& caption, int left) {
  table.push_back({GroupBox, name + "Group", caption, {left, 8, 220, 140}});
  const struct {
    const char* suffix;
    const char* caption;
  } rows[] = {{"Left1", "Column &1 Left (inches):"},
              {"Right1", "Column 1 Right (inches):"},
              {"Left2", "Column &2 Left (inches):"},
              {"Right2", "Column 2 Right (inches):"}};
  int top = 20;
  for (const auto& row : rows) {
    AddNumberRow(table, name + "Group", name + row.suffix, row.caption, {150, top, 56, 22});
    top += 28;
  }
}

}  // namespace

TSetupAVColumnsDlg::TSetupAVColumnsDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SetupAVColumnsDlg", "Setup A/V Column Margins", 470, 220);
  TDialogTable table;
  ColumnGroup(table, "Dialogue", "Dialogue", 8);
  ColumnGroup(table, "Other", "Other Elements", 236);
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {140, 160, 80, 25}, 95)) table.push_back(button);
  BuildDialog(*this, table);
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

}  // namespace qm
