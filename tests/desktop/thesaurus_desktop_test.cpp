// The synonym list on the real program: a synonym clicked is chosen, and
// Replace puts it in place of the word at the caret as one undo step.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// Where the dialog's controls stand from the place the window manager
// reports for it (measured on its screenshots): the fourth line of the
// synonym list, and the Replace button.
constexpr int FourthLineX = 40, FourthLineY = 106;
constexpr int ReplaceX = 264, ReplaceY = 17;

TEST(ThesaurusDesktopTest, AClickedSynonymReplacesTheWordAsOneUndoStep) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("We walk on");
  session.Keys("Left Left Left Left");
  session.Keys("F5");
  ASSERT_TRUE(session.WaitForWindowTitle("Get Synonyms", 10)) << session.ActiveWindowTitle();
  const std::optional<WindowGeometry> dialog = session.ActiveWindowGeometry();
  ASSERT_TRUE(dialog.has_value());
  session.Screenshot("thesaurus_list");
  // A synonym, past the first group and its separator line.
  session.Click(dialog->x + FourthLineX, dialog->y + FourthLineY);
  session.Settle();
  session.Screenshot("thesaurus_chosen");
  session.Click(dialog->x + ReplaceX, dialog->y + ReplaceY);
  ASSERT_TRUE(session.WaitForTitleGone("Get Synonyms", 5)) << "Replace closes the list";
  session.Screenshot("thesaurus_replaced");
  const std::string replaced = session.ScriptText();
  EXPECT_EQ(replaced.rfind("We ", 0), 0u) << replaced;
  EXPECT_EQ(replaced.find("walk"), std::string::npos) << replaced;
  EXPECT_NE(replaced.find(" on"), std::string::npos) << replaced;
  // The copy's Select All moves the caret only and takes no step: one Undo
  // takes the whole word back.
  session.Keys("ctrl+z");
  session.Settle();
  EXPECT_EQ(session.ScriptText(), "We walk on\n");
}

}  // namespace
}  // namespace qm::desktop
