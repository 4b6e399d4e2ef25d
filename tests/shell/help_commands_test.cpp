// The Help menu's help items, the Production menu's help topics and the
// quick-help page.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "script/fixtures/keys_fixture.h"
#include "shell/help_page_dialog.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class HelpCommandsTest : public testing::KeysFixture {
 protected:
  void Click(const char* name) { MainForm->MenuItem(name)->Click(); }
};

const std::string kQuickHelpHint = "\r\rQuick Help (Alt+F1) explains the parts of a script page.";

TEST_F(HelpCommandsTest, HelpTopicsSayThereIsNoHelpFileAndNameTheTopic) {
  const struct {
    const char* item;
    std::string what;
  } cases[] = {
      {"Contents1", "the help contents"},
      {"SearchforHelpon1", "the help search"},
      {"TechniquesHelpItem", "the help topic \"General Techniques...\""},
      {"SceneHeadingsHelpItem", "the help topic \"Scene Headings\""},
      {"PageBreaksHelpItem", "the help topic \"Page Breaks\""},
      {"HeadersHelpItem", "the help topic \"Headers\""},
      {"OverridesHelpItem", "the help topic \"Manual Overrides\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    testing::AnswerMessageBox(Driver(),
                              "This program has no help file, so " + c.what + " cannot be shown." + kQuickHelpHint,
                              mrOk, "Attention");
    Click(c.item);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(HelpCommandsTest, QuickHelpExplainsEachPartOfThePageItShows) {
  std::set<std::string> explained;
  Driver().Expect([this, &explained](TForm& form) {
    auto& page = dynamic_cast<THelpPageDialog&>(form);
    EXPECT_EQ(page.Caption(), "Click on Text in Page for Information....");
    EXPECT_EQ(page.ActivePageName(), "Default");
    for (const THelpPageItem& item : HelpPageItems()) {
      SCOPED_TRACE(item.name);
      auto* label = dynamic_cast<TLabel*>(page.FindComponent(item.name));
      ASSERT_NE(label, nullptr);
      EXPECT_TRUE(label->Showing());
      EXPECT_EQ(label->Caption(), item.caption);
      Driver().Expect([&explained, item](TForm& box) {
        EXPECT_EQ(box.Caption(), item.title);
        explained.insert(testing::MessageBoxText(box));
        box.ModalResult = mrOk;
      });
      label->Click();
    }
    page.OKBtn->Click();
  });
  Click("QuickHelpPage1");
  // Every part has an explanation of its own, the shot's the one it must be.
  EXPECT_EQ(explained.count(
                "Press <ENTER> in a blank Action Line and select <MAKE THIS A SHOT> from the menu that appears.\r\r"
                "Or alternatively press <CTRL+H> from anywhere in the script to instantly be put into a Shot Element."),
            1u);
  std::set<std::string> distinct;
  for (const THelpPageItem& item : HelpPageItems()) distinct.insert(item.explanation);
  EXPECT_EQ(explained, distinct);
  EXPECT_GE(explained.size(), 10u);
}

TEST_F(HelpCommandsTest, TheProgramIconTurnsToTheHiddenPageAndAClickThereTurnsBack) {
  Driver().Expect([](TForm& form) {
    auto& page = dynamic_cast<THelpPageDialog&>(form);
    page.ProgramIcon->Click();
    EXPECT_EQ(page.ActivePageName(), "No Feathers");
    EXPECT_FALSE(page.DefaultPage->Showing());
    EXPECT_TRUE(page.NoFeathersPage->Showing());
    EXPECT_FALSE(page.FindComponent("ShotLabel") &&
                 dynamic_cast<TControl*>(page.FindComponent("ShotLabel"))->Showing());
    page.NoFeathersPage->Click();
    EXPECT_EQ(page.ActivePageName(), "Default");
    EXPECT_TRUE(page.DefaultPage->Showing());
    page.ProgramIcon->Click();
    dynamic_cast<TControl*>(page.FindComponent("NoFeathersLabel"))->Click();
    EXPECT_EQ(page.ActivePageName(), "Default");
    page.OKBtn->Click();
  });
  Click("QuickHelpPage1");
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(HelpCommandsTest, AnExplanationIsFoundByItsLabelOnly) {
  EXPECT_EQ(HelpPageExplanation("ShotLabel").substr(0, 20), "Press <ENTER> in a b");
  EXPECT_EQ(HelpPageExplanation("OKBtn"), "");
  EXPECT_EQ(HelpPageExplanation(""), "");
}

}  // namespace
}  // namespace qm
