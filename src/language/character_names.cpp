#include "language/character_names.h"

#include <algorithm>

#include "script/model/element_kinds.h"
#include "script/editing/script_list_data.h"
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

// The name of a cue, the one being edited read from its edit line in the
// capitals storing it gives (or left out); empty for any other element.
std::string NameOfCue(const TMDIChild& script, const TScriptElement* e, bool withEditedCue) {
  if (!e || e->Kind() != ekCharacterName) return {};
  if (e->text) return CueName(*e->text);
  const std::string* edited = script.EditedText(*e);
  return edited && withEditedCue ? AnsiUpperCase(CueName(*edited)) : std::string();
}

// The name a group contributes: its first element's, or that of the cue
// right after a heading or shot that opens the group.
std::string NameOfGroup(const TMDIChild& script, const TScriptElement* first, bool withEditedCue) {
  if (first->Kind() == ekCharacterName) return NameOfCue(script, first, withEditedCue);
  if (!IsHeadingShotOrLockedHeading(first->Kind())) return {};
  return NameOfCue(script, first->next, withEditedCue);
}

// The names of the current scene's cues, the cue being edited read from
// the edit line.
std::vector<std::string> SpeakersOfCurrentScene(TMDIChild& script) {
  std::vector<std::string> speakers;
  TScriptElement* start = script.CurrentElement();
  while (start && start->prev && !StartsScene(start->Kind())) start = start->prev;
  for (TScriptElement* e = start; e; e = e->next) {
    if (e != start && StartsScene(e->Kind())) break;
    if (e->Kind() != ekCharacterName) continue;
    const std::string& text = e->text ? *e->text : script.EditBuffer();
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

void BuildCharacterNameTable(bool withEditedCue) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  TScriptListData& data = ListData(*script);
  if (data.ScreenUpdatingSuspended) return;
  data.NameTable.Clear();
  for (const TScriptElement* e = script->FirstElement; e; e = e->next) {
    if (!StartsGroup(*e)) continue;
    data.NameTable.Add(NameOfGroup(*script, e, withEditedCue));
  }
  for (const std::string& entry : LeadingEntries(RecordOf(*script).UserLists, TUserList::CharNames))
    data.NameTable.Add(AnsiUpperCase(DisplayText(entry)));
}

void FreeCharacterNameTable() {
  if (TMDIChild* script = ActiveScript()) ListData(*script).NameTable.Clear();
}

bool CollectCharacterNames(char firstLetter, bool showMessage, bool dropHidden, TStringList& target, bool keepSpeakers,
                           bool withEditedCue) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  BuildCharacterNameTable(withEditedCue);
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
