// The page on which an item is tagged all over the script: the item, its
// category, and whether to ask at each place.
#pragma once

#include "platform/forms.h"

namespace qm {

class TTagItemDlg : public TForm {
 public:
  explicit TTagItemDlg(TComponent* owner);

  TEdit* ItemEdit;
  TRadioGroup* CategoryGroup;
  TCheckBox* PromptBox;
  // Opens the category page; the categories show as it left them.
  TButton* EditNamesBtn;
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
