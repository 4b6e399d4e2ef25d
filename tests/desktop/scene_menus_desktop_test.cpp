// The script window's quick-choice menus and Ctrl keys on a real display.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(SceneMenusDesktopTest, EnterAfterALocationOffersTheTimeOfDay) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. KITCHEN");
  session.Keys("Return");
  session.Screenshot("time_of_day_menu");
  session.Keys("n");  // NIGHT, by its letter
  session.Type("He waits.");
  session.Screenshot("time_of_day_chosen");
  const std::string text = session.ScriptText();
  EXPECT_EQ(FirstLine(text), "INT. KITCHEN - NIGHT") << text;
  EXPECT_NE(text.find("He waits."), std::string::npos) << "the Action after the heading: " << text;
}

TEST(SceneMenusDesktopTest, CtrlBMakesTheMarkedWordBold) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("One two");
  session.Keys("ctrl+shift+Left ctrl+b End");
  session.Type(" three");
  session.Screenshot("ctrl_b_bold");
  EXPECT_EQ(FirstLine(session.ScriptText()), "One two three");
  const std::string rtf = session.Run({"xclip", "-o", "-selection", "clipboard", "-t", "text/rtf"});
  const std::size_t one = rtf.find("One");
  const std::size_t bold = rtf.find("\\b", one == std::string::npos ? 0 : one);
  const std::size_t two = rtf.find("two");
  ASSERT_NE(two, std::string::npos) << rtf;
  EXPECT_TRUE(bold != std::string::npos && bold < two) << "bold switched on before \"two\": " << rtf;
}

// Enter on an empty Action offers the scene texts; the second is EXT.
TEST(SceneMenusDesktopTest, EnterOnAnEmptyActionOffersTheSceneOpenings) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits.");
  session.Keys("Return Return");
  session.Screenshot("scene_opening_menu");
  session.Keys("Down Down Return");
  session.Type("YARD - DAY");
  session.Screenshot("scene_opening_chosen");
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"He waits.", "EXT. YARD - DAY"}));
}

// A home where shots and transitions are chosen from the menu rather than
// running on as typed (the writer's QuickType options).
class QuickChoiceDesktopTest : public ::testing::Test {
 protected:
  QuickChoiceDesktopTest() {
    std::ofstream(home_.File("QUILLPAD.INI"))
        << "[Editing Options]\nKeep Running Transitions=0\nKeep Running Shots=0\n";
  }
  testing::TempFolder home_;
};

TEST_F(QuickChoiceDesktopTest, CtrlTOffersTheTransitions) {
  DesktopSession session({}, home_.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits.");
  session.Keys("ctrl+t");
  session.Screenshot("transition_menu");
  session.Keys("d");  // DISSOLVE TO:, by its letter
  session.Screenshot("transition_chosen");
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"He waits.", "DISSOLVE TO:"}));
}

TEST_F(QuickChoiceDesktopTest, CtrlHOffersTheShots) {
  DesktopSession session({}, home_.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits.");
  session.Keys("ctrl+h");
  session.Screenshot("shot_menu");
  session.Keys("a");  // ANGLE ON, by its letter
  session.Type(" THE DOOR");
  session.Screenshot("shot_chosen");
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"He waits.", "ANGLE ON THE DOOR"}));
}

// Ctrl+PgDn goes to the next printed page: what is typed there lands
// after the forced break.
TEST(SceneMenusDesktopTest, CtrlPageDownGoesToTheNextPrintedPage) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("One.");
  session.Keys("Return shift+Return");
  session.Type("Two.");
  session.Keys("ctrl+alt+Home ctrl+Next End");
  session.Type("X");
  session.Screenshot("ctrl_page_down");
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"One.", "Two.X"}));
}

}  // namespace
}  // namespace qm::desktop
