// Typed characters and mouse clicks in the script window.
#include <algorithm>
#include <string_view>

#include "platform/cp1252.h"
#include "platform/messages.h"
#include "script/editing/revision_colour.h"
#include "script/editing/typing_aids.h"
#include "script/editing/block_deletion.h"
#include "script/editing/block_selection.h"
#include "script/editing/dead_keys.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/layout/editor_state.h"
#include "script/editing/element_recognition.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/popup_choice.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/revision_marks.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/layout/word_wrap.h"
#include "script/editing/message_pump.h"
#include "base/document_table.h"
#include "script/editing/element_transitions.h"
#include "script/pagination/repagination.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

constexpr char HardSpaceChar = '\x04';
constexpr char HardDashChar = '\x05';

// In a Character Name, letters before the first "(" are capitals.
bool BeforeExtension(const std::string& text, size_t column) { return text.find('(') >= column; }

// One option switches off both the asterisk's revision mark and the
// extension menu of a parenthesis typed in a cue.
bool TypingMarksOff() { return ProgramOptions().UsePlainAsterisk; }

}  // namespace

void WarnReadOnlyScript() {
  const TMDIChild* script = ActiveScript();
  if (!script || script->Editable || ProgramOptions().ExpertPrompting) return;
  ShowMessageBox(ReadOnlyWarning, "");
}

void TMDIChild::FormKeyPress(TObject* sender, char& key) {
  // Typed at a window shown only as its icon: nothing to see it land in.
  if (sender && key != 0 && WindowState == TWindowState::wsMinimized) {
    key = 0;
    MessageBeep(0);
    return;
  }
  if (!Editable) {
    key = 0;
    WarnReadOnlyScript();
    return;
  }
  // Letters typed into a script whose structure is hidden would land where
  // the writer cannot see them.
  if (static_cast<Byte>(key) >= 32 && ElementsHidden(*this) && !AskUnhideForEditing()) {
    key = 0;
    return;
  }
  key = ComposeDeadKey(key);
  if (JobRunning) {
    if (static_cast<Byte>(key) >= 32 && TypeAheadBuffer.size() < 255) TypeAheadBuffer += key;
    key = 0;
    return;
  }
  if (key != 0) TypeAheadBuffer += key;
  key = 0;
  const bool fromUser = sender != nullptr;
  while (!TypeAheadBuffer.empty()) {
    char ch = TypeAheadBuffer.front();
    TypeAheadBuffer.erase(0, 1);
    if (static_cast<Byte>(ch) < 32) continue;
    TypeOneCharacter(ch, fromUser);
  }
}

namespace {

// A character typed after a word that ends it, for the real-time spelling
// check of that word.
bool EndsTypedWord(char ch) {
  static constexpr CharSet Enders = CharSet{32, 33, 34, 36, 38,  39,  40,  41,  44,  45,  46,  47,  58,
                                            59, 63, 91, 93, 123, 125, 145, 146, 147, 148, 151, 171, 187};
  return Enders.Contains(ch);
}

}  // namespace

// One character of the typing road: store it, move the caret, rewrap,
// mark the script changed and arm the repagination.
void TMDIChild::TypeOneCharacter(char ch, bool fromUser) {
  SaveUndoStep(0, false, false, 0);
  HideCaret(Handle());
  if (!fromUser && ch == ' ') ch = HardSpaceChar;
  if (!fromUser && ch == '-') ch = HardDashChar;
  if (CurrentElement()->Kind() == ekCharacterName && BeforeExtension(EditBuffer(), CaretColumn())) ch = UpCaseChar(ch);
  // The asterisk marks the caret's line revised; on a marked line it
  // takes the mark away and is typed, as no edit that marks it again.
  const bool userAsterisk = fromUser && ch == '*';
  if (userAsterisk && !TypingMarksOff()) {
    const bool marked = ToggleRevisedLine(*this);
    SetDocumentModified(true, false);
    RedisplayScreen(true);
    if (marked) return;
  }
  // A cue's extension is chosen rather than typed.
  if (fromUser && ch == '(' && CurrentElement()->Kind() == ekCharacterName && !TypingMarksOff()) {
    if (ProgramOptions().RealTimeSpellCheck) aids::SpellWordBeforeCaret();
    OfferCueExtension(*this);
    return;
  }
  if (BlockOn()) {
    ClearBlockForTyping();
    // What is typed over a block goes on as typing: the letters after
    // this one continue its step.
    SaveUndoStep(ukInsert, false, false, 0);
  }
  if (fromUser && ProgramOptions().RealTimeSpellCheck && EndsTypedWord(ch)) aids::SpellWordBeforeCaret();
  if (fromUser && !EndsTypedWord(ch)) WordPendingSpell = 1;
  // The placeholder a quick-choice menu left as the line is typed over.
  ClearPlaceholderLine(*this);
  if (AutoRevisionColor != 0) EnterRevisionColor(*this, false);
  const size_t startColumn = CaretColumn();
  if (!TypeCharacter(ch, !userAsterisk)) return;
  if (RecognitionDueAfterTyping(*this, ch) && RecognizeTypedElement()) {
    UpdateCaret();
    return;
  }
  ++EditFields(*this).CaretColumn;
  if (CaretColumn() < EditBuffer().size() && EditBuffer()[CaretColumn()] == ch && (ch == '"' || ch == ')'))
    ++EditFields(*this).CaretColumn;
  else if (startColumn + 1 < EditBuffer().size() && EditBuffer()[startColumn + 1] == ' ' && ch == ' ')
    ++EditFields(*this).CaretColumn;
  else if (fromUser && ch == ' ') AddSentenceSpacing(startColumn);
  WordWrapText(CurrentElement(), EditBuffer(), true, true);
  StartPaginateTimer(LayoutDue | 1);
  RedisplayScreen(false);
  UpdateCaret();
  // In a branching script a variable is chosen where its name begins.
  if (fromUser && ch == '<' && CurrentElement()->Kind() == ekShot && InteractiveScript &&
      ProgramOptions().AutoVariableInput && !PickListShowing())
    aids::OfferVariables(*this);
  // Names beginning with what was typed are offered while a cue is typed.
  if (fromUser && CurrentElement()->Kind() == ekCharacterName && IsAnsiAlpha(static_cast<Byte>(ch)) &&
      EditBuffer().find('(') == std::string::npos)
    aids::OfferCharacterNames(*this);
}

// The block rules before a typed character, the name list up or not: the
// text of a block marked within the element being typed in gives way to
// it, the element kept (a cue typed over stays a cue); a block across
// elements is deleted as the Delete key deletes it; an empty mark is only
// cleared.
void TMDIChild::ClearBlockForTyping() {
  TScriptElement* current = CurrentElement();
  if (!BlockHasExtent(*this)) {
    ClearBlockSelection(false);
    return;
  }
  bool elsewhere = current->blockEnd < 0;
  for (const TScriptElement* e = FirstElement; e; e = e->next) elsewhere = elsewhere || (e != current && e->InBlock());
  if (elsewhere || !current->InBlock()) {
    DeleteBlockCommand();
    return;
  }
  RemoveBlockWithinCurrent(*this);
  SetDocumentModified(true, true);
}

// A blank typed after a sentence end in prose (the Actions and Dialogues a
// page may break inside) becomes the sentence spacing of the options: the
// blanks after which the page breaker knows that a sentence ended.
void TMDIChild::AddSentenceSpacing(size_t blankColumn) {
  const std::string& spacing = ProgramOptions().SentenceSpacing;
  const Byte kind = CurrentElement()->Kind();
  if (!ProgramOptions().AutoSentenceSpacing || spacing.size() < 2 || (kind != ekAction && kind != ekDialogue)) return;
  if (!EndsSentenceBefore(EditBuffer(), blankColumn, AllowPageBreakAtElipses)) return;
  for (size_t i = 1; i < spacing.size(); ++i) {
    if (!TypeCharacter(' ')) break;
    ++EditFields(*this).CaretColumn;
  }
}

void TMDIChild::ReplayTypeAhead() {
  if (TypeAheadBuffer.empty() || JobRunning) return;
  char none = 0;
  FormKeyPress(this, none);
}

}  // namespace qm
