#include "printing/printing_dialog.h"

#include "base/global_state.h"
#include "platform/dialog_builder.h"
#include "printing/print_run.h"

namespace qm {

namespace {

TPrintingDlg* Instance = nullptr;

const GlobalState reset([] { Instance = nullptr; });

using enum TDialogItemKind;

TDialogTable PrintingTable() {
  return {
      {Label, "StatusLabel", "Printing...", {16, 16, 260, 16}},
      {Label, "PageLabel", "", {16, 40, 260, 16}},
  };
}

}  // namespace

TPrintingDlg::TPrintingDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "PrintingDlg", "Printing", 300, 130);
  BuildDialog(*this, PrintingTable());
  BuildDialog(*this, ButtonRow(sbCancel, {110, 70, 80, 25}, 0));
  StatusLabel = DialogControl<TLabel>(*this, "StatusLabel");
  PageLabel = DialogControl<TLabel>(*this, "PageLabel");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  // Not modal: Cancel stops the run, and the job closes the dialog.
  CancelBtn->ModalResult = mrNone;
  CancelBtn->OnClick = [](TObject*) { PrintRun.Cancelled = 1; };
}

TPrintingDlg::~TPrintingDlg() {
  if (Instance == this) Instance = nullptr;
  PrintRunHooks.Status = nullptr;
  PrintRunHooks.Ended = nullptr;
}

void TPrintingDlg::Begin(const std::string& title) {
  StatusLabel->Caption = title;
  PageLabel->Caption = std::string();
  PrintRunHooks.Status = [](const std::string& text) {
    if (Instance) Instance->StatusLabel->Caption = text;
  };
  PrintRunHooks.Ended = [] {
    if (Instance) Instance->End();
  };
  Show();
}

void TPrintingDlg::ShowPage(int page, int pages, int copy, int copies) {
  std::string text = "Page " + std::to_string(page) + " of " + std::to_string(pages);
  if (copies > 1) text += ", copy " + std::to_string(copy) + " of " + std::to_string(copies);
  PageLabel->Caption = text;
  if (Application) Application->ProcessMessages();
}

void TPrintingDlg::End() {
  PrintRunHooks.Status = nullptr;
  PrintRunHooks.Ended = nullptr;
  Hide();
}

TPrintingDlg& PrintingDlg() {
  if (!Instance) Instance = new TPrintingDlg(Application);
  return *Instance;
}

}  // namespace qm
