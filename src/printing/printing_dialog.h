// The print progress dialog: shown while a job prints, it tells which page
// goes out and lets the writer cancel the job.
#pragma once

#include <string>

#include "platform/forms.h"

namespace qm {

class TPrintingDlg : public TForm {
 public:
  explicit TPrintingDlg(TComponent* owner);
  ~TPrintingDlg() override;

  TLabel* StatusLabel = nullptr;
  TLabel* PageLabel = nullptr;
  TButton* CancelBtn = nullptr;

  // Shows the dialog for a job and hooks it to the run's progress.
  void Begin(const std::string& title);
  void ShowPage(int page, int pages, int copy, int copies);
  void End();
};

// The one print progress dialog, made on first use and kept for the run.
TPrintingDlg& PrintingDlg();

}  // namespace qm
