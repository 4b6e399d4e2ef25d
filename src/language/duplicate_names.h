// Duplicate names: the writer says which character names (or locations)
// are really the same and which one reports them all. The reports then
// count every alias under its reported name.
#pragma once

#include <string>
#include <vector>

namespace qm {

class TStringList;

// A combined entry: the reported name, then " : " and each alias.
constexpr const char* NameSeparator = " : ";

// The entries the writer works on: the names, with the aliases of the
// list joined to the entry of their reported name. An alias whose
// reported name is no longer among the names keeps an entry of its own
// reported name; those names go to `vanished`.
std::vector<std::string> MergeAliases(std::vector<std::string> names, const TStringList& aliases,
                                      std::vector<std::string>* vanished);

// Combines the selected entries (the first selected one reports) into one
// entry; the entries stay sorted.
void CombineEntries(std::vector<std::string>& entries, int firstSelected, const std::vector<int>& selected);
// The entry's names become entries of their own again.
void BreakApartEntry(std::vector<std::string>& entries, int index);
// The combined entries become the alias list.
void ApplyAliasEntries(const std::vector<std::string>& entries, TStringList& aliases);

// The name upper-cased (cut to maxLength), or the reported name of an
// alias (cut too). Nothing without an open script.
void SubstituteCharacterName(std::string& name, std::size_t maxLength);
void SubstituteLocationName(std::string& location, std::size_t maxLength);
// The same against a given list.
std::string SubstitutedName(const TStringList& aliases, const std::string& name, std::size_t maxLength);

}  // namespace qm

namespace qm {
// "Setup Duplicate Names..." (characters) and "Setup Duplicate
// Locations..." (locations): the names page of the word-check dialog.
void ShowDuplicateNames(bool locations);
}  // namespace qm
