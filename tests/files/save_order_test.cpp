// The order of a save: whatever step fails, the previous file is still
// under the script's name and the error is shown; at no moment is the
// name without a complete version.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/safe_save.h"
#include "files/script_samples.h"
#include "platform/files.h"
#include "shell/program_settings.h"

namespace qm::testing {
namespace {

namespace fs = std::filesystem;

class SaveOrderTest : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    window_ = std::make_unique<ScriptWindow>();
    FillSampleElements(**window_, 21, 1500);
  }
  bool ParsesAsScript(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    TParsedScript parsed;
    std::string error;
    return bytes && ParseScriptImage(*bytes, parsed, error);
  }
  void TearDown() override {
    window_.reset();
    FileTest::TearDown();
  }
  std::unique_ptr<ScriptWindow> window_;
};

// A failed step of the save leaves the previous file under the name. A
// backup that cannot be kept stops no save: the script is saved and the
// writer told which file could not be kept.
TEST_F(SaveOrderTest, AFailedStepLeavesThePreviousFileUnderItsName) {
  const std::string target = Path("PILOT.QMW");
  const std::string backup = Path("PILOT.BK");
  // The new file of the save, whatever its own name.
  const std::string fresh = "the new file";
  const auto named = [&](const std::string& path, const std::string& wanted) {
    return wanted == fresh ? IsNewFileOf(path, target) : path == wanted;
  };
  struct Case {
    TFileStep step;
    std::string path;
    bool saved;
    const char* backupAfter;  // what the backup holds afterwards
    std::string said;
  };
  const std::string failed = "Error writing " + target;
  const std::string notKept = "could not be kept as " + backup;
  const Case cases[] = {
      {TFileStep::Create, fresh, false, "older", failed},
      {TFileStep::Write, fresh, false, "older", failed},
      {TFileStep::Flush, fresh, false, "older", failed},
      {TFileStep::Link, backup, true, "older", notKept},
      {TFileStep::Rename, backup, true, "older", notKept},
      // The previous version became the backup before the new file failed to take its place.
      {TFileStep::Rename, target, false, "previous script", failed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.step));
    SCOPED_TRACE(c.path);
    WriteFileText(target, "previous script");
    WriteFileText(backup, "older");
    SetFileFaultHook(
        [&](TFileStep step, const std::string& path) { return step == c.step && named(path, c.path) ? EIO : 0; });
    SeenBox seen;
    AnswerBox(IDOK, &seen);
    EXPECT_EQ(SaveScriptFile(target, false, true), c.saved);
    SetFileFaultHook(nullptr);
    if (c.saved) {
      EXPECT_TRUE(ParsesAsScript(target));
    } else {
      EXPECT_EQ(ReadFileText(target), "previous script");
    }
    EXPECT_EQ(ReadFileText(backup), c.backupAfter);
    EXPECT_TRUE(VisibleSideFilesOf(target).empty());
    EXPECT_EQ(seen.caption, "Warning");
    EXPECT_NE(seen.text.find(c.said), std::string::npos) << seen.text;
    EXPECT_NE(seen.text.find(std::strerror(EIO)), std::string::npos) << "the true cause: " << seen.text;
    EXPECT_EQ(PendingIOError != 0, !c.saved);
    PendingIOError = 0;
  }
}

TEST_F(SaveOrderTest, TheNameHoldsACompleteVersionAtEveryStep) {
  const std::string target = Path("PILOT.QMW");
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  const std::string previous = ReadFileText(target);
  AppendElement(**window_, ekAction, "One more line.");
  std::vector<std::pair<TFileStep, std::string>> steps;
  SetFileFaultHook([&](TFileStep step, const std::string& path) {
    steps.emplace_back(step, path);
    // Up to the step that gives the new file the name, the name holds the
    // previous version; the folder is flushed after it.
    const bool afterRename = step == TFileStep::Flush && path == ExtractFileDir(target);
    if (!afterRename) {
      EXPECT_TRUE(ReadFileText(target) == previous) << "at step " << steps.size();
    }
    return 0;
  });
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  SetFileFaultHook(nullptr);
  // The new file takes the name last, and the folder is flushed after it,
  // so that a power loss cannot undo the rename.
  ASSERT_GE(steps.size(), 5u);
  EXPECT_EQ(steps[steps.size() - 2], std::make_pair(TFileStep::Rename, target));
  EXPECT_EQ(steps.back(), std::make_pair(TFileStep::Flush, ExtractFileDir(target)));
  EXPECT_NE(ReadFileText(target), previous);
  EXPECT_TRUE(ParsesAsScript(target));
  EXPECT_TRUE(ReadFileText(Path("PILOT.BK")) == previous);
}

TEST_F(SaveOrderTest, ASuccessfulSaveKeepsThePreviousFileAsTheBackup) {
  const std::string target = Path("PILOT.QMW");
  WriteFileText(target, "previous script");
  WriteFileText(Path("PILOT.BK"), "older");
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  EXPECT_TRUE(ParsesAsScript(target));
  EXPECT_EQ(ReadFileText(Path("PILOT.BK")), "previous script");
  EXPECT_TRUE(VisibleSideFilesOf(target).empty());

  ASSERT_TRUE(SaveScriptFile(Path("FRESH.QMW"), false, true));
  EXPECT_FALSE(FileExists(Path("FRESH.BK")));
}

TEST_F(SaveOrderTest, WithoutLinksThePreviousFileIsCopiedToTheBackup) {
  const std::string target = Path("PILOT.QMW");
  WriteFileText(target, "previous script");
  WriteFileText(Path("PILOT.BK"), "older");
  SetFileFaultHook([](TFileStep step, const std::string&) { return step == TFileStep::Link ? EPERM : 0; });
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  EXPECT_TRUE(ParsesAsScript(target));
  EXPECT_EQ(ReadFileText(Path("PILOT.BK")), "previous script");
  EXPECT_EQ(fs::hard_link_count(Path("PILOT.BK")), 1u);
}

TEST_F(SaveOrderTest, TimedBackupsReplaceThePreviousOneInOneStep) {
  const std::string base = Path("SAVE2");
  WriteFileText(base + ".TMB", "previous backup");
  ASSERT_TRUE(BackupBeforeSave(base, true, false));
  ASSERT_TRUE(SaveScriptFile(base, true, true));
  EXPECT_TRUE(ParsesAsScript(base + ".TMB"));
  EXPECT_FALSE(FileExists(base + ".TBK"));

  WriteFileText(base + ".TMB", "previous backup");
  SetFileFaultHook([&](TFileStep step, const std::string& path) {
    return step == TFileStep::Rename && path == base + ".TMB" ? ENOSPC : 0;
  });
  AnswerBox(IDOK);
  EXPECT_FALSE(SaveScriptFile(base, true, true));
  EXPECT_EQ(ReadFileText(base + ".TMB"), "previous backup");
  EXPECT_FALSE(FileExists(base + ".TBK"));
}

TEST_F(SaveOrderTest, AReadOnlyTargetIsRefusedAndKept) {
  ScriptExtension = "QMW";
  const std::string target = Path("LOCKED.QMW");
  WriteFileText(target, "protected");
  ASSERT_TRUE(SetReadOnly(target, true));
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  EXPECT_FALSE(BackupBeforeSave(target, false, false));
  EXPECT_EQ(seen.text,
            "This File is marked READ ONLY and I am unable to save it with this File Name.  Please give it a "
            "different name...");
  // Saving there anyway cannot move the protected file aside.
  AnswerBox(IDOK);
  EXPECT_FALSE(SaveScriptFile(target, false, true));
  EXPECT_EQ(ReadFileText(target), "protected");
  EXPECT_TRUE(VisibleSideFilesOf(target).empty());
  EXPECT_TRUE(BackupBeforeSave(Path("NEW.QMW"), false, false));
}

TEST_F(SaveOrderTest, CancelDuringTheWriteKeepsThePreviousFile) {
  const std::string target = Path("PILOT.QMW");
  WriteFileText(target, "previous script");
  FileJobHooks.CancelPressed = [] { return true; };
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  EXPECT_FALSE(SaveScriptFile(target, false, true));
  EXPECT_EQ(seen.text, "Cancel Pressed.");
  EXPECT_EQ(ReadFileText(target), "previous script");
  EXPECT_TRUE(VisibleSideFilesOf(target).empty());
  EXPECT_NE(PendingIOError, 0);
}

TEST_F(SaveOrderTest, TheFileIsWrittenInChunksWithProgress) {
  std::vector<int> steps;
  FileJobHooks.Percentage = [&](Byte percent) { steps.push_back(percent); };
  ASSERT_TRUE(SaveScriptFile(Path("CHUNKS.QMW"), false, true));
  const auto size = static_cast<std::size_t>(FileSize(Path("CHUNKS.QMW")));
  EXPECT_EQ(steps.size(), (size + FileChunkSize - 1) / FileChunkSize);
  EXPECT_EQ(steps.back(), 100);
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
}

TEST_F(SaveOrderTest, SavingThroughALinkReplacesTheFileItPointsTo) {
  fs::create_directory(Path("real"));
  const std::string real = Path("real/PILOT.QMW");
  WriteFileText(real, "previous script");
  for (const std::string& link : {Path("PILOT.QMW"), Path("CHAINED.QMW")}) {
    SCOPED_TRACE(link);
    if (link == Path("PILOT.QMW")) fs::create_symlink("real/PILOT.QMW", link);
    else fs::create_symlink(Path("PILOT.QMW"), link);
    const std::string before = ReadFileText(real);
    AppendElement(**window_, ekAction, "Saved through " + link);
    ASSERT_TRUE(SaveScriptFile(link, false, true));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(ParsesAsScript(real));
    EXPECT_TRUE(ReadFileText(real) != before);
    // The backup is the previous version, made beside the file itself.
    EXPECT_TRUE(ReadFileText(Path("real/PILOT.BK")) == before);
    EXPECT_FALSE(fs::is_symlink(Path("real/PILOT.BK")));
    EXPECT_FALSE(fs::exists(ChangeFileExt(link, ".BK")));
  }
}

TEST_F(SaveOrderTest, TheNewFileKeepsThePermissionsOfTheOldOne) {
  for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                               fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                               fs::perms::owner_all | fs::perms::group_all | fs::perms::others_all}) {
    SCOPED_TRACE(static_cast<int>(mode));
    const std::string target = Path("PRIVATE.QMW");
    WriteFileText(target, "previous script");
    fs::permissions(target, mode);
    ASSERT_TRUE(SaveScriptFile(target, false, true));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, mode);
    EXPECT_TRUE(ParsesAsScript(target));
  }
}

// A timed backup and the script saved under a new name take the script's
// mode, whatever backup they replace; the writer can replace either
// again, even for a script marked read-only.
TEST_F(SaveOrderTest, WhatIsWrittenForAScriptTakesTheScriptsMode) {
  const mode_t oldMask = ::umask(022);
  const std::string script = Path("PILOT.QMW");
  ASSERT_TRUE(SaveScriptFile(script, false, true));
  (*window_)->ScriptFileName = script;
  const std::string timed = Path("SAVE1.TMB");
  const std::string copy = Path("COPY.QMW");
  const auto modeOf = [](const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
  };
  const struct {
    const char* what;
    int script;
    int previous;  // the mode of the timed backup replaced; -1: none
    int timed;
    int copy;
  } cases[] = {
      {"a private script", 0600, -1, 0600, 0600},
      {"a private script over a backup others read", 0600, 0644, 0600, 0600},
      {"a group's script over a private backup", 0640, 0600, 0640, 0640},
      {"a script everyone may write", 0666, -1, 0666, 0666},
      {"a script marked read-only", 0444, -1, 0644, 0644},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(::chmod(script.c_str(), static_cast<mode_t>(c.script)), 0);
    fs::remove(timed);
    fs::remove(copy);
    if (c.previous >= 0) ::chmod(WriteFileText(timed, "previous backup").c_str(), static_cast<mode_t>(c.previous));
    for (int time = 1; time <= 2; ++time) {
      ASSERT_TRUE(SaveScriptFile(Path("SAVE1"), true, true)) << "time " << time;
      ASSERT_TRUE(SaveScriptFile(copy, false, true)) << "time " << time;
    }
    EXPECT_EQ(modeOf(timed), c.timed);
    EXPECT_EQ(modeOf(copy), c.copy);
  }
  ::umask(oldMask);
}

// Every name the folder takes can be saved under, again and again: what is
// written beside it takes a shorter name when its own would not fit. A
// stopped save under such a name is still found.
TEST_F(SaveOrderTest, ANameAsLongAsTheFolderTakesIsSavedUnder) {
  for (const std::size_t length : {246u, 250u, 255u}) {
    SCOPED_TRACE(length);
    const std::string target = Path(std::string(length - 4, 'L') + ".QMW");
    ASSERT_TRUE(SaveScriptFile(target, false, true));
    ASSERT_TRUE(SaveScriptFile(target, false, true));
    EXPECT_TRUE(ParsesAsScript(target));
    EXPECT_TRUE(ParsesAsScript(ChangeFileExt(target, ".BK")));
    AppendElement(**window_, ekAction, "Written, but never given the name.");
    ASSERT_TRUE(KilledAt(TFileStep::Rename, target, [&] { SaveScriptFile(target, false, true); }));
    const std::vector<std::string> left = VisibleSideFilesOf(target);
    ASSERT_EQ(left.size(), 1u);
    WithinOneSecond({target, left.front()});
    EXPECT_EQ(StoppedSaveToOffer(target), left.front());
  }
}

// A name longer than the folder takes is said to be too long, not a full
// disk.
TEST_F(SaveOrderTest, ANameTooLongIsSaidToBeTooLong) {
  const std::string target = Path(std::string(253, 'L') + ".QMW");
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  EXPECT_FALSE(SaveScriptFile(target, false, true));
  EXPECT_NE(seen.text.find("Error writing "), std::string::npos) << seen.text;
  EXPECT_NE(seen.text.find(std::strerror(ENAMETOOLONG)), std::string::npos) << seen.text;
  EXPECT_EQ(seen.text.find("Disk is Full"), std::string::npos) << seen.text;
  PendingIOError = 0;
}

// A script whose name leaves no room for the backup's extension keeps its
// previous version all the same, under a shorter name, as the new files
// beside it are shortened: two such names that begin alike keep a backup
// each, and nothing is said.
TEST_F(SaveOrderTest, ABackupWhoseNameWouldBeTooLongIsKeptUnderAShorterOne) {
  const struct {
    const char* what;
    std::string name;
  } cases[] = {
      {"255 bytes without an extension", std::string(255, 'L')},
      {"255 bytes beginning alike", std::string(254, 'L') + "M"},
      {"255 bytes with a short extension", std::string(253, 'L') + ".Q"},
  };
  std::vector<std::string> backups;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string target = Path(c.name);
    ASSERT_TRUE(SaveScriptFile(target, false, true));
    const std::size_t previous = std::filesystem::file_size(target);
    AppendElement(**window_, ekAction, "A second draft.");
    ASSERT_TRUE(SaveScriptFile(target, false, true));
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(Path(""))) {
      const std::string name = entry.path().filename().string();
      if (name.ends_with(".BK") && std::find(backups.begin(), backups.end(), name) == backups.end())
        found.push_back(name);
    }
    ASSERT_EQ(found.size(), 1u) << "one backup of its own";
    const std::string backup = Path(found.front());
    EXPECT_TRUE(ParsesAsScript(backup));
    EXPECT_EQ(std::filesystem::file_size(backup), previous) << "the previous version";
    backups.push_back(found.front());
  }
}

// A file-size limit stops the write, is reported as what it is (the disk
// may have room), and the program goes on with the previous file in place.
TEST_F(SaveOrderTest, AFileSizeLimitIsReportedAsTheLimitItIs) {
  const std::string target = Path("PILOT.QMW");
  WriteFileText(target, "previous script");
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 3 * FileChunkSize;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  const bool saved = SaveScriptFile(target, false, true);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(saved);
  EXPECT_EQ(seen.text, "Error writing " + target + "\rFile is larger than the system allows this program to write");
  EXPECT_EQ(ReadFileText(target), "previous script");
  EXPECT_TRUE(VisibleSideFilesOf(target).empty());
}

TEST_F(SaveOrderTest, TheNewerVersionOfAStoppedSaveIsOfferedAtOpen) {
  const std::string target = Path("PILOT.QMW");
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  const int saved = (*window_)->ElementCount();
  AppendElement(**window_, ekAction, "Written, but never given the name.");
  const std::vector<Byte> newer = BuildScriptImage(**window_, false, true);
  struct Case {
    const char* what;
    std::size_t length;  // of the leftover
    int scriptAge;       // the script's time less the leftover's, in seconds
    int answer;          // 0: no question
    int elements;
  };
  const Case cases[] = {
      {"complete and newer, taken", newer.size(), -10, IDYES, saved + 1},
      {"complete and newer, refused", newer.size(), -10, IDNO, saved},
      {"complete, in the script's own second", newer.size(), 0, IDYES, saved + 1},
      {"cut short", newer.size() - 100, -10, 0, saved},
      {"older than the script", newer.size(), 10, 0, saved},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string leftover = target + ".999999-1.new~";
    WriteFileText(leftover, std::string(newer.begin(), newer.begin() + static_cast<std::ptrdiff_t>(c.length)));
    const std::time_t now = FileAge(leftover);
    ASSERT_TRUE(SetFileAge(leftover, now));
    ASSERT_TRUE(SetFileAge(target, now + c.scriptAge));
    SeenBox seen;
    if (c.answer != 0) AnswerBox(c.answer, &seen);
    ScriptWindow read;
    ASSERT_TRUE(LoadScriptFile(target, false));
    EXPECT_EQ(read->ElementCount(), c.elements);
    EXPECT_EQ(read->DocumentModified != 0, c.elements != saved) << "the newer version still waits to be saved";
    if (c.answer != 0) {
      EXPECT_EQ(seen.caption, "Attention");
      EXPECT_NE(seen.text.find(target), std::string::npos) << seen.text;
    }
    EXPECT_EQ(PendingIOError, 0);
  }
}

}  // namespace
}  // namespace qm::testing
