#include "formats/header_setup_dialog.h"

#include "formats/header_codes.h"
#include "platform/dialog_builder.h"
#include "script/model/text_codes.h"

namespace qm {

namespace {

using enum TDialogItemKind;

struct TCodeButton {
  const char* Name;
  const char* Caption;
  Byte On;
  Byte Off;  // 0: a single code
};
constexpr TCodeButton CodeButtons[] = {
    {"PageNumberBtn", "Pg #", header_code::PageNumber, 0},
    {"ActInfoBtn", "Act Info", header_code::ActInfo, 0},
    {"SceneInfoBtn", "Scene Info", header_code::SceneInfo, 0},
    {"DateBtn", "Date", header_code::Date, 0},
    {"FlushRightBtn", "Flush Right", header_code::FlushRight, 0},
    {"UnderlineBtn", "Underline", UnderlineOn, UnderlineOff},
    {"BoldBtn", "Bold", BoldOn, BoldOff},
    {"RevColorBtn", "Rev. Color", header_code::RevisionColor, 0},
};

TDialogTable HeaderTable() {
  TDialogTable table{
      {Label, "Line1Label", "&Line 1:", {12, 16, 50, 16}},
      {Edit, "Line1Edit", "", {64, 12, 460, 22}},
      {Label, "Line2Label", "L&ine 2:", {12, 44, 50, 16}},
      {Edit, "Line2Edit", "", {64, 40, 460, 22}},
  };
  int left = 12;
  for (const TCodeButton& button : CodeButtons) {
    table.push_back({SpeedButton, button.Name, button.Caption, {left, 70, 62, 24}});
    left += 64;
  }
  const std::vector<std::string> styles{"Numbers", "Letters", "Words", "WORDS", "Roman Numerals"};
  std::vector<std::string> act, scene;
  for (int i = 0; i < 5; ++i) {
    act.push_back("&" + std::to_string(i + 1) + ". " + styles[static_cast<std::size_t>(i)]);
    const std::string number = std::to_string(i + 6);
    scene.push_back(number.substr(0, number.size() - 1) + "&" + number.back() + ". " +
                    styles[static_cast<std::size_t>(i)]);
  }
  // clang-format off
  const TDialogTable rest{
      {Label, "BlankLinesLabel", "&Blank Lines Following Header:", {12, 108, 180, 16}},
      {Edit, "BlankLinesEdit", "", {196, 104, 40, 22}},
      {RadioGroup, "ActStyleGroup", "Act Information", {12, 136, 170, 130}, "", act},
      {RadioGroup, "SceneStyleGroup", "Scene Information", {190, 136, 170, 130}, "", scene},
      {RadioGroup, "DateFormGroup", "Date", {368, 136, 160, 130}, "",
       {"Month/Day/Year", "Month-Day-Year", "Day/Month/Year", "Day-Month-Year"}},
      {RadioGroup, "HeaderPagesGroup", "Print the Header on", {12, 272, 516, 90}, "",
       {"E&very Page", "No&t Page One", "Every Page E&xcept first Page of Scene"}},
  };
  // clang-format on
  table.insert(table.end(), rest.begin(), rest.end());
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {180, 374, 80, 25}, 95)) table.push_back(button);
  return table;
}

}  // namespace

THeaderSetupDlg::THeaderSetupDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "HeaderSetupDlg", "Header Setup", 542, 440);
  BuildDialog(*this, HeaderTable());
  Line1Edit = DialogControl<TEdit>(*this, "Line1Edit");
  Line2Edit = DialogControl<TEdit>(*this, "Line2Edit");
  BlankLinesEdit = DialogControl<TEdit>(*this, "BlankLinesEdit");
  ActStyleGroup = DialogControl<TRadioGroup>(*this, "ActStyleGroup");
  SceneStyleGroup = DialogControl<TRadioGroup>(*this, "SceneStyleGroup");
  DateFormGroup = DialogControl<TRadioGroup>(*this, "DateFormGroup");
  HeaderPagesGroup = DialogControl<TRadioGroup>(*this, "HeaderPagesGroup");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  Line1Edit->OnEnter = [this](TObject* sender) { RememberLine(sender); };
  Line2Edit->OnEnter = [this](TObject* sender) { RememberLine(sender); };
  for (const TCodeButton& button : CodeButtons)
    DialogControl<TControl>(*this, button.Name)->OnClick = [this](TObject* sender) { CodeButtonClick(sender); };
}

void THeaderSetupDlg::RememberLine(TObject* sender) { lastLine_ = dynamic_cast<TEdit*>(sender); }

TEdit* THeaderSetupDlg::CodeTarget() const { return lastLine_ ? lastLine_ : Line1Edit; }

void THeaderSetupDlg::CodeButtonClick(TObject* sender) {
  const auto* clicked = dynamic_cast<TComponent*>(sender);
  for (const TCodeButton& button : CodeButtons) {
    if (!clicked || clicked->Name != button.Name) continue;
    TEdit* line = CodeTarget();
    std::string codes(1, static_cast<char>(button.On));
    if (button.Off) codes += line->SelText() + static_cast<char>(button.Off);
    line->SetSelText(codes);
    line->SetFocus();
    return;
  }
}

}  // namespace qm
