#include "formats/revision_levels.h"

#include <algorithm>
#include <string>

#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "formats/revisions.h"
#include "platform/forms.h"
#include "script/editing/edit_line.h"
#include "script/editing/editor_calls.h"
#include "script/editing/undo_steps.h"
#include "script/layout/editor_state.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr const char* ComponentName = "RevisionLocking";
constexpr Byte MostLevel = 4;
constexpr Byte FirstLockCode = 27;
constexpr Byte LastLockCode = 30;

bool IsLockCode(char c) {
  const auto b = static_cast<Byte>(c);
  return b >= FirstLockCode && b <= LastLockCode;
}

// The level of the highest lock code in the script's text.
Byte LevelInText(const TMDIChild& script) {
  Byte highest = 0;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    for (char c : LiveElementText(script, *e))
      if (IsLockCode(c)) highest = std::max(highest, static_cast<Byte>(c));
  return highest == 0 ? 0 : static_cast<Byte>(highest - FirstLockCode + 1);
}

class TRevisionLocking : public TComponent {
 public:
  explicit TRevisionLocking(TMDIChild& script) : TComponent(&script), Level(LevelInText(script)) {
    Name = ComponentName;
  }
  Byte Level = 0;
};

TRevisionLocking& LockingOf(TMDIChild& script) {
  if (auto* data = dynamic_cast<TRevisionLocking*>(script.FindComponent(ComponentName))) return *data;
  return *new TRevisionLocking(script);
}

void ReportLevel(TMDIChild& script) {
  ShowMessageBox("You are now at Asterisk Locking Level " + std::to_string(LockingOf(script).Level + 1),
                 PromptTable(7));
}

// The level's code at the start of every marked line of the current
// element, each start moved on by the codes put in before it.
void LockMarkedLines(TMDIChild& script, char code) {
  TScriptElement* e = script.CurrentElement();
  const std::string marks = *e->revisedLines;
  const std::array<Word, MaxLineCount + 2> starts = script.LineOffsets();
  int added = 0;
  for (int line = 1; line <= e->lineCount && line <= MaxLineCount; ++line) {
    if (marks.find(static_cast<char>(line)) == std::string::npos) continue;
    const int at = (line == 1 ? 0 : starts[static_cast<std::size_t>(line - 1)]) + added;
    editor::SetCaretColumn(script, std::min<std::size_t>(at, script.EditBuffer().size()));
    if (script.CaretColumn() < script.EditBuffer().size() && IsLockCode(script.EditBuffer()[script.CaretColumn()])) {
      editor::ChangeEditText(script, [&](std::string& text) { text[script.CaretColumn()] = code; });
    } else if (TypeCharacter(code)) {
      ++added;
    }
  }
  script.WordWrapText(e, script.EditBuffer(), false, false);
}

}  // namespace

Byte LockingLevel(TMDIChild& script) { return LockingOf(script).Level; }

void SetLockingLevel(TMDIChild& script, Byte level) { LockingOf(script).Level = std::min(level, MostLevel); }

void FindLockingLevel(TMDIChild& script) { SetLockingLevel(script, LevelInText(script)); }

char LockCodeOfLevel(int level) {
  return static_cast<char>(level >= 1 && level <= 3 ? FirstLockCode + level - 1 : LastLockCode);
}

void LockRevisionMarks(TMDIChild& script) {
  if (!script.CurrentElement()) return;
  if (!ProgramOptions().ExpertPrompting &&
      !AskTypeYes("You should ONLY lock Revision marks if you want to have multiple revision marks on the same line "
                  "and this is generally used only in animation scripts due to faxing overseas!\r\r"
                  "So, should I REALLY lock all Revision Marks?",
                  PromptTable(6)))
    return;
  TRevisionLocking& locking = LockingOf(script);
  if (locking.Level >= MostLevel) {
    ShowMessageBox("Sorry, but you can have a maximum of five locked Asterisk levels...", PromptTable(0));
    return;
  }
  // The codes typed, the level and the marks removed are one change.
  const TSingleUndoStep oneStep;
  editor::SaveSettingsUndoStep(script);
  ++locking.Level;
  const char code = LockCodeOfLevel(locking.Level);
  InteractiveEdit = 0;
  const Byte insertMode = InsertMode;
  InsertMode = 1;
  script.Assemble();
  TScriptElement* caretElement = script.CurrentElement();
  const Word caretColumn = script.CaretColumn();
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!e->revisedLines || e->revisedLines->empty() || IsPageBreakKind(e->Kind())) continue;
    editor::TakeElement(script, *e);
    LockMarkedLines(script, code);
    script.Assemble();
  }
  InsertMode = insertMode;
  editor::TakeElement(script, *caretElement);
  editor::SetCaretColumn(script, std::min<Word>(caretColumn, static_cast<Word>(script.EditBuffer().size())));
  RemoveRevisionMarks(script, TMarksRemoval::Silently, true);
  InteractiveEdit = 1;
  ReportLevel(script);
}

void UnlockRevisionMarkLevel(TMDIChild& script) {
  if (!script.CurrentElement()) return;
  TRevisionLocking& locking = LockingOf(script);
  if (!AskTypeYes("Should I REALLY remove all \rLOCKING LEVEL " + std::to_string(locking.Level) + " Revision Marks?",
                  PromptTable(6)))
    return;
  editor::SaveSettingsUndoStep(script);
  const std::array<Byte, 2> options = script.RevisionLevelOptions;
  script.RevisionLevelOptions = {};
  const char code = LockCodeOfLevel(locking.Level);
  if (locking.Level > 0) --locking.Level;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    editor::RewriteElementText(script, *e, [code](std::string& text) { return std::erase(text, code) > 0; });
  script.RevisionLevelOptions = options;
  editor::SetActiveScriptModifiedUnrevised();
  editor::RedisplayScreen(script);
  ReportLevel(script);
}

}  // namespace qm
