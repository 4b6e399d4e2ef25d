// The Goto menu's searches of the main window: the next scene heading,
// script note, hidden element, A-page or forced page break.
#include "base/document_table.h"
#include "platform/menus.h"
#include "script/editing/goto_commands.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/status_line.h"

namespace qm {

namespace {

std::string NameOf(const TObject* sender) {
  const auto* component = dynamic_cast<const TComponent*>(sender);
  return component ? component->Name : std::string();
}

}  // namespace

void TMainForm::AfterGoto() {
  if (RepeatSearch.armed) {
    if (TMenuItem* again = MenuItem("SearchAgainItem")) again->Caption = RepeatSearch.caption;
  }
  FocusActiveScript();
  StatusLine().Refresh(true);
}

void TMainForm::GoNextClick(TObject* sender) {
  if (NoActiveDocument()) return;
  const std::string name = NameOf(sender);
  const TGotoTarget target = name == "PreviousSceneItem" ? TGotoTarget::PreviousScene
                             : name == "NextNoteItem"    ? TGotoTarget::ScriptNote
                             : name == "NextHiddenItem"  ? TGotoTarget::HiddenText
                                                         : TGotoTarget::NextScene;
  SearchNextMarked(*ActiveScript(), target);
  AfterGoto();
}

void TMainForm::NextAPageitemClick(TObject* sender) {
  if (NoActiveDocument()) return;
  const bool aPage = NameOf(sender) == "NextAPageitem";
  SearchNextBreak(*ActiveScript(), aPage ? TGotoTarget::APage : TGotoTarget::ForcedBreak);
  AfterGoto();
}

}  // namespace qm

namespace qm {

namespace {

void ToggleCheck(TObject* sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(sender)) item->Checked = !item->Checked();
}

}  // namespace

void TMainForm::BottomSpeedItemClick(TObject* sender) {
  ToggleCheck(sender);
  if (const auto* item = dynamic_cast<TMenuItem*>(sender)) StatusLine().Bar()->Visible = item->Checked();
  AlignControls();
}

void TMainForm::SceneCountItemClick(TObject* sender) {
  ToggleCheck(sender);
  StatusLine().Refresh(true);
}

void TMainForm::ActSceneInfoItemClick(TObject* sender) {
  ToggleCheck(sender);
  StatusLine().Refresh(true);
}

}  // namespace qm
