#include "language/spelling/spell_dictionaries.h"

#include <algorithm>
#include <cctype>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "language/spelling/spell_check_dialog.h"
#include "language/spelling/spell_engine.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/editing/editor_calls.h"
#include "script/editing/script_list_data.h"
#include "script/model/script_record.h"
#include "script/script_window.h"

namespace qm {
namespace {

constexpr std::size_t ExtensionLength = 4;

bool NoDictionary(const std::string& name) { return name.empty() || AnsiUpperCase(name) == "DICTFILE"; }

// The script's own name, without folder, extension and blanks, in capitals.
std::string ScriptBaseName(const TScriptDocument& script) {
  std::string name = ChangeFileExt(ExtractFileName(script.ScriptFileName), "");
  std::erase(name, ' ');
  return AnsiUpperCase(name);
}

}  // namespace

std::string CleanDictionaryName(const std::string& name) {
  std::string clean;
  for (const char c : name) {
    const auto b = static_cast<Byte>(c);
    if ((b < 128 && std::isalnum(b)) || c == '-' || c == '_' || c == '~') clean += c;
  }
  return NoDictionary(clean) ? std::string() : clean;
}

TDictionaryChoices UserDictionaryChoices(const TScriptDocument& script) {
  const SpellLanguage language = RecordOf(script).SpellLanguage;
  const std::string extension = UserDictionaryExtension(language);
  TDictionaryChoices choices;
  choices.names.push_back(UserDictionaryName(language, true));
  const std::string own = RecordOf(script).UserDictionaryName;
  const bool hasOwn = !NoDictionary(own);
  choices.names.push_back(AnsiUpperCase(hasOwn ? own : ScriptBaseName(script)) + extension);
  for (const auto& file : FindFiles(UserDictionaryFolder(), "*" + extension)) {
    const std::string upper = AnsiUpperCase(file);
    if (upper.starts_with("USER_") || upper.starts_with(".")) continue;
    if (std::find(choices.names.begin(), choices.names.end(), upper) == choices.names.end())
      choices.names.push_back(upper);
  }
  choices.selected = hasOwn ? 1 : 0;
  return choices;
}

bool ChooseSupplementaryDictionary(TScriptDocument& script, const std::string& entry) {
  const std::string upper = AnsiUpperCase(entry);
  if (upper.starts_with("USER_")) return false;
  std::string name = upper.size() > ExtensionLength ? upper.substr(0, upper.size() - ExtensionLength) : upper;
  name = CutToCapacity(name, capacity::UserDictionaryName);
  if (name == RecordOf(script).UserDictionaryName) return false;
  RecordOf(script).UserDictionaryName = name;
  if (ActiveScript() == &script) editor::SetActiveScriptModifiedUnrevised();
  return true;
}

bool OpenSpellEngineForScript(SpellLanguage language) {
  TMDIChild* script = ActiveScript();
  if (script == nullptr) return true;
  UnloadSpellEngine();
  std::string name = CleanDictionaryName(RecordOf(*script).UserDictionaryName);
  RecordOf(*script).UserDictionaryName = name;
  if (name.empty()) name = UserDictionaryName(language, false);
  return OpenSpellEngine(language, name + UserDictionaryExtension(language));
}

std::string TidyDictionaryName(const std::string& typed) {
  std::string name = AnsiUpperCase(typed);
  std::erase(name, ' ');
  name = name.substr(0, name.find('.'));
  if (name.size() > capacity::UserDictionaryName) {
    name.resize(capacity::UserDictionaryName);
    ShowMessageBox("User Dictionary Names are limited to 8 letters, so I'm truncating this name to \"" + name + "\"",
                   "Attention");
  }
  return name;
}

std::string LearnDictionaryName(const std::string& named, const std::vector<std::string>& entries,
                                SpellLanguage language) {
  const std::string upper = AnsiUpperCase(named);
  if (std::find(entries.begin(), entries.end(), upper) != entries.end()) return upper;
  const std::string name = CleanDictionaryName(TidyDictionaryName(named));
  if (!name.empty()) return name + UserDictionaryExtension(language);
  return entries.empty() ? UserDictionaryName(language, true) : entries.front();
}

void ChangeScriptDictionary() {
  TMDIChild* script = ActiveScript();
  if (script == nullptr) return;
  TSpellCheckingDlg& dialog = SpellCheckingDlg();
  if (!dialog.ChooseDictionary(*script)) return;
  const std::string name = TidyDictionaryName(dialog.AddWordsToBox->Text());
  const SpellLanguage language = RecordOf(*script).SpellLanguage;
  if (name.starts_with("USER_") || name == RecordOf(*script).UserDictionaryName) return;
  UnloadSpellEngine();
  RecordOf(*script).UserDictionaryName = name;
  editor::SetActiveScriptModifiedUnrevised();
  OpenSpellEngineForScript(language);
}

}  // namespace qm
