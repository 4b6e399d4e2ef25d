#include "script/editing/element_splice.h"

#include <algorithm>

#include "base/program_options.h"
#include "script/layout/editor_state.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm::editor {

void InsertElements(TMDIChild& script, TScriptElement* after, TScriptElement* first, TScriptElement* last) {
  TScriptElement* before = after ? after->next : script.FirstElement;
  first->prev = after;
  last->next = before;
  if (after) after->next = first;
  else script.FirstElement = first;
  if (before) before->prev = last;
  else script.LastElement = last;
  TElementGroup* previous = after ? after->group : nullptr;
  TElementGroup* following = previous ? previous->next : (before ? before->group : nullptr);
  for (TScriptElement* e = first;; e = e->next) {
    TElementGroup* g = NewGroupRecord();
    g->first = e;
    g->count = 1;
    g->stale = 1;
    g->prev = previous;
    if (previous) previous->next = g;
    e->group = g;
    previous = g;
    if (e == last) break;
  }
  previous->next = following;
  if (following) following->prev = previous;
  else script.LastGroup = previous;
  ListChanged = 1;
}

void RemoveElement(TMDIChild& script, TScriptElement* element) {
  TScriptElement* current = script.CurrentElement();
  EditFields(script).CurrentElement = element;
  script.DisposeIndex(false);
  if (current != element) EditFields(script).CurrentElement = current;
  script.CurrentGroup = script.CurrentElement()->group;
}

void RelinkRuns(TMDIChild& script, TScriptElement* leadEnd, const std::vector<TElementRun>& runs) {
  if (runs.empty()) return;
  TScriptElement* tail = leadEnd;
  for (const TElementRun& run : runs) {
    run.first->prev = tail;
    if (tail) tail->next = run.first;
    else script.FirstElement = run.first;
    tail = run.last;
  }
  tail->next = nullptr;
  script.LastElement = tail;
  ListChanged = 1;
}

void StoreText(TMDIChild& script, TScriptElement& element, std::string_view plain) {
  const std::string text(plain.substr(0, MaxElementChars));
  element.text = HoldsPackedText(element.Kind()) ? PackText(text) : text;
  element.lineOffsets.clear();
  script.WordWrapText(&element, text, false, false);
}

void MakeCurrent(TMDIChild& script, TScriptElement& element, std::size_t column) {
  script.Assemble();
  EditFields(script).CurrentElement = &element;
  script.CurrentGroup = element.group;
  script.DisAssemble();
  EditFields(script).CaretColumn = static_cast<Word>(std::min(column, script.EditBuffer().size()));
  EditFields(script).CaretLine = 1;
}

bool MayJoinElement(const TMDIChild& script, const TScriptElement& element, Byte kind, Byte avColumn) {
  if (element.Kind() != kind || element.avColumn != avColumn) return false;
  return !(IsSceneHeading(kind) && (script.ScenesLocked || script.KeepSceneHeadingsApart));
}

std::string AppendSeparator(std::string_view text) {
  if (text.empty() || text.back() == ' ') return {};
  const char last = text.back();
  if (last == '!' || last == '"' || last == '.' || last == '?') return ProgramOptions().SentenceSpacing;
  return " ";
}

}  // namespace qm::editor
