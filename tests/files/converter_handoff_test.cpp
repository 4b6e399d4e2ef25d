// Word files go out and come in through the outside converter, a program
// of this project run as its own process: its outcome atoms, a previous
// file kept when the conversion fails, and the messages that say why.
#include "files/converter_handoff.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/prompt_table.h"
#include "files/export_script.h"
#include "files/file_job.h"
#include "files/other_user.h"
#include "files/progress_dialog.h"
#include "files/save_as.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/process.h"
#include "platform/types.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/script_generator.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::ElementSpec;

const std::string kConverterFolder = ExtractFileDir(QM_CONVERTER_PATH);
constexpr int kRtfForWindows = 7;
constexpr int kRtfForMacintosh = 8;
constexpr int kWordForWindows = 11;
constexpr int kAllFiles = 12;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

class ConverterHandoffTest : public testing::ProgramFixture {
 protected:
  // The clipboard the converter reads the export block from is the one the
  // runtime folder's processes share.
  ConverterHandoffTest() { WithChannel = true; }
  // The filters lie in the program's data folder.
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data"};
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  void ChooseFile(const std::string& name, int filter) { testing::ChooseFile(Driver(), name, filter); }
  void LoadScene() {
    TMDIChild& w = Script();
    w.FreeElements();
    testing::AddElements(w, kScene);
    w.DisAssemble();
  }
  // Files of the folder whose names begin with ".~" or ".xtdlink".
  static int LeftOvers(const std::string& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".~") || name.starts_with(".xtdlink")) ++count;
    }
    return count;
  }
  // The elements of `script` saved through the type `filter` of the Save
  // As dialog as `file` and opened again; none when nothing opened.
  std::vector<ElementSpec> SavedAndOpened(const std::vector<ElementSpec>& script, int filter, const std::string& file) {
    TMDIChild& w = Script();
    w.FreeElements();
    testing::AddElements(w, script);
    w.DisAssemble();
    ChooseFile(file, filter);
    MainForm->FileSaveAsItem->Click();
    ChooseFile(InScripts(file), kAllFiles);
    testing::AcceptPasteAs(Driver());
    MainForm->FileOpenItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    return ActiveScript() ? testing::ElementsOf(Script()) : std::vector<ElementSpec>{};
  }
  // A generated screenplay saved through the type `filter` of the Save As
  // dialog as `file` opens again with every element's type and text.
  void ExpectGeneratedScriptReadBack(int filter, const std::string& file) {
    std::vector<ElementSpec> script = testing::GenerateScreenplay(7, 3);
    const auto read = SavedAndOpened(script, filter, file);
    // A cue's extension is kept as its code, apart from its text.
    for (ElementSpec& e : script)
      if (e.kind == ekCharacterName) e.text = e.text.substr(0, e.text.find(" ("));
    for (std::size_t i = 0; i < std::min(read.size(), script.size()); ++i)
      if (!(read[i] == script[i])) {
        ADD_FAILURE() << "element " << i << " read " << read[i] << " written " << script[i];
        break;
      }
    EXPECT_EQ(read.size(), script.size());
  }
  // What the one message box of an RTF export to `target` that fails says.
  std::string SaidByFailedRtfExport(const std::string& target) {
    std::string said;
    Driver().Expect(
        [&said](TForm& box) {
          said = testing::MessageBoxText(box);
          box.ModalResult = mrOk;
        },
        "the export's failure");
    EXPECT_FALSE(ExportViaFilter(target, ProgramFolder() + "RTF.XTD"));
    EXPECT_EQ(Driver().Pending(), 0);
    return said;
  }
  // Besides text the export block carries hard spaces, hard dashes and
  // optional hyphens ("~" in the script).
  const std::vector<ElementSpec> kSpecials{{ekSceneHeading, "INT. KITCHEN - NIGHT"},
                                           {ekAction, "MR.\x04SMITH will re\x05"
                                                      "enter the kitch~en."},
                                           {ekCharacterName, "MARY"},
                                           {ekDialogue, "Not\x04tonight,\x04MR.\x04SMITH, it is my\x05"
                                                        "day~off."}};
  const std::vector<ElementSpec> kScene{{ekSceneHeading, "INT. KITCHEN - NIGHT"},
                                        {ekAction, "A kettle whistles on the stove."},
                                        {ekCharacterName, "MARY"},
                                        {ekDialogue, "Not tonight."}};
};

// With LibreOffice missing (a search path that holds only the converter).
class WithoutOfficeTest : public ConverterHandoffTest {
 protected:
  testing::ScopedEnv path_{"PATH", kConverterFolder};
};

TEST_F(WithoutOfficeTest, AFailedWordExportKeepsThePreviousFileAndNamesThePackage) {
  LoadScene();
  const std::string target = InScripts("SCENE.DOC");
  testing::WriteFileText(target, "the previous version");
  ChooseFile("SCENE", kWordForWindows);
  testing::AnswerMessageBox(Driver(), PathToText(target) + " already exists!\r\rShould I Overwrite this file?", mrYes);
  testing::AnswerMessageBox(Driver(),
                            "LibreOffice is needed to write SCENE.DOC.\r\rPlease install the package "
                            "libreoffice-writer-nogui.",
                            mrOk, "Export Canceled");
  MainForm->FileSaveAsItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(testing::ReadFileText(target), "the previous version");
  EXPECT_EQ(LeftOvers(ScriptDirectory), 0) << "the work files are gone";
  EXPECT_EQ(GlobalFindAtom("HasAtomicInfo"), 0) << "the outcome is taken away once read";
}

TEST_F(WithoutOfficeTest, AWordFileThatCannotBeReadSaysWhichPackageReadsIt) {
  const std::string path = InScripts("OLD.DOC");
  testing::WriteFileText(path, std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'));
  const int before = DocumentCount;
  ChooseFile(path, kAllFiles);
  testing::AnswerMessageBox(
      Driver(), "LibreOffice is needed to read OLD.DOC.\r\rPlease install the package libreoffice-writer-nogui.", mrOk,
      "Import Canceled");
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(DocumentCount, before) << "no window is left for a file nothing was read from";
}

TEST_F(ConverterHandoffTest, WithoutTheConverterTheImportIsCanceledForTheImport) {
  testing::ScopedEnv path("PATH", "/nonexistent");
  const std::string path_ = InScripts("OLD.DOC");
  testing::WriteFileText(path_, std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'));
  testing::AnswerMessageBox(Driver(), "Missing Import Utility: XTDLINK.EXE", mrOk, "Import Canceled");
  EXPECT_EQ(ImportViaConverter(path_, InScripts("CONVERT.FIL")), crResultFailed);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(ConverterHandoffTest, TheOutcomeAtomsGiveTheResult) {
  struct Case {
    std::vector<const char*> atoms;
    bool target;
    Byte result;
  };
  const std::vector<Case> cases{
      {{"HasAtomicInfo", "crConverted"}, true, crResultConverted},
      {{"HasAtomicInfo", "crConverted", "crASCII"}, false, crResultAscii},
      {{"HasAtomicInfo", "crConverted"}, false, crResultFailed},
      {{"HasAtomicInfo", "crFailed"}, true, crResultFailed},
      {{"HasAtomicInfo", "crASCII"}, false, crResultAscii},
      {{}, true, crResultConverted},
      {{}, false, crResultNothing},
  };
  for (const Case& c : cases) {
    for (const char* atom : c.atoms) GlobalAddAtom(atom);
    EXPECT_EQ(ReadConverterOutcome(c.target), c.result) << c.atoms.size() << " atoms, target " << c.target;
    for (const char* atom : {"HasAtomicInfo", "crConverted", "crASCII", "crFailed", "crAborted"})
      EXPECT_EQ(GlobalFindAtom(atom), 0) << atom << " is left after the run";
  }
}

TEST_F(ConverterHandoffTest, OnlyWordProcessorFilesGoToTheConverter) {
  const std::vector<std::pair<std::string, bool>> files{
      {std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "rest", true},
      {std::string("PK\x03\x04", 4) + "zip", true},
      {"\xFFWPC" + std::string(20, 'x'), true},
      {"INT. HOUSE - DAY\r\n", false},
      {"", false},
  };
  for (const auto& [bytes, convertible] : files) {
    const std::string path = testing::WriteFileText(InScripts("FILE.BIN"), bytes);
    EXPECT_EQ(IsConverterFile(path), convertible) << bytes.substr(0, 4);
  }
}

// RTF goes out through the converter as well, which writes it from the
// export block itself: no office program is on the search path.
TEST_F(WithoutOfficeTest, AScriptSavedAsRtfThroughTheConverterComesBackWithItsTypes) {
  const struct {
    int filter;
    const char* file;
    bool bareCarriageReturns;
  } cases[] = {{kRtfForWindows, "WINDOWS.RTF", false}, {kRtfForMacintosh, "MACINTOSH.RTF", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ExpectGeneratedScriptReadBack(c.filter, c.file);
    const std::string rtf = testing::ReadFileText(InScripts(c.file));
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252")) << "the converter's RTF: " << rtf.substr(0, 60);
    EXPECT_EQ(rtf.find("\\stylesheet"), std::string::npos) << "not the program's own styled RTF";
    EXPECT_NE(rtf.find("\\paperw12240\\paperh15840\\margt1440\\margb1440\\margl720\\margr720"), std::string::npos);
    EXPECT_EQ(rtf.find('\n') == std::string::npos, c.bareCarriageReturns);
    EXPECT_EQ(LeftOvers(ScriptDirectory), 0);
  }
}

// What the converter writes for a script is no more open than the script:
// a private script's export is the writer's alone, new or over an export
// others could read; a shared script's export is shared as usual.
TEST_F(WithoutOfficeTest, AnExportThroughTheConverterIsNoMoreOpenThanItsScript) {
  LoadScene();
  const mode_t oldMask = ::umask(022);
  const std::string script = testing::WriteFileText(InScripts("PILOT.QMW"), "the script");
  Script().ScriptFileName = script;
  const std::string target = InScripts("PILOT.RTF");
  const struct {
    const char* what;
    mode_t script;
    int previous;  // the mode of the export replaced; -1: none
    int exported;
  } cases[] = {
      {"a private script, a new export", 0600, -1, 0600},
      {"a private script over an export others read", 0600, 0644, 0600},
      {"a shared script", 0644, -1, 0644},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(::chmod(script.c_str(), c.script), 0);
    std::filesystem::remove(target);
    if (c.previous >= 0)
      ::chmod(testing::WriteFileText(target, "an older export").c_str(), static_cast<mode_t>(c.previous));
    ASSERT_TRUE(ExportViaFilter(target, ProgramFolder() + "RTF.XTD"));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(static_cast<int>(st.st_mode & 0777), c.exported);
    EXPECT_NE(testing::ReadFileText(target), "an older export");
  }
  ::umask(oldMask);
}

// In a folder every user may write to and remove from, another user's
// file at the export's name, or their link to a file anyone may read, is
// replaced by the writer's own export, which takes its script's mode: not
// the mode of what was there, read through the link or not.
TEST_F(WithoutOfficeTest, AnExportOverAnotherUsersFileOrLinkTakesItsScriptsMode) {
  if (::geteuid() != 0) GTEST_SKIP() << "another user's file can be planted only by root";
  LoadScene();
  const mode_t oldMask = ::umask(022);
  const std::string shared = InScripts("shared");
  std::filesystem::create_directory(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
  const std::string script = testing::WriteFileText(shared + "/PILOT.QMW", "the script");
  Script().ScriptFileName = script;
  const std::string theirs = testing::WriteFileText(InScripts("THEIRS.RTF"), "their file");
  ASSERT_EQ(::chmod(theirs.c_str(), 0666), 0);
  ASSERT_EQ(::chown(theirs.c_str(), testing::kOtherUser, testing::kOtherUser), 0);
  const std::string target = shared + "/PILOT.RTF";
  for (const mode_t mode : {0600, 0640, 0664})
    for (const bool link : {false, true}) {
      SCOPED_TRACE(std::string(link ? "their link" : "their file") + ", a script of mode " + std::to_string(mode));
      ASSERT_EQ(::chmod(script.c_str(), mode), 0);
      std::filesystem::remove(target);
      if (link) {
        ASSERT_EQ(::symlink(theirs.c_str(), target.c_str()), 0);
        ASSERT_EQ(::lchown(target.c_str(), testing::kOtherUser, testing::kOtherUser), 0);
      } else {
        ::chmod(testing::WriteFileText(target, "their export").c_str(), 0666);
        ASSERT_EQ(::chown(target.c_str(), testing::kOtherUser, testing::kOtherUser), 0);
      }
      ASSERT_TRUE(ExportViaFilter(target, ProgramFolder() + "RTF.XTD"));
      struct stat st {};
      ASSERT_EQ(::lstat(target.c_str(), &st), 0);
      EXPECT_TRUE(S_ISREG(st.st_mode));
      EXPECT_EQ(st.st_uid, ::geteuid());
      EXPECT_EQ(static_cast<int>(st.st_mode & 0777), static_cast<int>(mode));
      EXPECT_EQ(testing::ReadFileText(theirs), "their file");
    }
  ::umask(oldMask);
}

// The writer's own read-only file at the export's name is refused by the
// converter's export as by the text export: said, and left as it was.
TEST_F(WithoutOfficeTest, AReadOnlyFileAtTheExportsNameIsRefused) {
  LoadScene();
  const std::string target = InScripts("MINE.RTF");
  const struct {
    const char* what;
    std::function<bool()> exportIt;
  } cases[] = {
      {"the text export", [&] { return ExportScript(target, ekExportFormattedAscii); }},
      {"the converter's export", [&] { return ExportViaFilter(target, ProgramFolder() + "RTF.XTD"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(target);
    ASSERT_EQ(::chmod(testing::WriteFileText(target, "my own words").c_str(), 0444), 0);
    testing::AnswerMessageBox(Driver(), "Error writing " + PathToText(target) + "\rFile Access Denied", mrOk,
                              "Warning");
    PendingIOError = 0;
    EXPECT_FALSE(c.exportIt());
    EXPECT_NE(PendingIOError, 0);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(testing::ReadFileText(target), "my own words");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(static_cast<int>(st.st_mode & 0777), 0444);
  }
  PendingIOError = 0;
}

// Writes to `path` until the volume holding it is full.
void FillVolume(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  const std::vector<char> block(4096, 'x');
  while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0) {
  }
  std::fclose(f);
}

// A volume that takes nothing says why the export failed: full, or
// mounted read-only; never just that the conversion failed.
TEST_F(WithoutOfficeTest, AnExportToAVolumeThatTakesNothingSaysWhy) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root mounts a volume";
  LoadScene();
  const std::string volume = InScripts("volume");
  std::filesystem::create_directory(volume);
  const struct {
    const char* what;
    unsigned long flags;
    std::string said;
  } cases[] = {
      {"a full volume", 0, "Disk is Full"},
      {"a read-only volume", MS_RDONLY, "Disk is Write Protected"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (::mount("quillmaster-test", volume.c_str(), "tmpfs", c.flags, "size=64k") != 0)
      GTEST_SKIP() << "no volume can be mounted here: " << std::strerror(errno);
    if (!(c.flags & MS_RDONLY)) FillVolume(volume + "/FILLER");
    const std::string target = volume + "/SCENE.RTF";
    const std::string said = SaidByFailedRtfExport(target);
    EXPECT_NE(said.find("Unable to write " + PathToText(target) + ": " + c.said), std::string::npos) << said;
    EXPECT_EQ(said.find("the conversion failed"), std::string::npos) << said;
    EXPECT_EQ(::umount(volume.c_str()), 0);
  }
  PendingIOError = 0;
}

TEST_F(WithoutOfficeTest, HardSpacesDashesAndOptionalHyphensComeBackFromTheConverterRtf) {
  for (const auto& [filter, file] : {std::pair{kRtfForWindows, "SPECIAL.RTF"}, {kRtfForMacintosh, "MACSPECIAL.RTF"}}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(SavedAndOpened(kSpecials, filter, file), kSpecials);
  }
}

// The whole road with LibreOffice: written as a Word file, opened again.
class WithOfficeTest : public ConverterHandoffTest {
 protected:
  testing::ScopedEnv path_{"PATH", kConverterFolder + ":" + Env("PATH")};
};

TEST_F(WithOfficeTest, AScriptSavedAsWordOpensAgainWithItsText) {
  if (!FindProgram("soffice")) GTEST_SKIP() << "LibreOffice is not installed (the test command installs it)";
  LoadScene();
  ChooseFile("SCENE", kWordForWindows);
  MainForm->FileSaveAsItem->Click();
  const std::string target = InScripts("SCENE.DOC");
  ASSERT_TRUE(IsConverterFile(target)) << "a Word file was written";
  EXPECT_EQ(LeftOvers(ScriptDirectory), 0);
  EXPECT_EQ(Script().ScriptFileName.find("SCENE.DOC"), std::string::npos) << "an export leaves the script's name";

  ChooseFile(target, kAllFiles);
  testing::AcceptPasteAs(Driver());
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  ASSERT_NE(ActiveScript(), nullptr);
  EXPECT_EQ(testing::ElementsOf(Script()), kScene);
  EXPECT_NE(Script().ScriptFileName.find("SCENE"), std::string::npos);
  EXPECT_TRUE(Script().DocumentModified) << "a foreign file is not saved over by the native save";
}

TEST_F(WithOfficeTest, ANameEndingInDocxGetsTheNewerWordFormat) {
  if (!FindProgram("soffice")) GTEST_SKIP() << "LibreOffice is not installed (the test command installs it)";
  LoadScene();
  ChooseFile("NEWER.DOCX", kWordForWindows);
  MainForm->FileSaveAsItem->Click();
  const std::string target = InScripts("NEWER.DOCX");
  ASSERT_TRUE(testing::ReadFileText(target).starts_with(std::string("PK\x03\x04", 4)));
  ChooseFile(target, kAllFiles);
  testing::AcceptPasteAs(Driver());
  MainForm->FileOpenItem->Click();
  ASSERT_NE(ActiveScript(), nullptr);
  EXPECT_EQ(testing::ElementsOf(Script()), kScene);
}

TEST_F(WithOfficeTest, HardSpacesDashesAndOptionalHyphensComeBackFromWord) {
  if (!FindProgram("soffice")) GTEST_SKIP() << "LibreOffice is not installed (the test command installs it)";
  EXPECT_EQ(SavedAndOpened(kSpecials, kWordForWindows, "SPECIAL.DOC"), kSpecials);
}

// A "%41" in the name of the target's folder, or of the folder the
// converted file goes to (the settings folder), is part of the name:
// both ways convert, and nothing is left, neither beside the files nor in
// a folder named as if the escape had been decoded.
TEST_F(WithOfficeTest, AnEscapeInAFolderNameIsNeverDecoded) {
  if (!FindProgram("soffice")) GTEST_SKIP() << "LibreOffice is not installed (the test command installs it)";
  testing::ScopedEnv limit("QUILLMASTER_CONVERT_SECONDS", "60");
  LoadScene();
  const std::string drafts = InScripts("Drafts%41");
  const std::string settings = InScripts("Settings%41");
  ASSERT_TRUE(ForceDirectories(drafts));
  ASSERT_TRUE(ForceDirectories(settings));
  const std::string target = drafts + "/SCENE.DOC";
  EXPECT_TRUE(ExportViaFilter(target, ProgramFolder() + "WORDWIN.XTD"));
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(IsConverterFile(target));
  const std::string converted = settings + "/CONVERT.FIL";
  EXPECT_EQ(ImportViaConverter(target, converted), crResultConverted);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_GT(FileSize(converted), 0);
  for (const std::string& folder : {drafts, settings, ScriptDirectory}) EXPECT_EQ(LeftOvers(folder), 0) << folder;
  EXPECT_FALSE(DirectoryExists(InScripts("DraftsA")));
  EXPECT_FALSE(DirectoryExists(InScripts("SettingsA")));
}

TEST_F(WithOfficeTest, AGeneratedScriptComesBackFromWordWithItsTypes) {
  if (!FindProgram("soffice")) GTEST_SKIP() << "LibreOffice is not installed (the test command installs it)";
  ExpectGeneratedScriptReadBack(kWordForWindows, "GENERATED.DOC");
}

// The export hands the script over on the clipboard: no file of a name
// that can be guessed is written beside the target, so a link planted
// there by another user of a shared folder leads nowhere.
TEST_F(WithOfficeTest, ALinkPlantedBesideTheTargetIsNeverWrittenThrough) {
  if (!FindProgram("soffice")) GTEST_SKIP() << "LibreOffice is not installed (the test command installs it)";
  LoadScene();
  const std::string notes = testing::WriteFileText(InScripts("notes.txt"), "the writer's own notes");
  const std::string shared = InScripts("shared");
  ASSERT_TRUE(ForceDirectories(shared));
  ::chmod(shared.c_str(), 01777);  // a sticky folder every user may write to
  for (const char* planted : {".~SCENE.rtf", ".~SCENE.DOC", ".~SCENE.doc"})
    ASSERT_EQ(::symlink(notes.c_str(), (shared + "/" + planted).c_str()), 0) << planted;
  ASSERT_TRUE(ExportViaFilter(shared + "/SCENE.DOC", ProgramFolder() + "WORDWIN.XTD"));
  EXPECT_EQ(testing::ReadFileText(notes), "the writer's own notes");
  EXPECT_TRUE(IsConverterFile(shared + "/SCENE.DOC"));
  for (const char* planted : {".~SCENE.rtf", ".~SCENE.DOC", ".~SCENE.doc"})
    EXPECT_TRUE(std::filesystem::is_symlink(shared + "/" + planted)) << planted << " is left as it was";
}

// Folder names that a file URL must encode: the export and the import both
// get through LibreOffice, and nothing is left beside the file.
TEST_F(WithOfficeTest, FoldersWithBlanksHashesPercentsAndAccentsConvertBothWays) {
  if (!FindProgram("soffice")) GTEST_SKIP() << "LibreOffice is not installed (the test command installs it)";
  testing::ScopedEnv limit("QUILLMASTER_CONVERT_SECONDS", "60");
  for (const std::string folder : {"Quillmaster Scripts", "Draft #2 at 100% R\xC3\xA9\xC3\xA9"
                                                          "crit"}) {
    LoadScene();
    const std::string dir = InScripts(folder);
    ASSERT_TRUE(ForceDirectories(dir));
    const std::string target = dir + "/SCENE.DOC";
    ASSERT_TRUE(ExportViaFilter(target, ProgramFolder() + "WORDWIN.XTD")) << folder;
    EXPECT_EQ(Driver().Pending(), 0);
    ASSERT_TRUE(IsConverterFile(target)) << folder;
    const std::string converted = InScripts("CONVERT.FIL");
    ASSERT_EQ(ImportViaConverter(target, converted), crResultConverted) << folder;
    EXPECT_GT(FileSize(converted), 0);
    EXPECT_EQ(LeftOvers(dir), 0) << folder;
    EXPECT_EQ(LeftOvers(ScriptDirectory), 0) << folder;
  }
}

// LibreOffice that never ends: stopped when its time is up, its work files
// gone, and the writer told.
class WithHangingOfficeTest : public ConverterHandoffTest {
 protected:
  void BeforeStart() override {
    ConverterHandoffTest::BeforeStart();
    const std::string office = fakeBin_.File("soffice");
    testing::WriteFileText(office, "#!/bin/sh\nsleep 30\n");
    ::chmod(office.c_str(), 0755);
  }
  testing::TempFolder fakeBin_;
  testing::ScopedEnv path_{"PATH", kConverterFolder + ":" + fakeBin_.Path() + ":/usr/bin:/bin"};
  testing::ScopedEnv limit_{"QUILLMASTER_CONVERT_SECONDS", "1"};
};

TEST_F(WithHangingOfficeTest, AConversionPastItsTimeIsStoppedAndItsFilesRemoved) {
  const std::string doc = std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0');
  const struct {
    bool exporting;
    const char* file;
    const char* caption;
  } cases[] = {{true, "SCENE.DOC", "Export Canceled"}, {false, "OLD.DOC", "Import Canceled"}};
  for (const auto& c : cases) {
    LoadScene();
    const std::string file = InScripts(c.file);
    if (!c.exporting) testing::WriteFileText(file, doc);
    testing::AnswerMessageBox(Driver(), std::string("The conversion of ") + c.file + " took too long and was stopped.",
                              mrOk, c.caption);
    const auto start = std::chrono::steady_clock::now();
    if (c.exporting) EXPECT_FALSE(ExportViaFilter(file, ProgramFolder() + "WORDWIN.XTD"));
    else EXPECT_EQ(ImportViaConverter(file, InScripts("CONVERT.FIL")), crResultFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << c.file;
    EXPECT_EQ(Driver().Pending(), 0) << c.file;
    EXPECT_EQ(LeftOvers(ScriptDirectory), 0) << c.file;
    EXPECT_EQ(FileExists(file), !c.exporting) << "a new export target is not left empty";
    EXPECT_FALSE(FileExists(InScripts("CONVERT.FIL")));
  }
}

// A converter that dies leaves neither its outcome nor an output.
class WithDyingConverterTest : public ConverterHandoffTest {
 protected:
  void BeforeStart() override {
    ConverterHandoffTest::BeforeStart();
    const std::string converter = fakeBin_.File("xtdlink");
    testing::WriteFileText(converter, "#!/bin/sh\nkill -9 $$\n");
    ::chmod(converter.c_str(), 0755);
  }
  testing::TempFolder fakeBin_;
  testing::ScopedEnv path_{"PATH", fakeBin_.Path() + ":/usr/bin:/bin"};
};

// The previous file at the target is no sign that the export worked: only
// the converter's word is.
TEST_F(WithDyingConverterTest, AnExportTheConverterDiedInFailsAndKeepsThePreviousFile) {
  LoadScene();
  for (const char* filter : {"WORDWIN.XTD", "RTF.XTD"}) {
    SCOPED_TRACE(filter);
    const std::string target = testing::WriteFileText(InScripts("SCENE.DOC"), "the previous version");
    testing::AnswerMessageBox(Driver(), "Unable to write " + PathToText(target) + ": the conversion failed.", mrOk,
                              "Export Canceled");
    PendingIOError = 0;
    EXPECT_FALSE(ExportViaFilter(target, ProgramFolder() + filter));
    EXPECT_NE(PendingIOError, 0);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(testing::ReadFileText(target), "the previous version");
    EXPECT_EQ(LeftOvers(ScriptDirectory), 0);
  }
  PendingIOError = 0;
}

// Another user's file at the export's name in a folder where only the
// owner of a name may replace it stops the export: the writer is told
// which file it is and whose.
TEST_F(WithDyingConverterTest, AnExportStoppedByAnotherUsersFileSaysWhose) {
  if (::geteuid() != 0) GTEST_SKIP() << "another user's file can be planted only by root";
  LoadScene();
  const std::string shared = InScripts("sticky");
  std::filesystem::create_directory(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const std::string target = testing::WriteFileText(shared + "/SCENE.RTF", "their export");
  ASSERT_EQ(::chown(target.c_str(), testing::kOtherUser, testing::kOtherUser), 0);
  const std::string said = SaidByFailedRtfExport(target);
  EXPECT_NE(said.find("Unable to write " + PathToText(target) + ": "), std::string::npos) << said;
  EXPECT_NE(said.find(PathToText(target) + " belongs to another user"), std::string::npos) << said;
  EXPECT_EQ(said.find("the conversion failed"), std::string::npos) << said;
  EXPECT_EQ(testing::ReadFileText(target), "their export");
  PendingIOError = 0;
}

// A file the converter left nothing of may still be read with its codes
// stripped, when the writer says so, by File Open as by Paste From.
TEST_F(WithDyingConverterTest, AFileTheConverterLeftNothingOfIsReadAsStrippedTextOnYes) {
  const std::string path =
      testing::WriteFileText(InScripts("YARD.XYZ"), std::string("\x01\x02"
                                                                "EXT. YARD - DAY\r\n\r\nBirds") +
                                                        '\0' + " sing in the yard all day long.\r\n");
  const std::vector<ElementSpec> yard{{ekSceneHeading, "EXT. YARD - DAY"},
                                      {ekAction, "Birds sing in the yard all day long."}};
  LoadScene();
  ChooseFile(path, kAllFiles);
  testing::AnswerMessageBox(Driver(), StripCodesQuestion, mrNo, PromptTable(31));
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(testing::ElementsOf(Script()), kScene) << "No reads nothing";

  ChooseFile(path, kAllFiles);
  testing::AnswerMessageBox(Driver(), StripCodesQuestion, mrYes, PromptTable(31));
  testing::AcceptPasteAs(Driver());
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(testing::ElementsOf(Script()), yard);

  ASSERT_TRUE(NewDocument(InScripts("NONAME2.QMW")));
  Script().SetFocus();
  TypeText("First.");
  ChooseFile(path, 1);
  testing::AnswerMessageBox(Driver(), StripCodesQuestion, mrYes, PromptTable(31));
  testing::AcceptPasteAs(Driver());
  MainForm->PastefromItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  std::vector<ElementSpec> merged{{ekAction, "First."}};
  merged.insert(merged.end(), yard.begin(), yard.end());
  EXPECT_EQ(testing::ElementsOf(Script()), merged);
}

}  // namespace
}  // namespace qm
