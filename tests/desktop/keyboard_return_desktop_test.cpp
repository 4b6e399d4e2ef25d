// Menu commands chosen with Alt and a letter, and dialogs that close: the
// keyboard comes back to the active script, so what the writer types next
// lands in it rather than in the menu bar or nowhere.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "desktop/desktop_session.h"
#include "desktop/file_dialog.h"

namespace qm::desktop {
namespace {

// The first script gets the keyboard with a click and a heading typed.
void TypeHeading(DesktopSession& session) {
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
}

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
  TypeHeading(session);
  session.Keys(c.keys);
  session.Settle(1200);
  session.Type("EXT. ROOF");
  session.Screenshot(std::string("menu_keys_") + c.name);
  EXPECT_EQ(session.ScriptText(), std::string(c.expected)) << "after " << c.keys;
}

INSTANTIATE_TEST_SUITE_P(Commands, MenuKeysDesktopTest,
                         ::testing::Values(
                             // A new script takes the keyboard; the first one keeps its heading.
                             MenuCase{"FileNew", "alt+f n", "EXT. ROOF\n"},
                             // Cascade keeps the same script active with its caret at the end.
                             MenuCase{"WindowCascade", "alt+w c", "INT. HALL - DAYEXT. ROOF\n"}),
                         [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.name); });

// The print dialog's Print button as the dialog opens on the 1400 x 900 display.
constexpr int kPrintButtonX = 752, kPrintButtonY = 605;

TEST(PrintKeysDesktopTest, TypingAfterPrintingToPdfReachesTheScript) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  TypeHeading(session);
  session.Keys("alt+f p");
  session.Settle(1500);
  ASSERT_TRUE(session.WaitForWindowTitle("Print")) << session.ActiveWindowTitle();
  // The dialog's Print button, with the mouse.
  session.Click(kPrintButtonX, kPrintButtonY);
  // The file the PDF goes to, as proposed, and the message saying where.
  ASSERT_TRUE(AnswerFileDialog(session, "Print to PDF")) << session.ActiveWindowTitle();
  session.Settle(1500);
  ASSERT_TRUE(session.ActivateWindowTitled("Print to PDF")) << session.ActiveWindowTitle();
  session.Keys("Return", 1500);
  session.Type("EXT. ROOF");
  session.Screenshot("print_typed");
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAYEXT. ROOF\n");
}

// The bookmark window's Close button where it opens beside the first script.
constexpr int kCloseBookmarksX = 663, kCloseBookmarksY = 284;

// The window opens with the keyboard in its list; Shift+Tab goes back to
// the name box, which offers the element's text selected, so the name
// typed there replaces it and Return sets it.
TEST(BookmarkKeysDesktopTest, ANameTypedInTheNameBoxIsSet) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  TypeHeading(session);
  session.Keys("ctrl+alt+b");
  ASSERT_TRUE(session.WaitForWindowTitle("Bookmarks")) << session.ActiveWindowTitle();
  session.Keys("shift+Tab");
  session.Type("Roof");
  session.Keys("Return");
  session.Settle(800);
  session.Screenshot("bookmark_named");
  session.Click(kCloseBookmarksX, kCloseBookmarksY);
  session.Settle(600);
  session.Keys("F10");
  session.Settle(1500);
  session.Type(session.Home() + "/HALL.QMW", 60);
  session.Keys("Return");
  session.Settle(2500);
  session.Screenshot("bookmark_saved");
  // The saved script's bookmark table holds the typed name alone, its
  // length byte first.
  std::ifstream file(session.Home() + "/HALL.QMW", std::ios::binary);
  ASSERT_TRUE(file) << "the script was not saved";
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(bytes.find(std::string("\x04Roof", 5)), std::string::npos);
}

}  // namespace
}  // namespace qm::desktop
