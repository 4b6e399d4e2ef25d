// The program options dialog's groups: each caption frames its boxes, in
// order, and the Help button answers as the other dialogs' do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialog_builder.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class OptionsDialogGroupsTest : public testing::ProgramFixture {
 protected:
  void RunDialog(const std::function<void(TSettingsDlg&)>& look) {
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TSettingsDlg&>(form);
      look(dialog);
      dialog.CancelBtn->Click();
    });
    MainForm->MenuItem("ProgramSettingsItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
  }
};

// The caption, its page, and the controls it frames from top to bottom.
struct TGroupCase {
  const char* caption;
  const char* page;
  std::vector<std::string> controls;
};

TEST_F(OptionsDialogGroupsTest, EachGroupCaptionFramesItsControlsInOrder) {
  const TGroupCase cases[] = {
      {"Element Movement...", "TextEntryPage", {"EnterToNameBox", "EnterInNoteBox", "TabToParenthBox"}},
      {"Auto-Pop Up...", "QuickTypePage", {"AutoSceneBodyBox", "AutoTimeDayBox", "CharNameListBox"}},
      {"Show Running Lists for entry of the following:",
       "QuickTypePage",
       {"RunningExtensionsBox", "RunningTransitionsBox", "RunningShotsBox"}},
      {"Delete WITHOUT prompting...",
       "SmartCheckPage",
       {"BlankSpaceBox", "BlankElementBox", "NoDialogueBox", "SecondNameBox"}},
      {"Auto-Capitalize...", "SpellCheckPage", {"SentenceCapsBox"}},
      {"Deletion Keys", "KeyboardPage", {"DeleteWordBox", "DeleteLeftWordBox", "DeleteToEolBox"}},
      {"Movement Keys", "KeyboardPage", {"GotoTopBox", "GotoBottomBox"}},
      {"Cut and Paste Quick Keys are...", "KeyboardPage", {"ShiftCutPaste", "CtrlCutPaste"}},
      {"PowerPanel", "MousePage", {"SelectOnUpBox", "StayForBlockBox", "MoveToClickBox"}},
  };
  RunDialog([&](TSettingsDlg& d) {
    for (const TGroupCase& c : cases) {
      SCOPED_TRACE(c.caption);
      TGroupBox* group = nullptr;
      for (int i = 0; i < d.ComponentCount(); ++i)
        if (auto* g = dynamic_cast<TGroupBox*>(d.Components(i)); g && g->Caption() == c.caption) group = g;
      ASSERT_NE(group, nullptr) << "the caption shows";
      EXPECT_EQ(group->Parent(), DialogControl<TTabSheet>(d, c.page));
      int above = -1;
      for (const std::string& name : c.controls) {
        auto* control = dynamic_cast<TControl*>(d.FindComponent(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->Parent(), group) << name << " stands under the caption";
        EXPECT_GT(control->Top(), above) << name << " comes in its order";
        EXPECT_LE(control->Top() + control->Height(), group->Height()) << name << " lies within the frame";
        above = control->Top();
      }
    }
  });
}

// Each page's rows come in their order, the controls between groups
// in their place.
TEST_F(OptionsDialogGroupsTest, TheControlsBetweenTheGroupsStandInTheirOrder) {
  const std::vector<std::vector<std::string>> pages = {
      {"UseQuickTypeBox", "AutoPopUpGroup", "SmartTabGroup", "RunningListsGroup"},
      {"MoveMouseBox", "RightMousePanel", "DragBreakBox", "ClickKillsBlockBox", "PowerPanelGroup"},
  };
  RunDialog([&](TSettingsDlg& d) {
    for (const auto& order : pages) {
      int above = -1;
      for (const std::string& name : order) {
        auto* control = dynamic_cast<TControl*>(d.FindComponent(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_GT(control->Top(), above) << name << " comes in its order";
        above = control->Top() + control->Height() - 1;
      }
    }
  });
}

// The SmartCheck boxes, stored the other way round, read as what they do
// under their caption: checked, SmartCheck deletes without asking.
TEST_F(OptionsDialogGroupsTest, TheSmartCheckBoxesReadAsDeletingWithoutPrompting) {
  ProgramOptions().SmartCheckBlankSpace = true;  // SmartCheck asks first
  ProgramOptions().SmartCheckNoDialogue = false;
  RunDialog([](TSettingsDlg& d) {
    ASSERT_EQ(d.Box("BlankSpaceBox")->Parent()->Parent(), DialogControl<TTabSheet>(d, "SmartCheckPage"));
    EXPECT_EQ(dynamic_cast<TGroupBox*>(d.Box("BlankSpaceBox")->Parent())->Caption(), "Delete WITHOUT prompting...");
    EXPECT_FALSE(d.Box("BlankSpaceBox")->Checked());
    EXPECT_TRUE(d.Box("NoDialogueBox")->Checked());
  });
}

TEST_F(OptionsDialogGroupsTest, HelpAnswersAsTheOtherDialogsHelpButtonsDoForThePageShown) {
  RunDialog([](TSettingsDlg& d) {
    auto* help = DialogControl<TButton>(d, "HelpBtn");
    EXPECT_EQ(help->Caption(), "&Help");
    EXPECT_FALSE(help->Enabled()) << "disabled while there is no help viewer, as in every dialog";
    const struct {
      const char* page;
      int topic;
    } topics[] = {{"TextEntryPage", 1071},
                  {"QuickTypePage", 9090},
                  {"SpellCheckPage", 1079},
                  {"KeyboardPage", 1072},
                  {"MultimediaPage", 1501}};
    for (const auto& t : topics) {
      d.Notebook->SetActivePage(DialogControl<TTabSheet>(d, t.page));
      EXPECT_EQ(d.HelpContext, t.topic) << t.page;
    }
  });
}

}  // namespace
}  // namespace qm
