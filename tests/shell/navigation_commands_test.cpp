// The main window's commands for moving about and for how the script
// shows: Goto > Page and its dialog, Goto > Act/Scene Info, the zoom
// dialog, the turning hints of the status line, word-processor mode, and
// the status line's and right panel's parts kept in the settings file.
#include <gtest/gtest.h>

#include <string>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "language/pick_list.h"
#include "platform/controls.h"
#include "platform/dialog_builder.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/editing/block_selection.h"
#include "script/editing/goto_page.h"
#include "script/editing/position_texts.h"
#include "script/script_window.h"
#include "shell/goto_page_dialog.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "shell/right_panel.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"
#include "shell/zoom_screen_dialog.h"
#include "support/message_box_answers.h"
#include "script/fixtures/keys_fixture.h"
#include "support/script_builder.h"
#include "support/script_generator.h"

namespace qm {
namespace {

class NavigationCommandsTest : public testing::KeysFixture {
 protected:
  TStatusLine& S() { return MainForm->StatusLine(); }
  TMenuItem* Item(const char* name) { return MainForm->MenuItem(name); }
  // A paginated screenplay with the caret at its start.
  void LoadPages(int pages) {
    Load(testing::GenerateScreenplay(9, pages), 0);
    Script().RefreshLayout();
    Script().SetFocus();
  }
  std::string CaretPage() {
    TStatusTexts texts;
    EXPECT_TRUE(ComputeStatusTexts(Script(), {}, texts));
    return texts.caretPageText;
  }
  // The go-to-page dialog comes up; `answer` fills and closes it.
  void AnswerGotoPage(std::function<void(TGotoPgDlg&)> answer) {
    Driver().Expect([answer](TForm& form) { answer(dynamic_cast<TGotoPgDlg&>(form)); }, "go to page");
  }
  TIniFile Settings() { return TIniFile(HomeFile(SettingsFileName)); }
};

TEST_F(NavigationCommandsTest, GotoPageTakesTheCaretToTheTypedPage) {
  LoadPages(5);
  AnswerGotoPage([](TGotoPgDlg& dialog) {
    EXPECT_EQ(dialog.PageEdit->Text(), "1") << "the dialog starts on the caret's page";
    dialog.PageEdit->Text = "3";
    dialog.OKBtn->Click();
  });
  SendKey('G', TShiftState(ssCtrl));
  EXPECT_EQ(CaretPage(), "3");
  EXPECT_EQ(S().PagePanel->Caption().substr(0, 8), " Pg: 3 o") << "the status line follows";
}

TEST_F(NavigationCommandsTest, ATextWithoutDigitsIsRefusedAndTheDialogStays) {
  LoadPages(3);
  bool stillOpen = false;
  AnswerGotoPage([&stillOpen](TGotoPgDlg& dialog) {
    dialog.PageEdit->Text = "abc";
    dialog.OKBtn->Click();
    stillOpen = dialog.ModalResult == mrNone;
    DialogControl<TButton>(dialog, "CancelBtn")->Click();
  });
  testing::AnswerMessageBox(Driver(), "abc is NOT a Valid Number!", mrOk);
  Item("GotoPageItem")->Click();
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(CaretPage(), "1");
}

TEST_F(NavigationCommandsTest, TheSpinButtonsStepWithinTheScriptsPagesKeepingTheLetter) {
  LoadPages(3);
  AnswerGotoPage([](TGotoPgDlg& dialog) {
    dialog.PageEdit->Text = "1A";
    dialog.SpinDownBtn->Click();
    EXPECT_EQ(dialog.PageEdit->Text(), "1A") << "not below the first page";
    dialog.SpinUpBtn->Click();
    EXPECT_EQ(dialog.PageEdit->Text(), "2A");
    for (int i = 0; i < 20; ++i) dialog.SpinUpBtn->Click();
    EXPECT_EQ(ParsePageRequest(dialog.PageEdit->Text()).number, LastPageNumber(*ActiveScript()))
        << "not past the last page";
    DialogControl<TButton>(dialog, "CancelBtn")->Click();
  });
  MainForm->PagePanelClick(nullptr);
}

TEST_F(NavigationCommandsTest, SceneListingsAndActSceneInfoOpenTheSceneList) {
  const std::vector<testing::ElementSpec> scenes = {{ekSceneHeading, "INT. HALL - DAY"},
                                                    {ekAction, "One."},
                                                    {ekSceneHeading, "EXT. YARD - NIGHT"},
                                                    {ekAction, "Two."}};
  for (const char* how : {"scene listings", "act/scene info"}) {
    SCOPED_TRACE(how);
    Load(scenes, 1);
    Script().RenumberScenes(false);
    Script().SetFocus();
    if (std::string(how) == "scene listings") {
      AnswerGotoPage([](TGotoPgDlg& dialog) { dialog.SceneListBtn->Click(); });
    }
    Driver().Expect(
        [](TForm& form) {
          auto& menu = dynamic_cast<TListMenu&>(form);
          EXPECT_EQ(menu.List->Items.Count(), 2);
          SendKey(VK_DOWN);
          SendKey(VK_RETURN);
        },
        "the scene list");
    if (std::string(how) == "scene listings") Item("GotoPageItem")->Click();
    else Item("GotoSceneItem")->Click();
    EXPECT_EQ(Script().CurrentElement()->Kind(), ekSceneHeading);
    EXPECT_EQ(Script().CurrentElement()->prev->prev, Script().FirstElement) << "the second scene";
  }
}

TEST_F(NavigationCommandsTest, ZoomChangesTheScreenTextAndIsKept) {
  Script().SetFocus();
  const Word height = Script().ScreenLineHeight;
  ASSERT_NE(MainForm->ZoomSize, 140);
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TZoomScreenDlg&>(form);
    dialog.ZoomBar->Position = 150;
    EXPECT_EQ(dialog.ZoomLabel->Caption(), "Zoom Screen Text: 150%");
    EXPECT_EQ(dialog.SampleMemo->Lines[2], "INT. COMPUTER -- DAY");
    dialog.ZoomBar->Position = 20;
    EXPECT_EQ(dialog.Zoom(), 50) << "not below 50";
    dialog.ZoomBar->Position = 140;
    DialogControl<TButton>(dialog, "OKBtn")->Click();
  });
  Item("ZoomItem")->Click();
  EXPECT_EQ(MainForm->ZoomSize, 140);
  EXPECT_EQ(Settings().ReadInteger("Program Settings", "Zoom Size", 0), 140);
  EXPECT_GT(Script().ScreenLineHeight, height) << "the lines grow with the text";

  Driver().Expect([](TForm& form) {
    dynamic_cast<TZoomScreenDlg&>(form).ZoomBar->Position = 60;
    DialogControl<TButton>(form, "CancelBtn")->Click();
  });
  Item("ZoomItem")->Click();
  EXPECT_EQ(MainForm->ZoomSize, 140) << "Cancel keeps the zoom";
}

TEST_F(NavigationCommandsTest, AHintTooWideForTheLineTurnsRoundWhileScrollHintsIsChecked) {
  TPanel* line = S().HintLine;
  MainForm->ToolBar().Panel()->ShowHint = false;
  Script().SetScriptCaption(std::string(300, 'x') + "END");
  ASSERT_TRUE(Item("ScrollHints")->Checked()) << "on by default";
  S().ShowAppHint();
  EXPECT_TRUE(S().HintTimer->Enabled());
  EXPECT_EQ(line->Caption(), std::string(300, 'x') + "END   ...   ");
  AdvanceClock(1000);
  EXPECT_EQ(line->Caption(), std::string(299, 'x') + "END   ...   x") << "one character round";
  AdvanceClock(250);
  EXPECT_EQ(line->Caption().substr(298), "END   ...   xx");

  Item("ScrollHints")->Click();
  EXPECT_FALSE(Item("ScrollHints")->Checked());
  EXPECT_FALSE(S().HintTimer->Enabled());
  EXPECT_EQ(line->Caption(), std::string(300, 'x') + "END") << "shown as it is";

  Item("ScrollHints")->Click();
  Script().SetScriptCaption("SHORT.QMW");
  S().ShowAppHint();
  EXPECT_FALSE(S().HintTimer->Enabled()) << "a text that fits stays still";
  EXPECT_EQ(line->Caption(), "SHORT.QMW");
}

TEST_F(NavigationCommandsTest, WordProcessorModeShowsItsNoticeAndMakesTabTypeBlanks) {
  Script().SetFocus();
  TypeText("Words");
  SendKey('W', TShiftState(ssCtrl));
  EXPECT_TRUE(MainForm->WordProcessorMode);
  EXPECT_TRUE(Item("TextOnlyModeItem")->Checked());
  EXPECT_EQ(S().HintLine->Caption(), ">>>WP MODE: Press <CTRL+W> to Exit<<<");
  EXPECT_EQ(S().HintLine->Color(), RGB(128, 0, 0));
  SendKey(VK_TAB);
  EXPECT_EQ(Script().EditBuffer(), "Words     ");
  EXPECT_EQ(Script().CaretColumn(), 10);
  EXPECT_EQ(Script().CurrentElement()->Kind(), ekAction) << "no character name begun";
  S().ShowAppHint();
  EXPECT_EQ(S().HintLine->Caption(), ">>>WP MODE: Press <CTRL+W> to Exit<<<") << "hints leave the notice";

  SendKey('W', TShiftState(ssCtrl));
  EXPECT_FALSE(MainForm->WordProcessorMode);
  EXPECT_FALSE(Item("TextOnlyModeItem")->Checked());
  EXPECT_EQ(S().HintLine->Color(), clBtnFace);
  EXPECT_NE(S().HintLine->Caption(), ">>>WP MODE: Press <CTRL+W> to Exit<<<");

  MainForm->AllowTextMode = false;
  MainForm->ToggleWPMode(false);
  EXPECT_FALSE(MainForm->WordProcessorMode) << "not while text mode is not allowed";

  // Closing the script ends the mode and its notice.
  MainForm->AllowTextMode = true;
  SendKey('W', TShiftState(ssCtrl));
  ASSERT_TRUE(MainForm->WordProcessorMode);
  Script().DocumentModified = 0;
  MainForm->CloseFileItem->Click();
  EXPECT_FALSE(MainForm->WordProcessorMode);
  EXPECT_NE(S().HintLine->Caption(), ">>>WP MODE: Press <CTRL+W> to Exit<<<");
}

TEST_F(NavigationCommandsTest, ThePanelsChecksAreKeptInTheSettingsFile) {
  struct Case {
    const char* item;
    const char* section;
    const char* key;
  };
  const Case cases[] = {
      {"BottomSpeedItem", "Program Settings", "Bottom Bar"},
      {"SceneCountItem", "Program Settings", "Bottom Bar Scene"},
      {"ActSceneInfoItem", "Program Settings", "Bottom Bar Act"},
      {"ScrollHints", "Program Settings", "Scroll Hints"},
      {"RightSpeedbarItem", "Program Settings", "Right Panel"},
      {"RightEButtonsItem", "Program Settings", "Right Buttons"},
      {"SceneGuideItem", "Program Settings", "Scene Guide Button"},
      {"ShowRulerItem", "Misc. Options", "Ruler Bar"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    const bool before = Item(c.item)->Checked();
    Item(c.item)->Click();
    ASSERT_TRUE(SaveProgramSettings());
    EXPECT_EQ(Settings().ReadBool(c.section, c.key, before), !before);
    // The file read back puts the check where it was stored.
    Settings().WriteBool(c.section, c.key, before);
    ASSERT_TRUE(LoadProgramSettings(true));
    EXPECT_EQ(Item(c.item)->Checked(), before);
  }
  EXPECT_TRUE(MainForm->StatusLine().Bar()->Visible()) << "the status line came back with its check";
}

// The Scene Pilot button turned off is read back off: the button hidden,
// the element button panel ending at its top, the item unchecked; and on
// again as it was.
TEST_F(NavigationCommandsTest, TheScenePilotButtonTurnedOffStaysOffWhenTheSettingsAreReadAgain) {
  TRightPanel& panel = MainForm->RightPanel();
  auto* button = dynamic_cast<TControl*>(MainForm->FindComponent("SceneGuideBtn"));
  ASSERT_NE(button, nullptr);
  for (const bool shown : {false, true}) {
    SCOPED_TRACE(shown ? "on" : "off");
    Settings().WriteBool("Program Settings", "Scene Guide Button", shown);
    ASSERT_TRUE(LoadProgramSettings(true));
    EXPECT_EQ(Item("SceneGuideItem")->Checked(), shown);
    EXPECT_EQ(button->Visible(), shown);
    EXPECT_EQ(panel.ElementButtonPanel->Height(), shown ? button->Top() + button->Height() + 2 : button->Top());
  }
}

TEST_F(NavigationCommandsTest, TheHiddenSceneItemsExtendAMarkedBlockAndOtherwiseMove) {
  const std::vector<testing::ElementSpec> script{{ekSceneHeading, "INT. ONE - DAY"},
                                                 {ekAction, "Alpha."},
                                                 {ekSceneHeading, "INT. TWO - DAY"},
                                                 {ekAction, "Beta."},
                                                 {ekSceneHeading, "INT. THREE - DAY"}};
  const struct {
    const char* item;
    int from;
    bool block;
    int to;
    std::vector<int> inBlock;  // element indexes the block holds
  } cases[] = {
      {"AltNextSceneItem", 1, false, 2, {}},
      {"AltPreviousSceneItem", 3, false, 2, {}},
      {"AltNextSceneItem", 1, true, 2, {1, 2}},
      {"AltPreviousSceneItem", 3, true, 2, {2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.item << (c.block ? " with a block" : ""));
    Load(script, c.from, 0);
    if (c.block) ExtendBlockTo(W(), *W().CurrentElement(), 0);
    Item(c.item)->Click();
    EXPECT_EQ(CurrentIndex(), c.to);
    EXPECT_EQ(W().BlockOn() != 0, c.block);
    std::vector<int> inBlock;
    for (int i = 0; ElementAt(i); ++i)
      if (ElementAt(i)->InBlock()) inBlock.push_back(i);
    EXPECT_EQ(inBlock, c.inBlock);
    if (c.block) ClearBlockSelection(false);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

}  // namespace
}  // namespace qm
