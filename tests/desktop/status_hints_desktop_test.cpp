// The status line's hint on a real display: the pointer resting on an
// element button, or a menu item with a hint highlighted, writes into the
// hint line at the foot of the main window; the script's page and an item
// without a hint leave it empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

namespace qm::desktop {
namespace {

// The status line along the foot of the screen (the main window fills it).
constexpr int kStatusBandHeight = 20;

// How many pixels of the status line differ between two screenshots.
int StatusLineChange(DesktopSession& session, const std::string& before, const std::string& after) {
  const ScreenPixels a(session, before);
  const ScreenPixels b(session, after);
  if (!a.Loaded() || !b.Loaded()) return -1;
  int changed = 0;
  for (int y = a.Height() - kStatusBandHeight; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) changed += a.At(x, y) == b.At(x, y) ? 0 : 1;
  return changed;
}

void MovePointer(DesktopSession& session, int x, int y) {
  session.Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)});
  session.Settle(700);
}

TEST(StatusHintsDesktopTest, ThePointerOnAnElementButtonShowsItsHintInTheStatusLine) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Settle(700);
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());
  const std::string none = session.Screenshot("status_hint_none");

  const int buttonX = main->x + main->width - kElementButtonFromRight;
  MovePointer(session, buttonX, main->y + kFirstElementButtonY);
  const std::string onC = session.Screenshot("status_hint_c_button");
  MovePointer(session, buttonX, main->y + kFirstElementButtonY + kElementButtonStep);
  const std::string onD = session.Screenshot("status_hint_d_button");
  MovePointer(session, main->x + main->width / 3, main->y + main->height / 2);
  const std::string back = session.Screenshot("status_hint_back_on_page");

  EXPECT_GT(StatusLineChange(session, none, onC), 50) << "the C button's hint is written";
  EXPECT_GT(StatusLineChange(session, onC, onD), 50) << "the D button's hint is another";
  EXPECT_EQ(StatusLineChange(session, none, back), 0) << "the page has no hint";
}

TEST(StatusHintsDesktopTest, AHighlightedMenuItemWithAHintShowsItInTheStatusLine) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Settle(700);
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());
  // The pointer away from the menu, so that only the keys highlight.
  MovePointer(session, main->x + main->width / 3, main->y + main->height / 2);
  const std::string none = session.Screenshot("status_hint_menu_none");

  // Help: Contents, Search for Help on..., Quick Help, Memory Available,
  // Calendar, then Name Bank..., the one of them with a hint.
  session.Keys("alt+h", 700);
  std::vector<int> changes;
  for (int step = 0; step < 7; ++step) {
    const std::string shot = session.Screenshot("status_hint_menu_" + std::to_string(step));
    changes.push_back(StatusLineChange(session, none, shot));
    session.Keys("Down", 500);
  }
  session.Keys("Escape Escape", 500);
  const std::string closed = session.Screenshot("status_hint_menu_closed");

  int shown = 0;
  for (int c : changes) shown += c > 50 ? 1 : 0;
  EXPECT_EQ(shown, 1) << "only Name Bank's hint is written: " << ::testing::PrintToString(changes);
  EXPECT_EQ(StatusLineChange(session, none, closed), 0) << "the closed menu leaves no hint";
}

}  // namespace
}  // namespace qm::desktop
