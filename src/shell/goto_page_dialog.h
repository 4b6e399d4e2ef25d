// The go-to-page dialog: a page number, with a letter for an A-page, that
// the spin buttons step through the script's pages; or the scene list
// instead.
#pragma once

#include "platform/forms.h"
#include "script/editing/goto_page.h"

namespace qm {

class TScriptDocument;

// The modal result of "Goto &Scene Listings": the caller shows the list
// of scenes instead.
constexpr TModalResult mrSceneList = mrRetry;

class TGotoPgDlg : public TForm {
 public:
  TGotoPgDlg(TComponent* owner, const TScriptDocument& script);

  TEdit* PageEdit;
  TSpeedButton* SpinUpBtn;
  TSpeedButton* SpinDownBtn;
  TButton* OKBtn;
  TButton* SceneListBtn;

  // The page the field asks for (valid only after OK).
  TPageRequest Page() const { return page_; }
  // One page up or down, the letter kept; a beep at the script's ends.
  void Spin(int step);

 private:
  void OKBtnClick(TObject* sender);
  int first_;
  int last_;
  TPageRequest page_;
};

}  // namespace qm
