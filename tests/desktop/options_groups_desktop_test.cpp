// The program options dialog on a real display: its pages show the
// group captions framing their boxes (the screenshots are for looking at),
// its Help button stands beside OK and Cancel, and Escape closes it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

namespace qm::desktop {
namespace {

constexpr const char* kTitle = "Quillmaster for Windows Program Options";

// How many pixels of a box differ between two screenshots.
int Change(DesktopSession& session, const std::string& before, const std::string& after, const Box& box) {
  const ScreenPixels a(session, before);
  const ScreenPixels b(session, after);
  if (!a.Loaded() || !b.Loaded()) return -1;
  int changed = 0;
  for (int y = box.y; y < box.Bottom(); ++y)
    for (int x = box.x; x < box.Right(); ++x) changed += a.At(x, y) == b.At(x, y) ? 0 : 1;
  return changed;
}

TEST(OptionsGroupsDesktopTest, ThePagesShowTheirGroupsAndEscapeCloses) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Keys("alt+f g", 600);
  ASSERT_TRUE(session.WaitForWindowTitle(kTitle)) << session.ActiveWindowTitle();
  session.Settle(800);
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  ASSERT_TRUE(area.has_value());
  EXPECT_GE(area->width, 820);
  EXPECT_GE(area->height, 480);
  const std::string editing = session.Screenshot("options_groups_editing");

  // The tabs run along the notebook's top: a click on each of the other
  // pages with groups shows that page.
  const Box page{area->x + 16, area->y + 40, 780, 380};
  const struct {
    const char* shot;
    int tabX;  // from the client area's left
  } tabs[] = {{"options_groups_quicktype", 110},
              {"options_groups_smartcheck", 280},
              {"options_groups_spellcheck", 360},
              {"options_groups_keyboard", 640},
              {"options_groups_mouse", 705}};
  std::string previous = editing;
  for (const auto& tab : tabs) {
    SCOPED_TRACE(tab.shot);
    session.Click(area->x + tab.tabX, area->y + 18);
    session.Settle(600);
    const std::string shot = session.Screenshot(tab.shot);
    EXPECT_GT(Change(session, previous, shot, page), 200) << "another page shows";
    previous = shot;
  }
  session.Keys("Escape", 600);
  EXPECT_TRUE(session.WaitForTitleGone(kTitle));
}

}  // namespace
}  // namespace qm::desktop
