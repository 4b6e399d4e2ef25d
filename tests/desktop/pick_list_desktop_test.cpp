// The pick lists of the real program, typed into at a writer's pace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/command_walk.h"
#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

namespace qm::desktop {
namespace {

// A cue RUTH and her speech "Hey.", typed into the new script.
void RuthSaysHey(DesktopSession& session) {
  session.ClickInScript();
  session.Keys("Tab");
  session.Type("ruth");
  session.Keys("Return");
  session.Type("Hey.");
}

// After RUTH has spoken, "R" in a new cue offers RUTH; Enter takes it.
TEST(PickListDesktopTest, EnterTakesTheNameTheListOffers) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  RuthSaysHey(session);
  session.Keys("Return Tab");
  session.Type("r");
  session.Screenshot("pick_list_offers_ruth");
  session.Keys("Return");
  session.Type("Hi.");
  const std::vector<std::string> lines = TextLines(session.ScriptText());
  EXPECT_EQ(lines, (std::vector<std::string>{"RUTH", "Hey.", "RUTH", "Hi."}));
}

// F4 drops the element-type list where it can be read and used: a letter
// typed into it changes the element's type.
TEST(PickListDesktopTest, TheElementListOfF4OpensWhollyInView) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("Angle on the door");
  session.Keys("F4");
  session.Screenshot("element_list_f4");
  session.Keys("h");
  session.Keys("End");
  session.Type(".");
  const std::vector<std::string> lines = TextLines(session.ScriptText());
  EXPECT_EQ(lines, (std::vector<std::string>{"ANGLE ON THE DOOR."}));
}

bool Navy(const Rgb& p) { return p.r < 40 && p.g < 40 && p.b > 90 && p.b < 170; }

// Mark One Character's Dialogue picks the name from a list under the
// prompt "Select Name to Redline - Double Click Here when Done": the
// prompt's navy bar shows its last letters left of the close box.
TEST(PickListDesktopTest, ThePickersPromptShowsWholeBesideItsCloseBox) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  RuthSaysHey(session);
  const std::string keys = MenuKeysOf("MarkallofOneCharactersDialogue1", false);
  ASSERT_FALSE(keys.empty());
  session.Keys(keys, 400);
  session.Settle(1200);
  const ScreenPixels pixels(session, session.Screenshot("picker_prompt"));
  ASSERT_TRUE(pixels.Loaded());
  // The picker stands in the middle of the screen; its prompt bar is navy.
  const Box middle{pixels.Width() / 4, pixels.Height() / 4, pixels.Width() / 2, pixels.Height() / 2};
  const auto rows = pixels.InkRows(middle, Navy);
  const auto columns = pixels.InkColumns(middle, Navy);
  ASSERT_FALSE(rows.empty());
  ASSERT_FALSE(columns.empty());
  const Box bar{columns.front().first, rows.front().first, columns.back().second - columns.front().first + 1,
                rows.front().second - rows.front().first + 1};
  ASSERT_GE(bar.height, 16) << "no prompt bar";
  // The close box: the first column from the right half on that is grey
  // from the bar's top to its bottom, as no letter is.
  const auto solid = [&](int x) {
    for (int y = bar.y + 4; y < bar.Bottom() - 4; ++y)
      if (Navy(pixels.At(x, y))) return false;
    return true;
  };
  int closeBox = bar.Right();
  for (int x = bar.x + bar.width / 2; x < bar.Right(); ++x)
    if (solid(x)) {
      closeBox = x;
      break;
    }
  ASSERT_LT(closeBox, bar.Right()) << "no close box";
  // The bar's raised edge is white too: the letters lie inside it.
  const auto letters = pixels.InkColumns(Box{bar.x + 2, bar.y + 3, closeBox - bar.x - 2, bar.height - 6},
                                         [](const Rgb& p) { return p.Brightness() > 160; });
  ASSERT_FALSE(letters.empty()) << "no prompt";
  EXPECT_GT(letters.front().first, bar.x + 3) << "the prompt starts cut";
  EXPECT_LT(letters.back().second, closeBox - 3) << "the prompt runs under the close box";
  session.Keys("Escape", 600);
}

}  // namespace
}  // namespace qm::desktop
