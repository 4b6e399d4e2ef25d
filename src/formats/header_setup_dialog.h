// The "Header Setup" dialog: the two header lines with their code
// buttons, the blank lines after them, the number styles of act and scene
// information, the date form and the pages that carry the header.
#pragma once

#include "platform/forms.h"

namespace qm {

class THeaderSetupDlg : public TForm {
 public:
  explicit THeaderSetupDlg(TComponent* owner);
  TEdit* Line1Edit;
  TEdit* Line2Edit;
  TEdit* BlankLinesEdit;
  TRadioGroup* ActStyleGroup;
  TRadioGroup* SceneStyleGroup;
  TRadioGroup* DateFormGroup;
  TRadioGroup* HeaderPagesGroup;
  TButton* OKBtn;
  TButton* CancelBtn;
  // The line the code buttons write into: the one last focused.
  TEdit* CodeTarget() const;
  // What a code button does: its code at the caret of the line, or for
  // the style buttons around the selected text.
  void CodeButtonClick(TObject* sender);

 private:
  void RememberLine(TObject* sender);
  TEdit* lastLine_ = nullptr;
};

}  // namespace qm
