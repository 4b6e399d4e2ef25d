// The status line's insert panel on a real display: the Insert key turns
// typeover on, a click on the panel turns it off again, and the panel's
// face changes with the mode.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <utility>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The insert panel stands in the status line along the foot of the main
// window (which fills the screen), after the element type and the line
// and position panels.
constexpr int kPanelCentreX = 333;
constexpr int kPanelFromBottom = 11;

// The panel's centre on the screen.
std::optional<std::pair<int, int>> PanelCentre(DesktopSession& session) {
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  std::istringstream screen(session.Run({"xdotool", "getdisplaygeometry"}));
  int width = 0, height = 0;
  screen >> width >> height;
  if (!main || height <= 0) return std::nullopt;
  return std::pair{main->x + kPanelCentreX, height - kPanelFromBottom};
}

// The panel's pixels in a screenshot, as text (one pixel a line).
std::string PanelPixels(DesktopSession& session, const std::string& shot) {
  const auto centre = PanelCentre(session);
  if (!centre) return {};
  const int x = centre->first - 30;
  const int y = centre->second - 7;
  return session.Run(
      {"convert", shot, "-crop", "60x14+" + std::to_string(x) + "+" + std::to_string(y), "+repage", "txt:-"});
}

TEST(InsertPanelDesktopTest, InsertTurnsTypeoverOnAndAClickOnThePanelTurnsItOff) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("Hello");
  session.Keys("Home");
  const std::string insertShot = session.Screenshot("insert_panel_insert");
  session.Keys("Insert");
  session.Type("J");
  const std::string typeoverShot = session.Screenshot("insert_panel_typeover");
  const std::string insertPixels = PanelPixels(session, insertShot);
  EXPECT_TRUE(PanelPixels(session, typeoverShot) != insertPixels) << "the panel shows the mode";

  const auto centre = PanelCentre(session);
  ASSERT_TRUE(centre.has_value());
  session.Click(centre->first, centre->second);
  session.Type("e");
  const std::string backShot = session.Screenshot("insert_panel_clicked");
  EXPECT_TRUE(PanelPixels(session, backShot) == insertPixels) << "the panel shows Insert again";
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"Jeello"}))
      << "typed over the H, then put in before the e";
}

}  // namespace
}  // namespace qm::desktop
