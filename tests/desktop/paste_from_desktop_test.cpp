// Paste From on the real desktop, as a writer uses it: a plain-text
// screenplay chosen in the file dialog, read as text when the writer says
// so, goes in at the caret of the script being written, its heading and
// action becoming elements of their own.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"
#include "desktop/file_dialog.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

TEST(PasteFromDesktopTest, APlainTextScreenplayIsMergedAtTheCaret) {
  testing::TempFolder home;
  // Named as a script, as the dialog offers only script files.
  const std::string file = home.Path() + "/YARD.SCR";
  // Longer than a text that is simply typed.
  testing::WriteFileText(file, "EXT. YARD - DAY\n\nBirds sing in the yard all day long.\n");
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("First.", 250);
  // Edit > Paste from..., which offers script files.
  session.Keys("alt+e f", 700);
  ASSERT_TRUE(AnswerFileDialog(session, "Paste From", file)) << session.ActiveWindowTitle();
  // Plain text is no format the program can name by itself: Yes reads it.
  ASSERT_TRUE(session.WaitForWindowTitle("What should I do, Master?")) << session.ActiveWindowTitle();
  session.Screenshot("paste_from_question");
  session.Keys("alt+y", 1000);
  // Text from another program asks how it is to be read; OK reads it as a screenplay.
  ASSERT_TRUE(session.ActivateWindowTitled("How should I Interpret This Text?")) << session.ActiveWindowTitle();
  session.Screenshot("paste_from_interpret");
  session.Keys("Return", 1000);
  ASSERT_TRUE(session.WaitForTitleGone("How should I Interpret This Text?")) << "the text was not read";
  session.Screenshot("paste_from_merged");
  EXPECT_EQ(session.ScriptText(), "First.\n\nEXT. YARD - DAY\n\nBirds sing in the yard all day long.\n");
}

}  // namespace
}  // namespace qm::desktop
