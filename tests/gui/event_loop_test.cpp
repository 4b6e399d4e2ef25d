// Timers, the tick count and messages from another process on Qt's
// event loop: the core's loop sleeps in Qt until something is due.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/gui_fixture.h"
#include "platform/messages.h"
#include "support/child_process.h"

namespace qm {
namespace {

class EventLoopTest : public testing::GuiFixture {};

TEST_F(EventLoopTest, TheTickCountFollowsTheRealClock) {
  const std::uint64_t before = GetTickCount64();
  QThread::msleep(60);
  const std::uint64_t after = GetTickCount64();
  EXPECT_GE(after - before, 60u);
  EXPECT_LT(after - before, 60'000u);
}

TEST_F(EventLoopTest, ATimerFiresOnTheLoopWithoutSpinning) {
  auto* form = NewForm(TFormStyle::fsNormal, "Timers", 200, 100);
  auto* timer = new TTimer(form);
  timer->SetInterval(120);
  QElapsedTimer clock;
  clock.start();
  int fired = 0;
  qint64 firedAt = -1;
  timer->OnTimer = [&](TObject*) {
    if (fired++ == 0) firedAt = clock.elapsed();
    timer->SetEnabled(false);
  };
  int turns = 0;
  ASSERT_TRUE(RunUntil([&] {
    ++turns;
    return fired > 0;
  }));
  EXPECT_EQ(fired, 1);
  EXPECT_GE(firedAt, 110) << "not before its interval";
  EXPECT_LT(clock.elapsed(), 2000) << "the loop came back once the timer fired";
  EXPECT_LT(turns, 30) << "the loop waited in Qt instead of spinning";
}

TEST_F(EventLoopTest, ThePumpSaysWhetherItDeliveredAndSleepsWhenIdle) {
  for (int i = 0; i < 100 && Backend().PumpEvents(false, 0); ++i) {
  }
  EXPECT_FALSE(Backend().PumpEvents(false, 0)) << "nothing pending";
  QObject target;
  QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
  EXPECT_TRUE(Backend().PumpEvents(false, 0)) << "a pending event was delivered";
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(Backend().PumpEvents(true, 80)) << "the timeout passed with nothing to deliver";
  EXPECT_GE(clock.elapsed(), 70) << "waiting sleeps until the timeout";
}

// A form closed by its own timer (a splash screen) ends its modal loop
// then, not at the next desktop event.
TEST_F(EventLoopTest, AModalFormEndsWhenItsTimerSetsTheResult) {
  TForm* splash = NewForm(TFormStyle::fsNormal, "Quillmaster", 300, 200);
  auto* timer = new TTimer(splash);
  timer->SetInterval(60);
  timer->OnTimer = [&](TObject*) {
    timer->SetEnabled(false);
    splash->ModalResult = mrOk;
  };
  // Only a safety net: the loop must not need it.
  Later(3000, [&] { splash->ModalResult = mrAbort; });
  EXPECT_EQ(splash->ShowModal(), mrOk);
}

// A failure that escapes what a desktop event started (a command run
// from a menu, a key, a timer) is said, and the loop goes on.
TEST_F(EventLoopTest, AFailureThatEscapesADesktopEventIsSaidAndTheLoopGoesOn) {
  std::vector<std::string> said;
  Application->OnException = [&said](const std::string& text) { said.push_back(text); };
  QTimer::singleShot(0, [] { throw std::runtime_error("Unable to write to /shared/PILOT.QTE"); });
  bool later = false;
  QTimer::singleShot(40, [&later] { later = true; });
  const bool wentOn = RunUntil([&later] { return later; });
  Application->OnException = nullptr;
  EXPECT_TRUE(wentOn);
  EXPECT_EQ(said, std::vector<std::string>{"Unable to write to /shared/PILOT.QTE"});
}

class HandoffTest : public testing::GuiFixture {
 protected:
  HandoffTest() { WithChannel = true; }
};

TEST_F(HandoffTest, ASecondProgramWakesTheLoopAndHandsOverItsFile) {
  Application->Title = "Quillmaster for Windows";
  const UINT loadName = RegisterIncomingMessage("LoadName");
  std::vector<TMsg> seen;
  Application->OnMessage = [&](TMsg& msg, bool& handled) {
    if (msg.message != loadName) return;
    seen.push_back(msg);
    handled = true;
  };
  testing::ChildProcess second(QM_PEER_PATH, {Home() + "/run", "handoff", "TApplication", "Quillmaster for Windows",
                                              "LoadName", "/scripts/PILOT.QMW"});
  ASSERT_EQ(second.ExitCode(), 0) << "the second program found our window";
  // No timer is set: only the channel's descriptor can wake the loop.
  ASSERT_TRUE(RunUntil([&] { return !seen.empty(); }));
  EXPECT_EQ(seen[0].hwnd, Application->Handle());
  const ATOM atom = static_cast<ATOM>(seen[0].lParam & 0xFFFF);
  EXPECT_EQ(GlobalGetAtomName(atom), "/scripts/PILOT.QMW");
  GlobalDeleteAtom(atom);
  Application->OnMessage = nullptr;
}

}  // namespace
}  // namespace qm
