// A writer who stops to think before each new element: the repagination
// falls due while the element is still empty, and what is typed next must
// come back exactly as typed.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// Longer than the default pagination delay of one second.
constexpr int kThinkingMs = 1800;

TEST(PauseDesktopTest, APauseBeforeEachElementAddsNoBlankAfterItsFirstWord) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  session.Settle(kThinkingMs);
  session.Type("She turns away.");
  session.Keys("Return Tab");
  session.Type("RUTH");
  session.Keys("Return");
  session.Settle(kThinkingMs);
  session.Type("You said so.");
  session.Screenshot("pause_before_elements");
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAY\n\nShe turns away.\n\nRUTH\nYou said so.\n");
}

}  // namespace
}  // namespace qm::desktop
