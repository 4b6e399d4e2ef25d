// The zoom dialog on a real display, from its menu item and from the tool
// bar's "Z" button: it opens without ending the program, the arrow keys move
// its bar, OK keeps the new zoom in the settings file and Cancel the old,
// and the writer's next keys reach the script.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// The "Z" button's middle, from the main window's client corner: the tool
// bar lies under the menu bar.
constexpr int kZoomButtonX = 704;
constexpr int kZoomButtonY = 32;

struct ZoomCase {
  const char* name;
  bool fromButton;   // the tool bar's button, else the menu item
  const char* keys;  // typed in the dialog
  int zoomAfter;     // as the settings file holds it afterwards
};

class ZoomScreenDesktopTest : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomScreenDesktopTest, TheDialogOpensMovesAndCloses) {
  const ZoomCase& c = GetParam();
  const testing::TempFolder home;
  std::ofstream(home.File("QUILLPAD.INI")) << "[Program Settings]\nZoom Size=100\n";
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL");
  if (c.fromButton) {
    const auto client = session.ActiveClientArea();
    ASSERT_TRUE(client.has_value());
    session.Click(client->x + kZoomButtonX, client->y + kZoomButtonY);
  } else {
    session.Keys("alt+f d z");
  }
  ASSERT_TRUE(session.WaitForWindowTitle("Zoom Screen Text")) << session.ActiveWindowTitle();
  EXPECT_FALSE(session.ExitCode(500).has_value()) << "the program ended";
  session.Keys(c.keys);
  session.Screenshot(std::string("zoom_") + c.name);
  ASSERT_FALSE(session.ExitCode(0).has_value()) << "the program ended";
  EXPECT_TRUE(session.WaitForTitleGone("Zoom Screen Text")) << session.ActiveWindowTitle();
  session.Type(" X");
  EXPECT_EQ(session.ScriptText(), "INT. HALL X\n");
  std::ifstream ini(home.File("QUILLPAD.INI"));
  const std::string settings((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
  EXPECT_NE(settings.find("Zoom Size=" + std::to_string(c.zoomAfter)), std::string::npos) << settings;
}

INSTANTIATE_TEST_SUITE_P(Ways, ZoomScreenDesktopTest,
                         ::testing::Values(ZoomCase{"MenuArrowsThenOk", false, "Right Right Right Return", 103},
                                           ZoomCase{"ButtonArrowsThenCancel", true, "Right Right Escape", 100},
                                           ZoomCase{"MenuTabToCancel", false, "Left Tab Tab space", 100}),
                         [](const ::testing::TestParamInfo<ZoomCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::desktop
