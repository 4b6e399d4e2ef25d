// The "Which Type" dialog: in a locked script it asks which page break to
// put in or to change a break into, and which numbering a scene heading
// takes. One form with a page for each question; the caller shows the
// page it asks and reads the choice.
#pragma once

#include <optional>

#include "platform/forms.h"
#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

enum class TTypeQuestion { PageBreak, SceneType };

class TWhichPageTypeDlg : public TForm {
 public:
  TWhichPageTypeDlg(TComponent* owner, TTypeQuestion question);

  TPanel* PageBreakPanel;
  TRadioGroup* PageBreakGroup;
  TPanel* ScenePanel;
  TRadioGroup* SceneTypeGroup;
  TLabel* SceneNumberLabel;
  TEdit* SceneNumberEdit;
  TButton* OKBtn;
  TButton* CancelBtn;
};

// The scene types in the order the dialog lists them.
enum TSceneTypeChoice : int {
  stNoNumbering = 0,
  stNormal,
  stLocked,
  stFlippedLocked,
  stMultiLocked,
  stManual,
  stFlipOrder,
};

// The page-break kinds in the order the dialog lists them.
inline constexpr Byte PageBreakChoiceKinds[] = {ekLockedPageBreak, ekForcedPageBreak, ekFixedAPageBreak,
                                                ekMultiLockedPageBreak};

// Asks which kind of page break to put in (or to change one into), the
// list starting on `current` when it is one of them; nothing on Cancel.
std::optional<Byte> AskPageBreakKind(Byte current);

}  // namespace qm
