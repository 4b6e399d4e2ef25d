// The aliases of a script's Substitution Text and Char Names lists as the
// real-time spelling check expands them: a typed alias becomes its text,
// shaped like what was typed.
#pragma once

#include <optional>
#include <string>

#include "script/model/user_list_entries.h"

namespace qm {

// The text for a typed word that is an alias (compared in capitals), or
// none. The Substitution Text list is searched first, then Char Names,
// each up to its first empty slot.
std::optional<std::string> ExpandSpellingAlias(const TUserListTables& lists, const std::string& typed);

}  // namespace qm
