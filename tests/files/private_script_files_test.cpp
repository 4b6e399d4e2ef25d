// The files written beside a private script by a writer who is no root,
// where another user may have been first: the quick entry settings and the
// formats. Another user's file is never read as the writer's own, a write
// the system refuses is said with the file and why and ends nothing, and
// what is written takes its script's mode.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "files/file_test_fixture.h"
#include "files/format_files.h"
#include "files/native_file.h"
#include "files/other_user.h"
#include "files/script_samples.h"
#include "language/quick_entry.h"
#include "language/quick_entry_dialog.h"
#include "platform/files.h"

namespace qm::testing {
namespace {

namespace fs = std::filesystem;

// How a child run as the writer ended.
constexpr int kDone = 0;
constexpr int kReadTheirs = 1;
constexpr int kSaidWrongly = 2;
constexpr int kUnexpectedBox = 3;
constexpr const char* kOutcomes =
    "1: their settings were read as the writer's, 2: the message did not name the file and why, 3: a box that was "
    "not expected, 98: a failure would have ended the program, 99: could not become the writer";

struct Plant {
  enum Kind { None, TheirFile, TheirLink, Folder } kind = None;
};

int ModeOf(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

uid_t OwnerOf(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? st.st_uid : static_cast<uid_t>(-1);
}

class PrivateScriptFilesTest : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    if (::geteuid() != 0) GTEST_SKIP() << "another user's files can be planted only by root";
    window_ = std::make_unique<ScriptWindow>();
    FillSampleElements(**window_, 7, 40);
    ::chmod(Path("").c_str(), 0755);
    theirList_ = WriteFileText(Path("THEIRS.LST"), "THEIR ITEM\r\n");
    ::chmod(theirList_.c_str(), 0644);
  }
  void TearDown() override {
    window_.reset();
    FileTest::TearDown();
  }
  // A folder of `mode` and `owner` holding the writer's private script,
  // made the active script.
  std::string PrivateScriptIn(const std::string& name, mode_t mode, uid_t owner) {
    const std::string folder = Path(name);
    fs::create_directory(folder);
    const std::string script = folder + "/PRIVATE.QMW";
    EXPECT_TRUE(SaveScriptFile(script, false, true));
    EXPECT_EQ(::chmod(script.c_str(), 0600), 0);
    EXPECT_EQ(::chown(script.c_str(), kWriter, kWriter), 0);
    EXPECT_EQ(::chown(folder.c_str(), owner, owner), 0);
    EXPECT_EQ(::chmod(folder.c_str(), mode), 0);
    (*window_)->ScriptFileName = script;
    return script;
  }
  // Another user's settings file, naming their list, anyone may read and write.
  void PlantTheirSettings(const std::string& path, bool link) {
    const std::string theirs = link ? Path("THEIRS.QTE") : path;
    WriteFileText(theirs, "[Lists]\n#1=" + theirList_ + "\n");
    ASSERT_EQ(::chmod(theirs.c_str(), 0666), 0);
    ASSERT_EQ(::chown(theirs.c_str(), kOtherUser, kOtherUser), 0);
    if (!link) return;
    ASSERT_EQ(::symlink(theirs.c_str(), path.c_str()), 0);
    ASSERT_EQ(::lchown(path.c_str(), kOtherUser, kOtherUser), 0);
  }
  // Quick Entry Setup's box as the writer, closed with Cancel: whether
  // their lists were read, and whether what was said (if anything is to be
  // said) holds every text of `said`.
  int QuickEntrySetupAsTheWriter(const std::string& path, std::vector<std::string> said) {
    return AsUser(
        kWriter,
        [&] {
          if (!ReadQuickEntrySettings(path).listFiles[0].empty()) return kReadTheirs;
          bool theirItems = false;
          Driver().Expect(
              [&theirItems](TForm& form) {
                theirItems = dynamic_cast<TQuickEntryDialog&>(form).Lists[0]->Items.Count() > 0;
                form.ModalResult = mrCancel;
              },
              "the quick entry box");
          SeenBox seen;
          if (!said.empty()) AnswerBox(IDOK, &seen);
          // As Quick Entry Setup runs the box for the active script.
          TQuickEntryDialog box(Application, path, ModeFor((*window_)->ScriptFileName));
          box.ShowModal();
          box.SaveSettings();
          if (theirItems) return kReadTheirs;
          for (const std::string& text : said)
            if (seen.text.find(text) == std::string::npos) return kSaidWrongly;
          return kDone;
        },
        [this] { BeforeBecomingTheWriter(); });
  }
  // As root, in the child: the writer gets a settings folder of their own
  // (and so their private folder), and a box nobody expects ends the child.
  void BeforeBecomingTheWriter() {
    const std::string home = Path("writer-home");
    fs::create_directory(home);
    if (::chown(home.c_str(), kWriter, kWriter) != 0 || ::chmod(home.c_str(), 0700) != 0) _exit(kNotThatUser);
    ::setenv("QUILLMASTER_HOME", home.c_str(), 1);
    Driver().OnProblem = [](const std::string&) { _exit(kUnexpectedBox); };
  }
  std::unique_ptr<ScriptWindow> window_;
  std::string theirList_;
};

// Where the writer cannot write the settings file, Quick Entry Setup says
// which file and why, and the program goes on; another user's settings
// are never taken for the writer's.
TEST_F(PrivateScriptFilesTest, QuickEntrySettingsThatCannotBeWrittenAreSaidAndEndNothing) {
  const struct {
    const char* what;
    const char* folder;
    mode_t mode;
    uid_t owner;
    Plant::Kind plant;
    std::string why;
  } cases[] = {
      {"another user's file in a folder like /tmp", "sticky", 01777, 0, Plant::TheirFile, " belongs to another user"},
      {"a folder the writer cannot write", "locked", 0755, 0, Plant::None, " belongs to another user"},
      {"a folder at the name", "shared", 01777, 0, Plant::Folder, std::strerror(EISDIR)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string script = PrivateScriptIn(c.folder, c.mode, c.owner);
    const std::string path = ChangeFileExt(script, ".QTE");
    if (c.plant == Plant::TheirFile) PlantTheirSettings(path, false);
    if (c.plant == Plant::Folder) fs::create_directory(path);
    const std::string before = c.plant == Plant::TheirFile ? ReadFileText(path) : "";
    EXPECT_EQ(QuickEntrySetupAsTheWriter(path, {"Error writing " + PathToText(path), c.why}), kDone) << kOutcomes;
    if (c.plant == Plant::TheirFile) {
      EXPECT_EQ(ReadFileText(path), before);
      EXPECT_EQ(OwnerOf(path), kOtherUser);
    }
  }
}

// Where the folder lets every user replace any name, another user's file
// or link at the settings file's name gives way to the writer's own file,
// which has its script's mode and nothing of theirs.
TEST_F(PrivateScriptFilesTest, QuickEntrySettingsTakeTheScriptsModeOverAnotherUsersFile) {
  const mode_t oldMask = ::umask(022);
  for (const bool link : {false, true}) {
    SCOPED_TRACE(link ? "their link" : "their file");
    const std::string script = PrivateScriptIn(link ? "open2" : "open1", 0777, 0);
    const std::string path = ChangeFileExt(script, ".QTE");
    PlantTheirSettings(path, link);
    EXPECT_EQ(QuickEntrySetupAsTheWriter(path, {}), kDone) << kOutcomes;
    EXPECT_EQ(OwnerOf(path), kWriter);
    EXPECT_EQ(ModeOf(path), 0600);
    EXPECT_EQ(ReadFileText(path).find(theirList_), std::string::npos);
  }
  ::umask(oldMask);
}

// A folder the writer may not write to, though it is theirs: the formats
// and the script's save say so of that folder, not "File Access Denied".
TEST_F(PrivateScriptFilesTest, AFolderTheWriterMayNotWriteToIsNamed) {
  const std::string script = PrivateScriptIn("readonly", 0555, kWriter);
  const std::string folder = ExtractFileDir(script);
  const struct {
    const char* what;
    std::function<void()> write;
    std::string said;
  } cases[] = {
      {"the formats", [&] { SaveFormatsFile(folder + "/PRIVATE.DEF"); },
       "Error Saving Defaults to " + PathToText(folder + "/PRIVATE.DEF")},
      {"the script under another name", [&] { SaveScriptFile(folder + "/COPY.QMW", false, true); },
       "Error writing " + PathToText(folder + "/COPY.QMW")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int outcome = AsUser(
        kWriter,
        [&] {
          SeenBox seen;
          AnswerBox(IDOK, &seen);
          c.write();
          const bool named =
              seen.text.find(c.said) != std::string::npos &&
              seen.text.find(PathToText(folder) + " is a folder you may not write to") != std::string::npos &&
              seen.text.find("File Access Denied") == std::string::npos;
          return named ? kDone : kSaidWrongly;
        },
        [this] { BeforeBecomingTheWriter(); });
    EXPECT_EQ(outcome, kDone) << kOutcomes;
  }
}

}  // namespace
}  // namespace qm::testing
