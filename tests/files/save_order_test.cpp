// The order of a save: whatever step fails, the previous file is still
// under the script's name and the error is shown.
#include <gtest/gtest.h>

#include <memory>

#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/safe_save.h"
#include "files/script_samples.h"
#include "shell/program_settings.h"
#include "platform/files.h"

namespace qm::testing {
namespace {

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

TEST_F(SaveOrderTest, AFailedStepLeavesThePreviousFileUnderItsName) {
  struct Case {
    TSaveStep step;
    const char* backupAfter;  // what the old backup holds afterwards ("" gone)
  };
  const Case cases[] = {
      {TSaveStep::CreateNew, "older"},      {TSaveStep::WriteNew, "older"},
      {TSaveStep::FlushNew, "older"},       {TSaveStep::RemoveOldBackup, "older"},
      {TSaveStep::KeepOldAsBackup, ""},     {TSaveStep::MoveNewIntoPlace, ""},
  };
  const std::string target = Path("PILOT.QMW");
  const std::string backup = Path("PILOT.BK");
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.step));
    WriteFileText(target, "previous script");
    WriteFileText(backup, "older");
    SaveStepFailsForTesting = [&](TSaveStep step) { return step == c.step; };
    SeenBox seen;
    AnswerBox(IDOK, &seen);
    EXPECT_FALSE(SaveScriptFile(target, false, true));
    EXPECT_EQ(ReadFileText(target), "previous script");
    EXPECT_EQ(FileExists(backup) ? ReadFileText(backup) : "", c.backupAfter);
    EXPECT_FALSE(FileExists(NewFileNameFor(target)));
    EXPECT_EQ(seen.caption, "Warning");
    EXPECT_NE(seen.text.find("Error writing " + target), std::string::npos) << seen.text;
    EXPECT_NE(PendingIOError, 0);
    PendingIOError = 0;
  }
}

TEST_F(SaveOrderTest, ASuccessfulSaveKeepsThePreviousFileAsTheBackup) {
  const std::string target = Path("PILOT.QMW");
  WriteFileText(target, "previous script");
  WriteFileText(Path("PILOT.BK"), "older");
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  EXPECT_TRUE(ParsesAsScript(target));
  EXPECT_EQ(ReadFileText(Path("PILOT.BK")), "previous script");
  EXPECT_FALSE(FileExists(NewFileNameFor(target)));

  ASSERT_TRUE(SaveScriptFile(Path("FRESH.QMW"), false, true));
  EXPECT_FALSE(FileExists(Path("FRESH.BK")));
}

TEST_F(SaveOrderTest, TimedBackupsKeepThePreviousOneOnlyWhileWriting) {
  const std::string base = Path("SAVE2");
  WriteFileText(base + ".TMB", "previous backup");
  ASSERT_TRUE(BackupBeforeSave(base, true, false));
  ASSERT_TRUE(SaveScriptFile(base, true, true));
  EXPECT_TRUE(ParsesAsScript(base + ".TMB"));
  EXPECT_FALSE(FileExists(base + ".TBK"));

  WriteFileText(base + ".TMB", "previous backup");
  SaveStepFailsForTesting = [](TSaveStep step) { return step == TSaveStep::MoveNewIntoPlace; };
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
  EXPECT_FALSE(BackupBeforeSave(Path("LOCKED"), false, false));
  EXPECT_EQ(seen.text,
            "This File is marked READ ONLY and I am unable to save it with this File Name.  Please give it a "
            "different name...");
  // Saving there anyway cannot move the protected file aside.
  AnswerBox(IDOK);
  EXPECT_FALSE(SaveScriptFile(target, false, true));
  EXPECT_EQ(ReadFileText(target), "protected");
  EXPECT_FALSE(FileExists(NewFileNameFor(target)));
  EXPECT_TRUE(BackupBeforeSave(Path("NEW"), false, false));
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
  EXPECT_FALSE(FileExists(NewFileNameFor(target)));
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

}  // namespace
}  // namespace qm::testing
