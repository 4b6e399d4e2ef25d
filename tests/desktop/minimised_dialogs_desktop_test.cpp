// Dialogs and tool windows minimised on the real display: the window
// manager takes the main window, which owns them, down with them; the
// main window stays up instead, and the first key or the first click at it
// brings the window back with the keyboard. Letters typed into the script
// while the scene pilot is up land there, and the pilot gives way.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

struct DialogCase {
  const char* name;
  const char* text;   // typed into the script first
  const char* open;   // the keys that open the window
  const char* title;  // a part of its title
  bool byClick;       // a click brings it back too (the pilot goes once the pointer is away from it)
};

class MinimisedDialogDesktopTest : public ::testing::TestWithParam<DialogCase> {};

bool MainWindowShows(DesktopSession& session) {
  return !session.Run({"xdotool", "search", "--onlyvisible", "--name", "^Quillmaster for Windows"}).empty();
}

TEST_P(MinimisedDialogDesktopTest, TheFirstKeyOrClickBringsItBackWithTheMainWindow) {
  const DialogCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type(c.text, 120);
  session.Keys(c.open, 1500);
  ASSERT_TRUE(session.ActivateWindowTitled(c.title)) << session.ActiveWindowTitle();
  for (const bool byKey : {true, false}) {
    if (!byKey && !c.byClick) continue;
    SCOPED_TRACE(byKey ? "a key" : "a click");
    session.Run({"xdotool", "getactivewindow", "windowminimize"});
    ASSERT_TRUE(session.WaitForTitleGone(c.title)) << session.ActiveWindowTitle();
    session.Settle(800);
    const std::string away = session.Screenshot(std::string("minimised_") + c.name + (byKey ? "_key" : "_click"));
    EXPECT_TRUE(MainWindowShows(session)) << "the main window went with it";
    if (byKey) session.Keys("shift");
    else session.Click(700, 500);
    const bool back = session.WaitForWindowTitle(c.title, 5);
    session.Screenshot(std::string("back_") + c.name + (byKey ? "_key" : "_click"));
    ASSERT_TRUE(back) << session.ActiveWindowTitle();
    EXPECT_TRUE(MainWindowShows(session));
  }
  ASSERT_FALSE(session.ExitCode(100).has_value()) << "the program ended";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Windows, MinimisedDialogDesktopTest, ::testing::Values(
    DialogCase{"Search", "INT. HALL - DAY", "F2", "Search", true},
    DialogCase{"QuickEntry", "INT. HALL - DAY", "ctrl+alt+q", "Quick Text Entry", true},
    DialogCase{"Spell", "Helo", "ctrl+l", "Found Unknown Word", true},
    DialogCase{"Options", "INT. HALL - DAY", "alt+f g", "Program Options", true},
    DialogCase{"MessageBox", "INT. HALL - DAY", "alt+h m", "Attention", true},
    DialogCase{"ScenePilot", "INT. HALL - DAY", "alt+g s", "Scene Pilot", false}),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });
// clang-format on

// The scene pilot takes no typing: with it up and the main window active,
// letters go to the script, and the pilot gives way (as to a click in the
// script) so that they are seen where they land.
TEST(ScenePilotKeysDesktopTest, LettersTypedWithThePilotUpLandInTheScriptAndThePilotGoes) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("alt+g s", 1500);
  ASSERT_FALSE(session.WaitForVisibleWindow("^Scene Pilot$", 5).empty()) << "no Scene Pilot window shows";
  const std::string main = session.WaitForVisibleWindow("^Quillmaster for Windows", 5);
  session.Run({"xdotool", "windowactivate", "--sync", main});
  session.Type("XY");
  session.Screenshot("pilot_letters");
  EXPECT_TRUE(session.Run({"xdotool", "search", "--onlyvisible", "--name", "^Scene Pilot$"}).empty())
      << "the pilot still covers the script";
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAYXY\n");
}

}  // namespace
}  // namespace qm::desktop
