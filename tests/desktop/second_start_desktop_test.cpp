// A second start of the program on a real display: the writer minimised
// the running program and starts it again from the desktop, with no file
// named. The second start makes no window of its own and ends; the running
// program comes back on the screen, as it was.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "desktop/desktop_session.h"
#include "support/child_process.h"

namespace qm::desktop {
namespace {

// The shown windows of a process whose title holds "Quillmaster", one id a line.
std::string ShownMainWindows(DesktopSession& session, std::uint32_t pid) {
  return session.Run({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid), "--name", "Quillmaster"});
}

bool WaitUntil(const std::function<bool()>& done, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
  return done();
}

TEST(SecondStartDesktopTest, AMinimisedProgramComesBackWhenStartedAgain) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  const std::uint32_t pid = session.ProgramPid();
  const std::string shown = ShownMainWindows(session, pid);
  ASSERT_FALSE(shown.empty());
  const std::string mainWindow = shown.substr(0, shown.find_first_of(" \n"));
  const std::optional<WindowGeometry> before = session.GeometryOf(mainWindow);
  ASSERT_TRUE(before.has_value());

  session.Run({"xdotool", "windowminimize", "--sync", mainWindow});
  session.Settle();
  ASSERT_TRUE(WaitUntil([&] { return ShownMainWindows(session, pid).empty(); }, 10)) << "the program minimised";

  testing::ChildProcess second(
      QM_PROGRAM_PATH, {},
      {"DISPLAY=" + session.Display(), "QUILLMASTER_HOME=" + session.Home(), "QT_QPA_PLATFORM=xcb"});
  ASSERT_TRUE(second.Started());
  const std::optional<int> ended = second.ExitCode(60000);
  ASSERT_TRUE(ended.has_value()) << "the second start handed over and ended";
  EXPECT_EQ(*ended, 0);

  EXPECT_TRUE(WaitUntil([&] { return !ShownMainWindows(session, pid).empty(); }, 15))
      << "the running program stayed minimised";
  session.Settle();
  session.Screenshot("second_start_restored");
  const std::optional<WindowGeometry> after = session.GeometryOf(mainWindow);
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->width, before->width) << "restored to the size it had";
  EXPECT_EQ(after->height, before->height);
  EXPECT_TRUE(session.WaitForWindowTitle("NONAME1.QMW", 5))
      << "the program has the keyboard again, its one script as it was: " << session.ActiveWindowTitle();
}

}  // namespace
}  // namespace qm::desktop
