// Menu commands chosen with Alt and a letter, and dialogs that close: the
// keyboard comes back to the active script, so what the writer types next
// lands in it rather than in the menu bar or nowhere.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

struct MenuCase {
  const char* name;
  const char* keys;      // the menu command, by Alt and its letters
  const char* expected;  // the active script's text after typing on
};

class MenuKeysDesktopTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuKeysDesktopTest, TypingAfterTheCommandReachesTheActiveScript) {
  const MenuCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys(c.keys);
  session.Settle(1200);
  session.Type("EXT. ROOF");
  session.Screenshot(std::string("menu_keys_") + c.name);
  EXPECT_EQ(session.ScriptText(), std::string(c.expected)) << "after " << c.keys;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MenuKeysDesktopTest,
    ::testing::Values(
        // A new script takes the keyboard; the first one keeps its heading.
        MenuCase{"FileNew", "alt+f n", "EXT. ROOF\n"},
        // Cascade keeps the same script active with its caret at the end.
        MenuCase{"WindowCascade", "alt+w c", "INT. HALL - DAYEXT. ROOF\n"}),
    [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::desktop
