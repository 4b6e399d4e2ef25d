// An interactive script made on a fresh install: the multimedia formats
// loaded through the Format menu, then branch targets and a branch point
// typed, renumbered and followed, on a real display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The element type list that F4 opens under the type box, one row for
// each type in a fixed order; the row of the branch point (Transition).
constexpr int kTypeListX = 320;
constexpr int kBranchPointRowY = 227;
// The branch point's marker, left of its text on the fifth line of the page.
constexpr int kBranchMarkerX = 420;
constexpr int kBranchMarkerY = 261;

void StartBranchPoint(DesktopSession& session) {
  session.Keys("F4");
  session.Click(kTypeListX, kBranchPointRowY);
}

TEST(InteractiveScriptDesktopTest, ABranchPointIsRenumberedAndFollowed) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  // Format > Load Script Format > Multimedia, then the report's OK.
  session.Keys("alt+m l m");
  session.Screenshot("interactive_formats_loaded");
  session.Keys("Return alt+g");
  session.Screenshot("interactive_goto_menu");
  session.Keys("Escape Escape");
  // Two branch targets (Ctrl+S starts one) and a branch point that goes
  // to the second.
  session.Keys("ctrl+s");
  session.Type("KITCHEN");
  session.Keys("Return");
  session.Type("Hi.");
  session.Keys("Return ctrl+s");
  session.Type("YARD");
  session.Keys("Return");
  StartBranchPoint(session);
  session.Type("GO TO YARD (2)");
  session.Screenshot("interactive_typed");
  // A third target put between the two takes the next free number.
  session.Keys("ctrl+alt+Home Down End Return ctrl+s");
  session.Type("HALL");
  session.Screenshot("interactive_target_inserted");
  // Format > Renumber all Branch Targets, Yes, then the report's OK.
  session.Keys("alt+m b");
  session.Screenshot("interactive_renumber_asked");
  session.Keys("alt+y");
  session.Screenshot("interactive_renumbered");
  session.Keys("Return");
  // A double click on the branch point's marker follows it to its target,
  // where the caret stands at the start.
  session.DoubleClick(kBranchMarkerX, kBranchMarkerY);
  session.Settle();
  session.Type("X");
  session.Screenshot("interactive_followed");
  EXPECT_EQ(TextLines(session.ScriptText()),
            (std::vector<std::string>{"KITCHEN", "Hi.", "HALL", "XYARD", "GO TO YARD (3)"}));
}

}  // namespace
}  // namespace qm::desktop
