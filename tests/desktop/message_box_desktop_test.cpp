// Message boxes and the name picker on a real display: a message's widest
// line shows whole, the button framed as the default is the one Return
// presses, and the picker's prompt is not hidden under its close box.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "desktop/command_walk.h"
#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += "\n  " + line;
  return all;
}

struct MessageCase {
  const char* name;
  bool interactive;
  // Gets the message up; false when a step did not come.
  bool (*open)(DesktopSession&);
  const char* title;
};

bool RunItem(DesktopSession& session, const std::string& item, bool interactive) {
  const std::string keys = MenuKeysOf(item, interactive);
  if (keys.empty()) return false;
  session.Keys(keys, 400);
  return true;
}

bool CheatTheLastPage(DesktopSession& session) { return RunItem(session, "Page2", false); }

bool RenumberBranchTargets(DesktopSession& session) { return RunItem(session, "RenumberBTargetsItem", true); }

bool OpenTheOpenScriptAgain(DesktopSession& session) {
  if (!session.SaveScriptAs("Twice")) return false;
  session.Keys("shift+F10");
  if (!session.WaitForWindowTitle("Open")) return false;
  session.Type(session.Home() + "/Scripts/Twice.QMW", 40);
  session.Keys("Return");
  return true;
}

class MessageFitDesktopTest : public ::testing::TestWithParam<MessageCase> {};

// The messages the writers found cut at their widest line: each shows with
// no text of the box wider than its room, and the box is looked at.
TEST_P(MessageFitDesktopTest, TheWidestLineShowsWhole) {
  const MessageCase& c = GetParam();
  const testing::TempFolder home;
  if (c.interactive) std::ofstream(home.File("QUILLPAD.INI")) << "[Format Options]\nInteractive Script=1\n";
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("The door opens.");
  const std::vector<std::string> before = session.CutTexts();
  EXPECT_TRUE(before.empty()) << "cut before the message:" << Joined(before);
  ASSERT_TRUE(c.open(session)) << session.ActiveWindowTitle();
  ASSERT_TRUE(session.WaitForWindowTitle(c.title)) << session.ActiveWindowTitle();
  session.Settle(800);
  session.Screenshot(std::string("message_fit_") + c.name);
  const std::vector<std::string> cut = session.CutTexts();
  EXPECT_TRUE(cut.empty()) << "cut:" << Joined(cut);
  session.Keys("Escape", 600);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MessageFitDesktopTest,
    ::testing::Values(MessageCase{"CheatLastPage", false, CheatTheLastPage, "Sorry..."},
                      MessageCase{"RenumberBranchTargets", true, RenumberBranchTargets, "Are you sure about this?"},
                      MessageCase{"OpenTwice", false, OpenTheOpenScriptAgain, "ATTENTION"}),
    [](const ::testing::TestParamInfo<MessageCase>& info) { return std::string(info.param.name); });

// The desktop frames the default button in its highlight colour: pixels
// on the button's outer edge clearly bluer than grey.
int FramePixels(const ScreenPixels& pixels, const Box& button) {
  int count = 0;
  for (int y = button.y; y < button.Bottom(); ++y)
    for (int x = button.x; x < button.Right(); ++x) {
      const bool edge = x < button.x + 3 || x >= button.Right() - 3 || y < button.y + 3 || y >= button.Bottom() - 3;
      const Rgb p = pixels.At(x, y);
      if (edge && p.b > p.r + 40 && p.b > p.g + 10) ++count;
    }
  return count;
}

// The box's three buttons stand 77 wide at 40, 157 and 274, 27 high, their
// tops 38 above the client area's bottom.
Box ButtonOfBox(const WindowGeometry& area, int left) { return Box{area.x + left, area.y + area.height - 38, 77, 27}; }

// "Save ...?" after a message whose one button stood in the middle: Yes is
// framed, not No, and Return answers Yes (an unnamed script asks for its name).
TEST(MessageBoxDesktopTest, TheFramedButtonIsTheOneReturnPresses) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("The door opens.");
  session.Keys("alt+h a", 700);
  ASSERT_TRUE(session.WaitForWindowTitle("About")) << session.ActiveWindowTitle();
  session.Keys("Return", 800);
  ASSERT_TRUE(session.WaitForTitleGone("About"));
  session.Keys("ctrl+F4", 800);
  ASSERT_TRUE(session.WaitForWindowTitle("ATTENTION")) << session.ActiveWindowTitle();
  session.Settle(800);
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  ASSERT_TRUE(area);
  const ScreenPixels pixels(session, session.Screenshot("message_box_default_frame"));
  ASSERT_TRUE(pixels.Loaded());
  const int yes = FramePixels(pixels, ButtonOfBox(*area, 40));
  const int no = FramePixels(pixels, ButtonOfBox(*area, 157));
  const int cancel = FramePixels(pixels, ButtonOfBox(*area, 274));
  EXPECT_GT(yes, 20) << "Yes is not framed";
  EXPECT_LT(no, yes / 4) << "No is framed too";
  EXPECT_LT(cancel, yes / 4) << "Cancel is framed too";
  session.Keys("Return", 1000);
  EXPECT_TRUE(session.WaitForWindowTitle("Save As")) << session.ActiveWindowTitle();
  session.Screenshot("message_box_default_return");
  session.Keys("Escape", 800);
}

}  // namespace
}  // namespace qm::desktop
