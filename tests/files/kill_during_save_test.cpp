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
// finished save, until it is killed. A failed save says so on `done`.
pid_t StartSavingLoop(const std::string& target, int done) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (int take = 1;; ++take) {
    AppendElement(*ActiveScript(), ekAction, "Take " + std::to_string(take) + ".");
    if (write(done, SaveScriptFile(target, false, true) ? "s" : "f", 1) != 1) _exit(1);
  }
}

// A complete new file that holds other work than the script (or stands
// alone, after a first save) is newer work: one such must be offered, and
// what is offered is complete.
bool NewerWorkLeft(const std::string& target) {
  for (const std::string& fresh : VisibleSideFilesOf(target))
    if (ParsesAsScript(fresh) && (!FileExists(target) || ReadFileBytes(fresh) != ReadFileBytes(target))) return true;
  return false;
}

std::vector<std::string> NameAndNewFiles(const std::string& target) {
  std::vector<std::string> paths{target};
  for (const std::string& fresh : VisibleSideFilesOf(target)) paths.push_back(fresh);
  return paths;
}

// What the saves left beside the script besides its name and backup: each
// killed save at most its new file and the backup's second name.
std::size_t LeftBeside(const std::string& folder, const std::set<std::string>& kept) {
  std::size_t left = 0;
  for (const auto& entry : fs::directory_iterator(folder))
    if (!kept.contains(entry.path().filename().string())) ++left;
  return left;
}

// The finished saves killed children reported; failed ones are counted
// in `failed`.
int FinishedSaves(int done, int* failed = nullptr) {
  int count = 0;
  char buffer[256];
  ssize_t n;
  while ((n = read(done, buffer, sizeof buffer)) > 0)
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] == 's') ++count;
      else if (failed) ++*failed;
    }
  return count;
}

// Blocks until a child has finished one save; 0 if it died before.
int FirstFinishedSave(int done) {
  char byte = 0;
  while (read(done, &byte, 1) == 1)
    if (byte == 's') return 1;
  return 0;
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
    WithinOneSecond(NameAndNewFiles(target));
    if (NewerWorkLeft(target)) {
      ++offered;
      const auto leftover = StoppedSaveToOffer(target);
      ASSERT_TRUE(leftover) << "after kill " << kill;
      EXPECT_TRUE(ParsesAsScript(*leftover)) << "after kill " << kill;
    }
    if (!saved) continue;
    ++checked;
    ASSERT_TRUE(ParsesAsScript(target)) << "after kill " << kill;
  }
  EXPECT_GE(checked, kKills * 3 / 4);
  RecordProperty("newer work offered", offered);

  EXPECT_LE(LeftBeside(Path(""), {"TIMING.QMW", "TIMING.BK", "KILLED.QMW", "KILLED.BK"}), 2u);
}

// Two copies of the program save one script over and over and are killed
// at any moment: the name holds a complete script after every kill, what
// is offered is complete, and no save failed because of the other.
TEST_F(KillDuringSaveTest, TwoInstancesSavingOneScriptNeverCutEachOther) {
  ScriptWindow window;
  FillSampleElements(*window, 33, 600);
  const std::string target = Path("SHARED.QMW");
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  std::mt19937 random(16);
  std::uniform_int_distribution<long> delay(0, 20000);
  int failed = 0;
  for (int kill = 0; kill < kKills / 4; ++kill) {
    int done[2];
    ASSERT_EQ(pipe2(done, O_CLOEXEC), 0);
    const pid_t first = StartSavingLoop(target, done[1]);
    const pid_t second = StartSavingLoop(target, done[1]);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    close(done[1]);
    FirstFinishedSave(done[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(first, SIGKILL);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(second, SIGKILL);
    waitpid(first, nullptr, 0);
    waitpid(second, nullptr, 0);
    FinishedSaves(done[0], &failed);
    close(done[0]);
    ASSERT_TRUE(ParsesAsScript(target)) << "after kill " << kill;
    WithinOneSecond(NameAndNewFiles(target));
    if (const auto leftover = StoppedSaveToOffer(target)) {
      EXPECT_TRUE(ParsesAsScript(*leftover)) << "after kill " << kill;
    }
  }
  EXPECT_EQ(failed, 0);
  EXPECT_LE(LeftBeside(Path(""), {"SHARED.QMW", "SHARED.BK"}), 4u);
}

}  // namespace
}  // namespace qm::testing
