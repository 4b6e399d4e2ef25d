#include "language/user_lists.h"

#include <algorithm>

#include "language/script_list_data.h"
#include "platform/cp1252.h"
#include "script/string_utils.h"
#include "script/text_codes.h"
#include "shell/documents.h"
#include "shell/ini_file.h"
#include "shell/message_boxes.h"
#include "shell/prompt_table.h"

namespace qm {

namespace {

const std::array<TUserListSpec, UserListCount>& Specs() {
  static const std::array<TUserListSpec, UserListCount> specs{{
      {"Extension", 10, ShortEntryWidth, false, {"O.S.", "V.O."}},
      {"TimeofDay", 12, ShortEntryWidth, false,
       {"MORNING", "DAY", "AFTERNOON", "EVENING", "NIGHT", "LATER", "CONTINUOUS", "M&OMENTS LATER"}},
      {"Transition", 8, ShortEntryWidth, true, {"CUT TO:", "DISSOLVE TO:", "FADE OUT:"}},
      {"SceneText", 10, ShortEntryWidth, true, {"INT.", "EXT.", "P.O.V.", "FULL &SHOT"}},
      {"ShotText", 6, ShortEntryWidth, true, {"BACK TO SCENE", "ANGLE ON"}},
      {"ActText", 3, ShortEntryWidth, true, {"NEWACT\\ACT", "SAMEACT\\ACT", "NEWSCENE\\SCENE"}},
      {"PrologueText", 5, ShortEntryWidth, true, {"TEASER", "PROLOGUE", "COLD OPENING"}},
      {"TagText", 1, ShortEntryWidth, true, {"TAG"}},
      {"EndofActText", 1, ShortEntryWidth, true, {"END OF"}},
      {"ScriptOpenText", 1, ShortEntryWidth, false, {"FADE IN:"}},
      {"SceneBodyText", 10, LongEntryWidth, false, {}},
      {"Char Names", 15, ShortEntryWidth, true, {}},
      {"Substitution Text", 15, LongEntryWidth, true, {}},
  }};
  return specs;
}

int Index(TUserList list) { return static_cast<int>(list); }

std::string KeyOf(TUserList list, int slot) { return std::string(UserListSpec(list).Key) + " " + std::to_string(slot); }

std::string BuiltIn(TUserList list, int slot) {
  const auto& defaults = UserListSpec(list).Defaults;
  return slot <= static_cast<int>(defaults.size()) ? defaults[static_cast<size_t>(slot - 1)] : "";
}

bool IsStrippedCode(char ch) {
  const auto b = static_cast<Byte>(ch);
  return ch == '&' || b == UnderlineOn || b == BoldOn || b == ItalicsOn;
}

// The lists whose entries the script window offers in menus and watches
// for while the writer types.
constexpr TUserList MenuLists[] = {
    TUserList::Transition, TUserList::SceneText,    TUserList::ShotText,     TUserList::ActText,
    TUserList::PrologueText, TUserList::TagText, TUserList::EndofActText, TUserList::ScriptOpenText,
};

}  // namespace

const TUserListSpec& UserListSpec(TUserList list) { return Specs()[static_cast<size_t>(Index(list))]; }

TUserListTables::TUserListTables() {
  for (TUserList list : AllUserLists) lists_[static_cast<size_t>(Index(list))].resize(static_cast<size_t>(UserListSpec(list).Slots));
}

const std::string& TUserListTables::Entry(TUserList list, int slot) const {
  static const std::string none;
  const auto& entries = lists_[static_cast<size_t>(Index(list))];
  if (slot < 1 || slot > static_cast<int>(entries.size())) return none;
  return entries[static_cast<size_t>(slot - 1)];
}

void TUserListTables::SetEntry(TUserList list, int slot, std::string_view text) {
  auto& entries = lists_[static_cast<size_t>(Index(list))];
  if (slot < 1 || slot > static_cast<int>(entries.size())) return;
  entries[static_cast<size_t>(slot - 1)] = std::string(text.substr(0, static_cast<size_t>(UserListSpec(list).Width)));
}

void TUserListTables::ClearList(TUserList list) {
  for (auto& entry : lists_[static_cast<size_t>(Index(list))]) entry.clear();
}

std::vector<std::string> TUserListTables::LeadingEntries(TUserList list) const {
  std::vector<std::string> result;
  for (const auto& entry : lists_[static_cast<size_t>(Index(list))]) {
    if (entry.empty()) break;
    result.push_back(entry);
  }
  return result;
}

int TUserListTables::FirstEmptySlot(TUserList list) const {
  const auto& entries = lists_[static_cast<size_t>(Index(list))];
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].empty()) return static_cast<int>(i) + 1;
  return 0;
}

void TUserListTables::SetBuiltInDefaults() {
  for (TUserList list : AllUserLists)
    for (int slot = 1; slot <= UserListSpec(list).Slots; ++slot) SetEntry(list, slot, BuiltIn(list, slot));
}

std::string ListItemText(std::string_view entry, bool transform, bool strip) {
  const size_t slash = entry.find('\\');
  std::string text(slash == std::string_view::npos ? entry : entry.substr(slash + 1));
  if (transform) text = InitialCaps(text);
  if (strip) std::erase_if(text, IsStrippedCode);
  return text;
}

std::string InsertedText(std::string_view entry) {
  std::string text = ListItemText(entry, false, false);
  std::erase(text, '&');
  return text;
}

std::string ListItemKey(std::string_view entry) {
  const size_t slash = entry.find('\\');
  return slash == std::string_view::npos ? std::string() : std::string(entry.substr(0, slash));
}

void ReadUserLists(const TIniFile& ini, const std::string& section, TUserListTables& lists) {
  for (TUserList list : AllUserLists)
    for (int slot = 1; slot <= UserListSpec(list).Slots; ++slot)
      lists.SetEntry(list, slot, ini.ReadString(section, KeyOf(list, slot), BuiltIn(list, slot)));
}

void WriteUserLists(TIniFile& ini, const TUserListTables& lists) {
  for (TUserList list : AllUserLists)
    for (int slot = 1; slot <= UserListSpec(list).Slots; ++slot)
      ini.WriteString(UserListsSection, KeyOf(list, slot), lists.Entry(list, slot));
}

void LoadUserListDefaults(const std::string& section) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  ReadUserLists(OpenSettingsFile(), section, ListData(*script).UserLists);
  UserListsChanged(*script);
}

void LoadOriginalUserLists() {
  if (NoActiveDocument()) return;
  // A section no settings file holds: every slot takes its built-in entry.
  LoadUserListDefaults("Hah!");
  ShowMessageBox("Original Default Lists have been loaded.", PromptTable(10));
}

TUserListMeasure MeasureUserLists(const TUserListTables& lists) {
  TUserListMeasure measure;
  bool any = false;
  for (TUserList list : MenuLists)
    for (const auto& entry : lists.LeadingEntries(list)) {
      const std::string text = ListItemText(entry, false, false);
      const size_t amp = text.find('&');
      if (amp != std::string::npos && amp + 1 < text.size())
        measure.ShortcutLetters[AnsiUpper(static_cast<Byte>(text[amp + 1]))] = true;
      const int length = static_cast<int>(DisplayText(entry).size());
      measure.Shortest = any ? std::min(measure.Shortest, length) : length;
      measure.Longest = std::max(measure.Longest, length);
      any = true;
    }
  return measure;
}

}  // namespace qm
