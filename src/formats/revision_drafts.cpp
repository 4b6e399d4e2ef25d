#include "formats/revision_drafts.h"

#include "base/program_options.h"
#include "script/layout/revision_colors.h"
#include "script/script_window.h"

namespace qm {

TRevisionDraftList RevisionDraftListOf(const TScriptDocument& script) {
  TRevisionDraftList list;
  for (int i = 0; i < script.RevisionColours.Count(); ++i)
    list.drafts.push_back({script.RevisionColours[i], script.RevisionColourOf(i)});
  list.current = script.CurrentRevision;
  list.loopChoice = script.RevisionLoopStyle;
  list.showPageColours = ProgramOptions().ShowColoredPages;
  return list;
}

void SetRevisionDraftList(TMDIChild& script, const TRevisionDraftList& list) {
  script.RevisionColours.Clear();
  for (const TRevisionDraft& draft : list.drafts) script.AddRevisionColour(draft.name, draft.colour);
  if (list.drafts.empty()) script.ResetRevisionColours();
  // Past the end the drafts go round the list again (DOUBLE BLUE...).
  const bool known = list.current >= 0 && list.current <= 0xFF;
  script.CurrentRevision = static_cast<Byte>(known ? list.current : 0);
  script.RevisionLoopStyle = list.loopChoice <= 3 ? list.loopChoice : 1;
  // Whether pages show their colours is the program's choice, which the
  // dialog sets for every script.
  ProgramOptions().ShowColoredPages = list.showPageColours;
  SetupRevisionColorDisplay(script);
  script.ScreenDirty = 1;
  script.Invalidate();
}

bool RevisionMarksInForce(const TScriptDocument& script) {
  if (!script.PagesLocked) return false;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->revisedLines && !e->revisedLines->empty()) return true;
  return false;
}

}  // namespace qm
