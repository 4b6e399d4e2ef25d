#include "breakdown/gibberish.h"

#include <chrono>
#include <random>
#include <utility>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "language/bookmarks.h"
#include "platform/cp1252.h"
#include "script/editing/editor_calls.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

bool KeepsItsText(const TScriptDocument& script, const TScriptElement& e) {
  if (e.Kind() == ekCharacterName) return true;
  const std::string& omit = script.SceneOmitText;
  return IsSceneHeading(e.Kind()) && !omit.empty() && AnsiUpperCase(ElementText(e)).starts_with(AnsiUpperCase(omit));
}

void ScrambleBookmarks(TMDIChild& script, const std::function<char()>& draw) {
  TScriptBookmarks& marks = Bookmarks(script);
  std::vector<std::pair<std::string, TScriptElement*>> kept;
  for (int i = 0; i < marks.Count(); ++i) kept.emplace_back(marks[i].Text, marks[i].Element());
  marks.Clear();
  for (auto& [text, element] : kept) {
    ScrambleLetters(text, draw());
    marks.Add(text, element);
  }
}

// Every list but the character names, which the script keeps readable.
void ScrambleUserLists(TScriptDocument& script, const std::function<char()>& draw) {
  TUserListTables& lists = script.UserLists;
  for (int list = 0; list < UserListCount; ++list) {
    if (static_cast<TUserList>(list) == TUserList::CharNames) continue;
    for (std::string& entry : UserListSlots(lists, static_cast<TUserList>(list)))
      if (!entry.empty()) ScrambleLetters(entry, draw());
  }
}

// The title page's text block, up to its end.
void ScrambleTitlePage(TScriptDocument& script, const std::function<char()>& draw) {
  auto& block = script.TitlePageText;
  const char letter = draw();
  for (Byte& b : block) {
    if (b == 0) break;
    std::string one(1, static_cast<char>(b));
    ScrambleLetters(one, letter);
    b = static_cast<Byte>(one[0]);
  }
}

}  // namespace

void ScrambleLetters(std::string& text, char letter) {
  for (char& ch : text) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(letter - 'a' + 'A');
    else if (ch >= 'a' && ch <= 'z') ch = letter;
  }
}

void ScrambleScript(TMDIChild& script, const std::function<char()>& draw) {
  editor::Assemble(script);
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (IsPageBreakKind(e->Kind())) continue;
    const char letter = draw();
    if (KeepsItsText(script, *e)) continue;
    editor::RewriteElementText(script, *e, [letter](std::string& text) {
      const std::string before = text;
      ScrambleLetters(text, letter);
      return text != before;
    });
  }
  ScrambleBookmarks(script, draw);
  ScrambleUserLists(script, draw);
  ScrambleTitlePage(script, draw);
  editor::TakeElement(script, *script.FirstElement);
  editor::RedisplayScreen(script);
}

bool ConvertToGibberish() {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  if (script->DocumentModified) {
    ShowMessageBox("Please save the Script BEFORE running this function!", "Attention");
    return false;
  }
  if (!AskYesNo("This function is designed to change a script to gibberish so as to enable you to send it to us "
                "without compromising the privacy of the material.  Continue?",
                "Attention", false))
    return false;
  editor::SaveSettingsUndoStep(*script);
  std::mt19937 random(static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
  std::uniform_int_distribution<int> letters(0, 24);
  ScrambleScript(*script, [&] { return static_cast<char>('a' + letters(random)); });
  // The program folder is not ours to write: the copy stays beside the script.
  std::string folder = ExtractDirectory(script->ScriptFileName);
  if (folder.empty()) folder = ScriptDirectory;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  script->SetScriptCaption(folder + GibberishFileName);
  editor::SetActiveScriptModified();
  ShowMessageBox("The Script is now safe to send to us.", "Attention");
  return true;
}

}  // namespace qm
