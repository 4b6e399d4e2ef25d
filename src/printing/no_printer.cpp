#include "printing/no_printer.h"

#include <string>

#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/printer.h"

namespace qm {

namespace {

bool WarningShown = false;

const GlobalState reset([] { WarningShown = false; });

}  // namespace

void InitializePtseldlg() { WarningShown = false; }

bool NoPrinterAvailable() {
  TPrinter* printer = Printer();
  const int count = printer ? printer->Printers().Count() : 0;
  if (count == 0) {
    if (!WarningShown) {
      WarningShown = true;
      ShowMessageBox(std::string(NoPrinterText) + "\r\r" + InstallPrinterText, PromptTable(2));
    }
    return true;
  }
  const int index = printer->PrinterIndex();
  return index < 0 || index >= count;
}

}  // namespace qm
