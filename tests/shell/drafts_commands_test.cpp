// The Production menu's draft commands reach their routines: the menu
// items open their dialogs and change the active script.
#include <gtest/gtest.h>

#include "formats/lock_script_dialog.h"
#include "platform/menus.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/screen_colors_dialog.h"
#include "platform/headless/headless_backend.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

using testing::ElementSpec;

class DraftsCommandsTest : public testing::KeysFixture {};

TEST_F(DraftsCommandsTest, RemovingAUserColourTakesOnlyThatColoursCodes) {
  // User colour 3 is 238 ... 248, colour 1 is 253 ... 254.
  Load({{ekAction, "One \xEE"
                   "green\xF8 and \xFD"
                   "gold\xFE."}});
  W().UsesUserColours = 1;
  // The type-YES question comes first, then the colour dialog.
  std::string question;
  Driver().Expect([&question](TForm& box) {
    question = FormMessage(box);
    testing::AnswerTypeYes(box, true);
  });
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TSelectUserColorDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Select the Color to Remove...");
    dialog.Select(3);
    dialog.OKBtn->Click();
  });
  ExpectBox("All Selected User Color Codes Codes have been removed.", mrOk);
  MainForm->MenuItem("RemoveUserColorItem")->Click();
  EXPECT_NE(question.find("Remove all of a User Defined Color?"), std::string::npos) << question;
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "One green and \xFD"
                                                             "gold\xFE."}}));
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(DraftsCommandsTest, InAScriptWithoutUserColoursTheirBytesStayLetters) {
  // Without user colours these bytes are the letters of the text.
  const std::string text = "Caf\xEE and \xFD"
                           "gold\xFE.";
  Load({{ekAction, text}});
  Driver().Expect([](TForm& box) {
    EXPECT_NE(FormMessage(box).find("Remove all of a User Defined Color?"), std::string::npos);
    testing::AnswerTypeYes(box, true);
  });
  std::string question;
  Driver().Expect([&question](TForm& box) {
    question = FormMessage(box);
    testing::AnswerTypeYes(box, false);
  });
  MainForm->MenuItem("RemoveUserColorItem")->Click();
  EXPECT_NE(question.find("To use the Extra Colors"), std::string::npos);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, text}}));
  EXPECT_EQ(W().UsesUserColours, 0);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(DraftsCommandsTest, NoToTheRemovalQuestionShowsNoColourDialog) {
  Load({{ekAction, "One \xEE"
                   "green\xF8."}});
  W().UsesUserColours = 1;
  Driver().Expect([](TForm& box) {
    EXPECT_NE(FormMessage(box).find("Remove all of a User Defined Color?"), std::string::npos);
    testing::AnswerTypeYes(box, false);
  });
  MainForm->MenuItem("RemoveUserColorItem")->Click();
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "One \xEE"
                                                             "green\xF8."}}));
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(DraftsCommandsTest, TheLockItemLocksTheScriptAndTheMarksItemFollowsIt) {
  Load({{ekSceneHeading, "INT. ROOM"}, {ekAction, "Rain."}});
  Driver().Expect([](TForm& form) {
    ASSERT_NE(dynamic_cast<TLockScriptDlg*>(&form), nullptr);
    form.ModalResult = mrOk;
  });
  MainForm->MenuItem("LockScriptItem")->Click();
  EXPECT_EQ(W().ScenesLocked, 1);
  EXPECT_EQ(W().PagesLocked, 1);
  EXPECT_EQ(W().RevisionMarking, 1) << "a locked script marks its changes";

  MainForm->MenuItem("AutoRevMarksItem")->Click();
  EXPECT_EQ(W().RevisionMarking, 0);
  EXPECT_FALSE(MainForm->MenuItem("AutoRevMarksItem")->Checked);
  MainForm->MenuItem("AutoRevMarksItem")->Click();
  EXPECT_TRUE(MainForm->MenuItem("AutoRevMarksItem")->Checked);

  // The check follows the script whenever the menus are brought up to date.
  W().RevisionMarking = 0;
  MainForm->MenusDue = 1;
  bool done = false;
  MainForm->AppIdle(nullptr, done);
  EXPECT_FALSE(MainForm->MenuItem("AutoRevMarksItem")->Checked);
}

TEST_F(DraftsCommandsTest, NextRevisionMarkGoesToTheNextMarkedLine) {
  Load({{ekAction, "One."}, {ekAction, "Two."}, {ekAction, "Three."}, {ekAction, "Four."}});
  W().Assemble();
  TScriptElement* third = W().FirstElement->next->next;
  third->revisedLines = std::string(1, '\x01');
  W().DisAssemble();
  MainForm->MenuItem("NextRevisionMarkItem")->Click();
  EXPECT_EQ(W().CurrentElement(), third);
  EXPECT_EQ(W().CaretColumn(), 0);
  ExpectBox("There are no more current Revision Marks below the Cursor.", mrOk);
  MainForm->MenuItem("NextRevisionMarkItem")->Click();
  EXPECT_EQ(W().CurrentElement(), third);
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm
