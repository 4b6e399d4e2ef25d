// The File menu's printing commands: Print (and Alternate Print) through
// the print menu after the spelling check of the word last typed, Print Preview, the printer set-up and SmartCheck.
#include "base/document_table.h"
#include "base/idle_detached.h"
#include "language/spelling/spell_pass.h"
#include "platform/menus.h"
#include "platform/printer.h"
#include "printing/no_printer.h"
#include "printing/print_menu.h"
#include "printing/print_preview.h"
#include "printing/print_run.h"
#include "printing/printer_setup_dialog.h"
#include "printing/smartcheck.h"
#include "script/editing/reformat.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"

namespace qm {

void TMainForm::PrintItemClick(TObject* sender) {
  if (NoActiveDocument()) return;
  // The word last typed is checked before the pages go out, unless a block
  // is marked (the check would clear it).
  if (!ActiveScript()->BlockOn()) SpellCheckScript(smAsTyped);
  if (NoPrinterAvailable()) return;
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  const bool standardBreakdowns = item && item->Name == "PrintBreakdownsItem";
  CurrentPrintCanvas = &Printer()->Canvas();
  const IdleAndHintDetached idle;
  // The pages print as the script paginates now, whatever the option says.
  const ScopedState<bool> paginating(NoAutoPagination, false);
  ActiveScript()->RefreshLayout();
  PrintMenuDlg().RunPrintJob(standardBreakdowns);
  RefreshAfterChange();
}

void TMainForm::PreviewItemClick(TObject*) {
  if (NoActiveDocument() || NoPrinterAvailable()) return;
  const IdleAndHintDetached idle;
  const ScopedState<bool> paginating(NoAutoPagination, false);
  ActiveScript()->RefreshLayout();
  PreviewScript(*ActiveScript(), TPrintChoice{});
  RefreshAfterChange();
}

void TMainForm::RunSmartCheck1Click(TObject*) {
  if (NoActiveDocument()) return;
  SmartCheckScript(true);
  RefreshAfterChange();
}

void TMainForm::PrinterSetupItemClick(TObject*) {
  if (NoPrinterAvailable()) return;
  TMDIChild* script = ActiveScript();
  if (script) script->SetPrinterLineHeight();
  const int width = Printer()->GetDeviceCaps(PHYSICALWIDTH), height = Printer()->GetDeviceCaps(PHYSICALHEIGHT);
  AskKeepSelectedPrinter([] { PrintMenuDlg().RunPrinterSetup(); });
  ReadPrinterMetrics(script);
  script = ActiveScript();
  if (!script) return;
  const bool widthChanged = Printer()->GetDeviceCaps(PHYSICALWIDTH) != width;
  if (!widthChanged && Printer()->GetDeviceCaps(PHYSICALHEIGHT) == height) return;
  // Another page: new heights, and new line breaks when the width changed.
  script->ComputePageHeight();
  if (widthChanged) ReformatToPrinterResolution(*script);
  for (TScriptElement* e = script->FirstElement; e; e = e->next)
    if (e->group) e->group->stale = 1;
  script->RefreshLayout();
  RefreshAfterChange();
}

}  // namespace qm
