// The "In your script, there were..." dialog: the five paragraphs of the
// analysis on one page, the speaking characters and the detail of the one
// chosen on the other, both printable.
#pragma once

#include <array>

#include "breakdown/script_analysis.h"
#include "platform/forms.h"

namespace qm {

class TMDIChild;

class TScriptAnalysisDlg : public TForm {
 public:
  TScriptAnalysisDlg(TComponent* owner, TMDIChild& script);

  TPageControl* TabbedNotebook1;
  TTabSheet* GeneralPage;
  TTabSheet* DetailPage;
  std::array<TLabel*, 5> BtrLabels{};
  TListBox* NameListBox;
  std::array<TLabel*, 8> DetailLabels{};
  TButton* DupNamesBtn;
  TButton* BitBtn2;
  TCheckBox* QuillpressFileBox;
  TButton* OKBtn;

  TScriptAnalysis Analysis;

  void AnalyzeTheScript();
  void SetupDetailData(int index);
  void NameListBoxChange();
  void TabbedNotebook1Change();
  void DupNamesBtnClick();
  void BitBtn2Click();

 private:
  TMDIChild& script_;
};

}  // namespace qm
