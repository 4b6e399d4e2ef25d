// Running an outside program and waiting for it.
#include <gtest/gtest.h>

#include "files/file_test_fixture.h"
#include "files/run_program.h"
#include "platform/files.h"
#include "shell/main_form.h"

namespace qm::testing {
namespace {

class RunProgramTest : public FileTest {};

TEST_F(RunProgramTest, ParametersSplitAtBlanksOutsideQuotes) {
  struct Case {
    const char* text;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"", {}},
      {"No Okay", {"No", "Okay"}},
      {"  RT-TEMP.SCR   5 ", {"RT-TEMP.SCR", "5"}},
      {"\"C:\\My Scripts\\A.QMW\" /NM", {"C:\\My Scripts\\A.QMW", "/NM"}},
      {"a\"b c\"d \"\"", {"ab cd", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitParameters(c.text), c.args) << c.text;
}

TEST_F(RunProgramTest, StartedProgramsReport32AndOthersNothing) {
  MainForm = new TMainForm(nullptr);
  const std::string out = Path("args.txt");
  WriteFileText(Path("show.sh"), "#!/bin/sh\nprintf '%s|' \"$@\" > \"$1\"\n");
  SetReadOnly(Path("show.sh"), false);
  ASSERT_EQ(system(("chmod +x '" + Path("show.sh") + "'").c_str()), 0);
  EXPECT_EQ(RunProgramAndWait(Path("show.sh"), "\"" + out + "\" No Okay", 5, true), 32);
  EXPECT_EQ(ReadFileText(out), out + "|No|Okay|");
  EXPECT_TRUE(MainForm->Enabled);
  EXPECT_EQ(RunProgramAndWait(Path("NOSUCH.EXE"), "", 5, true), 0);
  EXPECT_TRUE(MainForm->Enabled);
  delete MainForm;
}

}  // namespace
}  // namespace qm::testing
