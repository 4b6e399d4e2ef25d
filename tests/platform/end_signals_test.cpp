// SIGTERM and SIGHUP caught into the pipe the event loop watches: the
// process lives on, the signal is read once, and the handling the signals
// had before comes back when the catching ends.
#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>

#include "platform/end_signals.h"

namespace qm {
namespace {

volatile sig_atomic_t earlierHandlerRan = 0;
void EarlierHandler(int) { earlierHandlerRan = 1; }

TEST(EndSignalsTest, EachSignalIsReadOnceFromThePipeAndTheProcessLivesOn) {
  EndSignals signals;
  ASSERT_GE(signals.Fd(), 0);
  EXPECT_EQ(signals.Take(), 0) << "nothing caught yet";
  for (const int signal : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    ASSERT_EQ(raise(signal), 0);
    pollfd fd{signals.Fd(), POLLIN, 0};
    EXPECT_EQ(poll(&fd, 1, 1000), 1) << "the pipe wakes a loop that waits on it";
    EXPECT_EQ(signals.Take(), signal);
    EXPECT_EQ(signals.Take(), 0) << "read once";
  }
  raise(SIGTERM);
  raise(SIGHUP);
  EXPECT_EQ(signals.Take(), SIGTERM) << "the first of several";
  EXPECT_EQ(signals.Take(), 0);
}

TEST(EndSignalsTest, TheEarlierHandlingComesBackWhenTheCatchingEnds) {
  struct sigaction earlier = {};
  earlier.sa_handler = EarlierHandler;
  sigemptyset(&earlier.sa_mask);
  struct sigaction saved = {};
  ASSERT_EQ(sigaction(SIGHUP, &earlier, &saved), 0);
  {
    EndSignals signals;
    raise(SIGHUP);
    EXPECT_EQ(earlierHandlerRan, 0);
    EXPECT_EQ(signals.Take(), SIGHUP);
  }
  raise(SIGHUP);
  EXPECT_EQ(earlierHandlerRan, 1);
  sigaction(SIGHUP, &saved, nullptr);
}

}  // namespace
}  // namespace qm
