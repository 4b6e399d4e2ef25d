#include "script/editing/goto_commands.h"

#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "script/editing/document_modified.h"
#include "script/editing/scrolling.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

TRepeatSearch RepeatSearch;

namespace {

const GlobalState reset([] { RepeatSearch = {}; });

// The goto lands this many lines below the top of the window, so that
// what it found is read with a little of what comes before it.
constexpr std::int16_t LandingLine = 6;

bool IsSought(const TMDIChild& window, const TScriptElement& e, TGotoTarget target) {
  const Byte kind = e.Kind();
  switch (target) {
    case TGotoTarget::APage: return kind == ekAutoPageBreak || kind == ekFixedAPageBreak;
    case TGotoTarget::ForcedBreak: return kind == ekForcedPageBreak;
    case TGotoTarget::ScriptNote: return kind == ekScriptNote;
    case TGotoTarget::HiddenText: return window.IsHiddenElement(&e);
    case TGotoTarget::NextScene:
    case TGotoTarget::PreviousScene: return IsSceneHeading(kind);
  }
  return false;
}

void Arm(Byte kind, const char* caption) { RepeatSearch = {kind, caption, true}; }

// The element becomes current with the caret at its start, shown on the
// landing line (the first line for the script's first element).
void Land(TMDIChild& window, TScriptElement* element) {
  MakeElementCurrent(window, element);
  EditFields(window).CaretColumn = 0;
  EditFields(window).CaretLine = 1;
  ShowOnLine(window, *element, element->prev ? LandingLine : 1);
  window.RedisplayScreen(true);
}

bool TakesNoCaret(const TMDIChild& window, const TScriptElement* e) {
  return IsPageBreakKind(e->Kind()) || window.IsHiddenElement(e);
}

}  // namespace

bool SearchNextBreak(TMDIChild& window, TGotoTarget target) {
  const bool aPage = target == TGotoTarget::APage;
  if (aPage) Arm(6, "Se&arch for A-Page");
  else Arm(7, "Se&arch for Act/Scene Break");
  SaveUndoStep(ukNavigation, false, false, 0);
  TScriptElement* found = nullptr;
  for (TScriptElement* e = window.CurrentElement() ? window.CurrentElement()->next : nullptr; e && e->next;
       e = e->next) {
    if (IsSought(window, *e->next, target)) {
      found = e;
      break;
    }
  }
  if (!found) {
    ShowMessageBox(std::string("No More ") + (aPage ? "A-Pages" : "Act Breaks") + " Found!", PromptTable(19));
    return false;
  }
  Land(window, found);
  return true;
}

bool SearchNextMarked(TMDIChild& window, TGotoTarget target) {
  if (!window.CurrentElement()) return false;
  SaveUndoStep(ukNavigation, false, false, 0);
  SaveLastPosition(window, false);
  if (target == TGotoTarget::ScriptNote) Arm(4, "Se&arch for Note");
  const bool backwards = target == TGotoTarget::PreviousScene;
  TScriptElement* found = backwards ? window.CurrentElement()->prev : window.CurrentElement()->next;
  while (found && !IsSought(window, *found, target)) found = backwards ? found->prev : found->next;
  if (!found) {
    const char* what = target == TGotoTarget::ScriptNote   ? "No more Script Notes Found"
                       : target == TGotoTarget::HiddenText ? "No more Hidden Text Found"
                                                           : "No more Scenes Found";
    ShowMessageBox(what, PromptTable(16));
    return false;
  }
  // A hidden or page-break element takes no caret: the next shown one
  // does, or the nearest shown one before it at the end of the script.
  while (found->next && TakesNoCaret(window, found)) found = found->next;
  while (found->prev && TakesNoCaret(window, found)) found = found->prev;
  Land(window, found);
  return true;
}

}  // namespace qm
