#include "files/paste_as.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable PasteAsTable() {
  // clang-format off
  TDialogTable table{
      {Panel, "Panel1", "", {8, 8, 504, 320}},
      {Bevel, "Bevel1", "", {4, 4, 496, 312}, "Panel1"},
      {RadioButton, "ScriptFormatBtn", "Import Text in &Script Format", {16, 12, 300, 20}, "Panel1"},
      {RadioButton, "ActionOnlyBtn", "Import Text as &Action Only", {16, 290, 300, 20}, "Panel1"},
      {Panel, "OptionPanel", "", {32, 36, 460, 250}, "Panel1"},
      {CheckBox, "TextOnlyBox", "&Text Only (Non-RTF)", {4, 4, 440, 20}, "OptionPanel"},
      {CheckBox, "UseStyleSheetsBox", "Interpret St&yle Sheets", {4, 26, 440, 20}, "OptionPanel"},
      {CheckBox, "DoubleSpacedBox", "&Use most aggressive interpretation of the source ", {4, 48, 440, 20}, "OptionPanel"},
      {Label, "BtrLabel1",
       "text -- use when line spacing in the source text is inconsistant, though it can cause shots to be imported "
       "as Character Names",
       {24, 68, 430, 32}, "OptionPanel"},
      {CheckBox, "NoCapInfo", "&Don't use Capitalization Information for Element", {4, 100, 440, 20}, "OptionPanel"},
      {Label, "Label1", "identification -- use when Character Names may be lower-case in the source text",
       {24, 120, 430, 32}, "OptionPanel"},
      {CheckBox, "IgnoreMargins", "I&gnore Margins for Element identification", {4, 152, 440, 20}, "OptionPanel"},
      {CheckBox, "ActionInPs", "&Action is in Parenthenticals \"(\" + \")\"", {4, 174, 440, 20}, "OptionPanel"},
      {CheckBox, "MatchPageBreaksBox", "&Import this text with LOCKED Page breaks -- use", {4, 196, 440, 20},
       "OptionPanel"},
      {Label, "BtrLabel2", "ONLY when the script is already in Production and the page breaks have to match",
       {24, 216, 430, 32}, "OptionPanel"},
  };
  // clang-format on
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel | sbHelp, {140, 338, 80, 25}, 95)) table.push_back(button);
  table[table.size() - 3].Caption = "O&K";
  table[table.size() - 2].Caption = "&Cancel";
  return table;
}

}  // namespace

TPasteAsDlg::TPasteAsDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "PasteAsDlg", "How should I Interpret This Text?", 520, 400);
  HelpContext = 1062;
  BuildDialog(*this, PasteAsTable());
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  Panel1 = DialogControl<TPanel>(*this, "Panel1");
  Bevel1 = DialogControl<TBevel>(*this, "Bevel1");
  ScriptFormatBtn = DialogControl<TRadioButton>(*this, "ScriptFormatBtn");
  ActionOnlyBtn = DialogControl<TRadioButton>(*this, "ActionOnlyBtn");
  OptionPanel = DialogControl<TPanel>(*this, "OptionPanel");
  TextOnlyBox = DialogControl<TCheckBox>(*this, "TextOnlyBox");
  UseStyleSheetsBox = DialogControl<TCheckBox>(*this, "UseStyleSheetsBox");
  DoubleSpacedBox = DialogControl<TCheckBox>(*this, "DoubleSpacedBox");
  BtrLabel1 = DialogControl<TLabel>(*this, "BtrLabel1");
  NoCapInfo = DialogControl<TCheckBox>(*this, "NoCapInfo");
  Label1 = DialogControl<TLabel>(*this, "Label1");
  IgnoreMargins = DialogControl<TCheckBox>(*this, "IgnoreMargins");
  ActionInPs = DialogControl<TCheckBox>(*this, "ActionInPs");
  MatchPageBreaksBox = DialogControl<TCheckBox>(*this, "MatchPageBreaksBox");
  BtrLabel2 = DialogControl<TLabel>(*this, "BtrLabel2");
  // The labels go on where their check boxes' captions end, over two lines.
  for (TLabel* label : {BtrLabel1, Label1, BtrLabel2}) {
    label->AutoSize = false;
    label->WordWrap = true;
    label->SetBounds(label->Left, label->Top, 430, 32);
  }
  OnShow = [this](TObject* s) { FormShow(s); };
  ScriptFormatBtn->OnClick = [this](TObject* s) { ActionOnlyBtnClick(s); };
  ActionOnlyBtn->OnClick = [this](TObject* s) { ActionOnlyBtnClick(s); };
  TextOnlyBox->OnClick = [this](TObject* s) { TextOnlyBoxClick(s); };
}

}  // namespace qm
