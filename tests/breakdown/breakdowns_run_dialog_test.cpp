// The Production Breakdowns dialog: how its choices enable one another,
// what OK checks, the options it hands the run, and the two commands that
// open it (the scheduling export and the print menu's standard breakdowns).
#include "breakdown/breakdowns_run_dialog.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "breakdown/tag_notation.h"
#include "language/language_fixture.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/menus.h"
#include "platform/recording_canvas.h"
#include "script/model/script_record.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class BreakdownDialogTest : public testing::LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    Add({{ekSceneHeading, "INT. BARN - DAY"},
         {ekCharacterName, "ANN"},
         {ekDialogue, "Hi."},
         {ekSceneHeading, "EXT. FIELD - NIGHT"},
         {ekAction, "Wind."}});
    Number(0, 1);
    Number(3, 2);
    PlaceCaret(0);
    Script().ScriptFileName = HomeFile("farm.qmw");
  }
  RecordingPrinter& Recorder() { return *Backend().PrinterList()[0]; }
};

TEST_F(BreakdownDialogTest, PrimaryChoicesEnableTheSecondaryOnes) {
  TBreakdownDlg dialog(nullptr, Script(), TBreakdownOutput::Report);
  dialog.FormShow();
  EXPECT_EQ(dialog.Caption(), "Production Breakdowns");
  EXPECT_TRUE(dialog.ScriptOrderBtn->Checked());
  EXPECT_FALSE(dialog.IntExt2Btn->Enabled);
  EXPECT_FALSE(dialog.EachGroupOnPageBox->Enabled);
  EXPECT_FALSE(dialog.PrintTaggedBox->Enabled) << "the script was never tagged";

  dialog.LocationBtn->Click();
  EXPECT_TRUE(dialog.ScriptOrder2Btn->Enabled);
  EXPECT_TRUE(dialog.IntExt2Btn->Enabled);
  EXPECT_FALSE(dialog.Location2Btn->Enabled) << "the same key as the primary";
  dialog.TimeofDay2Btn->Click();
  dialog.TimeofDayBtn->Click();
  EXPECT_TRUE(dialog.ScriptOrder2Btn->Checked()) << "a disabled secondary gives way";

  dialog.NonSpeakingBox->SetChecked(false);
  ExpectMessage("Include Non-Speaking Characters?", "", mrYes);
  dialog.CharNameBtn->Click();
  EXPECT_TRUE(dialog.NonSpeakingBox->Checked());
  EXPECT_TRUE(dialog.SomeBtn->Enabled);

  dialog.GraphBreakDowns->Click();
  EXPECT_TRUE(dialog.ListCharsBox->Checked());
  EXPECT_TRUE(dialog.SortNamesBox->Checked());
  EXPECT_FALSE(dialog.DialogueFirstBox->Enabled);
  const TBreakdownOptions options = dialog.Choices();
  EXPECT_EQ(options.Output, TBreakdownOutput::Graph);
  EXPECT_EQ(options.Primary, TPrimaryOrder::Characters);
  EXPECT_FALSE(options.PrintTagged);
}

TEST_F(BreakdownDialogTest, OptionsAreReadAndSavedInTheSettingsFile) {
  {
    TIniFile ini = OpenSettingsFile();
    ini.WriteBool("Breakdowns", "Adjusted Lines", false);
    ini.WriteBool("Breakdowns", "True Totals", false);
    ini.WriteBool("Breakdowns", "Speaking Names First", true);
  }
  TBreakdownDlg dialog(nullptr, Script(), TBreakdownOutput::Report);
  dialog.FormShow();
  EXPECT_TRUE(dialog.StandardBtn->Checked());
  EXPECT_TRUE(dialog.SimpleTotalBtn->Checked());
  EXPECT_TRUE(dialog.DialogueFirstBox->Checked());
  dialog.AdjustedBtn->Click();
  ASSERT_TRUE(dialog.OKBtnClick());
  const TIniFile ini = OpenSettingsFile();
  EXPECT_TRUE(ini.ReadBool("Breakdowns", "Adjusted Lines", false));
  EXPECT_FALSE(ini.ReadBool("Breakdowns", "Sort Char Names", true));
  EXPECT_EQ(dialog.Choices().LinesPerEighth, 7);
}

TEST_F(BreakdownDialogTest, TheExportPicksItsScenesOnTheSecondPage) {
  TBreakdownDlg dialog(nullptr, Script(), TBreakdownOutput::Report);
  dialog.FormShow();
  dialog.ShootPlanBtn->Click();
  EXPECT_FALSE(dialog.OKBtnClick()) << "OK first turns to the scenes";
  EXPECT_EQ(dialog.Notebook1->ActivePageIndex(), 1);
  EXPECT_TRUE(dialog.ExportChoicePanel->Visible);
  EXPECT_FALSE(dialog.SetupBrkDownSheetBtn->Visible);
  EXPECT_EQ(dialog.ProductionTitle->Text(), "farm");
  ASSERT_EQ(dialog.SceneList->Items.Count(), 2);
  dialog.SelectedOnly->SetChecked(true);
  ExpectMessage("You haven't selected any Scenes!");
  EXPECT_FALSE(dialog.OKBtnClick());
  dialog.SceneList->SetSelected(1, true);
  ASSERT_TRUE(dialog.OKBtnClick());
  const TBreakdownOptions options = dialog.Choices();
  EXPECT_EQ(options.Output, TBreakdownOutput::Export);
  EXPECT_EQ(options.Selected, (std::vector<bool>{false, true}));
  EXPECT_EQ(options.Secondary, TSecondaryOrder::ScriptOrder);
}

TEST_F(BreakdownDialogTest, TheProductionMenuExportsTheScenesToAFile) {
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
    EXPECT_EQ(dialog.Notebook1->ActivePageIndex(), 1);
    dialog.OKBtn->Click();
  });
  const std::string target = HomeFile("farm.SEX");
  Driver().Expect([&](TForm& form) {
    auto& files = dynamic_cast<TFileDialog&>(form);
    files.FileNameEdit->Text = target;
    form.ModalResult = mrOk;
  });
  ExpectMessage("Breakdown was written to ");
  Main().MenuItem("ShootPlanExportItem")->Click();
  const auto bytes = ReadFileBytes(target);
  ASSERT_TRUE(bytes.has_value());
  const std::string text(bytes->begin(), bytes->end());
  EXPECT_NE(text.find(std::string("1\t1\tINT. BARN - DAY") + '\0'), std::string::npos);
  EXPECT_NE(text.find(std::string("1\t2\tEXT. FIELD - NIGHT") + '\0'), std::string::npos);
  EXPECT_NE(text.find("ANN"), std::string::npos);
}

TEST_F(BreakdownDialogTest, PrintStandardBreakdownsPrintsTheReport) {
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
    EXPECT_EQ(dialog.Notebook1->ActivePageIndex(), 0);
    dialog.IntExtBtn->Click();
    dialog.OKBtn->Click();
  });
  Main().MenuItem("PrintBreakdownsItem")->Click();
  ASSERT_EQ(Recorder().Pages().size(), 1u);
  const RecordingCanvas& page = *Recorder().Pages()[0];
  EXPECT_NE(page.FindText("farm.qmw - Secondary Sorting by SCRIPT ORDER"), nullptr) << page.Transcript();
  EXPECT_NE(page.FindText("EXTERIORS:"), nullptr);
  EXPECT_NE(page.FindText("INTERIORS:"), nullptr);
}

// Print Standard Breakdowns on the dialog's defaults prints every scene
// with its tagged items, the scene list of the second page is there to
// pick from, and a script with locked scene numbers leaves its OMITTEDs out.
TEST_F(BreakdownDialogTest, StandardBreakdownsOnTheDefaultsPrintTheScenesAndTheirItems) {
  Settings().TaggingUsed = 1;
  Add({{ekSceneHeading, "INT. SHED - DAY"}, {ekAction, testing::T("A [wtruck] waits.")}, {ekSceneHeading, "OMITTED"}});
  Number(5, 3);
  Number(7, 4);
  const struct {
    bool locked;
    std::vector<std::string> printed;
    std::vector<std::string> left;
  } cases[] = {
      {false, {"INT. BARN - DAY", "EXT. FIELD - NIGHT", "INT. SHED - DAY", "truck", "OMITTED"}, {}},
      {true, {"INT. BARN - DAY", "EXT. FIELD - NIGHT", "INT. SHED - DAY", "truck"}, {"OMITTED"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locked);
    Settings().ScenesLocked = c.locked ? 1 : 0;
    Driver().Expect([](TForm& form) {
      auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
      EXPECT_EQ(dialog.SceneList->Items.Count(), 4);
      EXPECT_TRUE(dialog.PrintTaggedBox->Checked());
      dialog.OKBtn->Click();
    });
    Main().MenuItem("PrintBreakdownsItem")->Click();
    ASSERT_EQ(Recorder().Pages().size(), 1u);
    const RecordingCanvas& page = *Recorder().Pages()[0];
    EXPECT_NE(page.FindText("Vehicles: "), nullptr) << page.Transcript();
    for (const std::string& text : c.printed) EXPECT_NE(page.FindText(text), nullptr) << text;
    for (const std::string& text : c.left) EXPECT_EQ(page.FindText(text), nullptr) << text;
  }
}

TEST_F(BreakdownDialogTest, TheReportPrintsTheScenesPickedOnTheSecondPage) {
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
    dialog.Notebook1->SetActivePageIndex(1);
    ASSERT_EQ(dialog.SceneList->Items.Count(), 2);
    dialog.SelectedOnly->SetChecked(true);
    dialog.SceneList->SetSelected(1, true);
    dialog.OKBtn->Click();
  });
  Main().MenuItem("PrintBreakdownsItem")->Click();
  ASSERT_EQ(Recorder().Pages().size(), 1u);
  const RecordingCanvas& page = *Recorder().Pages()[0];
  EXPECT_NE(page.FindText("EXT. FIELD - NIGHT"), nullptr) << page.Transcript();
  EXPECT_EQ(page.FindText("INT. BARN - DAY"), nullptr) << page.Transcript();
}

}  // namespace
}  // namespace qm
