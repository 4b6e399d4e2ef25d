// Captions a writer must be able to read: a check box that does not apply
// shows its caption in grey on the dialog's face (and both lines of a
// two-line caption alike).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

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

}  // namespace
}  // namespace qm::desktop
