#include "formats/page_layout_dialog.h"

#include "formats/element_format_controls.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable PageLayoutTable() {
  TDialogTable table;
  const struct {
    const char* name;
    const char* caption;
  } numbers[] = {
      {"TopEdit", "&Top Margin (inches):"},
      {"BottomEdit", "&Bottom Margin (inches):"},
      {"BindingEdit", "B&inding Adjustment (inches):"},
      {"TextSpacingEdit", "Te&xt Line Spacing (%):"},
      {"BlankSpacingEdit", "B&lank Line Spacing (%):"},
      {"FontPercentEdit", "Script &Font Size (%):"},
  };
  int top = 12;
  for (const auto& number : numbers) {
    AddNumberRow(table, "", number.name, number.caption, {200, top, 60, 22});
    top += 28;
  }
  table.push_back({CheckBox, "StretchBox", "&Stretch Short Pages to Fill", {8, top + 4, 250, 20}});
  AddNumberRow(table, "", "StretchMinEdit", "Mi&nimum Lines on a Page:", {200, top + 30, 60, 22});
  AddNumberRow(table, "", "StretchMaxEdit", "M&aximum Lines on a Page:", {200, top + 58, 60, 22});
  table.push_back({CheckBox, "SaveDefaultsBox", "Save as &Defaults for New Scripts", {8, top + 90, 250, 20}});
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {60, top + 122, 80, 25}, 95)) table.push_back(button);
  return table;
}

}  // namespace

TPageLayoutDlg::TPageLayoutDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "PageLayoutDlg", "Setup Page Layout", 290, 400);
  BuildDialog(*this, PageLayoutTable());
  TopEdit = DialogControl<TEdit>(*this, "TopEdit");
  BottomEdit = DialogControl<TEdit>(*this, "BottomEdit");
  BindingEdit = DialogControl<TEdit>(*this, "BindingEdit");
  TextSpacingEdit = DialogControl<TEdit>(*this, "TextSpacingEdit");
  BlankSpacingEdit = DialogControl<TEdit>(*this, "BlankSpacingEdit");
  FontPercentEdit = DialogControl<TEdit>(*this, "FontPercentEdit");
  StretchBox = DialogControl<TCheckBox>(*this, "StretchBox");
  StretchMinEdit = DialogControl<TEdit>(*this, "StretchMinEdit");
  StretchMaxEdit = DialogControl<TEdit>(*this, "StretchMaxEdit");
  SaveDefaultsBox = DialogControl<TCheckBox>(*this, "SaveDefaultsBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

}  // namespace qm
