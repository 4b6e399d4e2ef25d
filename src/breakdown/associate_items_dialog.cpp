#include "breakdown/associate_items_dialog.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "breakdown/categories.h"
#include "platform/cp1252.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable AssociateTable(bool locations) {
  const int left = locations ? 300 : 220;
  return {
      {Label, "NameLabel", locations ? "Locations:" : "Names:", {8, 8, 200, 16}},
      {ListBox, "NameList", "", {8, 28, left - 16, locations ? 220 : 300}},
      {RadioGroup, "IntExtGroup", "", {8, 256, left - 16, 80}, "", {"&INT Only", "&EXT Only", "&Both INT/EXT."}},
      {Label, "CategoryLabel", "Category:", {left, 8, 200, 16}},
      {DropDownList, "CategoryCombo", "", {left, 28, 300, 22}},
      {ListBox, "ItemList", "", {left, 56, 300, 240}},
      {Button, "AddNewBtn", "Add New", {left, 304, 90, 25}},
  };
}

std::string AskNewItem();

// The script file joins a chain's items with commas: an item holding one
// would come back as two, so it is refused.
bool RefusedForComma(const std::string& item) {
  if (item.find(',') == std::string::npos) return false;
  ShowMessageBox("A breakdown item cannot hold a comma: \"" + item + "\"", "Add Item");
  return true;
}

int VisibleIndexOf(const std::string& caption) {
  const TCategoryTable& menus = CategoryMenus();
  for (int i = 0; i < CategoryCount; ++i)
    if (WithoutAccelerator(menus[static_cast<std::size_t>(i)].Caption) == caption) return i;
  return -1;
}

}  // namespace

TAssociateItemsDlg::TAssociateItemsDlg(TComponent* owner, bool locations) : TForm(owner), locations_(locations) {
  SetUpDialogForm(*this, "AssociateItemsDlg",
                  locations ? "Associate Breakdown Items with Locations" : "Associate Breakdown Items with Names",
                  locations ? 640 : 560, 400);
  BuildDialog(*this, AssociateTable(locations));
  BuildDialog(*this, ButtonRow(sbOK | sbCancel | sbHelp, {locations ? 300 : 220, 340, 90, 25}, 100));
  NameList = DialogControl<TListBox>(*this, "NameList");
  IntExtGroup = DialogControl<TRadioGroup>(*this, "IntExtGroup");
  IntExtGroup->Visible = locations;
  CategoryCombo = DialogControl<TComboBox>(*this, "CategoryCombo");
  ItemList = DialogControl<TListBox>(*this, "ItemList");
  ItemList->MultiSelect = true;
  AddNewBtn = DialogControl<TButton>(*this, "AddNewBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  const TCategoryTable& menus = CategoryMenus();
  for (int i = 0; i < CategoryCount; ++i) {
    const TBreakdownCategory& c = menus[static_cast<std::size_t>(i)];
    if (c.Visible && i != SceneDescriptionCategory) CategoryCombo->Items.Add(WithoutAccelerator(c.Caption));
  }
  CategoryCombo->OnChange = [this](TObject*) { CategoryChange(); };
  NameList->OnClick = [this](TObject*) { NameClick(); };
  ItemList->OnClick = [this](TObject*) { ItemClick(); };
  IntExtGroup->OnClick = [this](TObject*) { IntExtClick(); };
  AddNewBtn->OnClick = [this](TObject*) { AddItem(AskNewItem()); };
}

void TAssociateItemsDlg::Start(const std::vector<std::string>& names, const std::vector<TAssociationEntry>& existing) {
  Names.clear();
  NameList->Clear();
  for (const std::string& name : names) {
    if (FindAssociations(Names, name)) continue;
    const TAssociationEntry* chain = FindAssociations(existing, name);
    Names.push_back(chain ? *chain : TAssociationEntry{AnsiUpperCase(name), {}});
    NameList->Items.Add(name);
  }
  if (!Names.empty()) NameList->SetItemIndex(0);
  if (CategoryCombo->Items.Count() > 0) {
    CategoryCombo->Text = CategoryCombo->Items[0];
    CategoryChange();
  }
}

TAssociation* TAssociateItemsDlg::CurrentAssociation(bool create) {
  const int index = NameList->ItemIndex();
  if (index < 0 || index >= static_cast<int>(Names.size()) || category_ < 0) return nullptr;
  auto& chain = Names[static_cast<std::size_t>(index)].Chain;
  for (TAssociation& a : chain)
    if (a.Category == category_) return &a;
  if (!create) return nullptr;
  const Byte choice = !chain.empty()                 ? chain.back().IntExt
                      : !IntExtGroup->Visible        ? Byte{ieIntOnly}
                      : IntExtGroup->ItemIndex() > 0 ? static_cast<Byte>(IntExtGroup->ItemIndex())
                                                     : Byte{ieIntOnly};
  chain.push_back({{}, category_, choice});
  return &chain.back();
}

void TAssociateItemsDlg::CategoryChange() {
  category_ = VisibleIndexOf(CategoryCombo->Text());
  ItemList->Clear();
  if (category_ >= 0)
    for (const std::string& item :
         Gathered.Items[static_cast<std::size_t>(RecordSlotOfTagCode(TagCodeOfCategory(category_)))])
      ItemList->Items.Add(item);
  NameClick();
}

void TAssociateItemsDlg::NameClick() {
  for (int i = 0; i < ItemList->Items.Count(); ++i) ItemList->SetSelected(i, false);
  const int index = NameList->ItemIndex();
  if (index < 0 || index >= static_cast<int>(Names.size())) return;
  const auto& chain = Names[static_cast<std::size_t>(index)].Chain;
  if (locations_) IntExtGroup->SetItemIndex(chain.empty() ? Byte{ieIntOnly} : chain.front().IntExt);
  if (const TAssociation* a = CurrentAssociation(false)) {
    for (const std::string& item : a->Items) {
      int at = ItemList->Items.IndexOf(item);
      if (at < 0) at = ItemList->Items.Add(item);
      ItemList->SetSelected(at, true);
    }
  }
}

void TAssociateItemsDlg::ItemClick() {
  TAssociation* a = CurrentAssociation(true);
  if (!a) return;
  a->Items.clear();
  for (int i = 0; i < ItemList->Items.Count(); ++i) {
    if (!ItemList->Selected(i)) continue;
    if (RefusedForComma(ItemList->Items[i])) ItemList->SetSelected(i, false);
    else a->Items.push_back(ItemList->Items[i]);
  }
}

void TAssociateItemsDlg::IntExtClick() {
  const int index = NameList->ItemIndex();
  if (index < 0 || index >= static_cast<int>(Names.size()) || IntExtGroup->ItemIndex() < 0) return;
  auto& chain = Names[static_cast<std::size_t>(index)].Chain;
  if (chain.empty()) CurrentAssociation(true);
  if (!chain.empty()) chain.front().IntExt = static_cast<Byte>(IntExtGroup->ItemIndex());
}

namespace {

// The one-line input behind "Add New"; "" when cancelled.
std::string AskNewItem() {
  TForm form(nullptr);
  SetUpDialogForm(form, "AddItemDlg", "Add Item", 320, 110);
  BuildDialog(form, TDialogTable{{Edit, "ItemEdit", "", {8, 8, 296, 22}}});
  BuildDialog(form, ButtonRow(sbOK | sbCancel, {60, 44, 90, 25}, 100));
  if (form.ShowModal() != mrOk) return {};
  return DialogControl<TEdit>(form, "ItemEdit")->Text();
}

}  // namespace

void TAssociateItemsDlg::AddItem(const std::string& item) {
  if (item.empty() || RefusedForComma(item)) return;
  int at = ItemList->Items.IndexOf(item);
  if (at < 0) at = ItemList->Items.Add(item);
  ItemList->SetSelected(at, true);
  ItemClick();
}

std::vector<TAssociationEntry> TAssociateItemsDlg::Result() const {
  std::vector<TAssociationEntry> kept;
  for (TAssociationEntry entry : Names) {
    std::erase_if(entry.Chain, [](const TAssociation& a) { return a.Items.empty(); });
    if (!entry.Chain.empty()) kept.push_back(entry);
  }
  return kept;
}

}  // namespace qm
