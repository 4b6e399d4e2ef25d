// The page on which the breakdown categories are renamed, hidden and
// shown; the logic is TCategorySetup's.
#pragma once

#include "breakdown/category_setup.h"
#include "platform/forms.h"

namespace qm {

class TCategorySetupDlg : public TForm {
 public:
  explicit TCategorySetupDlg(TComponent* owner);

  TCategorySetup Setup;

  TListBox* EditList;
  TPanel* EditPanel;
  TEdit* NameEdit;
  TEdit* CodeEdit;
  TButton* ReplaceBtn;
  TButton* PanelCancelBtn;
  TButton* HideShowBtn;
  TButton* ResetBtn;
  TButton* SheetBtn;
  TButton* OKBtn;

  // The list shows the rows again, the selection kept.
  void FillList();
  void EditListDblClick();
  void ReplaceClick();
  void OkClick();

 private:
  void UpdateReplace();
  void ClosePanel();
};

}  // namespace qm
