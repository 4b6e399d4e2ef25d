// The script's user lists in the settings file, and the commands that load
// them.
#pragma once

#include <string>

#include "script/model/user_list_entries.h"

namespace qm {

class TIniFile;

// The settings section new scripts take their lists from.
inline constexpr const char* UserListsSection = "User Lists";

// Every slot from a section of the settings file, each missing key taking
// its built-in entry (or empty), each value cut to the slot's width.
void ReadUserLists(const TIniFile& ini, const std::string& section, TUserListTables& lists);
// Every slot into [User Lists], empty slots as empty values.
void WriteUserLists(TIniFile& ini, const TUserListTables& lists);

// Reads the active script's lists from the settings file's section;
// nothing without an open script.
void LoadUserListDefaults(const std::string& section);
// The "Original Defaults" command: the built-in entries whatever the
// settings file holds, then the writer is told.
void LoadOriginalUserLists();

}  // namespace qm
