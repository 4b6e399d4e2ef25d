#include "printing/printer_setup_dialog.h"

#include "platform/dialog_builder.h"
#include "platform/printer.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable PrinterSetupTable() {
  return {
      {Label, "ListLabel", "&Printers:", {12, 10, 200, 16}},
      {ListBox, "PrinterList", "", {12, 30, 300, 120}},
      {Label, "PageLabel", "", {12, 158, 300, 16}},
  };
}

}  // namespace

void ListPrinters(TStringList& items) {
  items.Clear();
  const TStringList& printers = Printer()->Printers();
  for (int i = 0; i < printers.Count(); ++i) items.Add(printers.Strings(i));
}

TPrinterSetupDlg::TPrinterSetupDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "PrinterSetupDlg", "Printer Setup", 328, 236);
  BuildDialog(*this, PrinterSetupTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel, {140, 184, 80, 25}, 90));
  PrinterList = DialogControl<TListBox>(*this, "PrinterList");
  PageLabel = DialogControl<TLabel>(*this, "PageLabel");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  Printer()->Refresh();
  ListPrinters(PrinterList->Items);
  PrinterList->SetItemIndex(Printer()->PrinterIndex());
  PrinterList->OnClick = [this](TObject*) { ShowPage(); };
  ShowPage();
}

void TPrinterSetupDlg::ShowPage() {
  const int index = PrinterList->ItemIndex();
  if (index < 0) {
    PageLabel->Caption = std::string();
    return;
  }
  const int kept = Printer()->PrinterIndex();
  Printer()->SetPrinterIndex(index);
  const int dpi = Printer()->GetDeviceCaps(LOGPIXELSX);
  const int width = Printer()->GetDeviceCaps(PHYSICALWIDTH), height = Printer()->GetDeviceCaps(PHYSICALHEIGHT);
  Printer()->SetPrinterIndex(kept);
  if (dpi <= 0) return;
  const auto inches = [dpi](int dots) {
    const int hundredths = dots * 100 / dpi;
    return std::to_string(hundredths / 100) + "." + std::to_string(hundredths % 100 / 10) +
           std::to_string(hundredths % 10);
  };
  PageLabel->Caption = "Paper " + inches(width) + " x " + inches(height) + " in, " + std::to_string(dpi) + " dpi";
}

TModalResult TPrinterSetupDlg::Execute() {
  const TModalResult result = ShowModal();
  if (result == mrOk && PrinterList->ItemIndex() >= 0) Printer()->SetPrinterIndex(PrinterList->ItemIndex());
  return result;
}

}  // namespace qm
