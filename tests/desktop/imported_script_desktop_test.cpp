// A script saved again as Kitchen.RTF (the type left as it stands) and
// that copy opened: the new window has a name of its own, and closing it
// with Return never writes over Kitchen.QMW.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(ImportedScriptDesktopTest, ACopyOpenedAgainAndClosedWithReturnLeavesTheScriptAlone) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  const std::string scripts = session.Home() + "/Scripts";
  session.ClickInScript();
  session.Type("INT. KITCHEN - DAY", 250);
  // Save As Kitchen: the script.
  session.Keys("F10");
  ASSERT_TRUE(session.WaitForWindowTitle("Save As"));
  session.Type("Kitchen", 120);
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForWindowTitle("Kitchen.QMW"));
  const std::string native = FileBytes(scripts + "/Kitchen.QMW");
  ASSERT_FALSE(native.empty());
  // Save As Kitchen.RTF.
  session.Keys("F10");
  ASSERT_TRUE(session.WaitForWindowTitle("Save As"));
  session.Keys("ctrl+a");
  session.Type("Kitchen.RTF", 120);
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForWindowTitle("Kitchen.RTF"));
  // File Open Kitchen.RTF, the window's own file: opening it twice is confirmed.
  session.Keys("shift+F10");
  ASSERT_TRUE(session.WaitForWindowTitle("Open"));
  session.Type(scripts + "/Kitchen.RTF", 60);
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForWindowTitle("ATTENTION"));
  session.Type("YES", 200);
  ASSERT_TRUE(session.WaitForWindowTitle("NONAME2.QMW")) << session.ActiveWindowTitle();
  session.Screenshot("copy_opened_again");
  // A change, then closing asks to save; Return says Yes, which asks for a
  // name: Escape.
  session.Keys("End");
  session.Type(" X", 250);
  session.Keys("ctrl+F4");
  session.Settle(1000);
  session.Screenshot("copy_close_question");
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForWindowTitle("Save As"));
  session.Keys("Escape");
  session.Settle(800);
  session.Keys("Return");  // "File was NOT Saved!"
  session.Settle(800);
  session.Screenshot("copy_still_open");
  EXPECT_TRUE(FileBytes(scripts + "/Kitchen.QMW") == native) << "Kitchen.QMW was written over";
  EXPECT_NE(session.ActiveWindowTitle().find("NONAME2.QMW"), std::string::npos) << "the unsaved copy stays open";
}

}  // namespace
}  // namespace qm::desktop
