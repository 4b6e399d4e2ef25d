// The first script window maximised and restored with its own title-bar
// buttons: the page follows the window each time.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// Where the first script window's buttons are on the 1400 x 900 display:
// maximise on the window as it opens, restore on the maximised one.
constexpr int kMaximiseX = 684, kRestoreX = 1339, kButtonY = 78;
// A point right of the page as it opens, and one on it.
constexpr int kBeyondX = 1000, kBeyondY = 400, kOnPageX = 300, kOnPageY = 300;
const std::string kPage = "srgb(255,255,255)";

std::string PixelAt(DesktopSession& session, const std::string& shot, int x, int y) {
  std::string pixel = session.Run(
      {"convert", shot, "-format", "%[pixel:p{" + std::to_string(x) + "," + std::to_string(y) + "}]", "info:"});
  while (!pixel.empty() && (pixel.back() == '\n' || pixel.back() == ' ')) pixel.pop_back();
  return pixel;
}

TEST(WindowSizeDesktopTest, TheTitleBarButtonsLayThePageOutToTheWindow) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY", 150);

  session.Click(kMaximiseX, kButtonY);
  session.Settle(1500);
  std::string shot = session.Screenshot("maximised_by_title_bar");
  EXPECT_EQ(PixelAt(session, shot, kBeyondX, kBeyondY), kPage) << "the page fills the maximised window";

  session.Click(kRestoreX, kButtonY);
  session.Settle(1500);
  shot = session.Screenshot("restored_by_title_bar");
  EXPECT_NE(PixelAt(session, shot, kBeyondX, kBeyondY), kPage) << "the window is back at its old size";
  EXPECT_EQ(PixelAt(session, shot, kOnPageX, kOnPageY), kPage);
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAY\n");
}

}  // namespace
}  // namespace qm::desktop
