#include "breakdown/associations.h"

#include <algorithm>

#include "breakdown/categories.h"
#include "platform/cp1252.h"
#include "script/editing/editor_calls.h"
#include "script/model/packed_text.h"
#include "script/model/script_record.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr char CharacterTag = '@';
constexpr char IntOnlyTag = '#';
constexpr char ExtOnlyTag = '$';
constexpr char BothTag = '%';

char LocationTag(const TAssociationEntry& entry) {
  const Byte choice = entry.Chain.empty() ? Byte{ieIntOnly} : entry.Chain.front().IntExt;
  return choice == ieExtOnly ? ExtOnlyTag : choice == ieBoth ? BothTag : IntOnlyTag;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) {
    if (!out.empty()) out += ',';
    out += item;
  }
  return out;
}

// The items between the commas; an empty one (",," or a comma at either
// end) is no item.
std::vector<std::string> SplitItems(const std::string& text) {
  std::vector<std::string> items;
  std::size_t from = 0;
  for (std::size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', from)) {
    if (comma > from) items.push_back(text.substr(from, comma - from));
    from = comma + 1;
  }
  if (from < text.size()) items.push_back(text.substr(from));
  return items;
}

void AppendString(std::vector<Byte>& out, const std::string& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
  out.push_back(0);
}

void WriteEntries(std::vector<Byte>& out, const std::vector<TAssociationEntry>& list, bool locations) {
  for (const TAssociationEntry& entry : list) {
    const char tag = locations ? LocationTag(entry) : CharacterTag;
    AppendString(out, PackShortString(std::string(1, tag) + AnsiLowerCase(entry.Name)));
    for (const TAssociation& a : entry.Chain)
      AppendString(out, std::string(1, static_cast<char>(a.Category + 1)) + PackText(Joined(a.Items)));
  }
}

bool IsEntryTag(char ch) { return ch == CharacterTag || ch == IntOnlyTag || ch == ExtOnlyTag || ch == BothTag; }

Byte ChoiceOfTag(char tag) { return tag == ExtOnlyTag ? ieExtOnly : tag == BothTag ? ieBoth : ieIntOnly; }

bool HasText(const std::vector<std::string>& list, const std::string& text) {
  return std::any_of(list.begin(), list.end(), [&](const std::string& s) { return SameText(s, text); });
}

void ApplyChain(BreakdownRecord& record, const TAssociationEntry& entry) {
  for (const TAssociation& a : entry.Chain) {
    if (a.Category < 0 || a.Category >= CategoryCount || a.Category == SceneDescriptionCategory) continue;
    auto& list = record.Items[static_cast<std::size_t>(RecordSlotOfTagCode(TagCodeOfCategory(a.Category)))];
    for (const std::string& item : a.Items)
      if (!HasText(list, item)) list.push_back(item);
  }
}

bool LocationApplies(const TAssociationEntry& entry, const std::string& intExt) {
  const Byte choice = entry.Chain.empty() ? Byte{ieIntOnly} : entry.Chain.front().IntExt;
  const std::string lead = AnsiUpperCase(intExt.substr(0, 3));
  if (choice == ieBoth) return true;
  return lead == (choice == ieExtOnly ? "EXT" : "INT");
}

}  // namespace

std::vector<Byte> WriteAssociations(const TAssociationLists& lists) {
  std::vector<Byte> out;
  WriteEntries(out, lists.Characters, false);
  WriteEntries(out, lists.Locations, true);
  return out;
}

TAssociationLists ReadAssociations(std::span<const Byte> block) {
  TAssociationLists lists;
  TAssociationEntry* current = nullptr;
  std::size_t at = 0;
  while (at < block.size() && block[at] != 0) {
    const auto end = std::find(block.begin() + static_cast<std::ptrdiff_t>(at), block.end(), Byte{0});
    const std::string raw(block.begin() + static_cast<std::ptrdiff_t>(at), end);
    at = static_cast<std::size_t>(end - block.begin()) + 1;
    const std::string text = UnpackText(raw);
    if (!text.empty() && IsEntryTag(text[0])) {
      auto& list = text[0] == CharacterTag ? lists.Characters : lists.Locations;
      list.push_back({AnsiUpperCase(text.substr(1)), {}});
      current = &list.back();
      current->Chain.push_back({{}, 0, ChoiceOfTag(text[0])});
      // The header's association is filled by the string after it.
      current->Chain.back().Category = -1;
      continue;
    }
    // An association before any entry header belongs to nothing.
    if (!current) continue;
    const int category = static_cast<Byte>(raw[0]) - 1;
    if (category < 0 || category >= CategoryCount) continue;
    TAssociation* a = &current->Chain.back();
    if (a->Category >= 0) {
      current->Chain.push_back({{}, 0, a->IntExt});
      a = &current->Chain.back();
    }
    a->Category = category;
    a->Items = SplitItems(UnpackText(raw.substr(1)));
  }
  // A header with no association after it keeps none.
  for (auto* list : {&lists.Characters, &lists.Locations})
    for (TAssociationEntry& entry : *list)
      if (!entry.Chain.empty() && entry.Chain.back().Category < 0) entry.Chain.pop_back();
  return lists;
}

TAssociationLists ScriptAssociations(const TScriptDocument& script) { return ReadAssociations(script.Associations); }

void SetScriptAssociations(TScriptDocument& script, const TAssociationLists& lists) {
  script.Associations = WriteAssociations(lists);
  editor::SetActiveScriptModifiedUnrevised();
}

const TAssociationEntry* FindAssociations(const std::vector<TAssociationEntry>& list, const std::string& name) {
  for (const TAssociationEntry& entry : list)
    if (SameText(entry.Name, name)) return &entry;
  return nullptr;
}

void CancelOffEntries(BreakdownRecord& record) {
  for (auto& list : record.Items) {
    std::vector<std::string> off;
    for (const std::string& item : list)
      if (!item.empty() && item[0] == OffEntryMark) off.push_back(item.substr(1));
    if (off.empty()) continue;
    std::erase_if(list, [&](const std::string& item) {
      return (!item.empty() && item[0] == OffEntryMark) || HasText(off, item);
    });
  }
}

void ApplyAssociations(BreakdownRecord& record, const TAssociationLists& lists,
                       const std::vector<std::string>& characterNames, TRecordNames from) {
  // Off entries written in the text cancel their items with or without
  // associations.
  if (lists.Empty()) {
    CancelOffEntries(record);
    return;
  }
  if (const TAssociationEntry* place = FindAssociations(lists.Locations, record.Location))
    if (LocationApplies(*place, record.IntExt)) ApplyChain(record, *place);
  std::vector<std::string> names;
  for (const std::string& name : record.Items[rsCastMembers])
    if (!HasText(names, name)) names.push_back(name);
  if (from == TRecordNames::NameTable)
    for (const std::string& name : record.Items[rsExtras])
      if (!HasText(names, name)) names.push_back(name);
  for (const std::string& name : characterNames)
    if (!HasText(names, name)) names.push_back(name);
  for (const std::string& name : names)
    if (const TAssociationEntry* who = FindAssociations(lists.Characters, name)) ApplyChain(record, *who);
  CancelOffEntries(record);
}

}  // namespace qm
