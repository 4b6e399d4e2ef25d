// The program's own editor of a language's user dictionary: the learned
// words and automatic replacements listed, added to and deleted, and the
// file the engine reads written back.
#pragma once

#include <string>

#include "language/spelling/spell_languages.h"
#include "language/spelling/word_list.h"
#include "platform/forms.h"

namespace qm {

// The language's user dictionary file in the user dictionary folder.
std::string UserDictionaryPath(SpellLanguage language);
// Its entries: none for a missing file, every good line of a damaged one.
spelling::TWordList ReadUserDictionary(const std::string& path);
bool WriteUserDictionary(const std::string& path, const spelling::TWordList& list);

// How an entry shows in the list: the word, and an automatic
// replacement after it.
std::string UserDictionaryLine(const spelling::TWordEntry& entry);

class TUserDictionaryDlg : public TForm {
 public:
  explicit TUserDictionaryDlg(TComponent* owner);
  TEdit* WordEdit = nullptr;
  TListBox* WordList = nullptr;
  TButton* AddBtn = nullptr;
  TButton* DeleteBtn = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

  // The entries edited; the list shows them.
  spelling::TWordList Words;
  void ShowWords();
  // The typed word joins the list (a word already there is only selected);
  // a word that cannot be stored beeps.
  void AddClick();
  void DeleteClick();

 private:
  void UpdateButtons();
};

}  // namespace qm
