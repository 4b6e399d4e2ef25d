// The right panel and the element type box follow the script at the caret:
// a script made interactive by its formats, or opened as one, gets the
// multimedia buttons and the interactive names of the types, a screenplay
// gets them back, and the box and the status line name the caret's element
// after every change.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "files/native_file.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"
#include "support/message_box_answers.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::ElementSpec;

// What the panel and the type list show for one of the two sets.
struct TButtonSet {
  const char* charNameCaption;
  const char* charNameHint;
  const char* sceneCaption;
  const char* shotCaption;
  bool transitionShown;
  // Entries 5, 8 and 10 of the type list.
  std::vector<std::string> entries;
};

const TButtonSet Normal{"C",  "Character Name|CHARACTER NAME: Press the <TAB> Key anywhere in the script",
                        "Sc", "Sh",
                        true, {"Scene Heading", "Shot", "Transition"}};
const TButtonSet Multimedia{"",    "Play Script|Plays the Multimedia Script",         "BT", "UA",
                            false, {"Branch Target", "User Activity", "Branch Point"}};

class PanelFollowsScriptTest : public testing::KeysFixture {
 protected:
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data"};

  TOfficeButton& Button(const char* name) { return *dynamic_cast<TOfficeButton*>(MainForm->FindComponent(name)); }
  // The program's idle moment, when the menus and buttons are brought up
  // to date.
  void Idle() {
    bool done = false;
    MainForm->AppIdle(nullptr, done);
  }
  // Format > Load Script Format > the family's item; a script with text
  // asks whether its lists come too and whether its margins may go.
  void LoadFamily(const char* item, bool hasText = false) {
    if (hasText) {
      ExpectBox("Load User Lists along with formats?", mrNo);
      ExpectBox("Loading New formats will cause Quillmaster for Windows to reset all margins to the new settings, "
                "including any cheated elements!\r\rDo you REALLY want to continue?",
                mrYes);
    }
    ExpectBox("New Formats have been Loaded.", mrOk);
    MainForm->MenuItem(item)->Click();
    EXPECT_EQ(Driver().Pending(), 0) << item;
  }
  void ExpectSet(const TButtonSet& set) {
    EXPECT_EQ(Button("CharNameBtn").Caption(), set.charNameCaption);
    EXPECT_EQ(Button("CharNameBtn").Hint(), set.charNameHint);
    EXPECT_EQ(Button("SceneHeadingBtn").Caption(), set.sceneCaption);
    EXPECT_EQ(Button("ShotBtn").Caption(), set.shotCaption);
    EXPECT_EQ(Button("TransitionBtn").Visible(), set.transitionShown);
    TListBox& list = *MainForm->ElementPopDownList;
    EXPECT_EQ((std::vector<std::string>{list.Items[5], list.Items[8], list.Items[10]}), set.entries);
  }
  // The type the tool bar's box and the status line show.
  std::string BoxCaption() {
    EXPECT_EQ(MainForm->StatusLine().CurrentElement->Caption(), MainForm->ToolBar().CurrentElement()->Caption());
    return MainForm->ToolBar().CurrentElement()->Caption();
  }
  std::string ScenePanel() { return MainForm->StatusLine().ScenePanel->Caption(); }
};

// Loading the multimedia formats makes the script interactive: at the next
// idle moment the panel's buttons run the multimedia commands and the type
// box names the interactive types; the screenplay formats bring back the
// normal set.
TEST_F(PanelFollowsScriptTest, TheFormatFamiliesSwitchTheButtonSet) {
  const struct {
    const char* item;
    const TButtonSet& set;
    const char* heading;  // the box on the heading Ctrl+S starts
  } cases[] = {{"InteractiveCDROM1", Multimedia, "Branch Target"},
               {"Screenplay1", Normal, "Scene Heading"},
               {"InteractiveCDROM1", Multimedia, "Branch Target"}};
  Options().UseQuickType = false;
  W().SetFocus();
  bool typed = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    LoadFamily(c.item, typed);
    Idle();
    ExpectSet(c.set);
    Press('S', TShiftState(ssCtrl));
    TypeText("HALL");
    typed = true;
    Idle();
    EXPECT_EQ(BoxCaption(), c.heading);
    Press(VK_RETURN);
  }
}

// The headings of a screenplay made interactive by its formats are branch
// targets numbered from 1 at once.
TEST_F(PanelFollowsScriptTest, HeadingsMadeBranchTargetsTakeTheirNumbers) {
  Load({{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "Rain."}, {ekSceneHeading, "EXT. YARD - NIGHT"}}, 0);
  W().InteractiveScript = 0;
  W().RefreshKeepingCursor();
  W().SetFocus();
  Idle();
  ASSERT_EQ(ScenePanel(), "Scn: 1 of 2");
  LoadFamily("InteractiveCDROM1", true);
  Idle();
  EXPECT_EQ(BoxCaption(), "Branch Target");
  EXPECT_EQ(ScenePanel(), "Scn: 1 of 2");
  Press(VK_DOWN);
  Press(VK_DOWN);
  Idle();
  EXPECT_EQ(ScenePanel(), "Scn: 2 of 2");
}

// A saved interactive script opened through File > Open shows the
// multimedia set and its branch target's name at once; a screenplay
// opened after it the normal set.
TEST_F(PanelFollowsScriptTest, AnOpenedScriptBringsItsOwnButtonSet) {
  const std::string interactive = ScriptDirectory + "/BRANCHES.QMW";
  const std::string screenplay = ScriptDirectory + "/PLAIN.QMW";
  testing::LoadInteractiveScript(W(), {{ekSceneHeading, "KITCHEN"}, {ekAction, "Hi."}});
  ASSERT_TRUE(SaveScriptFile(interactive, false, true));
  W().FreeElements();
  W().InteractiveScript = 0;
  testing::AddElements(W(), {{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "Rain."}});
  W().DisAssemble();
  ASSERT_TRUE(SaveScriptFile(screenplay, false, true));
  W().DocumentModified = 0;
  CloseActiveScript(true);
  Idle();

  const struct {
    const std::string& file;
    const TButtonSet& set;
    const char* heading;
  } cases[] = {{interactive, Multimedia, "Branch Target"}, {screenplay, Normal, "Scene Heading"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    testing::ChooseFile(Driver(), c.file, 1);
    MainForm->FileOpenItem->Click();
    ASSERT_EQ(ActiveScript()->ScriptFileName, c.file);
    Idle();
    ExpectSet(c.set);
    EXPECT_EQ(BoxCaption(), c.heading);
  }
}

// F4 and a letter change the caret's element: the box names the new type
// at once, in an interactive script by its interactive name.
TEST_F(PanelFollowsScriptTest, TheBoxNamesATypeChosenFromTheList) {
  const struct {
    bool interactive;
    char letter;
    const char* shown;
  } cases[] = {
      {true, 'r', "Branch Point"}, {true, 'u', "User Activity"}, {false, 'r', "Transition"}, {false, 'h', "Shot"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(1, c.letter) + (c.interactive ? " interactive" : " screenplay"));
    const std::vector<ElementSpec> elements{{ekSceneHeading, "KITCHEN"}, {ekAction, "GO TO YARD (2)"}};
    if (c.interactive) {
      testing::LoadInteractiveScript(W(), elements, 1);
    } else {
      Load(elements, 1);
      W().InteractiveScript = 0;
    }
    Idle();
    ASSERT_EQ(BoxCaption(), "Action");
    Press(VK_F4);
    ASSERT_TRUE(MainForm->ElementPopDownList->Visible());
    TypeText(std::string(1, c.letter));
    Idle();
    EXPECT_EQ(BoxCaption(), c.shown);
  }
}

// A screenplay's heading is a scene heading again once the writer leaves an
// interactive script for it, in another window or by loading the screenplay
// formats over it.
TEST_F(PanelFollowsScriptTest, AScreenplaysHeadingIsNotABranchTarget) {
  const std::vector<ElementSpec> screenplay{{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "Rain."}};
  // Another window.
  Load(screenplay, 0);
  Idle();
  ASSERT_EQ(BoxCaption(), "Scene Heading");
  MainForm->FileNewItem->Click();
  testing::LoadInteractiveScript(W(), {{ekSceneHeading, "KITCHEN"}, {ekAction, "Hi."}}, 0);
  Idle();
  ASSERT_EQ(BoxCaption(), "Branch Target");
  MainForm->SwitchDocumentItem(MainForm->DocItems[0]);
  Idle();
  EXPECT_EQ(ActiveDocument, 1);
  EXPECT_EQ(BoxCaption(), "Scene Heading");

  // The formats loaded over it.
  W().SetFocus();
  LoadFamily("InteractiveCDROM1", true);
  Idle();
  ASSERT_EQ(BoxCaption(), "Branch Target");
  LoadFamily("Screenplay1", true);
  Idle();
  EXPECT_EQ(BoxCaption(), "Scene Heading");
}

// A branch target put between two others takes the next free number; the
// scene panel names it at once and counts to the highest target, not to
// the last one in the script.
TEST_F(PanelFollowsScriptTest, TheScenePanelCountsTheBranchTargets) {
  const struct {
    const char* how;
    std::function<void()> insert;
  } ways[] = {
      {"Ctrl+S", [this] { Press('S', TShiftState(ssCtrl)); }},
      {"the BT button", [this] { Button("SceneHeadingBtn").Click(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    testing::LoadInteractiveScript(
        W(), {{ekSceneHeading, "KITCHEN"}, {ekAction, "Hi."}, {ekSceneHeading, "YARD"}, {ekAction, "Bye."}}, 1);
    W().SetFocus();
    Idle();
    ASSERT_EQ(ScenePanel(), "Scn: 1 of 2");
    Press(VK_END);
    Press(VK_RETURN);
    way.insert();
    Idle();
    EXPECT_EQ(BoxCaption(), "Branch Target");
    EXPECT_EQ(ScenePanel(), "Scn: 3 of 3") << "the new target, before a word is typed";
    TypeText("HALL");
    Idle();
    EXPECT_EQ(ScenePanel(), "Scn: 3 of 3");
    Press(VK_DOWN);
    Idle();
    EXPECT_EQ(ScenePanel(), "Scn: 2 of 3") << "the target after it";
  }
}

}  // namespace
}  // namespace qm
