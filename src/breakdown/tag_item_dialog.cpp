#include "breakdown/tag_item_dialog.h"

#include "breakdown/categories.h"
#include "breakdown/category_setup.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

std::vector<std::string> CategoryCaptions() {
  std::vector<std::string> captions;
  for (const TBreakdownCategory& c : CategoryMenus()) captions.push_back(WithoutAccelerator(c.Caption));
  return captions;
}

TDialogTable TagItemTable() {
  return {
      {Label, "ItemLabel", "Item To be Tagged:", {8, 8, 200, 16}},
      {Edit, "ItemEdit", "", {8, 26, 440, 22}},
      {RadioGroup, "CategoryGroup", "Tag Item as...", {8, 56, 440, 300}, "", CategoryCaptions()},
      {CheckBox, "PromptBox", "Prompt on each Tagging", {8, 364, 250, 20}},
      {Button, "EditNamesBtn", "Edit  Category Names", {300, 360, 148, 25}},
  };
}

}  // namespace

TTagItemDlg::TTagItemDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "TagItemDlg", "Tag Globally", 460, 440);
  BuildDialog(*this, TagItemTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel, {130, 392, 90, 25}, 110));
  ItemEdit = DialogControl<TEdit>(*this, "ItemEdit");
  CategoryGroup = DialogControl<TRadioGroup>(*this, "CategoryGroup");
  CategoryGroup->Columns = 2;
  PromptBox = DialogControl<TCheckBox>(*this, "PromptBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  OKBtn->Caption = "Okay";
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  ItemEdit->OnChange = [this](TObject*) { OKBtn->Enabled = !ItemEdit->Text().empty(); };
  EditNamesBtn = DialogControl<TButton>(*this, "EditNamesBtn");
  EditNamesBtn->OnClick = [this](TObject*) {
    if (!ShowCategorySetup(RenameWarningOnTurn)) return;
    const std::vector<std::string> captions = CategoryCaptions();
    for (int i = 0; i < CategoryGroup->Items.Count() && i < static_cast<int>(captions.size()); ++i)
      CategoryGroup->Items.SetString(i, captions[static_cast<std::size_t>(i)]);
    CategoryGroup->Invalidate();
  };
}

}  // namespace qm
