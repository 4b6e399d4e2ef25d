// The element type list that F4 opens over the script, with two scripts
// open: Escape closes the list and nothing else, so the script it was
// opened over stays in front and takes the next key.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

struct ListCase {
  const char* name;
  // From a fresh start with "INT. HALL" typed into the first script: the
  // steps that leave two scripts open, the one `front` names active.
  void (*prepare)(DesktopSession&);
  const char* front;  // the active script's title
  const char* after;  // its text with the letter typed at its caret
};

void NewScript(DesktopSession& session) {
  session.Keys("alt+f n", 1200);
  session.WaitForWindowTitle("NONAME2");
}

// Roof saved and closed, then opened again from the File menu's list of
// recent scripts while Hall stays open.
void RoofFromRecentList(DesktopSession& session) {
  if (!session.SaveScriptAs("Hall")) return;
  session.Keys("alt+f n", 1200);
  session.Type("EXT. ROOF");
  if (!session.SaveScriptAs("Roof")) return;
  session.Keys("ctrl+F4", 1200);
  // Saved changes the backup drive lacks: the close offers them, and No
  // closes without them.
  if (!session.AnswerBox("Be good now", "n")) return;
  if (!session.WaitForWindowTitle("Hall.QMW")) return;
  session.Keys("alt+f 1", 1200);
  session.WaitForWindowTitle("Roof.QMW");
}

// Back to the first script through the Window menu, then a dialog over it
// (Go to Page) closed with Escape.
void FirstAgainAfterADialog(DesktopSession& session) {
  NewScript(session);
  session.Keys("alt+w 1", 1500);
  session.Keys("ctrl+g", 1200);
  session.WaitForWindowTitle("Page");
  session.Keys("Escape", 1200);
}

class ElementListEscapeDesktopTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(ElementListEscapeDesktopTest, EscapeClosesTheListAndTheSameScriptTakesTheNextKey) {
  const ListCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL");
  c.prepare(session);
  ASSERT_TRUE(session.WaitForWindowTitle(c.front)) << session.ActiveWindowTitle();
  session.Keys("F4", 1000);
  session.Keys("Escape", 1000);
  session.Type("Q");
  session.Screenshot(std::string("element_list_escape_") + c.name);
  EXPECT_NE(session.ActiveWindowTitle().find(c.front), std::string::npos)
      << "another script came to the front: " << session.ActiveWindowTitle();
  EXPECT_EQ(session.ScriptText(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Orders, ElementListEscapeDesktopTest,
                         ::testing::Values(ListCase{"NewScript", NewScript, "NONAME2", "Q\n"},
                                           ListCase{"RecentList", RoofFromRecentList, "Roof.QMW", "QEXT. ROOF\n"},
                                           ListCase{"FirstAgainAfterADialog", FirstAgainAfterADialog, "NONAME1",
                                                    "INT. HALLQ\n"}),
                         [](const ::testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::desktop
