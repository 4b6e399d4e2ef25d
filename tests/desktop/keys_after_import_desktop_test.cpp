// A script read from an RTF file and closed again leaves the program as it
// found it: the menu keys still work, and text another program copies
// afterwards pastes into the next script.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

constexpr const char* kBarnRtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}\\f0\\fs24 "
                                 "INT. BARN - NIGHT\\par Rain drums on the roof.\\par}";

// After every question an answer, at a writer's pace; false when a window
// did not come.
bool ImportBarnAndCloseIt(DesktopSession& session) {
  const std::string rtf = session.Home() + "/Scripts/Barn.RTF";
  testing::WriteFileText(rtf, kBarnRtf);
  session.Keys("shift+F10");
  if (!session.WaitForWindowTitle("Open")) return false;
  session.Type(rtf, 60);
  session.Keys("Return");
  if (!session.WaitForWindowTitle("How should I Interpret")) return false;
  session.Keys("Return");
  if (!session.WaitForWindowTitle("Barn.QMW")) return false;
  session.Screenshot("keys_after_import_opened");
  // Closing the unsaved import: "Save?" No, then "Are you SURE?" Yes.
  session.Keys("ctrl+F4");
  session.Settle(1000);
  session.Keys("alt+n");
  session.Settle(1000);
  session.Keys("alt+y");
  // No backup of the changes it leaves on the backup drive.
  session.AnswerBox("Be good now", "n");
  return session.WaitForTitleGone("Barn.QMW");
}

TEST(KeysAfterImportDesktopTest, MenuKeysAndPasteStillWorkAfterAnImportedScriptIsClosed) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ASSERT_TRUE(ImportBarnAndCloseIt(session)) << session.ActiveWindowTitle();
  session.Settle(1000);
  session.Screenshot("keys_after_import_closed");
  // A menu key with no script open: File Open.
  session.Keys("shift+F10");
  ASSERT_TRUE(session.WaitForWindowTitle("Open")) << "Shift+F10 did nothing: " << session.ActiveWindowTitle();
  session.Keys("Escape");
  session.Settle(800);
  // A new script, and only then another program copies a line.
  session.Keys("alt+f n");
  ASSERT_TRUE(session.WaitForWindowTitle("NONAME")) << session.ActiveWindowTitle();
  session.ClickInScript();
  const std::string copied = "The hayloft door bangs.";
  session.SetClipboard(copied);
  session.Keys("shift+Insert");
  session.Settle(1200);
  if (session.ActiveWindowTitle().find("How should I Interpret") != std::string::npos) session.Keys("Return");
  session.Settle(800);
  session.Screenshot("keys_after_import_pasted");
  session.SetClipboard("");
  EXPECT_EQ(session.ScriptText(), copied + "\n");
}

}  // namespace
}  // namespace qm::desktop
