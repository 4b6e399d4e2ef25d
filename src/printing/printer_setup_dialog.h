// The printer set-up dialog: the printers the desktop offers (and the PDF
// printer), one of which the print jobs use.
#pragma once

#include "platform/forms.h"

namespace qm {

class TStringList;

// Fills a list with the names of the printers, the desktop's order.
void ListPrinters(TStringList& items);

class TPrinterSetupDlg : public TForm {
 public:
  explicit TPrinterSetupDlg(TComponent* owner);

  TListBox* PrinterList = nullptr;
  TLabel* PageLabel = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

  // OK selects the chosen printer.
  TModalResult Execute();

 private:
  void ShowPage();
};

}  // namespace qm
