// Typed characters and mouse clicks in the script window.
#include <algorithm>
#include <string_view>

#include "language/pick_list.h"
#include "platform/cp1252.h"
#include "platform/messages.h"
#include "script/dead_keys.h"
#include "script/document_modified.h"
#include "script/edit_line.h"
#include "script/editor_state.h"
#include "script/element_recognition.h"
#include "script/element_transitions.h"
#include "script/screen_lines.h"
#include "script/screen_rebuild.h"
#include "script/script_window.h"
#include "script/string_utils.h"
#include "script/word_wrap.h"
#include "script/message_pump.h"
#include "script/repagination.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/program_options.h"
#include "shell/program_settings.h"

namespace qm {

namespace {

constexpr char HardSpaceChar = '\x04';
constexpr char HardDashChar = '\x05';

// In a Character Name, letters before the first "(" are capitals.
bool BeforeExtension(const std::string& text, size_t column) { return text.find('(') >= column; }

}  // namespace

void TMDIChild::FormKeyPress(TObject* sender, char& key) {
  if (!Editable) {
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

// One character of the typing road: store it, move the caret, rewrap,
// mark the script changed and arm the repagination.
void TMDIChild::TypeOneCharacter(char ch, bool fromUser) {
  SaveUndoStep(0, false, false, 0);
  HideCaret(Handle());
  if (!fromUser && ch == ' ') ch = HardSpaceChar;
  if (!fromUser && ch == '-') ch = HardDashChar;
  if (CurrentElement->Kind() == ekCharacterName && BeforeExtension(EditBuffer, CaretColumn)) ch = UpCaseChar(ch);
  const size_t startColumn = CaretColumn;
  if (!TypeCharacter(ch)) return;
  if (RecognitionDueAfterTyping(*this, ch) && RecognizeTypedElement()) {
    UpdateCaret();
    return;
  }
  ++CaretColumn;
  if (CaretColumn < EditBuffer.size() && EditBuffer[CaretColumn] == ch && (ch == '"' || ch == ')'))
    ++CaretColumn;
  else if (startColumn + 1 < EditBuffer.size() && EditBuffer[startColumn + 1] == ' ' && ch == ' ')
    ++CaretColumn;
  else if (fromUser && ch == ' ') AddSentenceSpacing(startColumn);
  WordWrapText(CurrentElement, EditBuffer, true, true);
  StartPaginateTimer(LayoutDue | 1);
  RedisplayScreen(false);
  UpdateCaret();
  // Names beginning with what was typed are offered while a cue is typed.
  if (fromUser && CurrentElement->Kind() == ekCharacterName && IsAnsiAlpha(static_cast<Byte>(ch)) &&
      EditBuffer.find('(') == std::string::npos)
    OfferCharacterNames(*this);
}

// A blank typed after a sentence end in prose (the Actions and Dialogues a
// page may break inside) becomes the sentence spacing of the options: the
// blanks after which the page breaker knows that a sentence ended.
void TMDIChild::AddSentenceSpacing(size_t blankColumn) {
  const std::string& spacing = ProgramOptions().SentenceSpacing;
  const Byte kind = CurrentElement->Kind();
  if (!ProgramOptions().AutoSentenceSpacing || spacing.size() < 2 || (kind != ekAction && kind != ekDialogue)) return;
  if (!EndsSentenceBefore(EditBuffer, blankColumn, AllowPageBreakAtElipses)) return;
  for (size_t i = 1; i < spacing.size(); ++i) {
    if (!TypeCharacter(' ')) break;
    ++CaretColumn;
  }
}

void TMDIChild::ReplayTypeAhead() {
  if (TypeAheadBuffer.empty() || JobRunning) return;
  char none = 0;
  FormKeyPress(this, none);
}

void TMDIChild::FormMouseDown(TObject*, TMouseButton button, TShiftState shift, int x, int y) {
  if (JobRunning || NoActiveDocument()) {
    FlushMouseMessages();
    return;
  }
  MouseSelecting = shift.Contains(ssShift) ? 1 : 0;
  if (!Active()) SetFocus();
  // The list belongs to the element being typed, which a click leaves.
  if (PickListShowing()) ListMenu->DoneWithList();
  if (button != TMouseButton::mbLeft) return;
  SaveUndoStep(3, false, false, 0);
  const TScriptElement* before = CurrentElement;
  PlaceCaretAtPoint(x, y, shift.Contains(ssShift), *this);
  if (CurrentElement != before) SaveUndoStep(3, false, false, 0);
  UpdateCaret();
  MouseSelecting = 1;
}

}  // namespace qm
