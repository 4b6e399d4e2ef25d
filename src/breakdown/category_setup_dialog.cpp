#include "breakdown/category_setup_dialog.h"

#include "base/message_boxes.h"
#include "breakdown/sheet_layout.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable CategorySetupTable() {
  return {
      {ListBox, "EditList", "", {8, 8, 300, 420}},
      {Panel, "EditPanel", "", {320, 8, 300, 150}},
      {Label, "NameLabel", "Category Name:", {8, 8, 200, 16}, "EditPanel"},
      {Edit, "NameEdit", "", {8, 26, 280, 22}, "EditPanel"},
      {Label, "CodeLabel", "Display Code as:", {8, 56, 200, 16}, "EditPanel"},
      {Edit, "CodeEdit", "", {8, 74, 100, 22}, "EditPanel"},
      {Button, "ReplaceBtn", "Replace", {8, 112, 90, 25}, "EditPanel"},
      {Button, "PanelCancelBtn", "Cancel", {108, 112, 90, 25}, "EditPanel"},
      {Button, "HideShowBtn", "Hide/Show Selected Category", {320, 180, 300, 25}},
      {Button, "ResetBtn", "Reset to Defaults for ShootPlan Scheduling", {320, 214, 300, 25}},
      {Button, "SheetBtn", "Setup Breakdown Sheet", {320, 248, 300, 25}},
  };
}

}  // namespace

TCategorySetupDlg::TCategorySetupDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "CategorySetupDlg", "Setup Categories", 640, 480);
  BuildDialog(*this, CategorySetupTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel | sbHelp, {320, 404, 90, 25}, 100));
  EditList = DialogControl<TListBox>(*this, "EditList");
  EditPanel = DialogControl<TPanel>(*this, "EditPanel");
  NameEdit = DialogControl<TEdit>(*this, "NameEdit");
  CodeEdit = DialogControl<TEdit>(*this, "CodeEdit");
  ReplaceBtn = DialogControl<TButton>(*this, "ReplaceBtn");
  PanelCancelBtn = DialogControl<TButton>(*this, "PanelCancelBtn");
  HideShowBtn = DialogControl<TButton>(*this, "HideShowBtn");
  ResetBtn = DialogControl<TButton>(*this, "ResetBtn");
  SheetBtn = DialogControl<TButton>(*this, "SheetBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  OKBtn->Caption = "Ok";
  // The OK button closes only once the pending rename is applied.
  OKBtn->ModalResult = mrNone;
  OKBtn->OnClick = [this](TObject*) { OkClick(); };
  EditPanel->Visible = false;
  EditList->Style = TListBoxStyle::lbOwnerDrawFixed;
  EditList->OnDrawItem = [this](TWinControl*, int i, TRect r, unsigned state) {
    TCanvas& canvas = EditList->Canvas;
    canvas.Brush.Color = state & odSelected ? clHighlight : clWindow;
    const bool shown = Setup.Rows[static_cast<std::size_t>(i)].Visible;
    canvas.Font.Color = !shown ? clGray : state & odSelected ? clHighlightText : clWindowText;
    canvas.TextRect(r, r.Left + 2, r.Top, EditList->Items[i]);
  };
  EditList->OnDblClick = [this](TObject*) { EditListDblClick(); };
  NameEdit->OnChange = [this](TObject*) { UpdateReplace(); };
  CodeEdit->OnChange = [this](TObject*) { UpdateReplace(); };
  ReplaceBtn->OnClick = [this](TObject*) { ReplaceClick(); };
  PanelCancelBtn->OnClick = [this](TObject*) { ClosePanel(); };
  HideShowBtn->OnClick = [this](TObject*) {
    Setup.ToggleVisible(EditList->ItemIndex());
    FillList();
  };
  ResetBtn->OnClick = [this](TObject*) {
    Setup.ResetToDefaults();
    ClosePanel();
    FillList();
  };
  SheetBtn->OnClick = [this](TObject*) {
    // The layout works on the menu's categories: what was changed here
    // goes there first, as the layout's OK would take it.
    Setup.Apply();
    if (ShowBreakdownSheetLayout()) Setup = TCategorySetup();
    FillList();
  };
  FillList();
  UpdateReplace();
}

void TCategorySetupDlg::FillList() {
  const int selected = EditList->ItemIndex();
  EditList->Clear();
  for (const TBreakdownCategory& row : Setup.Rows)
    EditList->Items.Add(WithoutAccelerator(row.Caption) + "  (" + row.Hint + ")");
  if (selected >= 0 && selected < EditList->Items.Count()) EditList->SetItemIndex(selected);
  EditList->Invalidate();
}

void TCategorySetupDlg::EditListDblClick() {
  const int row = EditList->ItemIndex();
  if (row < 0) return;
  const std::string refusal = Setup.BeginEdit(row);
  if (!refusal.empty()) {
    ShowMessageBox(refusal, "");
    return;
  }
  const TBreakdownCategory& category = Setup.Rows[static_cast<std::size_t>(row)];
  NameEdit->Text = category.Caption;
  CodeEdit->Text = category.Hint;
  EditPanel->Visible = true;
  UpdateReplace();
}

void TCategorySetupDlg::ReplaceClick() {
  if (!Setup.CanReplace(NameEdit->Text(), CodeEdit->Text())) return;
  const std::string refusal = Setup.Replace(NameEdit->Text(), CodeEdit->Text());
  if (!refusal.empty()) {
    ShowMessageBox(refusal, "");
    return;
  }
  ClosePanel();
  FillList();
}

void TCategorySetupDlg::OkClick() {
  if (EditPanel->Visible && Setup.CanReplace(NameEdit->Text(), CodeEdit->Text())) {
    const std::string refusal = Setup.Replace(NameEdit->Text(), CodeEdit->Text());
    if (!refusal.empty()) {
      ShowMessageBox(refusal, "");
      return;
    }
  }
  Setup.Apply();
  ModalResult = mrOk;
}

void TCategorySetupDlg::UpdateReplace() { ReplaceBtn->Enabled = Setup.CanReplace(NameEdit->Text(), CodeEdit->Text()); }

void TCategorySetupDlg::ClosePanel() {
  Setup.Editing = -1;
  EditPanel->Visible = false;
  UpdateReplace();
}

}  // namespace qm
