// The "Rundown" and "Setup Set List" pages of the character list dialog.
#include <ctime>

#include "base/message_boxes.h"
#include "breakdown/character_lists_dialog.h"
#include "platform/platform.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm {

namespace {

using enum TDialogItemKind;

void AddEditRow(TDialogTable& t, const std::string& name, const std::string& caption, int top) {
  t.push_back({Label, name + "Label", caption, {8, top + 3, 0, 0}, "RundownPage"});
  t.push_back({Edit, name, "", {130, top, 200, 22}, "RundownPage"});
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  char text[16];
  std::strftime(text, sizeof text, "%m/%d/%Y", std::localtime(&now));
  return text;
}

}  // namespace

TDialogTable RundownPageTable() {
  TDialogTable t = {{Page, "RundownPage", "Rundown", {}, "Notebook"}};
  AddEditRow(t, "ProdTitle", "Production Title:", 8);
  AddEditRow(t, "ProdCo", "Production Co.:", 34);
  AddEditRow(t, "EpisodeNumber", "Episode Number:", 60);
  AddEditRow(t, "Draft", "Draft:", 86);
  AddEditRow(t, "ReportedDate", "Date:", 112);
  AddEditRow(t, "DirectedBy", "Directed By:", 138);
  const TDialogTable rest = {
      {Label, "FontLabel", "Font:", {8, 167, 0, 0}, "RundownPage"},
      {DropDownList, "FontList", "", {130, 164, 150, 22}, "RundownPage"},
      {ComboBox, "FontSize", "", {290, 164, 50, 22}, "RundownPage", {"8", "9", "10", "11", "12", "13", "14", "15"}},
      {CheckBox, "UndAct", "Underline Act/Scene Info", {8, 192, 200, 20}, "RundownPage"},
      {CheckBox, "BoldAct", "Bold Act/Scene Info", {220, 192, 200, 20}, "RundownPage"},
      {CheckBox, "UndSH", "Underline Scene Headings", {8, 212, 200, 20}, "RundownPage"},
      {CheckBox, "BoldSH", "Bold Scene Headings", {220, 212, 200, 20}, "RundownPage"},
      {CheckBox, "ActSceneColumn", "Act/Scene Column", {340, 8, 120, 20}, "RundownPage"},
      {CheckBox, "DayNightColumn", "Day/Night Column", {340, 28, 120, 20}, "RundownPage"},
      {CheckBox, "PageNumColumn", "Page # Column", {340, 48, 120, 20}, "RundownPage"},
      {Label, "BoxWidthLabel", "Box Width:", {340, 76, 0, 0}, "RundownPage"},
      {Edit, "BoxWidth", "", {340, 94, 50, 22}, "RundownPage"},
      {SpeedButton, "BoxWidthUp", "+", {394, 94, 20, 11}, "RundownPage"},
      {SpeedButton, "BoxWidthDown", "-", {394, 105, 20, 11}, "RundownPage"},
      {Label, "MinHeightLabel", "Min. Box Height:", {340, 122, 0, 0}, "RundownPage"},
      {Edit, "MinHeightBox", "", {340, 140, 50, 22}, "RundownPage"},
      {SpeedButton, "MinHeightUp", "+", {394, 140, 20, 11}, "RundownPage"},
      {SpeedButton, "MinHeightDown", "-", {394, 151, 20, 11}, "RundownPage"},
      {Panel, "TimingPanel", "", {8, 236, 300, 24}, "RundownPage"},
      {RadioButton, "FourTimingBoxes", "4 Timing Boxes", {0, 2, 140, 20}, "TimingPanel"},
      {RadioButton, "TwoTimingBoxes", "2 Timing Boxes", {150, 2, 140, 20}, "TimingPanel"},
      {CheckBox, "PrintTotalBoxes", "Print Total Boxes", {8, 262, 200, 20}, "RundownPage"},
      {Button, "SetupSetListBtn", "Setup Set List Layout Options", {220, 262, 220, 25}, "RundownPage"},
  };
  t.insert(t.end(), rest.begin(), rest.end());
  return t;
}

TDialogTable SetListPageTable() {
  return {
      {Page, "SetListPage", "Setup Set List", {}, "Notebook"},
      {CheckBox, "PrintSetList", "&Print Set List along with Sitcom breakdown", {8, 8, 400, 20}, "SetListPage"},
      {CheckBox, "IncludePgNumbers", "&Include Page Numbers in Set List", {8, 32, 400, 20}, "SetListPage"},
      {Panel, "PagePanel", "", {24, 54, 420, 50}, "SetListPage"},
      {RadioButton, "StartingOnly", "&Starting Only", {0, 0, 140, 20}, "PagePanel"},
      {RadioButton, "StartingAndEnding", "Starting and &Ending", {150, 0, 160, 20}, "PagePanel"},
      {Label, "PageTextLabel", "Text before the page numbers:", {0, 26, 0, 0}, "PagePanel"},
      {Edit, "PageText", "", {200, 22, 80, 22}, "PagePanel"},
      {CheckBox, "ListChars", "&List the Characters in Each Scene", {8, 110, 400, 20}, "SetListPage"},
      {CheckBox, "CastCaps", "Print Cast List in &All Caps", {24, 132, 380, 20}, "SetListPage"},
      {CheckBox, "LocationBold", "Print Locations in &Bold", {8, 156, 400, 20}, "SetListPage"},
      {Label, "FinalTextLabel", "Final line:", {8, 184, 0, 0}, "SetListPage"},
      {Edit, "FinalTextEdit", "", {100, 180, 200, 22}, "SetListPage"},
      {CheckBox, "PutInClipBox", "Put in Clipboard rather than Print", {8, 210, 400, 20}, "SetListPage"},
      {Button, "ReturnBtn", "<< Return to Breakdown Menu", {8, 240, 220, 25}, "SetListPage"},
  };
}

void TCharNameListDlg::BindRundownPages() {
  RundownPage = DialogControl<TTabSheet>(*this, "RundownPage");
  ProdTitle = DialogControl<TEdit>(*this, "ProdTitle");
  ProdCo = DialogControl<TEdit>(*this, "ProdCo");
  EpisodeNumber = DialogControl<TEdit>(*this, "EpisodeNumber");
  Draft = DialogControl<TEdit>(*this, "Draft");
  ReportedDate = DialogControl<TEdit>(*this, "ReportedDate");
  DirectedBy = DialogControl<TEdit>(*this, "DirectedBy");
  FontList = DialogControl<TComboBox>(*this, "FontList");
  FontSize = DialogControl<TComboBox>(*this, "FontSize");
  UndAct = DialogControl<TCheckBox>(*this, "UndAct");
  UndSH = DialogControl<TCheckBox>(*this, "UndSH");
  BoldAct = DialogControl<TCheckBox>(*this, "BoldAct");
  BoldSH = DialogControl<TCheckBox>(*this, "BoldSH");
  ActSceneColumn = DialogControl<TCheckBox>(*this, "ActSceneColumn");
  DayNightColumn = DialogControl<TCheckBox>(*this, "DayNightColumn");
  PageNumColumn = DialogControl<TCheckBox>(*this, "PageNumColumn");
  BoxWidth = DialogControl<TEdit>(*this, "BoxWidth");
  MinHeightBox = DialogControl<TEdit>(*this, "MinHeightBox");
  FourTimingBoxes = DialogControl<TRadioButton>(*this, "FourTimingBoxes");
  TwoTimingBoxes = DialogControl<TRadioButton>(*this, "TwoTimingBoxes");
  PrintTotalBoxes = DialogControl<TCheckBox>(*this, "PrintTotalBoxes");
  SetupSetListBtn = DialogControl<TButton>(*this, "SetupSetListBtn");
  SetListPage = DialogControl<TTabSheet>(*this, "SetListPage");
  PrintSetList = DialogControl<TCheckBox>(*this, "PrintSetList");
  IncludePgNumbers = DialogControl<TCheckBox>(*this, "IncludePgNumbers");
  StartingOnly = DialogControl<TRadioButton>(*this, "StartingOnly");
  StartingAndEnding = DialogControl<TRadioButton>(*this, "StartingAndEnding");
  PageText = DialogControl<TEdit>(*this, "PageText");
  ListChars = DialogControl<TCheckBox>(*this, "ListChars");
  CastCaps = DialogControl<TCheckBox>(*this, "CastCaps");
  LocationBold = DialogControl<TCheckBox>(*this, "LocationBold");
  FinalTextEdit = DialogControl<TEdit>(*this, "FinalTextEdit");
  PutInClipBox = DialogControl<TCheckBox>(*this, "PutInClipBox");
  ReturnBtn = DialogControl<TButton>(*this, "ReturnBtn");
  for (const std::string& family : Platform::Current().backend().Metrics().Families()) FontList->Items.Add(family);

  DialogControl<TSpeedButton>(*this, "BoxWidthUp")->OnClick = [this](TObject*) { StepBoxSize(*BoxWidth, 1); };
  DialogControl<TSpeedButton>(*this, "BoxWidthDown")->OnClick = [this](TObject*) { StepBoxSize(*BoxWidth, -1); };
  DialogControl<TSpeedButton>(*this, "MinHeightUp")->OnClick = [this](TObject*) { StepBoxSize(*MinHeightBox, 1); };
  DialogControl<TSpeedButton>(*this, "MinHeightDown")->OnClick = [this](TObject*) { StepBoxSize(*MinHeightBox, -1); };
  SetupSetListBtn->OnClick = [this](TObject*) { ShowPage(3); };
  ReturnBtn->OnClick = [this](TObject*) { ShowPage(2); };
  PrintSetList->OnClick = [this](TObject*) { PrintSetListClick(); };
  IncludePgNumbers->OnClick = [this](TObject*) { IncludePgNumbersClick(); };
  ListChars->OnClick = [this](TObject*) { ListCharsClick(); };
  PutInClipBox->OnClick = [this](TObject*) { PutInClipBoxClick(); };
}

void TCharNameListDlg::StartRundown(const TRundownOptions& o, bool justSetList) {
  rundown_ = true;
  ProdTitle->Text = script_.ProductionTitle;
  ProdCo->Text = script_.ProductionCompany;
  EpisodeNumber->Text = script_.EpisodeNumber;
  Draft->Text = script_.Draft;
  DirectedBy->Text = script_.Director;
  ReportedDate->Text = Today();
  // A font the desktop lacks gives way to Arial, else to its first font.
  std::string font = o.Font;
  if (FontList->Items.IndexOf(font) < 0)
    font = FontList->Items.IndexOf("Arial") >= 0 || FontList->Items.Count() == 0 ? "Arial" : FontList->Items[0];
  FontList->Text = font;
  FontSize->Text = std::to_string(o.FontSize);
  UndAct->SetChecked(o.UndAct);
  UndSH->SetChecked(o.UndSceneHead);
  BoldAct->SetChecked(o.BoldAct);
  BoldSH->SetChecked(o.BoldSceneHead);
  ActSceneColumn->SetChecked(o.ActSceneColumn);
  DayNightColumn->SetChecked(o.DayNightColumn);
  PageNumColumn->SetChecked(o.PageNumColumn);
  BoxWidth->Text = o.BoxWidth;
  MinHeightBox->Text = o.MinBoxHeight;
  (o.TwoTimingBoxes ? TwoTimingBoxes : FourTimingBoxes)->SetChecked(true);
  PrintTotalBoxes->SetChecked(o.PrintTotalBoxes);
  PrintSetList->SetChecked(o.PrintSetList);
  IncludePgNumbers->SetChecked(o.PrintPageNumbers);
  (o.StartAndEndingPage ? StartingAndEnding : StartingOnly)->SetChecked(true);
  PageText->Text = o.PageText;
  ListChars->SetChecked(o.ListChars);
  CastCaps->SetChecked(o.CharsAllCaps);
  LocationBold->SetChecked(o.LocationsBold);
  FinalTextEdit->Text = o.FinalText;
  PutInClipBox->SetChecked(o.PutInClipboard);
  PrintSetListClick();
  IncludePgNumbersClick();
  ListCharsClick();
  ReturnBtn->Visible = !justSetList;
  ShowPage(justSetList ? 3 : 2);
}

TRundownOptions TCharNameListDlg::RundownOptions() const {
  TRundownOptions o;
  o.FontSize = std::clamp(std::atoi(FontSize->Text().c_str()), 8, 15);
  o.Font = FontList->Text();
  o.UndAct = UndAct->Checked();
  o.UndSceneHead = UndSH->Checked();
  o.BoldAct = BoldAct->Checked();
  o.BoldSceneHead = BoldSH->Checked();
  o.PrintSetList = PrintSetList->Checked();
  o.PrintPageNumbers = IncludePgNumbers->Checked();
  o.StartAndEndingPage = StartingAndEnding->Checked();
  o.ListChars = ListChars->Checked();
  o.LocationsBold = LocationBold->Checked();
  o.CharsAllCaps = CastCaps->Checked();
  o.PageText = PageText->Text();
  o.FinalText = FinalTextEdit->Text();
  o.PutInClipboard = PutInClipBox->Checked();
  o.ActSceneColumn = ActSceneColumn->Checked();
  o.DayNightColumn = DayNightColumn->Checked();
  o.PageNumColumn = PageNumColumn->Checked();
  o.MinBoxHeight = MinHeightBox->Text();
  o.BoxWidth = BoxWidth->Text();
  o.TwoTimingBoxes = TwoTimingBoxes->Checked();
  o.PrintTotalBoxes = PrintTotalBoxes->Checked();
  return o;
}

TProductionDetails TCharNameListDlg::Production() const {
  return {CutToCapacity(ProdTitle->Text(), capacity::ProductionTitle),
          CutToCapacity(ProdCo->Text(), capacity::ProductionCompany),
          CutToCapacity(EpisodeNumber->Text(), capacity::EpisodeNumber),
          CutToCapacity(Draft->Text(), capacity::Draft),
          ReportedDate->Text(),
          CutToCapacity(DirectedBy->Text(), capacity::Director)};
}

void TCharNameListDlg::PrintSetListClick() {
  for (TControl* c : std::initializer_list<TControl*>{IncludePgNumbers, StartingOnly, StartingAndEnding, PageText})
    c->Enabled = PrintSetList->Checked();
  if (PrintSetList->Checked()) IncludePgNumbersClick();
}

void TCharNameListDlg::IncludePgNumbersClick() {
  const bool on = IncludePgNumbers->Checked() && IncludePgNumbers->Enabled;
  for (TControl* c : std::initializer_list<TControl*>{StartingOnly, StartingAndEnding, PageText}) c->Enabled = on;
}

void TCharNameListDlg::ListCharsClick() { CastCaps->Enabled = ListChars->Checked(); }

void TCharNameListDlg::PutInClipBoxClick() {
  if (Visible && PutInClipBox->Checked() &&
      !AskYesNo("By checking this option, the set list will be put into the Windows Clipboard rather then printing "
                "and you'll need to paste it into some other word processor and print it from there instead!",
                "Attention?", false))
    PutInClipBox->SetChecked(false);
  if (Notebook->ActivePage() == SetListPage) OKBtn->Caption = PutInClipBox->Checked() ? "Generate Now" : "Print Now";
}

void TCharNameListDlg::StepBoxSize(TEdit& edit, int tenths) {
  std::string text = edit.Text();
  if (text.empty()) {
    edit.Text = "0.50";
    return;
  }
  if (text.find('.') == std::string::npos) text += ".0";
  edit.Text = StepDecimalText(text, tenths, 1, 5, 20);
}

}  // namespace qm
