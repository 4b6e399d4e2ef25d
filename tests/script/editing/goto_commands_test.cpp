// The Goto menu's searches: each finds the next element of its kind below
// (or above) the caret, lands near the top of the window, never wraps
// round, and the break and note searches arm "Search Again".
#include <gtest/gtest.h>

#include "base/prompt_table.h"
#include "script/editing/goto_commands.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class GotoCommandsTest : public testing::KeysFixture {
 protected:
  // Two scenes with a note, a hidden action, a forced break and an A-page.
  void LoadScript(int current) {
    Load({{ekSceneHeading, "INT. HALL - DAY"},    // 0
          {ekAction, "First action."},            // 1
          {ekScriptNote, "A note."},              // 2
          {ekAction, "Hidden action."},           // 3
          {ekAction, "Shown action."},            // 4
          {ekForcedPageBreak, " "},               // 5
          {ekSceneHeading, "EXT. YARD - NIGHT"},  // 6
          {ekAction, "Second action."},           // 7
          {ekFixedAPageBreak, " "},               // 8
          {ekAction, "After the A-page."},        // 9
          {ekAction, "Hidden too."},              // 10
          {ekAction, "Last."}},                   // 11
         current);
    ElementAt(3)->state = esHidden;
    ElementAt(10)->state = esHidden;
  }
  void Click(const char* item) { MainForm->MenuItem(item)->Click(); }
};

TEST_F(GotoCommandsTest, EachSearchFindsTheNextElementOfItsKind) {
  struct Case {
    const char* item;
    int from;
    int lands;  // -1: none found, the message shown
    const char* message;
  };
  const Case cases[] = {
      {"NextSceneItem", 0, 6, ""},
      {"NextSceneItem", 6, -1, "No more Scenes Found"},
      {"PreviousSceneItem", 9, 6, ""},
      {"PreviousSceneItem", 6, 0, ""},
      {"PreviousSceneItem", 0, -1, "No more Scenes Found"},
      {"NextNoteItem", 0, 2, ""},
      {"NextNoteItem", 2, -1, "No more Script Notes Found"},
      // A hidden element takes no caret: the shown one after it does.
      {"NextHiddenItem", 0, 4, ""},
      {"NextHiddenItem", 4, 11, ""},
      {"NextHiddenItem", 11, -1, "No more Hidden Text Found"},
      // A break search lands on the element before the break.
      {"NextForcedPageItem", 0, 4, ""},
      {"NextForcedPageItem", 4, -1, "No More Act Breaks Found!"},
      {"NextAPageitem", 0, 7, ""},
      {"NextAPageitem", 7, -1, "No More A-Pages Found!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " from " + std::to_string(c.from));
    LoadScript(c.from);
    if (c.lands < 0) ExpectBox(c.message, mrOk);
    Click(c.item);
    EXPECT_EQ(CurrentIndex(), c.lands < 0 ? c.from : c.lands);
    if (c.lands < 0) continue;
    EXPECT_EQ(W().CaretColumn(), 0);
    EXPECT_EQ(W().CaretLine(), 1);
    EXPECT_EQ(W().CurrentElement()->screenLine, testing::LandingLine(W(), *W().CurrentElement(), c.lands == 0 ? 1 : 6))
        << "what was found shows near the top";
  }
}

TEST_F(GotoCommandsTest, BreakAndNoteSearchesArmSearchAgain) {
  struct Case {
    const char* item;
    Byte kind;
    const char* caption;
  };
  const Case cases[] = {
      {"NextAPageitem", 6, "Se&arch for A-Page"},
      {"NextForcedPageItem", 7, "Se&arch for Act/Scene Break"},
      {"NextNoteItem", 4, "Se&arch for Note"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    LoadScript(0);
    RepeatSearch = {};
    Click(c.item);
    EXPECT_TRUE(RepeatSearch.armed);
    EXPECT_EQ(RepeatSearch.kind, c.kind);
    EXPECT_EQ(MainForm->MenuItem("SearchAgainItem")->Caption(), c.caption);
  }
  // Scene and hidden-text searches leave what "Search Again" repeats.
  LoadScript(0);
  Click("NextNoteItem");
  Click("NextSceneItem");
  Click("NextHiddenItem");
  EXPECT_EQ(RepeatSearch.kind, 4);
  EXPECT_EQ(MainForm->MenuItem("SearchAgainItem")->Caption(), "Se&arch for Note");
}

}  // namespace
}  // namespace qm
