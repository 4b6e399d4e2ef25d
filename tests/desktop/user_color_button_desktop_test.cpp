// The User Defined Color button of the tool bar on the real desktop: once
// a user colour is chosen, its letter shows that colour with the pointer
// away from it, as the colour being typed in.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

namespace qm::desktop {
namespace {

// User colour 7 of a new script: fuchsia.
bool Fuchsia(const Rgb& p) { return p.r > 200 && p.b > 200 && p.g < 60; }

TEST(UserColorButtonDesktopTest, TheChosenColourShowsAtRest) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Keys("alt+e l u", 500);  // Edit > Change Text Color > User Defined
  ASSERT_TRUE(session.WaitForWindowTitle("Attention", 10)) << session.ActiveWindowTitle();
  session.Type("YES", 200);
  ASSERT_TRUE(session.WaitForWindowTitle("Select User Colors", 10)) << session.ActiveWindowTitle();
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  ASSERT_TRUE(area.has_value());
  session.Click(area->x + 8 + 6 * 42 + 19, area->y + 27);  // U7
  session.Screenshot("user_color_chosen");
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForTitleGone("Select User Colors", 10));
  // The pointer rests on the page, away from the tool bar.
  session.ClickInScript();
  session.Settle();
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());
  const ScreenPixels pixels(session, session.Screenshot("user_color_button_at_rest"));
  ASSERT_TRUE(pixels.Loaded());
  const auto letter = pixels.InkColumns({main->x, main->y, main->width, 30}, Fuchsia);
  EXPECT_FALSE(letter.empty()) << "the tool bar's User Defined Color button shows fuchsia at rest";
}

}  // namespace
}  // namespace qm::desktop
