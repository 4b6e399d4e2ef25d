#include "formats/select_range_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable ScenesTable() {
  return {
      {Label, "FromLabel", "&From Scene:", {12, 16, 80, 16}},
      {DropDownList, "FromBox", "", {96, 12, 300, 22}},
      {Label, "ToLabel", "&To Scene:", {12, 48, 80, 16}},
      {DropDownList, "ToBox", "", {96, 44, 300, 22}},
  };
}

TDialogTable ExtendTable() {
  return {
      {RadioGroup,
       "ExtendGroup",
       "Extend the Block to the...",
       {12, 8, 384, 140},
       "",
       {"End of this &Page", "End of this &Scene", "Next &Act or Scene Break", "&End of the Script",
        "End of Page &Number:"}},
      {Edit, "PageEdit", "", {200, 116, 60, 22}},
  };
}

}  // namespace

TSelectRangeDlg::TSelectRangeDlg(TComponent* owner, TRangeQuestion question) : TForm(owner) {
  const bool scenes = question == TRangeQuestion::Scenes;
  const int buttonsTop = scenes ? 84 : 160;
  SetUpDialogForm(*this, "SelectRangeDlg",
                  scenes ? "Select Range of Scenes for Blocking" : "Select how to extend Block", 412, buttonsTop + 64);
  TDialogTable table = scenes ? ScenesTable() : ExtendTable();
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {116, buttonsTop, 80, 25}, 95)) table.push_back(button);
  BuildDialog(*this, table);
  if (scenes) {
    FromBox = DialogControl<TComboBox>(*this, "FromBox");
    ToBox = DialogControl<TComboBox>(*this, "ToBox");
  } else {
    ExtendGroup = DialogControl<TRadioGroup>(*this, "ExtendGroup");
    PageEdit = DialogControl<TEdit>(*this, "PageEdit");
  }
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

}  // namespace qm
