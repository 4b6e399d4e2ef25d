// Captions a writer must be able to read: a check box that does not apply
// shows its caption in grey on the dialog's face (and both lines of a
// two-line caption alike), a dialog's title fits its title bar, and the
// colour key of the branch graph shows its words whole.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// The caption of a control in its dialog's client area: right of the box
// a check box draws, or the whole of a label.
struct Caption {
  const char* what;
  Box place;
  bool greyed;  // disabled: grey, yet clearly darker than the face
};

struct CaptionsCase {
  const char* name;
  const char* open;
  const char* title;
  std::vector<Caption> captions;
};

// Where the search dialog lays its options out (its designed places); a
// check box's caption starts right of its box.
constexpr int kBoxWidth = 24;
Caption Check(const char* what, int x, int y, int width, bool greyed) {
  return {what, {x + kBoxWidth, y, width - kBoxWidth, 20}, greyed};
}

class DisabledCaptionsDesktopTest : public ::testing::TestWithParam<CaptionsCase> {};

TEST_P(DisabledCaptionsDesktopTest, ACaptionThatDoesNotApplyIsGreyAndReadable) {
  const CaptionsCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  // A cue, for the renaming to offer.
  session.Type("He waits.");
  session.Keys("Tab");
  session.Type("BOB");
  session.Keys("Return");
  session.Type("Hi.");
  session.Keys(c.open, 800);
  ASSERT_TRUE(session.WaitForWindowTitle(c.title)) << session.ActiveWindowTitle();
  session.Settle(800);
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  ASSERT_TRUE(area);
  const ScreenPixels pixels(session, session.Screenshot(std::string("disabled_captions_") + c.name));
  ASSERT_TRUE(pixels.Loaded());
  for (const Caption& caption : c.captions) {
    SCOPED_TRACE(caption.what);
    const Box& p = caption.place;
    const int darkest = pixels.Darkest({area->x + p.x, area->y + p.y, p.width, p.height});
    // The face is light grey (192); black ink is near 0, grey ink near 128.
    EXPECT_LT(darkest, 150) << "the caption reads";
    if (caption.greyed) EXPECT_GT(darkest, 80) << "the caption is grey, not black";
    else EXPECT_LT(darkest, 60) << "the caption is black";
  }
  session.Keys("Escape");
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DisabledCaptionsDesktopTest,
                         ::testing::Values(CaptionsCase{"SearchAndReplace",
                                                        "alt+F2",
                                                        "Search",
                                                        {Check("Prompt On Replacement", 12, 192, 200, true),
                                                         Check("Match Capitalization", 224, 192, 180, false),
                                                         {"of replaced Word", {244, 212, 100, 14}, false}}},
                                           CaptionsCase{"ChangeCharacterName",
                                                        "alt+s c",
                                                        "Change Character Name",
                                                        {Check("Whole Words Only", 12, 116, 200, true),
                                                         Check("Search Backwards", 12, 140, 200, false),
                                                         Check("Find with Same Capitalization", 12, 164, 300, true),
                                                         Check("Prompt On Replacement", 12, 192, 200, true),
                                                         Check("Match Capitalization", 224, 192, 180, true),
                                                         {"of replaced Word", {244, 212, 100, 14}, true}}}),
                         [](const ::testing::TestParamInfo<CaptionsCase>& info) {
                           return std::string(info.param.name);
                         });

// A fresh home whose new scripts are interactive (branch targets, the
// element type question of an empty Action).
std::string InteractiveHome(const testing::TempFolder& home) {
  std::ofstream(home.File("QUILLPAD.INI")) << "[Format Options]\nInteractive Script=1\n";
  return home.Path();
}

// The title bar above a client area, the window's icon at its left and its
// three buttons at its right left out: where the title's letters go.
constexpr int kTitleBarHeight = 18, kIconWidth = 22, kButtonsWidth = 62;
Box TitleArea(const WindowGeometry& area) {
  return {area.x + kIconWidth, area.y - kTitleBarHeight, area.width - kIconWidth - kButtonsWidth, kTitleBarHeight - 2};
}

// The white letters on the blue bar of the active window.
bool TitleInk(const Rgb& p) { return p.r > 200 && p.g > 200 && p.b > 200; }

// How wide the letters of the active window's title are drawn.
int TitleWidth(DesktopSession& session, const std::string& shotName) {
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  if (!area) return -1;
  const ScreenPixels pixels(session, session.Screenshot(shotName));
  const auto columns = pixels.InkColumns(TitleArea(*area), TitleInk);
  return columns.empty() ? 0 : columns.back().second - columns.front().first + 1;
}

// The question Enter asks on an empty Action of an interactive script has a
// window wide enough for its title: the title shows as wide as it does on
// the main window's title bar, not cut down to "Se...e".
TEST(DialogTitleDesktopTest, TheElementTypeQuestionShowsItsWholeTitle) {
  const testing::TempFolder home;
  DesktopSession session({}, InteractiveHome(home));
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  const std::string title = "Select an Element Type";
  // The same words on the main window's wide title bar, for their width.
  const std::string main = session.Run({"xdotool", "getactivewindow"});
  const std::string shown = session.ActiveWindowTitle();
  session.Run({"xdotool", "set_window", "--name", title, main.substr(0, main.find('\n'))});
  session.Settle(600);
  const int whole = TitleWidth(session, "element_type_title_whole");
  session.Run({"xdotool", "set_window", "--name", shown, main.substr(0, main.find('\n'))});
  ASSERT_GT(whole, 60);
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForWindowTitle(title)) << session.ActiveWindowTitle();
  session.Settle(600);
  EXPECT_NEAR(TitleWidth(session, "element_type_title"), whole, 3);
  session.Keys("Escape");
}

bool BlueInk(const Rgb& p) { return p.b - p.r > 60; }
bool RedInk(const Rgb& p) { return p.r - p.b > 60; }

// Whether the last letter of a word drawn in one colour reaches as high as
// its first: "Unconditional" and "Conditional" end in a tall "l", and a
// word cut short ends lower, in an "a".
template <class Ink>
bool EndsAsHighAsItStarts(const ScreenPixels& pixels, const Box& box, Ink ink) {
  const auto columns = pixels.InkColumns(box, ink);
  if (columns.empty()) return false;
  const auto topOf = [&](int x) {
    const auto rows = pixels.InkRows({x, box.y, 1, box.height}, ink);
    return rows.empty() ? box.Bottom() : rows.front().first;
  };
  return topOf(columns.back().second) <= topOf(columns.front().first) + 1;
}

// The branch graph's colour key shows "Unconditional" in blue and
// "Conditional" in red, each whole.
TEST(LinkageKeyDesktopTest, TheColourKeyShowsItsWordsWhole) {
  const testing::TempFolder home;
  DesktopSession session({}, InteractiveHome(home));
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Keys("ctrl+s");
  session.Type("KITCHEN");
  session.Keys("Return alt+F11");
  ASSERT_TRUE(session.WaitForWindowTitle("Interactive Linkages")) << session.ActiveWindowTitle();
  session.Settle(800);
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  ASSERT_TRUE(area);
  const ScreenPixels pixels(session, session.Screenshot("linkage_key"));
  ASSERT_TRUE(pixels.Loaded());
  // The key's row, right of its "Branch Color Key:" label.
  const Box key{area->x + 120, area->y + 36, 300, 24};
  EXPECT_TRUE(EndsAsHighAsItStarts(pixels, key, BlueInk)) << "Unconditional";
  EXPECT_TRUE(EndsAsHighAsItStarts(pixels, key, RedInk)) << "Conditional";
  session.Keys("F11");
}

}  // namespace
}  // namespace qm::desktop
