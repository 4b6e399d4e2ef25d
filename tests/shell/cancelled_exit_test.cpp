// Exit makes each open script the active one in turn to ask about it; when
// some stay open (Cancel at their save question), the script the writer
// sees in front is the active one again: it names the main window, takes
// the keys, and the Window menu brings the other forward.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/document_table.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "shell/app_messages.h"
#include "shell/main_form.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

// The answers to Exit's save questions, the second script's first.
enum class Answer { Cancel, Discard };

struct CancelledExitCase {
  const char* name;
  Answer second, first;
  const char* left;  // the script in front afterwards
};

class CancelledExitTest : public testing::ProgramFixture {
 protected:
  void AnswerSaveQuestion(Answer answer) {
    Driver().Expect([answer](TForm& box) { box.ModalResult = answer == Answer::Cancel ? mrCancel : mrNo; },
                    "the save question");
    if (answer == Answer::Discard) Driver().Expect([](TForm& box) { box.ModalResult = mrYes; }, "are you sure");
  }
  TMDIChild* Front() const { return dynamic_cast<TMDIChild*>(MainForm->ActiveMDIChild()); }
};

class CancelledExitAnswersTest : public CancelledExitTest, public ::testing::WithParamInterface<CancelledExitCase> {};

TEST_P(CancelledExitAnswersTest, TheScriptInFrontIsTheActiveOne) {
  const CancelledExitCase& c = GetParam();
  Script().SetFocus();
  TypeText("ONE");
  MainForm->FileNewItem->Click();
  Script().SetFocus();
  TypeText("TWO");
  ASSERT_EQ(DocumentCount, 2);
  AnswerSaveQuestion(c.second);
  AnswerSaveQuestion(c.first);

  MainForm->ExitQuillmasterItem->Click();

  EXPECT_EQ(Driver().Pending(), 0);
  ASSERT_FALSE(Application->Terminated());
  EXPECT_EQ(MainForm->ExitConfirmed, 0);
  ASSERT_NE(Front(), nullptr);
  EXPECT_EQ(ActiveScript(), Front()) << "the active script is " << ActiveScript()->ScriptFileName
                                     << ", the one in front " << Front()->ScriptFileName;
  EXPECT_NE(Front()->ScriptFileName.find(c.left), std::string::npos) << Front()->ScriptFileName;
  EXPECT_NE(MainWindowText().find(c.left), std::string::npos) << MainWindowText();
  TypeText("Z");
  EXPECT_NE(Front()->EditBuffer().find("Z"), std::string::npos) << "the keys go to the script in front";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CancelledExitAnswersTest,
    ::testing::Values(CancelledExitCase{"CancelAtBoth", Answer::Cancel, Answer::Cancel, "NONAME2"},
                      CancelledExitCase{"FrontOneDiscarded", Answer::Discard, Answer::Cancel, "NONAME1"},
                      CancelledExitCase{"OtherOneDiscarded", Answer::Cancel, Answer::Discard, "NONAME2"}),
    [](const ::testing::TestParamInfo<CancelledExitCase>& info) { return std::string(info.param.name); });

// After Cancel at both questions, Window > 1 brings the first script
// forward and makes it the active one.
TEST_F(CancelledExitTest, TheWindowMenuBringsTheOtherScriptForward) {
  Script().SetFocus();
  TypeText("ONE");
  MainForm->FileNewItem->Click();
  Script().SetFocus();
  TypeText("TWO");
  AnswerSaveQuestion(Answer::Cancel);
  AnswerSaveQuestion(Answer::Cancel);
  MainForm->ExitQuillmasterItem->Click();

  MainForm->WindowMenu->Click();
  MainForm->DocItems[0]->Click();

  ASSERT_NE(Front(), nullptr);
  EXPECT_EQ(Front(), Documents[1]);
  EXPECT_EQ(ActiveScript(), Documents[1]);
  EXPECT_NE(MainWindowText().find("NONAME1"), std::string::npos) << MainWindowText();
}

}  // namespace
}  // namespace qm
