#include "formats/revisions.h"

#include <algorithm>
#include <string>

#include "base/message_boxes.h"
#include "formats/page_breaks.h"
#include "formats/page_headers.h"
#include "formats/title_page.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/revision_marks.h"
#include "script/model/number_texts.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

const char* const RemoveAllQuestion = "Should I REALLY remove all current Revision Marks?";
const char* const RemoveDownQuestion =
    "Should I REALLY remove all current Revision Marks from the Cursor Position on DOWNWARDS?";
const char* const HeadersAlreadyLocked = "The Header Text was already Locked.";
const char* const MustSaveFirst = "You MUST save this current draft before starting a new revision.";
const char* const RevisionCanceled = "New Revision Request was Canceled.";
const char* const NoMoreMarks = "There are no more current Revision Marks below the Cursor.";

std::string NewRevisionQuestion() {
  return std::string("Should I do the following:\r\r") + "1. Remove All Revision Marks\r" + "2. Fix all A-Pages\r" +
         "3. Lock the Header Text\r" + "4. Increment the Revision Draft Color\r" +
         "5. Run the Title Page Publisher so that\r" + "   you can add the new color to a list?";
}

// The marks of the elements from `from` on; each page's revised-now flag
// goes with them.
void ClearMarksFrom(TScriptDocument& script, TScriptElement* from) {
  for (TScriptElement* e = from; e; e = e->next) {
    e->revisedLines.reset();
    if (IsHardPageBreakKind(e->Kind())) e->format.NumberWord = static_cast<Word>(e->format.NumberWord & 0x00FF);
  }
}

// The first marked line's start.
int FirstMarkedColumn(const TMDIChild& script, const TScriptElement& e) {
  int line = MaxLineCount;
  for (char c : *e.revisedLines) line = std::min(line, static_cast<int>(static_cast<Byte>(c)));
  line = std::clamp(line, 1, std::max<int>(1, e.lineCount));
  return line == 1 ? 0 : script.LineOffsets()[static_cast<std::size_t>(line - 1)];
}

}  // namespace

bool GotoNextRevisionMark(TMDIChild& script) {
  if (!script.CurrentElement()) return false;
  TScriptElement* e = script.CurrentElement()->next;
  while (e && !HasRevisedLines(*e)) e = e->next;
  if (!e) {
    ShowMessageBox(NoMoreMarks, "");
    return false;
  }
  editor::MoveCaretTo(script, *e);
  editor::SetCaretColumn(script, FirstMarkedColumn(script, *e));
  editor::RedisplayScreen(script);
  return true;
}

bool RemoveRevisionMarks(TMDIChild& script, TMarksRemoval how, bool wholeScript) {
  if (!script.CurrentElement()) return false;
  if (how == TMarksRemoval::AskFirst && !AskTypeYes(wholeScript ? RemoveAllQuestion : RemoveDownQuestion, ""))
    return false;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  ClearMarksFrom(script, wholeScript ? script.FirstElement : script.CurrentElement());
  if (wholeScript) script.FirstPageRevised = 0;
  if (how == TMarksRemoval::FixingHeaders) {
    if (script.HeaderTextLocked) ShowMessageBox(HeadersAlreadyLocked, "");
    script.HeaderTextLocked = 1;
  }
  script.DisAssemble();
  SetDocumentModified(true, false);
  editor::RedisplayScreen(script);
  return true;
}

void StartNewRevision(TMDIChild& script) {
  if (!script.CurrentElement()) return;
  if (!AskYesNo(NewRevisionQuestion(), "", true)) {
    ShowMessageBox(RevisionCanceled, "");
    return;
  }
  if (script.DocumentModified) {
    ShowMessageBox(MustSaveFirst, "");
    return;
  }
  // The marks' removal records the undo step of the whole command; the
  // title page written at its end belongs to it.
  const TSingleUndoStep oneStep;
  RemoveRevisionMarks(script, TMarksRemoval::Silently, true);
  ChangeAPageBreaks(script, false);
  script.Assemble();
  script.HeaderTextLocked = 1;
  StoreCurrentHeaders(script);
  script.DisAssemble();
  const int current = script.CurrentRevision;
  if (current < 255 && AskYesNo("Increment Revision Draft Color from " + RevisionColorName(script, current) + " to " +
                                    RevisionColorName(script, current + 1) + "?",
                                "", true))
    script.CurrentRevision = static_cast<Byte>(current + 1);
  SetDocumentModified(true, false);
  ShowTitlePagePublisher(script);
}

}  // namespace qm
