// The hand-off of a branching script to the outside run-time player, with a
// small stand-in player that records what it was given.
#include "story/runtime_player.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "script/editing/editor_calls.h"
#include "shell/main_form.h"
#include "story/branching_script.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class RuntimePlayerTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    testing::BuildBranchingScript(Script());
    MainForm->UpdateMenusAndButtons();
  }
  // A player in a folder whose name holds a blank: it writes its arguments
  // one a line and keeps a copy of the file it was given.
  std::string InstallPlayer() {
    const std::string folder = temp_.File("program folder");
    CreateDir(folder);
    const std::string player = folder + "/RTPLAYER";
    testing::WriteFileText(player,
                           "#!/bin/sh\n"
                           "dir=$(dirname \"$0\")\n"
                           "printf '%s\\n' \"$@\" > \"$dir/args.txt\"\n"
                           "cp \"$1\" \"$dir/played.scr\"\n");
    chmod(player.c_str(), 0755);
    return folder;
  }
  void Play() { MainForm->MenuItem("PlayMultimediaScriptItem")->Click(); }
  testing::TempFolder temp_;
};

TEST_F(RuntimePlayerTest, ThePlayerGetsTheSavedScriptAndTheCurrentElement) {
  const std::string folder = InstallPlayer();
  testing::ScopedEnv programFolder("QUILLMASTER_PROGRAM_FOLDER", folder);
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 4));
  Script().DocumentModified = 1;
  Script().ModifiedSinceBackup = 1;
  Script().Hint = "Modified";
  const std::string title = Script().ScriptFileName;
  ASSERT_TRUE(MainForm->MenuItem("PlayMultimediaScriptItem")->Enabled());
  Play();
  const std::string temp = folder + "/RT-TEMP.SCR";
  EXPECT_EQ(testing::ReadFileText(folder + "/args.txt"), temp + "\n5\n");
  const std::string played = testing::ReadFileText(folder + "/played.scr");
  EXPECT_GT(played.size(), 100u) << "the script itself was handed over";
  EXPECT_FALSE(FileExists(temp)) << "the temporary file is removed";
  EXPECT_TRUE(Script().DocumentModified) << "playing leaves the script as modified as it was";
  EXPECT_TRUE(Script().ModifiedSinceBackup);
  EXPECT_EQ(static_cast<std::string>(Script().Hint), "Modified");
  EXPECT_EQ(Script().ScriptFileName, title);
}

TEST_F(RuntimePlayerTest, AMissingPlayerIsReportedAndNothingIsSaved) {
  const std::string folder = temp_.File("empty");
  CreateDir(folder);
  testing::ScopedEnv programFolder("QUILLMASTER_PROGRAM_FOLDER", folder);
  testing::ScopedEnv path("PATH", folder);
  testing::AnswerMessageBox(Driver(), "Cannot find Run-Time Player!", mrOk);
  Play();
  EXPECT_FALSE(FileExists(folder + "/RT-TEMP.SCR"));
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST(RuntimePlayer, TheParametersQuoteTheFile) {
  EXPECT_EQ(story::PlayerParameters("/opt/my programs/RT-TEMP.SCR", 12), "\"/opt/my programs/RT-TEMP.SCR\" 12");
}

}  // namespace
}  // namespace qm
