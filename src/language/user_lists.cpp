#include "language/user_lists.h"

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "script/editing/editor_calls.h"
#include "script/editing/script_list_data.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

std::string KeyOf(TUserList list, int slot) { return std::string(UserListSpec(list).Key) + " " + std::to_string(slot); }

// The entry a new script has in a slot.
const std::string& BuiltIn(TUserList list, int slot) {
  static const TUserListTables builtIn;
  return UserListEntry(builtIn, list, slot);
}

}  // namespace

void ReadUserLists(const TIniFile& ini, const std::string& section, TUserListTables& lists) {
  for (TUserList list : AllUserLists)
    for (int slot = 1; slot <= UserListSpec(list).Slots; ++slot)
      SetUserListEntry(lists, list, slot, ini.ReadString(section, KeyOf(list, slot), BuiltIn(list, slot)));
}

void WriteUserLists(TIniFile& ini, const TUserListTables& lists) {
  for (TUserList list : AllUserLists)
    for (int slot = 1; slot <= UserListSpec(list).Slots; ++slot)
      ini.WriteString(UserListsSection, KeyOf(list, slot), UserListEntry(lists, list, slot));
}

void LoadUserListDefaults(const std::string& section) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  ReadUserLists(OpenSettingsFile(), section, RecordOf(*script).UserLists);
  UserListsChanged(*script);
}

void LoadOriginalUserLists() {
  if (NoActiveDocument()) return;
  // The built-in entries themselves, not a section of the settings file
  // that is merely hoped to be missing.
  TMDIChild& script = *ActiveScript();
  editor::SaveSettingsUndoStep(script);
  RecordOf(script).UserLists = TUserListTables{};
  UserListsChanged(script);
  editor::SetActiveScriptModifiedUnrevised();
  ShowMessageBox("Original Default Lists have been loaded.", PromptTable(10));
}

}  // namespace qm
