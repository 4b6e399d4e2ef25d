// Closing a script: the copy on the hard drive of a script kept on a
// removable volume, the backup of a changed script to the backup drive,
// and the File menu's backups to drive A and B. Volumes are temporary
// folders in a table of mounted volumes that stands in for the system's.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <functional>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "files/disk_utils.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/input.h"
#include "script/model/script_model.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/stand_in_mounts.h"

namespace qm {
namespace {

using testing::ElementSpec;

class BackupOnCloseTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    MainForm->ExpertPrompting = true;  // No at the save question closes without its warning
    stick = mounts.Mount("STICK");
    // A short script, saved: the bytes every test's scripts start from.
    Script().SetFocus();
    TypeText("A kettle whistles.");
    testing::ChooseFile(Driver(), InScripts("SOURCE.QMW"));
    MainForm->FileSaveAsItem->Click();
    Close();
    saved = testing::ReadFileText(InScripts("SOURCE.QMW"));
    ASSERT_EQ(DocumentCount, 0);
    FloppyBackup = true;
    BackupDrive = stick;
  }
  void TearDown() override {
    SetFileFaultHook(nullptr);
    ProgramFixture::TearDown();
  }
  // The saved script opened from `path`, then changed.
  void OpenChanged(const std::string& path) {
    testing::WriteFileText(path, saved);
    ASSERT_TRUE(OpenScriptByName(path));
    Script().SetFocus();
    TypeText(" Changed.");
    ASSERT_TRUE(Script().DocumentModified);
  }
  // As OpenChanged, then saved and changed again: its file holds changes
  // the backup drive lacks, and the window more (`savedElements` is what
  // the file holds).
  void OpenSavedThenChanged(const std::string& path) {
    OpenChanged(path);
    MainForm->FileSaveItem->Click();
    savedElements = Elements();
    TypeText(" Unsaved.");
    ASSERT_TRUE(Script().DocumentModified);
  }
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  void Answer(const std::string& text, TModalResult result, const std::string& caption = {}) {
    testing::AnswerMessageBox(Driver(), text, result, caption);
  }
  // No at the save question: the script's own file keeps its last version.
  void DiscardChanges() { Answer("Save /.../" + ExtractFileName(Script().ScriptFileName) + "?", mrNo); }
  std::string BackupQuestion(const std::string& name, const std::string& root) {
    return "Backup \"" + name + "\" to Drive " + root + " ?";
  }
  void Close() {
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
  // The elements of the active script but the page breaks its layout
  // puts in.
  std::vector<ElementSpec> Elements() {
    std::vector<ElementSpec> elements = testing::ElementsOf(Script());
    std::erase_if(elements, [](const ElementSpec& e) { return IsPageBreakKind(e.kind); });
    return elements;
  }
  // The elements of a stored script, read the way a writer opens it; one
  // on a removable volume is closed without its copy on the hard drive.
  std::vector<ElementSpec> StoredElements(const std::string& path, bool onRemovable = true) {
    EXPECT_TRUE(OpenScriptByName(path)) << path;
    std::vector<ElementSpec> elements = Elements();
    if (onRemovable) Answer("Should I also save this script onto the Hard Drive?", mrNo);
    Close();
    return elements;
  }

  testing::StandInMounts mounts;
  std::string stick;
  std::string saved;
  std::vector<ElementSpec> savedElements;
};

const std::string kNotBackedUp = "Script was NOT backed up successfully!\r\rShould I exit Anyway?";

// Yes writes the script as saved to the top of the backup drive,
// under its name with the script extension; a removable drive asks for
// its disk first, a fixed one does not.
TEST_F(BackupOnCloseTest, YesWritesTheScriptToTheBackupDriveAfterAskingForTheDisk) {
  const std::string data = mounts.Mount("DATA", "ext4", "/dev/sda3");
  const struct {
    std::string drive;
    std::string name;
    std::string extension;
    std::string backup;
    bool diskAsked;
  } cases[] = {
      {stick, "PILOT.QMW", "QMW", stick + "/PILOT.QMW", true},
      {data, "Pilot.QMW", "SCR", data + "/Pilot.SCR", false},
      {"A", "DRAFT.QMW", "QMW", stick + "/DRAFT.QMW", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    BackupDrive = c.drive;
    ScriptExtension = "QMW";
    OpenSavedThenChanged(InScripts(c.name));
    ScriptExtension = c.extension;
    DiscardChanges();
    const std::string root = c.drive == "A" ? "A:\\" : c.drive + "/";
    Answer(BackupQuestion(c.name, root), mrYes, PromptTable(9));
    if (c.diskAsked)
      Answer("Put a Formatted Disk In Drive " + (c.drive == "A" ? "A:" : c.drive), mrOk, "Press OK when Ready");
    Close();
    EXPECT_EQ(DocumentCount, 0);
    ASSERT_TRUE(FileExists(c.backup));
    EXPECT_EQ(StoredElements(c.backup, c.diskAsked), savedElements) << "what its file holds";
  }
}

// Only Yes backs up; Cancel, and No to closing without a backup, keep the
// script open with its changes.
TEST_F(BackupOnCloseTest, AScriptNotBackedUpStaysOpenUnlessTheWriterSaysOtherwise) {
  const std::string door = "The Door for Drive " + stick +
                           " is NOT closed \ror the Disk in the drive is invalid!\r\rPlease close the door or "
                           "replace the\rdisk and then continue.\r\rShould I retry?";
  const struct {
    const char* what;
    std::vector<std::pair<std::string, TModalResult>> answers;  // after the backup question's Yes
    TModalResult backupAnswer;
    bool volumeGone;
    bool closed;
  } cases[] = {
      {"No", {}, mrNo, false, true},
      {"Cancel", {}, mrCancel, false, false},
      {"disk refused, stay", {{"put in", mrCancel}, {kNotBackedUp, mrNo}}, mrYes, false, false},
      {"disk refused, exit", {{"put in", mrCancel}, {kNotBackedUp, mrYes}}, mrYes, false, true},
      {"volume gone", {{"put in", mrOk}, {door, mrAbort}, {kNotBackedUp, mrNo}}, mrYes, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    mounts.Mount("STICK");
    OpenSavedThenChanged(InScripts("PILOT.QMW"));
    if (c.volumeGone) mounts.Unmount(stick);
    DiscardChanges();
    Answer(BackupQuestion("PILOT.QMW", stick + "/"), c.backupAnswer);
    for (const auto& [text, result] : c.answers)
      Answer(text == "put in" ? "Put a Formatted Disk In Drive " + stick : text, result);
    Close();
    EXPECT_FALSE(FileExists(stick + "/PILOT.QMW"));
    ASSERT_EQ(DocumentCount, c.closed ? 0 : 1);
    if (!c.closed) {
      EXPECT_TRUE(Script().DocumentModified) << "its changes are still to save";
      EXPECT_FALSE(Script().Closing);
      Script().DocumentModified = Script().ModifiedSinceBackup = Script().SavedSinceBackup = 0;
      Close();
    }
  }
}

// A volume that fills up says so with the file it was writing; nothing is
// left there and the script stays as it was.
TEST_F(BackupOnCloseTest, AFullVolumeIsNamedWithTheCauseAndLosesNothing) {
  OpenSavedThenChanged(InScripts("PILOT.QMW"));
  const std::vector<ElementSpec> changed = Elements();
  SetFileFaultHook([this](TFileStep step, const std::string& path) {
    return step == TFileStep::Write && path.starts_with(stick) ? ENOSPC : 0;
  });
  DiscardChanges();
  Answer(BackupQuestion("PILOT.QMW", stick + "/"), mrYes);
  Answer("Put a Formatted Disk In Drive " + stick, mrOk);
  Answer("Error writing " + stick + "/PILOT.QMW\rDisk is Full", mrOk, "Warning");
  Answer(kNotBackedUp, mrNo);
  Close();
  SetFileFaultHook(nullptr);
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Elements(), changed);
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_TRUE(FindFiles(stick, "*").empty()) << "no part of a backup is left on the volume";
}

// The backup drive is offered what the script's file holds and the drive
// lacks: changes saved at the close or before it, never those the writer
// chose not to save.
TEST_F(BackupOnCloseTest, TheBackupOnCloseFollowsWhatWasSaved) {
  const struct {
    const char* what;
    bool savedBefore;         // saved (F7) before the close
    bool changedAfter;        // and changed again
    TModalResult saveAnswer;  // at "Save ...?"; mrNone: not asked
    bool offered;
  } cases[] = {
      {"saved at the close", false, false, mrYes, true},
      {"saved before the close", true, false, mrNone, true},
      {"not saved", false, false, mrNo, false},
      {"saved, then changes not saved", true, true, mrNo, true},
      {"saved, then changes saved at the close", true, true, mrYes, true},
  };
  const std::string backup = stick + "/PILOT.QMW";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OpenChanged(InScripts("PILOT.QMW"));
    if (c.savedBefore) MainForm->FileSaveItem->Click();
    if (c.changedAfter) TypeText(" More.");
    if (!c.changedAfter || c.saveAnswer == mrYes) savedElements = Elements();
    if (c.saveAnswer != mrNone) Answer("Save /.../PILOT.QMW?", c.saveAnswer);
    if (c.offered) {
      Answer(BackupQuestion("PILOT.QMW", stick + "/"), mrYes, PromptTable(9));
      Answer("Put a Formatted Disk In Drive " + stick, mrOk);
    }
    Close();
    ASSERT_EQ(DocumentCount, 0);
    if (c.offered) {
      ASSERT_TRUE(FileExists(backup));
      EXPECT_EQ(StoredElements(backup), savedElements);
    } else {
      EXPECT_FALSE(FileExists(backup)) << "nothing the drive lacks was saved";
    }
    DeleteFile(backup);
  }
}

// With three changed scripts open and the middle one on screen, Exit
// closes them from the last opened: each one's backup on the drive is its
// own file as saved at its close, whichever script is on screen, and the
// script on screen is never written in another's place.
TEST_F(BackupOnCloseTest, EachScriptClosedByExitBacksUpItsOwnFile) {
  const char* const names[] = {"SITCOM.QMW", "POND.QMW", "DRAMA.QMW"};
  TMDIChild* windows[3] = {};
  for (int i = 0; i < 3; ++i) {
    OpenChanged(InScripts(names[i]));
    TypeText(std::string(" ") + names[i] + " only.");
    windows[i] = &Script();
  }
  // The writer goes back to the second script.
  MainForm->WindowMenu->Click();
  MainForm->DocItems[1]->Click();
  ASSERT_EQ(ActiveScript(), windows[1]);
  std::vector<std::vector<ElementSpec>> written;
  for (TMDIChild* w : windows) {
    std::vector<ElementSpec> elements = testing::ElementsOf(*w);
    std::erase_if(elements, [](const ElementSpec& e) { return IsPageBreakKind(e.kind); });
    written.push_back(elements);
  }
  for (int i = 2; i >= 0; --i) {
    Answer("Save /.../" + std::string(names[i]) + "?", mrYes);
    Answer(BackupQuestion(names[i], stick + "/"), mrYes, PromptTable(9));
    Answer("Put a Formatted Disk In Drive " + stick, mrOk);
  }
  MainForm->ExitQuillmasterItemClick(nullptr);
  Application->ProcessMessages();
  EXPECT_EQ(Driver().Pending(), 0);
  ASSERT_EQ(DocumentCount, 0);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(names[i]);
    const std::string backup = stick + "/" + names[i];
    ASSERT_TRUE(FileExists(backup));
    EXPECT_EQ(testing::ReadFileText(backup), testing::ReadFileText(InScripts(names[i]))) << "its own file as saved";
    EXPECT_EQ(StoredElements(InScripts(names[i]), false), written[static_cast<std::size_t>(i)]);
  }
}

// The main window's title names the script each question is about: a new
// script named at Exit's save question (Yes, then Save As) is named so at
// its backup question, and with no script left Exit's last question shows
// the program's own title.
TEST_F(BackupOnCloseTest, TheTitleNamesTheScriptEachQuestionIsAbout) {
  MainForm->ExpertPrompting = false;
  MainForm->FileNewItem->Click();
  Script().SetFocus();
  TypeText("A new scene.");
  std::vector<std::string> titles;
  const auto noteTitle = [&titles](TModalResult answer) {
    return [&titles, answer](TForm& box) {
      titles.push_back(MainForm->TitleBarText());
      box.ModalResult = answer;
    };
  };
  Driver().Expect(noteTitle(mrYes), "the save question");
  testing::ChooseFile(Driver(), InScripts("PILOT.QMW"));
  Driver().Expect(noteTitle(mrNo), "the backup question");
  Driver().Expect(noteTitle(mrNo), "the last question");
  MainForm->ExitQuillmasterItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  ASSERT_EQ(titles.size(), 3u);
  EXPECT_NE(titles[0].find("NONAME1"), std::string::npos) << titles[0];
  EXPECT_NE(titles[1].find("PILOT.QMW"), std::string::npos) << titles[1];
  EXPECT_EQ(titles[2], "Quillmaster for Windows");
}

// A backup volume pulled out during the write is said to have been
// removed, whether the backup takes the window's text or its file's.
TEST_F(BackupOnCloseTest, AVolumePulledDuringTheBackupIsSaidToBeRemoved) {
  for (const TModalResult save : {mrYes, mrNo}) {
    SCOPED_TRACE(save == mrYes ? "saved at the close" : "changes not saved");
    mounts.Mount("STICK");
    OpenSavedThenChanged(InScripts("PILOT.QMW"));
    SetFileFaultHook([this](TFileStep step, const std::string& path) {
      if (step != TFileStep::Create || !path.starts_with(stick)) return 0;
      mounts.Unmount(stick);
      return ENOENT;
    });
    Answer("Save /.../PILOT.QMW?", save);
    Answer(BackupQuestion("PILOT.QMW", stick + "/"), mrYes);
    Answer("Put a Formatted Disk In Drive " + stick, mrOk);
    Answer("Error writing " + stick + "/PILOT.QMW\rThe volume " + stick + " was removed during the write", mrOk,
           "Warning");
    Answer(kNotBackedUp, mrNo);
    Close();
    SetFileFaultHook(nullptr);
    ASSERT_EQ(DocumentCount, 1);
    EXPECT_FALSE(Script().Closing);
    Script().DocumentModified = Script().ModifiedSinceBackup = Script().SavedSinceBackup = 0;
    Close();
  }
}

// No question: backups not offered, or nothing changed since the last one.
TEST_F(BackupOnCloseTest, NothingIsAskedWhenBackupsAreOffOrNothingChanged) {
  FloppyBackup = false;
  OpenChanged(InScripts("PILOT.QMW"));
  DiscardChanges();
  Close();
  EXPECT_EQ(DocumentCount, 0);
  FloppyBackup = true;
  testing::WriteFileText(InScripts("KEPT.QMW"), saved);
  ASSERT_TRUE(OpenScriptByName(InScripts("KEPT.QMW")));
  Close();
  EXPECT_EQ(DocumentCount, 0);
  EXPECT_TRUE(FindFiles(stick, "*").empty());
}

// A script kept on a removable volume is offered a copy in the script
// folder, under its name with the script extension.
TEST_F(BackupOnCloseTest, AScriptOnARemovableVolumeIsOfferedACopyOnTheHardDrive) {
  const std::string onHardDrive = InScripts("FILM.QMW");
  const std::string copyQuestion = "Should I also save this script onto the Hard Drive?";
  const std::string overwrite = "Overwrite the copy of this file that is already on the hard drive?";
  const std::string unable = "Unable to Save to Hard Drive!\r\rExit Anyway?";
  const struct {
    const char* what;
    bool copyThere;
    TModalResult copy;
    TModalResult overwriteAnswer;  // mrNone: not asked
    const char* saveAs;            // Save As: the name chosen, "" cancelled, null not shown
    TModalResult exitAnyway;       // mrNone: not asked
    bool closed;
    const char* copied;  // the file that holds the script's copy, null none
  } cases[] = {
      {"declined", false, mrNo, mrNone, nullptr, mrNone, true, nullptr},
      {"saved", false, mrYes, mrNone, nullptr, mrNone, true, "FILM.QMW"},
      {"overwritten", true, mrYes, mrYes, nullptr, mrNone, true, "FILM.QMW"},
      {"saved as", true, mrYes, mrNo, "FILM2.QMW", mrNone, true, "FILM2.QMW"},
      {"save as cancelled", true, mrYes, mrNo, "", mrNo, false, nullptr},
      {"save as cancelled, exit", true, mrYes, mrNo, "", mrYes, true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* name : {"FILM.QMW", "FILM.BK", "FILM2.QMW"}) DeleteFile(InScripts(name));
    if (c.copyThere) testing::WriteFileText(onHardDrive, "an older copy");
    const std::string onStick = stick + "/FILM.QMW";
    testing::WriteFileText(onStick, saved);
    ASSERT_TRUE(OpenScriptByName(onStick));
    const std::vector<ElementSpec> script = Elements();
    Answer(copyQuestion, c.copy, PromptTable(8));
    if (c.overwriteAnswer != mrNone) Answer(overwrite, c.overwriteAnswer, PromptTable(31));
    if (c.saveAs) {
      Driver().Expect([&](TForm& form) {
        auto& dialog = dynamic_cast<TFileDialog&>(form);
        EXPECT_EQ(dialog.FileName, onHardDrive) << "the proposed name";
        if (*c.saveAs) {
          dialog.FileNameEdit->Text = InScripts(c.saveAs);
          dialog.OkBtn->Click();
        } else {
          dialog.CancelBtn->Click();
        }
      });
    }
    if (c.exitAnyway != mrNone) Answer(unable, c.exitAnyway);
    Close();
    ASSERT_EQ(DocumentCount, c.closed ? 0 : 1);
    if (!c.closed) {
      EXPECT_EQ(Script().ScriptFileName, onStick) << "the script keeps its own name";
      EXPECT_FALSE(Script().Closing);
      Answer(copyQuestion, mrNo);
      Close();
    }
    if (c.copyThere && (!c.copied || std::string(c.copied) != "FILM.QMW")) {
      EXPECT_EQ(testing::ReadFileText(onHardDrive), "an older copy");
    }
    if (c.copied) {
      EXPECT_EQ(StoredElements(InScripts(c.copied), false), script);
    }
    if (!c.copyThere && !c.copied) {
      EXPECT_FALSE(FileExists(onHardDrive));
    }
    EXPECT_EQ(testing::ReadFileText(onStick), saved);
  }
}

// A failed copy asks before the script closes without one.
TEST_F(BackupOnCloseTest, AFailedCopyToTheHardDriveAsksBeforeClosing) {
  const std::string onStick = stick + "/FILM.QMW";
  testing::WriteFileText(onStick, saved);
  SetFileFaultHook([](TFileStep step, const std::string& path) {
    return step == TFileStep::Write && path.starts_with(ScriptDirectory) ? ENOSPC : 0;
  });
  for (const TModalResult exitAnyway : {mrNo, mrYes}) {
    if (DocumentCount == 0) {
      ASSERT_TRUE(OpenScriptByName(onStick));
    }
    Answer("Should I also save this script onto the Hard Drive?", mrYes);
    Answer("Error writing " + InScripts("FILM.QMW") + "\rDisk is Full", mrOk, "Warning");
    Answer("Unable to Save to Hard Drive!\r\rExit Anyway?", exitAnyway);
    Close();
    EXPECT_EQ(DocumentCount, exitAnyway == mrYes ? 0 : 1);
  }
  EXPECT_FALSE(FileExists(InScripts("FILM.QMW")));
}

// The File menu's items write the script to the removable volume they
// name: A the first mounted, B the second; the script keeps its name and
// its unsaved changes, and the backup its script's permissions.
TEST_F(BackupOnCloseTest, TheFileMenuBacksUpToTheFloppyDriveItNames) {
  OpenChanged(InScripts("PILOT.QMW"));
  const std::vector<ElementSpec> changed = Elements();
  const std::string door = "The Door for Drive B: is NOT closed \ror the Disk in the drive is invalid!\r\r"
                           "Please close the door or replace the\rdisk and then continue.\r\rShould I retry?";
  Answer(door, mrAbort, "Warning");
  MainForm->MenuItem("BDriveItem")->Click();
  EXPECT_TRUE(FindFiles(stick, "*").empty());

  // The backup is open to no one its script is not.
  ::chmod(InScripts("PILOT.QMW").c_str(), 0600);
  MainForm->MenuItem("ADriveItem")->Click();
  ASSERT_TRUE(FileExists(stick + "/PILOT.QMW"));
  struct stat backup {};
  ASSERT_EQ(::stat((stick + "/PILOT.QMW").c_str(), &backup), 0);
  EXPECT_EQ(backup.st_mode & 077, 0u);
  EXPECT_EQ(Script().ScriptFileName, InScripts("PILOT.QMW"));
  EXPECT_TRUE(Script().DocumentModified) << "its own file still lacks the changes";

  // B is asked for until a second removable volume is mounted.
  std::string card;
  Driver().Expect([&](TForm& box) {
    EXPECT_EQ(testing::MessageBoxText(box), door);
    card = mounts.Mount("CARD", "exfat", "/dev/mmcblk0p1");
    box.ModalResult = mrRetry;
  });
  MainForm->MenuItem("BDriveItem")->Click();
  ASSERT_TRUE(FileExists(card + "/PILOT.QMW"));
  Script().DocumentModified = Script().ModifiedSinceBackup = 0;
  EXPECT_FALSE(Script().SavedSinceBackup) << "its own file holds nothing new";
  Close();
  EXPECT_EQ(StoredElements(stick + "/PILOT.QMW"), changed);
  EXPECT_EQ(StoredElements(card + "/PILOT.QMW"), changed);
}

// A backup to the backup drive from the File menu copies what the drive
// lacked: closing the script then offers no backup of the same text
// again, only of changes made after it. A backup to another drive leaves
// the backup drive's question as it was.
TEST_F(BackupOnCloseTest, AFileMenuBackupToTheBackupDriveIsNotOfferedAgainAtTheClose) {
  const std::string card = mounts.Mount("CARD", "exfat", "/dev/mmcblk0p1");
  const struct {
    const char* what;
    std::string backupDrive;
    const char* item;   // the File menu's drive
    bool savedFirst;    // saved (F7) before the File menu's backup
    bool changedAfter;  // changed after it
    bool offered;       // the close asks for the backup
  } cases[] = {
      {"saved, backed up", stick, "ADriveItem", true, false, false},
      {"backed up with changes not saved, saved at the close", stick, "ADriveItem", false, false, false},
      {"the backup drive named by its letter", "A", "ADriveItem", true, false, false},
      {"changed after the backup", stick, "ADriveItem", true, true, true},
      {"backed up to another drive", stick, "BDriveItem", true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BackupDrive = c.backupDrive;
    OpenChanged(InScripts("PILOT.QMW"));
    if (c.savedFirst) MainForm->FileSaveItem->Click();
    MainForm->MenuItem(c.item)->Click();
    ASSERT_TRUE(FileExists((std::string(c.item) == "ADriveItem" ? stick : card) + "/PILOT.QMW"));
    if (c.changedAfter) TypeText(" Later.");
    if (Script().DocumentModified) Answer("Save /.../PILOT.QMW?", mrYes);
    if (c.offered) Answer(BackupQuestion("PILOT.QMW", DriveOf(c.backupDrive).Root), mrNo, PromptTable(9));
    Close();
    EXPECT_EQ(Driver().Pending(), 0);
    Driver().Clear();
    EXPECT_EQ(DocumentCount, 0);
    DeleteFile(stick + "/PILOT.QMW");
    DeleteFile(card + "/PILOT.QMW");
  }
}

}  // namespace
}  // namespace qm
