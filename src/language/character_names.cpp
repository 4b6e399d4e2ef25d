#include "language/character_names.h"

#include <algorithm>

#include "language/element_kinds.h"
#include "language/script_list_data.h"
#include "language/user_lists.h"
#include "platform/cp1252.h"
#include "platform/stringlist.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"

namespace qm {

namespace {

bool IsHeadingShotOrLockedHeading(Byte kind) { return IsSceneHeading(kind) || kind == ekShot; }

bool IsCueWithText(const TScriptElement* e) {
  return e && e->Kind() == ekCharacterName && e->text && TrimmedLength(*e->text) > 0;
}

// The cue a group contributes: its first element, or the one right after
// a heading or shot that opens the group.
const TScriptElement* CueOfGroup(const TScriptElement* first) {
  if (IsCueWithText(first)) return first;
  if (IsHeadingShotOrLockedHeading(first->Kind()) && IsCueWithText(first->next)) return first->next;
  return nullptr;
}

void TrimTrailing(std::string& text, std::string_view chars) {
  while (!text.empty() && chars.find(text.back()) != std::string_view::npos) text.pop_back();
}

// The names of the current scene's cues, the cue being edited read from
// the edit line.
std::vector<std::string> SpeakersOfCurrentScene(TMDIChild& script) {
  std::vector<std::string> speakers;
  TScriptElement* start = script.CurrentElement;
  while (start && start->prev && !StartsScene(start->Kind())) start = start->prev;
  for (TScriptElement* e = start; e; e = e->next) {
    if (e != start && StartsScene(e->Kind())) break;
    if (e->Kind() != ekCharacterName) continue;
    const std::string& text = e->text ? *e->text : script.EditBuffer;
    speakers.push_back(SpeakerName(text));
  }
  return speakers;
}

bool Speaks(const std::vector<std::string>& speakers, const std::string& name) {
  return std::any_of(speakers.begin(), speakers.end(), [&](const std::string& s) { return SameText(s, name); });
}

void DropHiddenNames(TMDIChild& script, TStringList& target, bool keepSpeakers) {
  const std::vector<std::string> hidden = UnpackHiddenNames(RecordOf(script).HiddenNames);
  if (hidden.empty()) return;
  const std::vector<std::string> speakers = keepSpeakers ? SpeakersOfCurrentScene(script) : std::vector<std::string>{};
  for (const std::string& name : hidden) {
    const int index = target.IndexOf(name);
    if (index >= 0 && !Speaks(speakers, name)) target.Delete(index);
  }
}

}  // namespace

bool TCharacterNameTable::Add(std::string_view name) {
  if (name.empty() || static_cast<Byte>(name[0]) < FirstCode) return false;
  auto& chain = chains_[static_cast<size_t>(static_cast<Byte>(name[0]) - FirstCode)];
  if (std::find(chain.begin(), chain.end(), name) != chain.end()) return false;
  chain.emplace_back(name);
  return true;
}

void TCharacterNameTable::Clear() {
  for (auto& chain : chains_) chain.clear();
}

const std::vector<std::string>& TCharacterNameTable::Chain(Byte firstCode) const {
  static const std::vector<std::string> none;
  if (firstCode < FirstCode) return none;
  return chains_[static_cast<size_t>(firstCode - FirstCode)];
}

bool TCharacterNameTable::Contains(std::string_view name) const {
  if (name.empty()) return false;
  const auto& chain = Chain(static_cast<Byte>(name[0]));
  return std::find(chain.begin(), chain.end(), name) != chain.end();
}

int TCharacterNameTable::Count() const {
  int count = 0;
  for (const auto& chain : chains_) count += static_cast<int>(chain.size());
  return count;
}

std::string CueName(std::string_view cueText) {
  std::string name = PlainText(cueText);
  ReplaceChars(std::string{static_cast<char>(HardSpace), static_cast<char>(HardDash)}, " -", name);
  if (!name.empty() && name[0] == '*') name.erase(0, 1);
  name.resize(std::min(name.find('('), name.size()));
  TrimTrailing(name, std::string_view(" \0\x04", 3));
  return name;
}

std::string SpeakerName(std::string_view cueText) {
  std::string name(cueText.substr(0, std::min(cueText.find('('), cueText.size())));
  TrimTrailing(name, " \x04");
  return name;
}

void BuildCharacterNameTable() {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  TScriptListData& data = ListData(*script);
  if (data.ScreenUpdatingSuspended) return;
  data.NameTable.Clear();
  for (const TScriptElement* e = script->FirstElement; e; e = e->next) {
    if (!StartsGroup(*e)) continue;
    if (const TScriptElement* cue = CueOfGroup(e)) data.NameTable.Add(CueName(*cue->text));
  }
  for (const std::string& entry : LeadingEntries(RecordOf(*script).UserLists, TUserList::CharNames))
    data.NameTable.Add(AnsiUpperCase(DisplayText(entry)));
}

void FreeCharacterNameTable() {
  if (TMDIChild* script = ActiveScript()) ListData(*script).NameTable.Clear();
}

void AddCharacterName(TMDIChild& script, std::string_view cueText) { ListData(script).NameTable.Add(CueName(cueText)); }

bool CollectCharacterNames(char firstLetter, bool showMessage, bool dropHidden, TStringList& target,
                           bool keepSpeakers) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  BuildCharacterNameTable();
  target.Clear();
  const TCharacterNameTable& table = ListData(*script).NameTable;
  for (int code = TCharacterNameTable::FirstCode; code <= 255; ++code) {
    if (firstLetter != 0 && code != static_cast<Byte>(firstLetter)) continue;
    for (const std::string& name : table.Chain(static_cast<Byte>(code))) target.Add(name);
  }
  if (dropHidden) DropHiddenNames(*script, target, keepSpeakers);
  if (target.Count() > 0) return true;
  if (showMessage) ShowMessageBox("There are NO Existing Character Names!", PromptTable(0));
  return false;
}

THiddenNames PackHiddenNames(const std::vector<std::string>& names, bool* fits) {
  THiddenNames hidden;
  bool allFit = true;
  for (std::string name : names) {
    std::replace(name.begin(), name.end(), ',', '|');
    const size_t room = name.size() + 1;
    if (hidden[0].size() + room < static_cast<size_t>(HiddenNamesCapacity)) {
      hidden[0] += name + ",";
    } else if (hidden[1].size() + room <= static_cast<size_t>(HiddenNamesCapacity)) {
      hidden[1] += name + ",";
    } else {
      allFit = false;
    }
  }
  if (fits) *fits = allFit;
  return hidden;
}

std::vector<std::string> UnpackHiddenNames(const THiddenNames& hidden) {
  std::vector<std::string> names;
  for (const std::string& stored : hidden) {
    size_t start = 0;
    for (size_t comma = stored.find(','); comma != std::string::npos; comma = stored.find(',', start)) {
      std::string name = stored.substr(start, comma - start);
      std::replace(name.begin(), name.end(), '|', ',');
      if (!name.empty()) names.push_back(std::move(name));
      start = comma + 1;
    }
  }
  return names;
}

}  // namespace qm
