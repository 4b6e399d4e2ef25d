#include "language/spelling/spell_aliases.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace qm {
namespace {

bool HasLower(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return IsAnsiLower(static_cast<Byte>(c)); });
}
bool HasUpper(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return IsAnsiUpper(static_cast<Byte>(c)); });
}

// A capital at the start and after each blank, "-" or ".", the rest small.
std::string InitialCaps(const std::string& text) {
  std::string out = AnsiLowerCase(text);
  bool next = true;
  for (char& c : out) {
    if (next) c = static_cast<char>(AnsiUpper(static_cast<Byte>(c)));
    next = c == ' ' || c == '-' || c == '.';
  }
  return out;
}

std::string SubstitutionText(const std::string& text, const std::string& typed) {
  if (text.starts_with("||")) return AnsiUpperCase(text.substr(2));
  if (text.starts_with("|")) return text.substr(1);
  const bool allCaps = typed.size() > 1 && HasUpper(typed) && !HasLower(typed);
  if (allCaps) return AnsiUpperCase(text);
  if (!typed.empty() && IsAnsiUpper(static_cast<Byte>(typed[0]))) return InitialCaps(text);
  return AnsiLowerCase(text);
}

std::string CharNameText(const std::string& text, const std::string& typed) {
  const bool allCaps = typed.size() > 1 && HasUpper(typed) && !HasLower(typed);
  return allCaps ? AnsiUpperCase(text) : InitialCaps(text);
}

std::optional<std::string> Find(const TUserListTables& lists, TUserList list, const std::string& upper) {
  for (const auto& entry : LeadingEntries(lists, list)) {
    const std::string key = ListItemKey(entry);
    if (!key.empty() && AnsiUpperCase(key) == upper) return ListItemText(entry, false, true);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ExpandSpellingAlias(const TUserListTables& lists, const std::string& typed) {
  const std::string upper = AnsiUpperCase(typed);
  if (const auto text = Find(lists, TUserList::SubstitutionText, upper)) return SubstitutionText(*text, typed);
  if (const auto text = Find(lists, TUserList::CharNames, upper)) return CharNameText(*text, typed);
  return std::nullopt;
}

}  // namespace qm
