// Numbers in the settings file that size or place something, given
// hostile values through the program's own reads: nothing may take the
// arithmetic past int (the sanitizer build stops there) or leave a
// window, a button or the dialog font without a usable size.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/office_button.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "shell/splash_screen.h"
#include "shell/tool_bar.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

const char* const HostileNumbers[] = {"2147483647", "-2147483648", "$7FFFFFFF", "$80000000",
                                      "-1",         "0",           "99999999",  "-99999999"};

// Far beyond any screen: a place or size past this was taken unchecked.
constexpr long long Beyond = 100000;

void ExpectSensibleBounds(const TControl& c, const std::string& what) {
  EXPECT_LT(std::llabs(c.Left()), Beyond) << what;
  EXPECT_LT(std::llabs(c.Top()), Beyond) << what;
  EXPECT_GE(c.Width(), 0) << what;
  EXPECT_LT(c.Width(), Beyond) << what;
  EXPECT_GE(c.Height(), 0) << what;
  EXPECT_LT(c.Height(), Beyond) << what;
}

class HostileToolBarSettingsTest : public testing::ProgramFixture {
 protected:
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    TIniFile(SettingsFileName).WriteString(section, key, value);
  }
};

TEST_F(HostileToolBarSettingsTest, EveryNumberThatSizesOrPlacesABarControlIsKeptInRange) {
  const struct {
    const char* section;
    const char* key;
  } keys[] = {
      {"MenuBar", "Icon Width"},         {"SaveBtn", "Icon Count"},
      {"SaveBtn", "Left Adjust"},        {"SaveBtn", "Y Pos"},
      {"CurrentElement", "Y Pos"},       {"CurrentElement", "Icon Count"},
      {"CurrentElement", "Left Adjust"}, {"HorizScrollBar", "Width"},
      {"HorizScrollBar", "Icon Count"},  {"HorizScrollBar", "Left Adjust"},
      {"FourColorBtn", "Icon Count"},    {"FourColorBtn", "Left Adjust"},
  };
  TToolBar& bar = MainForm->ToolBar();
  for (const auto& k : keys) {
    for (const char* value : HostileNumbers) {
      const std::string what = std::string("[") + k.section + "] \"" + k.key + "\"=" + value;
      Set("Menu Bar", "Icon Size", "1");
      Set("SaveBtn", "Visible", "1");
      Set("HorizScrollBar", "Visible", "1");
      Set("FourColorBtn", "Visible", "1");
      Set(k.section, k.key, value);
      EXPECT_TRUE(bar.SetupToolBars(false)) << what;
      const TOfficeButton& save = *bar.Button("SaveBtn");
      ExpectSensibleBounds(save, what);
      EXPECT_GT(save.Width(), 0) << what << ": a button keeps a side";
      EXPECT_EQ(save.Width(), save.Height()) << what << ": and stays square";
      ExpectSensibleBounds(*bar.CurrentElement(), what);
      ExpectSensibleBounds(*bar.ElementBoxBtn(), what);
      ExpectSensibleBounds(*bar.HorizScrollBar(), what);
      ExpectSensibleBounds(*bar.FourColorBtn(), what);
      TIniFile(SettingsFileName).DeleteKey(k.section, k.key);
    }
  }
}

// The main window's place and the dialog font, read at start-up.
class HostileStartupSettingsTest : public testing::ProgramFixture, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    const std::string v = GetParam();
    InitialSettings = {
        {"Screen Size", "Maximized", "0"}, {"Screen Size", "Left", v},   {"Screen Size", "Top", v},
        {"Screen Size", "Width", v},       {"Screen Size", "Height", v}, {"Main Font", "Size", v},
    };
    ProgramFixture::SetUp();
  }
};

TEST_P(HostileStartupSettingsTest, TheMainWindowAndTheDialogFontKeepUsableSizes) {
  ASSERT_TRUE(Started());
  ExpectSensibleBounds(*MainForm, "the main window");
  ASSERT_TRUE(ProgramFont);
  EXPECT_GT(ProgramFont->Size(), 0);
  EXPECT_LE(ProgramFont->Size(), 72);
}

INSTANTIATE_TEST_SUITE_P(Values, HostileStartupSettingsTest, ::testing::ValuesIn(HostileNumbers));

// A script window's place in the workspace, read when the next start opens it.
class HostileWorkspaceSettingsTest : public testing::ProgramFixture {
 protected:
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
};

TEST_F(HostileWorkspaceSettingsTest, AScriptWindowsStoredPlaceIsKeptInRange) {
  Script().SetFocus();
  TypeText("One.");
  testing::ChooseFile(Driver(), "ONE", 0);
  MainForm->FileSaveAsItem->Click();
  for (const char* value : HostileNumbers) {
    testing::AnswerMessageBox(Driver(), "Exit Quillmaster for Windows?", mrNo);
    MainForm->ExitQuillmasterItem->Click();
    ASSERT_EQ(DocumentCount, 0);
    TIniFile ini(SettingsFileName);
    ini.WriteString("WorkSpace", "Script Name 1", InScripts("ONE.QMW"));
    ini.WriteString("WorkSpace", "Maximized 1", "0");
    for (const char* key : {"Left 1", "Top 1", "Width 1", "Height 1"}) ini.WriteString("WorkSpace", key, value);
    MainForm->StartupChoice = 4;
    StartupFileTaken = true;
    TSplashScreen splash(nullptr);
    MainForm->SetupMenusEtc();
    ASSERT_EQ(DocumentCount, 1) << value;
    ExpectSensibleBounds(Script(), value);
  }
}

}  // namespace
}  // namespace qm
