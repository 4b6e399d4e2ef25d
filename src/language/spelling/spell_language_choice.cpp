#include "language/spelling/spell_language_choice.h"

#include <array>

#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "language/spelling/spell_dictionaries.h"
#include "language/spelling/spell_engine.h"
#include "platform/files.h"
#include "script/editing/script_list_data.h"
#include "script/script_window.h"

namespace qm {

std::string SpellLanguageName(SpellLanguage language) {
  static constexpr std::array<const char*, LastSpellLanguage> Names{
      "American English", "British English", "French",    "German",  "Spanish",   "Italian", "Dutch",
      "Swedish",          "Danish",          "Norwegian", "Finnish", "Portuguese"};
  if (language < FirstSpellLanguage || language > LastSpellLanguage) language = FirstSpellLanguage;
  return Names[static_cast<std::size_t>(language - 1)];
}

bool ChooseScriptLanguage(TScriptDocument& script, SpellLanguage language, bool asDefault) {
  const std::string notInstalled = "Sorry, the " + SpellLanguageName(language) + " dictionary is not installed.";
  if (!FileExists(ProgramFolder() + MainDictionaryName(language))) {
    ShowMessageBox(notInstalled, PromptTable(0));
    return false;
  }
  UnloadSpellEngine();
  const Word before = RecordOf(script).SpellLanguage;
  RecordOf(script).SpellLanguage = static_cast<Word>(language);
  // The program's file names the distribution's dictionary, which may be
  // missing: the choice stands only when the engine opens with it.
  if (!OpenSpellEngineForScript(language)) {
    RecordOf(script).SpellLanguage = before;
    ShowMessageBox(notInstalled, PromptTable(0));
    return false;
  }
  if (asDefault) ProgramOptions().DefaultLanguage = static_cast<Word>(language);
  return true;
}

}  // namespace qm
