// A type changed with F4 on a real display: the line between two speeches
// of one speaker made a scene heading takes the second speech's continued
// mark away, on screen and on paper; a heading there made an action gives
// the mark.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

struct Retyping {
  const char* name;
  const char* typedAs;   // the box's letter for the line as it is typed, or ""
  const char* madeInto;  // the box's letter it is given afterwards
  bool continued;        // whether the second speech's name is marked then
};

class RetypedElementDesktopTest : public ::testing::TestWithParam<Retyping> {};

TEST_P(RetypedElementDesktopTest, TheSecondSpeechIsMarkedAsTheLineBetweenNowStands) {
  const Retyping& retyping = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  session.Keys("Tab");
  session.Type("john");
  session.Keys("Return");
  session.Type("Hello.");
  session.Keys("Return");
  session.Type("He sits.");
  if (*retyping.typedAs) {
    session.Keys("F4");
    session.Type(retyping.typedAs);
  }
  session.Keys("Tab");
  session.Type("john");
  session.Keys("Return");
  session.Type("Again.");
  // Up from "Again." over the name to the line between the speeches.
  session.Keys("Up Up");
  session.Keys("F4");
  session.Type(retyping.madeInto);
  session.Settle();
  session.Screenshot(std::string("retyped_element_") + retyping.name);
  const std::string paper = session.PrintedText();
  ASSERT_FALSE(paper.empty()) << session.ActiveWindowTitle();
  ASSERT_NE(paper.find("Again."), std::string::npos) << paper;
  EXPECT_EQ(paper.find("JOHN (CONT'D)") != std::string::npos, retyping.continued) << paper;
}

INSTANTIATE_TEST_SUITE_P(Ways, RetypedElementDesktopTest,
                         ::testing::Values(Retyping{"ActionMadeAHeading", "", "s", false},
                                           Retyping{"HeadingMadeAnAction", "s", "a", true}),
                         [](const ::testing::TestParamInfo<Retyping>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::desktop
