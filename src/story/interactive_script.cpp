#include "story/interactive_script.h"

#include <algorithm>
#include <cctype>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/forms.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/message_pump.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm::story {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Digits past this many cannot name a 16-bit number; reading stops adding.
constexpr unsigned long NoSuchNumber = 0x10000;

unsigned long ReadNumber(std::string_view digits) {
  unsigned long n = 0;
  for (char c : digits) {
    n = n * 10 + static_cast<unsigned long>(c - '0');
    if (n >= NoSuchNumber) return NoSuchNumber;
  }
  return n;
}

const TNumberObject* FindRecord(const std::vector<TNumberObject>& map, unsigned long oldNumber) {
  for (const auto& record : map)
    if (record.oldNumber == oldNumber) return &record;
  return nullptr;
}

}  // namespace

std::string BranchTargetLabel(std::string_view headingText, Word number) {
  return PlainUpperText(headingText) + " (" + std::to_string(number) + ")";
}

std::string BranchTargetLabel(const TScriptDocument& script, const TScriptElement& target) {
  return BranchTargetLabel(LiveElementText(script, target), TargetNumber(target));
}

TScriptElement* FindBranchTarget(const TScriptDocument& script, int number) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsBranchTarget(*e) && TargetNumber(*e) == number) return e;
  return nullptr;
}

TScriptElement* AppendBranchTarget(TMDIChild& script, const std::string& text) {
  editor::Assemble(script);
  TScriptElement* back = script.CurrentElement();
  const Word column = script.CaretColumn();
  const Word line = script.CaretLine();
  int highest = 0;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsBranchTarget(*e)) highest = std::max<int>(highest, TargetNumber(*e));
  editor::MoveCaretToScriptEnd(script);
  TScriptElement* target = editor::NewElement(script, script.FormatSet[fsSceneHeading], true);
  target->format.NumberWord = static_cast<Word>(highest + 1);
  editor::SetEditText(script, text);
  editor::RedisplayCurrent(script);
  // The new target's line is the one changed.
  editor::SetActiveScriptModified();
  editor::MoveCaretTo(script, *back);
  editor::SetCaret(script, column, line);
  return target;
}

std::vector<TReference> FindReferences(std::string_view text) {
  std::vector<TReference> found;
  for (std::size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open + 1)) {
    const std::size_t close = text.find(')', open + 1);
    if (close == std::string_view::npos) break;
    const std::string_view digits = text.substr(open + 1, close - open - 1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) continue;
    found.push_back({open + 1, digits.size(), ReadNumber(digits)});
    open = close;
  }
  return found;
}

std::optional<unsigned long> FirstJumpNumber(std::string_view text) {
  const std::size_t open = text.find('(');
  if (open == std::string_view::npos || open + 1 >= text.size() || !IsDigit(text[open + 1])) return std::nullopt;
  std::size_t end = open + 1;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return ReadNumber(text.substr(open + 1, end - open - 1));
}

std::string RenumberReferences(std::string_view text, const std::vector<TNumberObject>& map, bool* missing) {
  std::string result;
  std::size_t copied = 0;
  for (const TReference& ref : FindReferences(text)) {
    result.append(text.substr(copied, ref.start - copied));
    if (ref.number == ReturnNumber) {
      result += std::to_string(ReturnNumber);
    } else if (const TNumberObject* record = FindRecord(map, ref.number)) {
      result += std::to_string(record->newNumber);
    } else {
      result += "??";
      if (missing) *missing = true;
    }
    copied = ref.start + ref.length;
  }
  result.append(text.substr(copied));
  return result;
}

int RenumberTargets(TMDIChild& script, bool* missing) {
  editor::Assemble(script);
  std::vector<TScriptElement*> relaid;
  const int count = RenumberTargets(script, missing, relaid);
  for (TScriptElement* e : relaid) script.WordWrapText(e, ElementText(*e), false, false);
  return count;
}

int RenumberTargets(TScriptDocument& script, bool* missing, std::vector<TScriptElement*>& relaid) {
  std::vector<TNumberObject> map;
  Word counter = 0;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsBranchTarget(*e)) continue;
    ++counter;
    map.push_back({TargetNumber(*e), counter});
    // A locked number stays locked under its new number.
    e->format.NumberWord = static_cast<Word>((e->format.NumberWord & number_word::LockedBit) | counter);
  }
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!HoldsTargetReferences(e->Kind()) || !e->text) continue;
    const std::string old = ElementText(*e);
    std::string renumbered = RenumberReferences(old, map, missing);
    if (renumbered == old) continue;
    e->text = PackText(renumbered);
    // A changed length may change the wrapping.
    if (renumbered.size() != old.size()) {
      e->lineOffsets.clear();
      relaid.push_back(e);
    }
  }
  return counter;
}

void RenumberAllJumpPositions() {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  if (!AskYesNo("All Branch Targets will be renumbered sequentially, with all links updated appropriately.  This "
                "won't affect the \"functionality\" of the script, but any other references to specific numbers "
                "will become useless.\r\rShould I continue anyway?",
                "Are you sure about this?", false))
    return;
  const int cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  // Every target and reference may change: one step of the whole script.
  editor::SaveUndoStep(*script, ukWholeScript);
  bool missing = false;
  const int count = RenumberTargets(*script, &missing);
  editor::SetActiveScriptModifiedUnrevised();
  editor::DisAssemble(*script);
  editor::RedisplayScreen(*script);
  UpdateCaret();
  Screen->SetCursor(cursor);
  ShowMessageBox("All " + std::to_string(count) +
                     " Branch Targets have been renumbered and all reference numbers have been updated accordingly!",
                 "All Done");
  if (missing)
    ShowMessageBox("There was a least one reference to a Branch Target that no longer exists in the script -- I have "
                   "changed the reference to (\?\?) and you can do a search for this text to find all of these removed "
                   "references.",
                   " I thought you'd want to know...");
}

void FollowJump() {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return;
  FlushMouseMessages();
  const std::optional<unsigned long> number = FirstJumpNumber(LiveElementText(*script, *script->CurrentElement()));
  if (number == ReturnNumber) {
    ShowMessageBox("Sorry, but RETURN (0) is only accessible within the Run-Time Player", PromptTable(14));
    return;
  }
  TScriptElement* target = number ? FindBranchTarget(*script, static_cast<int>(*number)) : nullptr;
  if (!target) {
    ShowMessageBox("Cannot find Target Index!", PromptTable(26));
    return;
  }
  SaveLastPosition(*script, true);
  editor::Assemble(*script);
  editor::MoveCaretTo(*script, *target);
  script->RedisplayScreen(true);
  UpdateCaret();
}

}  // namespace qm::story
