// The short text lists every script carries for the writer to edit: names
// offered first, extensions, times of day, transitions, scene openings,
// shots, act and scene texts, locations and substitution texts. An entry
// is plain text, or an alias (what the writer types), "\" and the text
// that replaces it; "&" marks the entry's shortcut letter; the style-on
// codes for underline, bold and italics may stand in the text. An empty
// entry ends a list for most readers.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/script_record.h"

namespace qm {

// The lists in the order the script keeps them.
enum class TUserList : int {
  Extension,
  TimeofDay,
  Transition,
  SceneText,
  ShotText,
  ActText,
  PrologueText,
  TagText,
  EndofActText,
  ScriptOpenText,
  SceneBodyText,
  CharNames,
  SubstitutionText,
};
constexpr int UserListCount = 13;
constexpr int MaxUserListSlots = 15;

struct TUserListSpec {
  // The settings key before the blank and the slot number.
  const char* Key;
  int Slots;
  int Width;
  // Whether an entry may carry an alias before its text.
  bool TakesAliases;
};
const TUserListSpec& UserListSpec(TUserList list);
constexpr TUserList AllUserLists[UserListCount] = {
    TUserList::Extension,        TUserList::TimeofDay,      TUserList::Transition,    TUserList::SceneText,
    TUserList::ShotText,         TUserList::ActText,        TUserList::PrologueText,  TUserList::TagText,
    TUserList::EndofActText,     TUserList::ScriptOpenText, TUserList::SceneBodyText, TUserList::CharNames,
    TUserList::SubstitutionText,
};

// The slots of one list of a script's tables. A new table holds the
// built-in entries.
std::span<std::string> UserListSlots(TUserListTables& lists, TUserList list);
std::span<const std::string> UserListSlots(const TUserListTables& lists, TUserList list);
// Slots count from 1; reading outside a list's slots gives an empty entry
// and storing there does nothing. Every store is cut to the list's width.
const std::string& UserListEntry(const TUserListTables& lists, TUserList list, int slot);
void SetUserListEntry(TUserListTables& lists, TUserList list, int slot, std::string_view text);
void ClearUserList(TUserListTables& lists, TUserList list);
// The entries from slot 1 up to the first empty one.
std::vector<std::string> LeadingEntries(const TUserListTables& lists, TUserList list);
// The first empty slot, or 0 when every slot is set.
int FirstEmptySlot(const TUserListTables& lists, TUserList list);

// The text part of an entry (after its first "\", or the whole entry);
// `transform` gives it initial capitals, `strip` removes every "&" and the
// underline, bold and italics on-codes.
std::string ListItemText(std::string_view entry, bool transform, bool strip);
// The alias part (before the first "\"); empty when there is none.
std::string ListItemKey(std::string_view entry);
// The entry as a menu or list shows it: its text without "&" and codes.
inline std::string DisplayText(std::string_view entry) { return ListItemText(entry, false, true); }
// The entry's text as it goes into the script: its shortcut mark removed,
// its style codes kept.
std::string InsertedText(std::string_view entry);

// What the script window reads after the lists change: the "&" shortcut
// letters of the entries it offers in menus, and the shortest and longest
// text among them (read up to each list's first empty slot; both 0 with
// no entry at all).
struct TUserListMeasure {
  std::array<bool, 256> ShortcutLetters{};
  int Shortest = 0;
  int Longest = 0;
};
TUserListMeasure MeasureUserLists(const TUserListTables& lists);

}  // namespace qm
