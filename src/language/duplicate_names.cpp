#include "language/duplicate_names.h"

#include <algorithm>

#include "base/document_table.h"
#include "platform/cp1252.h"
#include "platform/stringlist.h"
#include "script/model/script_record.h"
#include "script/script_window.h"

namespace qm {

namespace {

std::vector<std::string> NamesOf(const std::string& entry) {
  std::vector<std::string> names;
  const std::string sep = NameSeparator;
  std::size_t from = 0;
  for (std::size_t at = entry.find(sep); at != std::string::npos; at = entry.find(sep, from)) {
    names.push_back(entry.substr(from, at - from));
    from = at + sep.size();
  }
  names.push_back(entry.substr(from));
  return names;
}

std::string ReportedOf(const std::string& entry) { return entry.substr(0, entry.find(NameSeparator)); }

}  // namespace

std::vector<std::string> MergeAliases(std::vector<std::string> names, const TStringList& aliases,
                                      std::vector<std::string>* vanished) {
  for (int i = 0; i < aliases.Count(); ++i) std::erase(names, aliases[i]);
  for (int i = 0; i < aliases.Count(); ++i) {
    const std::string reported = TScriptRecord::ReportedNameOf(aliases, i);
    auto entry =
        std::find_if(names.begin(), names.end(), [&](const std::string& e) { return ReportedOf(e) == reported; });
    if (entry == names.end()) {
      // Kept rather than lost: the writer may break it apart.
      names.push_back(reported);
      entry = names.end() - 1;
      if (vanished) vanished->push_back(reported);
    }
    *entry += NameSeparator + aliases[i];
  }
  std::sort(names.begin(), names.end());
  return names;
}

void CombineEntries(std::vector<std::string>& entries, int firstSelected, const std::vector<int>& selected) {
  if (firstSelected < 0 || firstSelected >= static_cast<int>(entries.size())) return;
  std::string combined = entries[static_cast<std::size_t>(firstSelected)];
  std::vector<int> others;
  for (int i : selected)
    if (i != firstSelected && i >= 0 && i < static_cast<int>(entries.size())) others.push_back(i);
  std::sort(others.begin(), others.end());
  for (auto it = others.rbegin(); it != others.rend(); ++it)
    combined += NameSeparator + entries[static_cast<std::size_t>(*it)];
  others.push_back(firstSelected);
  std::sort(others.rbegin(), others.rend());
  for (int i : others) entries.erase(entries.begin() + i);
  entries.push_back(combined);
  std::sort(entries.begin(), entries.end());
}

void BreakApartEntry(std::vector<std::string>& entries, int index) {
  if (index < 0 || index >= static_cast<int>(entries.size())) return;
  const std::vector<std::string> names = NamesOf(entries[static_cast<std::size_t>(index)]);
  entries.erase(entries.begin() + index);
  entries.insert(entries.end(), names.begin(), names.end());
  std::sort(entries.begin(), entries.end());
}

void ApplyAliasEntries(const std::vector<std::string>& entries, TStringList& aliases) {
  aliases.OwnsObjects = true;
  aliases.Clear();
  for (const std::string& entry : entries) {
    const std::vector<std::string> names = NamesOf(entry);
    for (std::size_t i = 1; i < names.size(); ++i) aliases.AddObject(names[i], new TSubstituteName(names[0]));
  }
}

std::string SubstitutedName(const TStringList& aliases, const std::string& name, std::size_t maxLength) {
  std::string upper = AnsiUpperCase(name).substr(0, maxLength);
  for (int i = 0; i < aliases.Count(); ++i)
    if (aliases[i] == upper) return TScriptRecord::ReportedNameOf(aliases, i).substr(0, maxLength);
  return upper;
}

void SubstituteCharacterName(std::string& name, std::size_t maxLength) {
  if (TMDIChild* script = ActiveScript()) name = SubstitutedName(script->CharacterAliasList, name, maxLength);
}

void SubstituteLocationName(std::string& location, std::size_t maxLength) {
  if (TMDIChild* script = ActiveScript()) location = SubstitutedName(script->LocationAliasList, location, maxLength);
}

}  // namespace qm

#include "base/message_boxes.h"
#include "language/character_names.h"
#include "language/confused_words_dialog.h"
#include "language/list_builders.h"
#include "script/editing/editor_calls.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

std::vector<std::string> NamesFor(bool locations) {
  TStringList names;
  if (locations) BuildPopupList(plLocations, names);
  else CollectCharacterNames(0, false, false, names, false);
  std::vector<std::string> out;
  for (int i = 0; i < names.Count(); ++i) out.push_back(names[i]);
  return out;
}

}  // namespace

void ShowDuplicateNames(bool locations) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  const std::vector<std::string> names = NamesFor(locations);
  if (!locations && names.empty()) return;
  TStringList& aliases = locations ? script->LocationAliasList : script->CharacterAliasList;
  TCheckWordsDlg dialog(nullptr, true);
  dialog.Caption = locations ? "Setup Location Duplicates" : "Setup Duplicate Names";
  if (locations) {
    dialog.SetBounds(0, 0, 560, 360);
    dialog.Pages->Width = dialog.ClientWidth();
    dialog.SetInstruction(
        "Highlight ALL the Locations which are really the same Location but with different names,\r"
        "STARTING WITH THE ONE YOU WANT TO BE THE REPORTED LOCATION and\rthen click the COMBINE button.");
  }
  std::vector<std::string> vanished;
  dialog.SetEntries(MergeAliases(names, aliases, &vanished));
  if (!vanished.empty()) {
    std::string list;
    for (const std::string& name : vanished) list += "\r" + name;
    ShowMessageBox("These reported names are no longer in the script; their duplicates are kept under them:" + list,
                   "Attention");
  }
  if (dialog.ShowModal() != mrOk) return;
  std::vector<std::string> combined;
  for (const std::string& entry : dialog.Entries())
    if (entry.find(NameSeparator) != std::string::npos) combined.push_back(entry);
  editor::SaveSettingsUndoStep(*script);
  ApplyAliasEntries(combined, aliases);
  editor::SetActiveScriptModifiedUnrevised();
}

}  // namespace qm
