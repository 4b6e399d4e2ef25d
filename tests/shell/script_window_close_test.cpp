// Every way a script window closes asks the same questions about the
// script it closes: the window's own close (its close box, its system
// menu's Close and the close box of its icon all reach it as WM_CLOSE),
// Ctrl+F4, File > Close and Exit, with the script in front, behind another
// or shown as its icon. Cancel at the save question keeps it open with its
// text; Yes saves it, and its saved changes are offered to the backup
// drive before the window goes.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/prompt_table.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/stand_in_mounts.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

enum class Place { Front, Behind, Icon };

struct CloseRoad {
  const char* name;
  Place place;
  std::function<void(TMDIChild& script)> close;
};

struct CloseCase {
  CloseRoad road;
  TModalResult answer;  // at the save question: Cancel or Yes
};

const CloseRoad kOwnClose{"OwnClose", Place::Front, [](TMDIChild& s) { s.Perform(WM_CLOSE, 0, 0); }};
const CloseRoad kOwnCloseBehind{"OwnCloseBehind", Place::Behind, [](TMDIChild& s) { s.Perform(WM_CLOSE, 0, 0); }};
const CloseRoad kIconClose{"IconClose", Place::Icon, [](TMDIChild& s) { s.Perform(WM_CLOSE, 0, 0); }};
const CloseRoad kCtrlF4{"CtrlF4", Place::Front, [](TMDIChild&) { SendKey(VK_F4, ssCtrl); }};
const CloseRoad kFileClose{"FileClose", Place::Front, [](TMDIChild&) { MainForm->CloseFileItem->Click(); }};
const CloseRoad kExit{"Exit", Place::Behind, [](TMDIChild&) { MainForm->ExitQuillmasterItem->Click(); }};

class ScriptWindowCloseTest : public testing::ProgramFixture, public ::testing::WithParamInterface<CloseCase> {
 protected:
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  void Answer(const std::string& text, TModalResult result, const std::string& caption = {}) {
    testing::AnswerMessageBox(Driver(), text, result, caption);
  }
  testing::StandInMounts mounts;
};

// HALL saved, then changed; a second, empty script in front of it unless
// the case wants HALL in front, or HALL made an icon behind it.
TEST_P(ScriptWindowCloseTest, TheScriptsQuestionsComeAndCancelKeepsItsText) {
  const CloseCase& c = GetParam();
  const std::string stick = mounts.Mount("STICK");
  MainForm->ExpertPrompting = true;
  Script().SetFocus();
  TypeText("A kettle whistles.");
  testing::ChooseFile(Driver(), InScripts("HALL.QMW"));
  MainForm->FileSaveAsItem->Click();
  TypeText(" It boils.");
  TMDIChild& hall = Script();
  const std::string savedBefore = testing::ReadFileText(InScripts("HALL.QMW"));
  FloppyBackup = true;
  BackupDrive = stick;
  if (c.road.place != Place::Front) {
    MainForm->FileNewItem->Click();
    ASSERT_NE(&Script(), &hall);
  }
  if (c.road.place == Place::Icon) hall.Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);

  Answer("Save /.../HALL.QMW?", c.answer);
  if (c.answer == mrYes) Answer("Backup \"HALL.QMW\" to Drive " + stick + "/ ?", mrNo, PromptTable(9));
  const std::string text = hall.EditBuffer();
  c.road.close(hall);
  Application->ProcessMessages();

  EXPECT_EQ(Driver().Pending(), 0) << "the questions about HALL were asked";
  Driver().Clear();
  // With expert prompting, an Exit that closed every script asks nothing more.
  const bool exited = c.road.name == std::string("Exit") && c.answer == mrYes;
  EXPECT_EQ(Application->Terminated(), exited);
  const bool open = SlotOf(&hall) != 0;
  if (c.answer == mrCancel) {
    ASSERT_TRUE(open) << "Cancel keeps the script open";
    EXPECT_EQ(hall.EditBuffer(), text);
    EXPECT_TRUE(hall.DocumentModified) << "its changes are still to save";
    EXPECT_FALSE(hall.Closing);
    EXPECT_EQ(testing::ReadFileText(InScripts("HALL.QMW")), savedBefore);
  } else {
    EXPECT_FALSE(open) << "Yes saves and closes";
    EXPECT_NE(testing::ReadFileText(InScripts("HALL.QMW")), savedBefore) << "the changes were saved";
  }
}

std::string CaseName(const ::testing::TestParamInfo<CloseCase>& info) {
  return std::string(info.param.road.name) + (info.param.answer == mrCancel ? "Cancel" : "Yes");
}

INSTANTIATE_TEST_SUITE_P(Roads, ScriptWindowCloseTest,
                         ::testing::Values(CloseCase{kOwnClose, mrCancel}, CloseCase{kOwnClose, mrYes},
                                           CloseCase{kOwnCloseBehind, mrCancel}, CloseCase{kOwnCloseBehind, mrYes},
                                           CloseCase{kIconClose, mrCancel}, CloseCase{kIconClose, mrYes},
                                           CloseCase{kCtrlF4, mrCancel}, CloseCase{kCtrlF4, mrYes},
                                           CloseCase{kFileClose, mrCancel}, CloseCase{kFileClose, mrYes},
                                           CloseCase{kExit, mrCancel}, CloseCase{kExit, mrYes}),
                         CaseName);

}  // namespace
}  // namespace qm
