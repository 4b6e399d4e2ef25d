#include "formats/av_columns.h"

#include "base/message_boxes.h"
#include "formats/av_columns_dialog.h"
#include "formats/draft_refresh.h"
#include "formats/element_format_controls.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

constexpr int MaxMarginSum = 75;  // an inch of text at least

struct TMarginEdit {
  const char* Suffix;
  Byte TColumnMargins::*Field;
};
constexpr TMarginEdit MarginEdits[] = {{"Left1", &TColumnMargins::Left1},
                                       {"Right1", &TColumnMargins::Right1},
                                       {"Left2", &TColumnMargins::Left2},
                                       {"Right2", &TColumnMargins::Right2}};

void Load(const TForm& d, const std::string& prefix, const TColumnMargins& m) {
  for (const TMarginEdit& edit : MarginEdits)
    DialogControl<TEdit>(d, prefix + edit.Suffix)->Text = TenthsText(m.*edit.Field);
}

bool Store(const TForm& d, const std::string& prefix, const char* what, TColumnMargins& m, std::string& error) {
  TColumnMargins read = m;
  TNumberReader reader(d, error);
  for (const TMarginEdit& edit : MarginEdits)
    if (!reader.Tenths(prefix + edit.Suffix, "A column margin", 0, 8, read.*edit.Field)) {
      error = std::string(what) + ": " + error;
      return false;
    }
  if (read.Left1 + read.Right1 > MaxMarginSum || read.Left2 + read.Right2 > MaxMarginSum) {
    error = std::string(what) + ": the margins leave less than one inch for a column.";
    return false;
  }
  m = read;
  return true;
}

// An element's margins for its column (or its kind's for none).
void TakeColumnMargins(const TScriptDocument& script, TScriptElement& e) {
  if (e.avColumn == 0) {
    const int slot = FormatSlotOfKind(e.Kind());
    if (slot < 0) return;
    e.format.LeftMargin = script.FormatSet[static_cast<std::size_t>(slot)].LeftMargin;
    e.format.RightMargin = script.FormatSet[static_cast<std::size_t>(slot)].RightMargin;
    return;
  }
  const TColumnMargins& m = e.Kind() == ekDialogue ? script.AVDialogueMargins : script.AVOtherMargins;
  e.format.LeftMargin = e.avColumn == 1 ? m.Left1 : m.Left2;
  e.format.RightMargin = e.avColumn == 1 ? m.Right1 : m.Right2;
}

}  // namespace

bool ShowAVColumnsDialog(TMDIChild& script) {
  TSetupAVColumnsDlg dialog(nullptr);
  Load(dialog, "Dialogue", script.AVDialogueMargins);
  Load(dialog, "Other", script.AVOtherMargins);
  TColumnMargins dialogue = script.AVDialogueMargins;
  TColumnMargins other = script.AVOtherMargins;
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    std::string error;
    if (Store(dialog, "Dialogue", "Dialogue", dialogue, error) &&
        Store(dialog, "Other", "Other Elements", other, error))
      break;
    ShowMessageBox(error, "A/V Columns");
  }
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  script.AVDialogueMargins = dialogue;
  script.AVOtherMargins = other;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->avColumn != 0) {
      TakeColumnMargins(script, *e);
      script.WordWrapText(e, ElementText(*e), false, false);
    }
  script.DisAssemble();
  RefreshAfterDraftChange(script);
  return true;
}

bool SetElementColumn(TMDIChild& script, Byte column) {
  TScriptElement* e = script.CurrentElement();
  if (!e || FormatSlotOfKind(e->Kind()) < 0 || column > 2) return false;
  SaveUndoStep(ukInsert, false, true, 0);
  e->avColumn = column;
  TakeColumnMargins(script, *e);
  script.WrapScreenText(e, script.EditBuffer());
  RefreshAfterDraftChange(script);
  return true;
}

}  // namespace qm
