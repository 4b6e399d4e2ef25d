// What the name and list tools keep for one script. It is a component of
// the script window, so it lives and goes with the window.
#pragma once

#include "script/script_window.h"

#include <array>
#include <string>
#include <string_view>

#include "script/model/character_name_table.h"
#include "script/model/user_list_entries.h"
#include "platform/controls.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

class TScriptListData : public TComponent {
 public:
  explicit TScriptListData(TMDIChild& script);

  // Kept with the script record once it carries them.
  // The rest lasts while the script is open.
  TCharacterNameTable NameTable;
  // The name last chosen for each initial letter.
  std::array<std::string, 256> RememberedNames;
  TUserListMeasure ListMeasure;
  // Set while the window holds back its screen (a long job runs).
  bool ScreenUpdatingSuspended = false;
};

// The script's data, made on first use.
TScriptListData& ListData(TMDIChild& script);
// The script record's fields the list tools use.
inline TScriptRecord& RecordOf(TScriptDocument& script) { return script; }
inline const TScriptRecord& RecordOf(const TScriptDocument& script) { return script; }
// The active script's lists; null without one.
TUserListTables* ActiveUserLists();

// For the script window's store of a cue: the cue's name joins the table.
void AddCharacterName(TMDIChild& script, std::string_view cueText);

// After a script's lists changed: what the script window reads of them is
// measured again.
void UserListsChanged(TMDIChild& script);

// The number of blanks on each side of a heading's time-of-day dashes
// (at least 1), and the number of dashes.
int GetTimeOfDaySpaces(const TScriptDocument& script);
int GetTimeOfDayDashes(const TScriptDocument& script);

}  // namespace qm
