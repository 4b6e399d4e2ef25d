#include "platform/messages.h"

#include <gtest/gtest.h>

#include "platform/forms.h"
#include "platform/headless/headless_backend.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using MessagesTest = testing::PlatformFixture;

// A window that records what reaches its window procedure.
class Listener : public TForm {
 public:
  Listener() : TForm(nullptr) { WindowClass = "TListener"; }
  void WndProc(TMessage& m) override {
    if (m.Msg >= WM_USER) {
      received.push_back(m);
      m.Result = m.WParam * 2;
      return;
    }
    TForm::WndProc(m);
  }
  std::vector<TMessage> received;
};

TEST_F(MessagesTest, RegisteredNamesShareOneNumberWithoutRegardToCase) {
  const UINT a = RegisterWindowMessage("LoadName");
  const UINT b = RegisterWindowMessage("PasteStoryDev");
  EXPECT_GE(a, FirstRegisteredMessage);
  EXPECT_NE(a, b);
  EXPECT_EQ(RegisterWindowMessage("LOADNAME"), a);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST_F(MessagesTest, PostedMessagesPassTheHookWhichMayTakeThem) {
  Listener window;
  const UINT mine = RegisterWindowMessage("Mine");
  std::vector<UINT> hooked;
  Application->OnMessage = [&](TMsg& msg, bool& handled) {
    hooked.push_back(msg.message);
    handled = msg.message == mine;
  };
  EXPECT_TRUE(PostMessage(window.Handle(), mine, 1, 0));
  EXPECT_TRUE(PostMessage(window.Handle(), WM_USER + 1, 2, 0));
  EXPECT_TRUE(window.received.empty()) << "nothing is delivered before the loop runs";
  Application->ProcessMessages();
  EXPECT_EQ(hooked, (std::vector<UINT>{mine, WM_USER + 1}));
  ASSERT_EQ(window.received.size(), 1u);
  EXPECT_EQ(window.received[0].Msg, WM_USER + 1u);
}

TEST_F(MessagesTest, SendAnswersAtOnceAndAGoneWindowIsRefused) {
  HWND gone;
  {
    Listener window;
    EXPECT_EQ(SendMessage(window.Handle(), WM_USER, 21, 0), 42);
    gone = window.Handle();
    EXPECT_TRUE(IsWindow(gone));
  }
  EXPECT_FALSE(IsWindow(gone));
  EXPECT_FALSE(PostMessage(gone, WM_USER, 0, 0));
  EXPECT_EQ(SendMessage(gone, WM_USER, 1, 0), 0);
}

TEST_F(MessagesTest, FindWindowByClassAndTitle) {
  Application->Title = "Quillmaster for Windows";
  Listener window;
  window.Caption = "Storyboard";
  window.Show();
  EXPECT_EQ(FindWindow("TApplication", "Quillmaster for Windows"), Application->Handle());
  EXPECT_EQ(FindWindow("TListener", "Storyboard"), window.Handle());
  EXPECT_EQ(FindWindow("", "Storyboard"), window.Handle());
  EXPECT_EQ(FindWindow("TListener", "Other"), NullWindow);
  EXPECT_EQ(GetWindowText(Application->Handle()), "Quillmaster for Windows");
}

// Another start of the program asks the running one to come to the front;
// it cannot see whether that one is minimised, so a minimised program comes
// back first, to the state it had before: maximised or not.
TEST_F(MessagesTest, AProgramAskedToTheFrontComesBackFromMinimisedAsItWas) {
  const struct {
    const char* what;
    TWindowState before;
    bool minimised;
  } cases[] = {
      {"minimised from normal", TWindowState::wsNormal, true},
      {"minimised from maximised", TWindowState::wsMaximized, true},
      {"maximised, not minimised", TWindowState::wsMaximized, false},
  };
  Listener main;
  Application->MainForm = &main;
  Application->Title = "Quillmaster for Windows";
  main.Show();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    main.WindowState = c.before;
    if (c.minimised) main.WindowState = TWindowState::wsMinimized;
    ASSERT_TRUE(PostMessage(Application->Handle(), RegisterWindowMessage(ShowWindowRequestName), SW_SHOW, 1));
    Application->ProcessMessages();
    EXPECT_EQ(main.WindowState(), c.before);
    EXPECT_FALSE(Application->Minimized());
  }
  Application->MainForm = nullptr;
}

TEST_F(MessagesTest, TimersFireAsTheVirtualClockMoves) {
  TTimer fast(nullptr), slow(nullptr);
  fast.SetInterval(100);
  slow.SetInterval(250);
  std::vector<std::pair<char, std::uint64_t>> fired;
  fast.OnTimer = [&](TObject*) { fired.push_back({'f', GetTickCount64()}); };
  slow.OnTimer = [&](TObject*) { fired.push_back({'s', GetTickCount64()}); };
  AdvanceClock(99);
  EXPECT_TRUE(fired.empty());
  AdvanceClock(201);
  const std::vector<std::pair<char, std::uint64_t>> expected{{'f', 100}, {'f', 200}, {'s', 250}, {'f', 300}};
  EXPECT_EQ(fired, expected);
  slow.SetEnabled(false);
  fired.clear();
  AdvanceClock(300);
  EXPECT_EQ(fired.size(), 3u);
}

TEST_F(MessagesTest, IdleHandlerRunsWhenTheQueueIsEmpty) {
  Listener window;
  int idles = 0;
  Application->OnIdle = [&](TObject*, bool& done) {
    ++idles;
    done = true;
  };
  PostMessage(window.Handle(), WM_USER, 0, 0);
  Application->HandleMessage();
  EXPECT_EQ(idles, 0) << "a pending message comes before idle work";
  Application->HandleMessage();
  EXPECT_EQ(idles, 1);
}

TEST_F(MessagesTest, AProgramThatEndsWhenIdleFinishesItsMessagesAndTimersFirst) {
  Listener window;
  Application->ExitWhenIdle = true;
  Application->OnIdle = [](TObject*, bool& done) { done = true; };
  PostMessage(window.Handle(), WM_USER, 0, 0);
  Application->HandleMessage();
  EXPECT_EQ(window.received.size(), 1u);
  EXPECT_FALSE(Application->Terminated()) << "the message was handled, the idle work not yet";

  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  Application->HandleMessage();
  EXPECT_FALSE(Application->Terminated()) << "a timer is still to fire";
  AdvanceClock(1000);
  EXPECT_EQ(ticks, 1);
  timer.SetEnabled(false);
  Application->HandleMessage();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(MessagesTest, CaretIsShownOnlyAfterAsManyShowsAsHides) {
  Listener window;
  ASSERT_TRUE(CreateCaret(window.Handle(), 2, 17));
  EXPECT_FALSE(Platform::Current().Caret().Visible()) << "a new caret starts hidden";
  ShowCaret(window.Handle());
  SetCaretPos(40, 18);
  EXPECT_TRUE(Platform::Current().Caret().Visible());
  HideCaret(window.Handle());
  HideCaret(window.Handle());
  ShowCaret(window.Handle());
  EXPECT_FALSE(Platform::Current().Caret().Visible());
  EXPECT_EQ(GetCaretPos(), (TPoint{40, 18}));
  EXPECT_FALSE(ShowCaret(window.Handle() + 1)) << "another window does not own the caret";
}

TEST_F(MessagesTest, AtomsInOneProcessCountReferences) {
  const ATOM a = GlobalAddAtom("C:\\SCRIPTS\\ONE.QMW ");
  ASSERT_NE(a, 0);
  EXPECT_EQ(GlobalAddAtom("C:\\SCRIPTS\\ONE.QMW "), a);
  EXPECT_EQ(GlobalGetAtomName(a), "C:\\SCRIPTS\\ONE.QMW ");
  EXPECT_EQ(GlobalDeleteAtom(a), 0);
  EXPECT_EQ(GlobalFindAtom("C:\\SCRIPTS\\ONE.QMW "), a) << "one reference is left";
  EXPECT_EQ(GlobalDeleteAtom(a), 0);
  EXPECT_EQ(GlobalFindAtom("C:\\SCRIPTS\\ONE.QMW "), 0);
  EXPECT_EQ(GlobalDeleteAtom(a), a) << "deleting a missing atom fails";
}

TEST_F(MessagesTest, AnAtomIsReleasedWholeWhateverItsReferences) {
  for (int references : {1, 3, 300}) {
    ATOM atom = 0;
    for (int i = 0; i < references; ++i) atom = GlobalAddAtom("*42");
    ASSERT_NE(atom, 0);
    DeleteGlobalAtom(atom);
    // More than 254 references outlive the release.
    EXPECT_EQ(GlobalFindAtom("*42") != 0, references > 254) << references;
    while (GlobalDeleteAtom(atom) == 0) {
    }
  }
  DeleteGlobalAtom(0xC123);  // missing: nothing happens
  EXPECT_EQ(GlobalGetAtomName(0xC123), "");
}

TEST_F(MessagesTest, KeyStateFollowsDeliveredKeys) {
  Listener window;
  window.Show();
  Application->DeliverInput(TMsg{NullWindow, WM_KEYDOWN, VK_SHIFT, 0, 0, {}});
  EXPECT_TRUE(IsKeyDownNow(VK_SHIFT));
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  Application->DeliverInput(TMsg{NullWindow, WM_KEYUP, VK_SHIFT, 0, 0, {}});
  EXPECT_FALSE(IsKeyDownNow(VK_SHIFT));
}

}  // namespace
}  // namespace qm
