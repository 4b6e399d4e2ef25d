// The status line of the running program and the block commands' keys:
// the panels follow the caret, empty with no script, and F12 converts a
// block's case only while there is one.
#include <gtest/gtest.h>

#include <functional>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "files/disk_utils.h"
#include "files/native_file.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class StatusLineTest : public testing::ProgramFixture {
 protected:
  TStatusLine& S() { return MainForm->StatusLine(); }
};

TEST_F(StatusLineTest, ThePanelsFollowTheCaretAndEmptyWithNoScript) {
  Script().SetFocus();
  TypeText("INT. HALL - DAY");
  S().Refresh(true);
  EXPECT_EQ(S().PagePanel->Caption(), " Pg: 1 of 1");
  EXPECT_EQ(S().LinePanel->Caption().substr(0, 5), " Ln: ");
  const std::string before = S().LinePanel->Caption();
  TypeText(" MORE");
  S().Refresh(false);
  EXPECT_NE(S().LinePanel->Caption(), before) << "the position follows a keystroke";

  Script().DocumentModified = 0;
  CloseActiveScript(true);
  ASSERT_TRUE(NoActiveDocument());
  S().Refresh(true);
  EXPECT_EQ(S().PagePanel->Caption(), "");
  EXPECT_FALSE(S().ScenePanel->Visible());
  EXPECT_FALSE(S().ActPanel->Visible());

  MainForm->FileNewItem->Click();
  S().Refresh(true);
  EXPECT_EQ(S().CurrentElement->Caption(), "Action") << "a script opened again shows its element type";
}

// However the last script goes, the status line at once shows nothing of
// it: the page panel empty, the scene and act panels hidden, no element
// type, no position, and not the "Modified" of its hint, already while
// Exit asks its last question and still after No or Cancel there.
TEST_F(StatusLineTest, NothingOnTheLineSpeaksOfAClosedScript) {
  const auto speaksOfNoScript = [this] {
    EXPECT_EQ(S().PagePanel->Caption(), "");
    EXPECT_FALSE(S().ScenePanel->Visible());
    EXPECT_FALSE(S().ActPanel->Visible());
    EXPECT_EQ(S().CurrentElement->Caption(), "");
    EXPECT_EQ(MainForm->ToolBar().CurrentElement()->Caption(), "");
    EXPECT_EQ(S().LinePanel->Caption(), "");
    EXPECT_EQ(S().HintLine->Caption(), "");
  };
  const auto exitAnswered = [&](TModalResult answer) {
    return [&, answer] {
      Driver().Expect(
          [&, answer](TForm& box) {
            EXPECT_EQ(testing::MessageBoxText(box), "Exit Quillmaster for Windows?");
            SCOPED_TRACE("at the question");
            speaksOfNoScript();
            box.ModalResult = answer;
          },
          "Exit's last question");
      MainForm->ExitQuillmasterItem->Click();
    };
  };
  const struct {
    const char* what;
    std::function<void()> close;
  } roads[] = {
      {"its close box", [this] { Script().Perform(WM_CLOSE, 0, 0); }},
      {"Ctrl+F4", [] { SendKey(VK_F4, ssCtrl); }},
      {"File > Close", [] { MainForm->CloseFileItem->Click(); }},
      {"Exit, No at its last question", exitAnswered(mrNo)},
      {"Exit, Cancel at its last question", exitAnswered(mrCancel)},
  };
  MainForm->ExpertPrompting = false;
  for (const auto& road : roads) {
    SCOPED_TRACE(road.what);
    if (NoActiveDocument()) MainForm->FileNewItem->Click();
    Script().SetFocus();
    TypeText("INT. HALL - DAY");
    MovePointerOnto(Script());
    bool done = false;
    MainForm->AppIdle(Application, done);
    S().Refresh(true);
    ASSERT_EQ(S().PagePanel->Caption(), " Pg: 1 of 1");
    ASSERT_EQ(S().HintLine->Caption(), "Modified") << "the pointer on the changed script";
    testing::AnswerMessageBox(Driver(), "Save " + ShownFileName(Script().ScriptFileName, 30) + "?", mrNo);
    testing::AnswerMessageBox(Driver(),
                              "Are you SURE you want to exit \"" +
                                  PathToText(ExtractFileName(Script().ScriptFileName)) +
                                  "\" without saving?\r\rAll changes WILL be lost if you select YES!",
                              mrYes);
    road.close();
    EXPECT_EQ(Driver().Pending(), 0);
    ASSERT_TRUE(NoActiveDocument());
    speaksOfNoScript();
    Application->ProcessMessages();
    MainForm->AppIdle(Application, done);
    SCOPED_TRACE("once the program is idle again");
    speaksOfNoScript();
  }
}

// The insert panel shows the typing mode. With typeover allowed, Insert
// and a click on the panel each switch it, and typing follows; with
// typeover not allowed neither does anything.
TEST_F(StatusLineTest, TheInsertPanelShowsTheTypingModeAndAClickSwitchesIt) {
  auto* panel = dynamic_cast<TPanel*>(MainForm->FindComponent("InsertPrompt"));
  ASSERT_NE(panel, nullptr);
  const auto click = [panel] { ClickAt(*panel, 5, 5); };
  const auto insertKey = [] { SendKey(VK_INSERT); };
  const struct {
    const char* what;
    bool allowed;
    std::function<void()> act;
    const char* shown;
    const char* typed;
    std::string text;
  } steps[] = {
      {"a new script", true, [] {}, "Insert", "H", "HATXYZ"},
      {"Insert", true, insertKey, "TypeOver", "E", "HETXYZ"},
      {"a click on the panel", true, click, "Insert", "N", "HENTXYZ"},
      {"a second click", true, click, "TypeOver", "D", "HENDXYZ"},
      {"Insert again", true, insertKey, "Insert", "S", "HENDSXYZ"},
      {"Insert, typeover not allowed", false, insertKey, "Insert", "M", "HENDSMXYZ"},
      {"a click, typeover not allowed", false, click, "Insert", "K", "HENDSMKXYZ"},
  };
  Script().SetFocus();
  TypeText("ATXYZ");
  SendKey(VK_HOME);
  bool done = false;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    MainForm->AllowTypeover = step.allowed;
    step.act();
    Script().SetFocus();
    MainForm->AppIdle(Application, done);
    EXPECT_EQ(panel->Caption(), step.shown);
    TypeText(step.typed);
    EXPECT_EQ(Script().EditBuffer(), step.text);
  }
  // Pressed, the raised panel shows lowered until the button comes up.
  ASSERT_TRUE(LoadProgramSettings(true));
  ASSERT_TRUE(MainForm->AllowTypeover);
  panel->Perform(WM_LBUTTONDOWN, 0x01, 0);
  EXPECT_EQ(panel->BevelOuter, TPanelBevel::bvLowered);
  panel->Perform(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(panel->BevelOuter, TPanelBevel::bvRaised);
}

// The tool bar's element box and the status line's type name both show
// the type of the element at the caret, as the caret moves between types.
TEST_F(StatusLineTest, TheElementBoxShowsTheCaretsElementType) {
  const struct {
    const char* what;
    std::vector<Word> keys;
    std::string typed;
    std::string shown;
  } steps[] = {
      {"a new script", {}, "", "Action"},
      {"a heading typed", {}, "INT. HALL - DAY", "Scene Heading"},
      {"Enter after the heading", {VK_RETURN}, "", "Action"},
      {"Tab on the empty Action", {VK_TAB}, "", "Character Name"},
      {"a name typed", {}, "RUTH", "Character Name"},
      {"the speech", {VK_RETURN}, "Not tonight.", "Dialogue"},
      {"back up to the heading", {VK_UP, VK_UP, VK_UP}, "", "Scene Heading"},
  };
  Script().SetFocus();
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    for (Word key : step.keys) SendKey(key);
    if (!step.typed.empty()) TypeText(step.typed);
    S().Refresh(true);
    EXPECT_EQ(MainForm->ToolBar().CurrentElement()->Caption(), step.shown);
    EXPECT_EQ(S().CurrentElement->Caption(), step.shown);
  }
  Script().DocumentModified = 0;
  CloseActiveScript(true);
  S().Refresh(true);
  EXPECT_EQ(MainForm->ToolBar().CurrentElement()->Caption(), "") << "no script, no type";
}

// A script opened with scenes shows where the caret is among them once the
// program is idle, without a keystroke first.
TEST_F(StatusLineTest, AnOpenedScriptShowsItsScenesAtOnce) {
  Script().FreeElements();
  testing::AddElements(
      Script(), {{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "Rain."}, {ekSceneHeading, "EXT. YARD - NIGHT"}});
  Script().DisAssemble();
  const std::string path = ScriptDirectory + "/two_scenes.qmw";
  ASSERT_TRUE(SaveScriptFile(path, false, true));
  Script().DocumentModified = 0;
  CloseActiveScript(true);
  ASSERT_TRUE(OpenScriptByName(path));
  bool done = false;
  MainForm->AppIdle(Application, done);
  EXPECT_EQ(S().ScenePanel->Caption(), "Scn: 1 of 2");
  EXPECT_TRUE(S().ScenePanel->Visible());
}

// An edit taken back leaves the status line showing the caret's scene and
// the page count at the next idle moment, as before the edit.
TEST_F(StatusLineTest, UndoKeepsTheScenePanel) {
  // clang-format off
  const struct {
    const char* what;
    std::function<void()> edit;
  } edits[] = {
      {"typing", [] { TypeText(" Wind."); }},
      {"a new element", [] { SendKey(VK_RETURN); TypeText("Thunder."); }},
      {"a cut element", [] {
         MainForm->MenuItem("ElementSelectItem")->Click();
         MainForm->MenuItem("CutItem")->Click();
       }},
      {"a paste", [] {
         Clipboard()->SetAsText("Hail.");
         MainForm->PasteBtnClick(nullptr);
       }},
      {"a deleted word", [] { SendKey(VK_BACK, TShiftState(ssCtrl)); }},
  };
  // clang-format on
  for (const auto& e : edits) {
    SCOPED_TRACE(e.what);
    testing::LoadInteractiveScript(Script(),
                                   {{ekSceneHeading, "INT. HALL - DAY"},
                                    {ekAction, "Rain."},
                                    {ekSceneHeading, "EXT. YARD - NIGHT"},
                                    {ekAction, "Snow falls."}},
                                   3);
    Script().SetFocus();
    bool done = false;
    MainForm->AppIdle(Application, done);
    ASSERT_EQ(S().ScenePanel->Caption(), "Scn: 2 of 2");
    SendKey(VK_END);
    e.edit();
    MainForm->AppIdle(Application, done);
    MainForm->MenuItem("UndoItem")->Click();
    MainForm->AppIdle(Application, done);
    EXPECT_EQ(S().ScenePanel->Caption(), "Scn: 2 of 2");
    EXPECT_TRUE(S().ScenePanel->Visible());
    EXPECT_EQ(S().PagePanel->Caption(), " Pg: 1 of 1");
  }
}

// A paste that adds pages shows the new page count at the next idle
// moment: what the line shows once every pending layout has run.
TEST_F(StatusLineTest, APasteShowsItsPageCountAtOnce) {
  std::vector<testing::ElementSpec> elements{{ekSceneHeading, "INT. HALL - DAY"}};
  for (int i = 0; i < 23; ++i) elements.push_back({ekAction, "Rain on the windows."});
  testing::LoadInteractiveScript(Script(), elements, 0);
  Script().SetFocus();
  Script().RefreshKeepingCursor();
  bool done = false;
  MainForm->AppIdle(Application, done);
  const std::string before = S().PagePanel->Caption();
  MainForm->MenuItem("SelectAllItem")->Click();
  MainForm->MenuItem("CopyItem")->Click();
  MainForm->MenuItem("TurnoffBlockItem")->Click();
  SendKey(VK_END, TShiftState(ssCtrl));
  MainForm->PasteBtnClick(nullptr);
  MainForm->AppIdle(Application, done);
  const std::string shown = S().PagePanel->Caption();
  EXPECT_NE(shown, before) << "the pasted pages count";
  Script().RefreshKeepingCursor();
  S().Refresh(true);
  EXPECT_EQ(shown, S().PagePanel->Caption()) << "nothing left to catch up";
}

TEST_F(StatusLineTest, F12ConvertsTheBlockOnlyWhileThereIsOne) {
  Script().SetFocus();
  TypeText("quiet words");
  TMenuItem* upper = MainForm->MenuItem("UppercaseItem");
  TMenuItem* lower = MainForm->MenuItem("LowercaseItem");
  EXPECT_EQ(upper->ShortCut(), 0);
  MainForm->MenuItem("SelectAllItem")->Click();
  ASSERT_TRUE(Script().BlockOn());
  EXPECT_EQ(upper->ShortCut(), TextToShortCut("F12"));
  EXPECT_EQ(lower->ShortCut(), TextToShortCut("Shift+F12"));
  SendKey(VK_F12);
  EXPECT_EQ(Script().EditBuffer(), "QUIET WORDS");
  MainForm->MenuItem("TurnoffBlockItem")->Click();
  EXPECT_EQ(upper->ShortCut(), 0);
  EXPECT_EQ(lower->ShortCut(), 0);
}

}  // namespace
}  // namespace qm
