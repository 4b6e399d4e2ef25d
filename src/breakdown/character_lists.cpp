#include "breakdown/character_lists.h"

#include <algorithm>
#include <unordered_set>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/option_keys.h"
#include "base/prompt_table.h"
#include "breakdown/associations.h"
#include "breakdown/breakdown_record.h"
#include "breakdown/categories.h"
#include "breakdown/character_lists_dialog.h"
#include "language/character_names.h"
#include "platform/controls.h"
#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/stringlist.h"
#include "printing/print_names.h"
#include "script/editing/editor_calls.h"
#include "script/layout/char_widths.h"
#include "script/model/element_kinds.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

constexpr const char* Section = "Character Lists";
constexpr std::size_t MaxListedNames = 255;
constexpr int CastMembersCategory = 2;
constexpr int ExtrasCategory = 5;

// The inline codes a name may touch on either side.
bool IsInlineCode(Byte b) { return b == 2 || b == 3 || (b >= 13 && b <= 22) || (b >= 25 && b <= 30); }

// Bytes the search does not see.
bool IsDroppedByte(Byte b) {
  return b == 2 || b == 3 || (b >= 13 && b <= 22) || (b >= 24 && b <= 30) || b == '~' || b == 167;
}

bool IsCombinedCueText(const std::string& upper) {
  return upper.find_first_of("\\&/") != std::string::npos || upper.find(" AND ") != std::string::npos;
}

bool LeftEdgeChar(Byte b) { return IsInlineCode(b) || b == ' ' || b == '(' || b == ')' || b == '<' || b == '>'; }
bool RightEdgeChar(Byte b) {
  return IsInlineCode(b) || std::string_view(" !(),./<>\\").find(static_cast<char>(b)) != std::string_view::npos;
}

std::string UpperPlainHeading(const TScriptElement& heading) { return AnsiUpperCase(PlainText(ElementText(heading))); }

std::string LocationPart(const std::string& upperHeading) {
  const std::size_t blank = upperHeading.find(' ');
  return blank == std::string::npos ? std::string() : upperHeading.substr(blank + 1);
}

// The cast and extras associated with the heading's location, when its
// INT/EXT fits the association.
std::vector<std::string> LocationCast(const TAssociationLists& lists, const std::string& upperHeading) {
  std::vector<std::string> items;
  if (lists.Locations.empty()) return items;
  const std::string location = LocationPart(upperHeading);
  const std::string intExt = upperHeading.substr(0, 3);
  for (const TAssociationEntry& entry : lists.Locations) {
    if (entry.Name.empty() || !location.starts_with(AnsiUpperCase(entry.Name))) continue;
    const Byte rule = entry.Chain.empty() ? Byte{ieBoth} : entry.Chain.front().IntExt;
    if ((rule == ieIntOnly && intExt != "INT") || (rule == ieExtOnly && intExt != "EXT")) return items;
    for (const TAssociation& a : entry.Chain)
      if (a.Category == CastMembersCategory || a.Category == ExtrasCategory)
        items.insert(items.end(), a.Items.begin(), a.Items.end());
    return items;
  }
  return items;
}

// Every letter at the start or after a blank or "(" upper case.
void CapitaliseWords(std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i == 0 || text[i - 1] == ' ' || text[i - 1] == '(')
      text[i] = static_cast<char>(AnsiUpper(static_cast<Byte>(text[i])));
}

// One generation: the continuation marks and the two name lists of the
// scene being read.
class TListGenerator {
 public:
  TListGenerator(TMDIChild& script, const TCharacterListRun& run)
      : script_(script), run_(run), names_(run.Names), associations_(ScriptAssociations(script)) {}

  void Run() {
    TScriptElement* anchor = script_.CurrentElement();
    int offset = 0;
    while (anchor && anchor->prev &&
           (anchor->prev->Kind() == ekCharacterName || anchor->prev->Kind() == ekAutoPageBreak)) {
      anchor = anchor->prev;
      ++offset;
    }
    editor::Assemble(script_);
    MarkContinuations();
    ShowPleaseWait("Generating Character Lists", true, false);
    TScriptElement* heading = nullptr;
    TScriptElement* body = FindSceneStart(script_.FirstElement, heading);
    while (heading) {
      ReadScene(body);
      TScriptElement* nextHeading = nullptr;
      TScriptElement* nextBody = FindSceneStart(body, nextHeading);
      WriteList(*heading);
      heading = nextHeading;
      body = nextBody;
      TickPleaseWait();
    }
    ClosePleaseWait();
    ReturnCaret(anchor, offset);
  }

 private:
  bool IsSceneStart(const TScriptElement& e) const { return IsListedHeading(e) && !continuations_.contains(&e); }

  void MarkContinuations() {
    if (!run_.Options.AfterFirst) return;
    const bool sceneInformation = UsesSceneInformation(script_);
    // Headings before the first section opener stand alone.
    bool inSection = false;
    bool started = false;
    for (TScriptElement* e = script_.FirstElement; e; e = e->next) {
      if (OpensSection(e->Kind(), sceneInformation)) {
        inSection = true;
        started = false;
      }
      if (!inSection || !IsListedHeading(*e)) continue;
      if (started) continuations_.insert(e);
      started = true;
    }
  }

  // From `from` on: the next scene start with an element after it, and
  // the first element of its scene body (past headings right after it
  // and the list under it).
  TScriptElement* FindSceneStart(TScriptElement* from, TScriptElement*& heading) {
    heading = nullptr;
    for (TScriptElement* e = from; e; e = e->next)
      if (IsSceneStart(*e) && e->next) {
        heading = e;
        break;
      }
    if (!heading) return nullptr;
    ShowPleaseWait("Scene " + std::to_string(script_.DisplayNumber(heading->group)), true, false);
    TScriptElement* body = heading->next;
    while (body && IsSceneStart(*body)) body = body->next;
    if (body && body->prev && IsListedHeading(*body->prev) && IsGeneratedList(*body)) body = body->next;
    return body;
  }

  void ReadScene(TScriptElement* body) {
    primary_.clear();
    secondary_.clear();
    for (TScriptElement* e = body; e && !IsSceneStart(*e); e = e->next) ReadElement(*e);
    for (int n : secondary_)
      if (primary_.size() < MaxListedNames) primary_.push_back(n);
    secondary_.clear();
    Reorder();
  }

  void ReadElement(const TScriptElement& e) {
    const Byte kind = e.Kind();
    const bool action = kind == ekAction;
    if (kind != ekCharacterName && kind != ekScriptNote && !(action && run_.Options.NonSpeaking)) return;
    std::string text = ElementText(e);
    if (kind == ekCharacterName) {
      if (const std::size_t paren = text.find('('); paren != std::string::npos) text.erase(paren);
      TrimTrailingBlanks(text);
    } else {
      TakeTaggedNames(text);
      if (kind == ekScriptNote) return;
    }
    text = AnsiUpperCase(text);
    std::erase_if(text, [](char ch) { return IsDroppedByte(static_cast<Byte>(ch)); });
    const bool combined = kind == ekCharacterName && IsCombinedCueText(text);
    for (std::size_t i = 1; i <= names_.size() && i <= MaxListedNames; ++i) {
      const int n = static_cast<int>(i);
      if (Has(primary_, n)) continue;
      if (Has(secondary_, n) && !(run_.Options.SortOrder == nsSpeakersFirst && kind == ekCharacterName)) continue;
      const std::string& name = names_[i - 1];
      if (action && (name == "MAN" || name == "WOMAN" || name == "VOICE")) continue;
      if (!Occurs(text, name, action || combined, combined)) continue;
      if (run_.Options.SortOrder == nsSpeakersFirst && !action) {
        Append(primary_, n);
        std::erase(secondary_, n);
      } else {
        Append(secondary_, n);
      }
    }
  }

  // Cast and extras tagged in the text are names of the scene.
  void TakeTaggedNames(const std::string& text) {
    BreakdownRecord tags;
    std::string copy = text;
    ExtractTaggedItems(tags, copy, CodeSetOf(script_));
    for (const auto slot : {rsCastMembers, rsExtras})
      for (const std::string& item : tags.Items[slot]) {
        const std::string name = AnsiUpperCase(item);
        if (name.empty()) continue;
        auto at = std::find(names_.begin(), names_.end(), name);
        if (at == names_.end()) at = names_.insert(names_.end(), name);
        const int n = static_cast<int>(at - names_.begin()) + 1;
        if (n <= static_cast<int>(MaxListedNames) && !Has(secondary_, n) && !Has(primary_, n)) Append(secondary_, n);
      }
  }

  bool StartsLongerName(const std::string& text, std::size_t at, const std::string& name) const {
    const std::string rest = PlainUpperText(std::string_view(text).substr(at));
    return std::any_of(names_.begin(), names_.end(),
                       [&](const std::string& other) { return other.size() > name.size() && rest.starts_with(other); });
  }

  bool Occurs(const std::string& text, const std::string& name, bool looseRight, bool combined) const {
    if (name.empty()) return false;
    std::size_t at = text.find(name);
    while (at != std::string::npos) {
      const std::size_t after = at + name.size();
      if (StartsLongerName(text, at, name)) {
        at = text.find(name, after);
        continue;
      }
      if (at > 0 && !combined && !LeftEdgeChar(static_cast<Byte>(text[at - 1]))) {
        at = text.find(name, at + 1);
        continue;
      }
      if (after == text.size() || (looseRight && RightEdgeChar(static_cast<Byte>(text[after])))) return true;
      at = text.find(name, after);
    }
    return false;
  }

  static bool Has(const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); }
  static void Append(std::vector<int>& list, int n) {
    if (list.size() < MaxListedNames) list.push_back(n);
  }

  // Alphabetical and user-list orders: the positions taken in ascending
  // order go in front.
  void Reorder() {
    const int order = run_.Options.SortOrder;
    int upTo = 0;
    if (order == nsAlphabetical || order == nsUserListAlphabetical) upTo = static_cast<int>(names_.size());
    else if (order == nsUserListSpeaking)
      upTo = static_cast<int>(LeadingEntries(script_.UserLists, TUserList::CharNames).size());
    if (upTo == 0) return;
    std::vector<int> front;
    for (int n = 1; n <= upTo; ++n)
      if (Has(primary_, n)) front.push_back(n);
    for (int n : primary_)
      if (n > upTo) front.push_back(n);
    primary_ = std::move(front);
  }

  bool AtmosphereApplies(const std::string& location) const {
    if (run_.AtmosphereLocations.empty() || script_.AtmosphereText.empty()) return false;
    return std::any_of(run_.AtmosphereLocations.begin(), run_.AtmosphereLocations.end(),
                       [&](const std::string& a) { return !a.empty() && location.starts_with(AnsiUpperCase(a)); });
  }

  std::string ListText(const TScriptElement& heading) const {
    const TScriptRecord& record = script_;
    const bool parentheses = record.CharacterListParentheses == 0;
    const std::string upperHeading = UpperPlainHeading(heading);
    const std::size_t room = static_cast<std::size_t>(EditBufferSize - 2);
    std::string text = parentheses ? "(" : "";
    for (std::size_t i = 0; i < primary_.size(); ++i) {
      const std::string piece = (i == 0 ? "" : ", ") + AnsiLowerCase(names_[static_cast<std::size_t>(primary_[i] - 1)]);
      if (text.size() + piece.size() < room) text += piece;
    }
    if (AtmosphereApplies(LocationPart(upperHeading))) text += ", " + record.AtmosphereText;
    for (const std::string& item : LocationCast(associations_, upperHeading)) {
      if (AnsiUpperCase(text).find(AnsiUpperCase(item)) != std::string::npos) continue;
      const std::string piece = (text.empty() || text.back() == '(' ? "" : ", ") + AnsiLowerCase(item);
      if (text.size() + piece.size() < room) text += piece;
    }
    CapitaliseWords(text);
    if (parentheses) text += ")";
    return text;
  }

  void WriteList(TScriptElement& heading) {
    const std::string upperHeading = UpperPlainHeading(heading);
    if (primary_.empty() && LocationCast(associations_, upperHeading).empty()) return;
    const std::string text = ListText(heading);
    TElementFormat format = script_.FormatSet[fsAction];
    format.Kind = ekAction;
    format.LinesBefore = 0;
    format.NumberWord = CharacterListMark;
    format.AllCaps = run_.Options.AllCaps ? 1 : 0;
    if (run_.Options.Bold) format.Style = stBold;
    if (heading.next && IsGeneratedList(*heading.next)) {
      editor::TakeElement(script_, *heading.next);
      script_.CurrentElement()->format = format;
    } else {
      editor::TakeElement(script_, heading);
      editor::SetCaretColumn(script_, script_.EditBuffer().size());
      editor::NewElement(script_, format, true);
    }
    editor::SetEditText(script_, text);
    editor::RewrapCurrent(script_);
    editor::Assemble(script_);
  }

  void ReturnCaret(TScriptElement* anchor, int offset) {
    TScriptElement* e = anchor ? anchor : script_.FirstElement;
    for (; offset > 0 && e && e->next; --offset) e = e->next;
    if (e) editor::TakeElement(script_, *e);
    else editor::DisAssemble(script_);
    continuations_.clear();
    script_.RefreshKeepingCursor();
  }

  TMDIChild& script_;
  const TCharacterListRun& run_;
  std::vector<std::string> names_;
  TAssociationLists associations_;
  std::unordered_set<const TScriptElement*> continuations_;
  std::vector<int> primary_;
  std::vector<int> secondary_;
};

}  // namespace

namespace {

using ListKey = OptionKey<TCharacterListOptions>;

const ListKey ListKeys[] = {
    ListKey::Number(Section, "Sort Order", &TCharacterListOptions::SortOrder, {}, 0, 4),
    ListKey::Flag(Section, "All Caps", &TCharacterListOptions::AllCaps),
    ListKey::Flag(Section, "Non-Speaking", &TCharacterListOptions::NonSpeaking),
};
const ListKey AfterFirstKey = ListKey::Flag(Section, "After First", &TCharacterListOptions::AfterFirst);

}  // namespace

TCharacterListOptions ReadCharacterListOptions(const TIniFile& ini, const TScriptDocument& script) {
  TCharacterListOptions o;
  ReadOptionKeys(ini, o, ListKeys);
  ReadOptionKey(ini, o, AfterFirstKey);
  o.AfterFirst = o.AfterFirst && UsesSceneInformation(script);
  return o;
}

void WriteCharacterListOptions(TIniFile& ini, const TCharacterListOptions& o, const TScriptDocument& script) {
  WriteOptionKeys(ini, o, ListKeys);
  if (UsesSceneInformation(script)) WriteOptionKey(ini, o, AfterFirstKey);
}

bool UsesSceneInformation(const TScriptDocument& script) { return script.SceneInformationOff == 0; }

bool IsGeneratedList(const TScriptElement& e) {
  return e.Kind() == ekAction && ((e.format.NumberWord >> 8) == 150 || e.format.NumberWord == 150);
}

std::vector<std::string> AtmosphereCandidates(const TScriptDocument& script) {
  std::vector<std::string> out;
  for (int slot = 1; slot <= 10; ++slot) {
    const std::string& entry = UserListEntry(script.UserLists, TUserList::SceneBodyText, slot);
    if (!entry.empty()) out.push_back(entry);
  }
  return out;
}

std::vector<std::string> PrepareListNames(TMDIChild& script, int sortOrder) {
  TStringList list;
  // The names table reads stored cues only.
  const bool found =
      editor::WithEditLineStored(script, [&] { return CollectCharacterNames(0, false, false, list, false); });
  if (!found) return {};
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
  if (sortOrder == nsAlphabetical || sortOrder == nsUserListAlphabetical) std::sort(names.begin(), names.end());
  if (sortOrder == nsUserListAlphabetical || sortOrder == nsUserListSpeaking) {
    for (int slot = 15; slot >= 1; --slot) {
      const std::string& entry = UserListEntry(script.UserLists, TUserList::CharNames, slot);
      if (entry.empty()) continue;
      const std::string name = ListItemText(entry, false, false);
      std::erase(names, name);
      names.insert(names.begin(), name);
    }
  }
  // A joint cue lists each of its people, never itself.
  std::erase_if(names, [](const std::string& name) {
    return name.find_first_of("/&") != std::string::npos || AnsiUpperCase(name).find(" AND ") != std::string::npos;
  });
  return names;
}

void GenerateAllLists(TMDIChild& script, const TCharacterListRun& run) {
  const int cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  TListGenerator(script, run).Run();
  Screen->SetCursor(cursor);
}

void RunCharacterListGeneration(TMDIChild& script, const TCharacterListRun& run) {
  editor::SaveSettingsUndoStep(script);
  editor::SetActiveScriptModifiedUnrevised();
  script.CharacterListsGenerated = 1;
  TCharacterListRun kept;
  kept.Options = run.Options;
  kept.AtmosphereLocations = run.AtmosphereLocations;
  TStringList names;
  for (const std::string& name : run.Names) names.Add(name);
  if (names.Count() > 0) RemoveCombinedNames(names);
  for (int i = 0; i < names.Count(); ++i) kept.Names.push_back(names[i]);
  TIniFile ini = OpenSettingsFile();
  WriteCharacterListOptions(ini, run.Options, script);
  GenerateAllLists(script, kept);
  ClosePleaseWait();
}

void GenerateCharacterLists(bool showDialog) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  const TIniFile ini = OpenSettingsFile();
  TCharNameListDlg dialog(Application, *script);
  dialog.Preset(ini);
  if (showDialog) {
    if (dialog.ShowModal() != mrOk) return;
  } else if (!dialog.Confirm()) {
    return;
  }
  RunCharacterListGeneration(*script, dialog.Run());
  if (showDialog) ShowMessageBox("All Character Lists have been Generated!", PromptTable(13));
}

int RemoveAllLists(TMDIChild& script) {
  editor::Assemble(script);
  int removed = 0;
  TScriptElement* e = script.FirstElement;
  while (e) {
    TScriptElement* next = e->next;
    if (e->prev && IsListedHeading(*e->prev) && IsGeneratedList(*e) && script.FirstElement != script.LastElement) {
      editor::TakeElement(script, *e);
      editor::SetEditText(script, "");
      editor::DeleteCurrentElement(script);
      editor::Assemble(script);
      ++removed;
    }
    e = next;
  }
  return removed;
}

void RemoveCharacterLists() {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  if (!AskTypeYes("Do you REALLY want me to remove all character Lists from under each scene heading?  This is NOT "
                  "needed to regenerate your lists.",
                  PromptTable(6)))
    return;
  editor::SaveSettingsUndoStep(*script);
  script->CharacterListsGenerated = 0;
  editor::SetActiveScriptModifiedUnrevised();
  RemoveAllLists(*script);
  editor::TakeElement(*script, *script->FirstElement);
  script->RefreshKeepingCursor();
  ShowMessageBox("Removal of Character Lists is complete.", PromptTable(13));
}

}  // namespace qm
