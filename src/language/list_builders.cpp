#include "language/list_builders.h"

#include <algorithm>
#include <vector>

#include "script/editing/editor_calls.h"
#include "script/model/element_kinds.h"
#include "language/pick_list.h"
#include "script/editing/script_list_data.h"
#include "language/user_lists.h"
#include "platform/cp1252.h"
#include "platform/messages.h"
#include "platform/stringlist.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"
#include "base/program_options.h"

namespace qm {

namespace {

constexpr size_t MaxNumberChars = 6;
constexpr size_t MaxAppendedLine = 2304;
// The act and scene numbering style that shows letters.
constexpr Byte LettersStyle = 2;

bool IsLocationKind(TPopupListKind kind) { return kind == plLocationsAndUserList || kind == plLocations; }
bool IsSceneListKind(TPopupListKind kind) { return kind == plScenesWithLabels || kind == plBranchTargets; }
bool IsSortedKind(TPopupListKind kind) { return IsLocationKind(kind) || kind == plShots || kind == plTransitions; }

// Hard spaces and hard dashes as a blank and "-".
std::string CleanCodes(std::string text) {
  ReplaceChars(std::string{static_cast<char>(HardSpace), static_cast<char>(HardDash)}, " -", text);
  return text;
}

// Lower case, double blanks folded, a capital first and after each blank.
std::string TitleCase(const std::string& text) {
  std::string lower = AnsiLowerCase(text);
  std::string result;
  for (char ch : lower) {
    if (ch == ' ' && !result.empty() && result.back() == ' ') continue;
    const bool capital = result.empty() || result.back() == ' ';
    result.push_back(capital ? UpCaseChar(ch) : ch);
  }
  return result;
}

std::string NumberOrLetter(int number, bool asLetter) {
  if (asLetter && number >= 1 && number <= 26) return std::string(1, static_cast<char>('A' + number - 1));
  return std::to_string(number);
}

void RemoveLeading(std::string& text, std::string_view chars) {
  text.erase(0, std::min(text.find_first_not_of(chars), text.size()));
}

// The act and scene labels the walk carries from the act and scene
// information elements to the headings after them.
struct Labels {
  std::string act;
  std::string scene;
  friend bool operator==(const Labels&, const Labels&) = default;
};

class EntryBuilder {
 public:
  EntryBuilder(const TScriptDocument& script, TPopupListKind kind, TStringList& items)
      : script_(script), kind_(kind), items_(items) {
    for (const std::string& entry : LeadingEntries(RecordOf(script).UserLists, TUserList::SceneText))
      prefixes_.push_back(AnsiUpperCase(DisplayText(entry)));
  }

  void Take(TScriptElement& e) {
    if (IsSceneListKind(kind_) && !IsHiddenFromLists(e)) TakeLabel(e);
    if (!MakesEntry(e)) return;
    std::string entry = EntryFor(e);
    if (entry.empty()) return;
    if (kind_ != plBranchTargets) {
      items_.Add(entry);
      return;
    }
    if (labels_ == lastTarget_) return;
    lastTarget_ = labels_;
    items_.AddObject(entry, new TScenePtrObject(&e));
  }

 private:
  void TakeLabel(const TScriptElement& e) {
    switch (e.Kind()) {
      case ekActInformation:
      case ekActStart:
      case ekPrologueText: {
        std::string label = PlainText(ElementText(e));
        if (e.Kind() != ekPrologueText)
          label +=
              " " + NumberOrLetter(script_.DisplayNumber(e.group), RecordOf(script_).ActDisplayStyle == LettersStyle);
        labels_.act = TitleCase(CleanCodes(label));
        labels_.scene.clear();
        break;
      }
      case ekSceneInformation:
      case ekLockedSceneInformation: {
        const std::string label =
            PlainText(ElementText(e)) + " " +
            NumberOrLetter(script_.DisplayNumber(e.group), RecordOf(script_).SceneInfoDisplayStyle == LettersStyle);
        labels_.scene = TitleCase(CleanCodes(label));
        break;
      }
      default: break;
    }
  }

  bool MakesEntry(const TScriptElement& e) const {
    switch (kind_) {
      case plShots: return e.Kind() == ekShot;
      case plTransitions: return e.Kind() == ekTransition;
      default: return IsListedHeading(e);
    }
  }

  std::string PaddedNumber(const TScriptElement& e) const {
    std::string number = script_.SceneNumberText(e).substr(0, MaxNumberChars);
    TrimTrailingBlanks(number);
    if (number.empty()) return number;
    const size_t length = number.size();
    const size_t blanks = script_.ScenesLocked ? (length <= 4 ? 6 - length : 1) : (length <= 2 ? 4 - length : 1);
    return number + std::string(blanks, ' ');
  }

  std::string EntryFor(const TScriptElement& e) const {
    const bool numbered = kind_ == plScenesWithLabels || kind_ == plScenes || kind_ == plBranchTargets;
    std::string entry = numbered && labels_.scene.empty() ? PaddedNumber(e) : std::string();
    if (!labels_.act.empty() && labels_.scene.empty())
      entry = entry.empty() ? labels_.act + " " : entry + "(" + labels_.act + ") ";
    entry += CleanCodes(PlainUpperText(ElementText(e)));
    if (IsLocationKind(kind_)) return LocationOf(entry);
    if (IsSceneListKind(kind_) && !labels_.scene.empty())
      entry = (labels_.act.empty() ? "" : labels_.act + "/") + labels_.scene + ": " + entry;
    return entry;
  }

  std::string LocationOf(std::string entry) const {
    for (const std::string& prefix : prefixes_)
      if (!prefix.empty() && entry.starts_with(prefix)) {
        entry.erase(0, prefix.size());
        RemoveLeading(entry, " ");
      }
    if (script_.ScenesLocked && SameText(entry, RecordOf(script_).SceneOmitText)) return {};
    RemoveLeading(entry, " -");
    entry = SplitLocationTimeOfDay(BuildTimeOfDaySeparator(), entry);
    return entry.empty() ? " " : entry;
  }

  const TScriptDocument& script_;
  TPopupListKind kind_;
  TStringList& items_;
  std::vector<std::string> prefixes_;
  Labels labels_;
  Labels lastTarget_;
};

void AddUserEntries(TPopupListKind kind, const TUserListTables& lists, TStringList& items) {
  TUserList list;
  switch (kind) {
    case plShots: list = TUserList::ShotText; break;
    case plTransitions: list = TUserList::Transition; break;
    case plLocationsAndUserList: list = TUserList::SceneBodyText; break;
    default: return;
  }
  for (const std::string& entry : LeadingEntries(lists, list)) items.Add(entry);
}

void SortWithoutRepeats(TStringList& items) {
  items.SetSorted(true);
  for (int i = 0; i + 1 < items.Count();) {
    if (items[i] == items[i + 1]) items.Delete(i + 1);
    else ++i;
  }
}

// Locations the writer hid leave the list; hidden ones the script no
// longer has leave the hidden list.
void DropHiddenLocations(TStringList& hidden, TStringList& items) {
  for (int i = hidden.Count() - 1; i >= 0; --i) {
    const int index = items.IndexOf(hidden[i]);
    if (index >= 0) items.Delete(index);
    else hidden.Delete(i);
  }
}

// The entry of the current scene in the list that was built: scenes and
// branch targets counted from the top of the script to the caret's
// element, as the list holds them.
int CurrentSceneIndex(TMDIChild& script, TPopupListKind kind, const TStringList& items) {
  std::vector<const TScriptElement*> targets;
  for (int i = 0; i < items.Count(); ++i)
    if (auto* ptr = dynamic_cast<TScenePtrObject*>(items.Objects(i))) targets.push_back(ptr->Element);
  int count = 0;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (kind == plBranchTargets ? std::find(targets.begin(), targets.end(), e) != targets.end() : IsListedHeading(*e))
      ++count;
    if (e == script.CurrentElement()) break;
  }
  return count - 1;
}

TScriptElement* NthVisibleHeading(const TScriptDocument& script, int n) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsListedHeading(*e) && --n == 0) return e;
  return nullptr;
}

// The element a branch-target entry stands for, while it is still in
// the script.
TScriptElement* ElementStillThere(const TScriptDocument& script, const TScriptElement* wanted) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e == wanted) return e;
  return nullptr;
}

}  // namespace

bool BuildPopupList(TPopupListKind kind, TStringList& items) {
  items.SetSorted(false);
  items.Clear();
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  editor::Assemble(*script);
  AddUserEntries(kind, RecordOf(*script).UserLists, items);
  EntryBuilder builder(*script, kind, items);
  for (TScriptElement* e = script->FirstElement; e; e = e->next)
    if (StartsGroup(*e)) builder.Take(*e);
  editor::DisAssemble(*script);
  if (IsSortedKind(kind)) SortWithoutRepeats(items);
  if (kind == plLocationsAndUserList) DropHiddenLocations(RecordOf(*script).HiddenLocations, items);
  return true;
}

std::string SplitLocationTimeOfDay(const std::string& separator, const std::string& heading) {
  std::string location = heading;
  TMDIChild* script = ActiveScript();
  if (ProgramOptions().StripKnownTimesOnly && script) {
    const std::string lead = separator + std::string(static_cast<size_t>(GetTimeOfDaySpaces(*script)), ' ');
    for (const std::string& entry : LeadingEntries(RecordOf(*script).UserLists, TUserList::TimeofDay)) {
      const size_t at = AnsiUpperCase(location).find(AnsiUpperCase(lead + DisplayText(entry)));
      if (at == std::string::npos) continue;
      location.resize(at + 1);
      break;
    }
  } else if (const size_t at = FindLastOccurrence(location, separator); at != std::string::npos) {
    location.resize(at);
  }
  while (!location.empty() && (location.back() == ' ' || location.back() == '\0')) location.pop_back();
  return ShortString(location);
}

std::string BuildTimeOfDaySeparator() {
  TMDIChild* script = ActiveScript();
  const int dashes = script ? GetTimeOfDayDashes(*script) : 1;
  return " " + std::string(static_cast<size_t>(std::clamp(dashes, 0, 9)), '-');
}

bool ShowElementPopup(bool quiet, Byte elementType, bool fromToolButton) {
  if (NoActiveDocument()) return false;
  TMDIChild& script = *ActiveScript();
  if (!ProgramOptions().UseQuickType && !fromToolButton) return false;
  TListMenu& menu = ListMenuInstance();
  menu.DoneWithList();
  const bool shotOrTransition = elementType == ekShot || elementType == ekTransition;
  const TPopupListKind kind = elementType == ekShot         ? plShots
                              : elementType == ekTransition ? plTransitions
                                                            : plLocationsAndUserList;
  BuildPopupList(kind, menu.List->Items);
  const TModalResult result = menu.ShowElementList(quiet);
  if (result == mrCancel) {
    if (shotOrTransition) editor::SetCaretColumn(script, 0);
    return false;
  }
  // Letters that matched no entry are the list's only entry and are
  // written as an accepted entry is (a shot with its blank); only no Enter
  // ends a transition the writer may go on typing.
  const bool picked = result == mrOk;
  const int selected = menu.List->ItemIndex();
  const std::string text = selected >= 0 ? InsertedText(menu.List->Items[selected]) : std::string();
  editor::DisAssemble(script);
  editor::ChangeEditText(script, [&](std::string& line) {
    if (shotOrTransition) line.clear();
    line += text;
    if (elementType == ekShot) line += ' ';
    if (line.size() > MaxAppendedLine) line.resize(MaxAppendedLine);
  });
  editor::SetCaretColumn(script, script.EditBuffer().size());
  editor::RedisplayCurrent(script);
  if (picked && elementType == ekTransition && ProgramOptions().UseQuickType) {
    const TScriptElement* next = script.CurrentElement() ? script.CurrentElement()->next : nullptr;
    const bool headingOrShotFollows = next && (IsSceneHeading(next->Kind()) || next->Kind() == ekShot);
    if (!headingOrShotFollows) editor::PassEnterKey(script);
  }
  return true;
}

void GotoSceneFromList(bool branchTargets) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  const bool extendBlock = IsKeyDownNow(VK_SHIFT);
  editor::SaveUndoStep(script, 3);
  SaveLastPosition(script, false);
  if (extendBlock) editor::AnchorBlockAtCaret(script);
  const TPopupListKind kind = branchTargets ? plBranchTargets : plScenesWithLabels;
  TListMenu& menu = ListMenuInstance();
  menu.DoneWithList();
  BuildPopupList(kind, menu.List->Items);
  const int current = CurrentSceneIndex(script, kind, menu.List->Items);
  if (menu.ShowGotoList(current) != mrOk) return;
  const int selected = menu.List->ItemIndex();
  if (selected < 0) return;
  TScriptElement* target = nullptr;
  if (kind == plScenesWithLabels) {
    target = NthVisibleHeading(script, selected + 1);
  } else if (auto* ptr = dynamic_cast<TScenePtrObject*>(menu.List->Items.Objects(selected))) {
    target = ElementStillThere(script, ptr->Element);
  }
  if (!target) return;
  if (extendBlock) editor::ReachBlockTo(script, *target);
  else editor::MoveCaretTo(script, *target);
  FocusActiveScript();
}

}  // namespace qm
