#include "script/editing/editor_calls.h"

#include <algorithm>

#include "script/model/character_name_table.h"
#include "script/model/element_kinds.h"
#include "script/model/script_list_data.h"
#include "platform/cp1252.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/model/packed_text.h"
#include "base/document_table.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"

namespace qm::editor {

void DisAssemble(TMDIChild& script) { script.DisAssemble(); }

void Assemble(TMDIChild& script) { script.Assemble(); }

TScriptElement* NewElement(TMDIChild& script, const TElementFormat& format, bool forceAfter) {
  script.DisAssemble();
  script.CurrentFormat = format;
  script.Nw_Elmnt(false, forceAfter, false, false);
  script.CurrentGroup = script.CurrentElement->group;
  script.CaretColumn = 0;
  script.CaretLine = 1;
  return script.CurrentElement;
}

void RedisplayCurrent(TMDIChild& script) {
  TScriptElement* element = script.CurrentElement;
  if (!element || IsPageBreakKind(element->Kind())) return;
  script.WordWrapText(element, script.EditBuffer, true, true);
  script.DisplayElement();
}

void RedisplayScreen(TMDIChild& script) {
  RebuildScreen(&script);
  script.RedisplayScreen(true);
}

bool TypeIntoActiveScript(char ch) { return ActiveScript() && qm::TypeCharacter(ch); }

void SetActiveScriptModified() { SetDocumentModified(true, true); }

void SaveUndoStep(TMDIChild&, Byte kind) { qm::SaveUndoStep(kind, false, false, 0); }

void PassEnterKey(TMDIChild& script) { script.Perform(WM_KEYDOWN, VK_RETURN, 0); }

void RenumberScenes(TMDIChild& script) { script.RenumberScenes(false); }

TPoint CaretScreenPoint(TMDIChild& script) {
  int y = 0;
  for (int line = 1; line <= ScreenLineCount; ++line) {
    const TScreenLine& screenLine = script.ScreenLines[static_cast<size_t>(line)];
    if (screenLine.element == script.CurrentElement && screenLine.lineInElement == script.CaretLine) {
      y = screenLine.y;
      break;
    }
  }
  return script.ClientToScreen(TPoint{0, y});
}

void MoveCaretTo(TMDIChild& script, TScriptElement& element) {
  Assemble(script);
  script.CurrentElement = &element;
  script.CurrentGroup = element.group;
  DisAssemble(script);
  script.CaretColumn = 0;
  script.CaretLine = 1;
  RebuildScreen(&script);
}

// Page breaks hold no text: the last element with text is the end.
void MoveCaretToScriptEnd(TMDIChild& script) {
  TScriptElement* last = script.LastElement;
  while (last && last->prev && IsPageBreakKind(last->Kind())) last = last->prev;
  if (!last) return;
  MoveCaretTo(script, *last);
  // An empty element is stored as one blank.
  if (script.EditBuffer == " ") script.EditBuffer.clear();
  script.CaretColumn = static_cast<Word>(script.EditBuffer.size());
  script.CaretLine = last->lineCount;
}

void SetHint(TMDIChild& script, const std::string& hint) { script.Hint = hint; }

}  // namespace qm::editor
