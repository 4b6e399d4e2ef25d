#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/forms.h"
#include "platform/input.h"
#include "script/layout/editor_state.h"
#include "script/editing/message_pump.h"
#include "script/script_window.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

using MessagePumpTest = testing::ProgramFixture;

constexpr UINT FailingMessage = WM_USER + 77;

// A message whose handler throws while a long job pumps: however the pump
// is left, the script takes keys again and the idle handler is back.
TEST_F(MessagePumpTest, APumpLeftByAFailingHandlerLeavesNoJobRunning) {
  TMDIChild& w = Script();
  w.SetFocus();
  ASSERT_TRUE(Application->OnIdle) << "the program idles";
  Application->OnMessage = [](TMsg& msg, bool&) {
    if (msg.message == FailingMessage) throw std::runtime_error("handler failed");
  };
  Application->Post(TMsg{NullWindow, FailingMessage, 0, 0, 0, {}});
  EXPECT_THROW(ProcessMessagesGuarded(), std::runtime_error);
  Application->OnMessage = nullptr;

  EXPECT_EQ(JobRunning, 0);
  EXPECT_EQ(PumpBusy, 0) << "a later pump runs again";
  EXPECT_TRUE(Application->OnIdle) << "the idle handler is attached again";
  TypeText("ok");
  EXPECT_EQ(w.EditBuffer(), "ok") << "letters reach the script";
}

TEST_F(MessagePumpTest, ThePumpSetsJobRunningOnlyWhileItRunsAndNestsNot) {
  Script().SetFocus();
  int inside = 0;
  Application->OnMessage = [&inside](TMsg& msg, bool& handled) {
    if (msg.message != FailingMessage) return;
    handled = true;
    ++inside;
    EXPECT_EQ(JobRunning, 1);
    EXPECT_FALSE(Application->OnIdle) << "no idle work inside a job";
    // A nested pump does nothing and leaves the flags to the outer one.
    ProcessMessagesGuarded();
    EXPECT_EQ(JobRunning, 1);
    EXPECT_EQ(PumpBusy, 1);
  };
  Application->Post(TMsg{NullWindow, FailingMessage, 0, 0, 0, {}});
  ProcessMessagesGuarded();
  Application->OnMessage = nullptr;
  EXPECT_EQ(inside, 1);
  EXPECT_EQ(JobRunning, 0);
  EXPECT_EQ(PumpBusy, 0);
  EXPECT_TRUE(Application->OnIdle);
}

}  // namespace
}  // namespace qm
