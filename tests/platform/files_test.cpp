#include "platform/files.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace qm {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
  const std::string dir_ = temp_.Path();

  std::string Make(const std::string& name, const std::string& bytes = "x") const {
    const std::string path = dir_ + "/" + name;
    return testing::WriteFileText(path, bytes);
  }
  static std::string Bytes(const std::string& path) { return testing::ReadFileText(path); }
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// Sets environment variables for one test and puts the old values back.
class EnvOverride {
 public:
  void Set(const char* name, const char* value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~EnvOverride() {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(FilePaths, PartsOfAPath) {
  const struct {
    const char* path;
    const char* filePath;
    const char* fileDir;
    const char* name;
    const char* ext;
  } cases[] = {
      {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
      {"archive.tar.gz", "", "", "archive.tar.gz", ".gz"},
      {"/dir.d/name", "/dir.d/", "/dir.d", "name", ""},
      {"/f.x/", "/f.x/", "/f.x", "", ""},
      {"/c.txt", "/", "/", "c.txt", ".txt"},
      {"a/b.c ", "a/", "a", "b.c ", ".c "},
      {"../x.QMW", "../", "..", "x.QMW", ".QMW"},
      {"..", "", "", "..", "."},
      {".profile", "", "", ".profile", ".profile"},
      {"name.", "", "", "name.", "."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.filePath) << c.path;
    EXPECT_EQ(ExtractFileDir(c.path), c.fileDir) << c.path;
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
  }
}

TEST(FilePaths, ChangingExtensionsAndDelimiters) {
  const struct {
    const char* path;
    const char* ext;
    const char* result;
  } changes[] = {
      {"a/b.c", ".d", "a/b.d"},     {"dir.x/a", ".y", "dir.x/a.y"},   {"a.tar.gz", "", "a.tar"},
      {"noext", ".BK", "noext.BK"}, {"/s/A.QMW", ".TMB", "/s/A.TMB"}, {"", ".x", ".x"},
  };
  for (const auto& c : changes) EXPECT_EQ(ChangeFileExt(c.path, c.ext), c.result) << c.path;

  const struct {
    const char* path;
    const char* included;
    const char* excluded;
  } delimiters[] = {{"/a/b", "/a/b/", "/a/b"}, {"/a/b/", "/a/b/", "/a/b"}, {"/", "/", "/"}, {"", "/", ""}};
  for (const auto& c : delimiters) {
    EXPECT_EQ(IncludeTrailingPathDelimiter(c.path), c.included) << c.path;
    EXPECT_EQ(ExcludeTrailingPathDelimiter(c.path), c.excluded) << c.path;
  }

  EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
  EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(JoinPath("/a", "/abs"), "/abs");
  EXPECT_EQ(JoinPath("", "b"), "b");
}

TEST(FilePaths, ExpandFileNameResolvesDotsByTheTextAlone) {
  const struct {
    const char* path;
    const char* expanded;
  } cases[] = {
      {"/a/./b/../c", "/a/c"}, {"/a//b/", "/a/b/"}, {"/../x", "/x"}, {"/a/..b/...c", "/a/..b/...c"},
      {"/a/b ", "/a/b "},      {"/a/b/..", "/a"},   {"/", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandFileName(c.path), c.expanded) << c.path;
  const std::string cwd = fs::current_path().string();
  EXPECT_EQ(ExpandFileName("x/./y"), cwd + "/x/y");
}

TEST_F(Files, MapPathTakesOldStylePathsToTheFilesThatExist) {
  fs::create_directories(dir_ + "/Scripts");
  Make("Scripts/Script.QMW");
  Make("A.TXT");
  Make("a.txt");
  std::string old = dir_;
  std::replace(old.begin(), old.end(), '/', '\\');

  const struct {
    std::string given;
    std::string mapped;
  } cases[] = {
      {"C:" + old + "\\SCRIPTS\\SCRIPT.QMW", dir_ + "/Scripts/Script.QMW"},
      {"c:" + old + "\\scripts\\NEW.QMW", dir_ + "/Scripts/NEW.QMW"},
      {old + "\\NOWHERE\\SCRIPT.QMW", dir_ + "/NOWHERE/SCRIPT.QMW"},
      {dir_ + "/A.TXT", dir_ + "/A.TXT"},  // the exact name wins
      {dir_ + "/A.txt", dir_ + "/A.TXT"},  // several in other cases: the first in byte order
      {dir_ + "/./scripts/../Scripts/script.qmw", dir_ + "/./Scripts/../Scripts/Script.QMW"},
      // Backslashes and colons are characters of a name that exists.
      {Make("C:back\\slash.qmw"), dir_ + "/C:back\\slash.qmw"},
  };
  for (const auto& c : cases) EXPECT_EQ(MapPath(c.given), c.mapped) << c.given;
}

TEST_F(Files, FindFilesMatchesMasksWithoutRegardToCase) {
  for (const char* name : {"A.QMW", "b.qmw", "c.SC1", "d.SCR", "README", "e.txt", "f.tar.gz", ".hidden.QMW"})
    Make(name);
  fs::create_directories(dir_ + "/sub.QMW");
  fs::create_directories(dir_ + "/Folder");

  using Names = std::vector<std::string>;
  const struct {
    const char* masks;
    bool directories;
    Names names;
  } cases[] = {
      {"*.QMW", false, {"A.QMW", "b.qmw"}},
      {"*.sc?", false, {"c.SC1", "d.SCR"}},
      {"*.", false, {"README"}},
      {"*.;*.SC?;*.QMW", false, {"A.QMW", "README", "b.qmw", "c.SC1", "d.SCR"}},
      {" *.txt ; *.gz", false, {"e.txt", "f.tar.gz"}},
      {"*", false, {"A.QMW", "README", "b.qmw", "c.SC1", "d.SCR", "e.txt", "f.tar.gz"}},
      {"*.*", false, {"A.QMW", "README", "b.qmw", "c.SC1", "d.SCR", "e.txt", "f.tar.gz"}},
      {"?.TXT", false, {"e.txt"}},
      {"readme.*", false, {"README"}},
      {"", false, {}},
      {"*", true, {"Folder", "sub.QMW"}},
      {"*.qmw", true, {"sub.QMW"}},
  };
  for (const auto& c : cases) EXPECT_EQ(FindFiles(dir_, c.masks, c.directories), c.names) << c.masks;
  EXPECT_TRUE(FindFiles(dir_ + "/missing", "*").empty());
}

TEST_F(Files, ReadOnlyFilesRefuseEveryChange) {
  const std::string path = Make("locked.txt", "old");
  const std::string other = Make("other.txt", "other");
  EXPECT_FALSE(IsReadOnly(path));
  ASSERT_TRUE(SetReadOnly(path, true));
  EXPECT_TRUE(IsReadOnly(path));
  EXPECT_TRUE(FileAttributes(path).readOnly);

  std::string error;
  EXPECT_FALSE(WriteFileAtomic(path, "new", 3, &error));
  EXPECT_NE(error.find("locked.txt"), std::string::npos);
  EXPECT_FALSE(DeleteFile(path));
  EXPECT_FALSE(ReplaceFile(other, path));
  EXPECT_FALSE(CopyFile(other, path));
  TFileStream stream(path, TFileMode::OpenReadWrite);
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(stream.LastError(), EACCES);
  EXPECT_EQ(Bytes(path), "old");

  ASSERT_TRUE(SetReadOnly(path, false));
  EXPECT_FALSE(IsReadOnly(path));
  EXPECT_TRUE(DeleteFile(path));
  EXPECT_FALSE(FileExists(path));
}

TEST_F(Files, AtomicWriteReplacesWholeAndLeavesNothingBehind) {
  const std::string path = Make("data.bin", "old contents");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  const std::string bytes("new\0bytes", 9);
  ASSERT_TRUE(WriteFileAtomic(path, bytes.data(), bytes.size()));
  EXPECT_EQ(Bytes(path), bytes);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Listing(), (std::vector<std::string>{"data.bin"}));

  const std::string link = dir_ + "/link.bin";
  fs::create_symlink(path, link);
  ASSERT_TRUE(WriteFileAtomic(link, "via link", 8));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Bytes(path), "via link");

  std::string error;
  EXPECT_FALSE(WriteFileAtomic(dir_ + "/no/folder/file", "x", 1, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(WriteFileAtomic(dir_, "x", 1, &error));  // a folder is not replaced
  EXPECT_TRUE(DirectoryExists(dir_));
  EXPECT_EQ(Listing(), (std::vector<std::string>{"data.bin", "link.bin"}));
}

TEST_F(Files, ReadFileBytesReportsWhyItFailed) {
  std::string error;
  EXPECT_FALSE(ReadFileBytes(dir_ + "/missing.txt", &error));
  EXPECT_NE(error.find("missing.txt"), std::string::npos);
  EXPECT_FALSE(ReadFileBytes(dir_, &error));
  EXPECT_NE(error.find("folder"), std::string::npos) << error;
}

// Names are the system's bytes from end to end: any name a desktop can
// make is found, opened and written, and only text shown is converted.
TEST_F(Files, NamesAreTheSystemsOwnBytes) {
  const std::vector<std::string> names = {"caf\xC3\xA9.txt", "\xD0\x9A\xD1\x83\xD1\x85\xD0\xBD\xD1\x8F.qmw",
                                          "\xE5\x8E\xA8\xE6\x88\xBF.qmw", "\xF0\x9F\x8E\xAC.qmw", "bad\xFF.qmw"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string path = dir_ + "/" + name;
    ASSERT_TRUE(WriteFileAtomic(path, "a\0b", 3));
    EXPECT_TRUE(fs::exists(fs::path(path)));
    EXPECT_TRUE(FileExists(path));
    const auto bytes = ReadFileBytes(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, (std::vector<std::uint8_t>{'a', 0, 'b'}));
  }
  auto sorted = names;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(FindFiles(dir_, "*"), sorted);
  // The code page's letters match in either case, as UTF-8 too.
  EXPECT_EQ(FindFiles(dir_, "CAF\xC3\x89.*"), (std::vector<std::string>{"caf\xC3\xA9.txt"}));
  EXPECT_EQ(FindNameNoCase(dir_, "CAF\xC3\x89.TXT"), "caf\xC3\xA9.txt");
  EXPECT_EQ(FindNameNoCase(dir_, "\xD0\x9A\xD1\x83\xD1\x85\xD0\xBD\xD1\x8F.QMW"),
            "\xD0\x9A\xD1\x83\xD1\x85\xD0\xBD\xD1\x8F.qmw");
  EXPECT_TRUE(SameFileName("sc\xC3\xA8ne.qmw", "SC\xC3\x88NE.QMW"));
  EXPECT_FALSE(SameFileName("sc\xC3\xA8ne.qmw", "scene.qmw"));

  EXPECT_EQ(PathToText("/a/caf\xC3\xA9.txt"), "/a/caf\xE9.txt");
  EXPECT_EQ(PathToText("\xD0\x9A.qmw"), "?.qmw");
  EXPECT_EQ(TextToPath("Sc\xE8ne2"), "Sc\xC3\xA8ne2");
}

// Only plain files are opened: a pipe without a writer would keep the
// program waiting for ever.
TEST_F(Files, OnlyPlainFilesOpen) {
  const std::string pipe = dir_ + "/pipe.qmw";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  fs::create_directories(dir_ + "/folder.qmw");
  const struct {
    std::string path;
    int error;
  } cases[] = {{pipe, ENODEV}, {dir_ + "/folder.qmw", EISDIR}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    for (TFileMode mode : {TFileMode::OpenRead, TFileMode::OpenReadWrite}) {
      TFileStream stream(c.path, mode);
      EXPECT_FALSE(stream.IsOpen());
      EXPECT_EQ(stream.LastError(), c.error);
    }
    EXPECT_FALSE(ReadFileBytes(c.path));
    EXPECT_FALSE(CopyFile(c.path, dir_ + "/copy"));
  }
  EXPECT_FALSE(FileAttributes(pipe).regular);
  EXPECT_TRUE(FileAttributes(Make("plain.qmw")).regular);
}

TEST_F(Files, LinksAreFollowedToTheFileTheyName) {
  const std::string real = Make("real.qmw");
  fs::create_directories(dir_ + "/sub");
  fs::create_symlink("../real.qmw", dir_ + "/sub/up.qmw");
  fs::create_symlink(dir_ + "/sub/up.qmw", dir_ + "/chain.qmw");
  fs::create_symlink("gone.qmw", dir_ + "/dangling.qmw");
  fs::create_symlink("loop.qmw", dir_ + "/loop.qmw");
  EXPECT_EQ(fs::canonical(FollowLinks(dir_ + "/sub/up.qmw")), fs::canonical(real));
  EXPECT_EQ(fs::canonical(FollowLinks(dir_ + "/chain.qmw")), fs::canonical(real));
  EXPECT_EQ(FollowLinks(dir_ + "/dangling.qmw"), dir_ + "/gone.qmw");
  EXPECT_EQ(FollowLinks(real), real);
  EXPECT_EQ(FollowLinks(dir_ + "/loop.qmw"), dir_ + "/loop.qmw");
}

// Hidden new files of a program that was killed while it wrote go with
// the next write; those of a program that still runs stay.
TEST_F(Files, HiddenFilesOfAKilledWriterAreRemoved) {
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  int status = 0;
  waitpid(gone, &status, 0);
  const std::string stale = ".data.ini.tmp" + std::to_string(gone) + "-3";
  const std::string live = ".data.ini.tmp" + std::to_string(::getppid()) + "-1";
  Make(stale, "half");
  Make(live, "being written");
  Make(".data.ini.tmpnotanumber", "someone else's");
  ASSERT_TRUE(WriteFileAtomic(dir_ + "/data.ini", "new", 3));
  EXPECT_EQ(Listing(), (std::vector<std::string>{live, ".data.ini.tmpnotanumber", "data.ini"}));
}

// Until it is complete, the new file of a replacement is its writer's
// alone: someone who opened it meanwhile would keep reading it whatever
// mode it took later. Complete, it takes its mode, never a wider one than
// it is allowed.
TEST_F(Files, ANewFileIsItsWritersAloneUntilItIsComplete) {
  const mode_t oldMask = ::umask(022);
  const auto modeOf = [](const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
  };
  const struct {
    const char* what;
    int replaced;  // the mode of the file replaced; -1: a first version
    int within;    // KeepModeWithin; -1: not asked
    int taken;     // TakeMode; -1: not asked
    int final;
  } cases[] = {
      {"a first version", -1, -1, -1, 0644},
      {"replacing a file the group may write", 0664, -1, -1, 0664},
      {"replacing a private file", 0600, -1, -1, 0600},
      {"within a private script's mode", 0644, 0600, -1, 0600},
      {"a first version within a group's mode", -1, 0640, -1, 0640},
      {"a mode of its own", 0644, -1, 0640, 0640},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir_ + "/mode.bin";
    ::unlink(path.c_str());
    if (c.replaced >= 0) {
      ASSERT_EQ(::chmod(Make("mode.bin").c_str(), static_cast<mode_t>(c.replaced)), 0);
    }
    TFileReplacement file(path);
    if (c.within >= 0) file.KeepModeWithin(static_cast<unsigned>(c.within));
    if (c.taken >= 0) file.TakeMode(static_cast<unsigned>(c.taken));
    ASSERT_TRUE(file.Create());
    EXPECT_EQ(modeOf(file.FreshPath()), 0600) << "created";
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(modeOf(file.FreshPath()), 0600) << "written and flushed";
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(modeOf(path), c.final);
  }
  ::umask(oldMask);
}

// Names planted where the new files of a write would go stop no write:
// no one can foresee those names. Every name the folder takes gets new
// files beside it that fit, told apart from those of a name it begins like.
TEST_F(Files, NewFilesBesideAFileHaveNamesNoOneCanForeseeThatFit) {
  const std::string victim = Make("victim", "untouched");
  const std::string pid = std::to_string(::getpid());
  for (int n = 1; n <= 300; ++n) {
    fs::create_symlink(victim, dir_ + "/.data.ini.tmp" + pid + "-" + std::to_string(n));
    fs::create_symlink(victim, dir_ + "/data.ini." + pid + "-" + std::to_string(n) + ".new~");
  }
  ASSERT_TRUE(WriteFileAtomic(dir_ + "/data.ini", "new", 3));
  TFileReplacement visible(dir_ + "/data.ini", TSideName::Visible);
  ASSERT_TRUE(visible.Create());
  ASSERT_TRUE(visible.Write("newer", 5));
  ASSERT_TRUE(visible.Commit());
  EXPECT_EQ(Bytes(victim), "untouched");
  EXPECT_EQ(Bytes(dir_ + "/data.ini"), "newer");

  for (const std::size_t length : {100u, 225u, 246u, 250u, 255u}) {
    SCOPED_TRACE(length);
    const std::string path = dir_ + "/" + std::string(length - 4, 'n') + ".qmw";
    const std::string alike = dir_ + "/" + std::string(length - 5, 'n') + "o.qmw";
    for (const TSideName side : {TSideName::Hidden, TSideName::Visible}) {
      TFileReplacement file(path, side);
      ASSERT_TRUE(file.Create()) << file.LastErrorMessage();
      EXPECT_LE(ExtractFileName(file.FreshPath()).size(), 255u);
      EXPECT_EQ(IsVisibleSideFileOf(file.FreshPath(), path), side == TSideName::Visible);
      EXPECT_FALSE(IsVisibleSideFileOf(file.FreshPath(), alike));
      ASSERT_TRUE(file.Write("x", 1));
      ASSERT_TRUE(file.Commit());
      EXPECT_EQ(Bytes(path), "x");
    }
  }
}

// A name cut to fit a folder with more added keeps as much of its start
// as fits, never part of a character, and at least its first character.
TEST_F(Files, ANameIsCutToFitTheFolderNeverInsideACharacter) {
  const long longest = ::pathconf(dir_.c_str(), _PC_NAME_MAX);
  ASSERT_GT(longest, 8);
  const std::size_t room = static_cast<std::size_t>(longest);
  const std::string accent = "\xC3\xA9";
  const struct {
    const char* what;
    std::string name;
    std::size_t more;
    std::string start;
  } cases[] = {
      {"a name that fits", "PILOT", 4, "PILOT"},
      {"a name that fits exactly", std::string(room - 4, 'n'), 4, std::string(room - 4, 'n')},
      {"a name too long", std::string(room, 'n'), 4, std::string(room - 4, 'n')},
      {"a cut inside a character", std::string(room - 5, 'n') + accent + "nnn", 4, std::string(room - 5, 'n')},
      {"no room at all", accent + "nn", room, accent},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(NameStartFitting(c.name, c.more, dir_), c.start);
  }
}

// What another user put under a name is said to be theirs, by name when
// the system knows one.
TEST_F(Files, TheOwnerOfAnotherUsersFileIsNamed) {
  const std::string own = Make("own.txt");
  EXPECT_FALSE(OtherUserOwning(own));
  EXPECT_FALSE(OtherUserOwning(dir_ + "/missing.txt"));
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const std::string theirs = Make("theirs.txt");
  ASSERT_EQ(::chown(theirs.c_str(), 4711, 4711), 0);
  EXPECT_EQ(OtherUserOwning(theirs), "user 4711");
  const std::string link = dir_ + "/theirs.lnk";
  fs::create_symlink(own, link);
  ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
  const passwd* nobody = ::getpwuid(65534);
  EXPECT_EQ(OtherUserOwning(link), nobody ? std::string(nobody->pw_name) : std::string("user 65534"));
}

TEST_F(Files, AFaultHookMakesTheNamedStepFail) {
  const std::string path = Make("data.bin", "old");
  std::vector<std::pair<TFileStep, std::string>> seen;
  SetFileFaultHook([&](TFileStep step, const std::string& at) {
    seen.emplace_back(step, ExtractFileName(at));
    return step == TFileStep::Rename ? ENOSPC : 0;
  });
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(path, "new", 3, &error));
  SetFileFaultHook(nullptr);
  EXPECT_NE(error.find(strerror(ENOSPC)), std::string::npos) << error;
  EXPECT_EQ(Bytes(path), "old");
  EXPECT_EQ(Listing(), (std::vector<std::string>{"data.bin"}));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].first, TFileStep::Create);
  EXPECT_EQ(seen[1].first, TFileStep::Write);
  EXPECT_EQ(seen[2].first, TFileStep::Flush);
  EXPECT_EQ(seen[3], std::make_pair(TFileStep::Rename, std::string("data.bin")));
}

TEST_F(Files, RenameCopyAndTimes) {
  const std::string a = Make("a.txt", "aaa");
  const std::string b = Make("b.txt", "bb");
  EXPECT_FALSE(RenameFile(a, b));
  EXPECT_TRUE(RenameFile(a, dir_ + "/c.txt"));
  EXPECT_FALSE(FileExists(a));
  EXPECT_TRUE(ReplaceFile(dir_ + "/c.txt", b));
  EXPECT_EQ(Bytes(b), "aaa");

  ASSERT_TRUE(SetFileAge(b, 1000000000));
  EXPECT_EQ(FileAge(b), 1000000000);
  EXPECT_TRUE(CopyFile(b, b + ".copy"));
  EXPECT_FALSE(CopyFile(b, b + ".copy", true));
  EXPECT_EQ(Bytes(b + ".copy"), "aaa");
  EXPECT_EQ(FileAge(b + ".copy"), 1000000000);
  EXPECT_FALSE(CopyFile(dir_ + "/missing", dir_ + "/x"));
  EXPECT_FALSE(FileExists(dir_ + "/x"));

  EXPECT_EQ(FileSize(b), 3);
  EXPECT_EQ(FileSize(dir_ + "/missing"), -1);
  EXPECT_EQ(FileAge(dir_ + "/missing"), -1);
  const TFileInfo info = FileAttributes(b);
  EXPECT_TRUE(info.exists && !info.directory && !info.hidden && info.size == 3 && info.mtime == 1000000000);
  EXPECT_TRUE(FileAttributes(Make(".dot")).hidden);
  EXPECT_TRUE(FileAttributes(dir_).directory);
  EXPECT_FALSE(FileAttributes(dir_ + "/missing").exists);
}

TEST_F(Files, FoldersAreMadeOnDemand) {
  EXPECT_TRUE(ForceDirectories(dir_ + "/x/y/z/"));
  EXPECT_TRUE(DirectoryExists(dir_ + "/x/y/z"));
  EXPECT_FALSE(CreateDir(dir_ + "/x"));
  EXPECT_TRUE(CreateDir(dir_ + "/w"));
  EXPECT_FALSE(FileExists(dir_ + "/w"));
  Make("file");
  EXPECT_FALSE(ForceDirectories(dir_ + "/file/sub"));
  EXPECT_FALSE(DeleteFile(dir_ + "/w"));
}

TEST_F(Files, StreamReadsAndWritesInChunks) {
  const std::string path = dir_ + "/chunks.bin";
  std::vector<char> chunk(20480);
  {
    TFileStream out(path, TFileMode::Create);
    ASSERT_TRUE(out.IsOpen());
    for (int i = 0; i < 2; ++i) {
      std::fill(chunk.begin(), chunk.end(), static_cast<char>('a' + i));
      EXPECT_EQ(out.Write(chunk.data(), chunk.size()), chunk.size());
    }
    EXPECT_EQ(out.Write("tail!", 5), 5u);
    EXPECT_TRUE(out.Flush());
    EXPECT_EQ(out.Size(), 2 * 20480 + 5);
    EXPECT_EQ(out.Position(), out.Size());
  }
  TFileStream in(path, TFileMode::OpenRead);
  ASSERT_TRUE(in.IsOpen());
  EXPECT_EQ(in.Read(chunk.data(), chunk.size()), chunk.size());
  EXPECT_EQ(chunk.front(), 'a');
  EXPECT_EQ(in.Seek(-5, TSeekOrigin::End), 2 * 20480);
  EXPECT_EQ(in.Read(chunk.data(), chunk.size()), 5u);  // short read at the end
  EXPECT_EQ(std::string(chunk.data(), 5), "tail!");
  EXPECT_EQ(in.Read(chunk.data(), chunk.size()), 0u);
  EXPECT_EQ(in.LastError(), 0);
  EXPECT_EQ(in.Write("x", 1), 0u);  // opened for reading only
  EXPECT_NE(in.LastError(), 0);
  EXPECT_EQ(in.Seek(-1), -1);

  TFileStream missing(dir_ + "/missing.bin", TFileMode::OpenRead);
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.LastError(), ENOENT);
  EXPECT_NE(missing.LastErrorMessage().find("missing.bin"), std::string::npos);
  EXPECT_EQ(missing.Read(chunk.data(), 10), 0u);
  EXPECT_EQ(missing.LastError(), EBADF);
  EXPECT_EQ(missing.Size(), -1);
}

TEST(Drives, KindsOfFileSystems) {
  // clang-format off
  const struct {
    const char* type;
    const char* mountPoint;
    DriveKind kind;
  } cases[] = {
      {"iso9660", "/media/cd", DriveKind::CDROM},     {"udf", "/mnt/dvd", DriveKind::CDROM},
      {"tmpfs", "/tmp", DriveKind::RamDisk},          {"ramfs", "/r", DriveKind::RamDisk},
      {"nfs4", "/net", DriveKind::Remote},            {"cifs", "/share", DriveKind::Remote},
      {"smb3", "/share", DriveKind::Remote},          {"fuse.sshfs", "/remote", DriveKind::Remote},
      {"vfat", "/media/usb", DriveKind::Removable},   {"exfat", "/run/media/me/KEY", DriveKind::Removable},
      {"vfat", "/boot/efi", DriveKind::Fixed},        {"ext4", "/", DriveKind::Fixed},
      {"", "/", DriveKind::Unknown},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(DriveKindForFileSystem(c.type, c.mountPoint), c.kind) << c.type;
}

TEST(Drives, AShortBaseNameKeepsWhatComesBeforeTheFirstDot) {
  const struct {
    const char* path;
    int maxLength;
    const char* name;
  } cases[] = {
      {"/scripts/Act.One.QMW", 8, "Act"}, {"/scripts/LONGSCRIPTNAME.QMW", 8, "LONGSCRI"},
      {"/scripts/.hidden", 8, "NONAME3"}, {"", 8, "NONAME3"},
      {"/scripts/", 8, "NONAME3"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortFileBaseName(c.path, c.maxLength, 3), c.name) << c.path;
}

TEST(Drives, TheDriveIsTheMountPointThatHoldsThePath) {
  EXPECT_EQ(DriveOfPath("/proc/self/status"), "/proc");
  EXPECT_EQ(DriveOfPath("/proc/no/such/file"), "/proc");
  EXPECT_TRUE(DriveReady("/proc/self"));
  const std::string tmpDrive = DriveOfPath(::testing::TempDir());
  EXPECT_EQ(ExpandFileName(::testing::TempDir()).rfind(tmpDrive, 0), 0u);
  EXPECT_EQ(ShortPathName("/a/Long Name.txt"), "/a/Long Name.txt");
  EXPECT_EQ(LongPathName("/a/B"), "/a/B");

  std::ifstream mounts("/proc/self/mounts");
  std::string device, mountPoint, type, rest;
  while (mounts >> device >> mountPoint >> type && std::getline(mounts, rest)) {
    if (mountPoint == "/dev/shm" && type == "tmpfs") {
      EXPECT_EQ(DriveKindOf("/dev/shm/anything"), DriveKind::RamDisk);
      return;
    }
  }
  GTEST_SKIP() << "no tmpfs at /dev/shm here";
}

TEST_F(Files, PlacesFollowTheEnvironment) {
  EnvOverride env;
  env.Set("QUILLMASTER_HOME", dir_.c_str());
  EXPECT_EQ(ConfigFolder(), dir_);
  EXPECT_EQ(SettingsFilePath(), dir_ + "/QUILLPAD.INI");
  EXPECT_EQ(WindowsDirectory(), dir_);
  EXPECT_EQ(RuntimeFolder(), dir_ + "/run");
  EXPECT_EQ(fs::status(dir_ + "/run").permissions() & fs::perms::all, fs::perms::owner_all);

  env.Set("QUILLMASTER_HOME", nullptr);
  env.Set("XDG_CONFIG_HOME", (dir_ + "/xdg").c_str());
  EXPECT_EQ(ConfigFolder(), dir_ + "/xdg/quillmaster");
  EXPECT_TRUE(EnsureConfigFolder());
  EXPECT_TRUE(DirectoryExists(dir_ + "/xdg/quillmaster"));
  env.Set("XDG_CONFIG_HOME", nullptr);
  env.Set("HOME", (dir_ + "/home").c_str());
  EXPECT_EQ(ConfigFolder(), dir_ + "/home/.config/quillmaster");
  EXPECT_EQ(HomeFolder(), dir_ + "/home");
  env.Set("XDG_RUNTIME_DIR", (dir_ + "/xdgrun").c_str());
  EXPECT_EQ(RuntimeFolder(), dir_ + "/xdgrun/quillmaster");
  env.Set("TMPDIR", "/var/tmp/");
  EXPECT_EQ(TempFolder(), "/var/tmp");

  env.Set("QUILLMASTER_PROGRAM_FOLDER", dir_.c_str());
  EXPECT_EQ(ProgramFolder(), dir_ + "/");
  env.Set("QUILLMASTER_PROGRAM_FOLDER", nullptr);
  EXPECT_EQ(ExtractFileName(ExecutablePath()), "quillmaster_tests");
  // The test program has no data/ beside it, as an installed program has not.
  const std::string exeFolder = ExtractFilePath(ExecutablePath());
  ASSERT_FALSE(DirectoryExists(exeFolder + "data"));
  EXPECT_EQ(ProgramFolder(), ExtractFilePath(ExcludeTrailingPathDelimiter(exeFolder)) + "share/quillmaster/");
}

}  // namespace
}  // namespace qm
