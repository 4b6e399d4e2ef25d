// The program options dialog driven through its controls.
#include "shell/options_dialog.h"

#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/office_button.h"
#include "script/layout/editor_state.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

using testing::AnswerMessageBox;

class OptionsDialogTest : public testing::ProgramFixture {
 protected:
  // Opens the dialog from its menu item and lets `change` work on it.
  void RunDialog(const std::function<void(TSettingsDlg&)>& change) {
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TSettingsDlg&>(form);
      change(dialog);
    });
    MainForm->MenuItem("ProgramSettingsItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
  }
  // A message box whose words another test checks.
  void Answer(TModalResult result) {
    Driver().Expect([result](TForm& box) { box.ModalResult = result; });
  }
};

TEST_F(OptionsDialogTest, EveryBoxStoresItsFlagAndTheSettingsFileOnOk) {
  const struct {
    const char* box;
    const char* section;
    const char* key;
    bool inverse;
  } cases[] = {
      {"TypeoverBox", "Editing Options", "Allow Typeover", false},
      {"UseQuickTypeBox", "Editing Options", "Use QuickType", false},
      {"BlankSpaceBox", "SmartCheck", "Blank Space", true},
      {"SecondNameBox", "SmartCheck", "Second Name", true},
      {"AfterShotsBox", "Spelling", "Capitalize after Shots", true},
      {"ShareClipboardBox", "Editing Options", "Proprietary Format Only", true},
      {"PrintAfterThresholdBox", "Revision Options", "Print After Threshold", true},
      {"SeparateOmittedBox", "Revision Options", "Combine Omitted Pages", true},
      {"ControlSBox", "Program Settings", "Control S is Save", false},
      {"PageBreakTypeBox", "Display Settings", "Display Page Break Type", false},
      {"FinalMoreBox", "Printing Options", "Print Final More", false},
      {"DragBreakBox", "Editing Options", "Drag and Drop Break", false},
      {"JumpNewPageBox", "Interactive", "Each Jump Position on New Page", false},
      {"SwearsBox", "Spelling", "Allow Swears in Thesaurus", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    bool shownBefore = false;
    RunDialog([&](TSettingsDlg& d) {
      shownBefore = d.Box(c.box)->Checked();
      d.Box(c.box)->SetChecked(!shownBefore);
      d.OKBtn->Click();
      EXPECT_EQ(d.ModalResult, mrOk);
    });
    const bool stored = OpenSettingsFile().ReadBool(c.section, c.key, !c.inverse);
    EXPECT_EQ(stored, shownBefore == c.inverse) << "the box showed " << shownBefore;
  }
}

TEST_F(OptionsDialogTest, CancelChangesNothing) {
  const bool typeover = ProgramOptions().AllowTypeover;
  const std::string before = OpenSettingsFile().ReadString("Editing Options", "Allow Typeover", "unset");
  RunDialog([&](TSettingsDlg& d) {
    d.Box("TypeoverBox")->SetChecked(!typeover);
    d.NumberEdit("AutosaveEdit")->Text = "7";
    d.CancelBtn->Click();
  });
  EXPECT_EQ(ProgramOptions().AllowTypeover, typeover);
  EXPECT_NE(AutosaveInterval, 7);
  EXPECT_EQ(OpenSettingsFile().ReadString("Editing Options", "Allow Typeover", "unset"), before);
}

TEST_F(OptionsDialogTest, NumbersAreStoredWithinTheirRangesAndRefusedOutside) {
  const struct {
    const char* edit;
    const char* text;
    bool accepted;
  } cases[] = {
      {"AutosaveEdit", "60", true},    {"AutosaveEdit", "0", false},    {"AutosaveEdit", "61", false},
      {"MaxLengthEdit", "5", true},    {"MaxLengthEdit", "4", false},   {"SpacingEdit", "9", true},
      {"SpacingEdit", "10", false},    {"ThresholdEdit", "abc", false}, {"ThresholdEdit", "100", true},
      {"UndoLevelsEdit", "21", false}, {"UndoLevelsEdit", "0", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.edit) + " " + c.text);
    RunDialog([&](TSettingsDlg& d) {
      d.NumberEdit(c.edit)->Text = c.text;
      if (!c.accepted) Answer(mrOk);
      d.OKBtn->Click();
      if (!c.accepted) {
        EXPECT_NE(d.ModalResult, mrOk);
        d.CancelBtn->Click();
      }
    });
  }
  EXPECT_EQ(AutosaveInterval, 60);
  EXPECT_EQ(ProgramOptions().AutocorrectMaxLength, 5);
  EXPECT_EQ(ProgramOptions().SentenceSpacing, std::string(9, ' '));
  EXPECT_EQ(ProgramOptions().RevisionThreshold, 100);
  EXPECT_EQ(OpenSettingsFile().ReadInteger("Program Settings", "Autosave Interval", 0), 60);
  EXPECT_EQ(OpenSettingsFile().ReadInteger("Revision Options", "Revision Threshold", 0), 100);
}

TEST_F(OptionsDialogTest, ChoicesBeyondCheckBoxesAreStored) {
  RunDialog([&](TSettingsDlg& d) {
    dynamic_cast<TRadioGroup*>(d.FindComponent("SmartTabGroup"))->SetItemIndex(1);
    d.Radio("Startup4")->SetChecked(true);
    d.Radio("CtrlCutPaste")->SetChecked(true);
    d.Radio("PopUpRadio")->SetChecked(true);
    d.List("DeleteWordBox")->SetItemIndex(7);
    d.List("GotoTopBox")->SetItemIndex(0);
    d.List("DarknessBox")->SetItemIndex(3);
    d.Radio("DarkenRadio")->SetChecked(true);
    d.Box("ZoomLogoBox")->SetChecked(false);
    d.OKBtn->Click();
  });
  const TProgramOptions& o = ProgramOptions();
  EXPECT_TRUE(o.UseSmartTab);
  EXPECT_TRUE(o.UseSmartTabPlus);
  EXPECT_EQ(o.StartupChoice, 4);
  EXPECT_TRUE(o.CtrlKeyCutPaste);
  EXPECT_FALSE(o.UsePowerPanel);
  EXPECT_EQ(o.DeleteWordKeys, 7);
  EXPECT_EQ(o.GotoTopKeys, 0);
  EXPECT_EQ(o.DarkenCourierNew, 3);
  EXPECT_EQ(o.SubstituteFont, "");
  const TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadInteger("Program Settings", "Startup Choice", -1), 4);
  EXPECT_FALSE(ini.ReadBool("Program Settings", "Zoom Logo", true));
  EXPECT_TRUE(ini.ReadBool("KeyBoard Layout", "Ctrl Key Cut/Paste", false));
}

// An extension the dialog has no radio for shows neither; OK then moves
// the scripts to ".QMW" (after the rename question).
TEST_F(OptionsDialogTest, AnExtensionOfNoRadioShowsNeitherAndOkSetsQmw) {
  ScriptExtension = "TXT";
  std::string question;
  RunDialog([&](TSettingsDlg& d) {
    EXPECT_FALSE(d.Radio("ScrExtension")->Checked());
    EXPECT_FALSE(d.Radio("QmwExtension")->Checked());
    Driver().Expect([&](TForm& box) {
      question = testing::MessageBoxText(box);
      box.ModalResult = mrNo;
    });
    d.OKBtn->Click();
  });
  EXPECT_TRUE(question.starts_with("Rename all existing \".TXT\" scripts")) << question;
  EXPECT_EQ(ScriptExtension, "QMW");
}

// The display font: the one in use asks nothing on OK; another than
// Courier New asks, and No keeps the screen WYSIWYG with Courier New.
TEST_F(OptionsDialogTest, ANewDisplayFontIsAskedAboutAndNoMeansCourierNew) {
  std::string other;
  RunDialog([&](TSettingsDlg& d) {
    TComboBox& fonts = *d.List("SubstituteFontBox");
    for (int i = 0; i < fonts.Items.Count() && other.empty(); ++i)
      if (fonts.Items[i] != "Courier New") other = fonts.Items[i];
    d.CancelBtn->Click();
  });
  ASSERT_FALSE(other.empty()) << "a font to choose";

  ProgramOptions().DisplayFont = other;
  RunDialog([&](TSettingsDlg& d) {
    EXPECT_TRUE(d.Box("DisplayFontBox")->Checked());
    d.OKBtn->Click();
  });
  EXPECT_EQ(ProgramOptions().DisplayFont, other) << "the font in use is kept without a question";

  ProgramOptions().DisplayFont = "Courier New";
  std::string question;
  RunDialog([&](TSettingsDlg& d) {
    d.Box("DisplayFontBox")->SetChecked(true);
    TComboBox& fonts = *d.List("SubstituteFontBox");
    for (int i = 0; i < fonts.Items.Count(); ++i)
      if (fonts.Items[i] == other) fonts.SetItemIndex(i);
    Driver().Expect([&](TForm& box) {
      question = testing::MessageBoxText(box);
      box.ModalResult = mrNo;
    });
    d.OKBtn->Click();
  });
  EXPECT_TRUE(question.starts_with("By substituting " + other + " for Courier New on-screen")) << question;
  EXPECT_EQ(ProgramOptions().DisplayFont, "Courier New");
}

TEST_F(OptionsDialogTest, KeyOverridesFollowTheSelectedKeyAndCanBeClearedAll) {
  RunDialog([&](TSettingsDlg& d) {
    auto* keys = dynamic_cast<TListBox*>(d.FindComponent("KeyList"));
    keys->SetItemIndex(27);  // Ctrl+B
    keys->OnClick(keys);
    d.List("KeyValueBox")->SetItemIndex(13);
    d.List("KeyValueBox")->OnChange(nullptr);
    EXPECT_EQ(d.KeyOverrides[27], 13);
    d.OKBtn->Click();
  });
  EXPECT_EQ(ProgramOptions().KeyOverrideTable[27], 13);
  RunDialog([&](TSettingsDlg& d) {
    EXPECT_EQ(d.KeyOverrides[27], 13);
    Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); });
    dynamic_cast<TButton*>(d.FindComponent("ClearKeysBtn"))->Click();
    EXPECT_EQ(d.KeyOverrides[27], 0);
    d.OKBtn->Click();
  });
  EXPECT_EQ(ProgramOptions().KeyOverrideTable[27], 0);
}

TEST_F(OptionsDialogTest, DependentBoxesFollowTheBoxesTheyDependOn) {
  RunDialog([&](TSettingsDlg& d) {
    d.Box("RealTimeSpellBox")->SetChecked(false);
    d.SetupEnabled();
    EXPECT_FALSE(d.Box("AutocorrectBox")->Enabled());
    EXPECT_FALSE(d.Box("AllCapNamesBox")->Enabled());
    EXPECT_FALSE(d.NumberEdit("MaxLengthEdit")->Enabled());
    d.Box("RealTimeSpellBox")->SetChecked(true);
    d.Box("NameCapsBox")->SetChecked(true);
    d.Box("AutocorrectBox")->SetChecked(true);
    d.SetupEnabled();
    EXPECT_TRUE(d.Box("AllCapNamesBox")->Enabled());
    EXPECT_TRUE(d.NumberEdit("MaxLengthEdit")->Enabled());
    d.Radio("PopUpRadio")->SetChecked(true);
    d.SetupEnabled();
    EXPECT_FALSE(d.Box("SelectOnUpBox")->Enabled());
    d.CancelBtn->Click();
  });
}

// The insert panel says so at once, lowered and without its hint; typeover
// allowed again, the panel is raised, framed and offers its click.
TEST_F(OptionsDialogTest, TypeoverNotAllowedPutsTheEditorInInsertMode) {
  auto* panel = dynamic_cast<TPanel*>(MainForm->FindComponent("InsertPrompt"));
  ASSERT_NE(panel, nullptr);
  InsertMode = 0;
  const struct {
    bool allowed;
    TPanelBevel bevel;
    TBorderStyleKind border;
    const char* hint;
  } cases[] = {
      {false, TPanelBevel::bvLowered, TBorderStyleKind::bsNone, ""},
      {true, TPanelBevel::bvRaised, TBorderStyleKind::bsSingle,
       "Click Here to Toggle between INSERT and TYPEOVER Modes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.allowed ? "allowed" : "not allowed");
    RunDialog([&c](TSettingsDlg& d) {
      d.Box("TypeoverBox")->SetChecked(c.allowed);
      d.OKBtn->Click();
    });
    EXPECT_EQ(InsertMode, 1);
    EXPECT_EQ(ProgramOptions().AllowTypeover, c.allowed);
    EXPECT_EQ(panel->Caption(), "Insert");
    EXPECT_EQ(panel->BevelOuter, c.bevel);
    EXPECT_EQ(panel->BorderStyle, c.border);
    EXPECT_EQ(panel->Hint(), c.hint);
  }
}

TEST_F(OptionsDialogTest, TheBlankScriptChoiceOpensOneWhenNoneIsOpen) {
  MainForm->MenuItem("CloseFileItem")->Click();
  ASSERT_TRUE(NoActiveDocument());
  RunDialog([](TSettingsDlg& d) {
    d.Radio("Startup0")->SetChecked(true);
    d.OKBtn->Click();
  });
  EXPECT_FALSE(NoActiveDocument());
  EXPECT_EQ(ProgramOptions().StartupChoice, 0);
}

TEST_F(OptionsDialogTest, TheAdministratorLockRefusesWithoutTheSwitch) {
  OpenSettingsFile().WriteBool("Program", "Lock Options", true);
  AnswerMessageBox(Driver(), "Sorry but only the System Administrator has the right to change the program settings.",
                   mrOk);
  MainForm->MenuItem("ProgramSettingsItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  CommandLine = {"/wardn"};
  RunDialog([](TSettingsDlg& d) { d.CancelBtn->Click(); });
  CommandLine.clear();
}

TEST_F(OptionsDialogTest, TheCardButtonSavesRunsTheCardLayoutAndReturnsOnTheRevisionsPage) {
  RunDialog([&](TSettingsDlg& d) {
    d.Box("ControlSBox")->SetChecked(true);
    Answer(mrYes);
    Driver().Expect([](TForm& cards) { cards.ModalResult = mrOk; });
    Driver().Expect([](TForm& again) {
      auto& d2 = dynamic_cast<TSettingsDlg&>(again);
      EXPECT_EQ(d2.Notebook->ActivePageIndex(), 6);
      d2.CancelBtn->Click();
    });
    dynamic_cast<TButton*>(d.FindComponent("CardSetupBtn"))->Click();
  });
  EXPECT_TRUE(ProgramOptions().ControlSIsSave);
}

// The Sc button's hint names the Ctrl+S key only while the key inserts a
// heading, from the moment the dialog closes.
TEST_F(OptionsDialogTest, TheSceneButtonsHintFollowsControlSIsSave) {
  Script();
  const auto hint = [] {
    bool done = false;
    MainForm->AppIdle(nullptr, done);
    return dynamic_cast<TOfficeButton*>(MainForm->FindComponent("SceneHeadingBtn"))->Hint();
  };
  ASSERT_EQ(hint(), "Scene Heading|SCENE HEADING: Press <CTRL+S>");
  for (const bool saves : {true, false}) {
    SCOPED_TRACE(saves);
    RunDialog([&](TSettingsDlg& d) {
      d.Box("ControlSBox")->SetChecked(saves);
      d.OKBtn->Click();
    });
    EXPECT_EQ(hint(), saves ? "Scene Heading" : "Scene Heading|SCENE HEADING: Press <CTRL+S>");
  }
}

}  // namespace
}  // namespace qm
