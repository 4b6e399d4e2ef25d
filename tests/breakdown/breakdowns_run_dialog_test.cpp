// The Production Breakdowns dialog: how its choices enable one another,
// what OK checks, the options it hands the run, and the two commands that
// open it (the scheduling export and the print menu's standard breakdowns).
#include "breakdown/breakdowns_run_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/ini_file.h"
#include "breakdown/sheet_layout_dialog.h"
#include "breakdown/tag_notation.h"
#include "breakdown/tagging.h"
#include "language/language_fixture.h"
#include "platform/dialog_builder.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
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
    dialog.OKBtn->Click();
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

// Picking scenes in the list with the mouse chooses "Selected Scenes
// ONLY", and OK prints the picked scenes alone; taking the last pick away
// goes back to every scene, the omitted ones left out when they can be.
TEST_F(BreakdownDialogTest, PickingScenesInTheListPrintsThoseAlone) {
  struct TPick {
    int row;
    bool ctrl;
  };
  const struct {
    const char* what;
    bool locked;
    std::vector<TPick> picks;
    const char* chosen;
    std::vector<std::string> printed, left;
  } cases[] = {
      {"the second scene", false, {{1, false}}, "SelectedOnly", {"EXT. FIELD - NIGHT"}, {"INT. BARN - DAY"}},
      {"both scenes", false, {{0, false}, {1, true}}, "SelectedOnly", {"INT. BARN - DAY", "EXT. FIELD - NIGHT"}, {}},
      {"a pick taken away", false, {{1, false}, {1, true}}, "SelectAll", {"INT. BARN - DAY", "EXT. FIELD - NIGHT"}, {}},
      {"a pick taken away, numbers locked",
       true,
       {{0, false}, {0, true}},
       "SelectAllExceptOmits",
       {"INT. BARN - DAY", "EXT. FIELD - NIGHT"},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Settings().ScenesLocked = c.locked ? 1 : 0;
    Driver().Expect([&c](TForm& form) {
      auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
      dialog.Notebook1->SetActivePageIndex(1);
      TListBox& list = *dialog.SceneList;
      ASSERT_EQ(list.Items.Count(), 2);
      for (const TPick& pick : c.picks)
        ClickAt(list, 10, pick.row * list.ItemHeight + 4, TMouseButton::mbLeft,
                pick.ctrl ? TShiftState(ssCtrl) : TShiftState());
      EXPECT_TRUE(DialogControl<TRadioButton>(dialog, c.chosen)->Checked());
      dialog.OKBtn->Click();
    });
    Main().MenuItem("PrintBreakdownsItem")->Click();
    ASSERT_EQ(Recorder().Pages().size(), 1u);
    const RecordingCanvas& page = *Recorder().Pages()[0];
    for (const std::string& text : c.printed) EXPECT_NE(page.FindText(text), nullptr) << text;
    for (const std::string& text : c.left) EXPECT_EQ(page.FindText(text), nullptr) << text;
  }
}

// The two Production menu commands open the dialog on its choices, with
// their output chosen and their own title; one Cancel leaves.
TEST_F(BreakdownDialogTest, TheExportAndTheSheetsOpenOnTheChoicesUnderTheirOwnTitle) {
  const struct {
    const char* item;
    const char* caption;
    const char* chosen;
  } cases[] = {
      {"ShootPlanExportItem", "Exporting to ShootPlan Scheduling...", "ShootPlanBtn"},
      {"PrintSheetsItem", "Printing Breakdown Sheets...", "BreakdownSheetBtn"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Driver().Expect([&c](TForm& form) {
      auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
      EXPECT_EQ(dialog.Caption(), c.caption);
      EXPECT_EQ(dialog.Notebook1->ActivePageIndex(), 0);
      EXPECT_TRUE(DialogControl<TRadioButton>(dialog, c.chosen)->Checked());
      dialog.CancelBtn->Click();
      EXPECT_EQ(dialog.ModalResult, mrCancel) << "one Cancel leaves";
    });
    Main().MenuItem(c.item)->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_TRUE(Recorder().Pages().empty()) << "nothing printed";
  }
}

// OK on the choices of the breakdown sheets turns to their scenes; Cancel
// there (or Escape) goes back to the first page, and only Cancel on the
// first page closes.
TEST_F(BreakdownDialogTest, CancelOnTheScenesPageGoesBackToTheFirstPage) {
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape" : "Cancel");
    Driver().Expect([escape](TForm& form) {
      auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
      dialog.OKBtn->Click();
      ASSERT_EQ(dialog.Notebook1->ActivePageIndex(), 1);
      dialog.SceneList->SetFocus();
      if (escape) SendKey(VK_ESCAPE);
      else dialog.CancelBtn->Click();
      EXPECT_EQ(dialog.Notebook1->ActivePageIndex(), 0);
      EXPECT_EQ(dialog.ModalResult, mrNone) << "the dialog stays";
      dialog.CancelBtn->Click();
      EXPECT_EQ(dialog.ModalResult, mrCancel);
    });
    Main().MenuItem("PrintSheetsItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_TRUE(Recorder().Pages().empty()) << "nothing printed";
  }
}

// "Setup Breakdown Sheet" opens the sheet layout; the sheets print with
// the titles it leaves, and tagging mode, whose menu check stands for the
// filling out of breakdowns, ends.
TEST_F(BreakdownDialogTest, SetupBreakdownSheetLaysOutTheSheetsAndEndsTaggingMode) {
  Settings().TaggingUsed = 1;
  TMenuItem& tagging = *Main().MenuItem("TaggingModeItem");
  tagging.Click();
  ASSERT_TRUE(tagging.Checked);
  Driver().Expect([this, &tagging](TForm& form) {
    auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
    dialog.OKBtn->Click();
    ASSERT_EQ(dialog.Notebook1->ActivePageIndex(), 1);
    ASSERT_TRUE(dialog.SetupBrkDownSheetBtn->Visible);
    Driver().Expect([](TForm& layout) {
      auto& sheet = dynamic_cast<TSheetLayoutDlg&>(layout);
      sheet.Titles[0]->Text = "ACTORS";
      layout.ModalResult = mrOk;
    });
    dialog.SetupBrkDownSheetBtn->Click();
    EXPECT_FALSE(tagging.Checked);
    EXPECT_FALSE(TaggingModeOn());
    EXPECT_EQ(dialog.ModalResult, mrNone) << "the dialog stays";
    dialog.OKBtn->Click();
  });
  Main().MenuItem("PrintSheetsItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  ASSERT_FALSE(Recorder().Pages().empty());
  const RecordingCanvas& page = *Recorder().Pages()[0];
  EXPECT_NE(page.FindText("ACTORS"), nullptr) << page.Transcript();
  EXPECT_EQ(page.FindText("CAST"), nullptr);
}

// Every control of both pages carries its own caption, its Alt letter
// where it is written, the letters two controls share included.
TEST_F(BreakdownDialogTest, TheControlsCarryTheirCaptions) {
  TBreakdownDlg dialog(nullptr, Script(), TBreakdownOutput::Report);
  const struct {
    const char* name;
    const char* caption;
  } cases[] = {
      {"ScriptOrderBtn", "&Script Order"},
      {"IntExtBtn", "&Interior VS. Exterior"},
      {"LocationBtn", "&Location"},
      {"TimeofDayBtn", "&Time of Day"},
      {"AllBtn", "&All"},
      {"SomeBtn", "So&me"},
      {"ShootPlanBtn", "&ShootPlan\xAE Scheduling (File)"},
      {"BreakdownSheetBtn", "Script &Breakdown Sheets"},
      {"IntExt2Btn", "Interior VS. &Exterior"},
      {"ScriptOrder2Btn", "Script &Order"},
      {"Location2Btn", "Locatio&n"},
      {"TimeofDay2Btn", "Time of &Day"},
      {"ListCharsBox", "List Characters in Eac&h Scene:"},
      {"SortNamesBox", "Sorted Alphabetically"},
      {"ScriptOrderBox", "Script Order"},
      {"DialogueFirstBox", "Speaking Characters First"},
      {"UserListOrderBox", "User List Order"},
      {"NonSpeakingBox", "List &Non-Speaking Characters"},
      {"EachGroupOnPageBox", "Each Group on Ne&w Page"},
      {"GraphBreakDowns", "&Graph Breakdown"},
      {"PrintTaggedBox", "Print Ta&gged Items"},
      {"StandardBtn", "Standard - &6 lines  = 1/8th"},
      {"AdjustedBtn", "Adjusted - &7 lines  = 1/8th"},
      {"SimpleTotalBtn", "Total of All &Rounded Eighths"},
      {"TrueTotalsBtn", "Tr&ue Total of All Lines"},
      {"SelectedOnly", "&Selected Scenes ONLY"},
      {"SelectAll", "&All Scenes "},
      {"SelectAllExceptOmits", "All Scenes except &OMITTEDs"},
      {"SetupBrkDownSheetBtn", "Setup Breakdown Sheet"},
      {"OKBtn", "OK"},
      {"CancelBtn", "Cancel"},
      {"HelpBtn", "Help"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* control = DialogControl<TControl>(dialog, c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Caption(), c.caption);
  }
}

// A letter written on one control presses it; a letter two controls share
// takes the focus from one to the other with each press, pressing neither.
TEST_F(BreakdownDialogTest, AltAndALetterReachTheControlsWrittenWithIt) {
  Settings().TaggingUsed = 1;
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
    dialog.IntExtBtn->Click();  // the secondary orders take part
    dialog.GraphBreakDowns->SetChecked(false);
    dialog.PrimarySortClick();
    const struct {
      char letter;
      std::vector<TWinControl*> reached;
    } cases[] = {{'S', {dialog.ScriptOrderBtn, dialog.ShootPlanBtn, dialog.ScriptOrderBtn}},
                 {'G', {dialog.GraphBreakDowns, dialog.PrintTaggedBox}},
                 {'N', {dialog.Location2Btn, dialog.NonSpeakingBox}},
                 {'W', {dialog.EachGroupOnPageBox}}};
    for (const auto& c : cases) {
      SCOPED_TRACE(c.letter);
      dialog.ListCharsBox->SetFocus();
      for (TWinControl* control : c.reached) {
        SendKey(static_cast<Word>(c.letter), TShiftState{ssAlt});
        EXPECT_EQ(dialog.ActiveControl, control) << control->Name;
      }
    }
    EXPECT_TRUE(dialog.IntExtBtn->Checked()) << "a shared letter chose no other order";
    EXPECT_FALSE(dialog.GraphBreakDowns->Checked()) << "nor checked a box";
    EXPECT_TRUE(dialog.EachGroupOnPageBox->Checked()) << "its own letter checks it";
    form.ModalResult = mrCancel;
  });
  Main().MenuItem("PrintBreakdownsItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm
