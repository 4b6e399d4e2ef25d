// Return in a dialog presses its default button, as a writer expects,
// without first clicking the dialog: the Print to PDF file dialog saves
// under the name typed, and the Production Breakdowns dialog runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

TEST(DefaultButtonDesktopTest, ReturnInThePrintToPdfFileDialogSavesUnderTheNameTyped) {
  testing::TempFolder home;
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("ctrl+p");
  ASSERT_TRUE(session.WaitForWindowTitle("Print...")) << session.ActiveWindowTitle();
  session.Keys("Return");
  // The file dialog comes up with the keyboard: the writer types at once.
  ASSERT_TRUE(session.WaitForWindowTitle("Print to PDF")) << session.ActiveWindowTitle();
  session.Settle(1000);
  session.Screenshot("default_button_pdf_dialog");
  session.Keys("ctrl+a BackSpace", 300);
  session.Type("draft");
  session.Screenshot("default_button_pdf_named");
  session.Keys("Return", 1500);
  session.Screenshot("default_button_pdf_return");
  const std::string pdf = home.File("Scripts/draft.pdf");
  EXPECT_TRUE(session.WaitForFile(pdf)) << "no " << pdf << "; active: " << session.ActiveWindowTitle();
  // The message saying where comes next, and Return answers it too.
  ASSERT_TRUE(session.WaitForWindowTitle("Print to PDF")) << session.ActiveWindowTitle();
  session.Screenshot("default_button_pdf_message");
  session.Keys("Return", 1000);
  EXPECT_TRUE(session.WaitForTitleGone("Print to PDF")) << "the message stays";
  EXPECT_NE(session.ActiveWindowTitle().find("Quillmaster"), std::string::npos) << session.ActiveWindowTitle();
}

TEST(DefaultButtonDesktopTest, ReturnInTheProductionBreakdownsDialogRunsTheReport) {
  testing::TempFolder home;
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. BARN - DAY");
  // Production > Breakdowns opens on its first item; Print Standard
  // Breakdowns is the tenth (its letter is also ShootPlan's).
  session.Keys("alt+r b", 700);
  session.Keys("Down Down Down Down Down Down Down Down Down Return", 300);
  ASSERT_TRUE(session.WaitForWindowTitle("Production Breakdowns")) << session.ActiveWindowTitle();
  session.Screenshot("default_button_breakdowns_dialog");
  session.Keys("Return", 1500);
  session.Screenshot("default_button_breakdowns_return");
  EXPECT_TRUE(session.WaitForTitleGone("Production Breakdowns")) << "Return did not run the breakdown";
  // The run looks for character names first; the script has none.
  ASSERT_TRUE(session.WaitForWindowTitle("Breakdowns")) << session.ActiveWindowTitle();
  session.Keys("alt+y", 1500);
  // The report goes to a PDF, named by Return too.
  ASSERT_TRUE(session.WaitForWindowTitle("Print to PDF")) << session.ActiveWindowTitle();
  session.Settle(1000);
  session.Screenshot("default_button_breakdowns_pdf_dialog");
  session.Keys("ctrl+a BackSpace", 300);
  session.Type("barn");
  session.Keys("Return", 1500);
  const std::string pdf = home.File("Scripts/barn.pdf");
  ASSERT_TRUE(session.WaitForFile(pdf)) << "no " << pdf << "; active: " << session.ActiveWindowTitle();
  ASSERT_TRUE(session.WaitForWindowTitle("Print to PDF")) << session.ActiveWindowTitle();
  session.Screenshot("default_button_breakdowns_pdf_message");
  session.Keys("Return", 1000);
  const std::string text = testing::CommandOutput("pdftotext -layout '" + pdf + "' -");
  EXPECT_NE(text.find("BARN"), std::string::npos) << text;
}

}  // namespace
}  // namespace qm::desktop
