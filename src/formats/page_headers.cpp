#include "formats/page_headers.h"

#include "base/message_boxes.h"
#include "formats/page_breaks.h"
#include "formats/revisions.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr char SecondLine = '\r';
constexpr char NoSecondLine = '\x8D';

bool CarriesHeader(const TScriptElement& pageBreak) {
  return pageBreak.text && UnpackText(*pageBreak.text).size() >= 2;
}

void StoreHeader(TMDIChild& script, TScriptElement& pageBreak) {
  pageBreak.text = PackText(CurrentHeaderText(script));
}

void AfterHeaders(TMDIChild& script) {
  SetDocumentModified(true, false);
  script.RefreshKeepingCursor();
  editor::RedisplayScreen(script);
}

}  // namespace

std::string CurrentHeaderText(const TMDIChild& script) {
  if (script.HeaderLine2.empty()) return script.HeaderLine1 + NoSecondLine;
  return script.HeaderLine1 + SecondLine + script.HeaderLine2;
}

std::string PageHeaderText(const TMDIChild& script, const TScriptElement* pageStart) {
  if (pageStart && IsHardPageBreakKind(pageStart->Kind()) && CarriesHeader(*pageStart))
    return UnpackText(*pageStart->text);
  return CurrentHeaderText(script);
}

void UpdatePageHeader(TMDIChild& script, TScriptElement* pageStart) {
  if (!pageStart) {
    script.FirstPageRevision = script.CurrentRevision;
    return;
  }
  if (!IsHardPageBreakKind(pageStart->Kind())) return;
  pageStart->format.NumberWord =
      static_cast<Word>((pageStart->format.NumberWord & 0xFF00) | script.CurrentRevision);
  if (script.HeaderTextLocked) StoreHeader(script, *pageStart);
}

void StoreCurrentHeaders(TMDIChild& script) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsHardPageBreakKind(e->Kind()) && !CarriesHeader(*e)) StoreHeader(script, *e);
  script.HeadersLocked = 1;
  script.RevisionSetLocked = 1;
}

void FixAllHeaders(TMDIChild& script) {
  if (!RemoveRevisionMarks(script, TMarksRemoval::FixingHeaders, true)) return;
  script.Assemble();
  StoreCurrentHeaders(script);
  script.DisAssemble();
  AfterHeaders(script);
}

void UnfixAllHeaders(TMDIChild& script, bool wholeScript) {
  if (!script.CurrentElement) return;
  SaveUndoStep(ukWholeScript, true, true, 0);
  script.Assemble();
  TScriptElement* from = wholeScript ? script.FirstElement : PageStartBreak(script.CurrentElement);
  if (!from) from = script.FirstElement;
  if (from == script.FirstElement) UpdatePageHeader(script, nullptr);
  for (TScriptElement* e = from; e; e = e->next)
    if (IsHardPageBreakKind(e->Kind())) UpdatePageHeader(script, e);
  script.DisAssemble();
  AfterHeaders(script);
}

void UnlockHeaderText(TMDIChild& script) {
  if (!script.CurrentElement) return;
  SaveUndoStep(ukWholeScript, true, true, 0);
  script.Assemble();
  script.HeaderTextLocked = 0;
  script.HeadersLocked = 0;
  script.RevisionSetLocked = 0;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsHardPageBreakKind(e->Kind())) e->text = PackText(" ");
  script.DisAssemble();
  AfterHeaders(script);
}

}  // namespace qm
