// The Cheat menu's commands beyond one element reach their routines: the
// whole script cheated through the page layout, text marked and unmarked
// as non-printing by its items, and the government dialled.
#include <gtest/gtest.h>

#include "base/prompt_table.h"
#include "formats/page_layout_dialog.h"
#include "platform/menus.h"
#include "script/fixtures/keys_fixture.h"
#include "support/message_box_answers.h"
#include "script/script_window.h"
#include "shell/cheat_government_dialog.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class CheatCommandsTest : public testing::KeysFixture {};

TEST_F(CheatCommandsTest, CheatingTheScriptOffersToTakeTheElementCheatsAwayThenShowsThePageLayout) {
  const struct {
    const char* what;
    TModalResult answer;
    bool cheatsRemoved;
  } cases[] = {{"yes: the cheats go first", mrYes, true}, {"no: the cheats stay", mrNo, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, "Rain."}, {ekAction, "Wind."}}, 1);
    ElementAt(0)->format.LinesBefore = 4;
    Driver().Expect([&c](TForm& form) {
      EXPECT_NE(testing::MessageBoxText(form).find("To cheat the entire Script,\rwe'll go to the Page Layout Menu."),
                std::string::npos);
      form.ModalResult = c.answer;
    });
    Driver().Expect([](TForm& form) {
      auto& dialog = dynamic_cast<TPageLayoutDlg&>(form);
      dialog.TextSpacingEdit->Text = std::string("96");
      form.ModalResult = mrOk;
    });
    MainForm->MenuItem("CheatScriptItem")->Click();
    EXPECT_EQ(W().TextSpacing, 96);
    EXPECT_EQ(ElementAt(0)->format.LinesBefore, c.cheatsRemoved ? W().FormatSet[fsAction].LinesBefore : 4);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(CheatCommandsTest, TheMarkAndUnmarkItemsSetAndClearTheNonPrintingState) {
  Load({{ekAction, "Rain."}, {ekCharacterName, "ANN"}, {ekDialogue, "Cold."}, {ekAction, "Wind."}}, 1);
  MainForm->MenuItem("MarkasNonPrintingItem")->Click();
  EXPECT_EQ(States(), (std::vector<int>{0, 3, 3, 0}));
  MainForm->MenuItem("UnmarkNonPrintingItem")->Click();
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(CheatCommandsTest, TheGovernmentIsDialledThenAsksForAPassword) {
  std::vector<std::string> statuses;
  std::vector<std::string> answers;
  bool askedAtOnce = true;
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TCheatGovernmentDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Cheat the Government");
    askedAtOnce = dialog.PasswordEdit->Visible();
    while (!dialog.PasswordEdit->Visible() && dialog.Step() < 10) {
      statuses.push_back(dialog.StatusLabel->Caption());
      dialog.Tick();
    }
    statuses.push_back(dialog.StatusLabel->Caption());
    EXPECT_FALSE(dialog.DialTimer->Enabled()) << "the dialling is over";
    for (const char* typed : {"let me in", "1040", " loophole "}) {
      dialog.PasswordEdit->Text = std::string(typed);
      dialog.Submit();
      answers.push_back(dialog.StatusLabel->Caption());
    }
    form.ModalResult = mrCancel;
  });
  MainForm->MenuItem("CheatTheGovernmentItem")->Click();
  EXPECT_FALSE(askedAtOnce);
  ASSERT_EQ(statuses.size(), 5u);
  EXPECT_EQ(statuses.front(), "Please Wait... Dialing I.R.S.");
  EXPECT_EQ(statuses.back(), "Enter your Access Password:");
  EXPECT_EQ(answers, (std::vector<std::string>{"Invalid Password", "Password Accepted", "Password Accepted"}));
  EXPECT_FALSE(GovernmentPasswordAccepted(""));
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm
