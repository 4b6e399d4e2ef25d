// The scene pilot opened from the Goto menu: it shows whole, at its own
// size, on the screen's right edge beside the main window's right panel,
// and each scene's button reads from its top: number and heading first,
// then as much of the scene's text as the button holds.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

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

// Where the scene buttons lie in the pilot: below the Up button, each in
// its bevel.
constexpr int kScrollHeight = 22, kSceneHeight = 58, kInset = 2;

Box SceneButton(const WindowGeometry& pilot, int slot) {
  return {pilot.x + kInset, pilot.y + kScrollHeight + (slot - 1) * kSceneHeight + kInset, kPilotWidth - 2 * kInset,
          kSceneHeight - 2 * kInset};
}

TEST(ScenePilotDesktopTest, EachSceneButtonReadsFromItsTopNumberAndHeadingFirst) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  session.Type("He waits by the door for a long time, then he knocks twice and listens to the rain.", 60);
  session.Keys("Return");
  session.Type("EXT. ROOF - NIGHT");
  session.Keys("Return");
  session.Type("Rain.");
  session.Keys("alt+g s", 1500);
  session.Settle(1000);
  const std::string found = session.Run({"xdotool", "search", "--onlyvisible", "--name", "^Scene Pilot$"});
  ASSERT_FALSE(found.empty()) << "no Scene Pilot window shows";
  const ScreenPixels pixels(session, session.Screenshot("scene_pilot_captions"));
  ASSERT_TRUE(pixels.Loaded());
  const std::optional<WindowGeometry> pilot = session.ClientArea(found.substr(0, found.find('\n')));
  ASSERT_TRUE(pilot);
  // The first button holds the long scene: several lines from its top; the
  // second the short one: one line, at its top as well.
  const struct {
    int slot;
    std::size_t fewestLines;
  } buttons[] = {{1, 2}, {2, 1}};
  for (const auto& b : buttons) {
    SCOPED_TRACE("button " + std::to_string(b.slot));
    const Box face = SceneButton(*pilot, b.slot);
    const auto lines = pixels.InkRows(face, DarkInk);
    ASSERT_FALSE(lines.empty()) << "the button shows its scene";
    EXPECT_GE(lines.size(), b.fewestLines) << "the caption wraps within the button";
    EXPECT_LE(lines.front().first - face.y, 8) << "the caption starts at the button's top";
    const auto columns = pixels.InkColumns({face.x, lines.front().first, face.width, 12}, DarkInk);
    ASSERT_FALSE(columns.empty());
    EXPECT_LE(columns.front().first - face.x, 8) << "the number stands at the start of the first line";
    EXPECT_LT(columns.back().second, face.Right() - 2) << "the first line ends inside the button";
  }
}

}  // namespace
}  // namespace qm::desktop
