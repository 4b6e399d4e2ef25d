#include "language/alias_expansion.h"

#include <algorithm>
#include <vector>

#include "script/editing/script_list_data.h"
#include "language/user_lists.h"
#include "platform/cp1252.h"
#include "script/model/script_model.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"
#include "script/editing/editor_calls.h"

namespace qm {

namespace {

constexpr size_t MaxShotLine = 30;

// A candidate ending in one of these stands alone; any other must be
// followed by a blank to count as a whole word.
constexpr CharSet WordEndingPunctuation = CharSet{'!', '"', '$', '&', '\'', '(', ')', ',', '-', '.', ':', ';',
                                                  '?', '[', ']', '{', '}',  145, 146, 147, 148, 151, 171, 187};

Byte CurrentKind(const TMDIChild& script) {
  return script.CurrentElement() ? script.CurrentElement()->Kind() : Byte{ekAction};
}

// What the writer may type for an entry: its alias, then its text.
std::vector<std::string> Candidates(const std::string& entry, bool textOnly) {
  std::vector<std::string> candidates;
  if (!textOnly) candidates.push_back(AnsiUpperCase(ListItemKey(entry)));
  candidates.push_back(AnsiUpperCase(DisplayText(entry)));
  std::erase_if(candidates, [](const std::string& c) { return c.empty(); });
  return candidates;
}

struct PrefixCheck {
  TUserList list;
  bool wholeLine;
  bool boundaryNeeded;
};

bool StartsWithWord(const TMDIChild& script, size_t start, const std::string& upperLine, const std::string& candidate,
                    bool boundaryNeeded) {
  if (!upperLine.starts_with(candidate)) return false;
  if (!boundaryNeeded || WordEndingPunctuation.Contains(candidate.back())) return true;
  const size_t after = start + candidate.size();
  return after < script.EditBuffer().size() && script.EditBuffer()[after] == ' ' &&
         candidate.size() != static_cast<size_t>(script.CaretColumn()) + 1;
}

bool ExpandPrefix(TMDIChild& script, const PrefixCheck& check, bool testOnly) {
  const std::string& line = script.EditBuffer();
  size_t start = 0;
  while (start < line.size() && CodeCharSet.Contains(line[start])) ++start;
  const std::string upperLine = AnsiUpperCase(line.substr(start));
  const std::string plainLine = PlainUpperText(line);
  for (const std::string& entry : LeadingEntries(RecordOf(script).UserLists, check.list))
    for (const std::string& candidate : Candidates(entry, check.wholeLine)) {
      const bool match = check.wholeLine ? plainLine == candidate
                                         : StartsWithWord(script, start, upperLine, candidate, check.boundaryNeeded);
      if (!match) continue;
      if (testOnly) return true;
      if (!check.wholeLine)
        editor::ChangeEditText(script,
                               [&](std::string& text) { text.replace(start, candidate.size(), InsertedText(entry)); });
      editor::SetCaretColumn(script, line.size());
      return true;
    }
  return false;
}

bool ExpandWholeLine(TMDIChild& script, const std::vector<std::string>& entries, bool testOnly) {
  const std::string plainLine = PlainUpperText(script.EditBuffer());
  for (const std::string& entry : entries)
    for (const std::string& candidate : Candidates(entry, false)) {
      if (plainLine != candidate) continue;
      if (testOnly) return true;
      editor::SetEditText(script, InsertedText(entry).substr(0, EditBufferSize));
      editor::SetCaretColumn(script, script.EditBuffer().size());
      return true;
    }
  return false;
}

std::vector<std::string> EntriesOf(TMDIChild& script, TUserList list, int slot) {
  const std::string& entry = UserListEntry(RecordOf(script).UserLists, list, slot);
  return entry.empty() ? std::vector<std::string>{} : std::vector<std::string>{entry};
}

bool ExpandSingleEntry(TUserList list, int slot) {
  TMDIChild* script = ActiveScript();
  return script && ExpandWholeLine(*script, EntriesOf(*script, list, slot), false);
}

}  // namespace

bool ExpandSceneTextAlias(bool wholeLine, bool testOnly) {
  TMDIChild* script = ActiveScript();
  return script && ExpandPrefix(*script, {TUserList::SceneText, wholeLine, true}, testOnly);
}

bool ExpandShotTextAlias(bool testOnly) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  const Byte kind = CurrentKind(*script);
  const bool interactive = RecordOf(*script).InteractiveScript;
  if (IsDialogueOrParenthetical(kind) || script->EditBuffer().size() > MaxShotLine) return false;
  if (interactive && kind == ekCharacterName) return false;
  return ExpandPrefix(*script, {TUserList::ShotText, false, !interactive}, testOnly);
}

bool ExpandTransitionAlias(bool testOnly) {
  TMDIChild* script = ActiveScript();
  if (!script || IsDialogueOrParenthetical(CurrentKind(*script))) return false;
  const std::string& line = script->EditBuffer();
  const bool oneLine = script->CurrentElement() && script->CurrentElement()->lineCount == 1;
  if (line.size() > 3 && oneLine && AnsiUpperCase(line.substr(line.size() - 4)) == " TO:") return true;
  return ExpandPrefix(*script, {TUserList::Transition, false, true}, testOnly);
}

bool ExpandPrologueOrTagAlias(bool testOnly) {
  TMDIChild* script = ActiveScript();
  if (!script || IsDialogueOrParenthetical(CurrentKind(*script))) return false;
  std::vector<std::string> entries = LeadingEntries(RecordOf(*script).UserLists, TUserList::PrologueText);
  for (std::string& tag : EntriesOf(*script, TUserList::TagText, 1)) entries.push_back(std::move(tag));
  return ExpandWholeLine(*script, entries, testOnly);
}

bool ExpandActTextAlias() { return ExpandSingleEntry(TUserList::ActText, 1); }

bool ExpandSameActAlias() { return ExpandSingleEntry(TUserList::ActText, 2); }

bool ExpandNewSceneAlias() {
  TMDIChild* script = ActiveScript();
  return script && RecordOf(*script).ScenesWithinActs && ExpandSingleEntry(TUserList::ActText, 3);
}

bool ExpandEndOfActAlias() { return ExpandSingleEntry(TUserList::EndofActText, 1); }

bool StripCharacterExtension(std::string& cueText) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  std::vector<std::string> extensions{RecordOf(*script).CharacterContinuedText};
  for (std::string& entry : LeadingEntries(RecordOf(*script).UserLists, TUserList::Extension))
    extensions.push_back(std::move(entry));
  const std::string upperCue = AnsiUpperCase(cueText);
  for (const std::string& extension : extensions) {
    if (extension.empty()) continue;
    std::string pattern = " (" + AnsiUpperCase(extension) + ")";
    std::erase_if(pattern, [](char ch) { return ch == '&' || ch == '~'; });
    if (upperCue.find(pattern) == std::string::npos) continue;
    CutAtParenthesis(cueText);
    return true;
  }
  return false;
}

}  // namespace qm
