// Saves in a folder that other users may write to, and saves under names
// that are no plain file: nothing another user put there can make a save
// write anywhere else, only a plain file is ever replaced, and only the
// writer's own stopped save is offered.
#include <gtest/gtest.h>

#include <grp.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "files/export_script.h"
#include "files/format_files.h"
#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/other_user.h"
#include "files/safe_save.h"
#include "base/program_options.h"
#include "files/script_samples.h"
#include "language/quick_entry.h"
#include "platform/files.h"
#include "platform/pdf_printer.h"
#include "platform/printer.h"
#include "printing/print_run.h"

namespace qm::testing {
namespace {

namespace fs = std::filesystem;

// How a child run as kWriter ended.
constexpr int kSaved = 0;
constexpr int kOffered = 1;
constexpr int kNotSaved = 2;
constexpr int kMessageBox = 3;
constexpr int kNotTheWriter = 4;
constexpr int kSaidWrongly = 5;
constexpr const char* kOutcomes =
    "1: offered, 2: not saved, 3: a message box, 4: could not become the writer, 5: the message did not name the "
    "file and its owner";
constexpr const char* kNotes = "the writer's own notes";

// Another user who tries to open the file for reading gets it. A child
// that never became that user proves nothing: the test fails.
bool AnotherUserCanOpen(const std::string& path) {
  constexpr int kCannotOpen = 0;
  constexpr int kOpened = 1;
  constexpr int kNotTheOtherUser = 2;
  const pid_t child = fork();
  if (child == 0) {
    if (!BecomeUser(kOtherUser)) _exit(kNotTheOtherUser);
    _exit(::open(path.c_str(), O_RDONLY | O_NONBLOCK) >= 0 ? kOpened : kCannotOpen);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == kNotTheOtherUser)
    ADD_FAILURE() << "could not become another user to open " << path;
  return !WIFEXITED(status) || WEXITSTATUS(status) != kCannotOpen;
}

// A message names the file and says that it is another user's.
bool NamesTheOwnersFile(const std::string& text, const std::string& path) {
  return text.find(path) != std::string::npos && text.find("another user") != std::string::npos;
}

int ModeOf(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

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
  // A script of the writer's in the shared folder that only they may read,
  // made the active script.
  std::string SavePrivateScript() {
    const std::string script = shared_ + "/PRIVATE.QMW";
    EXPECT_TRUE(SaveScriptFile(script, false, true));
    EXPECT_EQ(::chmod(script.c_str(), 0600), 0);
    Script().ScriptFileName = script;
    return script;
  }
  // Counts the writes to a new file and notes whether another user could
  // open it at any of them, before it took its name.
  void WatchWrites(int& watched, bool& opened) {
    SetFileFaultHook([&watched, &opened](TFileStep step, const std::string& path) {
      if ((step == TFileStep::Write || step == TFileStep::Flush) && FileExists(path)) {
        ++watched;
        opened = AnotherUserCanOpen(path) || opened;
      }
      return 0;
    });
  }
  // The PDF printer made the current printer, for prints to a named file.
  PdfPrinterDevice& ChoosePdfPrinter() {
    auto device = std::make_unique<PdfPrinterDevice>();
    PdfPrinterDevice& pdf = *device;
    Backend().OtherPrinters().push_back(std::move(device));
    Printer()->Refresh();
    Printer()->SetPrinterIndex(Printer()->Printers().IndexOf(PdfPrinterName));
    return pdf;
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
  // Runs `step` in a child that is kWriter, without root's rights, after
  // `first` ran there as root; the child's outcome (one of the k... values
  // above) comes back as its exit code.
  // With `alsoIn` the writer is a member of that group too.
  template <typename Step>
  int AsTheWriter(Step step, const std::function<void()>& first = {}, gid_t alsoIn = 0) {
    const pid_t child = fork();
    if (child == 0) {
      Driver().OnProblem = [](const std::string&) { _exit(kMessageBox); };
      if (first) first();
      if (!BecomeUser(kWriter, alsoIn)) _exit(kNotTheWriter);
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
  // A page printed through the current printer.
  static void PrintAPage() {
    ASSERT_TRUE(StartPrintJob(false, "Private"));
    CurrentPrintCanvas->Font.Name = "Courier New";
    CurrentPrintCanvas->Font.Size = 12;
    PrintTextAt(300, 600, "INT. VAULT - NIGHT");
    EXPECT_TRUE(FinishPrintJob());
  }
  // The files written for the active script, each as `name` in the shared
  // folder: the writer, told what name to write.
  struct TWrittenFile {
    const char* what;
    const char* name;
    std::function<void(const std::string&)> write;
  };
  std::vector<TWrittenFile> FilesWrittenForTheScript(PdfPrinterDevice& pdf) {
    return {
        {"a text export", "SCRIPT.TXT",
         [](const std::string& p) { EXPECT_TRUE(ExportScript(p, ekExportFormattedAscii)); }},
        {"an RTF export", "SCRIPT.RTF", [](const std::string& p) { EXPECT_TRUE(ExportScript(p, ekExportStyledRtf)); }},
        {"its formats", "SCRIPT.DEF",
         [this](const std::string& p) {
           AnswerBox(IDOK);
           SaveFormatsFile(p);
         }},
        {"a print file", "SCRIPT.qpf",
         [this](const std::string& p) {
           SetPrintFile(p);
           AnswerBox(IDOK);
           PrintAPage();
         }},
        {"a PDF", "SCRIPT.pdf",
         [&pdf](const std::string& p) {
           pdf.NextOutputFile = p;
           PrintAPage();
         }},
    };
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

// Until it is complete, nothing written for a private script can be
// opened by another user, who would otherwise keep reading it: not its
// new version, the script under a new name, its timed backup, an export
// of it, its formats or its quick entry settings; nor a settings file. Complete, each is no more open than the script.
TEST_F(SharedFolderSaveTest, NoOtherUserCanReadWhatIsWrittenForAPrivateScript) {
  NEEDS_ROOT();
  const mode_t oldMask = ::umask(022);
  const std::string script = SavePrivateScript();
  int watched = 0;
  bool opened = false;
  WatchWrites(watched, opened);
  const struct {
    const char* what;
    std::function<bool()> write;
    std::string written;
    int mode;
  } cases[] = {
      {"the new version", [&] { return SaveScriptFile(script, false, true); }, script, 0600},
      {"the script under a new name", [&] { return SaveScriptFile(shared_ + "/COPY.QMW", false, true); },
       shared_ + "/COPY.QMW", 0600},
      {"its timed backup", [&] { return SaveScriptFile(shared_ + "/SAVE1", true, true); }, shared_ + "/SAVE1.TMB",
       0600},
      {"an export of it", [&] { return ExportScript(shared_ + "/PRIVATE.TXT", ekExportFormattedAscii); },
       shared_ + "/PRIVATE.TXT", 0600},
      {"its formats",
       [&] {
         AnswerBox(IDOK);
         SaveFormatsFile(shared_ + "/PRIVATE.DEF");
         return FileExists(shared_ + "/PRIVATE.DEF");
       },
       shared_ + "/PRIVATE.DEF", 0600},
      {"its quick entry settings",
       [&] {
         WriteQuickEntrySettings(QuickEntrySettingsPath(Script()), TQuickEntrySettings{}, ModeFor(script));
         return FileExists(shared_ + "/PRIVATE.QTE");
       },
       shared_ + "/PRIVATE.QTE", 0600},
      {"a settings file", [&] { return WriteFileAtomic(shared_ + "/QUILLPAD.INI", "[Pending]\n", 10); },
       shared_ + "/QUILLPAD.INI", 0644},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    watched = 0;
    opened = false;
    ASSERT_TRUE(c.write());
    EXPECT_GT(watched, 0);
    EXPECT_FALSE(opened) << "another user opened it before it was complete";
    EXPECT_EQ(ModeOf(c.written), c.mode);
  }
  SetFileFaultHook(nullptr);
  ::umask(oldMask);
}

// A print of a private script to a file, under the name the program
// proposes beside the script, is never written through a link another
// user planted there; until it is complete no one else can open it, and
// complete it is no more open than the script.
TEST_F(SharedFolderSaveTest, APrintOfAPrivateScriptIsTheWritersAlone) {
  NEEDS_ROOT();
  const mode_t oldMask = ::umask(022);
  SavePrivateScript();
  PdfPrinterDevice& pdf = ChoosePdfPrinter();
  int watched = 0;
  bool opened = false;
  WatchWrites(watched, opened);
  const struct {
    const char* what;
    const char* name;
    std::function<void(const std::string&)> aim;
    bool told;  // a message says where it went
  } cases[] = {
      {"a print file", "PRIVATE.qpf", [](const std::string& path) { SetPrintFile(path); }, true},
      {"a PDF file", "PRIVATE.pdf", [&](const std::string& path) { pdf.NextOutputFile = path; }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string printed = shared_ + "/" + c.name;
    PlantLink(c.name);
    c.aim(printed);
    watched = 0;
    opened = false;
    if (c.told) AnswerBox(IDOK);
    ASSERT_TRUE(StartPrintJob(false, "Private"));
    CurrentPrintCanvas->Font.Name = "Courier New";
    CurrentPrintCanvas->Font.Size = 12;
    PrintTextAt(300, 600, "INT. VAULT - NIGHT");
    EXPECT_TRUE(FinishPrintJob());
    EXPECT_EQ(ReadFileText(notes_), kNotes) << "written through the link";
    EXPECT_EQ(ModeOf(printed), 0600);
    EXPECT_GT(watched, 0);
    EXPECT_FALSE(opened) << "another user opened it before it was complete";
  }
  SetFileFaultHook(nullptr);
  ::umask(oldMask);
}

// Every file written for a script takes the script's mode, whatever the
// umask and whatever file of the writer's it replaces.
TEST_F(SharedFolderSaveTest, EveryFileWrittenForAScriptTakesItsMode) {
  const mode_t oldMask = ::umask(022);
  const std::string script = shared_ + "/SCRIPT.QMW";
  ASSERT_TRUE(SaveScriptFile(script, false, true));
  Script().ScriptFileName = script;
  PdfPrinterDevice& pdf = ChoosePdfPrinter();
  const struct {
    const char* what;
    mode_t script;
    int previous;  // the mode of the writer's file replaced; -1: none
  } cases[] = {
      {"a group's script", 0664, -1},
      {"a group-readable script over older private files", 0640, 0600},
      {"a private script over files others read", 0600, 0644},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(::chmod(script.c_str(), c.script), 0);
    for (const auto& file : FilesWrittenForTheScript(pdf)) {
      SCOPED_TRACE(std::string(c.what) + ", " + file.what);
      const std::string path = shared_ + "/" + file.name;
      fs::remove(path);
      if (c.previous >= 0) ::chmod(WriteFileText(path, "an older one").c_str(), static_cast<mode_t>(c.previous));
      file.write(path);
      EXPECT_EQ(ModeOf(path), static_cast<int>(c.script));
    }
  }
  ::umask(oldMask);
}

// What is written for a script belongs to its writer, though another user
// had a file at that name: it is not handed to them.
TEST_F(SharedFolderSaveTest, AFileWrittenOverAnotherUsersIsTheWriters) {
  NEEDS_ROOT();
  SavePrivateScript();
  PdfPrinterDevice& pdf = ChoosePdfPrinter();
  for (const auto& file : FilesWrittenForTheScript(pdf)) {
    SCOPED_TRACE(file.what);
    const std::string path = shared_ + "/" + file.name;
    PlantFile(path, {'t', 'h', 'e', 'i', 'r', 's'});
    file.write(path);
    EXPECT_EQ(StatOf(path).st_uid, ::geteuid());
    EXPECT_EQ(ModeOf(path), 0600);
  }
}

// A second writer's save of a shared script in a group folder keeps the
// script in its group, one the writer belongs to; the folder gives new
// files no group of its own.
TEST_F(SharedFolderSaveTest, ASharedScriptSavedByAnotherMemberKeepsItsGroup) {
  NEEDS_ROOT();
  constexpr gid_t kTeam = 4800;
  const std::string team = Path("team");
  fs::create_directory(team);
  ASSERT_EQ(::chmod(team.c_str(), 0777), 0);
  const std::string script = team + "/TEAM.QMW";
  ASSERT_TRUE(SaveScriptFile(script, false, true));
  ASSERT_EQ(::chown(script.c_str(), kOtherUser, kTeam), 0);
  ASSERT_EQ(::chmod(script.c_str(), 0664), 0);
  Script().ScriptFileName = script;
  const int outcome = AsTheWriter([&] { return SaveScriptFile(script, false, true) ? kSaved : kNotSaved; }, {}, kTeam);
  ASSERT_EQ(outcome, kSaved) << kOutcomes;
  const struct stat saved = StatOf(script);
  EXPECT_EQ(saved.st_gid, kTeam);
  EXPECT_EQ(saved.st_uid, kWriter);
  EXPECT_EQ(static_cast<int>(saved.st_mode & 0777), 0664);
}

// Another user's file or link at a name the program picks beside the
// script stops no save of the script: at the backup's name the script is
// saved, at a timed backup's that backup is not written; either way the
// writer is told which file and whose it is, and nothing is written
// through it.
TEST_F(SharedFolderSaveTest, AnotherUsersFileAtANameTheProgramPicksIsNamedWithItsOwner) {
  NEEDS_ROOT();
  const std::string target = shared_ + "/PILOT.QMW";
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  ASSERT_EQ(::chown(target.c_str(), kWriter, kWriter), 0);
  const struct {
    const char* what;
    const char* name;
    bool link;
    bool timed;  // the save is the timed backup written under that name
    bool readOnly;
    int outcome;
  } cases[] = {
      {"a file at the backup's name", "PILOT.BK", false, false, false, kSaved},
      {"a link at the backup's name", "PILOT.BK", true, false, false, kSaved},
      {"a file at a timed backup's name", "SAVE1.TMB", false, true, false, kNotSaved},
      {"a read-only file at a timed backup's name", "SAVE1.TMB", false, true, true, kNotSaved},
      {"a link at a timed backup's name", "SAVE1.TMB", true, true, false, kNotSaved},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string planted = shared_ + "/" + c.name;
    fs::remove(planted);
    if (c.link) PlantLink(c.name);
    else PlantFile(planted, {'t', 'h', 'e', 'i', 'r', 's'});
    if (c.readOnly) {
      ASSERT_EQ(::chmod(planted.c_str(), 0444), 0);
    }
    AppendElement(Script(), ekAction, std::string("The writer's words beside ") + c.what + ".");
    const int outcome = AsTheWriter([&] {
      SeenBox seen;
      AnswerBox(IDOK, &seen);
      // As the idle loop writes a timed backup.
      const bool saved =
          c.timed ? BackupBeforeSave(shared_ + "/SAVE1", true, false) && SaveScriptFile(shared_ + "/SAVE1", true, true)
                  : SaveScriptFile(target, false, true);
      if (!NamesTheOwnersFile(seen.text, planted)) return kSaidWrongly;
      return saved ? kSaved : kNotSaved;
    });
    EXPECT_EQ(outcome, c.outcome) << kOutcomes;
    if (!c.timed) {
      EXPECT_EQ(fs::file_size(target), BuildScriptImage(Script(), false, true).size()) << "the writer's version";
    }
    EXPECT_EQ(fs::symlink_status(planted).type(), c.link ? fs::file_type::symlink : fs::file_type::regular);
    if (!c.link) {
      EXPECT_EQ(ReadFileText(planted), "theirs");
    }
    EXPECT_EQ(ReadFileText(notes_), kNotes);
  }
}

// Another user's file at the name of a print file or a PDF, say the one
// proposed beside the script, is left as it is, and the writer is told
// whose it is.
TEST_F(SharedFolderSaveTest, AnotherUsersFileAtAPrintFilesNameIsNamedWithItsOwner) {
  NEEDS_ROOT();
  SavePrivateScript();
  PdfPrinterDevice& pdf = ChoosePdfPrinter();
  const struct {
    const char* what;
    const char* name;
    std::function<void(const std::string&)> aim;
  } cases[] = {
      {"a print file", "PRIVATE.qpf", [](const std::string& path) { SetPrintFile(path); }},
      {"a PDF file", "PRIVATE.pdf", [&](const std::string& path) { pdf.NextOutputFile = path; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string planted = shared_ + "/" + c.name;
    PlantFile(planted, {'t', 'h', 'e', 'i', 'r', 's'});
    const int outcome = AsTheWriter([&] {
      SeenBox seen;
      AnswerBox(IDOK, &seen);
      c.aim(planted);
      if (!StartPrintJob(false, "Private")) return kNotSaved;
      CurrentPrintCanvas->Font.Name = "Courier New";
      CurrentPrintCanvas->Font.Size = 12;
      PrintTextAt(300, 600, "INT. VAULT - NIGHT");
      const bool printed = FinishPrintJob();
      if (!NamesTheOwnersFile(seen.text, planted)) return kSaidWrongly;
      return printed ? kSaved : kNotSaved;
    });
    EXPECT_EQ(outcome, kNotSaved) << kOutcomes;
    EXPECT_EQ(ReadFileText(planted), "theirs");
  }
}

// Names planted where a save's new files would go, by another user who
// sees the writer's process number, stop no save: those names cannot be
// foreseen.
TEST_F(SharedFolderSaveTest, NamesPlantedWhereASavesNewFilesWouldGoStopNoSave) {
  NEEDS_ROOT();
  const std::string target = shared_ + "/PILOT.QMW";
  const std::string settings = shared_ + "/SETTINGS.INI";
  const int outcome = AsTheWriter(
      [&] {
        if (!SaveScriptFile(target, false, true) || !SaveScriptFile(target, false, true)) return kNotSaved;
        return WriteFileAtomic(settings, "[Pending]\n", 10) ? kSaved : kNotSaved;
      },
      [&] {
        const std::string pid = std::to_string(::getpid());
        for (int n = 1; n <= 300; ++n) {
          const std::string own = pid + "-" + std::to_string(n);
          PlantLink("PILOT.QMW." + own + ".new~");
          PlantLink(".PILOT.BK.tmp" + own);
          PlantLink(".SETTINGS.INI.tmp" + own);
        }
      });
  EXPECT_EQ(outcome, kSaved) << kOutcomes;
  EXPECT_TRUE(ParsesAsScript(target));
  EXPECT_TRUE(ParsesAsScript(shared_ + "/PILOT.BK"));
  EXPECT_EQ(ReadFileText(settings), "[Pending]\n");
  EXPECT_EQ(ReadFileText(notes_), kNotes);
}

// Another user cannot hide the writer's stopped save: it is no file they
// may open, so no lock of theirs passes for a save still writing it, and
// a newer file of theirs beside it is not taken for it.
TEST_F(SharedFolderSaveTest, AnotherUserCannotHideTheWritersStoppedSave) {
  NEEDS_ROOT();
  const std::string target = shared_ + "/PILOT.QMW";
  ASSERT_TRUE(SaveScriptFile(target, false, true));
  AppendElement(Script(), ekAction, "Written, but never given the name.");
  ASSERT_TRUE(KilledAt(TFileStep::Rename, target, [&] { SaveScriptFile(target, false, true); }));
  const std::vector<std::string> left = VisibleSideFilesOf(target);
  ASSERT_EQ(left.size(), 1u);
  WithinOneSecond({target, left.front()});
  AppendElement(Script(), ekAction, "Another user's words.");
  PlantFile(target + ".1-1.new~", BuildScriptImage(Script(), false, true));
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t locker = fork();
  if (locker == 0) {
    // 'r': ready as the other user, with the lock if they could take it;
    // 'u': never became the other user, so nothing is tried.
    const bool other = BecomeUser(kOtherUser);
    if (other) {
      const int fd = ::open(left.front().c_str(), O_RDONLY | O_NONBLOCK);
      if (fd >= 0) ::flock(fd, LOCK_EX);
    }
    (void)!::write(ready[1], other ? "r" : "u", 1);
    ::pause();
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  EXPECT_EQ(byte, 'r') << "the locker could not become another user";
  EXPECT_EQ(StoppedSaveToOffer(target), left.front());
  ::kill(locker, SIGKILL);
  waitpid(locker, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
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
    EXPECT_EQ(outcome, kSaved) << kOutcomes;
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
  ASSERT_TRUE(KilledAt(TFileStep::Rename, backup, [&] { SaveScriptFile(target, false, true); }));
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
