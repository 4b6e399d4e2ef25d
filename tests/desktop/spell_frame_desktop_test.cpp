// The spelling check on the real desktop: the word it asks about stands in
// the script framed by the two found-text markers, and the frame is gone
// once the check is over.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

namespace qm::desktop {
namespace {

// The markers' red; nothing else on the page is drawn in it.
bool MarkerRed(const Rgb& p) { return p.r > 200 && p.g < 80 && p.b < 80; }

// The runs of columns holding marker red between the main window's tool
// bar and `bottom` (the dialog's top, or the window's foot).
std::vector<std::pair<int, int>> MarkerColumns(const ScreenPixels& pixels, const WindowGeometry& main, int bottom) {
  const Box page{main.x, main.y + 40, main.width - 60, bottom - main.y - 40};
  return pixels.InkColumns(page, MarkerRed);
}

TEST(SpellFrameDesktopTest, TheWordAskedAboutIsFramedByTheMarkers) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("Then Keane came.");
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());
  session.Keys("alt+p s");
  ASSERT_TRUE(session.WaitForWindowTitle("Found Unknown Word", 10)) << session.ActiveWindowTitle();
  session.Settle(800);
  const std::optional<WindowGeometry> dialog = session.ActiveWindowGeometry();
  ASSERT_TRUE(dialog.has_value());
  {
    const ScreenPixels pixels(session, session.Screenshot("spell_frame_question"));
    ASSERT_TRUE(pixels.Loaded());
    const auto marks = MarkerColumns(pixels, *main, std::min(dialog->y, main->y + main->height));
    ASSERT_EQ(marks.size(), 2u) << "a marker before the word and one after it";
    // "Keane" lies between them: five letters, wider than the gap of a blank.
    EXPECT_GT(marks[1].first - marks[0].second, 20);
  }
  session.Keys("alt+i");
  ASSERT_TRUE(session.WaitForTitleGone("Found Unknown Word", 5));
  session.Settle();
  session.Keys("Return");  // the count of checked words
  session.Settle();
  const ScreenPixels after(session, session.Screenshot("spell_frame_done"));
  ASSERT_TRUE(after.Loaded());
  EXPECT_TRUE(MarkerColumns(after, *main, main->y + main->height).empty()) << "the frame goes with the question";
}

}  // namespace
}  // namespace qm::desktop
