// The range dialog: a range of scenes to make the block, or how far to
// extend the block from the caret.
#pragma once

#include "platform/forms.h"

namespace qm {

enum class TRangeQuestion { Scenes, ExtendBlock };

// The choices of "Select how to extend Block", in their order.
enum TExtendChoice : int { ecEndOfPage = 0, ecEndOfScene, ecActOrSceneBreak, ecEndOfScript, ecToPage };

class TSelectRangeDlg : public TForm {
 public:
  TSelectRangeDlg(TComponent* owner, TRangeQuestion question);
  // Scenes: the first and last scene, one entry per scene heading.
  TComboBox* FromBox = nullptr;
  TComboBox* ToBox = nullptr;
  // Extending: where to, and the page for ecToPage.
  TRadioGroup* ExtendGroup = nullptr;
  TEdit* PageEdit = nullptr;
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
