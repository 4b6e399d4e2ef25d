// The small utility dialogs' forms.
#include "shell/utility_dialogs.h"

#include <ctime>

#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace qm {

namespace {

using enum TDialogItemKind;

std::string DayName(int cell) { return "Day" + std::to_string(cell); }

}  // namespace

TCalendarDlg::TCalendarDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "CalendarDlg", "These are the Times that try Men's Souls...", 260, 250);
  TDialogTable t = {{Label, "Heading", "", {90, 8, 80, 18}}};
  const char* days[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
  for (int d = 0; d < 7; ++d) t.push_back({Label, std::string("Head") + days[d], days[d], {12 + d * 34, 30, 30, 16}});
  for (int cell = 0; cell < 42; ++cell)
    t.push_back({Label, DayName(cell), "", {12 + (cell % 7) * 34, 50 + (cell / 7) * 22, 30, 18}});
  for (TDialogItem& row : ButtonRow(sbOK, {90, 186, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  Heading = DialogControl<TLabel>(*this, "Heading");
  Heading->Font.Style = fsBold;
  KeyPreview = true;
  OnKeyDown = [this](TObject*, Word& key, TShiftState) { CalendarKeyDown(key); };
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  Date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  ShowDate();
}

TProducerHelpDlg::TProducerHelpDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "ProducerHelpDlg", "Producer Help", 440, 300);
  TDialogTable t = {
      {Label,
       "AskLabel",
       "While you were gone, I read your script and I was wondering if you'd be open to getting some friendly, "
       "producer-like advice?",
       {8, 8, 420, 40}},
      {Label, "JokeLabel", "...and yes, this IS a joke...", {8, 50, 0, 0}},
      {Memo, "NoteMemo", "", {8, 72, 420, 150}},
  };
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {250, 232, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  NoteMemo = DialogControl<TMemo>(*this, "NoteMemo");
  NoteMemo->ReadOnly = true;
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  CancelBtn->Caption = "No Thanks";
  OKBtn->ModalResult = mrNone;
  OKBtn->OnClick = [this](TObject*) {
    NoteMemo->Lines.SetText(ProducerNote(Draw));
    OKBtn->Visible = false;
    CancelBtn->Caption = "&Close";
  };
}

TSetupScriptDirectoryDlg::TSetupScriptDirectoryDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogFormClient(*this, "SetupScriptDirectoryDlg", "Setup Script Directory", 416, 330);
  TDialogTable t = {
      {Label, "DirLabel", "Script &Directory:", {8, 12, 0, 0}},
      {EnterEdit, "ScriptDirEdit", "", {8, 32, 400, 22}},
  };
  BuildDialog(*this, t);
  ScriptDirEdit = DialogControl<TEdit>(*this, "ScriptDirEdit");
  DirList = MakeControl<TFESDirectoryListBox>(this, this, "DirList", 8, 62, 400, 192);
  DriveList = MakeControl<TFESDriveComboBox>(this, this, "DriveList", 8, 262, 400, 22);
  DriveList->SetDirList(DirList);
  DirList->OnChange = [this](TObject*) {
    shownFolder_ = DirList->Directory();
    ScriptDirEdit->Text = PathToText(shownFolder_);
  };
  BuildDialog(*this, ButtonRow(sbOK | sbCancel, {230, 296, 80, 25}, 90));
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  OKBtn->ModalResult = mrNone;
  OKBtn->OnClick = [this](TObject*) {
    if (TakeDirectory()) ModalResult = mrOk;
  };
}

TSetupDisplayFontDlg::TSetupDisplayFontDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SetupDisplayFontDlg", "Setup Display Font Size", 420, 240);
  TDialogTable t = {
      {Label, "NameLabel", "Font &Name:", {8, 12, 0, 0}},
      {DropDownList, "NameBox", "", {100, 8, 200, 22}},
      {Label, "SizeLabel", "", {8, 44, 0, 0}},
      {CheckBox, "BoldBox", "&Bold", {8, 100, 80, 19}},
      {Button, "ResetBtn", "&Reset", {100, 98, 80, 25}},
      {Panel, "SamplePanel", "", {8, 130, 400, 40}},
      {Label, "Sample", "Allow T&ypeover    Enable &QuickType Entry", {8, 10, 0, 0}, "SamplePanel"},
  };
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {230, 180, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  NameBox = DialogControl<TComboBox>(*this, "NameBox");
  BoldBox = DialogControl<TCheckBox>(*this, "BoldBox");
  ResetBtn = DialogControl<TButton>(*this, "ResetBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  SizeLabel = DialogControl<TLabel>(*this, "SizeLabel");
  Sample = DialogControl<TLabel>(*this, "Sample");
  SizeBar = new TScrollBar(this);
  SizeBar->Name = "SizeBar";
  SizeBar->SetParent(this);
  SizeBar->SetBounds(8, 66, 300, 20);
  SizeBar->SetParams(9, 6, 20);
  for (const std::string& family : Platform::Current().backend().Metrics().Families()) NameBox->Items.Add(family);
  NameBox->OnChange = [this](TObject*) {
    if (NameBox->ItemIndex() >= 0) FontName = NameBox->Items[NameBox->ItemIndex()];
    ShowSample();
  };
  SizeBar->OnChange = [this](TObject*) { ShowSample(); };
  BoldBox->OnClick = [this](TObject*) { ShowSample(); };
  ResetBtn->OnClick = [this](TObject*) {
    FontName = "MS Sans Serif";
    NameBox->SetItemIndex(NameBox->Items.IndexOf(FontName));
    ShowSample();
  };
}

TStealTextDlg::TStealTextDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "StealTextDlg", "Double Click on item to Copy...", 320, 260);
  BuildDialog(*this, TDialogTable{
                         {ListBox, "TextList", "", {8, 8, 296, 180}},
                         {Button, "CloseBtn", "&Close", {120, 196, 80, 25}},
                     });
  TextList = DialogControl<TListBox>(*this, "TextList");
  CloseBtn = DialogControl<TButton>(*this, "CloseBtn");
  CloseBtn->ModalResult = mrAbort;
  TextList->OnDblClick = [this](TObject*) {
    if (TextList->ItemIndex() >= 0) ModalResult = mrOk;
  };
}

TGetFileNameDlg::TGetFileNameDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "GetFileNameDlg", "Enter File Name", 300, 160);
  TDialogTable t = {
      {EnterEdit, "FileNameEdit", "", {8, 8, 276, 22}},
      {DropDownList, "FileList", "", {8, 38, 276, 22}},
      {CheckBox, "AllowViewingBox", " &Allow Viewing/Printing without Password", {8, 68, 276, 19}},
  };
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {60, 96, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  FileNameEdit = DialogControl<TEdit>(*this, "FileNameEdit");
  FileList = DialogControl<TComboBox>(*this, "FileList");
  AllowViewingBox = DialogControl<TCheckBox>(*this, "AllowViewingBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  OKBtn->ModalResult = mrNone;
  OKBtn->OnClick = [this](TObject*) { OKClick(); };
  FileNameEdit->OnKeyPress = [this](TObject*, char& key) { FileNameKeyPress(key); };
}

}  // namespace qm
