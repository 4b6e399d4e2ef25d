// The Scene Pilot button of the right panel on a real display: a pointer
// that crosses it on its way elsewhere opens nothing; one that rests on it
// opens the pilot.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The Scene Pilot button stands under the eight element buttons at the top
// of the right panel.
constexpr int kButtonY = kFirstElementButtonY + 8 * kElementButtonStep;
constexpr const char* kPilot = "^Scene Pilot$";

TEST(PilotButtonDesktopTest, APointerCrossingTheButtonOpensNothingAndOneRestingOnItOpensThePilot) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());
  const std::string buttonX = std::to_string(main->x + main->width - kElementButtonFromRight);
  const std::string buttonY = std::to_string(main->y + kButtonY);
  const std::string awayX = std::to_string(main->x + main->width / 3);
  const std::string awayY = std::to_string(main->y + main->height / 2);

  // On its way down the right panel to the scroll bar the pointer is over
  // the button for a moment only (and ends where an opened pilot would
  // stand, so that one opened by mistake stays to be seen).
  const std::string barY = std::to_string(main->y + kButtonY + 150);
  session.Run({"xdotool", "mousemove", awayX, awayY, "sleep", "0.3", "mousemove", buttonX, buttonY, "sleep", "0.05",
               "mousemove", buttonX, barY});
  // Four times the timer, for a pilot that should not come.
  EXPECT_EQ(session.WaitForVisibleWindow(kPilot, 1), "") << "a pointer passing over the button opened the pilot";
  session.Screenshot("pilot_button_crossed");

  session.Run({"xdotool", "mousemove", buttonX, buttonY});
  EXPECT_NE(session.WaitForVisibleWindow(kPilot), "") << "a pointer resting on the button opens the pilot";
  session.Screenshot("pilot_button_rested");
}

}  // namespace
}  // namespace qm::desktop
