// Script windows arranged, maximised and switched with the Window menu:
// the window shown is always the active script, the keys go only to it,
// nothing loops, and a new script takes the state the open ones have.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"

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

struct OpenCase {
  const char* name;
  bool recent;  // from the File menu's list of recent scripts, else File > Open
};

class OpenWhileMaximisedDesktopTest : public ::testing::TestWithParam<OpenCase> {};

// Hall open and maximised, Roof saved and closed: Roof opened again comes
// up maximised at its full size, and Hall, switched back to, is still
// maximised (not cascaded).
TEST_P(OpenWhileMaximisedDesktopTest, TheOpenedScriptAndTheOthersStayMaximised) {
  const OpenCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL");
  ASSERT_TRUE(session.SaveScriptAs("Hall")) << session.ActiveWindowTitle();
  session.Keys("alt+f n", 1200);
  session.Type("EXT. ROOF");
  ASSERT_TRUE(session.SaveScriptAs("Roof")) << session.ActiveWindowTitle();
  session.Keys("ctrl+F4", 1200);
  // Saved changes the backup drive lacks: the close offers them, and No
  // closes without them.
  ASSERT_TRUE(session.AnswerBox("Be good now", "n")) << session.ActiveWindowTitle();
  ASSERT_TRUE(session.WaitForWindowTitle("Hall.QMW")) << session.ActiveWindowTitle();
  session.Keys("alt+w x", 1200);
  if (c.recent) {
    session.Keys("alt+f 1", 1200);
  } else {
    session.Keys("shift+F10");
    ASSERT_TRUE(session.WaitForWindowTitle("Open")) << session.ActiveWindowTitle();
    session.Type(session.Home() + "/Scripts/Roof.QMW", 40);
    session.Keys("Return");
  }
  ASSERT_TRUE(session.WaitForWindowTitle("Roof.QMW")) << session.ActiveWindowTitle();
  session.Settle(1000);
  std::string shot = session.Screenshot(std::string("opened_maximised_") + c.name);
  EXPECT_EQ(PixelAt(session, shot, kBeyondX, kBeyondY), kPage) << "the opened script is maximised";
  EXPECT_LT(TopLinesBrightness(session, shot), 0.995) << "the opened script's text shows";
  EXPECT_EQ(session.ScriptText(), "EXT. ROOF\n");
  session.Keys("alt+w 1", 1500);
  ASSERT_TRUE(session.WaitForWindowTitle("Hall.QMW")) << session.ActiveWindowTitle();
  shot = session.Screenshot(std::string("first_still_maximised_") + c.name);
  EXPECT_EQ(PixelAt(session, shot, kBeyondX, kBeyondY), kPage) << "the first script is still maximised";
  EXPECT_EQ(session.ScriptText(), "INT. HALL\n");
}

INSTANTIATE_TEST_SUITE_P(Ways, OpenWhileMaximisedDesktopTest,
                         ::testing::Values(OpenCase{"FileOpen", false}, OpenCase{"RecentList", true}),
                         [](const ::testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

// The column of the frame's client area the test looks down, left of any
// title text, and the close button of a window as wide as that area.
constexpr int kColumnX = 300, kCloseX = 1359;
// The client area lies between the tool bar and the scroll bar below it.
constexpr int kAreaTop = 60, kAreaBottom = 866;

// The rows where the page of a script window runs down the column: each
// [first, last] run of at least 100 white rows.
std::vector<std::pair<int, int>> PageRuns(DesktopSession& session, const std::string& shot) {
  const std::string column = session.Run({"convert", shot, "-crop", "1x900+" + std::to_string(kColumnX) + "+0",
                                          "+repage", "-depth", "8", "-colorspace", "Gray", "txt:-"});
  std::vector<std::pair<int, int>> runs;
  int start = -1, y = 0;
  std::istringstream lines(column);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    y = std::stoi(line.substr(line.find(',') + 1));
    const bool white = line.find("gray(255)") != std::string::npos || line.find("white") != std::string::npos;
    if (white && start < 0) start = y;
    if (!white && start >= 0) {
      if (y - start >= 100) runs.emplace_back(start, y - 1);
      start = -1;
    }
  }
  if (start >= 0 && y - start >= 100) runs.emplace_back(start, y);
  return runs;
}

// Two scripts tiled lie one above the other inside the client area, each
// page about half of it, each window with its close button: a click on
// each closes them both.
TEST(TileDesktopTest, TwoScriptsTiledShowTheirCloseButtonsInsideTheFrame) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.Keys("alt+f n", 1200);
  ASSERT_TRUE(session.WaitForWindowTitle("NONAME2")) << session.ActiveWindowTitle();
  session.Keys("alt+w t", 1500);
  const std::string shot = session.Screenshot("tiled_two");
  const auto runs = PageRuns(session, shot);
  ASSERT_EQ(runs.size(), 2u) << "two pages one above the other";
  const int half = (kAreaBottom - kAreaTop) / 2;
  for (const auto& [first, last] : runs) {
    EXPECT_GT(first - 22, kAreaTop) << "the title bar lies inside the client area";
    EXPECT_LT(last, kAreaBottom);
    EXPECT_GT(last - first, half * 3 / 4) << "each page takes about half the area";
  }
  // The title bar's middle row lies 11 rows above its page.
  session.Click(kCloseX, runs[0].first - 11);
  ASSERT_TRUE(session.WaitForTitleGone("NONAME2")) << session.ActiveWindowTitle();
  EXPECT_NE(session.ActiveWindowTitle().find("NONAME1"), std::string::npos) << session.ActiveWindowTitle();
  session.Click(kCloseX, runs[1].first - 11);
  ASSERT_TRUE(session.WaitForTitleGone("NONAME1")) << session.ActiveWindowTitle();
  session.Settle(800);
  const std::string closed = session.Screenshot("tiled_both_closed");
  EXPECT_TRUE(PageRuns(session, closed).empty()) << "no script window is left";
  EXPECT_FALSE(session.ExitCode(100).has_value()) << "the program ended";
}

// The save question and the other questions without a caption of their own.
const std::string kQuestion = "ATTENTION...";
// On a tiled window's title bar: its system menu's icon and its minimise
// button; and the restore button and the close box of the first icon at
// the area's bottom left.
constexpr int kSystemMenuX = 13, kMinimiseX = 1318;
constexpr int kIconRestoreX = 141, kIconCloseX = 181, kIconY = 849;

// A writer's hand comes onto a title-bar button from elsewhere: the frame
// takes a press on a button for its own only when the pointer came onto
// the button from outside the window (after a press on the bar it would
// move the window instead).
void ClickFromAway(DesktopSession& session, int x, int y) {
  session.Run({"xdotool", "mousemove", "--sync", "700", "200"});
  session.Click(x, y);
}

// Keys at a script shown as its icon, Enter among them: the program lives,
// the icon stays an icon, and its text is whole once it is restored (by the
// first icon's restore button when `byButton`, else by Window > 1).
void TypeAtTheIcon(DesktopSession& session, const std::string& shot, bool byButton) {
  session.Keys("Down", 300);
  session.Type("xyz", 280);
  session.Keys("Return", 1200);
  session.Screenshot(shot);
  ASSERT_FALSE(session.ExitCode(300).has_value()) << "a key at the icon ended the program";
  if (byButton) ClickFromAway(session, kIconRestoreX, kIconY);
  else session.Keys("alt+w 1", 1500);
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAY\n") << shot;
}

// A changed script, HALL, tiled below another: each way its own window can
// close it (its close box, its system menu's Close, the close box of its
// icon), with HALL in front and with the other in front, brings the save
// question, and Cancel keeps HALL with its text. HALL then takes keys as
// an icon, minimised by its button and by Minimize All typed as Alt+W, M,
// and the program lives with the text whole.
TEST(ScriptWindowCloseDesktopTest, EveryCloseOfAChangedScriptAsksAndItsIconTakesKeysSafely) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("alt+f n", 1200);
  ASSERT_TRUE(session.WaitForWindowTitle("NONAME2")) << session.ActiveWindowTitle();
  session.Type("EXT. YARD");
  session.Keys("alt+w t", 1500);
  const auto runs = PageRuns(session, session.Screenshot("close_roads_tiled"));
  ASSERT_EQ(runs.size(), 2u) << "two pages one above the other";
  // The title bar's middle row lies 11 rows above its page; HALL is below.
  const int hallTitle = runs[1].first - 11;
  const int yardPage = (runs[0].first + runs[0].second) / 2, hallPage = (runs[1].first + runs[1].second) / 2;
  const struct {
    const char* name;
    bool hallInFront;
    bool icon;  // HALL shown as its icon first
    int x;
    const char* keys;  // after the click
  } roads[] = {
      {"close_box_behind", false, false, kCloseX, ""},         {"close_box_in_front", true, false, kCloseX, ""},
      {"system_menu_behind", false, false, kSystemMenuX, "c"}, {"system_menu_in_front", true, false, kSystemMenuX, "c"},
      {"icon_behind", false, true, kIconCloseX, ""},           {"icon_in_front", true, true, kIconCloseX, ""},
  };
  for (const auto& road : roads) {
    SCOPED_TRACE(road.name);
    // The icon in front is the one the road before left.
    if (road.icon && !road.hallInFront) ClickFromAway(session, kMinimiseX, hallTitle);
    if (!road.hallInFront) session.Click(700, yardPage);
    else if (!road.icon) session.Click(700, hallPage);
    ClickFromAway(session, road.x, road.icon ? kIconY : hallTitle);
    if (*road.keys) session.Keys(road.keys, 400);
    const bool asked = session.WaitForWindowTitle(kQuestion, 8);
    session.Screenshot(std::string("close_roads_") + road.name);
    ASSERT_TRUE(asked) << "no save question: " << session.ActiveWindowTitle();
    ASSERT_TRUE(session.AnswerBox(kQuestion, "Escape")) << session.ActiveWindowTitle();
    session.Settle(800);
    ASSERT_FALSE(session.ExitCode(100).has_value()) << "the program ended";
    EXPECT_TRUE(session.WaitForWindowTitle("NONAME1", 5)) << "HALL stays open: " << session.ActiveWindowTitle();
  }
  // HALL is its icon, in front, as the last road left it.
  TypeAtTheIcon(session, "icon_keys_after_close", true);
  ClickFromAway(session, kMinimiseX, hallTitle);
  TypeAtTheIcon(session, "icon_keys_own_button", true);
  session.Keys("alt+w m", 1200);
  TypeAtTheIcon(session, "icon_keys_minimize_all", false);
  session.Keys("alt+w 2", 1500);
  EXPECT_EQ(session.ScriptText(), "EXT. YARD\n");
}

// Where new script windows land when none is maximised: a point of the page
// of the window in front, right of its text and above its bottom.
constexpr int kProbeX = 650, kProbeY = 500;
// The frame's client area ends left of the right panel.
constexpr int kAreaRight = 1370;

// Three scripts, none maximised: each new window comes down and right of
// the one before it, at the same size and wholly inside the frame, so that
// the title bars of the others still show.
TEST(NewWindowPlacementDesktopTest, EachNewScriptWindowStepsDownAndRightInsideTheFrame) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL");
  std::vector<Box> pages;
  for (int script = 1; script <= 3; ++script) {
    if (script > 1) {
      session.Keys("alt+f n", 1200);
      ASSERT_TRUE(session.WaitForWindowTitle("NONAME" + std::to_string(script))) << session.ActiveWindowTitle();
    }
    const ScreenPixels pixels(session, session.Screenshot("new_window_" + std::to_string(script)));
    ASSERT_TRUE(pixels.Loaded());
    pages.push_back(pixels.WhiteAround(kProbeX, kProbeY));
  }
  for (std::size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE("script " + std::to_string(i + 1));
    const Box& page = pages[i];
    EXPECT_GT(page.x, 0);
    EXPECT_GT(page.y - 22, kAreaTop) << "its title bar lies inside the client area";
    EXPECT_LT(page.Right(), kAreaRight);
    EXPECT_LT(page.Bottom(), kAreaBottom);
    if (i == 0) continue;
    EXPECT_GT(page.x, pages[i - 1].x) << "right of the window before it";
    EXPECT_GT(page.y, pages[i - 1].y) << "below the window before it";
    EXPECT_EQ(page.width, pages[0].width);
    EXPECT_EQ(page.height, pages[0].height);
  }
  session.Type("X");
  EXPECT_EQ(session.ScriptText(), "X\n") << "the window in front takes the keys";
}

// Whether the first icon at the area's bottom left shows: its row differs
// from the empty area above it.
bool FirstIconShows(DesktopSession& session, const std::string& shot) {
  const ScreenPixels pixels(session, shot);
  const Rgb area = pixels.At(700, kIconY - 60);
  int differing = 0;
  for (int x = 5; x < kIconRestoreX - 10; ++x) differing += pixels.At(x, kIconY) == area ? 0 : 1;
  return differing > 30;
}

struct IconSaveCase {
  const char* name;
  bool ownButton;  // Hall's own minimise button, else Window > Minimize All
};

class SaveAllAtAnIconDesktopTest : public ::testing::TestWithParam<IconSaveCase> {};

// Hall and Yard saved by their names and tiled, Yard above; Hall changed,
// then shown as its icon with Yard the active script. Save All (Ctrl+F7),
// then "abc", Enter and Backspace: Hall takes none of the keys by any road
// (the save of a script behind the one in front leaves it where it stands,
// here its icon; Ctrl+F7 typed at an icon is a key at the icon). Cascaded,
// it holds what it held.
TEST_P(SaveAllAtAnIconDesktopTest, TheScriptShownAsItsIconTakesNoKeyAfterSaveAll) {
  const IconSaveCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  ASSERT_TRUE(session.SaveScriptAs("Hall")) << session.ActiveWindowTitle();
  session.Keys("alt+f n", 1200);
  session.Type("EXT. YARD - DAY");
  session.Keys("Return");
  session.Type("Mud.");
  ASSERT_TRUE(session.SaveScriptAs("Yard")) << session.ActiveWindowTitle();
  session.Keys("alt+w t", 1500);
  const auto runs = PageRuns(session, session.Screenshot(std::string("icon_save_tiled_") + c.name));
  ASSERT_EQ(runs.size(), 2u) << "two pages one above the other";
  const int hallTitle = runs[1].first - 11;
  const int yardPage = (runs[0].first + runs[0].second) / 2, hallPage = (runs[1].first + runs[1].second) / 2;
  session.Click(700, hallPage);
  session.Keys("ctrl+End Return", 400);
  session.Type("Rain.");
  const std::string before = session.ScriptText();
  if (c.ownButton) {
    ClickFromAway(session, kMinimiseX, hallTitle);
    session.Click(700, yardPage);
  } else {
    session.Click(700, yardPage);
    session.Keys("alt+w m", 1200);
  }
  session.Keys("ctrl+F7", 1500);
  // The save is done once the script the writer had in front names the window again.
  EXPECT_TRUE(session.WaitForWindowTitle("Yard.QMW")) << session.ActiveWindowTitle();
  session.Settle(1000);
  const std::string saved = session.Screenshot(std::string("icon_save_saved_") + c.name);
  if (c.ownButton) {
    EXPECT_TRUE(FirstIconShows(session, saved)) << "Hall is still its icon";
  }
  session.Type("abc");
  session.Keys("Return BackSpace", 400);
  session.Screenshot(std::string("icon_save_keys_") + c.name);
  session.Keys("alt+w c", 1500);
  session.Keys("alt+w 1", 1500);
  ASSERT_TRUE(session.WaitForWindowTitle("Hall.QMW")) << session.ActiveWindowTitle();
  session.Screenshot(std::string("icon_save_cascaded_") + c.name);
  EXPECT_EQ(session.ScriptText(), before);
}

INSTANTIATE_TEST_SUITE_P(Ways, SaveAllAtAnIconDesktopTest,
                         ::testing::Values(IconSaveCase{"OwnButton", true}, IconSaveCase{"MinimizeAll", false}),
                         [](const ::testing::TestParamInfo<IconSaveCase>& info) {
                           return std::string(info.param.name);
                         });

// A script minimised by its own button, then a long run of keys at its
// icon: the arrows, letters, Enter, Backspace, Delete, Tab, F3, Ctrl+Z,
// Ctrl+V, and the Window and File menus opened and escaped. None reaches
// the script: cascaded again, it holds what it held.
TEST(IconKeysDesktopTest, ALongRunOfKeysAtTheIconChangesNothing) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  session.Type("Rain.");
  session.Keys("alt+w t", 1500);
  const auto runs = PageRuns(session, session.Screenshot("icon_run_tiled"));
  ASSERT_EQ(runs.size(), 1u) << "one page filling the area";
  const std::string before = session.ScriptText();
  ClickFromAway(session, kMinimiseX, runs[0].first - 11);
  session.Keys("Left Right Up Down", 280);
  session.Type("xyz");
  session.Keys("Return BackSpace Delete Tab F3 ctrl+z ctrl+v", 280);
  session.Settle(1000);
  session.Keys("alt+w Escape alt+f Escape", 500);
  session.Screenshot("icon_run_keys");
  ASSERT_FALSE(session.ExitCode(100).has_value()) << "the program ended";
  EXPECT_EQ(session.ActiveWindowTitle().find("Index Card View"), std::string::npos)
      << "Ctrl+V at the icon opened the cards";
  session.Keys("alt+w c", 1500);
  session.Screenshot("icon_run_cascaded");
  EXPECT_EQ(session.ScriptText(), before);
}

// Two scripts maximised, the one behind changed: the one in front closes
// by its close box, and the next one's close box, come up in the same
// place under the still pointer, closes on the first click: its save
// question comes.
TEST(CloseAfterCloseDesktopTest, TheNextCloseBoxClosesOnTheFirstClick) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("alt+f n", 1200);
  ASSERT_TRUE(session.WaitForWindowTitle("NONAME2")) << session.ActiveWindowTitle();
  session.Keys("alt+w x", 1500);
  constexpr int kMaximisedTitle = 77;
  session.Run({"xdotool", "mousemove", "--sync", "700", "300"});
  session.Run({"xdotool", "mousemove", "--sync", std::to_string(kCloseX), std::to_string(kMaximisedTitle)});
  session.Settle(300);
  session.Run({"xdotool", "click", "1"});
  ASSERT_TRUE(session.WaitForTitleGone("NONAME2")) << session.ActiveWindowTitle();
  ASSERT_TRUE(session.WaitForWindowTitle("NONAME1")) << session.ActiveWindowTitle();
  session.Settle(800);
  session.Run({"xdotool", "click", "1"});
  const bool asked = session.WaitForWindowTitle(kQuestion, 5);
  session.Screenshot("close_after_close");
  ASSERT_TRUE(asked) << "the first click did not close: " << session.ActiveWindowTitle();
  ASSERT_TRUE(session.AnswerBox(kQuestion, "Escape")) << session.ActiveWindowTitle();
}

}  // namespace
}  // namespace qm::desktop
