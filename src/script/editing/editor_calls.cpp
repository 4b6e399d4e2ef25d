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

bool TypeCharacter(TMDIChild& script, char ch) {
  if (ActiveScript() != &script) return false;
  return qm::TypeCharacter(ch);
}

void SetModified(TMDIChild& script) {
  if (ActiveScript() == &script) SetDocumentModified(true, true);
}

void SaveUndoStep(TMDIChild&, Byte kind) { qm::SaveUndoStep(kind, false, false, 0); }

void PassEnterKey(TMDIChild& script) { script.Perform(WM_KEYDOWN, VK_RETURN, 0); }

void RenumberScenes(TMDIChild& script) { script.RenumberScenes(false); }

int DisplayNumber(const TElementGroup* group) {
  const TMDIChild* script = ActiveScript();
  return script && group ? script->DisplayNumber(group) : 0;
}

std::string SceneNumberText(const TScriptElement& heading) {
  const Word word = heading.format.NumberWord;
  int number = DisplayNumber(heading.group);
  const TMDIChild* script = ActiveScript();
  const Byte shown = script && heading.group ? script->DisplayNumberLetter(heading.group) : 0;
  char letter = shown > ' ' ? static_cast<char>(shown) : '\0';
  if (number_word::Locked(word)) {
    number = number_word::Number(word);
    letter = number_word::Letter(word);
  }
  if (number == 0) return {};
  std::string text = std::to_string(number);
  if (letter != '\0') text += letter;
  return text;
}

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

void SetHint(TMDIChild& script, const std::string& hint) { script.Hint = hint; }

}  // namespace qm::editor
