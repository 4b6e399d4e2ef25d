// What the page shows and where a PDF goes, on the real program.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "desktop/desktop_session.h"
#include "desktop/file_dialog.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

// Waits for a window of the program with this title and gives it the
// keyboard, as a writer's click on it would.
// A home whose settings let Tab in a speech open its parenthetical.
void WriteSettings(const testing::TempFolder& home) {
  std::ofstream(home.File("QUILLPAD.INI")) << "[Editing Options]\nTab to Parenth=1\n";
}

TEST(PrintingDesktopTest, AParentheticalTypedShowsBetweenItsBrackets) {
  testing::TempFolder home;
  WriteSettings(home);
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return Tab");
  session.Type("ANNA");
  session.Keys("Return Tab");
  session.Type("under her breath");
  session.Screenshot("parenthetical_typed");
  const std::string text = session.ScriptText();
  EXPECT_NE(text.find("(under her breath)"), std::string::npos) << text;
  EXPECT_EQ(text.find("((under"), std::string::npos) << text;
}

TEST(PrintingDesktopTest, PrintToPdfAsksForTheFileAndSaysWhere) {
  testing::TempFolder home;
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("ctrl+p");
  ASSERT_TRUE(session.WaitForWindowTitle("Print...")) << session.ActiveWindowTitle();
  session.Screenshot("print_menu");
  session.Keys("Return");
  ASSERT_TRUE(session.ActivateWindowTitled("Print to PDF")) << session.ActiveWindowTitle();
  session.Screenshot("pdf_save_dialog");
  ASSERT_TRUE(AnswerFileDialog(session, "Print to PDF"));
  session.Settle(1500);
  EXPECT_TRUE(session.ActivateWindowTitled("Print to PDF")) << "the message saying where";
  session.Screenshot("pdf_written");
  EXPECT_EQ(session.Run({"xdotool", "search", "--onlyvisible", "--name", "^Printing$"}), "")
      << "the Printing window is gone before the message";
  session.Keys("Return");
  // A new script is named in the scripts folder; its PDF goes beside it.
  EXPECT_TRUE(Exists(home.File("Scripts/NONAME1.pdf")));
  EXPECT_FALSE(Exists(home.File("NONAME1.pdf"))) << "nothing lands in the settings folder";
}

}  // namespace
}  // namespace qm::desktop
