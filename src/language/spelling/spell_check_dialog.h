// "Found Unknown Word...": the dialog the spell-check pass shows for a
// word it does not know, with the engine's suggestions and the choices of
// what to do with the word. One instance, made on first use and kept.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "language/spelling/spell_languages.h"
#include "platform/controls.h"
#include "platform/forms.h"

namespace qm {

class TScriptDocument;

// What the dialog closes with.
enum TSpellAnswer : int {
  saReplace = 1,
  saCancel = 2,
  saAutoCorrect = 3,
  saIgnore = 5,
  saLearn = 6,
  saSkip = 7,
};

// What the dialog opens in the program above it (set by the shell).
struct TSpellDialogHooks {
  // The program options, on their spelling page.
  void (*SpellingOptions)() = nullptr;
};
extern TSpellDialogHooks SpellDialogHooks;

class TSpellCheckingDlg : public TForm {
 public:
  explicit TSpellCheckingDlg(TComponent* owner);

  TPageControl* Notebook;
  TTabSheet* MainPage;
  TTabSheet* AddPage;
  TEdit* BadWord;
  TListBox* SuggestList;
  TButton* ReplaceBtn;
  TButton* SuggestBtn;
  TButton* IgnoreBtn;
  TButton* LearnBtn;
  TButton* AutoCorrectBtn;
  TButton* SkipBtn;
  TButton* CancelBtn;
  TComboBox* AddWordsToBox;
  TButton* SetupOptionsBtn;
  TButton* BitBtn2;
  TButton* HelpBtn;
  TLabel* LearnLabel;
  TRadioGroup* RadioGroup1;
  TButton* AddOkBtn;
  TButton* AddCancelBtn;

  // Asks about a word of the script with the suggestions given; the
  // answer, with BadWord's text and the dictionary chosen left in the
  // controls. `suggest` refills the suggestions for another text.
  TSpellAnswer Ask(TScriptDocument& script, const std::string& word, const std::vector<std::string>& suggestions,
                   std::function<std::vector<std::string>(const std::string&)> suggest);
  // "Change Dictionary": only the dictionary list works; true on OK.
  bool ChooseDictionary(TScriptDocument& script);

  const std::string& FoundWord() const { return foundWord_; }
  // The dictionary "Add Words to:" names for Learn, never a stray name.
  std::string LearnDictionary(SpellLanguage language) const;

 private:
  void FillSuggestions(const std::vector<std::string>& suggestions);
  void BadWordChange();
  void SuggestListClick();
  void LearnStep(TSpellAnswer answer);
  void AddOkClick();
  void ShowMainPage();
  void RefillDictionaries();
  void DictionaryChosen();
  void SetChoosingOnly(bool only);
  void SetupOptionsClick();

  TScriptDocument* script_ = nullptr;
  std::string foundWord_;
  std::string lastClicked_;
  TSpellAnswer learnAnswer_ = saLearn;
  bool choosingOnly_ = false;
  std::function<std::vector<std::string>(const std::string&)> suggest_;
};

TSpellCheckingDlg& SpellCheckingDlg();
void FreeSpellCheckingDlg();

}  // namespace qm
