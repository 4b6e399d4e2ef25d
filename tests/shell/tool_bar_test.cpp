// The tool bar: its layout from the set-up program's settings, its rows,
// and its buttons following the menu commands.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "platform/office_button.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/text_codes.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "shell/tool_bar.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ToolBarTest : public testing::KeysFixture {
 protected:
  TToolBar& Bar() { return MainForm->ToolBar(); }
  TOfficeButton& B(const char* name) { return *Bar().Button(name); }
  void Set(const std::string& section, const std::string& key, int value) {
    TIniFile(SettingsFileName).WriteInteger(section, key, value);
  }
  void Idle() {
    bool done = false;
    MainForm->AppIdle(nullptr, done);
  }
};

TEST_F(ToolBarTest, AConfiguredBarPlacesEachButtonOnItsGridAndRow) {
  Set("Menu Bar", "Icon Size", 1);  // icons 24 wide
  Set("SaveBtn", "Visible", 1);
  Set("SaveBtn", "Icon Count", 2);
  Set("SaveBtn", "Left Adjust", 5);
  Set("SaveBtn", "Y Pos", 24);
  Set("OpenBtn", "Visible", 1);
  Set("OpenBtn", "Icon Count", 1);
  Set("OpenBtn", "Y Pos", 25);
  Set("BoldBtn", "Visible", 1);
  Set("BoldBtn", "Icon Count", 4);
  Set("BoldBtn", "Y Pos", 0);
  Set("BoldBtn", "Part of Group", 1);
  EXPECT_TRUE(Bar().SetupToolBars(false));
  EXPECT_EQ(B("SaveBtn").Left(), 24 * 2 + 5);
  EXPECT_EQ(B("SaveBtn").Top(), 3) << "a Y Pos of the icon width stays in the first row";
  EXPECT_EQ(B("SaveBtn").Width(), 24);
  EXPECT_EQ(B("OpenBtn").Top(), 30) << "one more moves it to the second row";
  EXPECT_EQ(B("BoldBtn").Left(), B("SaveBtn").Left() + 24 - 1) << "grouped with the one before it";
  EXPECT_FALSE(B("PrintBtn").Visible()) << "a button without its section is not shown";
  EXPECT_FALSE(Bar().TwoRows());
}

TEST_F(ToolBarTest, AnUnconfiguredBarKeepsTheDesignedLayoutInOneRow) {
  EXPECT_FALSE(Bar().SetupToolBars(true));
  EXPECT_TRUE(B("PrintBtn").Visible());
  EXPECT_EQ(B("OpenBtn").Left(), B("FileNewBtn").Left() + B("FileNewBtn").Width() - 1) << "touching buttons share a border";
  EXPECT_EQ(B("OpenBtn").Top(), B("FileNewBtn").Top());
  EXPECT_FALSE(Bar().TwoRows());
}

TEST_F(ToolBarTest, TheTwoRowsButtonSwitchesRowsAndTheSettingIsSaved) {
  B("TwoRowsBtn").Click();
  EXPECT_TRUE(Bar().TwoRows());
  EXPECT_EQ(Bar().Panel()->ClientHeight(), B("FileNewBtn").Height() * 2 + 9);
  ASSERT_TRUE(SaveProgramSettings());
  EXPECT_TRUE(TIniFile(SettingsFileName).ReadBool("Menu Bar", "Two Rows", false));
  B("TwoRowsBtn").Click();
  EXPECT_FALSE(Bar().TwoRows());
}

TEST_F(ToolBarTest, ButtonsFollowTheirCommands) {
  Idle();
  EXPECT_TRUE(B("SaveBtn").Enabled());
  EXPECT_FALSE(B("CutBtn").Enabled()) << "no block, and no clipboard routine yet";
  EXPECT_TRUE(B("PrintBtn").Enabled()) << "a script is open";
  EXPECT_TRUE(B("BoldBtn").Enabled());
  EXPECT_EQ(B("ExitBtn").Hint(), "Close Script|Quick Key: <CTRL+F4>");
  MainForm->CloseFileItem->Click();
  Idle();
  EXPECT_FALSE(B("SaveBtn").Enabled());
  EXPECT_FALSE(B("PrintBtn").Enabled());
  EXPECT_FALSE(B("BoldBtn").Enabled());
  EXPECT_TRUE(B("FileNewBtn").Enabled());
  EXPECT_TRUE(B("ExitBtn").Enabled());
  EXPECT_EQ(B("ExitBtn").Hint(), "Exit Quillmaster|Quick Key: <ALT+F4>");
}

TEST_F(ToolBarTest, TheBoldButtonStylesTheCaretAndShowsDownInsideTheRun) {
  Load({{ekAction, "Rain falls."}}, 0, 5);
  Idle();
  EXPECT_TRUE(B("NormalBtn").Down());
  B("BoldBtn").Click();
  EXPECT_EQ(Elements()[0].text, "Rain " + std::string(1, static_cast<char>(BoldOn)) + "falls.");
  Idle();
  EXPECT_TRUE(B("BoldBtn").Down());
  EXPECT_FALSE(B("NormalBtn").Down());
}

TEST_F(ToolBarTest, TheDisplayOptionsShowAndFrameTheBarAndAreKept) {
  const auto item = [](const char* name) { return MainForm->MenuItem(name); };
  ASSERT_TRUE(item("DisplaySpeedbarItem")->Checked()) << "the bar shows by default";
  ASSERT_TRUE(Bar().Panel()->Visible());
  item("DisplaySpeedbarItem")->Click();
  EXPECT_FALSE(Bar().Panel()->Visible());
  item("DisplaySpeedbarItem")->Click();
  item("OnlyTopMenuItem")->Click();
  EXPECT_FALSE(Bar().Panel()->Visible()) << "the top menu alone";
  Idle();
  EXPECT_FALSE(item("DisplaySpeedbarItem")->Enabled());
  item("AlwaysShowBoxesItem")->Click();
  EXPECT_TRUE(B("SaveBtn").AlwaysBeveled);
  EXPECT_TRUE(B("SaveBtn").BevelShown());
  ASSERT_TRUE(SaveProgramSettings());

  item("OnlyTopMenuItem")->Click();
  item("AlwaysShowBoxesItem")->Click();
  ASSERT_TRUE(LoadProgramSettings(true));
  EXPECT_TRUE(item("OnlyTopMenuItem")->Checked());
  EXPECT_TRUE(item("AlwaysShowBoxesItem")->Checked());
  EXPECT_FALSE(Bar().Panel()->Visible());
  EXPECT_TRUE(B("SaveBtn").AlwaysBeveled);
}

TEST_F(ToolBarTest, TheExitButtonClosesTheScriptFirst) {
  B("ExitBtn").Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 0);
  EXPECT_FALSE(Application->Terminated());
}

}  // namespace
}  // namespace qm
