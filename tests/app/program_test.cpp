// The program as a user starts it from a shell: without a desktop it says
// what it needs, and without a desktop the words of its boxes and the
// failure of its start reach the shell.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

// Everything the program wrote, and how it ended.
struct ProgramRun {
  std::string output;
  std::optional<int> exitCode;
};

ProgramRun RunProgram(const std::vector<std::string>& args, std::vector<std::string> environment) {
  testing::ChildProcess program(QM_PROGRAM_PATH, args, environment, true);
  ProgramRun run;
  while (std::optional<std::string> line = program.ReadLine(20000)) run.output += *line + "\n";
  run.exitCode = program.ExitCode(20000);
  return run;
}

TEST(ProgramTest, WhatTheShellHearsWhenTheProgramCannotStart) {
  testing::TempFolder home;
  const std::string missing = home.Path() + "/kitchen.qmw";
  // Files that are there but that the program refuses, each with its reason.
  const std::string notAScript = home.File("letter.qmw");
  // Plain text is read as text whatever its name; bytes of no known format are not.
  std::ofstream(notAScript, std::ios::binary) << std::string("\x01\x02\x03\xfe\xff\0binary\x07\x08", 14);
  const std::string empty = home.File("empty.qmw");
  std::ofstream{empty};
  const std::string flagNamed = home.File("--headless");
  std::ofstream(flagNamed, std::ios::binary) << std::string("\x01\x02\x03\xfe\xff\0binary\x07\x08", 14);
  const std::string folder = home.File("drafts.qmw");
  std::filesystem::create_directory(folder);
  const std::vector<std::string> noDesktop{
      "QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY=", "QUILLMASTER_HOME=" + home.Path()};
  // clang-format off
  const struct {
    const char* what;
    std::vector<std::string> args;
    std::vector<std::string> environment;
    int exitCode;
    std::vector<std::string> said;
  } cases[] = {
      {"no desktop", {}, noDesktop, 2, {"needs a desktop", "--headless"}},
      {"no desktop, a script named", {missing}, noDesktop, 2, {"needs a desktop"}},
      {"headless with a script that is not there", {"--headless", missing}, noDesktop, 1,
       {missing + " does NOT exist!"}},
      {"headless with a file that is no script", {"--headless", notAScript}, noDesktop, 1,
       {"I am unable to identify the format of this file"}},
      {"headless with an empty file", {"--headless", empty}, noDesktop, 1, {"Unable to open " + empty, "it is empty"}},
      {"headless with a folder", {"--headless", folder}, noDesktop, 1, {folder + " is a folder, not a file."}},
      {"headless with nothing to open", {"--headless"}, noDesktop, 0, {}},
      // After "--" every parameter is the name, whatever it begins with.
      {"a name that looks like a flag", {"--headless", "--", "--headless"}, noDesktop, 1,
       {"/--headless.QMW does NOT exist!"}},
      // A file of that very name is the one meant: no extension is added.
      {"a file named like a flag", {"--headless", "--", flagNamed}, noDesktop, 1,
       {"I am unable to identify the format of this file"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ProgramRun run = RunProgram(c.args, c.environment);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
    for (const std::string& words : c.said) EXPECT_NE(run.output.find(words), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("qt.qpa"), std::string::npos) << "no plugin message of the toolkit: " << run.output;
  }
}

// Without a desktop nobody can answer the program's questions: each takes
// its default once and the work goes on to its end. A tagged file with a
// style the program has not met asks what the style is.
TEST(ProgramTest, QuestionsWithoutADesktopTakeTheirDefaultOnce) {
  testing::TempFolder home;
  const std::string tagged = home.Path() + "/t.txt";
  testing::WriteFileText(tagged, "[Screenplay]\n<aHi\n<\n");
  testing::ChildProcess program(QM_PROGRAM_PATH, {"--headless", tagged},
                                {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY=", "QUILLMASTER_HOME=" + home.Path()},
                                true);
  std::vector<std::string> lines;
  constexpr std::size_t kEnough = 200;
  while (lines.size() < kEnough)
    if (std::optional<std::string> line = program.ReadLine(20000)) lines.push_back(*line);
    else break;
  ASSERT_LT(lines.size(), kEnough) << "the program keeps asking";
  EXPECT_EQ(program.ExitCode(20000), 0);
  const auto count = [&lines](const std::string& words) { return std::count(lines.begin(), lines.end(), words); };
  EXPECT_EQ(count("Define Element Type"), 1);
  EXPECT_EQ(count("Import Complete."), 1);
}

}  // namespace
}  // namespace qm
