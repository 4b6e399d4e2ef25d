#include "language/spelling/spell_check_dialog.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "language/spelling/language_dialog.h"
#include "language/spelling/spell_dictionaries.h"
#include "platform/cp1252.h"
#include "platform/dialog_builder.h"
#include "platform/messages.h"
#include "script/script_window.h"

namespace qm {

TSpellDialogHooks SpellDialogHooks;
namespace {

TSpellCheckingDlg* Instance = nullptr;

const GlobalState reset([] { FreeSpellCheckingDlg(); });

using enum TDialogItemKind;

TDialogTable SpellTable() {
  return {
      {PageControl, "Notebook", "", {0, 0, 470, 300}},
      {Page, "MainPage", "Main Window", {}, "Notebook"},
      {Edit, "BadWord", "", {8, 8, 220, 22}, "MainPage"},
      {ListBox, "SuggestList", "", {8, 36, 220, 160}, "MainPage"},
      {Button, "ReplaceBtn", "&Replace", {240, 8, 100, 25}, "MainPage"},
      {Button, "SuggestBtn", "&Suggest", {240, 38, 100, 25}, "MainPage"},
      {Button, "IgnoreBtn", "&Ignore", {240, 68, 100, 25}, "MainPage"},
      {Button, "LearnBtn", "&Learn", {240, 98, 100, 25}, "MainPage"},
      {Button, "AutoCorrectBtn", "Auto-&Correct", {240, 128, 100, 25}, "MainPage"},
      {Button, "SkipBtn", " S&kip Once", {240, 158, 100, 25}, "MainPage"},
      {Button, "CancelBtn", "Cancel", {240, 188, 100, 25}, "MainPage"},
      {Label, "AddWordsToLabel", "&Add Words to:", {8, 206, 0, 0}, "MainPage"},
      {ComboBox, "AddWordsToBox", "", {8, 224, 220, 22}, "MainPage"},
      {Button, "SetupOptionsBtn", "Setup Options", {350, 8, 100, 25}, "MainPage"},
      {Button, "BitBtn2", "Select Language", {350, 38, 100, 25}, "MainPage"},
      {HelpButton, "HelpBtn", "&Help", {350, 188, 100, 25}, "MainPage"},
      {Page, "AddPage", "AddWindow", {}, "Notebook"},
      {Label, "LearnLabel", "", {8, 8, 0, 0}, "AddPage"},
      {RadioGroup,
       "RadioGroup1",
       "How should I learn this word?",
       {8, 30, 440, 130},
       "AddPage",
       {"&Accept Word with any normal Capitalization", "Learn Word &Exactly as Shown",
        "Require Word to have an &Initial Capital", "Require Word to be in All &Capitals"}},
      {Button, "AddOkBtn", "OK", {120, 180, 100, 25}, "AddPage"},
      {Button, "AddCancelBtn", "Cancel", {240, 180, 100, 25}, "AddPage"},
  };
}

bool HasCapital(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Centred across the screen with its foot one and a half status lines
// above the main window's, so that the script's text above stays in view.
void PlaceAboveStatusLine(TForm& dialog) {
  if (!DocumentFrame || !Screen) return;
  const auto* status = dynamic_cast<const TControl*>(DocumentFrame->FindComponent("StatusPanel"));
  const int statusHeight = status ? status->Height() : 0;
  dialog.Left = (Screen->Width() - dialog.Width) / 2;
  const int bottom = DocumentFrame->Top + DocumentFrame->Height - statusHeight * 3 / 2;
  dialog.Top = std::max(bottom - dialog.Height, 0);
}

std::string WithInitialCapital(const std::string& s) {
  std::string out = AnsiLowerCase(s);
  if (!out.empty()) out[0] = static_cast<char>(AnsiUpper(static_cast<Byte>(out[0])));
  return out;
}

}  // namespace

TSpellCheckingDlg::TSpellCheckingDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SpellCheckingDlg", "Found Unknown Word...", 476, 330);
  BuildDialog(*this, SpellTable());
  Notebook = DialogControl<TPageControl>(*this, "Notebook");
  MainPage = DialogControl<TTabSheet>(*this, "MainPage");
  AddPage = DialogControl<TTabSheet>(*this, "AddPage");
  BadWord = DialogControl<TEdit>(*this, "BadWord");
  SuggestList = DialogControl<TListBox>(*this, "SuggestList");
  ReplaceBtn = DialogControl<TButton>(*this, "ReplaceBtn");
  SuggestBtn = DialogControl<TButton>(*this, "SuggestBtn");
  IgnoreBtn = DialogControl<TButton>(*this, "IgnoreBtn");
  LearnBtn = DialogControl<TButton>(*this, "LearnBtn");
  AutoCorrectBtn = DialogControl<TButton>(*this, "AutoCorrectBtn");
  SkipBtn = DialogControl<TButton>(*this, "SkipBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  AddWordsToBox = DialogControl<TComboBox>(*this, "AddWordsToBox");
  SetupOptionsBtn = DialogControl<TButton>(*this, "SetupOptionsBtn");
  BitBtn2 = DialogControl<TButton>(*this, "BitBtn2");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  LearnLabel = DialogControl<TLabel>(*this, "LearnLabel");
  RadioGroup1 = DialogControl<TRadioGroup>(*this, "RadioGroup1");
  AddOkBtn = DialogControl<TButton>(*this, "AddOkBtn");
  AddCancelBtn = DialogControl<TButton>(*this, "AddCancelBtn");
  CancelBtn->Cancel = true;
  SetupOptionsBtn->OnClick = [this](TObject*) { SetupOptionsClick(); };

  BadWord->OnChange = [this](TObject*) { BadWordChange(); };
  BadWord->OnKeyPress = [this](TObject*, char& key) {
    if (key == '\r' && ReplaceBtn->Enabled) {
      key = 0;
      ReplaceBtn->Click();
    }
  };
  SuggestList->OnClick = [this](TObject*) { SuggestListClick(); };
  SuggestList->OnKeyPress = [this](TObject*, char& key) {
    if (key != '\r') return;
    key = 0;
    if (SuggestList->ItemIndex() < 0) {
      MessageBeep(0);
      return;
    }
    BadWord->Text = SuggestList->Items[SuggestList->ItemIndex()];
    ModalResult = saReplace;
  };
  ReplaceBtn->OnClick = [this](TObject*) { ModalResult = saReplace; };
  SuggestBtn->OnClick = [this](TObject*) {
    if (suggest_) FillSuggestions(suggest_(BadWord->Text()));
  };
  IgnoreBtn->OnClick = [this](TObject*) { ModalResult = saIgnore; };
  LearnBtn->OnClick = [this](TObject*) { LearnStep(saLearn); };
  AutoCorrectBtn->OnClick = [this](TObject*) { LearnStep(saAutoCorrect); };
  SkipBtn->OnClick = [this](TObject*) { ModalResult = saSkip; };
  CancelBtn->OnClick = [this](TObject*) { ModalResult = saCancel; };
  BitBtn2->OnClick = [this](TObject*) {
    BitBtn2->Enabled = false;
    ShowSelectLanguageDlg();
    BitBtn2->Enabled = true;
    if (BadWord->CanFocus()) BadWord->SetFocus();
  };
  AddWordsToBox->OnChange = [this](TObject*) { DictionaryChosen(); };
  AddWordsToBox->OnKeyPress = [](TObject*, char& key) {
    if (key == ' ') key = 0;
    else key = static_cast<char>(AnsiUpper(static_cast<Byte>(key)));
  };
  AddOkBtn->OnClick = [this](TObject*) { AddOkClick(); };
  AddCancelBtn->OnClick = [this](TObject*) { ShowMainPage(); };
  OnHide = [this](TObject*) { ShowMainPage(); };
  Position = TPosition::poDesigned;
  OnShow = [this](TObject*) {
    PlaceAboveStatusLine(*this);
    // The writer may type on before seeing the question: the keys go into
    // the word to put in its place, where Return takes them into the script.
    if (!choosingOnly_ && BadWord->CanFocus()) {
      FocusControl(BadWord);
      BadWord->SelectAll();
    }
  };
}

void TSpellCheckingDlg::FillSuggestions(const std::vector<std::string>& suggestions) {
  SuggestList->Items.Clear();
  for (const auto& s : suggestions) SuggestList->Items.Add(s);
  SuggestList->SetItemIndex(suggestions.empty() ? -1 : 0);
  lastClicked_.clear();
}

void TSpellCheckingDlg::BadWordChange() {
  const bool differs = BadWord->Text() != foundWord_;
  ReplaceBtn->Enabled = differs;
  AutoCorrectBtn->Enabled = differs;
}

void TSpellCheckingDlg::SuggestListClick() {
  const int index = SuggestList->ItemIndex();
  if (index < 0) return;
  const std::string item = SuggestList->Items[index];
  if (item == lastClicked_ && item == BadWord->Text()) {
    ModalResult = saReplace;
    return;
  }
  lastClicked_ = item;
  BadWord->Text = item;
  if (ReplaceBtn->CanFocus()) ReplaceBtn->SetFocus();
}

void TSpellCheckingDlg::ShowMainPage() { Notebook->SetActivePage(MainPage); }

// Learning a word with capitals asks how they should count, unless
// capitals are ignored.
void TSpellCheckingDlg::LearnStep(TSpellAnswer answer) {
  learnAnswer_ = answer;
  const std::string word = BadWord->Text();
  if (ProgramOptions().IgnoreCaps || !HasCapital(word)) {
    ModalResult = answer;
    return;
  }
  LearnLabel->Caption = "How should I learn \"" + word + "\"?";
  RadioGroup1->SetItemIndex(word[0] >= 'A' && word[0] <= 'Z' ? 2 : 0);
  Notebook->SetActivePage(AddPage);
  if (AddOkBtn->CanFocus()) AddOkBtn->SetFocus();
}

void TSpellCheckingDlg::AddOkClick() {
  const std::string word = BadWord->Text();
  switch (RadioGroup1->ItemIndex()) {
    case 0: BadWord->Text = AnsiLowerCase(word); break;
    case 2: BadWord->Text = WithInitialCapital(word); break;
    case 3: BadWord->Text = AnsiUpperCase(word); break;
    default: break;
  }
  ModalResult = learnAnswer_;
}

void TSpellCheckingDlg::RefillDictionaries() {
  if (script_ == nullptr) return;
  const TDictionaryChoices choices = UserDictionaryChoices(*script_);
  const auto change = std::move(AddWordsToBox->OnChange);
  AddWordsToBox->Items.Clear();
  for (const auto& name : choices.names) AddWordsToBox->Items.Add(name);
  AddWordsToBox->SetItemIndex(choices.selected);
  AddWordsToBox->Text = choices.names[static_cast<std::size_t>(choices.selected)];
  AddWordsToBox->OnChange = change;
}

std::string TSpellCheckingDlg::LearnDictionary(SpellLanguage language) const {
  std::vector<std::string> entries;
  for (int i = 0; i < AddWordsToBox->Items.Count(); ++i) entries.push_back(AddWordsToBox->Items[i]);
  return LearnDictionaryName(AddWordsToBox->Text(), entries, language);
}

void TSpellCheckingDlg::DictionaryChosen() {
  if (!choosingOnly_ && script_ != nullptr && AddWordsToBox->ItemIndex() >= 0)
    ChooseSupplementaryDictionary(*script_, AddWordsToBox->Items[AddWordsToBox->ItemIndex()]);
}

// The options take the screen alone, and the question comes back after.
void TSpellCheckingDlg::SetupOptionsClick() {
  if (!SpellDialogHooks.SpellingOptions) return;
  Visible = false;
  SpellDialogHooks.SpellingOptions();
  Visible = true;
  if (BadWord->CanFocus()) BadWord->SetFocus();
}

void TSpellCheckingDlg::SetChoosingOnly(bool only) {
  choosingOnly_ = only;
  for (TButton* b : {ReplaceBtn, SuggestBtn, IgnoreBtn, LearnBtn, AutoCorrectBtn, SkipBtn, CancelBtn, BitBtn2})
    b->Enabled = !only;
  BadWord->Enabled = !only;
  SetupOptionsBtn->Enabled = !only && SpellDialogHooks.SpellingOptions != nullptr;
  SuggestList->Enabled = !only;
  HelpBtn->Caption = only ? "OK" : "&Help";
  HelpBtn->Enabled = only;
  // Choosing only, OK is the one answer: Return presses it.
  HelpBtn->Default = only;
  HelpBtn->OnClick = only ? TNotifyEvent([this](TObject*) { ModalResult = mrOk; }) : TNotifyEvent();
}

TSpellAnswer TSpellCheckingDlg::Ask(TScriptDocument& script, const std::string& word,
                                    const std::vector<std::string>& suggestions,
                                    std::function<std::vector<std::string>(const std::string&)> suggest) {
  script_ = &script;
  suggest_ = std::move(suggest);
  foundWord_ = word;
  ShowMainPage();
  const auto change = std::move(BadWord->OnChange);
  BadWord->Text = word;
  BadWord->OnChange = change;
  ReplaceBtn->Enabled = false;
  AutoCorrectBtn->Enabled = false;
  FillSuggestions(suggestions);
  RefillDictionaries();
  ModalResult = mrNone;
  const TModalResult result = [this] {
    const PleaseWaitAside aside;
    return ShowModal();
  }();
  script_ = nullptr;
  suggest_ = nullptr;
  switch (result) {
    case saReplace:
    case saAutoCorrect:
    case saIgnore:
    case saLearn:
    case saSkip: return static_cast<TSpellAnswer>(result);
    default: return saCancel;
  }
}

bool TSpellCheckingDlg::ChooseDictionary(TScriptDocument& script) {
  script_ = &script;
  ShowMainPage();
  RefillDictionaries();
  SetChoosingOnly(true);
  ModalResult = mrNone;
  const bool ok = ShowModal() == mrOk;
  SetChoosingOnly(false);
  script_ = nullptr;
  return ok;
}

TSpellCheckingDlg& SpellCheckingDlg() {
  if (Instance == nullptr) Instance = new TSpellCheckingDlg(nullptr);
  return *Instance;
}

void FreeSpellCheckingDlg() {
  delete Instance;
  Instance = nullptr;
}

}  // namespace qm
