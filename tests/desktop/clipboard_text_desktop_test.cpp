// Plain text on the real desktop's clipboard: the program's own text, kept
// by the desktop as plain text only, pastes back as it was.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The text's bytes in the script's character set happen to read as UTF-8
// too; read that way a second time its accent would change.
TEST(ClipboardTextDesktopTest, OwnPlainTextPastesBackUnchanged) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  const std::string action = "The sign reads 4\xC3\x97\xC2\xB0 and swings in the wind over the inn door.";
  session.ClickInScript();
  session.Type(action, 250);
  ASSERT_EQ(session.ScriptText(), action + "\n");
  session.SetClipboard(session.Clipboard());
  // Into a new script; text this long asks how it is to be read.
  session.Keys("alt+f n");
  ASSERT_TRUE(session.WaitForWindowTitle("NONAME2"));
  session.Keys("shift+Insert");
  session.Settle();
  session.Screenshot("clipboard_text_paste_as");
  session.Keys("Return");
  session.Settle();
  session.Screenshot("clipboard_text_pasted");
  // No notice of lost characters stands in the way, and the text read is
  // the script's own, not what the clipboard held before.
  EXPECT_NE(session.ActiveWindowTitle().find("NONAME2"), std::string::npos) << session.ActiveWindowTitle();
  session.SetClipboard("");
  EXPECT_EQ(session.ScriptText(), action + "\n");
}

}  // namespace
}  // namespace qm::desktop
