// Text pasted into a locked script is a revision as typed text is: its
// lines carry the revision mark on screen and on paper.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The printed line that holds `words`, or "" when none does.
std::string PrintedLineWith(const std::string& paper, const std::string& words) {
  std::istringstream lines(paper);
  for (std::string line; std::getline(lines, line);)
    if (line.find(words) != std::string::npos) return line;
  return {};
}

TEST(PasteRevisionDesktopTest, PastedLinesOfALockedScriptAreMarkedRevised) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  // Another program's text, this long read as a screenplay rather than
  // typed; it is on the clipboard before the menus are brought up to date.
  session.SetClipboard("The pasted line runs on well past what the program would type in.");
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  session.Type("Old words.");
  session.Keys("Return");
  // Locked, the script marks its revisions.
  session.Keys("alt+r l");
  ASSERT_TRUE(session.WaitForWindowTitle("Lock The Script")) << session.ActiveWindowTitle();
  session.Screenshot("paste_revision_lock");
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForTitleGone("Lock The Script")) << session.ActiveWindowTitle();
  session.ClickInScript();
  session.Keys("shift+Insert");
  session.Settle();
  session.Screenshot("paste_revision_paste_as");
  session.Keys("Return");
  session.Settle();
  session.Screenshot("paste_revision_pasted");
  EXPECT_NE(session.ScriptText().find("The pasted line runs on"), std::string::npos) << session.ScriptText();

  const std::string paper = session.PrintedText();
  ASSERT_FALSE(paper.empty()) << session.ActiveWindowTitle();
  const std::string pasted = PrintedLineWith(paper, "The pasted line");
  ASSERT_FALSE(pasted.empty()) << paper;
  EXPECT_NE(pasted.find('*'), std::string::npos) << paper;
  EXPECT_EQ(PrintedLineWith(paper, "Old words.").find('*'), std::string::npos) << paper;
}

}  // namespace
}  // namespace qm::desktop
