// A save while another copy of the program saves the same script: what
// the other save does between two steps of this one never makes this one
// fail, and neither leaves anything of its own beside the script.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "files/file_test_fixture.h"
#include "files/safe_save.h"
#include "platform/files.h"

namespace qm::testing {
namespace {

namespace fs = std::filesystem;

std::vector<Byte> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

class SaveBesideAnotherSaveTest : public FileTest {
 protected:
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Path(""))) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The other save's last step: its complete version takes the name.
  void OtherSaveCommits(const std::string& target, const std::string& text) const {
    const std::string fresh = WriteFileText(Path("other.tmp"), text);
    ASSERT_EQ(::rename(fresh.c_str(), target.c_str()), 0);
  }
};

// The other save gives the script a new version just as this one makes
// the backup a second name of the version it found: link(2) then finds
// that version gone and answers ENOENT, though the name is never without
// a complete version. The version under the name then is the one kept.
TEST_F(SaveBesideAnotherSaveTest, TheVersionReplacedWhileItIsKeptNeverFailsTheSave) {
  struct Case {
    const char* what;
    int replacedTimes;   // the other save commits this often while this one keeps
    bool removedAtLast;  // then the script is removed altogether
    const char* backupHolds;
  };
  const Case cases[] = {
      {"replaced once", 1, false, "other 1"},
      {"replaced three times in a row", 3, false, "other 3"},
      {"replaced, then removed", 1, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string target = Path("SHARED.QMW");
    const std::string backup = Path("SHARED.BK");
    WriteFileText(target, "first");
    ::unlink(backup.c_str());
    int links = 0;
    SetFileFaultHook([&](TFileStep step, const std::string& at) {
      if (step != TFileStep::Link || at != backup || links >= c.replacedTimes) return 0;
      OtherSaveCommits(target, "other " + std::to_string(++links));
      if (links == c.replacedTimes && c.removedAtLast) ::unlink(target.c_str());
      return ENOENT;
    });
    const TSaveOutcome outcome = SaveWithBackup(target, backup, BytesOf("this save"), true);
    SetFileFaultHook(nullptr);
    EXPECT_TRUE(outcome.ok) << "error " << int(outcome.code);
    EXPECT_EQ(links, c.replacedTimes);
    EXPECT_EQ(ReadFileText(target), "this save");
    if (c.backupHolds) {
      EXPECT_EQ(ReadFileText(backup), c.backupHolds);
      EXPECT_EQ(Listing(), (std::vector<std::string>{"SHARED.BK", "SHARED.QMW"}));
    } else {
      EXPECT_EQ(Listing(), (std::vector<std::string>{"SHARED.QMW"}));
    }
  }
}

// The other save already kept the version under the name as the backup:
// this save keeps it again and leaves no second name of its own beside it.
TEST_F(SaveBesideAnotherSaveTest, KeepingAVersionTheBackupAlreadyHoldsLeavesNothingBeside) {
  const std::string target = WriteFileText(Path("SHARED.QMW"), "kept by both");
  const std::string backup = Path("SHARED.BK");
  ASSERT_EQ(::link(target.c_str(), backup.c_str()), 0);
  const TSaveOutcome outcome = SaveWithBackup(target, backup, BytesOf("this save"), true);
  ASSERT_TRUE(outcome.ok) << "error " << int(outcome.code);
  EXPECT_EQ(ReadFileText(target), "this save");
  EXPECT_EQ(ReadFileText(backup), "kept by both");
  EXPECT_EQ(Listing(), (std::vector<std::string>{"SHARED.BK", "SHARED.QMW"}));
}

// The other copy's save gives its new file the mode it finds under the
// name: the file that takes the name has the script's mode as it takes
// it, so that the other copy never finds, and keeps, a narrower one.
TEST_F(SaveBesideAnotherSaveTest, TheFileThatTakesTheNameHasTheScriptsModeAlready) {
  const mode_t oldMask = ::umask(022);
  const std::string target = WriteFileText(Path("SHARED.QMW"), "first");
  ASSERT_EQ(::chmod(target.c_str(), 0664), 0);
  std::vector<int> modesAtRename;
  SetFileFaultHook([&](TFileStep step, const std::string& at) {
    if (step != TFileStep::Rename || at != target) return 0;
    for (const std::string& fresh : VisibleSideFilesOf(target)) {
      struct stat st {};
      EXPECT_EQ(::stat(fresh.c_str(), &st), 0) << fresh;
      modesAtRename.push_back(static_cast<int>(st.st_mode & 0777));
    }
    return 0;
  });
  const TSaveOutcome outcome = SaveWithBackup(target, "", BytesOf("this save"), false, ModeFor(target));
  SetFileFaultHook(nullptr);
  ::umask(oldMask);
  ASSERT_TRUE(outcome.ok) << outcome.cause;
  EXPECT_EQ(modesAtRename, std::vector<int>{0664});
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0664u);
}

}  // namespace
}  // namespace qm::testing
