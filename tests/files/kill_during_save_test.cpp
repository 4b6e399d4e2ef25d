// A program killed while it saves, at any moment: once one save has
// finished, the script's name always holds a complete script, and what a
// killed save leaves beside it does not pile up.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/safe_save.h"
#include "files/script_samples.h"
#include "support/script_builder.h"
#include "platform/files.h"

namespace qm::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 200;

bool ParsesAsScript(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  TParsedScript parsed;
  std::string error;
  return bytes && ParseScriptImage(*bytes, parsed, error);
}

// A copy of this process that saves the active script over and over, a
// little longer each time, and writes one byte to `done` after each
// finished save, until it is killed.
pid_t StartSavingLoop(const std::string& target, int done) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (int take = 1;; ++take) {
    AppendElement(*ActiveScript(), ekAction, "Take " + std::to_string(take) + ".");
    if (SaveScriptFile(target, false, true) && write(done, "s", 1) != 1) _exit(1);
  }
}

// A complete new file that holds other work than the script (or stands
// alone, after a first save) is newer work: it must be offered.
bool NewerWorkLeft(const std::string& target) {
  const std::string fresh = NewFileNameFor(target);
  if (!FileExists(fresh) || !ParsesAsScript(fresh)) return false;
  return !FileExists(target) || ReadFileBytes(fresh) != ReadFileBytes(target);
}

// The finished saves a killed child reported.
int FinishedSaves(int done) {
  int count = 0;
  char buffer[256];
  ssize_t n;
  while ((n = read(done, buffer, sizeof buffer)) > 0) count += static_cast<int>(n);
  return count;
}

// Blocks until the child has finished one save; 0 if it died before.
int FirstFinishedSave(int done) {
  char byte;
  return read(done, &byte, 1) == 1 ? 1 : 0;
}

class KillDuringSaveTest : public FileTest {};

TEST_F(KillDuringSaveTest, TheNameHoldsACompleteScriptAfterEveryKill) {
  ScriptWindow window;
  FillSampleElements(*window, 31, 600);
  // How long one save takes here, so that the kills land all over a save.
  const auto start = Clock::now();
  ASSERT_TRUE(SaveScriptFile(Path("TIMING.QMW"), false, true));
  const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
  std::mt19937 random(15);
  std::uniform_int_distribution<long> delay(0, 3 * oneSave.count() + 1000);

  const std::string target = Path("KILLED.QMW");
  bool saved = false;  // a save has finished since the script was last removed
  int checked = 0;
  int offered = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    // Every fourth run starts with no script: its first save is killed.
    if (kill % 4 == 0) {
      unlink(target.c_str());
      saved = false;
    }
    int done[2];
    ASSERT_EQ(pipe2(done, O_CLOEXEC), 0);
    const pid_t child = StartSavingLoop(target, done[1]);
    ASSERT_GT(child, 0);
    close(done[1]);
    // The other runs kill a later save: waiting for the first one keeps a
    // loaded machine from turning them into killed first saves.
    const int waited = kill % 4 == 0 ? 0 : FirstFinishedSave(done[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    saved = waited + FinishedSaves(done[0]) > 0 || saved;
    close(done[0]);
    WithinOneSecond({target, NewFileNameFor(target)});
    if (NewerWorkLeft(target)) {
      ++offered;
      EXPECT_EQ(LeftoverOfStoppedSave(target), NewFileNameFor(target)) << "after kill " << kill;
    }
    if (!saved) continue;
    ++checked;
    ASSERT_TRUE(ParsesAsScript(target)) << "after kill " << kill;
  }
  EXPECT_GE(checked, kKills * 3 / 4);
  RecordProperty("newer work offered", offered);

  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(Path(""))) left.insert(entry.path().filename().string());
  for (const char* name : {"TIMING.QMW", "KILLED.QMW", "KILLED.BK", "KILLED.QMW.new~", "KILLED.BK.new~"})
    left.erase(name);
  EXPECT_TRUE(left.empty()) << *left.begin();
}

}  // namespace
}  // namespace qm::testing
