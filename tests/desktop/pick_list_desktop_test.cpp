// The pick lists of the real program, typed into at a writer's pace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// After RUTH has spoken, "R" in a new cue offers RUTH; Enter takes it.
TEST(PickListDesktopTest, EnterTakesTheNameTheListOffers) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Keys("Tab");
  session.Type("ruth");
  session.Keys("Return");
  session.Type("Hey.");
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

}  // namespace
}  // namespace qm::desktop
