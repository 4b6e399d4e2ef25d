// The File commands end to end: typed text saved, closed, opened again,
// and the timed backup written at idle.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "base/prompt_table.h"
#include "files/file_format.h"
#include "files/paste_as.h"
#include "files/progress_dialog.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/input.h"
#include "script/editing/document_modified.h"
#include "script/editing/revision_marks.h"
#include "script/script_window.h"
#include "shell/app_messages.h"
#include "shell/documents.h"
#include "base/ini_file.h"
#include "shell/idle_loop.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "support/converter_path.h"
#include "support/exchange_data.h"
#include "support/message_box_answers.h"
#include "support/native_scripts.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class FileCommandsTest : public testing::ProgramFixture {
 protected:
  void ChooseFile(const std::string& name, int filter = 1) { testing::ChooseFile(Driver(), name, filter); }
  void TypeScene() {
    Script().SetFocus();
    TypeText("A kettle whistles.");
  }
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  // Long paths show as "/.../" and the file's name.
  std::string SavePrompt() { return "Save /.../" + ExtractFileName(Script().ScriptFileName) + "?"; }
};

TEST_F(FileCommandsTest, SaveAsAsksBeforeOverwritingAndNoKeepsTheOldFile) {
  testing::WriteFileText(InScripts("TAKEN.QMW"), "old");
  TypeScene();
  ChooseFile("TAKEN.QMW");
  testing::AnswerMessageBox(Driver(), InScripts("TAKEN.QMW") + " already exists!\r\rShould I Overwrite this file?",
                            mrNo);
  MainForm->FileSaveAsItem->Click();
  EXPECT_EQ(testing::ReadFileText(InScripts("TAKEN.QMW")), "old");
  EXPECT_TRUE(Script().DocumentModified);
}

TEST_F(FileCommandsTest, AScriptSavedAndOpenedAgainIsTheSame) {
  TMDIChild& w = Script();
  w.FreeElements();
  testing::AddElements(w, {{ekSceneHeading, "INT. KITCHEN - NIGHT"},
                           {ekAction, "A kettle whistles."},
                           {ekCharacterName, "MARY"},
                           {ekDialogue, "Not tonight."}});
  w.DisAssemble();
  SetDocumentModified(true, true);
  const auto before = testing::ElementsOf(w);
  ChooseFile("KITCHEN");
  MainForm->FileSaveAsItem->Click();
  ASSERT_TRUE(FileExists(InScripts("KITCHEN.QMW")));
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 0);

  ChooseFile(InScripts("KITCHEN.QMW"));
  MainForm->FileOpenItem->Click();
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(testing::ElementsOf(Script()), before);
  EXPECT_EQ(Script().ScriptFileName, InScripts("KITCHEN.QMW"));
}

TEST_F(FileCommandsTest, SaveAsRetitlesTheScriptAndSaveKeepsThePreviousVersionAsABackup) {
  TypeScene();
  ChooseFile("DRAFT");
  MainForm->FileSaveAsItem->Click();
  ASSERT_TRUE(FileExists(InScripts("DRAFT.QMW")));
  EXPECT_EQ(Script().ScriptFileName, InScripts("DRAFT.QMW"));
  EXPECT_FALSE(Script().DocumentModified) << "a saved script is no longer modified";
  const std::string first = testing::ReadFileText(InScripts("DRAFT.QMW"));
  TypeText(" Again.");
  MainForm->FileSaveItem->Click();
  EXPECT_NE(testing::ReadFileText(InScripts("DRAFT.QMW")), first);
  EXPECT_EQ(testing::ReadFileText(InScripts("DRAFT.BK")), first);
}

// Save never writes over an untitled script's made-up name, nor under a
// title that names a timed backup: it asks for a name instead. (An opened
// timed backup itself is retitled with the script extension.)
TEST_F(FileCommandsTest, SaveOnAnUntitledScriptOrATimedBackupTitleAsksForAName) {
  TypeScene();
  ChooseFile("KITCHEN");
  MainForm->FileSaveAsItem->Click();
  const std::string saved = testing::ReadFileText(InScripts("KITCHEN.QMW"));
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  for (const std::string name : {"SAVE1.TMB.QMW", "save2.tmb.qmw"}) {
    SCOPED_TRACE(name);
    testing::WriteFileText(InScripts(name), saved);
    ASSERT_TRUE(OpenScriptByName(InScripts(name)));
    TypeText(" Again.");
    bool asked = false;
    Driver().Expect([&](TForm& form) {
      asked = dynamic_cast<TSaveDialog*>(&form) != nullptr;
      dynamic_cast<TFileDialog&>(form).CancelBtn->Click();
    });
    MainForm->FileSaveItem->Click();
    EXPECT_TRUE(asked) << "Save asks for a name";
    EXPECT_EQ(testing::ReadFileText(InScripts(name)), saved) << "nothing is written";
    EXPECT_EQ(Script().ScriptFileName, InScripts(name));
    EXPECT_FALSE(FileExists(InScripts(ChangeFileExt(name, ".BK"))));
    Script().DocumentModified = 0;
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
  ASSERT_TRUE(NewDocument(InScripts("NONAME3.QMW")));
  TypeScene();
  bool asked = false;
  Driver().Expect([&](TForm& form) {
    asked = dynamic_cast<TSaveDialog*>(&form) != nullptr;
    dynamic_cast<TFileDialog&>(form).CancelBtn->Click();
  });
  MainForm->FileSaveItem->Click();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(FileExists(InScripts("NONAME3.QMW")));
}

// On a file system that tells case apart, a script chosen or opened as
// kitchen.qmw is saved by F7 to that very file, never to a new
// kitchen.QMW beside it.
TEST_F(FileCommandsTest, SaveKeepsTheExactNameTheWriterChoseOrOpened) {
  const std::string kitchen = InScripts("kitchen.qmw");
  TypeScene();
  ChooseFile("kitchen.qmw");
  MainForm->FileSaveAsItem->Click();
  ASSERT_EQ(Script().ScriptFileName, kitchen);
  const std::string first = testing::ReadFileText(kitchen);
  TypeText(" Again.");
  MainForm->FileSaveItem->Click();
  EXPECT_EQ(Script().ScriptFileName, kitchen);
  EXPECT_FALSE(FileExists(InScripts("kitchen.QMW")));
  EXPECT_NE(testing::ReadFileText(kitchen), first);
  EXPECT_EQ(testing::ReadFileText(InScripts("kitchen.BK")), first);

  const auto saved = testing::ElementsOf(Script());
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ChooseFile(kitchen);
  MainForm->FileOpenItem->Click();
  ASSERT_EQ(Script().ScriptFileName, kitchen);
  EXPECT_EQ(testing::ElementsOf(Script()), saved) << "the chosen file holds the last save";
  const std::string second = testing::ReadFileText(kitchen);
  Script().SetFocus();
  TypeText(" Once more.");
  MainForm->FileSaveItem->Click();
  EXPECT_FALSE(FileExists(InScripts("kitchen.QMW")));
  EXPECT_EQ(testing::ReadFileText(InScripts("kitchen.BK")), second);

  // A name of another extension takes the script extension, spelt as the
  // file of that name already is.
  Script().ScriptFileName = InScripts("kitchen.txt");
  TypeText(" Last.");
  MainForm->FileSaveItem->Click();
  EXPECT_EQ(Script().ScriptFileName, kitchen);
  EXPECT_FALSE(FileExists(InScripts("kitchen.QMW")));
}

// A script of any name the desktop can make opens and is saved under that
// very name; a name typed in the program's text is spelt as the system
// spells names.
TEST_F(FileCommandsTest, FilesOfAnyNameOpenAndSaveUnderTheirOwnName) {
  const std::string script = QM_SOURCE_DIR "/fuzz/corpus/native_file/every_kind_and_code";
  for (const std::string name : {"Caf\xC3\xA9 Noir.qmw", "\xD0\x9A\xD1\x83\xD1\x85\xD0\xBD\xD1\x8F.qmw",
                                 "\xE5\x8E\xA8\xE6\x88\xBF.qmw", "\xF0\x9F\x8E\xAC.qmw", "C:back\\slash.qmw"}) {
    SCOPED_TRACE(name);
    const std::string path = InScripts(name);
    testing::WriteFileText(path, testing::ReadFileText(script));
    ASSERT_TRUE(OpenScriptByName(path));
    EXPECT_EQ(Script().ScriptFileName, path);
    EXPECT_EQ(MainWindowText(), "Quillmaster for Windows - [" + PathToText(path) + "]");
    const std::string before = testing::ReadFileText(path);
    // A change to save (the sample hides element kinds, so a typed key
    // would first ask to show them).
    Script().DocumentModified = 1;
    Script().ModifiedSinceBackup = 1;
    // The save lays the pages out first: the sample's long speech is said.
    Driver().Expect([](TForm& box) { box.ModalResult = mrOk; }, "the long speech warning");
    MainForm->FileSaveItem->Click();
    EXPECT_NE(testing::ReadFileText(path), before);
    EXPECT_EQ(testing::ReadFileText(ChangeFileExt(path, ".BK")), before);
    // Save As shows the name in the program's text; left as shown, it is
    // the same file.
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TFileDialog&>(form);
      EXPECT_EQ(dialog.FileNameEdit->Text(), PathToText(name));
      dialog.OkBtn->Click();
    });
    testing::AnswerMessageBox(Driver(), PathToText(path) + " already exists!\r\rShould I Overwrite this file?", mrYes);
    MainForm->FileSaveAsItem->Click();
    EXPECT_EQ(Script().ScriptFileName, path);
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
  EXPECT_EQ(FindFiles(ScriptDirectory, "*.QMW").size(), 5u) << "no other spelling of a name was made";

  ASSERT_TRUE(NewDocument(InScripts("NONAME1.QMW")));
  TypeScene();
  ChooseFile("Sc\xE8ne2");
  MainForm->FileSaveAsItem->Click();
  EXPECT_TRUE(FileExists(InScripts("Sc\xC3\xA8ne2.QMW")));
  EXPECT_EQ(Script().ScriptFileName, InScripts("Sc\xC3\xA8ne2.QMW"));
  EXPECT_EQ(MainWindowText(), "Quillmaster for Windows - [" + ScriptDirectory + "/Sc\xE8ne2.QMW]");
}

// A script opened by a name the folder takes only without the script
// extension is saved under that very name: with the extension it would be
// a name no file can have. A name that takes it still gets it. Either way
// the previous version is kept, under a shorter name where the backup's
// own would not fit, and nothing is said.
TEST_F(FileCommandsTest, AScriptOpenedByANameTooLongForTheExtensionIsSavedUnderIt) {
  const struct {
    std::string name;
    std::string savedAs;
  } cases[] = {
      {std::string(252, 'N'), std::string(252, 'N')},
      {std::string(255, 'N'), std::string(255, 'N')},
      {std::string(252, 'N') + ".Q", std::string(252, 'N') + ".Q"},
      {std::string(251, 'N'), std::string(251, 'N') + ".QMW"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.size());
    const std::string path = InScripts(c.name);
    testing::WriteFileText(path, testing::ShortScript());
    ASSERT_TRUE(OpenScriptByName(path));
    EXPECT_EQ(Script().ScriptFileName, InScripts(c.savedAs));
    TypeScene();
    MainForm->FileSaveItem->Click();
    EXPECT_EQ(Script().DocumentModified, 0) << "saved";
    EXPECT_EQ(Script().ScriptFileName, InScripts(c.savedAs));
    EXPECT_NE(testing::ReadFileText(InScripts(c.savedAs)), testing::ShortScript());
    int backupsOfTheOpenedVersion = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ScriptDirectory))
      if (entry.path().extension() == ".BK" && testing::ReadFileText(entry.path().string()) == testing::ShortScript())
        ++backupsOfTheOpenedVersion;
    EXPECT_GE(backupsOfTheOpenedVersion, 1) << "the previous version is kept";
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
}

TEST_F(FileCommandsTest, ClosingAModifiedScriptAsksToSave) {
  TypeScene();
  // Cancel keeps the script open.
  testing::AnswerMessageBox(Driver(), SavePrompt(), mrCancel);
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 1);
  // No, then No at "are you sure", brings the question back; Cancel there.
  testing::AnswerMessageBox(Driver(), SavePrompt(), mrNo);
  Driver().Expect([](TForm& box) {
    EXPECT_EQ(box.Caption(), "Warning!");
    box.ModalResult = mrNo;
  });
  testing::AnswerMessageBox(Driver(), SavePrompt(), mrCancel);
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 1);
  // No, then Yes: closed without saving.
  testing::AnswerMessageBox(Driver(), SavePrompt(), mrNo);
  Driver().Expect([](TForm& box) { box.ModalResult = mrYes; });
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 0);
}

TEST_F(FileCommandsTest, OpeningAMissingFileSaysSoAndOpensNothing) {
  ChooseFile(InScripts("GONE.QMW"));
  testing::AnswerMessageBox(Driver(), InScripts("GONE.QMW") + " not Found!", mrOk, "Unable to load File...");
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(DocumentCount, 1);
  EXPECT_EQ(ExtractFileName(Script().ScriptFileName), "NONAME1.QMW") << "the untouched new script stays";
}

TEST_F(FileCommandsTest, TimedBackupsAreWrittenForModifiedScriptsAtIdle) {
  AutosaveInterval = 1;
  TypeScene();
  ASSERT_TRUE(NewDocument(InScripts("NONAME2.QMW")));
  ASSERT_TRUE(NewDocument(InScripts("SAVED.QMW")));
  Script().SetFocus();
  TypeText("Saved as it is.");
  MainForm->FileSaveItem->Click();
  ASSERT_FALSE(Script().DocumentModified);
  ASSERT_TRUE(NewDocument(InScripts("NONAME4.QMW")));
  Script().SetFocus();
  TypeText("Fourth.");
  ASSERT_NE(TimedBackupDue, 0);
  Backend().SetTick(static_cast<std::uint64_t>(TimedBackupDue) * 100);
  bool done = false;
  MainForm->AppIdle(Application, done);
  EXPECT_TRUE(FileExists(InScripts("SAVE1.TMB")));
  EXPECT_FALSE(FileExists(InScripts("SAVE2.TMB"))) << "an empty script is never backed up";
  EXPECT_FALSE(FileExists(InScripts("SAVE3.TMB"))) << "nor one without changes";
  EXPECT_TRUE(FileExists(InScripts("SAVE4.TMB")));
  EXPECT_FALSE(FileExists(InScripts("SAVE1.TBK")));
  EXPECT_EQ(TimedBackupDue, 0);
}

// Before a file of a format the program cannot vouch for is read, every
// modified open script gets its timed backup, though none was due yet; a
// No reads nothing and backs up nothing.
TEST_F(FileCommandsTest, ReadingAFileOfDoubtfulFormatBacksUpTheModifiedScriptsFirst) {
  testing::ScopedEnv path("PATH", testing::SearchPathWithConverter());
  testing::WriteFileText(InScripts("YARD.TXT"), "EXT. YARD - DAY\n\nBirds sing.\n");
  constexpr int kRichText = 5;
  const struct {
    const char* what;
    int filter;
    const char* question;
    std::string caption;
    TModalResult answer;
  } cases[] = {
      {"read as ASCII", 1, UnidentifiedFileQuestion, PromptTable(31), mrYes},
      {"opened anyway", kRichText, UnverifiedFileQuestion, PromptTable(32), mrYes},
      {"not read", 1, UnidentifiedFileQuestion, PromptTable(31), mrNo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Slots 1 and 3 modified, slot 2 empty.
    while (DocumentCount > 0) {
      Script().DocumentModified = 0;
      MainForm->CloseFileItem->Click();
      Application->ProcessMessages();
    }
    for (const char* backup : {"SAVE1.TMB", "SAVE2.TMB", "SAVE3.TMB"}) DeleteFile(InScripts(backup));
    ASSERT_TRUE(NewDocument(InScripts("FIRST.QMW")));
    TypeScene();
    ASSERT_TRUE(NewDocument(InScripts("EMPTY.QMW")));
    ASSERT_TRUE(NewDocument(InScripts("THIRD.QMW")));
    TypeScene();
    Backend().AdvanceTick(1000);
    ASSERT_GT(TimedBackupDue, TickNow()) << "no backup is due yet";
    ChooseFile(InScripts("YARD.TXT"), c.filter);
    testing::AnswerMessageBox(Driver(), c.question, c.answer, c.caption);
    if (c.answer == mrYes) testing::AcceptPasteAs(Driver());
    MainForm->FileOpenItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    const bool read = c.answer == mrYes;
    EXPECT_EQ(DocumentCount, read ? 4 : 3);
    EXPECT_EQ(FileExists(InScripts("SAVE1.TMB")), read);
    EXPECT_FALSE(FileExists(InScripts("SAVE2.TMB"))) << "an empty script is never backed up";
    EXPECT_EQ(FileExists(InScripts("SAVE3.TMB")), read);
  }
}

// A .TBK that an earlier crash left behind is older than the .TMB: a
// failed timed backup leaves the newest .TMB alone.
TEST_F(FileCommandsTest, AFailedTimedBackupKeepsTheNewestOne) {
  AutosaveInterval = 1;
  TypeScene();
  testing::WriteFileText(InScripts("SAVE1.TBK"), "stale");
  testing::WriteFileText(InScripts("SAVE1.TMB"), "newest");
  SetFileFaultHook([](TFileStep step, const std::string&) { return step == TFileStep::Write ? ENOSPC : 0; });
  testing::AnswerMessageBox(Driver(), "Error writing " + InScripts("SAVE1.TMB") + "\rDisk is Full", mrOk, "Warning");
  WriteTimedBackups();
  SetFileFaultHook(nullptr);
  EXPECT_EQ(testing::ReadFileText(InScripts("SAVE1.TMB")), "newest");
  // The next backup that works replaces it and clears the stale one away.
  WriteTimedBackups();
  EXPECT_NE(testing::ReadFileText(InScripts("SAVE1.TMB")), "newest");
  EXPECT_FALSE(FileExists(InScripts("SAVE1.TBK")));
}

// A file the program cannot read is refused with its name and the reason,
// and no window is left for it: nothing is ever saved over a file that was
// not read.
class OpenRefusalTest : public FileCommandsTest {
 protected:
  // An unrecognised file goes to the converter first, installed beside the
  // program.
  testing::ScopedEnv path_{"PATH", testing::SearchPathWithConverter()};
  struct Case {
    std::string name;
    std::string bytes;
    std::string message;  // after the file's path
    std::string caption = "Attention";
    // The message is a question, without the path, answered No.
    bool question = false;
  };
  // Opens every case twice: into the untouched new script, and beside a
  // modified one.
  void ExpectRefused(const std::vector<Case>& cases, const std::string& prefix) {
    for (const bool beside : {false, true}) {
      for (const auto& c : cases) {
        SCOPED_TRACE(c.name + (beside ? " beside a modified script" : ""));
        const std::string path = InScripts(c.name);
        if (!FileExists(path) && !DirectoryExists(path)) testing::WriteFileText(path, c.bytes);
        // (Reading a pipe here would wait for ever.)
        const bool plain = FileAttributes(path).regular;
        const std::string before = plain ? testing::ReadFileText(path) : "";
        if (beside && !Script().DocumentModified) TypeScene();
        const int windows = DocumentCount;
        const std::string title = Script().ScriptFileName;
        if (c.question) testing::AnswerMessageBox(Driver(), c.message, mrNo, c.caption);
        else testing::AnswerMessageBox(Driver(), prefix + path + c.message, mrOk, c.caption);
        EXPECT_FALSE(OpenScriptByName(path));
        EXPECT_EQ(DocumentCount, windows);
        EXPECT_EQ(Script().ScriptFileName, title);
        if (plain) {
          EXPECT_EQ(testing::ReadFileText(path), before);
        }
      }
    }
  }
};

TEST_F(OpenRefusalTest, AFileThatIsNotAScriptOpensNothing) {
  std::string noise;
  for (int i = 0; i < 40000; ++i) noise += static_cast<char>((i * 7919 + 13) % 251);
  ChooseFile("KITCHEN");
  MainForm->FileSaveAsItem->Click();
  std::string damaged = testing::ReadFileText(InScripts("KITCHEN.QMW"));
  damaged[0] = 'X';
  ExpectRefused({{"EMPTY.QMW", "", ":\rit is empty."},
                 {"NOISE.QMW", noise, UnidentifiedFileQuestion, PromptTable(31), true},
                 {"DAMAGED.QMW", damaged, UnidentifiedFileQuestion, PromptTable(31), true}},
                "Unable to open ");
}

TEST_F(OpenRefusalTest, AFileThatCannotBeReadOpensNothing) {
  ChooseFile("KITCHEN");
  MainForm->FileSaveAsItem->Click();
  SetFileFaultHook([this](TFileStep step, const std::string& path) {
    return step == TFileStep::Open && path == InScripts("LOCKED.QMW") ? EACCES : 0;
  });
  ExpectRefused({{"LOCKED.QMW", testing::ReadFileText(InScripts("KITCHEN.QMW")), ":\ryou are not allowed to read it."}},
                "Error Reading File\r\r");
}

// A pipe would keep the program waiting for a writer for ever; a folder is
// named as one.
TEST_F(OpenRefusalTest, APipeOrAFolderIsRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo(InScripts("PIPE.QMW").c_str(), 0644), 0);
  ASSERT_TRUE(CreateDir(InScripts("FOLDER.QMW")));
  alarm(60);  // a wait for ever ends the test
  ExpectRefused({{"PIPE.QMW", "", ":\rit is not a plain file but a device, a pipe or a socket.", "Attention"}},
                "Error Reading File\r\r");
  ExpectRefused({{"FOLDER.QMW", "", " is a folder, not a file.", "Unable to load File..."}}, "");
  alarm(0);
}

class PasteFromTest : public FileCommandsTest {
 protected:
  testing::ScopedEnv path_{"PATH", testing::SearchPathWithConverter()};

  // The script, a heading and the Action, saved as YARD.QMW.
  void SaveYardScript(const std::string& action) {
    TMDIChild& w = Script();
    w.FreeElements();
    testing::AddElements(w, {{ekSceneHeading, "EXT. YARD - DAY"}, {ekAction, action}});
    w.DisAssemble();
    SetDocumentModified(true, true);
    ChooseFile("YARD");
    MainForm->FileSaveAsItem->Click();
    ASSERT_TRUE(FileExists(InScripts("YARD.QMW")));
  }
};

TEST_F(PasteFromTest, AScriptFileIsMergedAtTheCaret) {
  SaveYardScript("Birds.");

  ASSERT_TRUE(NewDocument(InScripts("NONAME2.QMW")));
  Script().SetFocus();
  TypeText("First.");
  ChooseFile(InScripts("YARD.QMW"));
  MainForm->PastefromItem->Click();
  const auto merged = testing::ElementsOf(Script());
  ASSERT_EQ(merged.size(), 3u);
  EXPECT_EQ(merged[0], (ElementSpec{ekAction, "First."}));
  EXPECT_EQ(merged[1], (ElementSpec{ekSceneHeading, "EXT. YARD - DAY"}));
  EXPECT_EQ(merged[2], (ElementSpec{ekAction, "Birds."}));
  EXPECT_TRUE(Script().DocumentModified);
}

// While the script marks revisions, what a script file brings in is new
// text, every line of it marked; the line the caret stands on is old text.
TEST_F(PasteFromTest, AMergedScriptFilesLinesAreMarkedRevised) {
  SaveYardScript("Birds.");

  ASSERT_TRUE(NewDocument(InScripts("MARKED.QMW")));
  Script().SetFocus();
  TypeText("First.");
  Script().RevisionMarking = 1;
  ChooseFile(InScripts("YARD.QMW"));
  MainForm->PastefromItem->Click();
  Script().Assemble();
  int merged = 0;
  for (const TScriptElement* e = Script().FirstElement; e; e = e->next) {
    const std::string text = ElementText(*e);
    const bool old = text == "First.";
    EXPECT_EQ(HasRevisedLines(*e), !old) << text;
    merged += old ? 0 : 1;
  }
  EXPECT_EQ(merged, 2);
}

// Paste From over a marked block puts the file in the block's place, as
// Paste does: the marked words go, the block is over, and the clipboard
// keeps what it held.
TEST_F(PasteFromTest, AFilePastedOverABlockReplacesTheBlock) {
  SaveYardScript("Birds sing.");
  testing::WriteFileText(InScripts("YARD.RTF"), "{\\rtf1\\ansi\\f0 EXT. YARD - DAY\\par\\par Birds sing.\\par }");
  for (const char* name : {"YARD.QMW", "YARD.RTF"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(NewDocument(InScripts(std::string("OVER_") + name + ".QMW")));
    Script().SetFocus();
    TypeText("First.");
    SendKey(VK_RETURN);
    TypeText("Gone.");
    MainForm->MenuItem("ElementSelectItem")->Click();
    ASSERT_TRUE(Script().BlockOn());
    Clipboard()->SetAsText("Kept.");
    ChooseFile(InScripts(name));
    if (std::string(name) == "YARD.RTF") testing::AcceptPasteAs(Driver());
    MainForm->PastefromItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(testing::ElementsOf(Script()),
              (std::vector<ElementSpec>{
                  {ekAction, "First."}, {ekSceneHeading, "EXT. YARD - DAY"}, {ekAction, "Birds sing."}}));
    EXPECT_FALSE(Script().BlockOn());
    EXPECT_EQ(Clipboard()->AsText(), "Kept.");
  }
}

// The Paste From dialog offers script files only; whatever file is chosen,
// the load job tells its format.
TEST_F(PasteFromTest, TheDialogOffersScriptFilesOnly) {
  testing::WriteFileText(InScripts("YARD.RTF"), "{\\rtf1\\ansi\\f0 EXT. YARD - DAY\\par\\par Birds sing.\\par }");
  ASSERT_TRUE(NewDocument(InScripts("NONAME2.QMW")));
  Script().SetFocus();
  TypeText("First.");
  Driver().Expect(
      [this](TForm& form) {
        auto& dialog = dynamic_cast<TFileDialog&>(form);
        EXPECT_EQ(dialog.Title, "Paste From...");
        EXPECT_FALSE(dialog.Saving());
        EXPECT_EQ(dialog.Filters(),
                  (std::vector<std::pair<std::string, std::string>>{{"Quillmaster Scripts", ScriptFileMask}}));
        dialog.FileNameEdit->Text = InScripts("YARD.RTF");
        dialog.OkBtn->Click();
      },
      "the Paste From dialog");
  testing::AcceptPasteAs(Driver());
  MainForm->PastefromItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(ProgressDlg().LoadFormatCode, lfRtf);
  EXPECT_EQ(
      testing::ElementsOf(Script()),
      (std::vector<ElementSpec>{{ekAction, "First."}, {ekSceneHeading, "EXT. YARD - DAY"}, {ekAction, "Birds sing."}}));
}

// Whatever File Open reads, Paste From puts in at the caret, each format
// told by its bytes; plain text, which only the writer can name, is read
// when the writer says so.
TEST_F(PasteFromTest, EveryFormatFileOpenReadsIsMergedAtTheCaret) {
  const std::vector<Byte> exchange = testing::ExchangeBytes(
      {{"SNAM", "EXT. YARD - DAY"}, {"SDES", "Birds sing in the yard all day long."}, {"LAST", ""}});
  const auto defineStyles = [this] {
    testing::DefineStyles(Driver(), {"RadioButton6", "ActionBtn"});
    testing::AnswerMessageBox(Driver(), "Import Complete.", mrOk);
  };
  const auto acceptPasteAs = [this] { testing::AcceptPasteAs(Driver()); };
  const struct {
    const char* name;
    std::string bytes;
    std::function<void()> answers;
  } cases[] = {
      {"YARD.TXT", "EXT. YARD - DAY\n\nBirds sing in the yard all day long.\n",
       [this] {
         testing::AnswerMessageBox(Driver(), UnidentifiedFileQuestion, mrYes, PromptTable(31));
         testing::AcceptPasteAs(Driver());
       }},
      {"YARD.RTF",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0 EXT. YARD - DAY\\par\\par Birds sing in the yard all day long.\\par }",
       acceptPasteAs},
      {"YARD.TAG", "[Scene Heading]\r\n<A>EXT. YARD - DAY\r\n[Action]\r\n<A>Birds sing in the yard all day long.\r\n",
       defineStyles},
      {"YARD.DSW", std::string(exchange.begin(), exchange.end()), [] {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::WriteFileText(InScripts(c.name), c.bytes);
    ASSERT_TRUE(NewDocument(InScripts(std::string("INTO_") + c.name + ".QMW")));
    const int windows = DocumentCount;
    Script().SetFocus();
    TypeText("First.");
    ChooseFile(InScripts(c.name));
    c.answers();
    MainForm->PastefromItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(DocumentCount, windows);
    EXPECT_EQ(testing::ElementsOf(Script()),
              (std::vector<ElementSpec>{{ekAction, "First."},
                                        {ekSceneHeading, "EXT. YARD - DAY"},
                                        {ekAction, "Birds sing in the yard all day long."}}));
    EXPECT_TRUE(Script().DocumentModified);
  }
}

// A text file whose text, with the zero that ends it, takes at most 48
// bytes is typed at the caret, as so short a text on the clipboard is (the
// same as the writer typing it): no Paste As question. One byte more and
// the writer is asked how to read it.
TEST_F(PasteFromTest, AShortTextFileIsTypedAtTheCaret) {
  const struct {
    std::string text;
    bool typed;
  } cases[] = {{" The birds sing in the yard all day long, loud.", true},
               {" The birds sing in the yard all day, long, loud.", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.size());
    ASSERT_TRUE(NewDocument(InScripts(std::string("TYPED") + (c.typed ? "1" : "2") + ".QMW")));
    Script().SetFocus();
    TypeText("First." + (c.typed ? c.text : ""));
    const auto asTyped = testing::ElementsOf(Script());
    testing::WriteFileText(InScripts("SHORT.TXT"), c.text);
    ASSERT_TRUE(NewDocument(InScripts(std::string("SHORT") + (c.typed ? "1" : "2") + ".QMW")));
    Script().SetFocus();
    TypeText("First.");
    ChooseFile(InScripts("SHORT.TXT"));
    testing::AnswerMessageBox(Driver(), UnidentifiedFileQuestion, mrYes, PromptTable(31));
    bool asked = false;
    if (!c.typed) {
      Driver().Expect(
          [&asked](TForm& form) {
            asked = true;
            dynamic_cast<TPasteAsDlg&>(form).ModalResult = mrCancel;
          },
          "Paste As");
    }
    MainForm->PastefromItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(asked, !c.typed);
    EXPECT_EQ(testing::ElementsOf(Script()), asTyped);
  }
}

// A file whose format cannot be told is read, stripped of its codes, only
// when the writer says so, by Paste From as by File Open; No reads nothing
// and leaves no window for it.
TEST_F(PasteFromTest, AFileOfNoKnownFormatIsReadAsTextOnlyWhenTheWriterSaysSo) {
  const std::string path = InScripts("YARD.XYZ");
  testing::WriteFileText(path, std::string("\x01\x02"
                                           "EXT. YARD - DAY\r\n\r\nBirds") +
                                   '\0' + " sing in the yard all day long.\r\n");
  const std::vector<ElementSpec> yard{{ekSceneHeading, "EXT. YARD - DAY"},
                                      {ekAction, "Birds sing in the yard all day long."}};
  for (const bool pasteFrom : {false, true}) {
    SCOPED_TRACE(pasteFrom ? "paste from" : "open");
    TMenuItem* item = pasteFrom ? MainForm->PastefromItem : MainForm->FileOpenItem;
    ASSERT_TRUE(NewDocument(InScripts(pasteFrom ? "NONAME3.QMW" : "NONAME2.QMW")));
    Script().SetFocus();
    TypeText("First.");
    const int windows = DocumentCount;
    const auto before = testing::ElementsOf(Script());
    ChooseFile(path);
    testing::AnswerMessageBox(Driver(), UnidentifiedFileQuestion, mrNo, PromptTable(31));
    item->Click();
    EXPECT_EQ(DocumentCount, windows);
    EXPECT_EQ(testing::ElementsOf(Script()), before);

    ChooseFile(path);
    testing::AnswerMessageBox(Driver(), UnidentifiedFileQuestion, mrYes, PromptTable(31));
    testing::AcceptPasteAs(Driver());
    item->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    std::vector<ElementSpec> expected = yard;
    if (pasteFrom) {
      expected.insert(expected.begin(), ElementSpec{ekAction, "First."});
    } else {
      EXPECT_EQ(DocumentCount, windows + 1);
    }
    EXPECT_EQ(testing::ElementsOf(Script()), expected);
  }
}

// Plain text is read without a question only through the ASCII filter;
// through the first filter or All Files the converter finds text and the
// writer is asked, and No opens nothing.
TEST_F(FileCommandsTest, PlainTextIsReadAsAskedByTheFilter) {
  testing::ScopedEnv path("PATH", testing::SearchPathWithConverter());
  constexpr int kAsciiFile = 4;
  constexpr int kAllFiles = 12;
  testing::WriteFileText(InScripts("YARD.TXT"), "EXT. YARD - DAY\n\nBirds sing.\n");
  const std::vector<ElementSpec> yard{{ekSceneHeading, "EXT. YARD - DAY"}, {ekAction, "Birds sing."}};
  for (const int filter : {kAsciiFile, 1, kAllFiles}) {
    SCOPED_TRACE(filter);
    TypeScene();
    const int windows = DocumentCount;
    if (filter != kAsciiFile) {
      ChooseFile(InScripts("YARD.TXT"), filter);
      testing::AnswerMessageBox(Driver(), UnidentifiedFileQuestion, mrNo, PromptTable(31));
      MainForm->FileOpenItem->Click();
      EXPECT_EQ(Driver().Pending(), 0);
      EXPECT_EQ(DocumentCount, windows);
    }
    ChooseFile(InScripts("YARD.TXT"), filter);
    if (filter != kAsciiFile) testing::AnswerMessageBox(Driver(), UnidentifiedFileQuestion, mrYes, PromptTable(31));
    testing::AcceptPasteAs(Driver());
    MainForm->FileOpenItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(DocumentCount, windows + 1);
    EXPECT_EQ(testing::ElementsOf(Script()), yard);
  }
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// A file chosen through the filter of a format it does not hold (here
// plain text) is not read as that format unasked: once the converter has
// found only text, the writer is asked whether to try anyway, and No
// opens nothing.
TEST_F(FileCommandsTest, AFileNotOfTheChosenFormatIsOpenedOnlyWhenTheWriterSaysSo) {
  testing::ScopedEnv path("PATH", testing::SearchPathWithConverter());
  const struct {
    const char* filter;
    int index;
  } filters[] = {{"Scriptware Tag", 8}, {"Movie Master", 9}, {"WordStar", 10}, {"StoryDev Exchange", 11}};
  testing::WriteFileText(InScripts("YARD.TXT"), "EXT. YARD - DAY\n\nBirds sing.\n");
  for (const auto& f : filters) {
    SCOPED_TRACE(f.filter);
    const int windows = DocumentCount;
    ChooseFile(InScripts("YARD.TXT"), f.index);
    testing::AnswerMessageBox(Driver(), UnverifiedFileQuestion, mrNo, PromptTable(32));
    MainForm->FileOpenItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(DocumentCount, windows);
  }
}

}  // namespace
}  // namespace qm
