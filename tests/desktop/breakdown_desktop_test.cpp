// Breakdown tagging at a writer's pace on the real desktop: a word marked
// and tagged from the right-click categories shows its category, and the
// standard breakdowns printed on the dialog's defaults list it.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"
#include "desktop/file_dialog.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// Opens Production > Breakdowns from the menu bar, which lies just above
// the window's reported top; its first item is then highlighted.
void OpenBreakdownsMenu(DesktopSession& session, const WindowGeometry& main) {
  session.Click(main.x + 452, main.y - 11);
  session.Keys("b", 700);
}

TEST(BreakdownDesktopTest, ARightClickTagShowsItsCategoryAndTheStandardBreakdownsListIt) {
  testing::TempFolder home;
  // The tag code letters were checked once, as in a production office.
  testing::WriteFileText(home.Path() + "/QUILLPAD.INI", "[Breakdowns]\r\nChecked Code Usage=1\r\n");
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. BARN - DAY");
  session.Keys("Return", 1000);
  session.Type("A truck waits.");
  // The main window has the keyboard now.
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main) << session.ActiveWindowTitle();
  // From the end, back over " waits." and then over "truck".
  session.Keys("End Left Left Left Left Left Left Left shift+Left shift+Left shift+Left shift+Left shift+Left", 300);

  OpenBreakdownsMenu(session, *main);
  session.Screenshot("breakdown_menu");
  session.Keys("Return", 1000);  // Tagging Mode
  // The right click offers the categories; V is Vehicles.
  session.Click(main->x + 200, main->y + 150, 3);
  session.Screenshot("breakdown_categories");
  session.Keys("v", 1000);
  session.Screenshot("breakdown_tagged");

  OpenBreakdownsMenu(session, *main);
  // Down to Print Standard Breakdowns, the tenth item.
  session.Keys("Down Down Down Down Down Down Down Down Down", 250);
  session.Screenshot("breakdown_print_item");
  session.Keys("Return", 1000);
  ASSERT_TRUE(session.WaitForWindowTitle("Production Breakdowns")) << session.ActiveWindowTitle();
  session.Screenshot("breakdown_dialog");
  const std::optional<WindowGeometry> dialog = session.ActiveWindowGeometry();
  ASSERT_TRUE(dialog);
  // OK on the defaults (the reported top lies below the window's own).
  session.Click(dialog->x + 343, dialog->y + 411);
  ASSERT_TRUE(session.WaitForTitleGone("Production Breakdowns"))
      << "OK at " << dialog->x + 343 << "," << dialog->y + 411 << " missed";
  // The script has no character names: go on without them.
  ASSERT_TRUE(session.WaitForWindowTitle("Breakdowns")) << session.ActiveWindowTitle();
  session.Screenshot("breakdown_no_names");
  session.Keys("alt+y", 2000);
  // The report's file, as proposed beside the script, saved by the mouse;
  // the report is written once the dialog closes, which takes its time on
  // a busy machine.
  ASSERT_TRUE(AnswerFileDialog(session, "Print to PDF")) << session.ActiveWindowTitle();
  session.Settle(1000);
  session.Screenshot("breakdown_pdf_saved");
  std::string pdf;
  for (int tries = 0; tries < 120 && pdf.empty(); ++tries) {
    pdf = testing::CommandOutput("find '" + session.Home() + "' -name '*.pdf' -size +0 | head -n 1");
    session.Settle(500);
  }
  ASSERT_FALSE(pdf.empty()) << "no PDF was written";
  // The message saying where.
  EXPECT_TRUE(session.ActivateWindowTitled("Print to PDF")) << session.ActiveWindowTitle();
  session.Keys("Return", 1000);
  const std::string text = testing::CommandOutput("pdftotext -layout '" + pdf.substr(0, pdf.find('\n')) + "' -");
  EXPECT_NE(text.find("INT. BARN - DAY"), std::string::npos) << text;
  EXPECT_NE(text.find("Vehicles:"), std::string::npos) << text;
  EXPECT_NE(text.find("truck"), std::string::npos) << text;
}

}  // namespace
}  // namespace qm::desktop
