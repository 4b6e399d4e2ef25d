// The index card and scene pilot commands of the main window.
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "story/index_card_view.h"
#include "story/scene_pilot.h"

namespace qm {

void TMainForm::IndexCardBtnClick(TObject*) {
  ShowIndexCardView();
  FocusActiveScript();
}

void TMainForm::SceneGuideBtnEnter(TObject*) { StartPilotTimer(); }

void TMainForm::SceneGuideBtnExit(TObject*) { StopPilotTimer(); }

void TMainForm::SceneGuideItemClick(TObject*) {
  TMenuItem* item = MenuItem("SceneGuideItem");
  auto* button = dynamic_cast<TOfficeButton*>(FindComponent("SceneGuideBtn"));
  if (!item || !button) return;
  TPanel* panel = RightPanel().ElementButtonPanel;
  // The element button panel ends at the button's top, or just below it.
  button->Visible = !item->Checked;
  panel->Height = button->Visible ? button->Top + button->Height + 2 : button->Top;
  item->Checked = button->Visible;
  RightPanel().LayoutRightSpeedBar();
}

}  // namespace qm
