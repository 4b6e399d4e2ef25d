// Drive, folder and file checks, and the question before a script is
// opened twice.
#include <gtest/gtest.h>

#include "files/disk_utils.h"
#include "files/file_test_fixture.h"
#include "files/script_samples.h"
#include "base/ini_file.h"
#include "platform/files.h"

namespace qm::testing {
namespace {

class DiskUtilsTest : public FileTest {
 protected:
  // A drive that is ready after `failures` probes.
  void DriveReadyAfter(int failures, bool cdRom = false) {
    DriveProbes.Ready = [this, failures](const std::string& path) {
      probed_.push_back(path);
      return static_cast<int>(probed_.size()) > failures;
    };
    DriveProbes.IsCdRom = [cdRom](const std::string&) { return cdRom; };
  }
  std::vector<std::string> probed_;
};

const char* const kDoorText = "The Door for Drive A: is NOT closed \ror the Disk in the drive is invalid!\r\r"
                              "Please close the door or replace the\rdisk and then continue.\r\rShould I retry?";
const char* const kCdText =
    "That's a CD ROM Drive and you \reither have no disk in the drive, \ror a non-data disk.\r\r"
    "Please insert or replace the disk.\r\rShould I retry?";

TEST_F(DiskUtilsTest, ADriveThatIsNotReadyIsRetriedUntilTheUserGivesUp) {
  struct Case {
    const char* path;
    bool cdRom;
    std::vector<int> answers;
    bool ready;
    const char* text;
    const char* probed;
  };
  const Case cases[] = {
      {"A:\\SCRIPTS\\PILOT.QMW", false, {IDRETRY, IDRETRY}, true, kDoorText, "/SCRIPTS/PILOT.QMW"},
      {"A", false, {IDCANCEL}, false, kDoorText, "/"},
      {"D:\\", true, {IDRETRY}, true, kCdText, "/"},
      {"D:", true, {IDCANCEL}, false, kCdText, "/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    probed_.clear();
    DriveReadyAfter(c.ready ? static_cast<int>(c.answers.size()) : 1000, c.cdRom);
    std::vector<SeenBox> seen(c.answers.size());
    for (std::size_t i = 0; i < c.answers.size(); ++i) AnswerBox(c.answers[i], &seen[i]);
    EXPECT_EQ(EnsureDriveReady(c.path), c.ready);
    for (const auto& box : seen) {
      EXPECT_EQ(box.text, c.text);
      EXPECT_EQ(box.caption, "Warning");
    }
    EXPECT_EQ(probed_.front(), c.probed);
  }
}

// The probes of a ready drive (the test folder's, C: and /) ask nothing:
// an unanswered question fails the test.
TEST_F(DiskUtilsTest, ReadOnlyFilesAreFoundInTheScriptFolder) {
  ScriptDirectory = folder_.Path();
  WriteFileText(Path("LOCKED.QMW"), "x");
  SetReadOnly(Path("LOCKED.QMW"), true);
  WriteFileText(Path("OPEN.QMW"), "x");
  struct Case {
    std::string name;
    bool readOnly;
  };
  const Case cases[] = {
      {"LOCKED.QMW", true},       {"OPEN.QMW", false},  {"MISSING.QMW", false},
      {Path("LOCKED.QMW"), true}, {"locked.qmw", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsFileReadOnly(c.name), c.readOnly) << c.name;
  DriveReadyAfter(1000);
  AnswerBox(IDCANCEL);
  EXPECT_FALSE(IsFileReadOnly("LOCKED.QMW"));
}

TEST_F(DiskUtilsTest, FoldersAndDriveRoots) {
  WriteFileText(Path("FILE"), "x");
  struct Case {
    std::string path;
    bool exists;
  };
  const Case cases[] = {
      {folder_.Path(), true}, {folder_.Path() + "/", true},
      {Path("FILE"), false},  {Path("NONE"), false},
      {"C:\\", true},         {"/", true},
  };
  for (const auto& c : cases) EXPECT_EQ(DirectoryExistsOnDrive(c.path), c.exists) << c.path;
  DriveReadyAfter(1000);
  AnswerBox(IDCANCEL);
  EXPECT_FALSE(DirectoryExistsOnDrive("C:\\"));
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
