#include "formats/script_locking.h"
#include "formats/draft_refresh.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "formats/lock_script_dialog.h"
#include "formats/page_breaks.h"
#include "formats/page_headers.h"
#include "formats/page_type_dialog.h"
#include "formats/revisions.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/revision_colors.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

const char* const LockSection = "Lock The Script";
const char* const NoOmitWarning =
    "Removing this Scene Heading without leaving an OMITTED may change the numbers of the Scenes that follow "
    "it.\r\rShould I continue?";
const char* const RemoveOmittedQuestion = "Should I REALLY remove all the OMITTED Scene Headings?";

void LockSceneNumbers(TScriptDocument& script, bool aScenesToo) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!e->group || number_word::Locked(e->format.NumberWord)) continue;
    const bool heading = e->Kind() == ekSceneHeading;
    if (heading || (aScenesToo && IsSceneHeading(e->Kind())))
      e->format.NumberWord = LockedNumberWord(script, *e->group);
  }
}

void LockPageBreaks(TScriptDocument& script) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (e->Kind() == ekAutoPageBreak) {
      e->format.Kind = ekLockedPageBreak;
      e->format.NumberWord = NewPageRevisionWord(script);
    } else if (e->Kind() == ekForcedPageBreak) {
      e->format.NumberWord = NewPageRevisionWord(script);
    }
  }
  script.FirstPageRevision = script.CurrentRevision;
}

void UnlockSceneNumbers(TScriptDocument& script) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (IsSceneHeading(e->Kind())) {
      e->format.Kind = ekSceneHeading;
      e->format.NumberWord = 0;
    } else if (e->Kind() == ekLockedSceneInformation) {
      e->format.Kind = ekSceneInformation;
      e->format.NumberWord = 0;
    }
  }
}

// Locked pages flow again; forced pages stay, without a revision.
void UnlockPageBreaks(TScriptDocument& script) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsHardPageBreakKind(e->Kind())) continue;
    if (e->Kind() != ekForcedPageBreak) e->format.Kind = ekAutoPageBreak;
    e->format.NumberWord = 0;
  }
}

void SaveLockedHeaders(const TScriptDocument& script) {
  TIniFile ini("QUILLPAD.INI");
  ini.WriteString(LockSection, "Header Line 1", script.HeaderLine1);
  ini.WriteString(LockSection, "Header Line 2", script.HeaderLine2);
}

// Tighter than this the cheat would show on every page.
constexpr int LeastCheatPercent = 50;

void SetPageLines(TScriptDocument& script, const TLockedPageLines& lines) {
  script.HeaderLine1 = lines.line1;
  script.HeaderLine2 = lines.line2;
  const Byte continueds = lines.continueds ? 1 : 0;
  if (continueds != (script.TopSceneContinued || script.BottomSceneContinued))
    script.TopSceneContinued = script.BottomSceneContinued = continueds;
}

// The line spacing tightened by the part of the page the new lines took,
// so that what a page held before still fits.
void CheatScriptSpacing(TMDIChild& script, int usableBefore) {
  const int percent = std::max(LeastCheatPercent, script.UsablePageHeight * 100 / std::max(1, usableBefore));
  script.TextSpacing = static_cast<Byte>(script.TextSpacing * percent / 100);
  script.BlankSpacing = static_cast<Byte>(script.BlankSpacing * percent / 100);
  script.ComputeUsablePageHeight();
}

}  // namespace

int LinesPerPage(TMDIChild& script) {
  script.ComputeUsablePageHeight();
  return script.UsablePageHeight / std::max(1, TextLineHeight(script, script.FormatSet[fsAction]));
}

void TakeLockedPageLines(TMDIChild& script, const TLockedPageLines& lines, bool offer) {
  const int linesBefore = LinesPerPage(script);
  const int usableBefore = script.UsablePageHeight;
  SetPageLines(script, lines);
  const int linesAfter = LinesPerPage(script);
  if (!offer || linesAfter >= linesBefore) return;
  const std::string question = "The Header and CONTINUED lines leave room for only " + std::to_string(linesAfter) +
                               " lines on a page instead of " + std::to_string(linesBefore) +
                               ".\r\rShould I Cheat the line spacing of the script so that every page keeps its "
                               "lines, or Adjust the Page Breaks?";
  if (AskCheatOrAdjust(question, LockSection) == 250) CheatScriptSpacing(script, usableBefore);
}

Word LockedNumberWord(const TScriptDocument& script, const TElementGroup& group) {
  int number = group.number;
  if (number > MostLockedNumber) number -= 500;
  const Byte shown = script.DisplayNumberLetter(&group);
  const char letter = shown > ' ' && shown != '-' ? static_cast<char>(shown) : '\0';
  return number_word::Make(number, true, letter);
}

void LockScript(TMDIChild& script, const TLockChoices& choices) {
  if (!script.CurrentElement()) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  script.RefreshLayout();
  script.Assemble();
  if (choices.scenes != TCheckBoxState::cbUnchecked) {
    LockSceneNumbers(script, false);
    script.ScenesLocked = 1;
  }
  if (choices.pages != TCheckBoxState::cbUnchecked) {
    LockPageBreaks(script);
    script.PagesLocked = 1;
    // Changes to a locked script are revisions.
    script.RevisionMarking = 1;
  }
  if (choices.headers) {
    script.HeaderTextLocked = 1;
    if (script.PagesLocked) StoreCurrentHeaders(script);
    script.HeadersLocked = 1;
    SaveLockedHeaders(script);
  }
  script.DisAssemble();
  SetupRevisionColorDisplay(script);
  RefreshAfterDraftChange(script);
}

void UnlockScript(TMDIChild& script, const TLockChoices& keep) {
  if (!script.CurrentElement()) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  if (keep.removeMarks) RemoveRevisionMarks(script, TMarksRemoval::Silently, true);
  if (keep.removeOmitted && script.ScenesLocked) RemoveAllOmittedSceneHeadings(script, false);
  script.Assemble();
  if (keep.scenes != TCheckBoxState::cbChecked && script.ScenesLocked) {
    const bool multi = keep.scenes == TCheckBoxState::cbGrayed;
    if (!multi) UnlockSceneNumbers(script);
    script.ScenesLocked = 0;
    script.ScenesMultiLocked = multi ? script.ScenesMultiLocked : Byte{0};
  }
  if (keep.pages != TCheckBoxState::cbChecked && script.PagesLocked) {
    const bool multi = keep.pages == TCheckBoxState::cbGrayed;
    if (!multi) UnlockPageBreaks(script);
    script.PagesLocked = 0;
    script.PagesMultiLocked = multi ? script.PagesMultiLocked : Byte{0};
  }
  if (!keep.headers) {
    script.HeaderTextLocked = 0;
    script.HeadersLocked = 0;
  }
  if (!script.PagesLocked) script.RevisionMarking = 0;
  script.DisAssemble();
  SetupRevisionColorDisplay(script);
  RefreshAfterDraftChange(script);
  if (keep.unfixHeaders && script.PagesLocked) UnfixAllHeaders(script, true);
}

void LockTheScript(TMDIChild& script) {
  if (!script.CurrentElement()) return;
  TLockScriptDlg dialog(nullptr, false);
  dialog.HeaderLine1Edit->Text = script.HeaderLine1;
  dialog.HeaderLine2Edit->Text = script.HeaderLine2;
  // A line left as it was shown keeps its header codes exactly.
  const std::string shown1 = dialog.HeaderLine1Edit->Text(), shown2 = dialog.HeaderLine2Edit->Text();
  const auto typed = [](const TEdit& edit, const std::string& shown, const std::string& kept) {
    return edit.Text() == shown ? kept : edit.Text();
  };
  dialog.ContinuedsBox->SetChecked(script.TopSceneContinued || script.BottomSceneContinued);
  dialog.ScenesBox->SetChecked(true);
  dialog.PagesBox->SetChecked(true);
  dialog.HeadersBox->SetChecked(script.HeaderTextLocked == 0);
  dialog.ScenesBox->Enabled = script.ScenesLocked == 0;
  dialog.PagesBox->Enabled = script.PagesLocked == 0;
  if (dialog.ShowModal() != mrOk) return;
  TLockChoices choices;
  choices.scenes =
      dialog.ScenesBox->Checked() && !script.ScenesLocked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
  choices.pages =
      dialog.PagesBox->Checked() && !script.PagesLocked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
  choices.headers = dialog.HeadersBox->Checked();
  // New page lines matter to the breaks about to be locked.
  TakeLockedPageLines(script,
                      {typed(*dialog.HeaderLine1Edit, shown1, script.HeaderLine1),
                       typed(*dialog.HeaderLine2Edit, shown2, script.HeaderLine2), dialog.ContinuedsBox->Checked()},
                      choices.pages != TCheckBoxState::cbUnchecked);
  LockScript(script, choices);
}

void UnlockTheScript(TMDIChild& script) {
  if (!script.CurrentElement()) return;
  TLockScriptDlg dialog(nullptr, true);
  dialog.ScenesBox->AllowGrayed = script.ScenesMultiLocked != 0;
  dialog.PagesBox->AllowGrayed = script.PagesMultiLocked != 0;
  dialog.ScenesBox->SetState(script.ScenesLocked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
  dialog.PagesBox->SetState(script.PagesLocked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
  dialog.HeadersBox->SetChecked(script.HeaderTextLocked != 0);
  if (dialog.ShowModal() != mrOk) return;
  TLockChoices keep;
  keep.scenes = dialog.ScenesBox->State();
  keep.pages = dialog.PagesBox->State();
  keep.headers = dialog.HeadersBox->Checked();
  keep.removeMarks = dialog.RemoveMarksBox->Checked();
  keep.removeOmitted = dialog.RemoveOmittedBox->Checked();
  keep.unfixHeaders = dialog.UnfixHeadersBox->Checked();
  UnlockScript(script, keep);
}

void MultiLockScenesOrPages(TMDIChild& script, bool scenes) {
  if (!script.CurrentElement()) return;
  Byte& flag = scenes ? script.ScenesMultiLocked : script.PagesMultiLocked;
  const std::string what = scenes ? "Scenes" : "Pages";
  if (flag && !AskYesNo("Should I turn off the Multi-Locking of " + what + "?", "", false)) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  flag = flag ? 0 : 1;
  script.Assemble();
  // Multi-locking keeps the A-numbers of the day as they are.
  if (flag && scenes) LockSceneNumbers(script, true);
  script.DisAssemble();
  RefreshAfterDraftChange(script);
  ShowMessageBox(flag ? what + " are now Multi-Locked." : what + " are no longer Multi-Locked.", "");
}

bool IsOmittedHeading(const TScriptDocument& script, const TScriptElement& heading) {
  if (!IsSceneHeading(heading.Kind()) || script.SceneOmitText.empty()) return false;
  const std::string text = PlainText(LiveElementText(script, heading));
  return text.compare(0, script.SceneOmitText.size(), script.SceneOmitText) == 0;
}

int RemoveAllOmittedSceneHeadings(TMDIChild& script, bool ask) {
  if (!script.CurrentElement()) return 0;
  if (ask && !AskYesNo(RemoveOmittedQuestion, "", false)) return 0;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  TScriptElement* keep = script.CurrentElement();
  int removed = 0;
  for (TScriptElement* e = script.FirstElement; e;) {
    TScriptElement* next = e->next;
    if (IsOmittedHeading(script, *e) && (e->prev || e->next)) {
      if (e == keep) keep = next ? next : e->prev;
      editor::SetCurrentElement(script, e);
      script.DisposeIndex(false);
      ++removed;
    }
    e = next;
  }
  editor::SetCurrentElement(script, keep);
  script.CurrentGroup = keep->group;
  editor::SetCaretColumn(script, 0);
  script.DisAssemble();
  RefreshAfterDraftChange(script);
  if (ask) ShowMessageBox(std::to_string(removed) + " OMITTED Scene Headings were removed.", "");
  return removed;
}

void RemoveSceneHeadingNoOmit(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  if (!e) return;
  if (!IsSceneHeading(e->Kind())) {
    ShowMessageBox(NotOnSceneHeading, "");
    return;
  }
  if (!AskYesNo(NoOmitWarning, "", false)) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  const TElementFormat action = script.FormatSet[fsAction];
  e->format.Kind = ekAction;
  e->format.NumberWord = 0;
  e->format.LeftMargin = action.LeftMargin;
  e->format.RightMargin = action.RightMargin;
  e->format.AllCaps = action.AllCaps;
  e->format.Style = action.Style;
  e->lineOffsets.clear();
  script.DisAssemble();
  RefreshAfterDraftChange(script);
}

}  // namespace qm
