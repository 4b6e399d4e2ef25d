// Drive, folder and file checks, and the question before a script is
// opened twice.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "files/disk_utils.h"
#include "files/file_test_fixture.h"
#include "files/script_samples.h"
#include "base/ini_file.h"
#include "base/program_options.h"
#include "platform/files.h"
#include "support/stand_in_mounts.h"

namespace qm::testing {
namespace {

class DiskUtilsTest : public FileTest {
 protected:
  // Answers the not-ready question with `result`, first running `then`
  // (a volume put in while the question shows).
  void AnswerNotReady(int result, SeenBox* seen, std::function<void()> then = {}) {
    Driver().Expect(
        [=](TForm& form) {
          seen->text = MessageBoxText(form);
          seen->caption = form.Caption();
          if (then) then();
          form.ModalResult = result;
        },
        "the not-ready question");
  }
  StandInMounts mounts_;
};

std::string DoorText(const std::string& drive) {
  return "The Door for Drive " + drive +
         " is NOT closed \ror the Disk in the drive is invalid!\r\r"
         "Please close the door or replace the\rdisk and then continue.\r\rShould I retry?";
}
const char* const kCdText =
    "That's a CD ROM Drive and you \reither have no disk in the drive, \ror a non-data disk.\r\r"
    "Please insert or replace the disk.\r\rShould I retry?";

// The floppy drives are the removable volumes in the order they were
// mounted; a drive is ready once its volume is mounted, and the question
// asks for it until then.
TEST_F(DiskUtilsTest, ADriveIsReadyOnceItsVolumeIsMountedAndAskedForUntilThen) {
  mounts_.Mount("DATA", "ext4", "/dev/sda3");
  const std::string cdrom = mounts_.Folder("cdrom");  // listed, but its folder cannot be opened
  mounts_.Mount("cdrom", "iso9660", "/dev/sr0");
  ::rmdir(cdrom.c_str());
  const std::string away = mounts_.Folder("AWAY");
  ForceDirectories(away);
  struct Case {
    std::string drive;
    std::string putIn;  // the volume mounted at the first question ("" none)
    std::vector<int> answers;
    bool ready;
    std::string text;
  };
  const Case cases[] = {
      {"A", "", {IDCANCEL}, false, DoorText("A:")},
      {"a:\\SCRIPTS\\PILOT.QMW", "STICK", {IDRETRY}, true, DoorText("A:")},
      {"B:", "", {IDRETRY, IDCANCEL}, false, DoorText("B:")},
      {"C:\\", "", {}, true, ""},
      {"/", "", {}, true, ""},
      {mounts_.Folder("DATA") + "/FILM.QMW", "", {}, true, ""},
      {cdrom + "/FILM.QMW", "", {IDCANCEL}, false, kCdText},
      {away + "/FILM.QMW", "", {IDCANCEL}, false, DoorText(away)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    mounts_.Unmount(mounts_.Folder("STICK"));
    BackupDrive = away;  // a backup drive's folder while no volume is mounted there
    std::vector<SeenBox> seen(c.answers.size());
    for (std::size_t i = 0; i < c.answers.size(); ++i)
      AnswerNotReady(c.answers[i], &seen[i],
                     i == 0 && !c.putIn.empty() ? std::function<void()>([&] { mounts_.Mount(c.putIn); })
                                                : std::function<void()>());
    EXPECT_EQ(EnsureDriveReady(c.drive), c.ready);
    for (const auto& box : seen) {
      EXPECT_EQ(box.text, c.text);
      EXPECT_EQ(box.caption, "Warning");
    }
  }
  // A and B follow the removable volumes mounted, a fixed disk between them left out.
  mounts_.Mount("STICK");
  mounts_.Mount("CARD", "exfat", "/dev/mmcblk0p1");
  EXPECT_EQ(RemovableVolumes(), (std::vector<std::string>{mounts_.Folder("STICK"), mounts_.Folder("CARD")}));
  EXPECT_TRUE(EnsureDriveReady("B"));
  EXPECT_EQ(DriveOf("b:\\").Folder, mounts_.Folder("CARD"));
}

TEST_F(DiskUtilsTest, ReadOnlyFilesAreFoundInTheScriptFolderAndOnTheFloppyDrives) {
  ScriptDirectory = folder_.Path();
  WriteFileText(Path("LOCKED.QMW"), "x");
  SetReadOnly(Path("LOCKED.QMW"), true);
  WriteFileText(Path("OPEN.QMW"), "x");
  const std::string stick = mounts_.Mount("STICK");
  ForceDirectories(stick + "/SCRIPTS");
  WriteFileText(stick + "/SCRIPTS/KEPT.QMW", "x");
  SetReadOnly(stick + "/SCRIPTS/KEPT.QMW", true);
  struct Case {
    std::string name;
    bool readOnly;
  };
  const Case cases[] = {
      {"LOCKED.QMW", true},
      {"OPEN.QMW", false},
      {"MISSING.QMW", false},
      {Path("LOCKED.QMW"), true},
      {"locked.qmw", true},
      {"A:\\SCRIPTS\\KEPT.QMW", true},
      {"a:\\scripts\\kept.qmw", true},
      {"A:\\SCRIPTS\\GONE.QMW", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsFileReadOnly(c.name), c.readOnly) << c.name;
  mounts_.Unmount(stick);
  SeenBox seen;
  AnswerNotReady(IDCANCEL, &seen);
  EXPECT_FALSE(IsFileReadOnly("A:\\SCRIPTS\\KEPT.QMW"));
  EXPECT_EQ(seen.text, DoorText("A:"));
}

TEST_F(DiskUtilsTest, FoldersAndDriveRoots) {
  WriteFileText(Path("FILE"), "x");
  const std::string stick = mounts_.Mount("STICK");
  ForceDirectories(stick + "/Scripts");
  struct Case {
    std::string path;
    bool exists;
  };
  const Case cases[] = {
      {folder_.Path(), true}, {folder_.Path() + "/", true},
      {Path("FILE"), false},  {Path("NONE"), false},
      {"C:\\", true},         {"/", true},
      {"A:\\", true},         {"a:\\SCRIPTS\\", true},
      {stick, true},          {stick + "/Scripts", true},
      {"B:\\SCRIPTS", false},
  };
  for (const auto& c : cases) EXPECT_EQ(DirectoryExistsOnDrive(c.path), c.exists) << c.path;
  // The root of a drive that is not mounted is asked for; a folder on it is simply not there.
  mounts_.Unmount(stick);
  BackupDrive = stick;
  EXPECT_FALSE(DirectoryExistsOnDrive("A:\\SCRIPTS"));
  for (const std::string& root : {std::string("A:"), stick}) {
    SeenBox seen;
    AnswerNotReady(IDCANCEL, &seen);
    EXPECT_FALSE(DirectoryExistsOnDrive(root)) << root;
    EXPECT_EQ(seen.text, DoorText(root == "A:" ? "A:" : stick)) << root;
  }
}

TEST_F(DiskUtilsTest, OpeningAScriptTwiceIsQuestioned) {
  ScriptWindow first;
  first->ScriptFileName = Path("PILOT.QMW");
  ScriptWindow second;
  second->ScriptFileName = Path("OTHER.QMW");
  EXPECT_FALSE(ConfirmOpenAgain(Path("NEW.QMW")));

  struct Case {
    int confirm;  // answer to the type-YES question
    int goTo;     // answer to "Go to ..." (0: not asked)
    bool result;
    int active;
  };
  const Case cases[] = {
      {IDYES, 0, false, 2},
      {IDNO, IDNO, true, 2},
      {IDNO, IDYES, true, 1},
  };
  for (const auto& c : cases) {
    second.Activate();
    SeenBox question;
    SeenBox goTo;
    Driver().Expect([&](TForm& box) {
      question.text = MessageBoxText(box);
      AnswerTypeYes(box, c.confirm == IDYES);
    });
    if (c.goTo) AnswerBox(c.goTo, &goTo);
    EXPECT_EQ(ConfirmOpenAgain(Path("PILOT.QMW")), c.result);
    EXPECT_EQ(question.text, "The script " + Path("PILOT.QMW") +
                                 " is already open in Window #1 and opening it twice can cause you great confusion "
                                 "and possible loss of editing changes if you save them both!\r\rShould I REALLY "
                                 "open this script twice?\r\rType YES to accept...\r\r\r");
    if (c.goTo) {
      EXPECT_EQ(goTo.text, "Go to the open script " + Path("PILOT.QMW") + " in Window #1?");
    }
    EXPECT_EQ(ActiveDocument, c.active);
  }
  // The active window holding the file is not offered.
  first.Activate();
  AnswerBox(IDNO);
  EXPECT_TRUE(ConfirmOpenAgain(Path("PILOT.QMW")));
}

}  // namespace
}  // namespace qm::testing
