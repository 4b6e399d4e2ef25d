// The power panel on a real display: a writer who right-clicks a marked
// block and then clicks the text to put the panel away keeps the block.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

TEST(PowerPanelClickDesktopTest, AClickThatPutsThePanelAwayKeepsTheBlock) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits quietly.");
  session.Keys("Return");
  session.Type("She leaves.");
  // Select Element, on the first line.
  session.Keys("Up alt+F8");
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value()) << session.ActiveWindowTitle();
  session.SetClipboard("nothing copied");
  session.Click(main->x + main->width / 3, main->y + main->height / 4, 3);
  session.Settle();
  session.Screenshot("power_panel_shown");
  // On the page below the text and the panel: a click that would put the
  // caret at the end of the text, outside the block.
  session.Click(main->x + main->width / 3, main->y + main->height / 2);
  session.Settle();
  session.Screenshot("power_panel_put_away");
  session.Keys("ctrl+Insert", 700);
  EXPECT_EQ(TextLines(session.Clipboard()), std::vector<std::string>{"He waits quietly."})
      << "the block was still marked";
}

}  // namespace
}  // namespace qm::desktop
