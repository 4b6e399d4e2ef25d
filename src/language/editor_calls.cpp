#include "language/editor_calls.h"

#include <algorithm>

#include "language/character_names.h"
#include "language/element_kinds.h"
#include "language/script_list_data.h"
#include "platform/cp1252.h"
#include "script/packed_text.h"
#include "script/screen_rebuild.h"
#include "script/script_window.h"
#include "script/string_utils.h"

namespace qm::editor {

namespace {

constexpr int MaxTypedCharacters = 2500;

// A new element gets a group of its own after the current one's; the
// script window regroups the list at its next idle moment.
void GiveOwnGroup(TMDIChild& script, TScriptElement& element, TElementGroup* after) {
  auto* group = NewGroupRecord();
  group->first = &element;
  group->count = 1;
  group->prev = after;
  if (after) {
    group->next = after->next;
    after->next = group;
  } else {
    group->next = script.LastGroup;
    while (group->next && group->next->prev) group->next = group->next->prev;
  }
  if (group->next) group->next->prev = group;
  if (!script.LastGroup || script.LastGroup == after) script.LastGroup = group;
  element.group = group;
}

}  // namespace

void DisAssemble(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement;
  if (!e || !e->text) return;
  if (IsPageBreakKind(e->Kind())) script.EditBuffer = " ";
  else if (e->Kind() == ekCharacterName) script.EditBuffer = *e->text;
  else script.EditBuffer = UnpackText(*e->text);
  e->text.reset();
}

void Assemble(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement;
  if (!e || e->text) return;
  std::string& text = script.EditBuffer;
  if (text.empty()) text = " ";
  if (IsPageBreakKind(e->Kind())) {
    e->text = " ";
  } else if (e->Kind() == ekCharacterName) {
    const size_t paren = std::min(text.find('('), text.size());
    e->text = AnsiUpperCase(text.substr(0, paren)) + text.substr(paren);
    AddCharacterName(script, *e->text);
  } else {
    e->text = PackText(text);
  }
  text.clear();
}

TScriptElement* NewElement(TMDIChild& script, const TElementFormat& format, bool forceAfter) {
  TScriptElement* current = script.CurrentElement;
  DisAssemble(script);
  if (current && !forceAfter && TrimmedLength(script.EditBuffer) == 0) {
    current->format = format;
    script.EditBuffer.clear();
  } else {
    const bool before = current && script.CaretColumn == 0 && !forceAfter;
    Assemble(script);
    auto* element = new TScriptElement;
    element->format = format;
    TScriptElement* after = before ? current->prev : current;
    script.InsertElementAfter(after, element);
    GiveOwnGroup(script, *element, after ? after->group : nullptr);
    script.CurrentElement = element;
    script.EditBuffer.clear();
  }
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

// The typing and modified-state routines of the editor cannot be linked
// beside the program settings yet (both define the autosave interval);
// until they can, the edit line and the modified flags are set here.
bool TypeCharacter(TMDIChild& script, char ch) {
  std::string& line = script.EditBuffer;
  if (line.size() > static_cast<size_t>(MaxTypedCharacters)) return false;
  line.insert(std::min<size_t>(script.CaretColumn, line.size()), 1, ch);
  SetModified(script);
  return true;
}

void SetModified(TMDIChild& script) {
  if (!script.Editable) return;
  script.DocumentModified = 1;
  script.ModifiedSinceBackup = 1;
  script.ModifiedThisSession = 1;
  script.Hint = "Modified";
}

// The undo ring records steps once it exists; nothing to record into yet.
void SaveUndoStep(TMDIChild&, Byte) {}

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
