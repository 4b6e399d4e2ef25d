// The program options dialog on a real display: its pages show the
// group captions framing their boxes and the sentences with a field inside
// on one line (the screenshots are for looking at), its Help button stands
// beside OK and Cancel, Escape closes it, and a set-up button's page has
// the screen to itself.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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

// Opens the dialog from the File menu; its client area, or none.
std::optional<WindowGeometry> OpenOptions(DesktopSession& session) {
  session.ClickInScript();
  session.Keys("alt+f g", 600);
  if (!session.WaitForWindowTitle(kTitle)) return std::nullopt;
  session.Settle(800);
  return session.ActiveClientArea();
}

struct TabShot {
  const char* shot;
  int tabX;  // from the client area's left
};

// The tabs run along the notebook's top: a click on each shows its page,
// which differs from the page before.
void ShowPages(DesktopSession& session, const WindowGeometry& area, const std::vector<TabShot>& tabs,
               const std::string& first) {
  const Box page{area.x + 16, area.y + 40, 780, 380};
  std::string previous = first;
  for (const TabShot& tab : tabs) {
    SCOPED_TRACE(tab.shot);
    session.Click(area.x + tab.tabX, area.y + 18);
    session.Settle(600);
    const std::string shot = session.Screenshot(tab.shot);
    EXPECT_GT(Change(session, previous, shot, page), 200) << "another page shows";
    previous = shot;
  }
}

TEST(OptionsGroupsDesktopTest, ThePagesShowTheirGroupsAndEscapeCloses) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  const std::optional<WindowGeometry> area = OpenOptions(session);
  ASSERT_TRUE(area.has_value()) << session.ActiveWindowTitle();
  EXPECT_GE(area->width, 820);
  EXPECT_GE(area->height, 480);
  ShowPages(session, *area,
            {{"options_groups_quicktype", 110},
             {"options_groups_smartcheck", 280},
             {"options_groups_spellcheck", 360},
             {"options_groups_keyboard", 640},
             {"options_groups_mouse", 705}},
            session.Screenshot("options_groups_editing"));
  session.Keys("Escape", 600);
  EXPECT_TRUE(session.WaitForTitleGone(kTitle));
}

// The pages whose sentences hold a field, and the slider of the delay;
// "Setup Script Directory" puts the dialog beyond the screen's right edge
// while its page shows, and back after.
TEST(OptionsGroupsDesktopTest, TheSentencePagesShowAndTheSetUpPageHasTheScreen) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  const std::optional<WindowGeometry> area = OpenOptions(session);
  ASSERT_TRUE(area.has_value()) << session.ActiveWindowTitle();
  ShowPages(session, *area,
            {{"options_sentences_spellcheck", 360},
             {"options_sentences_misc", 425},
             {"options_sentences_revisions", 490},
             {"options_sentences_startup", 195}},
            session.Screenshot("options_sentences_editing"));
  const std::string options = session.WaitForVisibleWindow(kTitle);
  ASSERT_FALSE(options.empty());
  const std::optional<WindowGeometry> before = session.GeometryOf(options);
  ASSERT_TRUE(before.has_value());
  // "Setup Script Directory", under the start-up choices.
  session.Click(area->x + 110, area->y + 307);
  ASSERT_TRUE(session.WaitForWindowTitle("Setup Script Directory")) << session.ActiveWindowTitle();
  session.Settle(600);
  session.Screenshot("options_sentences_script_directory");
  EXPECT_TRUE(session.WaitForVisibleWindow(kTitle, 1).empty()) << "out of sight";
  session.Keys("Escape", 600);
  ASSERT_TRUE(session.WaitForTitleGone("Setup Script Directory"));
  session.Settle(600);
  const std::optional<WindowGeometry> back = session.GeometryOf(options);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->x, before->x);
  EXPECT_EQ(back->y, before->y);
  session.Keys("Escape", 600);
  EXPECT_TRUE(session.WaitForTitleGone(kTitle));
}

}  // namespace
}  // namespace qm::desktop
