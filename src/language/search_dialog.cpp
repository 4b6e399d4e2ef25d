#include "language/search_dialog.h"

#include "base/global_state.h"
#include "base/message_boxes.h"
#include "language/search_replace.h"
#include "platform/cp1252.h"
#include "platform/dialog_builder.h"
#include "script/editing/dead_keys.h"
#include "script/model/string_utils.h"

namespace qm {

namespace {

char PendingAccent = 0;
const GlobalState reset([] { PendingAccent = 0; });

constexpr TColor DisabledLabelColor = 0x808080;
constexpr int SearchHelpContext = 1103;

using enum TDialogItemKind;

TDialogTable SearchTable() {
  return {
      {Label, "SearchLabel", "&Search for:", {12, 12, 0, 0}},
      {ComboBox, "SearchText", "", {12, 30, 400, 24}},
      {Label, "ReplaceLabel", "&Replace with:", {12, 62, 0, 0}},
      {ComboBox, "ReplaceText", "", {12, 80, 400, 24}},
      {CheckBox, "WholeWordsBox", "&Whole Words Only", {12, 116, 200, 20}},
      {CheckBox, "BackwardsBox", "Search &Backwards", {12, 140, 200, 20}},
      {CheckBox, "ExactCaseBox", "&Find with Same Capitalization as Search Text ONLY", {12, 164, 400, 20}},
      {Panel, "StartPanel", "", {224, 112, 190, 48}},
      {RadioButton, "FromCursorBtn", "From &Cursor Position", {4, 4, 180, 20}, "StartPanel"},
      {RadioButton, "EntireScriptBtn", "&Entire Script", {4, 26, 180, 20}, "StartPanel"},
      {CheckBox, "PromptBox", "&Prompt On Replacement", {12, 192, 200, 20}},
      {CheckBox, "MatchCapsBox", "&Match Capitalization", {224, 192, 180, 20}},
      {Label, "MatchCapsLabel", "of replaced Word", {244, 212, 0, 0}},
      {Button, "FormatCodesBtn", "Format Codes", {332, 240, 80, 25}},
  };
}

// Ctrl with these keys picks an accent for the next letter.
char AccentOfKey(Word key, TShiftState shift) {
  if (!shift.Contains(ssCtrl)) return 0;
  switch (key) {
    case VK_OEM_7: return '\'';
    case VK_OEM_3: return shift.Contains(ssShift) ? '~' : '`';
    case '6': return '^';
    case VK_OEM_1: return ':';
    case VK_OEM_COMMA: return ',';
    case '2': return '0';
    default: return 0;
  }
}

constexpr Byte InvertedQuestionMark = 191;

}  // namespace

char& SearchBoxAccent() { return PendingAccent; }

char ComposeSearchBoxKey(char typed) {
  if (PendingAccent == 0 || typed == ' ' || static_cast<Byte>(typed) < 32) return typed;
  // The composition table of the script's own dead keys serves the boxes.
  const char saved = PendingDeadKey;
  PendingDeadKey = PendingAccent;
  PendingAccent = 0;
  const char composed = ComposeDeadKey(typed);
  PendingDeadKey = saved;
  return composed;
}

TSearchingDlg::TSearchingDlg(TComponent* owner, bool nameMode) : TForm(owner), nameMode_(nameMode) {
  SetUpDialogForm(*this, "SearchingDlg", nameMode ? "Change Character Name" : "Search", 430, 310);
  KeyPreview = true;
  HelpContext = SearchHelpContext;
  Font.Style = fsBold;
  BuildDialog(*this, SearchTable());
  TDialogTable buttons = ButtonRow(sbOK | sbCancel | sbHelp, {12, 240, 80, 25}, 96);
  buttons[0].Caption = "O&K";
  BuildDialog(*this, buttons);
  SearchText = DialogControl<TComboBox>(*this, "SearchText");
  ReplaceText = DialogControl<TComboBox>(*this, "ReplaceText");
  WholeWordsBox = DialogControl<TCheckBox>(*this, "WholeWordsBox");
  BackwardsBox = DialogControl<TCheckBox>(*this, "BackwardsBox");
  ExactCaseBox = DialogControl<TCheckBox>(*this, "ExactCaseBox");
  FromCursorBtn = DialogControl<TRadioButton>(*this, "FromCursorBtn");
  EntireScriptBtn = DialogControl<TRadioButton>(*this, "EntireScriptBtn");
  PromptBox = DialogControl<TCheckBox>(*this, "PromptBox");
  MatchCapsBox = DialogControl<TCheckBox>(*this, "MatchCapsBox");
  MatchCapsLabel = DialogControl<TLabel>(*this, "MatchCapsLabel");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  FormatCodesBtn = DialogControl<TButton>(*this, "FormatCodesBtn");

  if (nameMode) SearchText->Style = TComboBoxStyle::csDropDownList;
  FormatCodesBtn->Visible = !nameMode;
  ReplaceText->OnChange = [this](TObject* s) { ReplaceTextChange(s); };
  OKBtn->OnClick = [this](TObject* s) { OKBtnClick(s); };
  FormatCodesBtn->OnClick = [this](TObject* s) { FormatCodesBtnClick(s); };
  for (TComboBox* box : {SearchText, ReplaceText}) {
    box->OnKeyDown = [this](TObject* s, Word& key, TShiftState shift) { TextKeyDown(s, key, shift); };
    box->OnKeyPress = [this](TObject* s, char& key) { TextKeyPress(s, key); };
  }
  LoadStates();
  ActiveControl = SearchText;
}

TSearchingDlg::~TSearchingDlg() { SaveStates(); }

void TSearchingDlg::LoadStates() {
  const auto& states = SearchMemory().optionStates;
  WholeWordsBox->SetChecked(states[0]);
  BackwardsBox->SetChecked(states[1]);
  ExactCaseBox->SetChecked(states[2]);
  FromCursorBtn->SetChecked(states[3]);
  EntireScriptBtn->SetChecked(states[4]);
  PromptBox->SetChecked(states[5]);
  MatchCapsBox->SetChecked(states[6]);
}

void TSearchingDlg::SaveStates() {
  if (nameMode_) return;
  SearchMemory().optionStates = {WholeWordsBox->Checked(), BackwardsBox->Checked(),    ExactCaseBox->Checked(),
                                 FromCursorBtn->Checked(), EntireScriptBtn->Checked(), PromptBox->Checked(),
                                 MatchCapsBox->Checked()};
}

void TSearchingDlg::ReplaceTextChange(TObject*) {
  const std::string text = ReplaceText->Text();
  PromptBox->Enabled = !text.empty();
  MatchCapsBox->Enabled = !nameMode_ && text != DontReplaceText;
  MatchCapsLabel->Font.Color = MatchCapsBox->Enabled() ? clBlack : DisabledLabelColor;
}

void TSearchingDlg::OKBtnClick(TObject*) {
  if (SearchText->Text().empty()) {
    if (AskYesNo("You have not specified ANY text for me\rto search for...\r\rShould I simply return to your script?",
                 "Search", true)) {
      ModalResult = mrCancel;
    } else {
      ModalResult = mrNone;
      FocusControl(SearchText);
    }
    return;
  }
  if (nameMode_ && TrimmedLength(ReplaceText->Text()) == 0) {
    if (AskYesNo("You have not specified a Name for me to replace " + SearchText->Text() + " with...\r\r" +
                     "Should I simply return to your script?",
                 "Change Character Name", true)) {
      ModalResult = mrCancel;
    } else {
      ModalResult = mrNone;
      FocusControl(ReplaceText);
    }
  }
}

void TSearchingDlg::FormatCodesBtnClick(TObject*) {
  ShowMessageBox(
      "Use the following Text to \rsearch for Format Codes:\r\rUnderline On/Off:  {U+} or {U-}\rBold On/Off:  {B+} or "
      "{B-}\rItalics On/Off:  {I+} or {I-}\rStrikeout On/Off:  {S+} or {S-}\r{HS} for Hard Space\r{HD} for Hard "
      "Dash\r{HR} for Hard Return",
      "Format Codes");
}

void TSearchingDlg::TextKeyDown(TObject* sender, Word& key, TShiftState shift) {
  if (shift.Contains(ssCtrl) && key == VK_OEM_2) {
    auto* box = static_cast<TComboBox*>(sender);
    box->Text = box->Text() + static_cast<char>(InvertedQuestionMark);
    key = 0;
    return;
  }
  if (const char accent = AccentOfKey(key, shift)) {
    PendingAccent = accent;
    key = 0;
  }
}

void TSearchingDlg::TextKeyPress(TObject*, char& key) {
  key = ComposeSearchBoxKey(key);
  if (nameMode_) key = static_cast<char>(AnsiUpper(static_cast<Byte>(key)));
}

}  // namespace qm
