// A speaker who speaks again after an interruption gets the script's
// continued mark after the name, on screen and in the copied text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// How the writer gives the cue its extension after typing "(": from the
// menu, or typed as text after Add as Text.
struct ExtensionWay {
  const char* name;
  const char* menuKey;  // the keys that choose the menu item
  const char* typed;    // what is typed after it
  const char* cue;      // the cue's own text, as copied
};

class ContinuedCueDesktopTest : public ::testing::TestWithParam<ExtensionWay> {
 protected:
  void TypeCue(DesktopSession& session) {
    session.Keys("Tab");
    session.Type("edward ");
    session.Type("(");
    session.Keys(GetParam().menuKey);
    if (*GetParam().typed) session.Type(GetParam().typed);
    session.Keys("Return");
  }
};

// The continued mark follows the cue's extension after a blank, on screen
// and on paper.
TEST_P(ContinuedCueDesktopTest, TheMarkFollowsTheExtensionAfterABlank) {
  const ExtensionWay& way = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  TypeCue(session);
  session.Type("Hello.");
  session.Keys("Return");
  session.Type("He sits.");
  session.Keys("Return");
  TypeCue(session);
  session.Type("Again.");
  session.Screenshot(std::string("continued_cue_") + way.name);
  EXPECT_EQ(TextLines(session.ScriptText()),
            (std::vector<std::string>{"INT. HALL - DAY", way.cue, "Hello.", "He sits.", way.cue, "Again."}))
      << "the marks are not part of the names' text";
  // Printed to PDF: the print dialog, the file proposed, the message saying where.
  const std::string paper = session.PrintedText();
  ASSERT_FALSE(paper.empty()) << session.ActiveWindowTitle();
  EXPECT_NE(paper.find("EDWARD (V.O.) (CONT'D)"), std::string::npos) << paper;
  EXPECT_EQ(paper.find(")(CONT'D)"), std::string::npos) << paper;
}

// V.O. shares its letter with Nevermind, so the letter only marks it.
INSTANTIATE_TEST_SUITE_P(Ways, ContinuedCueDesktopTest,
                         ::testing::Values(ExtensionWay{"FromTheMenu", "v Return", "", "EDWARD"},
                                           ExtensionWay{"TypedAsText", "x", "V.O.)", "EDWARD (V.O.)"}),
                         [](const ::testing::TestParamInfo<ExtensionWay>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace qm::desktop
