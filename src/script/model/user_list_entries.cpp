#include "script/model/user_list_entries.h"

#include <algorithm>
#include <type_traits>

#include "platform/cp1252.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"

namespace qm {

namespace {

constexpr int ShortWidth = 20;
constexpr int LongWidth = 45;

const std::array<TUserListSpec, UserListCount>& Specs() {
  static const std::array<TUserListSpec, UserListCount> specs{{
      {"Extension", 10, ShortWidth, false},
      {"TimeofDay", 12, ShortWidth, false},
      {"Transition", 8, ShortWidth, true},
      {"SceneText", 10, ShortWidth, true},
      {"ShotText", 6, ShortWidth, true},
      {"ActText", 3, ShortWidth, true},
      {"PrologueText", 5, ShortWidth, true},
      {"TagText", 1, ShortWidth, true},
      {"EndofActText", 1, ShortWidth, true},
      {"ScriptOpenText", 1, ShortWidth, false},
      {"SceneBodyText", 10, LongWidth, false},
      {"Char Names", 15, ShortWidth, true},
      {"Substitution Text", 15, LongWidth, true},
  }};
  return specs;
}

int Index(TUserList list) { return static_cast<int>(list); }

template <class Tables>
auto SlotsOf(Tables& t, TUserList list)
    -> std::span<std::conditional_t<std::is_const_v<Tables>, const std::string, std::string>> {
  switch (list) {
    case TUserList::Extension: return t.Extension;
    case TUserList::TimeofDay: return t.TimeofDay;
    case TUserList::Transition: return t.Transition;
    case TUserList::SceneText: return t.SceneText;
    case TUserList::ShotText: return t.ShotText;
    case TUserList::ActText: return t.ActText;
    case TUserList::PrologueText: return t.PrologueText;
    case TUserList::TagText: return t.TagText;
    case TUserList::EndofActText: return t.EndofActText;
    case TUserList::ScriptOpenText: return t.ScriptOpenText;
    case TUserList::SceneBodyText: return t.SceneBodyText;
    case TUserList::CharNames: return t.CharNames;
    case TUserList::SubstitutionText: return t.SubstitutionText;
  }
  return {};
}

bool IsStrippedCode(char ch) {
  const auto b = static_cast<Byte>(ch);
  return ch == '&' || b == UnderlineOn || b == BoldOn || b == ItalicsOn;
}

// The lists whose entries the script window offers in menus and watches
// for while the writer types.
constexpr TUserList MenuLists[] = {
    TUserList::Transition,   TUserList::SceneText, TUserList::ShotText,     TUserList::ActText,
    TUserList::PrologueText, TUserList::TagText,   TUserList::EndofActText, TUserList::ScriptOpenText,
};

}  // namespace

const TUserListSpec& UserListSpec(TUserList list) { return Specs()[static_cast<size_t>(Index(list))]; }

std::span<std::string> UserListSlots(TUserListTables& lists, TUserList list) { return SlotsOf(lists, list); }

std::span<const std::string> UserListSlots(const TUserListTables& lists, TUserList list) {
  return SlotsOf(lists, list);
}

const std::string& UserListEntry(const TUserListTables& lists, TUserList list, int slot) {
  static const std::string none;
  const auto slots = UserListSlots(lists, list);
  if (slot < 1 || slot > static_cast<int>(slots.size())) return none;
  return slots[static_cast<size_t>(slot - 1)];
}

void SetUserListEntry(TUserListTables& lists, TUserList list, int slot, std::string_view text) {
  const auto slots = UserListSlots(lists, list);
  if (slot < 1 || slot > static_cast<int>(slots.size())) return;
  slots[static_cast<size_t>(slot - 1)] = std::string(text.substr(0, static_cast<size_t>(UserListSpec(list).Width)));
}

void ClearUserList(TUserListTables& lists, TUserList list) {
  for (auto& entry : UserListSlots(lists, list)) entry.clear();
}

std::vector<std::string> LeadingEntries(const TUserListTables& lists, TUserList list) {
  std::vector<std::string> result;
  for (const auto& entry : UserListSlots(lists, list)) {
    if (entry.empty()) break;
    result.push_back(entry);
  }
  return result;
}

int FirstEmptySlot(const TUserListTables& lists, TUserList list) {
  const auto slots = UserListSlots(lists, list);
  for (size_t i = 0; i < slots.size(); ++i)
    if (slots[i].empty()) return static_cast<int>(i) + 1;
  return 0;
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

TUserListMeasure MeasureUserLists(const TUserListTables& lists) {
  TUserListMeasure measure;
  bool any = false;
  for (TUserList list : MenuLists)
    for (const auto& entry : LeadingEntries(lists, list)) {
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
