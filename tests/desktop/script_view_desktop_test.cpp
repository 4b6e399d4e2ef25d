// What the script window shows of a short script after the writer moves
// about in it: the script from the window's first line, never a blank band
// above it; and its repaints: nothing of the script wiped out by a list
// that closed over it, a script note boxed on all four sides.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// A point on the page of the first script window, right of its text and
// below it: the page around it is the window's page.
constexpr int kProbeX = 650, kProbeY = 500;
// Where a short script's text may start below the page's top: the first
// line's own lines before and its height.
constexpr int kFirstLineBelowTop = 40;

// How far below the page's top the script's first text stands (-1 when
// the page shows no text). The margin marks at the page's left edge are
// left out.
int FirstTextBelowTop(DesktopSession& session, const std::string& shotName) {
  const ScreenPixels pixels(session, session.Screenshot(shotName));
  if (!pixels.Loaded()) return -1;
  const Box page = pixels.WhiteAround(kProbeX, kProbeY);
  const auto rows = pixels.InkRows({page.x + 40, page.y, page.width - 40, page.height}, DarkInk);
  return rows.empty() ? -1 : rows.front().first - page.y;
}

void ThreeActions(DesktopSession& session) {
  session.ClickInScript();
  for (const char* line : {"He waits.", "She runs."}) {
    session.Type(line, 150);
    session.Keys("Return");
  }
  session.Type("It rains.", 150);
}

void ThreeScenes(DesktopSession& session) {
  session.ClickInScript();
  // Each heading ends in its time, so Enter offers no time-of-day menu.
  for (const char* heading : {"INT. A - DAY", "INT. B - DAY", "INT. C - DAY"}) {
    session.Type(heading, 150);
    session.Keys("Return");
  }
}

struct ViewCase {
  const char* name;
  void (*write)(DesktopSession&);
  const char* keys;    // then, with waits between them
  const char* window;  // a window the keys open and close, or ""
};

class ShortScriptViewDesktopTest : public ::testing::TestWithParam<ViewCase> {};

TEST_P(ShortScriptViewDesktopTest, TheWindowShowsTheScriptFromItsFirstLine) {
  const ViewCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  c.write(session);
  const int before = FirstTextBelowTop(session, std::string("short_script_before_") + c.name);
  ASSERT_GE(before, 0);
  ASSERT_LE(before, kFirstLineBelowTop);
  if (*c.window) {
    session.Keys(c.keys, 1200);
    ASSERT_TRUE(session.WaitForWindowTitle(c.window)) << session.ActiveWindowTitle();
    session.Keys("ctrl+F4");
    ASSERT_TRUE(session.WaitForTitleGone(c.window)) << session.ActiveWindowTitle();
  } else {
    session.Keys(c.keys, 1000);
  }
  session.Settle(1000);
  const int after = FirstTextBelowTop(session, std::string("short_script_after_") + c.name);
  EXPECT_GE(after, 0) << "the script shows";
  EXPECT_EQ(after, before) << "the script's first line stays at the window's top";
}

INSTANTIATE_TEST_SUITE_P(Moves, ShortScriptViewDesktopTest,
                         ::testing::Values(ViewCase{"ReturnAtTheEnd", ThreeActions, "ctrl+alt+End Return", ""},
                                           ViewCase{"UndoAtTheEnd", ThreeActions, "ctrl+alt+End Return ctrl+z", ""},
                                           ViewCase{"CardViewLeft", ThreeScenes, "ctrl+v", "Index Card View"}),
                         [](const ::testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

// The yellow face of a script note's box.
bool NoteFace(const Rgb& p) { return p.r > 200 && p.g > 200 && p.b < 180; }

// An Action, then a line typed and made a Script Note, and Enter at its end.
void ActionThenNote(DesktopSession& session, const std::string& note) {
  session.ClickInScript();
  session.Type("He waits.", 150);
  session.Keys("Return");
  session.Type(note, 150);
  session.Keys("F4 n", 800);  // the element becomes a Script Note
  session.Keys("End Return", 600);
}

// Enter at the end of a script note starts an Action below it: the note's
// box keeps its bottom edge when the line below is painted, and the caret
// shows on the new line at once (it blinks, so one of a few looks holds it).
TEST(ScriptNoteDesktopTest, EnterInANoteKeepsItsBoxWholeAndTheCaretShowsBelow) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ActionThenNote(session, "Fix this later.");
  bool caretSeen = false;
  for (int look = 0; look < 6 && !caretSeen; ++look) {
    const ScreenPixels pixels(session, session.Screenshot("script_note_enter_" + std::to_string(look)));
    ASSERT_TRUE(pixels.Loaded());
    const Box page = pixels.WhiteAround(kProbeX, kProbeY);
    const int column = page.x + 300;
    const auto face = pixels.InkRows({column, page.y, 1, page.height}, NoteFace);
    ASSERT_EQ(face.size(), 1u) << "one note box";
    const int below = face.front().second + 1;
    EXPECT_LT(pixels.At(column, below).Brightness(), 100) << "the box's bottom edge, look " << look;
    // The new line under the box shows nothing but the caret.
    const auto marks = pixels.InkColumns({page.x + 60, below + 2, 200, 40}, DarkInk);
    caretSeen = marks.size() == 1 && marks.front().second - marks.front().first < 3;
    session.Settle(250);
  }
  EXPECT_TRUE(caretSeen) << "the caret shows on the new line";
  session.Type("X");
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"He waits.", "Fix this later.", "X"}));
}

// The bottom edge of the one note box a screenshot shows: whether every
// pixel of the row under its face is dark, from its left side to its right.
bool NoteBoxBottomIsWhole(DesktopSession& session, const std::string& shotName) {
  const ScreenPixels pixels(session, session.Screenshot(shotName));
  if (!pixels.Loaded()) return false;
  const Box page = pixels.WhiteAround(kProbeX, kProbeY);
  const auto face = pixels.InkRows({page.x + 300, page.y, 1, page.height}, NoteFace);
  if (face.size() != 1) return false;
  const int lastFaceRow = face.front().second;
  const auto runs = pixels.InkColumns({page.x, lastFaceRow, page.width, 1}, NoteFace);
  if (runs.empty()) return false;
  for (int x = runs.front().first; x <= runs.back().second; ++x)
    if (pixels.At(x, lastFaceRow + 1).Brightness() >= 100) return false;
  return true;
}

// A note of two lines, the second begun with Enter (a hard return in a
// note by the option): its box keeps its bottom edge under the last line's
// text, and again once Redraw Screen has painted the window anew.
TEST(ScriptNoteDesktopTest, ATwoLineNoteKeepsItsBoxWholeUnderItsLastLine) {
  testing::TempFolder home;
  std::ofstream(home.File("QUILLPAD.INI")) << "[Editing Options]\nEnter in Note is HR=1\n";
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ActionThenNote(session, "Fix this.");
  session.Type("And that.", 150);
  session.Keys("ctrl+alt+Home", 600);  // the blinking caret off the box's edge
  session.Settle(600);
  EXPECT_TRUE(NoteBoxBottomIsWhole(session, "script_note_two_lines")) << "as typed";
  session.Keys("alt+w w", 800);  // Window > Redraw Screen
  session.Settle(600);
  EXPECT_TRUE(NoteBoxBottomIsWhole(session, "script_note_two_lines_redrawn")) << "redrawn";
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"He waits.", "Fix this.", "And that."}));
}

// The element list's chosen entry, in the highlight colour.
bool ChosenEntry(const Rgb& p) { return p.b > 100 && p.r < 60 && p.g < 60; }

// The element list F4 drops under the type box lies over the script's first
// lines: its lower edge shows, so the line it cuts does not look wiped out;
// once Escape closed it, the text it covered shows as before.
TEST(ElementListRepaintDesktopTest, TheTextUnderTheListShowsAgainOnceItCloses) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  for (int line = 0; line < 8; ++line) {
    session.Type("He waits at the door, then knocks twice.", 40);
    session.Keys("Return", 300);
  }
  session.Keys("ctrl+alt+Home", 800);  // the caret left of the list
  const auto inkUnderTheList = [&session](const std::string& shotName) {
    const ScreenPixels pixels(session, session.Screenshot(shotName));
    const Box page = pixels.WhiteAround(kProbeX, kProbeY);
    // The list's columns, from the type box down past the list's lower edge.
    return pixels.InkRows({280, page.y, 200, 300}, DarkInk);
  };
  const auto before = inkUnderTheList("element_list_repaint_before");
  ASSERT_FALSE(before.empty()) << "the text runs under the list";
  session.Keys("F4", 1000);
  const ScreenPixels open(session, session.Screenshot("element_list_repaint_open"));
  // The list shows where it ends: its chosen entry's row gives its width,
  // and a row of its edge runs the whole width below its entries.
  const Box around{250, 40, 260, 260};
  const auto chosen = open.InkColumns(around, ChosenEntry);
  ASSERT_EQ(chosen.size(), 1u) << "the chosen entry shows";
  const int left = chosen.front().first + 2, right = chosen.front().second - 2;
  const auto chosenRows = open.InkRows(around, ChosenEntry);
  ASSERT_FALSE(chosenRows.empty());
  bool edge = false;
  for (int y = chosenRows.back().second + 1; y < around.Bottom() && !edge; ++y) {
    edge = true;
    for (int x = left; x <= right && edge; ++x) edge = open.At(x, y).Brightness() < 180;
  }
  EXPECT_TRUE(edge) << "the list's lower edge shows";
  session.Keys("Escape", 1200);
  EXPECT_EQ(inkUnderTheList("element_list_repaint_after"), before);
}

}  // namespace
}  // namespace qm::desktop
