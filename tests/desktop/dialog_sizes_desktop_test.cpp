// Windows big enough for what they hold, on a real display: each dialog's
// client area takes in its lowest and rightmost controls and its title,
// and no text is cut nor control drawn over another.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

namespace qm::desktop {
namespace {

struct SizeCase {
  const char* name;
  const char* open;    // the keys that open it
  const char* title;   // a part of its title
  int width, height;   // the least client area its controls need
  bool named = false;  // it opens only for a script saved under a name
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += "\n  " + line;
  return all;
}

class DialogSizesDesktopTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(DialogSizesDesktopTest, TheWindowHoldsItsControls) {
  const SizeCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("JOHN sits down.");
  if (c.named) ASSERT_TRUE(session.SaveScriptAs("SIZES")) << session.ActiveWindowTitle();
  session.CutTexts();  // what the windows before it drew
  session.Keys(c.open, 700);
  ASSERT_TRUE(session.WaitForWindowTitle(c.title)) << session.ActiveWindowTitle();
  session.Settle(800);
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  ASSERT_TRUE(area);
  session.Screenshot(std::string("dialog_size_") + c.name);
  EXPECT_GE(area->width, c.width);
  EXPECT_GE(area->height, c.height);
  const std::vector<std::string> faults = session.CutTexts();
  EXPECT_TRUE(faults.empty()) << Joined(faults);
}

// The heights are the bottom of each dialog's lowest row: buttons 25 high.
INSTANTIATE_TEST_SUITE_P(Dialogs, DialogSizesDesktopTest,
                         ::testing::Values(SizeCase{"ScriptFormats", "alt+m e", "Script Formats", 600, 372},
                                           // Wide enough for its title beside its buttons.
                                           SizeCase{"Calendar", "alt+h l", "Times that try", 420, 211},
                                           SizeCase{"SelectLanguage", "alt+p l", "Language Selection", 350, 302},
                                           // Its Setup page, where the four lists are loaded.
                                           SizeCase{"QuickEntrySetup", "ctrl+alt+q", "Quick Text Entry", 478, 291,
                                                    true}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

// A message keeps its line breaks: the About box's name and its line under
// a blank line are two runs of ink, one above the other, each whole, and
// the box ends a little below them.
TEST(MessageBoxDesktopTest, AMessageKeepsItsLineBreaks) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Keys("alt+h a", 700);
  ASSERT_TRUE(session.WaitForWindowTitle("About")) << session.ActiveWindowTitle();
  session.Settle(800);
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  ASSERT_TRUE(area);
  const ScreenPixels pixels(session, session.Screenshot("message_box_lines"));
  ASSERT_TRUE(pixels.Loaded());
  // The text's panel, above the buttons.
  const Box text{area->x + 40, area->y + 26, area->width - 80, area->height - 96};
  const auto rows = pixels.InkRows(text, [](const Rgb& p) { return p.Brightness() < 80; });
  ASSERT_EQ(rows.size(), 2u) << "two lines of text";
  EXPECT_GT(rows[1].first - rows[0].second, 8) << "a blank line between them";
  // Both lines reach as far below the line ("Q", "p"): cut at the panel's
  // bottom the last one is about half as high.
  EXPECT_GE(rows[1].second - rows[1].first, rows[0].second - rows[0].first - 2) << "the last line is whole";
  session.Keys("Return");
}

}  // namespace
}  // namespace qm::desktop
