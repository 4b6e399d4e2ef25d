#include "script/model/edit_line_writer.h"
#include "script/editing/edit_line.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
#include "script/script_window.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"

namespace qm {

namespace {

// The most lines of one element that a hard return may end.
constexpr int MaxHardReturns = 50;

bool IsCode(char ch) { return CodeCharSet.Contains(static_cast<Byte>(ch)); }

// Tags, the tag end and the colour-on bytes change the script without
// revising its text.
bool MarksRevision(char ch) {
  const auto b = static_cast<Byte>(ch);
  if (IsBreakdownTagCode(b) || b == TagEnd) return false;
  switch (b) {
    case 13:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20: return false;
    default: return true;
  }
}

}  // namespace

bool TypeCharacter(char ch, bool revises) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  std::string& text = EditFields(*script).EditBuffer;
  if (static_cast<int>(text.size()) > TypingLimit) {
    MessageBeep(0);
    Application->MessageBox("You cannot have a SINGLE element with more\rthan 2500 letters in it!", "Attention",
                            MB_ICONINFORMATION);
    return false;
  }
  const size_t column = std::min<size_t>(script->CaretColumn(), text.size());
  const bool atEnd = column >= text.size();
  const bool insert =
      InsertMode == 1 || IsCode(ch) || static_cast<Byte>(ch) == SoftHyphen || (!atEnd && IsCode(text[column]));
  if (atEnd) text.push_back(ch);
  else if (insert) text.insert(column, 1, ch);
  else text[column] = ch;
  SetDocumentModified(true, revises && MarksRevision(ch));
  return true;
}

void DeleteCharAtCaret() {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  std::string& text = EditFields(*script).EditBuffer;
  if (script->CaretColumn() < text.size()) text.erase(script->CaretColumn(), 1);
  SetDocumentModified(true, true);
}

void AddHardReturn(TMDIChild& script) {
  script.DisAssemble();
  const auto marks = std::count(script.EditBuffer().begin(), script.EditBuffer().end(), static_cast<char>(HardReturn));
  if (marks >= MaxHardReturns) {
    MessageBeep(0);
    ShowMessageBox("You can have a maximum of 50 lines with Hard Returns", "Sorry...");
    return;
  }
  SaveUndoStep(ukInsert, false, false, 0);
  if (TypeCharacter(static_cast<char>(HardReturn))) ++EditFields(script).CaretColumn;
  if (IsPageBreakKind(script.CurrentElement()->Kind())) return;
  script.WordWrapText(script.CurrentElement(), script.EditBuffer(), true, true);
  script.DisplayElement();
}

}  // namespace qm
