#include "formats/cheat_page.h"

#include <cstdlib>
#include <vector>

#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "formats/cheat_dialogs.h"
#include "formats/draft_refresh.h"
#include "formats/element_format_controls.h"
#include "script/editing/document_modified.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"
#include "script/editing/editor_calls.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

constexpr int MostCheatedLines = 10;
// Below these the script is already squeezed enough to show.
constexpr int LowTextSpacing = 95;
constexpr int LowBlankSpacing = 90;

// The elements of one page: from `first` up to the page break `end` (none
// for the last page).
struct TPage {
  TScriptElement* first = nullptr;
  TScriptElement* end = nullptr;
};

TPage PageAt(const TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  if (IsPageBreakKind(e->Kind()) && e->next) e = e->next;
  TPage page{e, e};
  while (page.first->prev && !IsPageBreakKind(page.first->prev->Kind())) page.first = page.first->prev;
  while (page.end && !IsPageBreakKind(page.end->Kind())) page.end = page.end->next;
  return page;
}

bool Printed(const TScriptDocument& script, const TScriptElement& e) {
  return !script.IsUnprintedElement(&e) && !(e.Kind() == ekScriptNote && !script.PrintScriptNotes);
}

// An element's printed height in dots, as the page breaker measures it.
int PrintedHeight(const TScriptDocument& script, const TScriptElement& e) {
  const int unit = e.format.FontSize * PrinterMetrics.DpiY / 72;
  const int line = unit * TextPercent(script) / 100;
  return unit * script.BlankSpacing / 100 * e.format.LinesBefore / 10 + line +
         e.format.Spacing * line * (e.lineCount - 1) / 10;
}

// One spacing value of one element that a cheat may move within limits.
struct TKnob {
  TScriptElement* element;
  Byte* value;
  int low;
  int high;
};

// The page's spacing a cheat can move: first the blank lines before
// elements (not the first, whose blank line a page always has), then the
// spacing within elements of several lines. Blank lines move by half
// their height at most, spacing by a fifth, so the page keeps its look.
std::vector<std::vector<TKnob>> Knobs(const TScriptDocument& script, const TPage& page) {
  std::vector<std::vector<TKnob>> knobs(2);
  // An Action cut by the page end is cut by whole lines, whatever its
  // spacing.
  const TScriptElement* cut = page.end && page.end->split == spFirstPiece ? page.end->prev : nullptr;
  bool first = true;
  for (TScriptElement* e = page.first; e && e != page.end; e = e->next) {
    if (!Printed(script, *e)) continue;
    TElementFormat& f = e->format;
    if (!first && f.LinesBefore > 0)
      knobs[0].push_back({e, &f.LinesBefore, f.LinesBefore - f.LinesBefore / 2, std::min(255, 2 * f.LinesBefore)});
    if (e->lineCount > 1 && f.Spacing > 0 && e != cut)
      knobs[1].push_back({e, &f.Spacing, f.Spacing - f.Spacing / 5, std::min(255, f.Spacing + f.Spacing / 5)});
    first = false;
  }
  return knobs;
}

// What moving the knob one step changes its element's height by; -1 when
// the step would leave the knob's limits.
int StepEffect(const TScriptDocument& script, const TKnob& k, int step) {
  const int next = *k.value + step;
  if (next < k.low || next > k.high) return -1;
  const Byte was = *k.value;
  const int before = PrintedHeight(script, *k.element);
  *k.value = static_cast<Byte>(next);
  const int after = PrintedHeight(script, *k.element);
  *k.value = was;
  return std::abs(after - before);
}

// A page made `change` dots shorter (taller when negative) a tenth of a
// line at a time, the knobs taking turns; false when they run out. A
// coarse last step is evened out by taking fine ones back, so the page
// changes by as little more than asked as the steps allow.
bool MovePage(const TScriptDocument& script, const TPage& page, int change) {
  const int target = std::abs(change);
  const int step = change > 0 ? -1 : 1;
  std::vector<std::vector<TKnob>> knobs = Knobs(script, page);
  std::vector<Byte> start;
  for (const std::vector<TKnob>& kind : knobs)
    for (const TKnob& k : kind) start.push_back(*k.value);
  int gained = 0;
  for (std::vector<TKnob>& kind : knobs) {
    for (bool moved = true; moved && gained < target;) {
      moved = false;
      for (TKnob& k : kind) {
        const int d = StepEffect(script, k, step);
        if (d < 0 || gained + d > target) continue;
        *k.value = static_cast<Byte>(*k.value + step);
        gained += d;
        moved = true;
      }
    }
  }
  if (gained >= target) return true;
  TKnob* best = nullptr;
  int bestEffect = 0;
  for (std::vector<TKnob>& kind : knobs)
    for (TKnob& k : kind) {
      const int d = StepEffect(script, k, step);
      if (d > 0 && (!best || d < bestEffect)) {
        best = &k;
        bestEffect = d;
      }
    }
  if (!best) return false;
  *best->value = static_cast<Byte>(*best->value + step);
  gained += bestEffect;
  for (bool moved = true; moved;) {
    moved = false;
    std::size_t i = 0;
    for (std::vector<TKnob>& kind : knobs)
      for (TKnob& k : kind) {
        const bool away = *k.value != start[i++];
        const int d = away ? StepEffect(script, k, -step) : -1;
        if (d <= 0 || gained - d < target) continue;
        *k.value = static_cast<Byte>(*k.value - step);
        gained -= d;
        moved = true;
      }
  }
  return true;
}

std::string LinesText(int lines) { return std::to_string(lines) + (lines == 1 ? " line" : " lines"); }

TPage CheatablePage(const TMDIChild& script) {
  const TPage page = PageAt(script);
  if (!page.end) ShowMessageBox(PromptTable(36), PromptTable(26));
  else if (page.end->Kind() != ekAutoPageBreak) ShowMessageBox(PromptTable(38), PromptTable(26));
  else return page;
  return {};
}

}  // namespace

bool CheatPageLines(TMDIChild& script, int lines, std::string& error) {
  if (!script.CurrentElement() || lines == 0) return false;
  script.Assemble();
  const TPage page = PageAt(script);
  std::vector<TElementFormat> before;
  for (TScriptElement* e = page.first; e && e != page.end; e = e->next) before.push_back(e->format);
  const int lineHeight = std::max(1, TextLineHeight(script, script.FormatSet[fsAction]));
  if (!MovePage(script, page, lines * lineHeight)) {
    std::size_t i = 0;
    for (TScriptElement* e = page.first; e && e != page.end; e = e->next) e->format = before[i++];
    script.DisAssemble();
    error = lines > 0
                ? "There is not enough room between the lines of this page to fit " + LinesText(lines) + " more on it."
                : "There are not enough blank lines on this page to take " + LinesText(-lines) + " off it.";
    return false;
  }
  // The undo step keeps the script as it was before the cheat.
  std::size_t i = 0;
  std::vector<TElementFormat> cheated;
  for (TScriptElement* e = page.first; e && e != page.end; e = e->next) {
    cheated.push_back(e->format);
    e->format = before[i++];
  }
  script.DisAssemble();
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  i = 0;
  for (TScriptElement* e = page.first; e && e != page.end; e = e->next) {
    e->format = cheated[i++];
    if (e->group) e->group->stale = 1;
  }
  script.DisAssemble();
  RefreshAfterDraftChange(script);
  return true;
}

bool CheatThePage(TMDIChild& script) {
  if (!script.CurrentElement()) return false;
  if (script.LayoutDue) script.RefreshLayout();
  if ((script.TextSpacing < LowTextSpacing || script.BlankSpacing < LowBlankSpacing) &&
      !AskYesNo(PromptTable(35), PromptTable(6), false))
    return false;
  if (!CheatablePage(script).first) return false;
  TCheatPageDlg dialog(nullptr);
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    std::string error;
    int lines = 0;
    TNumberReader read(dialog, error);
    if (read.Whole("LinesEdit", "The number of lines", 1, MostCheatedLines, lines) &&
        CheatPageLines(script, dialog.DecreaseBtn->Checked() ? -lines : lines, error))
      return true;
    ShowMessageBox(error, "Cheat the Page");
  }
}

void ResetPage(TMDIChild& script, const TPageResetParts& parts) {
  if (!script.CurrentElement()) return;
  SaveUndoStep(ukWholeScript, true, true, 0);
  script.Assemble();
  TScriptElement* keep = script.CurrentElement();
  const TPage page = PageAt(script);
  TDefaultFormatParts notes;
  notes.noteOnly = true;
  for (TScriptElement* e = page.first; e && e != page.end; e = e->next) {
    editor::SetCurrentElement(script, e);
    script.CurrentGroup = e->group;
    script.DisAssemble();
    ApplyDefaultFormat(script, parts.format);
    if (parts.noteColors) ApplyDefaultFormat(script, notes);
    if (parts.keptTogether && (e->state == esKeepGroup || e->state == esKeepFollowing)) e->state = esNormal;
    if (e->group) e->group->stale = 1;
    script.Assemble();
  }
  editor::SetCurrentElement(script, keep);
  script.CurrentGroup = keep->group;
  script.DisAssemble();
  RefreshAfterDraftChange(script);
}

bool ResetThePage(TMDIChild& script) {
  if (!script.CurrentElement()) return false;
  TResetWhatDlg dialog(nullptr);
  if (dialog.ShowModal() != mrOk) return false;
  TPageResetParts parts;
  parts.format.spacing = dialog.SpacingBox->Checked();
  parts.format.margins = dialog.MarginsBox->Checked();
  parts.format.cueContinued = dialog.ContinuedsBox->Checked();
  parts.format.clearNumber = dialog.NumberingBox->Checked();
  parts.format.fontAndStyle = dialog.TextFormatsBox->Checked();
  parts.keptTogether = dialog.KeptTogetherBox->Checked();
  parts.noteColors = dialog.NoteColorsBox->Checked();
  ResetPage(script, parts);
  return true;
}

}  // namespace qm
