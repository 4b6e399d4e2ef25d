// The index card view on the real display: a shuffle given to the script
// on Exit is taken back by Ctrl+Z typed into the script.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// Card 3 picked and dropped on card 1 in shuffle mode, then Exit.
void MoveThirdCardFirst(DesktopSession& session) {
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
  session.Keys("ctrl+F4");  // Exit
  ASSERT_TRUE(session.WaitForTitleGone("Index Card View"));
  session.Settle(1000);
}

TEST(CardsDesktopTest, CtrlZAfterTheCardViewUndoesTheShuffle) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  // Each heading ends in its time, so Enter offers no time-of-day menu.
  for (const char* heading : {"INT. A - DAY", "INT. B - DAY", "INT. C - DAY"}) {
    session.Type(heading, 150);
    session.Keys("Return");
  }
  const std::string before = session.ScriptText();
  MoveThirdCardFirst(session);
  session.Keys("ctrl+z");
  session.Settle(1000);
  session.Screenshot("cards_undone");
  EXPECT_EQ(session.ScriptText(), before);
  // The same moves again, kept this time: the shuffle that was undone.
  MoveThirdCardFirst(session);
  EXPECT_EQ(session.ScriptText(), "INT. C - DAY\n\n \n\nINT. A - DAY\n\nINT. B - DAY\n");
}

}  // namespace
}  // namespace qm::desktop
