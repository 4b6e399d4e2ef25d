// Window messages and atoms between two processes, through the platform's
// own calls (FindWindow, PostMessage, the application hook).
#include <gtest/gtest.h>

#include <chrono>

#include "platform/forms.h"
#include "platform/messages.h"
#include "support/child_process.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

constexpr const char* kTitle = "Quillmaster for Windows";

class InstanceMessagesTest : public testing::PlatformFixture {
 protected:
  InstanceMessagesTest() { WithChannel = true; }
  std::string RunFolder() const { return Home() + "/run"; }

  // Runs the loop until the hook has seen `count` messages or time is up.
  std::vector<TMsg> Collect(size_t count, int timeoutMs = 5000) {
    std::vector<TMsg> seen;
    Application->OnMessage = [&](TMsg& msg, bool& handled) {
      if (msg.message >= FirstRegisteredMessage) {
        seen.push_back(msg);
        handled = true;
      }
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (seen.size() < count && std::chrono::steady_clock::now() < deadline) {
      Application->ProcessMessages();
      Backend().PumpEvents(true, 50);
    }
    Application->OnMessage = nullptr;
    return seen;
  }
};

TEST_F(InstanceMessagesTest, ASecondProgramHandsItsCommandLineThroughAnAtom) {
  Application->Title = kTitle;
  const UINT loadName = RegisterIncomingMessage("LoadName");
  testing::ChildProcess second(QM_PEER_PATH, {RunFolder(), "handoff", "TApplication", kTitle, "LoadName", "ONE.QMW "});
  ASSERT_EQ(second.ExitCode(), 0) << "the second program found our window";
  const auto seen = Collect(1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, loadName);
  EXPECT_EQ(seen[0].hwnd, Application->Handle());
  const ATOM atom = static_cast<ATOM>(seen[0].lParam & 0xFFFF);
  EXPECT_EQ(GlobalGetAtomName(atom), "ONE.QMW ");
  EXPECT_EQ(GlobalDeleteAtom(atom), 0);
  EXPECT_EQ(GlobalFindAtom("ONE.QMW "), 0);
}

TEST_F(InstanceMessagesTest, WeFindAnotherProgramsWindowAndPostToIt) {
  testing::ChildProcess other(QM_PEER_PATH, {RunFolder(), "serve", "TStoryboard", "Storyboard"});
  ASSERT_EQ(other.ReadLine(), "ready");
  const HWND window = FindWindow("TStoryboard", "Storyboard");
  ASSERT_NE(window, NullWindow);
  EXPECT_TRUE(IsWindow(window));
  const ATOM atom = GlobalAddAtom("C:\\SCRIPTS\\TWO.QMW");
  ASSERT_TRUE(PostMessage(window, RegisterWindowMessage("LoadName"), 0, atom));
  EXPECT_EQ(other.ReadLine(), "LoadName [C:\\SCRIPTS\\TWO.QMW]");
  EXPECT_EQ(GlobalFindAtom("C:\\SCRIPTS\\TWO.QMW"), 0) << "the receiver released the atom";
}

TEST_F(InstanceMessagesTest, ABroadcastIsAnsweredByABroadcast) {
  testing::ChildProcess other(QM_PEER_PATH, {RunFolder(), "serve", "TStoryDev", "StoryDev"});
  ASSERT_EQ(other.ReadLine(), "ready");
  Application->Handle();
  const UINT thankYou = RegisterIncomingMessage("ThankYou");
  ASSERT_TRUE(PostMessage(HWND_BROADCAST, RegisterWindowMessage("PasteStoryDev"), 0, 0));
  auto seen = Collect(2);
  EXPECT_EQ(other.ReadLine(), "PasteStoryDev");
  seen.erase(std::remove_if(seen.begin(), seen.end(), [&](const TMsg& m) { return m.message != thankYou; }),
             seen.end());
  EXPECT_EQ(seen.size(), 1u) << "the other program thanked us";
}

TEST_F(InstanceMessagesTest, SendWaitsForTheOtherProgramsAnswer) {
  testing::ChildProcess other(QM_PEER_PATH, {RunFolder(), "serve", "TStoryboard", "Storyboard"});
  ASSERT_EQ(other.ReadLine(), "ready");
  const HWND window = FindWindow("TStoryboard", "Storyboard");
  ASSERT_NE(window, NullWindow);
  EXPECT_EQ(SendMessage(window, RegisterWindowMessage("FrameQuery"), 40, 2), 42);
}

}  // namespace
}  // namespace qm
