// The Thesaurus command: the word at the caret is looked up in the
// built-in thesaurus window or in the program's own synonym list, and the
// chosen word replaces it with the inflection and capitals put back.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "language/thesaurus/word_web.h"
#include "platform/forms.h"

namespace qm::thesaurus {

constexpr std::size_t MaxThesaurusWord = 60;
constexpr std::size_t HistorySlots = 25;

class TThesaurusDlg : public TForm {
 public:
  explicit TThesaurusDlg(TComponent* owner);

  TLabel* HeadWordLabel;
  TEdit* HeadWord;
  TLabel* SynonymsLabel;
  TListBox* SynonymList;
  TButton* ReplaceBtn;
  TButton* SuggestBtn;
  TButton* CancelBtn;
  TButton* PrevWordBtn;
  TButton* HelpBtn;
  TBevel* Bevel;
  TPanel* ButtonPanel;
  TWordWeb* WordWeb1;

  std::string CurrentWord;
  Word SynonymCount = 0;
  std::vector<std::string> History;  // upper case, oldest first
  bool ShowDialog = false;
  bool Plural = false;
  bool Adverb = false;
  bool PastD = false;
  bool PastEd = false;
  bool Participle = false;

  void FormShow();
  void SynonymListMouseUp();
  void SynonymListKeyDown(Word& key);
  void HeadWordKeyDown(Word& key);
  void SuggestBtnClick();
  void PrevWordBtnClick();
};

// The command; `windowMode` asks for the thesaurus window.
void Thesaurus(TThesaurusDlg& dialog, bool windowMode);
// One look-up through the back end; see the command.
bool GetSynonyms(TThesaurusDlg& dialog, const std::string& word, bool windowMode);

// The word as it goes back into the script: the inflection put back.
std::string ReinflectedWord(const TThesaurusDlg& dialog, std::string word);
// The caret word's capitals given to the new word.
std::string CapitalisedLike(const std::string& replaced, const std::string& word);

}  // namespace qm::thesaurus
