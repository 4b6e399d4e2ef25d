#include "language/editor_calls.h"

#include <algorithm>

#include "language/character_names.h"
#include "language/element_kinds.h"
#include "language/script_list_data.h"
#include "platform/cp1252.h"
#include "script/document_modified.h"
#include "script/edit_line.h"
#include "script/packed_text.h"
#include "shell/documents.h"
#include "script/screen_rebuild.h"
#include "script/script_window.h"
#include "script/string_utils.h"

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

// Acts count at the elements that start one, scene headings through the
// script or, when scenes are numbered within acts, within each act.
void RenumberScenes(TMDIChild& script) {
  const bool withinActs = RecordOf(script).ScenesWithinActs;
  int act = 0;
  int scene = 0;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!e->group || e->group->first != e) continue;
    if (e->Kind() == ekActStart) {
      e->group->number = static_cast<Word>(++act);
      if (withinActs) scene = 0;
    } else if (e->Kind() == ekActInformation) {
      e->group->number = static_cast<Word>(act);
    } else if (IsListedHeading(*e)) {
      e->group->number = static_cast<Word>(++scene);
    }
  }
}

int DisplayNumber(const TElementGroup* group) { return group ? group->number : 0; }

std::string SceneNumberText(const TScriptElement& heading) {
  const Word word = heading.format.NumberWord;
  int number = DisplayNumber(heading.group);
  char letter = heading.group && heading.group->letter > ' ' ? static_cast<char>(heading.group->letter) : '\0';
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
