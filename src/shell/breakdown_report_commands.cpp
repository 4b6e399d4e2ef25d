// The breakdown reports of the Production menu: the scheduling export and
// the standard breakdowns and the scenes of chosen characters the print
// menu hands on.
#include "base/document_table.h"
#include "breakdown/breakdowns_run_dialog.h"
#include "printing/print_menu.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::InstallBreakdownReports() {
  PrintMenuHooks.StandardBreakdowns = [](TMDIChild& script) { ShowBreakdownsDialog(script, TBreakdownOutput::Report); };
  PrintMenuHooks.ScenesOfCharacters = [](TMDIChild& script, bool everyName) {
    return AskScenesOfCharacters(script, everyName);
  };
  BreakdownDialogHooks.EndFillOutBreakdowns = [this] { EndTaggingMode(); };
}

void TMainForm::ShootPlanExportItemClick(TObject*) {
  if (NoActiveDocument()) return;
  RunBreakdownExportOrPrint(*ActiveScript(), true);
  FocusActiveScript();
}

}  // namespace qm
