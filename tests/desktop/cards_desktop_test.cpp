// The index card view on the real display: a shuffle given to the script
// on Exit, or by going back to outline mode, is taken back by one Ctrl+Z
// typed into the script; the view minimised comes back when the writer
// turns to the main window.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// Card 3 picked and dropped on card 1 in shuffle mode.
void PickThirdDropOnFirst(DesktopSession& session) {
  session.Keys("ctrl+v");
  ASSERT_TRUE(session.WaitForWindowTitle("Index Card View"));
  session.Keys("alt+f");           // shuffle mode
  session.Keys("Left Left Left");  // back to the first card
  // The view fills the screen from its top-left corner: three columns of cards.
  const auto view = session.ActiveWindowGeometry();
  ASSERT_TRUE(view);
  const int column = view->width / 3;
  session.Click(column * 5 / 2, 220);
  session.Click(column / 2, 220);
}

void ThreeScenes(DesktopSession& session) {
  session.ClickInScript();
  // Each heading ends in its time, so Enter offers no time-of-day menu.
  for (const char* heading : {"INT. A - DAY", "INT. B - DAY", "INT. C - DAY"}) {
    session.Type(heading, 150);
    session.Keys("Return");
  }
}

// Card 3 moved in front of card 1, then Exit.
void MoveThirdCardFirst(DesktopSession& session) {
  PickThirdDropOnFirst(session);
  session.Keys("ctrl+F4");  // Exit
  ASSERT_TRUE(session.WaitForTitleGone("Index Card View"));
  session.Settle(1000);
}

// The view minimised leaves the main window holding no keys and no clicks
// (the view is modal): a key typed at it, or a click on it, brings the
// view back, as the old platform brought a disabled window's dialog
// forward.
void MinimisedViewComesBack(DesktopSession& session) {
  session.Keys("ctrl+v");
  ASSERT_TRUE(session.WaitForWindowTitle("Index Card View"));
  for (const bool byKey : {true, false}) {
    SCOPED_TRACE(byKey ? "a key" : "a click");
    session.Run({"xdotool", "getactivewindow", "windowminimize"});
    ASSERT_TRUE(session.WaitForTitleGone("Index Card View")) << session.ActiveWindowTitle();
    session.Settle(600);
    if (byKey) session.Keys("F7");
    else session.Click(700, 500);
    const bool back = session.WaitForWindowTitle("Index Card View", 5);
    session.Screenshot(byKey ? "cards_back_by_key" : "cards_back_by_click");
    ASSERT_TRUE(back) << session.ActiveWindowTitle();
  }
  session.Keys("ctrl+F4");  // Exit
  ASSERT_TRUE(session.WaitForTitleGone("Index Card View"));
  session.Settle(1000);
}

TEST(CardsDesktopTest, CtrlZAfterTheCardViewUndoesTheShuffle) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ThreeScenes(session);
  const std::string before = session.ScriptText();
  MoveThirdCardFirst(session);
  session.Keys("ctrl+z");
  session.Settle(1000);
  session.Screenshot("cards_undone");
  EXPECT_EQ(session.ScriptText(), before);
  // The same moves again, kept this time: the shuffle that was undone.
  MoveThirdCardFirst(session);
  EXPECT_EQ(session.ScriptText(), "INT. C - DAY\n\n \n\nINT. A - DAY\n\nINT. B - DAY\n");
  MinimisedViewComesBack(session);
  // The view's Exit tidied the emptied line away; the key and the click
  // that brought the view back changed nothing.
  EXPECT_EQ(session.ScriptText(), "INT. C - DAY\n\nINT. A - DAY\n\nINT. B - DAY\n");
}

// Back to outline mode with the shuffle pending: Yes gives the script the
// new order and shows the cards again; Exit there tidies the emptied lines
// away. One Ctrl+Z takes back all the view did.
TEST(CardsDesktopTest, CtrlZAfterShufflingAndGoingBackToOutlineUndoesTheShuffle) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ThreeScenes(session);
  const std::string before = session.ScriptText();
  PickThirdDropOnFirst(session);
  session.Keys("alt+o");  // outline mode
  session.Settle(1000);
  session.Screenshot("cards_process_shuffles");
  ASSERT_EQ(session.ActiveWindowTitle().find("Index Card View"), std::string::npos) << "the question is up";
  session.Keys("alt+y");  // "Process these shuffles?"
  session.Settle(1500);
  session.Screenshot("cards_outline_again");
  session.Keys("ctrl+F4");
  ASSERT_TRUE(session.WaitForTitleGone("Index Card View"));
  session.Settle(1000);
  session.Keys("ctrl+z");
  session.Settle(1000);
  session.Screenshot("cards_outline_undone");
  EXPECT_EQ(session.ScriptText(), before);
  // Again, kept this time: the shuffle that was undone.
  PickThirdDropOnFirst(session);
  session.Keys("alt+o");
  session.Settle(1000);
  session.Keys("alt+y");
  session.Settle(1500);
  session.Keys("ctrl+F4");
  ASSERT_TRUE(session.WaitForTitleGone("Index Card View"));
  EXPECT_EQ(session.ScriptText(), "INT. C - DAY\n\nINT. A - DAY\n\nINT. B - DAY\n");
}

}  // namespace
}  // namespace qm::desktop
