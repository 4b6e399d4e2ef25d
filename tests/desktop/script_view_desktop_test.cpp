// What the script window shows of a short script after the writer moves
// about in it: the script from the window's first line, never a blank band
// above it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

namespace qm::desktop {
namespace {

// A point on the page of the first script window, right of its text and
// below it: the page around it is the window's page.
constexpr int kProbeX = 650, kProbeY = 500;
// Where a short script's text may start below the page's top: the first
// line's own lines before and its height.
constexpr int kFirstLineBelowTop = 40;

// How far below the page's top the script's first text stands (-1 when
// the page shows no text). The margin marks at the page's left edge are
// left out.
int FirstTextBelowTop(DesktopSession& session, const std::string& shotName) {
  const ScreenPixels pixels(session, session.Screenshot(shotName));
  if (!pixels.Loaded()) return -1;
  const Box page = pixels.WhiteAround(kProbeX, kProbeY);
  const auto rows = pixels.InkRows({page.x + 40, page.y, page.width - 40, page.height}, DarkInk);
  return rows.empty() ? -1 : rows.front().first - page.y;
}

void ThreeActions(DesktopSession& session) {
  session.ClickInScript();
  for (const char* line : {"He waits.", "She runs."}) {
    session.Type(line, 150);
    session.Keys("Return");
  }
  session.Type("It rains.", 150);
}

void ThreeScenes(DesktopSession& session) {
  session.ClickInScript();
  // Each heading ends in its time, so Enter offers no time-of-day menu.
  for (const char* heading : {"INT. A - DAY", "INT. B - DAY", "INT. C - DAY"}) {
    session.Type(heading, 150);
    session.Keys("Return");
  }
}

struct ViewCase {
  const char* name;
  void (*write)(DesktopSession&);
  const char* keys;    // then, with waits between them
  const char* window;  // a window the keys open and close, or ""
};

class ShortScriptViewDesktopTest : public ::testing::TestWithParam<ViewCase> {};

TEST_P(ShortScriptViewDesktopTest, TheWindowShowsTheScriptFromItsFirstLine) {
  const ViewCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  c.write(session);
  const int before = FirstTextBelowTop(session, std::string("short_script_before_") + c.name);
  ASSERT_GE(before, 0);
  ASSERT_LE(before, kFirstLineBelowTop);
  if (*c.window) {
    session.Keys(c.keys, 1200);
    ASSERT_TRUE(session.WaitForWindowTitle(c.window)) << session.ActiveWindowTitle();
    session.Keys("ctrl+F4");
    ASSERT_TRUE(session.WaitForTitleGone(c.window)) << session.ActiveWindowTitle();
  } else {
    session.Keys(c.keys, 1000);
  }
  session.Settle(1000);
  const int after = FirstTextBelowTop(session, std::string("short_script_after_") + c.name);
  EXPECT_GE(after, 0) << "the script shows";
  EXPECT_EQ(after, before) << "the script's first line stays at the window's top";
}

INSTANTIATE_TEST_SUITE_P(Moves, ShortScriptViewDesktopTest,
                         ::testing::Values(ViewCase{"ReturnAtTheEnd", ThreeActions, "ctrl+alt+End Return", ""},
                                           ViewCase{"UndoAtTheEnd", ThreeActions, "ctrl+alt+End Return ctrl+z", ""},
                                           ViewCase{"CardViewLeft", ThreeScenes, "ctrl+v", "Index Card View"}),
                         [](const ::testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::desktop
