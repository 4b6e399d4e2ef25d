// An interactive script made on a fresh install: the multimedia formats
// loaded through the Format menu, then branch targets and a branch point
// typed, renumbered and followed, on a real display.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
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

// The branch point dialog's two lists, as laid out in its client area.
constexpr int kSourceX = 8 + 60, kJumpListX = 284 + 60, kListTop = 28, kRowHeight = 16;

int RowY(const WindowGeometry& dialog, int row) { return dialog.y + kListTop + row * kRowHeight + kRowHeight / 2; }

// The branch point dialog opened from the right panel's A button: a click
// picks a target, the Right arrow takes it across, a drag puts another in
// front of it, and Build writes them in that order.
TEST(InteractiveScriptDesktopTest, TheBranchPointDialogTakesTheTargetsPickedWithTheMouseAndKeys) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Keys("alt+m l m");
  session.Keys("Return");
  session.Keys("ctrl+s");
  session.Type("KITCHEN");
  session.Keys("Return ctrl+s");
  session.Type("YARD");
  session.Keys("Return");
  session.Type("Rain.");
  ASSERT_TRUE(session.ClickElementButton(3));
  ASSERT_TRUE(session.WaitForWindowTitle("Select which Branch Targets")) << session.ActiveWindowTitle();
  const std::optional<WindowGeometry> dialog = session.ActiveClientArea();
  ASSERT_TRUE(dialog);
  // RETURN (0), KITCHEN (1), YARD (2): YARD is clicked and taken across.
  session.Click(dialog->x + kSourceX, RowY(*dialog, 2));
  session.Keys("Right");
  session.Screenshot("branch_point_keyed");
  // KITCHEN dragged above it.
  session.Drag(dialog->x + kSourceX, RowY(*dialog, 1), dialog->x + kJumpListX, RowY(*dialog, 0));
  session.Screenshot("branch_point_dragged");
  session.Keys("alt+b");
  ASSERT_TRUE(session.WaitForTitleGone("Select which Branch Targets"));
  session.Screenshot("branch_point_built");
  const std::vector<std::string> lines = TextLines(session.ScriptText());
  const auto kitchen = std::find(lines.begin(), lines.end(), "GO TO KITCHEN (1)");
  const auto yard = std::find(lines.begin(), lines.end(), "GO TO YARD (2)");
  EXPECT_TRUE(kitchen != lines.end() && yard == kitchen + 1) << ::testing::PrintToString(lines);

  // Renumbering asks first, and No is its default: Return renumbers
  // nothing and no report follows.
  session.Keys("Escape alt+m b");
  ASSERT_TRUE(session.WaitForWindowTitle("Are you sure about this?")) << session.ActiveWindowTitle();
  session.Keys("Return");
  EXPECT_TRUE(session.WaitForTitleGone("Are you sure about this?"));
  EXPECT_FALSE(session.WaitForWindowTitle("All Done", 3)) << "renumbered";
}

}  // namespace
}  // namespace qm::desktop
