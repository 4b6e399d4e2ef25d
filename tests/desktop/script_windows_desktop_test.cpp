// Script windows arranged, maximised and switched with the Window menu:
// the window shown is always the active script, the keys go only to it,
// nothing loops, and a new script takes the state the open ones have.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// A point on the page of a script window that fills the frame, right of
// where a window of the size it opens at ends (1400 x 900 display).
constexpr int kBeyondX = 1000, kBeyondY = 400;
const std::string kPage = "srgb(255,255,255)";

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

std::string PixelAt(DesktopSession& session, const std::string& shot, int x, int y) {
  return Trimmed(session.Run(
      {"convert", shot, "-format", "%[pixel:p{" + std::to_string(x) + "," + std::to_string(y) + "}]", "info:"}));
}

// How dark the first line of a maximised script is: 1 is all white
// (an empty page), less when the text of a script shows there.
double TopLinesBrightness(DesktopSession& session, const std::string& shot) {
  return std::stod(Trimmed(session.Run({"convert", shot, "-crop", "400x40+80+105", "+repage", "-colorspace", "Gray",
                                        "-format", "%[fx:mean]", "info:"})));
}

struct SwitchCase {
  const char* name;
  const char* before;  // Window menu and File menu keys after the first script's text
};

class SwitchBackDesktopTest : public ::testing::TestWithParam<SwitchCase> {};

// The first script's heading typed, the keys of the case, then Window > 1
// and a letter: the program answers, the first script is active, shown and
// takes the letter.
TEST_P(SwitchBackDesktopTest, WindowOneShowsTheFirstScriptAndTakesTheKeys) {
  const SwitchCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys(c.before, 1200);
  session.Keys("alt+w 1", 1500);
  session.Type("Z");
  const std::string shot = session.Screenshot(std::string("switch_back_") + c.name);
  ASSERT_FALSE(session.ExitCode(100).has_value()) << "the program ended";
  EXPECT_NE(session.ActiveWindowTitle().find("NONAME1"), std::string::npos) << session.ActiveWindowTitle();
  EXPECT_LT(TopLinesBrightness(session, shot), 0.995) << "the first script's text shows";
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAYZ\n");
}

INSTANTIATE_TEST_SUITE_P(Orders, SwitchBackDesktopTest,
                         ::testing::Values(SwitchCase{"NewThenMaximise", "alt+f n alt+w x"},
                                           SwitchCase{"CascadeMaximiseThenNew", "alt+w c alt+w x alt+f n"},
                                           SwitchCase{"MaximiseNewRestoreByCascade",
                                                      "alt+w x alt+f n alt+w c alt+w x"}),
                         [](const ::testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

// With the open scripts cascaded and then maximised, a new script opens
// maximised too: its page reaches past where a window of the size it
// opens at would end.
TEST(NewScriptStateDesktopTest, ANewScriptIsMaximisedWhenTheOthersAre) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL");
  session.Keys("alt+w c alt+w x alt+f n", 1200);
  session.Type("EXT. ROOF");
  const std::string shot = session.Screenshot("new_script_maximised");
  EXPECT_EQ(PixelAt(session, shot, kBeyondX, kBeyondY), kPage);
  EXPECT_NE(session.ActiveWindowTitle().find("NONAME2"), std::string::npos) << session.ActiveWindowTitle();
  EXPECT_EQ(session.ScriptText(), "EXT. ROOF\n");
}

}  // namespace
}  // namespace qm::desktop
