// The script's block menu (a right click in the script) on a real display:
// its range items are enabled and open their dialogs.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// The menu opens 10 pixels right of and 60 below the right click; where
// its items then lie from the click, on the 1400 x 900 display.
constexpr int kItemX = 10 + 60;
constexpr int kSceneRangeY = 60 + 232;
constexpr int kExtendSelectionY = 60 + 254;

struct RangeItem {
  const char* name;
  int itemY;
  const char* dialog;  // the caption of the dialog it opens
};

// A right click opens the block menu once the writer has the power panel off.
class BlockMenuDesktopTest : public ::testing::TestWithParam<RangeItem> {
 protected:
  BlockMenuDesktopTest() { std::ofstream(home_.File("QUILLPAD.INI")) << "[Program Settings]\nUse PowerPanel=0\n"; }
  testing::TempFolder home_;
};

TEST_P(BlockMenuDesktopTest, TheItemOpensItsDialog) {
  const RangeItem& item = GetParam();
  DesktopSession session({}, home_.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  session.Type("He waits.");
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value()) << session.ActiveWindowTitle();
  // High on the page, so that the whole menu opens below the click.
  const int x = main->x + main->width / 3, y = main->y + main->height / 5;
  session.Click(x, y, 3);
  session.Settle();
  session.Screenshot(std::string("block_menu_") + item.name);
  session.Click(x + kItemX, y + item.itemY);
  EXPECT_TRUE(session.WaitForWindowTitle(item.dialog, 5)) << session.ActiveWindowTitle();
  session.Screenshot(std::string("block_menu_dialog_") + item.name);
  session.Keys("Escape");
  EXPECT_TRUE(session.WaitForTitleGone(item.dialog, 5));
}

INSTANTIATE_TEST_SUITE_P(RangeItems, BlockMenuDesktopTest,
                         ::testing::Values(RangeItem{"SceneRange", kSceneRangeY, "Select Range of Scenes for Blocking"},
                                           RangeItem{"ExtendSelection", kExtendSelectionY,
                                                     "Select how to extend Block"}),
                         [](const ::testing::TestParamInfo<RangeItem>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::desktop
