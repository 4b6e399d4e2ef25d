// An act shows the number of the act it starts after its own words, on
// screen and on paper; the script holds only the words.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

TEST(ActNumberDesktopTest, ANewActShowsItsNumberOnScreenAndOnPaper) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits.", 150);
  session.Keys("Return", 600);
  session.Keys("Return", 1000);  // an empty line's Enter offers the heading menu
  session.Keys("c", 1000);       // <Start New Act>
  session.Settle(1000);
  session.Screenshot("act_number_new_act");
  const std::string text = session.ScriptText();
  EXPECT_NE(text.find("ACT"), std::string::npos) << text;
  EXPECT_EQ(text.find("ACT 1"), std::string::npos) << "the number is not part of the text: " << text;
  const std::string paper = session.PrintedText();
  ASSERT_FALSE(paper.empty()) << session.ActiveWindowTitle();
  EXPECT_NE(paper.find("ACT 1"), std::string::npos) << paper;
}

}  // namespace
}  // namespace qm::desktop
