#include "formats/page_headers.h"
#include "formats/draft_refresh.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "formats/cheat_header_dialog.h"
#include "formats/page_breaks.h"
#include "formats/revisions.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/revision_marks.h"
#include "script/model/number_texts.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

constexpr char SecondLine = '\r';
constexpr char NoSecondLine = '\x8D';

bool CarriesHeader(const TScriptElement& pageBreak) {
  return pageBreak.text && UnpackText(*pageBreak.text).size() >= 2;
}

void StoreHeader(TScriptDocument& script, TScriptElement& pageBreak) {
  pageBreak.text = PackText(CurrentHeaderText(script));
}

const char* const NotACheatablePage =
    "Only the Header of a Page that starts with a Forced, Fixed or Locked Page Break can be changed.";
const char* const MarksOnThePage =
    "This Page holds current Revision Marks, so its Header follows the current Header until they are removed.";

bool Cheatable(const TScriptElement* pageStart) {
  if (!pageStart) return false;
  const Byte k = pageStart->Kind();
  return k == ekForcedPageBreak || k == ekFixedAPageBreak || k == ekLockedPageBreak;
}

bool PageHasMarks(const TScriptElement& pageStart) {
  for (const TScriptElement* e = pageStart.next; e && !IsPageBreakKind(e->Kind()); e = e->next)
    if (HasRevisedLines(*e)) return true;
  return false;
}

std::string StoredHeader(const std::string& line1, const std::string& line2) {
  return line2.empty() ? line1 + NoSecondLine : line1 + SecondLine + line2;
}

void SplitHeader(const std::string& stored, std::string& line1, std::string& line2) {
  const std::size_t cut = stored.find_first_of(std::string{SecondLine, NoSecondLine});
  line1 = stored.substr(0, cut);
  line2 = cut == std::string::npos || stored[cut] == NoSecondLine ? std::string() : stored.substr(cut + 1);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::string CurrentHeaderText(const TScriptDocument& script) {
  return StoredHeader(script.HeaderLine1, script.HeaderLine2);
}

std::string PageHeaderText(const TScriptDocument& script, const TScriptElement* pageStart) {
  if (pageStart && IsHardPageBreakKind(pageStart->Kind()) && CarriesHeader(*pageStart))
    return UnpackText(*pageStart->text);
  return CurrentHeaderText(script);
}

void UpdatePageHeader(TScriptDocument& script, TScriptElement* pageStart) {
  if (!pageStart) {
    script.FirstPageRevision = script.CurrentRevision;
    return;
  }
  if (!IsHardPageBreakKind(pageStart->Kind())) return;
  pageStart->format.NumberWord = static_cast<Word>((pageStart->format.NumberWord & 0xFF00) | script.CurrentRevision);
  if (script.HeaderTextLocked) StoreHeader(script, *pageStart);
}

void StoreCurrentHeaders(TScriptDocument& script) {
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
  RefreshAfterDraftChange(script);
}

void UnfixAllHeaders(TMDIChild& script, bool wholeScript) {
  if (!script.CurrentElement()) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  TScriptElement* from = wholeScript ? script.FirstElement : PageStartBreak(script.CurrentElement());
  if (!from) from = script.FirstElement;
  if (from == script.FirstElement) UpdatePageHeader(script, nullptr);
  for (TScriptElement* e = from; e; e = e->next)
    if (IsHardPageBreakKind(e->Kind())) UpdatePageHeader(script, e);
  script.DisAssemble();
  RefreshAfterDraftChange(script);
}

bool CheatPageHeader(TMDIChild& script) {
  TScriptElement* pageStart = PageStartBreak(script.CurrentElement());
  if (!Cheatable(pageStart)) {
    ShowMessageBox(NotACheatablePage, "");
    return false;
  }
  if (PageHasMarks(*pageStart)) ShowMessageBox(MarksOnThePage, "");
  TCheatHeaderDlg dialog(nullptr);
  std::string line1, line2;
  SplitHeader(PageHeaderText(script, pageStart), line1, line2);
  dialog.Line1Edit->Text = line1;
  dialog.Line2Edit->Text = line2;
  const int pageRevision = pageStart->format.NumberWord & 0xFF;
  const int count = std::max({script.RevisionColours.Count(), script.CurrentRevision + 1, pageRevision + 1});
  for (int i = 0; i < count; ++i) dialog.RevisionBox->Items.Add(RevisionColorName(script, i));
  dialog.RevisionBox->SetItemIndex(pageRevision);
  if (dialog.ShowModal() != mrOk) return false;
  line1 = dialog.Line1Edit->Text();
  line2 = dialog.Line2Edit->Text();
  const int revision = dialog.RevisionBox->ItemIndex() < 0 ? pageRevision : dialog.RevisionBox->ItemIndex();
  const std::string oldName = RevisionColorName(script, pageRevision);
  const std::string newName = RevisionColorName(script, revision);
  const bool named =
      !oldName.empty() && (line1.find(oldName) != std::string::npos || line2.find(oldName) != std::string::npos);
  if (revision != pageRevision && named &&
      AskYesNo("Should I replace " + oldName + " with " + newName + " in Header Lines 1 and 2?", "", true)) {
    ReplaceAll(line1, oldName, newName);
    ReplaceAll(line2, oldName, newName);
  }
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  pageStart->text = PackText(StoredHeader(line1, line2));
  pageStart->format.NumberWord = static_cast<Word>((pageStart->format.NumberWord & 0xFF00) | revision);
  script.DisAssemble();
  RefreshAfterDraftChange(script);
  return true;
}

void UnlockHeaderText(TMDIChild& script) {
  if (!script.CurrentElement()) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  script.HeaderTextLocked = 0;
  script.HeadersLocked = 0;
  script.RevisionSetLocked = 0;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsHardPageBreakKind(e->Kind())) e->text = PackText(" ");
  script.DisAssemble();
  RefreshAfterDraftChange(script);
}

}  // namespace qm
