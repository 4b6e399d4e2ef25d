// The index card and scene pilot commands of the main window.
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "story/index_card_view.h"
#include "story/scene_pilot.h"

namespace qm {

void TMainForm::IndexCardBtnClick(TObject*) {
  ShowIndexCardView();
  FocusActiveScript();
}

void TMainForm::SceneGuideBtnEnter(TObject*) { StartPilotTimer(); }

}  // namespace qm
