// The main window's commands for interactive (branching) scripts.
#include "files/native_file.h"
#include "files/run_program.h"
#include "language/pick_list.h"
#include "script/editing/typing_aids.h"
#include "script/editing/click_hooks.h"
#include "shell/documents.h"
#include "shell/element_type_dialog.h"
#include "shell/main_form.h"
#include "story/activity_variables.h"
#include "story/activity_wizard_dialog.h"
#include "story/branch_point_dialog.h"
#include "story/interactive_script.h"
#include "story/linkage_graph_dialog.h"
#include "story/runtime_player.h"

namespace qm {

void TMainForm::RenumberBTargetsItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  story::RenumberAllJumpPositions();
}

void TMainForm::PlayMultimediaScriptItemClick(TObject*) {
  if (!ActiveScript()) return;
  story::PlayInteractiveScript({
      .SaveScript = [](const std::string& fileName) { return SaveScriptFile(fileName, false, true); },
      .RunAndWait = [](const std::string& program,
                       const std::vector<std::string>& args) { return RunProgramAndWait(program, args, 3, true); },
  });
}

void TMainForm::DialogueBtnClick(TObject*) {
  if (!ActiveScript()) return;
  story::ShowLinkageGraph();
}

void TMainForm::InstallStoryHooks() {
  ScriptClickHooks.FollowBranch = [](TMDIChild&) { story::FollowJump(); };
  TypingAidHooks.OfferVariables = [](TMDIChild& script) { PickIntoScript(script, story::ScriptVariables(script)); };
  InstallStoryboardHooks();
}

void TMainForm::InteractiveWizardItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  story::ShowActivityWizard();
}

void TMainForm::BranchPointBtnClick(TObject*) {
  if (!EditableActiveScript()) return;
  story::ShowBranchPointDialog();
}

int TMainForm::ChooseInteractiveElement() {
  TSelectElementTypeDlg dialog(this);
  return dialog.ShowModal();
}

}  // namespace qm
