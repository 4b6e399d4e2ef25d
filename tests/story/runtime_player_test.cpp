// The hand-off of a branching script to the outside run-time player, with a
// small stand-in player that records what it was given.
#include "story/runtime_player.h"

#include <sys/stat.h>
#include <unistd.h>

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
  // A player in a read-only folder whose name holds a blank and a quote,
  // as an installed program's may: it writes its arguments one a line and
  // keeps a copy of the file it was given, both in the record folder.
  std::string InstallPlayer() {
    const std::string folder = temp_.File("program \"folder\"");
    CreateDir(folder);
    CreateDir(Record(""));
    const std::string player = folder + "/RTPLAYER";
    testing::WriteFileText(player, "#!/bin/sh\n"
                                   "dir='" +
                                       Record("") +
                                       "'\n"
                                       "printf '%s\\n' \"$@\" > \"$dir/args.txt\"\n"
                                       "cp \"$1\" \"$dir/played.scr\"\n");
    chmod(player.c_str(), 0755);
    chmod(folder.c_str(), 0555);
    return folder;
  }
  std::string Record(const std::string& name) { return temp_.File("record") + "/" + name; }
  void Play() { MainForm->MenuItem("PlayMultimediaScriptItem")->Click(); }
  void TearDown() override {
    chmod(temp_.File("program \"folder\"").c_str(), 0755);
    ProgramFixture::TearDown();
  }
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
  const std::string temp = RuntimeFolder() + "/" + std::to_string(getpid()) + ".RT-TEMP.SCR";
  EXPECT_EQ(testing::ReadFileText(Record("args.txt")), temp + "\n5\n") << "each argument whole";
  const std::string played = testing::ReadFileText(Record("played.scr"));
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

// A left-over temporary file is known by its name alone.
TEST(RuntimePlayer, KnowsTheNamesOfItsTemporaryFile) {
  const struct {
    const char* name;
    bool known;
  } cases[] = {
      {"RT-TEMP.SCR", true},    {"4242.RT-TEMP.SCR", true}, {"rt-temp.scr", false},        {"0.RT-TEMP.SCR", false},
      {"x.RT-TEMP.SCR", false}, {"QUILLPAD.INI", false},    {"4242.RT-TEMP.SCR.x", false}, {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(story::IsPlayerTempName(c.name), c.known) << c.name;
}

}  // namespace
}  // namespace qm
