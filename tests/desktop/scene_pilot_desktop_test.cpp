// The scene pilot opened from the Goto menu: it shows whole, at its own
// size, on the screen's right edge beside the main window's right panel.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The pilot's six scene buttons between its two scroll buttons.
constexpr int kPilotWidth = 320, kPilotHeight = 392;

TEST(ScenePilotDesktopTest, GotoSceneOpensThePilotWholeOnTheScreenBesideTheRightPanel) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("alt+g s", 1500);
  session.Settle(1000);
  session.Screenshot("scene_pilot_open");
  const std::string found = session.Run({"xdotool", "search", "--onlyvisible", "--name", "^Scene Pilot$"});
  ASSERT_FALSE(found.empty()) << "no Scene Pilot window shows";
  const auto pilot = session.GeometryOf(found.substr(0, found.find('\n')));
  ASSERT_TRUE(pilot);
  std::istringstream screenSize(session.Run({"xdotool", "getdisplaygeometry"}));
  int screenWidth = 0, screenHeight = 0;
  screenSize >> screenWidth >> screenHeight;
  ASSERT_GT(screenWidth, 0);
  EXPECT_EQ(pilot->width, kPilotWidth);
  EXPECT_EQ(pilot->height, kPilotHeight);
  EXPECT_GE(pilot->x, 0);
  EXPECT_GE(pilot->y, 0);
  EXPECT_LE(pilot->x + pilot->width, screenWidth) << "off the right edge";
  EXPECT_LE(pilot->y + pilot->height, screenHeight);
  // At the right edge, beside the right panel of the main window (which fills the screen).
  EXPECT_GE(pilot->x + pilot->width, screenWidth - 20) << "x " << pilot->x;
}

}  // namespace
}  // namespace qm::desktop
