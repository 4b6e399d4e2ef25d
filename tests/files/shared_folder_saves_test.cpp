// Saves in a folder that other users may write to, and saves under names
// that are no plain file: nothing another user put there can make a save
// write anywhere else, only a plain file is ever replaced, and only the
// writer's own stopped save is offered.
#include <gtest/gtest.h>

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/safe_save.h"
#include "base/program_options.h"
#include "files/script_samples.h"
#include "platform/files.h"

namespace qm::testing {
namespace {

namespace fs = std::filesystem;

// A user other than the one running the tests.
constexpr uid_t kOtherUser = 4711;
// A writer who is not root (see AsTheWriter).
constexpr uid_t kWriter = 4712;
// How a child run as kWriter ended.
constexpr int kSaved = 0;
constexpr int kOffered = 1;
constexpr int kNotSaved = 2;
constexpr int kMessageBox = 3;
constexpr int kNotTheWriter = 4;
constexpr const char* kNotes = "the writer's own notes";

class SharedFolderSaveTest : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    window_ = std::make_unique<ScriptWindow>();
    FillSampleElements(**window_, 7, 40);
    notes_ = WriteFileText(Path("notes.txt"), kNotes);
    shared_ = Path("shared");
    fs::create_directory(shared_);
    // Like /tmp: everyone may write, only the owner of a name may remove it.
    ::chmod(shared_.c_str(), 01777);
    ::chmod(Path("").c_str(), 0755);
  }
  void TearDown() override {
    window_.reset();
    FileTest::TearDown();
  }
  // A link to the writer's notes, put in the shared folder by another user.
  std::string PlantLink(const std::string& name) {
    const std::string link = shared_ + "/" + name;
    EXPECT_EQ(::symlink(notes_.c_str(), link.c_str()), 0);
    EXPECT_EQ(::lchown(link.c_str(), kOtherUser, kOtherUser), 0);
    return link;
  }
  // A file of kOtherUser's beside the writer's script.
  void PlantFile(const std::string& name, const std::vector<Byte>& bytes) {
    WriteFileText(name, std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(::chown(name.c_str(), kOtherUser, kOtherUser), 0);
  }
  // Runs `step` in a child that is kWriter, without root's rights; the
  // child's outcome (one of the k... values above) comes back as its exit code.
  template <typename Step>
  int AsTheWriter(Step step) {
    const pid_t child = fork();
    if (child == 0) {
      Driver().OnProblem = [](const std::string&) { _exit(kMessageBox); };
      if (::setgroups(0, nullptr) != 0 || ::setresgid(kWriter, kWriter, kWriter) != 0 ||
          ::setresuid(kWriter, kWriter, kWriter) != 0)
        _exit(kNotTheWriter);
      _exit(step());
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << status;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  bool ParsesAsScript(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    TParsedScript parsed;
    std::string error;
    return bytes && ParseScriptImage(*bytes, parsed, error);
  }
  TMDIChild& Script() { return **window_; }
  std::unique_ptr<ScriptWindow> window_;
  std::string notes_;
  std::string shared_;
};

// Planting a link owned by someone else needs the rights of root.
#define NEEDS_ROOT() \
  if (::geteuid() != 0) GTEST_SKIP() << "a link of another user can be planted only by root"

TEST_F(SharedFolderSaveTest, ALinkPlantedByAnotherUserIsNeverWrittenThrough) {
  NEEDS_ROOT();
  // A timed backup is a name the program picks itself: a new file takes
  // the name, the link is not followed.
  const std::string backupLink = PlantLink("SAVE1.TMB");
  Script().DocumentModified = 1;
  SaveScriptFile(shared_ + "/SAVE1", true, true);
  EXPECT_EQ(ReadFileText(notes_), kNotes);
  EXPECT_TRUE(fs::is_symlink(backupLink) || ParsesAsScript(backupLink));

  // A save under a name that is another user's link is refused and says why.
  const std::string scriptLink = PlantLink("PILOT.QMW");
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  EXPECT_FALSE(SaveScriptFile(scriptLink, false, true));
  EXPECT_EQ(ReadFileText(notes_), kNotes);
  EXPECT_TRUE(fs::is_symlink(scriptLink));
  EXPECT_FALSE(fs::exists(shared_ + "/PILOT.BK"));
  EXPECT_EQ(seen.caption, "Warning");
  EXPECT_NE(seen.text.find(scriptLink + " is a link that another user made"), std::string::npos) << seen.text;
  EXPECT_NE(Script().DocumentModified, 0) << "the script keeps its changes";
  PendingIOError = 0;

  // The backup of the writer's own script is a name the program picks too.
  const std::string own = shared_ + "/OWN.QMW";
  ASSERT_TRUE(SaveScriptFile(own, false, true));
  const std::string bkLink = PlantLink("OWN.BK");
  ASSERT_TRUE(SaveScriptFile(own, false, true));
  EXPECT_EQ(ReadFileText(notes_), kNotes);
  EXPECT_TRUE(fs::is_symlink(bkLink) || ParsesAsScript(bkLink));

  // Every other file the program writes for itself.
  const std::string settingsLink = PlantLink("SETTINGS.INI");
  WriteFileAtomic(settingsLink, "[Pending]\n", 10);
  EXPECT_EQ(ReadFileText(notes_), kNotes);
}

// The writer's own links, and links in folders no one else can write to,
// are still followed.
TEST_F(SharedFolderSaveTest, TheWritersOwnLinkIsFollowed) {
  const std::string link = shared_ + "/MINE.QMW";
  const std::string real = Path("MINE.QMW");
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
  ASSERT_TRUE(SaveScriptFile(link, false, true));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(ParsesAsScript(real));
}

TEST_F(SharedFolderSaveTest, OnlyAPlainFileIsReplaced) {
  const std::string fifo = Path("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = Path("DRAFTS.QMW");
  fs::create_directory(folder);
  std::string device;
  if (::geteuid() == 0) {
    // A device of its own, so that a save over it harms nothing else.
    device = Path("null");
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  }
  const struct {
    const char* what;
    std::string name;    // saved under
    std::string points;  // a link to this, when not empty
    const char* said;
    fs::file_type stays;
  } cases[] = {
      {"a link to a pipe", Path("PILOT.QMW"), fifo, " is not a plain file", fs::file_type::fifo},
      {"a pipe", fifo, "", " is not a plain file", fs::file_type::fifo},
      {"a link to a device", Path("DEVICE.QMW"), device, " is not a plain file", fs::file_type::character},
      {"a folder", folder, "", " is a folder", fs::file_type::directory},
      {"a link to a folder", Path("LINKED.QMW"), folder, " is a folder", fs::file_type::directory},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.name == Path("DEVICE.QMW") && device.empty()) continue;
    if (!c.points.empty()) fs::create_symlink(c.points, c.name);
    const std::string real = c.points.empty() ? c.name : c.points;
    Script().DocumentModified = 1;
    SeenBox seen;
    AnswerBox(IDOK, &seen);
    EXPECT_FALSE(SaveScriptFile(c.name, false, true));
    EXPECT_EQ(fs::symlink_status(real).type(), c.stays);
    EXPECT_FALSE(fs::exists(fs::symlink_status(ChangeFileExt(real, ".BK"))));
    EXPECT_FALSE(fs::exists(fs::symlink_status(ChangeFileExt(c.name, ".BK"))));
    EXPECT_EQ(seen.caption, "Warning");
    EXPECT_NE(seen.text.find(real + c.said), std::string::npos) << seen.text;
    EXPECT_EQ(seen.text.find("Access Denied"), std::string::npos) << seen.text;
    EXPECT_NE(Script().DocumentModified, 0) << "the script keeps its changes";
    EXPECT_NE(PendingIOError, 0);
    PendingIOError = 0;
  }
}

// What another user put beside the script is no stopped save of the
// writer's: it is not offered, and the writer's saves go on. The writer
// is no root, so it may not remove another user's file from a folder like
// /tmp: a save that needs that file's name would fail.
TEST_F(SharedFolderSaveTest, AnotherUsersFileIsNeverOfferedAsTheWritersStoppedSave) {
  NEEDS_ROOT();
  const std::string target = shared_ + "/PILOT.QMW";
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  ASSERT_EQ(::chown(target.c_str(), kWriter, kWriter), 0);
  for (const std::string& name : {target + ".new~", target + ".999999-1.new~"}) {
    SCOPED_TRACE(name);
    AppendElement(Script(), ekAction, "Another user's words.");
    PlantFile(name, BuildScriptImage(Script(), false, true));
    EXPECT_TRUE(LeftoversOfStoppedSaves(target).empty());
    EXPECT_FALSE(StoppedSaveToOffer(target));
    AppendElement(Script(), ekAction, "The writer's words.");
    const int outcome = AsTheWriter([&] {
      if (StoppedSaveToOffer(target)) return kOffered;
      return SaveScriptFile(target, false, true) ? kSaved : kNotSaved;
    });
    EXPECT_EQ(outcome, kSaved) << "1: offered, 2: not saved, 3: a message box, 4: could not become the writer";
    EXPECT_TRUE(ParsesAsScript(target));
    EXPECT_EQ(fs::file_size(target), BuildScriptImage(Script(), false, true).size()) << "the writer's version";
  }
}

// A save killed while it keeps the previous version as the backup leaves
// a second name of the script: opening the backup offers nothing.
TEST_F(SharedFolderSaveTest, OpeningTheBackupOffersNoNewerVersionOfIt) {
  const std::string target = Path("PILOT.QMW");
  const std::string backup = Path("PILOT.BK");
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  AppendElement(Script(), ekAction, "A second draft.");
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  AppendElement(Script(), ekAction, "A third draft.");
  const pid_t child = fork();
  if (child == 0) {
    SetFileFaultHook([backup](TFileStep step, const std::string& changed) {
      if (step == TFileStep::Rename && changed == backup) raise(SIGKILL);
      return 0;
    });
    SaveScriptFile(target, false, true);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  WithinOneSecond({backup, target});
  EXPECT_TRUE(LeftoversOfStoppedSaves(backup).empty());
  ScriptWindow read;
  ASSERT_TRUE(LoadScriptFile(backup, false)) << "no question is asked";
  EXPECT_EQ(read->DocumentModified, 0);
}

// Blanks at the end of a name are part of it: the script is saved under
// the name it was opened by.
TEST_F(SharedFolderSaveTest, ANameKeepsItsTrailingBlank) {
  ScriptExtension = "QMW";
  const std::string name = Path("trail.QMW ");
  EXPECT_EQ(NativeScriptName(name), name);
  EXPECT_EQ(NativeScriptName(Path("trail.BK")), Path("trail.QMW"));
}

}  // namespace
}  // namespace qm::testing
