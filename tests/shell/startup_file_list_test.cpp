// The start-up file list: with "Display Screen-Sized Retrieve List" the
// program starts on the script folder's scripts; a double click or Enter
// opens one, Delete asks before it erases one, and the element box gives
// the list its place until a script is open.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_busy.h"
#include "platform/file_controls.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/office_button.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"
#include "support/message_box_answers.h"
#include "support/native_scripts.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class StartupFileListTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    for (const char* name : {"ALPHA.QMW", "BRAVO.QMW", "CHARLIE.SCR"})
      testing::WriteFileText(scripts_.File(name), testing::ShortScript());
    testing::WriteFileText(scripts_.File("notes.txt"), "INT. BARN\n");
    testing::WriteFileText(scripts_.File("README"), "x");
    ForceDirectories(scripts_.File("Drafts"));
    testing::WriteFileText(scripts_.File("Drafts/OLD.QMW"), testing::ShortScript());
    InitialSettings = {{"Program Settings", "Startup Choice", std::to_string(choice_)},
                       {"Program Settings", "Long Script Directory", scripts_.Path()},
                       {"Program Settings", "Expert Prompting", expert_ ? "1" : "0"}};
    ProgramFixture::SetUp();
  }
  TFESFileListBox& Files() { return *MainForm->StartupFileList; }
  std::vector<std::string> Listed() {
    std::vector<std::string> names;
    for (int i = 0; i < Files().Items.Count(); ++i) names.push_back(Files().Items[i]);
    return names;
  }
  void Choose(const std::string& name) {
    const auto listed = Listed();
    const auto at = std::find(listed.begin(), listed.end(), name);
    ASSERT_NE(at, listed.end()) << name;
    Files().SetItemIndex(static_cast<int>(at - listed.begin()));
  }
  // The mouse on the file chosen, as the desktop delivers it.
  void Mouse(UINT message) { Files().Perform(message, 0, 0); }
  void DoubleClick() {
    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONUP);
  }
  bool ListShown() {
    return Files().Visible && Files().Enabled && MainForm->StartupDirectoryList->Visible &&
           MainForm->StartupDirectoryList->Enabled && MainForm->StartupDriveList->Visible &&
           MainForm->StartupDriveList->Enabled;
  }
  bool ElementBoxShown() {
    return MainForm->ToolBar().CurrentElement()->Visible && MainForm->ToolBar().ElementBoxBtn()->Visible;
  }
  void Idle() {
    bool done = false;
    MainForm->AppIdle(Application, done);
  }
  void Key(Word key) {
    Word k = key;
    Files().DoKeyDown(k, TShiftState{});
  }
  testing::TempFolder scripts_;
  int choice_ = 1;
  bool expert_ = false;
};

TEST_F(StartupFileListTest, TheProgramStartsOnTheScriptFoldersScriptsInTheElementBoxsStead) {
  ASSERT_TRUE(Started());
  EXPECT_EQ(DocumentCount, 0);
  EXPECT_TRUE(ListShown());
  EXPECT_FALSE(MainForm->ToolBar().CurrentElement()->Visible);
  EXPECT_FALSE(MainForm->ToolBar().ElementBoxBtn()->Visible);
  EXPECT_EQ(MainForm->StartupDirectoryList->Directory(), scripts_.Path());
  EXPECT_EQ(Listed(), (std::vector<std::string>{"ALPHA.QMW", "BRAVO.QMW", "CHARLIE.SCR"}));
  EXPECT_EQ(Files().ItemIndex(), 0) << "the first script is chosen";
  EXPECT_EQ(Files().Mask(), "*.SC?;*.QMW");
  EXPECT_EQ(Files().Columns(), 4);
  EXPECT_TRUE(Files().Focused()) << "the list has the keyboard";
  EXPECT_EQ(MainForm->StartupDriveList->Items[0], "/");
  EXPECT_GE(MainForm->StartupDriveList->ItemIndex(), 0) << "the box shows the script folder's volume";
  // The list fills the area the bars leave.
  const TRect area = MainForm->MDIClientRect();
  EXPECT_GE(Files().Left, area.Left);
  EXPECT_LE(Files().Left + Files().Width, area.Right);
  EXPECT_GT(Files().Width, area.Width() / 2);
}

// A double click or Enter opens the script chosen; the list goes and the
// element box comes back. Closing the script brings the list back with
// what the folder holds then, a read-only script's too.
TEST_F(StartupFileListTest, ADoubleClickOrEnterOpensTheScriptChosen) {
  const struct {
    const char* what;
    bool enter;
    bool readOnly;
  } cases[] = {{"double click", false, false}, {"Enter", true, false}, {"read-only script", false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(ListShown());
    SetReadOnly(scripts_.File("BRAVO.QMW"), c.readOnly);
    Choose("BRAVO.QMW");
    if (c.readOnly)
      testing::AnswerMessageBox(
          Driver(), "This File is Marked as READ-ONLY and it will thus be opened in READ && PRINT ONLY Mode.", mrOk);
    if (c.enter) Key(VK_RETURN);
    else DoubleClick();
    ASSERT_EQ(DocumentCount, 1);
    EXPECT_EQ(Script().ScriptFileName, scripts_.File("BRAVO.QMW"));
    EXPECT_FALSE(Files().Visible);
    EXPECT_FALSE(MainForm->StartupDirectoryList->Visible);
    EXPECT_FALSE(MainForm->StartupDriveList->Visible);
    EXPECT_TRUE(ElementBoxShown());
    EXPECT_FALSE(ProgramBusy) << "the idle loop runs again";
    Idle();
    testing::WriteFileText(scripts_.File("DELTA.QMW"), testing::ShortScript());
    MainForm->CloseFileItem->Click();
    Idle();
    EXPECT_TRUE(ListShown());
    EXPECT_FALSE(ElementBoxShown());
    EXPECT_NE(Files().Items.IndexOf("DELTA.QMW"), -1);
    DeleteFile(scripts_.File("DELTA.QMW"));
    SetReadOnly(scripts_.File("BRAVO.QMW"), false);
    MainForm->RefreshStartupFileList();
  }
}

TEST_F(StartupFileListTest, AClickWithoutADoubleClickOpensNothing) {
  Choose("BRAVO.QMW");
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  EXPECT_EQ(DocumentCount, 0);
  // Entering the list forgets a double click whose mouse-up went elsewhere.
  Mouse(WM_LBUTTONDBLCLK);
  Files().OnEnter(&Files());
  EXPECT_FALSE(ProgramBusy);
  Mouse(WM_LBUTTONUP);
  EXPECT_EQ(DocumentCount, 0);
}

// The script opened is the one double-clicked even when the folder gained
// a script before it meanwhile (the list is read again before opening).
TEST_F(StartupFileListTest, AScriptAddedMeanwhileDoesNotShiftTheChoice) {
  Choose("BRAVO.QMW");
  Mouse(WM_LBUTTONDBLCLK);
  testing::WriteFileText(scripts_.File("ALPHA2.QMW"), testing::ShortScript());
  Mouse(WM_LBUTTONUP);
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().ScriptFileName, scripts_.File("BRAVO.QMW"));
}

TEST_F(StartupFileListTest, ChangingTheFolderListsItsScripts) {
  TFESDirectoryListBox& dirs = *MainForm->StartupDirectoryList;
  const int drafts = dirs.ItemIndex() + 1;
  ASSERT_EQ(dirs.ItemPath(drafts), scripts_.File("Drafts"));
  dirs.SetItemIndex(drafts);
  dirs.Perform(WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_EQ(Listed(), std::vector<std::string>{"OLD.QMW"});
  Files().SetItemIndex(0);
  DoubleClick();
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().ScriptFileName, scripts_.File("Drafts/OLD.QMW"));
}

// A menu refresh, run whenever the menus are due, leaves the list as the
// writer has it: the folder browsed to and the keyboard where it was.
TEST_F(StartupFileListTest, ARefreshKeepsTheFolderBrowsedTo) {
  TFESDirectoryListBox& dirs = *MainForm->StartupDirectoryList;
  const int drafts = dirs.ItemIndex() + 1;
  ASSERT_EQ(dirs.ItemPath(drafts), scripts_.File("Drafts"));
  dirs.SetItemIndex(drafts);
  dirs.Perform(WM_LBUTTONDBLCLK, 0, 0);
  ASSERT_EQ(Listed(), std::vector<std::string>{"OLD.QMW"});
  MainForm->SetFocus();
  dirs.SetFocus();
  ASSERT_TRUE(dirs.Focused());
  const struct {
    const char* how;
    std::function<void()> refresh;
  } refreshes[] = {
      {"the menu refresh", [] { MainForm->UpdateMenusAndButtons(); }},
      {"an idle pass with the menus due",
       [this] {
         MainForm->MenusDue = 1;
         Idle();
       }},
  };
  for (const auto& r : refreshes) {
    SCOPED_TRACE(r.how);
    r.refresh();
    EXPECT_TRUE(ListShown());
    EXPECT_EQ(dirs.Directory(), scripts_.File("Drafts"));
    EXPECT_EQ(Files().Directory(), scripts_.File("Drafts"));
    EXPECT_EQ(Listed(), std::vector<std::string>{"OLD.QMW"});
    EXPECT_TRUE(dirs.Focused()) << "the keyboard stays on the folders";
    EXPECT_FALSE(Files().Focused());
  }
}

// A script that does not open leaves the list there rather than an empty
// window.
TEST_F(StartupFileListTest, AScriptThatDoesNotOpenLeavesTheListShown) {
  SetReadOnly(scripts_.File("BRAVO.QMW"), true);
  Choose("BRAVO.QMW");
  testing::AnswerMessageBox(
      Driver(), "This File is Marked as READ-ONLY and it will thus be opened in READ && PRINT ONLY Mode.", mrCancel);
  DoubleClick();
  EXPECT_EQ(DocumentCount, 0);
  EXPECT_TRUE(ListShown());
  EXPECT_FALSE(ElementBoxShown());
  SetReadOnly(scripts_.File("BRAVO.QMW"), false);
}

TEST_F(StartupFileListTest, OtherKeysLeaveTheScriptsAlone) {
  for (Word key : {Word{VK_DOWN}, Word{'A'}, Word{VK_ESCAPE}}) Key(key);
  EXPECT_EQ(DocumentCount, 0);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"ALPHA.QMW", "BRAVO.QMW", "CHARLIE.SCR"}));
}

class StartupFileListStartTest : public StartupFileListTest {
 protected:
  void SetUp() override {
    choice_ = 0;
    StartupFileListTest::SetUp();
  }
};

TEST_F(StartupFileListStartTest, AnotherStartupChoiceKeepsTheElementBoxAndNoList) {
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_FALSE(Files().Visible);
  EXPECT_TRUE(ElementBoxShown());
  Idle();
  MainForm->CloseFileItem->Click();
  Idle();
  EXPECT_FALSE(Files().Visible) << "no script open, but the list was not asked for";
}

// Choosing "Display Screen-Sized Retrieve List" with no script open shows
// the list at once.
TEST_F(StartupFileListStartTest, ChoosingTheListInTheOptionsShowsIt) {
  MainForm->CloseFileItem->Click();
  ASSERT_EQ(DocumentCount, 0);
  Driver().Expect([](TForm& form) {
    auto& d = dynamic_cast<TSettingsDlg&>(form);
    d.Radio("Startup1")->SetChecked(true);
    d.OKBtn->Click();
  });
  MainForm->MenuItem("ProgramSettingsItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(ListShown());
  EXPECT_NE(Files().Items.IndexOf("ALPHA.QMW"), -1);
}

// Delete names the script and erases it only when the writer confirms:
// in the type-YES box, or with "Expert Prompting" in a Yes/No box.
class StartupFileListDeleteTest : public StartupFileListTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    expert_ = GetParam();
    StartupFileListTest::SetUp();
  }
  void Answer(bool confirm) {
    const std::string text = "Delete " + scripts_.File("BRAVO.QMW") + "?";
    Driver().Expect([=, this](TForm& box) {
      EXPECT_TRUE(testing::MessageBoxText(box).starts_with(text)) << testing::MessageBoxText(box);
      EXPECT_EQ(box.Caption(), "Are you Sure?");
      const auto* yesField = dynamic_cast<const TControl*>(box.FindDescendant("RequireYesText"));
      const bool typeYes = yesField && yesField->Visible;
      EXPECT_EQ(typeYes, !expert_) << "the type-YES box unless prompting is for experts";
      if (typeYes) testing::AnswerTypeYes(box, confirm);
      else box.ModalResult = confirm ? mrYes : mrNo;
      // Another script arrives while the question waits.
      testing::WriteFileText(scripts_.File("ALPHA2.QMW"), "x");
    });
  }
};

TEST_P(StartupFileListDeleteTest, DeleteAsksFirstThenErasesTheScriptNamed) {
  Choose("BRAVO.QMW");
  Answer(false);
  Key(VK_DELETE);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(FileExists(scripts_.File("BRAVO.QMW")));
  Answer(true);
  Key(VK_DELETE);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_FALSE(FileExists(scripts_.File("BRAVO.QMW")));
  EXPECT_TRUE(FileExists(scripts_.File("ALPHA2.QMW"))) << "only the script named goes";
  EXPECT_TRUE(FileExists(scripts_.File("ALPHA.QMW")));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"ALPHA.QMW", "ALPHA2.QMW", "CHARLIE.SCR"}));
  EXPECT_EQ(Files().Columns(), 2) << "the list read again after an erase is in two columns";
  EXPECT_EQ(DocumentCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Prompting, StartupFileListDeleteTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Expert" : "Plain");
                         });

}  // namespace
}  // namespace qm
