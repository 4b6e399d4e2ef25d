// Keys of the small windows over the script: Escape closes the element
// list and the bookmark window, Alt and a button's letter press the button
// of the bookmark window (never a menu of the main window), a button's
// letter alone answers a question, and the writer's next keys reach the
// script.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

struct CloseCase {
  const char* name;
  const char* open;   // the keys that open the window
  const char* title;  // its title, or "" for the element list (no window of its own)
  const char* close;  // the keys that should close it
};

class CloseKeysDesktopTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseKeysDesktopTest, TheWindowClosesAndTheScriptTakesTheNextKeys) {
  const CloseCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL");
  session.Keys(c.open, 1000);
  if (*c.title) {
    ASSERT_TRUE(session.WaitForWindowTitle(c.title)) << session.ActiveWindowTitle();
  }
  session.Keys(c.close, 1000);
  if (*c.title) EXPECT_TRUE(session.WaitForTitleGone(c.title)) << session.ActiveWindowTitle();
  session.Type(" X");
  session.Screenshot(std::string("close_keys_") + c.name);
  EXPECT_EQ(session.ScriptText(), "INT. HALL X\n");
}

INSTANTIATE_TEST_SUITE_P(Windows, CloseKeysDesktopTest,
                         ::testing::Values(CloseCase{"ElementListEscape", "F4 Down", "", "Escape"},
                                           CloseCase{"BookmarksEscape", "ctrl+alt+b", "Bookmarks", "Escape"},
                                           CloseCase{"BookmarksAltSThenAltC", "ctrl+alt+b", "Bookmarks",
                                                     "alt+s alt+c"}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

// The question when an unsaved script closes answers a plain "n" with No,
// as the desktop's own message boxes do; "y" then confirms leaving it
// unsaved, and the script's window goes.
TEST(PlainLetterDesktopTest, NAnswersNoWhenAnUnsavedScriptCloses) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL");
  session.Keys("ctrl+F4");
  ASSERT_TRUE(session.WaitForWindowTitle("ATTENTION")) << session.ActiveWindowTitle();
  session.Screenshot("plain_letter_save_question");
  session.Keys("n");
  ASSERT_TRUE(session.WaitForWindowTitle("Warning")) << "the box kept its question: " << session.ActiveWindowTitle();
  session.Keys("y");
  // Nothing saved, nothing for the backup drive: the window goes at once.
  EXPECT_TRUE(session.WaitForTitleGone("NONAME1")) << session.ActiveWindowTitle();
  EXPECT_EQ(session.ActiveWindowTitle().find("Be good now"), std::string::npos)
      << "no backup of discarded text is offered";
  EXPECT_FALSE(session.ExitCode(100).has_value()) << "the program ended";
}

// New scripts in this home are interactive: Enter on an empty Action asks
// which element comes next.
std::string InteractiveHome(const testing::TempFolder& home) {
  std::ofstream(home.File("QUILLPAD.INI")) << "[Format Options]\nInteractive Script=1\n";
  return home.Path();
}

// Return in an interactive script's first line asks the new element's type.
bool AskForAnElementType(DesktopSession& session) {
  session.ClickInScript();
  session.Keys("Return");
  return session.WaitForWindowTitle("Select an Element Type");
}

struct LetterCase {
  const char* name;
  const char* letter;  // typed alone in "Select an Element Type"
  const char* opens;   // the window its button opens, or "" for a new branch target
};

class ElementTypeLetterDesktopTest : public ::testing::TestWithParam<LetterCase> {};

TEST_P(ElementTypeLetterDesktopTest, AButtonsLetterAlonePicksIt) {
  const LetterCase& c = GetParam();
  const testing::TempFolder home;
  DesktopSession session({}, InteractiveHome(home));
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ASSERT_TRUE(AskForAnElementType(session)) << session.ActiveWindowTitle();
  session.Keys(c.letter);
  if (*c.opens) {
    EXPECT_TRUE(session.WaitForWindowTitle(c.opens)) << session.ActiveWindowTitle();
    session.Screenshot(std::string("element_type_letter_") + c.name);
    session.Keys("Escape", 800);
    return;
  }
  ASSERT_TRUE(session.WaitForTitleGone("Select an Element Type")) << session.ActiveWindowTitle();
  session.Type("YARD");
  EXPECT_EQ(TextLines(session.ScriptText()), std::vector<std::string>{"YARD"});
}

INSTANTIATE_TEST_SUITE_P(Buttons, ElementTypeLetterDesktopTest,
                         ::testing::Values(LetterCase{"UserActivity", "u", "User Activity Wizard"},
                                           LetterCase{"BranchPoint", "r", "Select which Branch Targets"},
                                           LetterCase{"BranchTarget", "b", ""}),
                         [](const ::testing::TestParamInfo<LetterCase>& info) { return std::string(info.param.name); });

// Through the Activity Wizard with its letters: Alt+N is Next on the page
// that asks Yes or No (Alt+O answers No there), and the lines it writes
// are those of a choice that lets the story go on.
TEST(WizardLettersDesktopTest, AltNGoesToTheNextPageWhereNoIsAsked) {
  const testing::TempFolder home;
  DesktopSession session({}, InteractiveHome(home));
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ASSERT_TRUE(AskForAnElementType(session)) << session.ActiveWindowTitle();
  session.Keys("alt+u");
  ASSERT_TRUE(session.WaitForWindowTitle("User Activity Wizard")) << session.ActiveWindowTitle();
  session.Keys("alt+d alt+n", 800);
  session.Type("OPEN THE DOOR");
  session.Keys("alt+o alt+n", 800);
  session.Keys("alt+t", 800);
  session.Screenshot("wizard_letters_last_page");
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForTitleGone("User Activity Wizard")) << session.ActiveWindowTitle();
  EXPECT_EQ(TextLines(session.ScriptText()), std::vector<std::string>{"IF YOU OPEN THE DOOR THEN"});
}

}  // namespace
}  // namespace qm::desktop
