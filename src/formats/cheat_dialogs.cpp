#include "formats/cheat_dialogs.h"

#include "formats/element_format_controls.h"

namespace qm {

namespace {

using enum TDialogItemKind;

void AddButtons(TDialogTable& table, TPlace first) {
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, first, 95)) table.push_back(button);
}

}  // namespace

TCheatElementDlg::TCheatElementDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "CheatElementDlg", "Cheat Element", 420, 296);
  TDialogTable table;
  AddElementFormatRows(table, "", "");
  AddNumberRow(table, "", "OverrideEdit", "&Override Scene Number:", {160, 180, 60, 22});
  table.push_back({Button, "NoteColorBtn", "Cheat Script Note Color", {8, 212, 212, 25}});
  AddButtons(table, {120, 252, 80, 25});
  BuildDialog(*this, table);
  OverrideEdit = DialogControl<TEdit>(*this, "OverrideEdit");
  NoteColorBtn = DialogControl<TButton>(*this, "NoteColorBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

TCheatPageDlg::TCheatPageDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "CheatPageDlg", "Cheat the Page", 300, 170);
  TDialogTable table{
      {GroupBox, "LinesGroup", "Change the Number of Lines on this Page:", {8, 8, 276, 82}},
      {RadioButton, "IncreaseBtn", "&Increase by...", {12, 22, 130, 20}, "LinesGroup"},
      {RadioButton, "DecreaseBtn", "&Decrease by...", {12, 48, 130, 20}, "LinesGroup"},
      {Edit, "LinesEdit", "", {160, 34, 50, 22}, "LinesGroup"},
      {Label, "LinesLabel", "line(s)", {216, 38, 50, 16}, "LinesGroup"},
  };
  AddButtons(table, {50, 102, 80, 25});
  BuildDialog(*this, table);
  IncreaseBtn = DialogControl<TRadioButton>(*this, "IncreaseBtn");
  DecreaseBtn = DialogControl<TRadioButton>(*this, "DecreaseBtn");
  LinesEdit = DialogControl<TEdit>(*this, "LinesEdit");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  IncreaseBtn->SetChecked(true);
  LinesEdit->Text = std::string("1");
}

TResetWhatDlg::TResetWhatDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "ResetWhatDlg", "Reseting Cheated Elements", 260, 262);
  const struct {
    const char* name;
    const char* caption;
  } boxes[] = {
      {"SpacingBox", "&Line Spacing"},
      {"MarginsBox", "Left and Right &Margins"},
      {"ContinuedsBox", "&Character Continueds"},
      {"NumberingBox", "&Scene Numbering"},
      {"TextFormatsBox", "&Text Formats"},
      {"KeptTogetherBox", "&Kept Together Elements"},
      {"NoteColorsBox", "Script &Note Colors"},
  };
  TDialogTable table;
  int top = 10;
  for (const auto& box : boxes) {
    table.push_back({CheckBox, box.name, box.caption, {16, top, 220, 20}});
    top += 24;
  }
  AddButtons(table, {30, top + 12, 80, 25});
  BuildDialog(*this, table);
  SpacingBox = DialogControl<TCheckBox>(*this, "SpacingBox");
  MarginsBox = DialogControl<TCheckBox>(*this, "MarginsBox");
  ContinuedsBox = DialogControl<TCheckBox>(*this, "ContinuedsBox");
  NumberingBox = DialogControl<TCheckBox>(*this, "NumberingBox");
  TextFormatsBox = DialogControl<TCheckBox>(*this, "TextFormatsBox");
  KeptTogetherBox = DialogControl<TCheckBox>(*this, "KeptTogetherBox");
  NoteColorsBox = DialogControl<TCheckBox>(*this, "NoteColorsBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  // What a cheat of the page changes is what is taken back unless the
  // writer asks for more.
  SpacingBox->SetChecked(true);
}

}  // namespace qm
