// The print menu's form and what its controls do.
#include <algorithm>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "printing/print_menu.h"
#include "printing/print_preview.h"
#include "printing/printer_setup_dialog.h"
#include "printing/smartcheck.h"
#include "script/model/script_record.h"
#include "script/script_window.h"

namespace qm {

TPrintMenuHooks PrintMenuHooks;

namespace {

TPrintMenuDlg* Instance = nullptr;

const GlobalState reset([] {
  Instance = nullptr;
  PrintMenuHooks = {};
});

constexpr const char* PrintMenuSection = "Print Menu";
constexpr const char* PrintMenuCaption = "Print...";
constexpr const char* SetupCaption = "Setup Script Information";
// The settings file keeps short strings.
constexpr std::size_t DraftTextCapacity = 255;

using enum TDialogItemKind;

TDialogTable PrintMenuTable() {
  return {
      {PageControl, "Notebook", "", {4, 4, 408, 300}},
      {Page, "PrintPage", "Print", {}, "Notebook"},
      {Label, "PrinterLabel", "&Printer:", {12, 14, 60, 16}, "PrintPage"},
      {DropDownList, "PrinterBox", "", {80, 10, 230, 22}, "PrintPage"},
      {Button, "SetupBtn", "Set&up...", {320, 9, 80, 25}, "PrintPage"},
      {RadioGroup,
       "RangeGroup",
       "Print",
       {12, 44, 388, 132},
       "PrintPage",
       {"&All Pages", "Page &Range", "&Scenes", "Re&vised Pages Only", "One &Character's Dialogue"}},
      {Label, "FromLabel", "&From:", {220, 66, 40, 16}, "PrintPage"},
      {Edit, "FromEdit", "", {264, 62, 50, 22}, "PrintPage"},
      {Label, "ToLabel", "&To:", {320, 66, 24, 16}, "PrintPage"},
      {Edit, "ToEdit", "", {344, 62, 50, 22}, "PrintPage"},
      {DropDownList,
       "CharacterPagesBox",
       "",
       {220, 118, 174, 22},
       "PrintPage",
       {"Pages where it Speaks", "Scenes of Any Names...", "Scenes of All Names..."}},
      {ComboBox, "CharacterBox", "", {220, 146, 174, 22}, "PrintPage"},
      {Label, "CopiesLabel", "C&opies:", {12, 190, 50, 16}, "PrintPage"},
      {Edit, "CopiesEdit", "1", {68, 186, 40, 22}, "PrintPage"},
      {CheckBox, "NumberCopiesBox", "&Number each Copy with a Watermark:", {120, 188, 230, 20}, "PrintPage"},
      {Edit, "WatermarkEdit", "Copy", {350, 186, 50, 22}, "PrintPage"},
      {CheckBox, "SmartCheckBox", "Run S&martCheck First", {12, 218, 200, 20}, "PrintPage"},
      {CheckBox, "PrintFileBox", "Print to a &Quillpress File:", {12, 244, 180, 20}, "PrintPage"},
      {Edit, "PrintFileEdit", "", {196, 242, 204, 22}, "PrintPage"},
      {Page, "WatermarkPage", "Watermark", {}, "Notebook"},
      {Label, "DraftDateLabel", "Draft &Date:", {12, 18, 120, 16}, "WatermarkPage"},
      {Edit, "DraftDateEdit", "", {140, 14, 250, 22}, "WatermarkPage"},
      {Label, "RequestedByLabel", "&Requested by:", {12, 52, 120, 16}, "WatermarkPage"},
      {Edit, "RequestedByEdit", "", {140, 48, 250, 22}, "WatermarkPage"},
      {Label, "ApprovedByLabel", "&Approved by:", {12, 86, 120, 16}, "WatermarkPage"},
      {Edit, "ApprovedByEdit", "", {140, 82, 250, 22}, "WatermarkPage"},
      {Label, "FurtherInfoLabel", "&Further Information:", {12, 120, 120, 16}, "WatermarkPage"},
      {Edit, "FurtherInfoEdit", "", {140, 116, 250, 22}, "WatermarkPage"},
      {CheckBox,
       "PrintDraftInfoBox",
       "Print the Draft Information as a &Watermark on every Page",
       {12, 156, 380, 20},
       "WatermarkPage"},
      {Button, "PreviewBtn", "Pre&view", {12, 314, 80, 25}},
      {Button, "DoneBtn", "OK", {220, 314, 80, 25}},
  };
}

// The scenes of the chosen names become the choice's scene list; false
// when the writer chose none.
bool FindCharacterScenes(TMDIChild& script, TPrintChoice& choice) {
  if (choice.Range != TPrintRange::CharacterDialogue || choice.CharacterPages == TCharacterPages::Speaks) return true;
  if (!PrintMenuHooks.ScenesOfCharacters) {
    ShowMessageBox("The scenes of chosen characters cannot be found in this version.", "Attention");
    return false;
  }
  const auto list =
      PrintMenuHooks.ScenesOfCharacters(script, choice.CharacterPages == TCharacterPages::ScenesWithEvery);
  if (!list) return false;
  choice.SceneList = *list;
  return true;
}

}  // namespace

TPrintMenuDlg::TPrintMenuDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "PrintMenuDlg", PrintMenuCaption, 416, 380);
  BuildDialog(*this, PrintMenuTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel, {220, 314, 80, 25}, 90));
  PrinterBox = DialogControl<TComboBox>(*this, "PrinterBox");
  SetupBtn = DialogControl<TButton>(*this, "SetupBtn");
  RangeGroup = DialogControl<TRadioGroup>(*this, "RangeGroup");
  FromEdit = DialogControl<TEdit>(*this, "FromEdit");
  ToEdit = DialogControl<TEdit>(*this, "ToEdit");
  CharacterBox = DialogControl<TComboBox>(*this, "CharacterBox");
  CharacterPagesBox = DialogControl<TComboBox>(*this, "CharacterPagesBox");
  CopiesEdit = DialogControl<TEdit>(*this, "CopiesEdit");
  NumberCopiesBox = DialogControl<TCheckBox>(*this, "NumberCopiesBox");
  WatermarkEdit = DialogControl<TEdit>(*this, "WatermarkEdit");
  SmartCheckBox = DialogControl<TCheckBox>(*this, "SmartCheckBox");
  PrintFileBox = DialogControl<TCheckBox>(*this, "PrintFileBox");
  PrintFileEdit = DialogControl<TEdit>(*this, "PrintFileEdit");
  PreviewBtn = DialogControl<TButton>(*this, "PreviewBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  Notebook = DialogControl<TPageControl>(*this, "Notebook");
  PrintPage = DialogControl<TTabSheet>(*this, "PrintPage");
  WatermarkPage = DialogControl<TTabSheet>(*this, "WatermarkPage");
  DraftDateEdit = DialogControl<TEdit>(*this, "DraftDateEdit");
  RequestedByEdit = DialogControl<TEdit>(*this, "RequestedByEdit");
  ApprovedByEdit = DialogControl<TEdit>(*this, "ApprovedByEdit");
  FurtherInfoEdit = DialogControl<TEdit>(*this, "FurtherInfoEdit");
  PrintDraftInfoBox = DialogControl<TCheckBox>(*this, "PrintDraftInfoBox");
  DoneBtn = DialogControl<TButton>(*this, "DoneBtn");
  DoneBtn->ModalResult = mrOk;
  printFocus_ = ActiveControl;
  DoneBtn->Visible = false;
  for (TEdit* edit : {DraftDateEdit, RequestedByEdit, ApprovedByEdit, FurtherInfoEdit})
    edit->MaxLength = static_cast<int>(DraftTextCapacity);
  OKBtn->Caption = "&Print";
  PreviewBtn->ModalResult = mrPreview;
  RangeGroup->SetItemIndex(0);
  CharacterPagesBox->SetItemIndex(0);
  CharacterPagesBox->OnChange = [this](TObject*) { UpdateControls(); };
  RangeGroup->OnClick = [this](TObject*) { UpdateControls(); };
  PrintFileBox->OnClick = [this](TObject*) { UpdateControls(); };
  NumberCopiesBox->OnClick = [this](TObject*) { UpdateControls(); };
  SetupBtn->OnClick = [this](TObject*) { RunPrinterSetup(); };
  UpdateControls();
}

void TPrintMenuDlg::UpdateControls() {
  const auto range = static_cast<TPrintRange>(RangeGroup->ItemIndex());
  const bool fromTo = range == TPrintRange::PageRange || range == TPrintRange::Scenes;
  FromEdit->Enabled = ToEdit->Enabled = fromTo;
  CharacterPagesBox->Enabled = range == TPrintRange::CharacterDialogue;
  CharacterBox->Enabled = range == TPrintRange::CharacterDialogue && CharacterPagesBox->ItemIndex() <= 0;
  WatermarkEdit->Enabled = NumberCopiesBox->Checked();
  PrintFileEdit->Enabled = PrintFileBox->Checked();
}

void TPrintMenuDlg::RunPrinterSetup() {
  TPrinterSetupDlg setup(this);
  if (setup.Execute() != mrOk) return;
  ListPrinters(PrinterBox->Items);
  PrinterBox->SetItemIndex(Printer()->PrinterIndex());
}

void TPrintMenuDlg::FillFrom(const TScriptDocument& script) {
  ListPrinters(PrinterBox->Items);
  PrinterBox->SetItemIndex(Printer()->PrinterIndex());
  CharacterBox->Items.Clear();
  for (const std::string& name : SpeakingCharacters(script)) CharacterBox->Items.Add(name);
  if (PrintFileEdit->Text().empty())
    PrintFileEdit->Text =
        PathToText(ChangeFileExt(script.ScriptFileName.empty() ? "Untitled" : script.ScriptFileName, ".qpf"));
  UpdateControls();
}

void TPrintMenuDlg::SetupVariables() {
  try {
    const TIniFile ini = OpenSettingsFile();
    CopiesEdit->Text = std::to_string(std::clamp(ini.ReadInteger(PrintMenuSection, "Copies", 1), 1, 99));
    NumberCopiesBox->SetChecked(ini.ReadBool(PrintMenuSection, "Number Copies", false));
    WatermarkEdit->Text = ini.ReadString(PrintMenuSection, "Watermark", "Copy");
    SmartCheckBox->SetChecked(ini.ReadBool(PrintMenuSection, "SmartCheck First", false));
    DraftDateEdit->Text = CutToCapacity(ini.ReadString(PrintMenuSection, "Draft Date", ""), DraftTextCapacity);
    RequestedByEdit->Text = CutToCapacity(ini.ReadString(PrintMenuSection, "Requested By", ""), DraftTextCapacity);
    ApprovedByEdit->Text = CutToCapacity(ini.ReadString(PrintMenuSection, "Approved By", ""), DraftTextCapacity);
    FurtherInfoEdit->Text =
        CutToCapacity(ini.ReadString(PrintMenuSection, "Further Information", ""), DraftTextCapacity);
    PrintDraftInfoBox->SetChecked(ini.ReadBool(PrintMenuSection, "Print Draft Information", false));
  } catch (const EIniFileError&) {
    // The defaults the form was built with stand.
  }
  UpdateControls();
}

void TPrintMenuDlg::SaveVariables() {
  try {
    TIniFile ini = OpenSettingsFile();
    ini.WriteInteger(PrintMenuSection, "Copies", std::atoi(CopiesEdit->Text().c_str()));
    ini.WriteBool(PrintMenuSection, "Number Copies", NumberCopiesBox->Checked());
    ini.WriteString(PrintMenuSection, "Watermark", WatermarkEdit->Text());
    ini.WriteBool(PrintMenuSection, "SmartCheck First", SmartCheckBox->Checked());
  } catch (const EIniFileError&) {
    // The choice still prints; only remembering it failed.
  }
  SaveDraftInformation();
}

TDraftInformation TPrintMenuDlg::DraftInformation() const {
  TDraftInformation info;
  info.Date = CutToCapacity(DraftDateEdit->Text(), DraftTextCapacity);
  info.RequestedBy = CutToCapacity(RequestedByEdit->Text(), DraftTextCapacity);
  info.ApprovedBy = CutToCapacity(ApprovedByEdit->Text(), DraftTextCapacity);
  info.FurtherInformation = CutToCapacity(FurtherInfoEdit->Text(), DraftTextCapacity);
  info.PrintAsWatermark = PrintDraftInfoBox->Checked();
  return info;
}

void TPrintMenuDlg::SaveDraftInformation() {
  const TDraftInformation info = DraftInformation();
  try {
    TIniFile ini = OpenSettingsFile();
    ini.WriteString(PrintMenuSection, "Draft Date", info.Date);
    ini.WriteString(PrintMenuSection, "Requested By", info.RequestedBy);
    ini.WriteString(PrintMenuSection, "Approved By", info.ApprovedBy);
    ini.WriteString(PrintMenuSection, "Further Information", info.FurtherInformation);
    ini.WriteBool(PrintMenuSection, "Print Draft Information", info.PrintAsWatermark);
  } catch (const EIniFileError&) {
    ShowMessageBox("The Draft Information could not be saved in the settings file.", "Attention");
  }
}

void TPrintMenuDlg::ShowWatermarkPageAlone(bool alone) {
  // Through the print page, so that the tabs are laid out again either way.
  Notebook->SetActivePage(alone ? PrintPage : WatermarkPage);
  PrintPage->TabVisible = !alone;
  Notebook->SetActivePage(alone ? WatermarkPage : PrintPage);
  Caption = alone ? SetupCaption : PrintMenuCaption;
  PreviewBtn->Visible = !alone;
  OKBtn->Visible = !alone;
  DoneBtn->Visible = alone;
  if (alone && ActiveControl != DraftDateEdit) printFocus_ = ActiveControl;
  ActiveControl = alone ? DraftDateEdit : printFocus_;
}

bool TPrintMenuDlg::ReadChoice(TPrintChoice& choice) {
  choice.Range = static_cast<TPrintRange>(std::clamp(RangeGroup->ItemIndex(), 0, 4));
  choice.From = FromEdit->Text();
  choice.To = ToEdit->Text();
  choice.Character = CharacterBox->Text();
  choice.CharacterPages = static_cast<TCharacterPages>(std::clamp(CharacterPagesBox->ItemIndex(), 0, 2));
  const std::string copies = CopiesEdit->Text();
  const bool digits =
      !copies.empty() && copies.size() <= 2 && copies.find_first_not_of("0123456789") == std::string::npos;
  choice.Copies = digits ? std::atoi(copies.c_str()) : 0;
  if (choice.Copies < 1 || choice.Copies > 99) {
    ShowMessageBox("The number of copies must be a whole number from 1 to 99.", "Attention");
    return false;
  }
  choice.NumberCopies = NumberCopiesBox->Checked();
  choice.WatermarkText = WatermarkEdit->Text();
  choice.SmartCheckFirst = SmartCheckBox->Checked();
  const TDraftInformation draft = DraftInformation();
  choice.DraftLines = draft.PrintAsWatermark ? DraftWatermarkLines(draft) : std::vector<std::string>{};
  choice.PrintFile.clear();
  const bool fromTo = choice.Range == TPrintRange::PageRange || choice.Range == TPrintRange::Scenes;
  if (fromTo && choice.From.find_first_not_of(' ') == std::string::npos) {
    ShowMessageBox(choice.Range == TPrintRange::Scenes ? "Enter the number of the first scene to print."
                                                       : "Enter the number of the first page to print.",
                   "Attention");
    return false;
  }
  if (choice.Range == TPrintRange::CharacterDialogue && choice.CharacterPages == TCharacterPages::Speaks &&
      choice.Character.find_first_not_of(' ') == std::string::npos) {
    ShowMessageBox("Choose the character whose dialogue you want to print.", "Attention");
    return false;
  }
  if (PrintFileBox->Checked()) {
    if (PrintFileEdit->Text().find_first_not_of(' ') == std::string::npos) {
      ShowMessageBox("Enter the name of the Print File.", "Attention");
      return false;
    }
    choice.PrintFile = TextToPath(PrintFileEdit->Text());
  }
  return true;
}

void TPrintMenuDlg::RunPrintJob(bool standardBreakdowns) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  if (standardBreakdowns) {
    if (PrintMenuHooks.StandardBreakdowns) PrintMenuHooks.StandardBreakdowns(*script);
    else ShowMessageBox("The standard breakdowns cannot be printed in this version.", "Attention");
    return;
  }
  SetupVariables();
  FillFrom(*script);
  ShowWatermarkPageAlone(false);
  for (;;) {
    const TModalResult result = ShowModal();
    if (result != mrOk && result != mrPreview) return;
    TPrintChoice choice;
    if (!ReadChoice(choice)) continue;
    SaveVariables();
    if (PrinterBox->ItemIndex() >= 0) Printer()->SetPrinterIndex(PrinterBox->ItemIndex());
    if (choice.SmartCheckFirst && !SmartCheckScript(false)) return;
    if (!FindCharacterScenes(*script, choice)) return;
    if (result == mrPreview) PreviewScript(*script, choice);
    else PrintScript(*script, choice);
    return;
  }
}

void ShowScriptInformationSetup() {
  TPrintMenuDlg& menu = PrintMenuDlg();
  menu.SetupVariables();
  menu.ShowWatermarkPageAlone(true);
  if (menu.ShowModal() == mrOk) menu.SaveDraftInformation();
  menu.ShowWatermarkPageAlone(false);
}

TPrintMenuDlg& PrintMenuDlg() {
  if (!Instance) Instance = new TPrintMenuDlg(Application);
  return *Instance;
}

}  // namespace qm
