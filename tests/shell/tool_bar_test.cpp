// The tool bar: its layout from the set-up program's settings, its rows,
// and its buttons following the menu commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include <sys/stat.h>

#include "platform/files.h"
#include "platform/forms.h"
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
  EXPECT_EQ(B("OpenBtn").Left(), B("FileNewBtn").Left() + B("FileNewBtn").Width() - 1)
      << "touching buttons share a border";
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

TEST_F(ToolBarTest, TheElementBoxScrollBarAndColourPanelTakeTheirSections) {
  Set("Menu Bar", "Icon Size", 2);  // icons 25 wide
  Set("CurrentElement", "Icon Count", 3);
  Set("CurrentElement", "Left Adjust", 4);
  Set("CurrentElement", "Y Pos", 7);
  Set("HorizScrollBar", "Visible", 1);
  Set("HorizScrollBar", "Icon Count", 10);
  Set("HorizScrollBar", "Y Pos", 26);
  Set("FourColorBtn", "Visible", 1);
  Set("FourColorBtn", "Icon Count", 6);
  EXPECT_TRUE(Bar().SetupToolBars(false));
  TControl& box = *Bar().CurrentElement();
  EXPECT_TRUE(box.Visible()) << "the element box shows unless its section says not";
  EXPECT_EQ(box.Left(), 25 * 3 + 4);
  EXPECT_EQ(box.Top(), 7) << "its Y Pos is taken as it is";
  TControl& button = *Bar().ElementBoxBtn();
  EXPECT_EQ(button.Left(), box.Left() + box.Width() - 1);
  EXPECT_EQ(button.Top(), box.Top() + 1);
  EXPECT_EQ(button.Height(), box.Height());
  TControl& bar = *Bar().HorizScrollBar();
  EXPECT_TRUE(bar.Visible());
  EXPECT_EQ(bar.Left(), 250);
  EXPECT_EQ(bar.Top(), 25 + 6 + (25 - bar.Height()) / 2) << "centred in the second row";
  EXPECT_EQ(bar.Width(), Screen->Width()) << "as wide as the screen unless told";
  TControl& colours = *Bar().FourColorBtn();
  EXPECT_TRUE(colours.Visible());
  EXPECT_EQ(colours.BoundsRect(), (TRect{150, 3, 175, 28}));
  EXPECT_EQ(Bar().SmallButton("SmallGreenBtn")->BoundsRect(), (TRect{12, 12, 24, 24})) << "a quarter each";
}

TEST_F(ToolBarTest, AtStartUpTheConfiguredElementBoxIsScaledByFourFifths) {
  const int width = 110, height = 20;  // the designed box
  Set("Menu Bar", "Icon Size", 1);
  Bar().SetupToolBars(true);
  EXPECT_EQ(Bar().CurrentElement()->Width(), width * 4 / 5);
  EXPECT_EQ(Bar().CurrentElement()->Height(), height * 4 / 5);
  EXPECT_EQ(Bar().ElementBoxBtn()->Height(), height * 4 / 5);
}

TEST_F(ToolBarTest, OnANarrowScreenIconsAreThreePixelsSmallerAndAdjustmentsEightTenths) {
  Backend().ScreenSettings().Width = 640;
  Set("Menu Bar", "Icon Size", 3);  // 26, less 3
  Set("SaveBtn", "Visible", 1);
  Set("SaveBtn", "Icon Count", 2);
  Set("SaveBtn", "Left Adjust", 9);
  Bar().SetupToolBars(false);
  EXPECT_EQ(B("SaveBtn").Width(), 23);
  EXPECT_EQ(B("SaveBtn").Left(), 23 * 2 + 9 * 8 / 10);
  EXPECT_EQ(Bar().CurrentElement()->Font.Name(), "Arial") << "the element box takes a font that fits";
  EXPECT_EQ(Bar().CurrentElement()->Font.Size(), 9);
}

TEST_F(ToolBarTest, AtStartUpTheDesignedBarIsScaledByNineTenthsAndStillGrouped) {
  Bar().SetupToolBars(true);
  EXPECT_EQ(B("FileNewBtn").Width(), 22) << "24 by 9/10, rounded";
  EXPECT_EQ(Bar().Panel()->ClientHeight(), 22 + 6);
  EXPECT_EQ(B("OpenBtn").Left(), B("FileNewBtn").Left() + 22 - 1);
  EXPECT_EQ(Bar().CurrentElement()->Font.Name(), TFontDesc{}.Name) << "the standard program font is kept";
}

// Scaled at start-up, the designed bar keeps its controls apart: no two
// share more than the one pixel of border grouped buttons share, the
// four-colour panel and the buttons round it included.
TEST_F(ToolBarTest, TheScaledDesignedBarDrawsNoControlOverAnother) {
  Bar().SetupToolBars(true);
  std::vector<const TControl*> shown;
  for (int i = 0; i < Bar().Panel()->ControlCount(); ++i)
    if (const TControl* c = Bar().Panel()->Controls(i); c->Visible()) shown.push_back(c);
  ASSERT_TRUE(Bar().FourColorBtn()->Visible());
  const auto shared = [](int from1, int size1, int from2, int size2) {
    return std::min(from1 + size1, from2 + size2) - std::max(from1, from2);
  };
  for (std::size_t i = 0; i < shown.size(); ++i)
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const TControl& a = *shown[i];
      const TControl& b = *shown[j];
      const bool over =
          shared(a.Left(), a.Width(), b.Left(), b.Width()) > 1 && shared(a.Top(), a.Height(), b.Top(), b.Height()) > 1;
      EXPECT_FALSE(over) << a.Name << " at " << a.Left() << "+" << a.Width() << ", " << b.Name << " at " << b.Left()
                         << "+" << b.Width();
    }
}

TEST_F(ToolBarTest, TwoRowsShowTheBevelBetweenThem) {
  EXPECT_FALSE(Bar().TopBevel()->Visible());
  Bar().SetToolBarRows(true);
  EXPECT_TRUE(Bar().TopBevel()->Visible());
  EXPECT_EQ(Bar().TopBevel()->Top(), Bar().Panel()->ClientHeight() / 2);
  Bar().SetToolBarRows(false);
  EXPECT_FALSE(Bar().TopBevel()->Visible());
}

// The box, its button and the menu command (F4) all drop the list under
// the box, clear of the menu and the bar.
TEST_F(ToolBarTest, TheElementBoxDropsItsListUnderneathAndTakesItUpAgain) {
  Idle();
  TControl& box = *Bar().CurrentElement();
  TListBox& list = *MainForm->ElementPopDownList;
  const std::pair<const char*, std::function<void()>> drops[] = {
      {"the menu command", [] { MainForm->MenuItem("ChangeElementToItem")->Click(); }},
      {"the box button", [this] { Bar().ElementBoxBtn()->Click(); }},
  };
  for (const auto& [what, drop] : drops) {
    SCOPED_TRACE(what);
    drop();
    ASSERT_TRUE(list.Visible());
    EXPECT_EQ(list.Width(), box.Width() + 1);
    EXPECT_EQ(list.Height(), 12 * list.ItemHeight()) << "eleven types and room for one more";
    const TPoint under = box.ClientToScreen(TPoint{0, box.Height()});
    EXPECT_EQ(list.ClientToScreen(TPoint{0, 0}), under);
    box.Click();
    EXPECT_FALSE(list.Visible());
  }
}

TEST_F(ToolBarTest, TheSmallColourButtonsRunTheColourCommands) {
  Idle();
  for (const char* name : {"SmallBlackBtn", "SmallBlueBtn", "SmallRedBtn", "SmallGreenBtn"}) {
    TOfficeButton& small = *Bar().SmallButton(name);
    const std::string command = std::string(name).substr(5, std::string(name).size() - 8) + "TextItem";
    TMenuItem* item = MainForm->MenuItem(command);
    ASSERT_NE(item, nullptr) << command;
    EXPECT_EQ(small.Enabled(), item->EnabledInChain()) << name;
    int runs = 0;
    item->OnClick = [&](TObject*) { ++runs; };
    item->Enabled = true;
    small.Click();
    EXPECT_EQ(runs, 1) << name;
  }
}

TEST_F(ToolBarTest, AfterTheSetUpProgramRanTheLayoutIsReadAgain) {
  ProgramDirectory = Home() + "/";
  const std::string program = ProgramDirectory + "SETUPBAR.EXE";
  const std::string text = "#!/bin/sh\nexit 0\n";
  ASSERT_TRUE(WriteFileAtomic(program, text.data(), text.size()));
  ASSERT_EQ(chmod(program.c_str(), 0755), 0);
  Set("Menu Bar", "Icon Size", 1);
  Set("SaveBtn", "Visible", 1);
  Set("SaveBtn", "Icon Count", 5);
  MainForm->EditSpeedBar1Click(nullptr);
  EXPECT_EQ(B("SaveBtn").Left(), 24 * 5);
  EXPECT_FALSE(B("PrintBtn").Visible());
  EXPECT_TRUE(Bar().Configured());
}

TEST_F(ToolBarTest, TheBoxTheBarAndTheTwoRowsButtonFollowTheOpenScript) {
  B("TwoRowsBtn").Click();
  Idle();
  EXPECT_TRUE(B("TwoRowsBtn").Down()) << "down while two rows show";
  EXPECT_TRUE(Bar().CurrentElement()->Enabled());
  EXPECT_TRUE(Bar().ElementBoxBtn()->Enabled());
  EXPECT_TRUE(Bar().HorizScrollBar()->Enabled());
  MainForm->CloseFileItem->Click();
  Idle();
  EXPECT_FALSE(B("TwoRowsBtn").Down());
  EXPECT_FALSE(Bar().CurrentElement()->Enabled());
  EXPECT_FALSE(Bar().ElementBoxBtn()->Enabled());
  EXPECT_FALSE(Bar().HorizScrollBar()->Enabled());
  EXPECT_FALSE(Bar().SmallButton("SmallRedBtn")->Enabled());
}

TEST_F(ToolBarTest, TheExitButtonClosesTheScriptFirst) {
  B("ExitBtn").Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 0);
  EXPECT_FALSE(Application->Terminated());
}

}  // namespace
}  // namespace qm
