#include "language/confused_words_dialog.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "language/confused_words.h"
#include "language/duplicate_names.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable CheckWordsTable() {
  return {
      {PageControl, "Pages", "", {0, 0, 460, 330}},
      {Page, "WordsPage", "Words to Check", {}, "Pages"},
      {Label, "WordsLabel", "Words To Check:", {8, 8, 200, 16}, "WordsPage"},
      {ListBox, "CompareList", "", {8, 28, 300, 200}, "WordsPage"},
      {Edit, "AddWords", "", {8, 236, 300, 22}, "WordsPage"},
      {SpeedButton, "AddBtn", "Add Words", {316, 236, 120, 24}, "WordsPage"},
      {SpeedButton, "SpeedButton1", "Delete Words", {316, 204, 120, 24}, "WordsPage"},
      {Button, "CheckForwardsButton", "Check &Forwards", {316, 28, 120, 25}, "WordsPage"},
      {Button, "CheckScriptButton", "Check &Script", {316, 60, 120, 25}, "WordsPage"},
      {Button, "CloseBtn", "&Close", {316, 92, 120, 25}, "WordsPage"},
      {HelpButton, "WordsHelpBtn", "", {316, 124, 120, 25}, "WordsPage"},
      {Page, "NamesPage", "Duplicate Names", {}, "Pages"},
      {Label,
       "InfoLabel",
       "Highlight ALL the names which are really the same character, STARTING WITH THE ONE YOU WANT TO BE THE "
       "REPORTED NAME and then click the COMBINE button.",
       {8, 8, 430, 48},
       "NamesPage"},
      {ListBox, "NamesBox", "", {8, 60, 300, 220}, "NamesPage"},
      {Button, "CombineBtn", "Combine", {316, 60, 120, 25}, "NamesPage"},
      {Button, "BreakApartBtn", "Break Apart", {316, 92, 120, 25}, "NamesPage"},
      {Button, "UndoBtn", "Undo", {316, 124, 120, 25}, "NamesPage"},
      {Button, "Button2", "Clear Selections", {316, 156, 120, 25}, "NamesPage"},
      {HelpButton, "HelpBtn", "", {316, 188, 120, 25}, "NamesPage"},
      {Button, "ApplyButton", "Apply", {316, 220, 120, 25}, "NamesPage"},
      {Button, "CancelBtn", "Cancel", {316, 252, 120, 25}, "NamesPage"},
  };
}

std::vector<std::string> ItemsOf(const TListBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Items.Count(); ++i) items.push_back(list.Items[i]);
  return items;
}

void Fill(TListBox& list, const std::vector<std::string>& items) {
  list.Clear();
  for (const std::string& item : items) list.Items.Add(item);
}

}  // namespace

TCheckWordsDlg::TCheckWordsDlg(TComponent* owner, bool duplicates) : TForm(owner) {
  SetUpDialogForm(*this, "CheckWordsDlg", "Easily confused word check", 470, 360);
  BuildDialog(*this, CheckWordsTable());
  Pages = DialogControl<TPageControl>(*this, "Pages");
  CompareList = DialogControl<TListBox>(*this, "CompareList");
  AddWords = DialogControl<TEdit>(*this, "AddWords");
  AddBtn = DialogControl<TSpeedButton>(*this, "AddBtn");
  SpeedButton1 = DialogControl<TSpeedButton>(*this, "SpeedButton1");
  CheckForwardsButton = DialogControl<TButton>(*this, "CheckForwardsButton");
  CheckScriptButton = DialogControl<TButton>(*this, "CheckScriptButton");
  CloseBtn = DialogControl<TButton>(*this, "CloseBtn");
  InfoLabel = DialogControl<TLabel>(*this, "InfoLabel");
  NamesBox = DialogControl<TListBox>(*this, "NamesBox");
  NamesBox->MultiSelect = true;
  CombineBtn = DialogControl<TButton>(*this, "CombineBtn");
  BreakApartBtn = DialogControl<TButton>(*this, "BreakApartBtn");
  UndoBtn = DialogControl<TButton>(*this, "UndoBtn");
  Button2 = DialogControl<TButton>(*this, "Button2");
  ApplyButton = DialogControl<TButton>(*this, "ApplyButton");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  ChooseWordPopUp = new TPopupMenu(this);
  ChooseWordPopUp->Name = "ChooseWordPopUp";
  Pages->SetActivePage(Pages->Pages(duplicates ? 1 : 0));

  AddBtn->OnClick = [this](TObject*) { AddBtnClick(); };
  AddWords->OnKeyPress = [this](TObject*, char& key) {
    if (key != '\r') return;
    key = 0;
    AddBtnClick();
  };
  SpeedButton1->OnClick = [this](TObject*) { DeleteWordsClick(); };
  CompareList->OnDblClick = [this](TObject*) { CompareListDblClick(); };
  CloseBtn->OnClick = [this](TObject*) { ModalResult = mrCancel; };
  NamesBox->OnClick = [this](TObject*) { NamesBoxClick(); };
  CombineBtn->OnClick = [this](TObject*) { CombineBtnClick(); };
  BreakApartBtn->OnClick = [this](TObject*) { BreakApartBtnClick(); };
  UndoBtn->OnClick = [this](TObject*) { UndoBtnClick(); };
  Button2->OnClick = [this](TObject*) { ClearSelectionsClick(); };
  ApplyButton->OnClick = [this](TObject*) { ModalResult = mrOk; };
  CancelBtn->OnClick = [this](TObject*) { ModalResult = mrCancel; };
  UndoBtn->Enabled = false;
  UpdateNameButtons();
  SetInstruction(InfoLabel->Caption());
}

void TCheckWordsDlg::SetInstruction(const std::string& text) {
  InfoLabel->WordWrap = true;
  InfoLabel->Width = Pages->Width - 2 * InfoLabel->Left;
  InfoLabel->Caption = text;
  const int bottom = NamesBox->Top + NamesBox->Height;
  NamesBox->Top = std::max<int>(NamesBox->Top, InfoLabel->Top + InfoLabel->Height + 4);
  NamesBox->Height = bottom - NamesBox->Top;
}

std::vector<std::string> TCheckWordsDlg::Groups() const { return ItemsOf(*CompareList); }
void TCheckWordsDlg::SetGroups(const std::vector<std::string>& groups) { Fill(*CompareList, groups); }

bool TCheckWordsDlg::AddBtnClick() {
  const auto group = NormaliseWordGroup(AddWords->Text());
  if (!group) {
    ShowMessageBox(NoColonMessage, "\tAttention");
    return false;
  }
  CompareList->Items.Add(*group);
  AddWords->Text = "";
  return true;
}

void TCheckWordsDlg::CompareListDblClick() {
  const int index = CompareList->ItemIndex();
  if (index < 0 || index >= CompareList->Items.Count()) return;
  const std::string group = CompareList->Items[index];
  if (!AddWords->Text().empty() && !AddBtnClick()) return;
  CompareList->Items.Delete(index);
  AddWords->Text = group;
}

void TCheckWordsDlg::DeleteWordsClick() {
  const int index = CompareList->ItemIndex();
  if (index >= 0 && index < CompareList->Items.Count()) CompareList->Items.Delete(index);
}

std::vector<std::string> TCheckWordsDlg::Entries() const { return ItemsOf(*NamesBox); }

void TCheckWordsDlg::SetEntries(const std::vector<std::string>& entries) {
  Fill(*NamesBox, entries);
  firstSelected_ = -1;
  UpdateNameButtons();
}

std::vector<int> TCheckWordsDlg::SelectedNames() const {
  std::vector<int> selected;
  for (int i = 0; i < NamesBox->Items.Count(); ++i)
    if (NamesBox->Selected(i)) selected.push_back(i);
  return selected;
}

void TCheckWordsDlg::NamesBoxClick() {
  const std::vector<int> selected = SelectedNames();
  if (selected.size() == 1) firstSelected_ = selected.front();
  UpdateNameButtons();
}

void TCheckWordsDlg::UpdateNameButtons() {
  const std::vector<int> selected = SelectedNames();
  CombineBtn->Enabled = selected.size() > 1;
  bool combined = false;
  for (int i : selected) combined |= NamesBox->Items[i].find(NameSeparator) != std::string::npos;
  BreakApartBtn->Enabled = combined;
}

void TCheckWordsDlg::CombineBtnClick() {
  const std::vector<int> selected = SelectedNames();
  if (selected.size() < 2) return;
  undoCopy_ = Entries();
  UndoBtn->Enabled = true;
  std::vector<std::string> entries = Entries();
  const int first = firstSelected_ >= 0 && NamesBox->Selected(firstSelected_) ? firstSelected_ : selected.front();
  CombineEntries(entries, first, selected);
  SetEntries(entries);
}

void TCheckWordsDlg::BreakApartBtnClick() {
  const std::vector<int> selected = SelectedNames();
  const int index = selected.empty() ? NamesBox->ItemIndex() : selected.front();
  if (index < 0 || index >= NamesBox->Items.Count()) return;
  undoCopy_ = Entries();
  UndoBtn->Enabled = true;
  std::vector<std::string> entries = Entries();
  BreakApartEntry(entries, index);
  SetEntries(entries);
}

void TCheckWordsDlg::UndoBtnClick() {
  SetEntries(undoCopy_);
  undoCopy_.clear();
  UndoBtn->Enabled = false;
}

void TCheckWordsDlg::ClearSelectionsClick() {
  for (int i = 0; i < NamesBox->Items.Count(); ++i) NamesBox->SetSelected(i, false);
  firstSelected_ = -1;
  UpdateNameButtons();
}

}  // namespace qm
