#include "script/editing/word_deletion.h"

#include <string>

#include "base/document_table.h"
#include "platform/menus.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/editing/keyboard_commands.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// Where the backward scan stops: the start of a word.
constexpr CharSet WordStops{'\0', ' ', '!', '$', '(', ')', '.', ':', ';', '?'};

char At(const std::string& text, int column) {
  return column >= 0 && column < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(column)] : '\0';
}

bool EditingAllowed(const TMDIChild& script) {
  if (!script.Editable) return false;
  return !ElementsHidden(script) || AskUnhideForEditing();
}

// The column the word to delete begins at; -1 when there is none.
int WordStart(const std::string& text, int column, bool leftWord) {
  const int length = static_cast<int>(text.size());
  if (leftWord && column == 0) return -1;
  if (!leftWord) {
    while (At(text, column) == ' ') ++column;
    if (column >= length) return -1;
  }
  const bool onBlank = column > 0 && (At(text, column) == ' ' || column >= length);
  while (column > 0 && (At(text, column) == ' ' || At(text, column) == '\0')) --column;
  while (column > 0 && !WordStops.Contains(At(text, column))) --column;
  if (leftWord && !onBlank) {
    while (column > 0 && At(text, column) == ' ') --column;
    while (column > 0 && At(text, column) != ' ') --column;
  }
  if (At(text, column) == ' ') ++column;
  return column;
}

}  // namespace

void DeleteWord(bool leftWord) {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement() || !EditingAllowed(*script)) return;
  SaveUndoStep(ukDelete, false, false, 0);
  std::string& text = EditFields(*script).EditBuffer;
  const int start = WordStart(text, script->CaretColumn(), leftWord);
  if (start < 0) return;
  EditFields(*script).CaretColumn = static_cast<Word>(start);
  while (At(text, start) != ' ' && start < static_cast<int>(text.size())) DeleteCharAtCaret();
  // The blank after the word goes too, but never past the end of the
  // text: there the next element is left alone.
  if (start < static_cast<int>(text.size())) DeleteCharAtCaret();
  while (At(text, start) == ' ') DeleteCharAtCaret();
  script->WordWrapText(script->CurrentElement(), text, true, true);
  script->RedisplayScreen(false);
  FocusActiveScript();
}

void DeleteWordAtCaret(TObject* sender) {
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  DeleteWord(!item || item->Name == "DeleteLeftWordItem");
}

}  // namespace qm
