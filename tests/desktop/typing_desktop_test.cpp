// Typing into the real program at a writer's pace.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

TEST(TypingDesktopTest, AHeadingTypedAtAWritersPaceComesBackAsTyped) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Screenshot("typing_heading");
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAY\n");
}

}  // namespace
}  // namespace qm::desktop
