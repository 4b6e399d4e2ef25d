#include "platform/process.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/files.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

class Process : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
  const std::string dir_ = temp_.Path();
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", dir_};

  std::string Script(const std::string& name, const std::string& body, mode_t mode = 0755) const {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    ::chmod(path.c_str(), mode);
    return path;
  }
  std::string Bytes(const std::string& name) const { return testing::ReadFileText(dir_ + "/" + name); }
};

TEST_F(Process, ExitCodesComeBack) {
  const struct {
    const char* program;
    std::vector<std::string> args;
    int exitCode;
  } cases[] = {
      {"/bin/true", {}, 0},
      {"/bin/false", {}, 1},
      {"sh", {"-c", "exit 7"}, 7},
      {"SH.EXE", {"-c", "exit 3"}, 3},
      {"sh", {"-c", "kill -TERM $$"}, 128 + 15},
  };
  for (const auto& c : cases) {
    const RunResult r = RunProgramAndWait(c.program, c.args, {});
    EXPECT_TRUE(r.started) << c.program << ": " << r.error;
    EXPECT_EQ(r.exitCode, c.exitCode) << c.program;
  }
}

TEST_F(Process, MissingProgramsDoNotStart) {
  Script("DATA.EXE", "exit 0", 0644);  // not executable
  for (const char* program : {"NOSUCHPROGRAM.EXE", "/no/such/folder/prog", "DATA.EXE", ""}) {
    const RunResult r = RunProgramAndWait(program, {}, {});
    EXPECT_FALSE(r.started) << program;
    EXPECT_NE(r.error.find("not found"), std::string::npos) << r.error;
    EXPECT_FALSE(StartProgram(program, {})) << program;
  }
  const RunResult badFolder = RunProgramAndWait("/bin/true", {}, {}, dir_ + "/no/such/folder");
  EXPECT_FALSE(badFolder.started);
  EXPECT_FALSE(badFolder.error.empty());
}

TEST_F(Process, ThePumpRunsWhileTheProgramDoes) {
  int pumped = 0;
  const RunResult r = RunProgramAndWait("/bin/sh", {"-c", "sleep 0.2"}, [&] { ++pumped; });
  EXPECT_TRUE(r.started);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_GT(pumped, 1);
}

TEST_F(Process, OldProgramNamesFindTheProgramsHere) {
  const std::string mine = Script("true", "exit 3");
  Script("Helper", "exit 4");
  const struct {
    const char* name;
    std::optional<std::string> found;
  } cases[] = {
      {"TRUE.EXE", mine},  // the program folder comes before $PATH
      {"true", mine},
      {"HELPER.COM", dir_ + "/Helper"},
      {"helper", dir_ + "/Helper"},
      {"HELPER.BAT", std::nullopt},  // only .EXE and .COM are dropped
  };
  for (const auto& c : cases) EXPECT_EQ(FindProgram(c.name), c.found) << c.name;
  EXPECT_EQ(RunProgramAndWait("TRUE.EXE", {}, {}).exitCode, 3);

  // With a folder in the name, only that folder counts.
  EXPECT_EQ(FindProgram(dir_ + "/HELPER.EXE"), dir_ + "/Helper");
  EXPECT_EQ(FindProgram(dir_ + "/sh"), std::nullopt);
  EXPECT_EQ(FindProgram("/bin/SH.EXE"), "/bin/sh");

  ::unsetenv("QUILLMASTER_PROGRAM_FOLDER");
  const auto onPath = FindProgram("TRUE.EXE");
  ASSERT_TRUE(onPath);
  EXPECT_NE(*onPath, mine);
  EXPECT_EQ(ExtractFileName(*onPath), "true");
}

TEST_F(Process, ArgumentsAndWorkFolderReachTheProgram) {
  const RunResult r = RunProgramAndWait(
      "sh", {"-c", "pwd > out.txt; printf '%s|%s' \"$1\" \"$2\" >> out.txt", "sh", "caf\xC3\xA9", "two words"}, {},
      dir_);
  ASSERT_TRUE(r.started) << r.error;
  EXPECT_EQ(Bytes("out.txt"), fs::canonical(dir_).string() + "\ncaf\xC3\xA9|two words");
}

TEST_F(Process, StartedProgramsRunOnTheirOwn) {
  ASSERT_TRUE(StartProgram("sh", {"-c", "echo done > started.txt"}, dir_));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (Bytes("started.txt") != "done\n" && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(Bytes("started.txt"), "done\n");
  // Nothing is left for us to wait for.
  int status = 0;
  EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

}  // namespace
}  // namespace qm
