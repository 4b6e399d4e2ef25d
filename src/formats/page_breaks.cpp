#include "formats/page_breaks.h"
#include "formats/draft_refresh.h"

#include "base/message_boxes.h"
#include "formats/page_headers.h"
#include "formats/page_type_dialog.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/keyboard_commands.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/packed_text.h"
#include "script/model/standard_formats.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

const char* const NoBreakNearCaret = "There is no Forced Page Break next to the Cursor.";
const char* const CannotChangeBreak = "Unable to Change Page Break Type";

// Where the new break goes: before this element. A name is never cut: the
// break goes before it, and its speech opens the page.
TScriptElement* SplitForBreak(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  const std::size_t trimmed = TrimmedLength(script.EditBuffer());
  if (script.CaretColumn() == 0 || trimmed == 0 || IsPageBreakKind(e->Kind()) || e->Kind() == ekCharacterName) return e;
  if (script.CaretColumn() >= trimmed) return e->next;
  script.BreakElement();
  return script.CurrentElement();
}

TScriptElement* AppendEmptyAction(TScriptDocument& script) {
  TScriptElement* action = NewElementRecord(script);
  action->format = script.FormatSet[fsAction];
  action->text = PackText(" ");
  script.InsertElementAfter(script.LastElement, action);
  return action;
}

const char* const FlexQuestion =
    "By Flexing your Fixed A-Pages, it will recombine any short A-Pages that were fixed, and if the script has "
    "Double-Locked Pages it may combine them with normal A-Pages!\r\rDo you REALLY want to do this?";

// What an automatic break becomes when the A-pages are fixed: in a
// multi-locked script a multi-locked page when the next forced, locked or
// fixed break is a fixed A-page; otherwise a fixed A-page.
Byte FixedKindOf(const TScriptDocument& script, const TScriptElement& pageBreak) {
  if (!script.PagesMultiLocked) return ekFixedAPageBreak;
  for (const TScriptElement* n = pageBreak.next; n; n = n->next) {
    const Byte k = n->Kind();
    if (k == ekFixedAPageBreak) return ekMultiLockedPageBreak;
    if (k == ekForcedPageBreak || k == ekLockedPageBreak) break;
  }
  return ekFixedAPageBreak;
}

}  // namespace

TScriptElement* PageStartBreak(TScriptElement* element) {
  for (TScriptElement* e = element; e; e = e->prev)
    if (IsPageBreakKind(e->Kind())) return e;
  return nullptr;
}

Word NewPageRevisionWord(const TScriptDocument& script) { return script.CurrentRevision; }

void InsertPageBreak(TMDIChild& script) {
  if (!script.CurrentElement()) return;
  Byte kind = ekForcedPageBreak;
  if (script.PagesLocked) {
    const auto chosen = AskPageBreakKind(ekLockedPageBreak);
    if (!chosen) return;
    kind = *chosen;
  }
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  TScriptElement* before = SplitForBreak(script);
  script.Assemble();
  TScriptElement* pageBreak = NewElementRecord(script);
  pageBreak->format = ForcedPageBreakFormat;
  pageBreak->format.Kind = kind;
  if (script.PagesLocked) pageBreak->format.NumberWord = NewPageRevisionWord(script);
  pageBreak->text = PackText(" ");
  script.InsertElementAfter(before ? before->prev : script.LastElement, pageBreak);
  // The caret goes on at the start of what now opens the page; a break that
  // ends the script gets an empty Action to type into, or the next keys
  // would land in the element before it.
  TScriptElement* next = pageBreak->next;
  while (next && IsPageBreakKind(next->Kind())) next = next->next;
  if (!next) next = AppendEmptyAction(script);
  editor::SetCurrentElement(script, next);
  script.CurrentGroup = script.CurrentElement()->group;
  editor::SetCaret(script, 0, 1);
  script.DisAssemble();
  RefreshAfterDraftChange(script);
}

void RemoveForcedPageBreak(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  if (!e) return;
  Word key = 0;
  if (e->prev && IsHardPageBreakKind(e->prev->Kind())) {
    editor::SetCaretColumn(script, 0);
    key = VK_BACK;
  } else if (e->next && IsHardPageBreakKind(e->next->Kind())) {
    editor::SetCaretColumn(script, TrimmedLength(script.EditBuffer()));
    key = VK_DELETE;
  } else {
    ShowMessageBox(NoBreakNearCaret, "");
    return;
  }
  HandleCommandKey(key, TShiftState{}, &script);
}

void ChangePageBreakType(TMDIChild& script) {
  TScriptElement* pageBreak = PageStartBreak(script.CurrentElement());
  if (!pageBreak || !script.PagesLocked) {
    ShowMessageBox(CannotChangeBreak, "");
    return;
  }
  const auto chosen = AskPageBreakKind(pageBreak->Kind());
  if (!chosen || *chosen == pageBreak->Kind()) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  // An automatic break carried no revision: its page is the current one's.
  if (pageBreak->Kind() == ekAutoPageBreak) pageBreak->format.NumberWord = NewPageRevisionWord(script);
  pageBreak->format.Kind = *chosen;
  script.DisAssemble();
  RefreshAfterDraftChange(script);
}

void ChangeAPageBreaks(TMDIChild& script, bool flex) {
  script.Assemble();
  const Byte changing = flex ? ekFixedAPageBreak : ekAutoPageBreak;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (e->Kind() != changing) continue;
    e->format.Kind = flex ? Byte{ekAutoPageBreak} : FixedKindOf(script, *e);
    // An automatic break carries no header or revision of its own.
    if (!flex) UpdatePageHeader(script, e);
  }
  RefreshAfterDraftChange(script);
  ShowMessageBox(flex ? " All the A-Pages are now Flexible" : "All the A-Pages are now Fixed", "");
}

void FlexOrFixAPages(TMDIChild& script, bool flex) {
  if (!script.CurrentElement()) return;
  if (flex && !AskTypeYes(FlexQuestion, "")) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  ChangeAPageBreaks(script, flex);
}

}  // namespace qm
