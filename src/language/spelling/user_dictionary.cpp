// The user dictionary editor's logic, and the Spell menu's way to it.
#include "language/spelling/user_dictionary.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "language/spelling/spell_dictionaries.h"
#include "language/spelling/spell_engine.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "script/editing/script_list_data.h"
#include "script/script_window.h"
#include "platform/text_trim.h"

namespace qm {

std::string UserDictionaryPath(SpellLanguage language) {
  return UserDictionaryFolder() + UserDictionaryName(language, true);
}

spelling::TWordList ReadUserDictionary(const std::string& path) {
  if (!FileExists(path)) return {};
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return {};
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  if (auto list = spelling::ParseWordList(text)) return *list;
  return spelling::SalvageWordList(text);
}

bool WriteUserDictionary(const std::string& path, const spelling::TWordList& list) {
  const std::string text = spelling::FormatWordList(list);
  return WriteFileAtomic(path, text.data(), text.size());
}

std::string UserDictionaryLine(const spelling::TWordEntry& entry) {
  return entry.second.empty() ? entry.word : entry.word + " = " + entry.second;
}

void TUserDictionaryDlg::ShowWords() {
  WordList->Items.Clear();
  for (const auto& entry : Words.entries) WordList->Items.Add(UserDictionaryLine(entry));
  UpdateButtons();
}

void TUserDictionaryDlg::AddClick() {
  const std::string word = TrimBlanks(WordEdit->Text());
  if (word.empty() || !spelling::IsStorableEntry(word, false)) {
    MessageBeep(0);
    return;
  }
  auto& entries = Words.entries;
  auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.word == word; });
  if (found == entries.end()) {
    entries.push_back({word, {}});
    found = entries.end() - 1;
    WordList->Items.Add(UserDictionaryLine(*found));
  }
  WordList->SetItemIndex(static_cast<int>(found - entries.begin()));
  WordEdit->Text = std::string();
  UpdateButtons();
}

void TUserDictionaryDlg::DeleteClick() {
  const int index = WordList->ItemIndex();
  if (index < 0 || index >= static_cast<int>(Words.entries.size())) return;
  Words.entries.erase(Words.entries.begin() + index);
  WordList->Items.Delete(index);
  WordList->SetItemIndex(std::min(index, WordList->Items.Count() - 1));
  UpdateButtons();
}

void TUserDictionaryDlg::UpdateButtons() {
  AddBtn->Enabled = !WordEdit->Text().empty();
  DeleteBtn->Enabled = WordList->ItemIndex() >= 0;
}

// The engine lets go of its files while the writer edits the language's
// own dictionary, then opens as it was, reading what was written.
void RunDictionaryEditor() {
  const bool wasOpen = SpellEngineOpen();
  const std::string supplementary = OpenUserDictionaryName(2);
  SpellLanguage language = wasOpen ? SpellEngineLanguage() : FirstSpellLanguage;
  if (!wasOpen && ActiveScript()) language = RecordOf(*ActiveScript()).SpellLanguage;
  UnloadSpellEngine();
  const std::string path = UserDictionaryPath(language);
  TUserDictionaryDlg dialog(nullptr);
  dialog.Words = ReadUserDictionary(path);
  dialog.ShowWords();
  if (dialog.ShowModal() == mrOk && !WriteUserDictionary(path, dialog.Words))
    ShowMessageBox("Unable to save " + path, "Attention");
  if (wasOpen) OpenSpellEngine(language, supplementary);
}

}  // namespace qm
