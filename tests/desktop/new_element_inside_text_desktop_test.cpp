// On a real display at a writer's pace: a transition started with Ctrl+T
// inside an Action goes in at the caret and the words after it stay; the
// right panel's Sh button inside text, its menu left with Esc, loses no
// word either.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// The right panel's buttons run C, D, P, A, T, Sc, Sh: Sh is the seventh.
constexpr int kShotButtonRow = 6;

// The script's lines without the blanks that end them.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines = TextLines(text);
  for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
  return lines;
}

TEST(NewElementInsideTextDesktopTest, ATransitionAndAShotStartedInsideTextLoseNoWords) {
  testing::TempFolder home;
  // Shots and transitions chosen from the menus rather than running on.
  std::ofstream(home.File("QUILLPAD.INI")) << "[Editing Options]\nKeep Running Transitions=0\nKeep Running Shots=0\n";
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits. Then runs.");
  // Before "Then", two words along.
  session.Keys("Home ctrl+Right ctrl+Right");
  session.Keys("ctrl+t");
  session.Screenshot("inside_text_transition_menu");
  session.Keys("c");  // CUT TO:, by its letter
  session.Screenshot("inside_text_transition_chosen");
  // Down to the Action, before "runs.", then the Sh button, and its menu
  // left without a choice.
  session.Keys("Down End ctrl+Left");
  ASSERT_TRUE(session.ClickElementButton(kShotButtonRow));
  session.Screenshot("inside_text_shot_menu");
  session.Keys("Escape");
  session.Screenshot("inside_text_shot_left");
  // The words after the caret start a sentence of their own: a capital.
  EXPECT_EQ(Lines(session.ScriptText()), (std::vector<std::string>{"He waits.", "CUT TO:", "Then", "Runs."}));
}

}  // namespace
}  // namespace qm::desktop
