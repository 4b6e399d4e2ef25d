// The Scene Pilot button of the right panel on a real display: a pointer
// that crosses it on its way elsewhere opens nothing; one that rests on it
// opens the pilot.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The Scene Pilot button stands under the nine element buttons at the top
// of the right panel.
constexpr int kButtonFromRight = 13;
constexpr int kButtonY = 40 + 8 * 22;

bool PilotShows(DesktopSession& session) {
  return !session.Run({"xdotool", "search", "--onlyvisible", "--name", "^Scene Pilot$"}).empty();
}

TEST(PilotButtonDesktopTest, APointerCrossingTheButtonOpensNothingAndOneRestingOnItOpensThePilot) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());
  const std::string buttonX = std::to_string(main->x + main->width - kButtonFromRight);
  const std::string buttonY = std::to_string(main->y + kButtonY);
  const std::string awayX = std::to_string(main->x + main->width / 3);
  const std::string awayY = std::to_string(main->y + main->height / 2);

  // On its way down the right panel to the scroll bar the pointer is over
  // the button for a moment only (and ends where an opened pilot would
  // stand, so that one opened by mistake stays to be seen).
  const std::string barY = std::to_string(main->y + kButtonY + 150);
  session.Run({"xdotool", "mousemove", awayX, awayY, "sleep", "0.3", "mousemove", buttonX, buttonY, "sleep", "0.05",
               "mousemove", buttonX, barY});
  session.Settle(1200);
  session.Screenshot("pilot_button_crossed");
  EXPECT_FALSE(PilotShows(session)) << "a pointer passing over the button opened the pilot";

  session.Run({"xdotool", "mousemove", buttonX, buttonY});
  session.Settle(1200);
  session.Screenshot("pilot_button_rested");
  EXPECT_TRUE(PilotShows(session)) << "a pointer resting on the button opens the pilot";
}

}  // namespace
}  // namespace qm::desktop
