// Middle-button automatic scrolling on the real desktop: while it runs, the
// pointer resting over the page pops up no hint, though the page of a
// modified script shows "Modified" under a pointer resting there otherwise.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

namespace qm::desktop {
namespace {

// Whether anything came up in the band below and right of the pointer
// between the two screenshots (the pointer itself is not in them).
bool SomethingShowed(const ScreenPixels& before, const ScreenPixels& after, int x, int y) {
  const Box band{x - 10, y + 2, 200, 50};
  for (int row = band.y; row < band.Bottom(); ++row)
    for (int column = band.x; column < band.Right(); ++column)
      if (!(before.At(column, row) == after.At(column, row))) return true;
  return false;
}

// Moves the pointer a few pixels and lets it rest there as a writer's hand
// does; true when a pop-up came up under it meanwhile.
bool PopUpUnderRestingPointer(DesktopSession& session, int x, int y, const std::string& name) {
  session.Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)});
  session.Settle(150);
  const ScreenPixels before(session, session.Screenshot(name + "_moved"));
  session.Settle(2500);
  const ScreenPixels after(session, session.Screenshot(name + "_rested"));
  return before.Loaded() && after.Loaded() && SomethingShowed(before, after, x, y);
}

TEST(AutoScrollDesktopTest, NoHintPopsUpOverThePageWhileItRuns) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits");
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());
  // Mid-page, well below the text and the caret.
  const int x = main->x + main->width / 3, y = main->y + main->height / 2;
  ASSERT_TRUE(PopUpUnderRestingPointer(session, x, y - 4, "auto_scroll_hint_shown"))
      << "a modified script's page shows its hint under a resting pointer";
  session.Click(x, y, 2);
  session.Settle(600);
  // Within the still zone round the origin: nothing scrolls.
  EXPECT_FALSE(PopUpUnderRestingPointer(session, x, y + 6, "auto_scroll_no_hint"))
      << "no hint pops up while the script scrolls";
  session.Click(x, y + 6, 2);
  session.Settle();
  session.Keys("End");
  session.Type(" on");
  EXPECT_EQ(TextLines(session.ScriptText()), std::vector<std::string>{"He waits on"});
}

}  // namespace
}  // namespace qm::desktop
