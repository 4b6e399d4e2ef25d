#include "script/editing/hidden_text.h"

#include <vector>

#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/element_kinds.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

bool HiddenOrShown(const TScriptElement* e) { return e && IsHiddenFromLists(*e); }

void ShowBefore(TMDIChild& window, int line) {
  TScriptElement* e = window.CurrentElement();
  if (!e->prev) return;
  window.Assemble();
  e = e->prev;
  ShowHiddenElement(*e);
  // A hidden speech comes back whole, up to its name.
  while (e->Kind() != ekCharacterName && e->prev && window.IsHiddenElement(e->prev) && IsSpeechKind(e->prev->Kind())) {
    e = e->prev;
    e->state = esShownHidden;
  }
  EditFields(window).CurrentElement = e;
  window.CurrentGroup = e->group;
  e->screenLine = static_cast<std::int16_t>(line);
  window.DisAssemble();
}

bool Unprinted(const TMDIChild& window, const TScriptElement* e) {
  return window.IsHiddenElement(e) || IsPageBreakKind(e->Kind());
}

// Hides one element, remembering what it was for a hide that is taken back.
struct THidden {
  TScriptElement* element;
  Byte state;
};
void HideOne(TScriptElement* e, std::vector<THidden>& hidden) {
  hidden.push_back({e, e->state});
  e->state = esHidden;
}

// False when the command ends at once (the last element of the script).
bool HideUnder(TMDIChild& window, int line) {
  TScriptElement* e = window.CurrentElement();
  if (!e->next) {
    ShowMessageBox("You CANNOT hide the last Element in the script...", PromptTable(12));
    return false;
  }
  window.Assemble();
  while (IsDialogueOrParenthetical(e) && HiddenOrShown(e->prev)) e = e->prev;
  std::vector<THidden> hidden;
  HideOne(e, hidden);
  if (e->Kind() == ekCharacterName && IsDialogueOrParenthetical(e->next) && HiddenOrShown(e->next)) e = e->next;
  while (IsDialogueOrParenthetical(e)) {
    HideOne(e, hidden);
    if (IsDialogueOrParenthetical(e->next) && HiddenOrShown(e->next)) e = e->next;
    else break;
  }
  if (e->next) {
    while (Unprinted(window, e) && e->next) {
      if (IsPageBreakKind(e->Kind())) line = line - e->screenLine + e->next->screenLine;
      e = e->next;
    }
    if (!window.IsHiddenElement(e)) e->screenLine = static_cast<std::int16_t>(line);
  }
  while (Unprinted(window, e) && e->prev) e = e->prev;
  if (Unprinted(window, e)) {
    if (e->state == esHidden) {
      // Nothing visible would be left: the text just hidden stays shown.
      for (const THidden& h : hidden) h.element->state = h.state;
      e = hidden.front().element;
      MessageBeep(0);
      ShowMessageBox("You cannot have only hidden elements in the script!", PromptTable(12));
    } else {
      // Hidden by their kinds: every kind is shown again.
      window.HiddenKinds = 0;
    }
  }
  EditFields(window).CurrentElement = e;
  window.CurrentGroup = e->group;
  window.DisAssemble();
  return true;
}

}  // namespace

void ShowHiddenElement(TScriptElement& e) { e.state = e.Kind() == ekScriptNote ? esNormal : esShownHidden; }

void ToggleHiddenText(TMDIChild& window, THiddenMarker marker) {
  if (marker == THiddenMarker::None || !window.CurrentElement()) return;
  const int line = window.CurrentElement()->screenLine;
  if (marker == THiddenMarker::Show) ShowBefore(window, line);
  else if (!HideUnder(window, line)) return;
  EditFields(window).CaretColumn = 0;
  RebuildScreen(&window);
  window.RedisplayScreen(true);
  UpdateCaret();
  SetDocumentModified(true, false);
}

}  // namespace qm
