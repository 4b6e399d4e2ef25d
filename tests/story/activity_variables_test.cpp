// The variables of a branching script, as the activity wizard lists them.
#include "story/activity_variables.h"

#include <gtest/gtest.h>

#include "script/script_window.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using Names = std::vector<std::string>;

TEST(ActivityVariables, AreTheNamesInAngleBrackets) {
  const struct {
    const char* line;
    Names names;
  } cases[] = {
      {"SET <DOOR OPEN> TO TRUE.", {"DOOR OPEN"}},
      {"IF YOU <HAVE KEY> and DON'T <NOT SEEN> YOU OPEN DOOR then you <INSIDE> AND", {"HAVE KEY", "SEEN", "INSIDE"}},
      {"IF <NOT DON'T LOST  MAP> then", {"LOST MAP"}},  // each negation word once, in its order
      {"IF <DON'T NOT LOST> then", {"NOT LOST"}},       // NOT is tested before DON'T
      {"IF <KEY> THEN <JUMP (3)> <JMP (4)>", {"KEY"}},  // jump groups are no variables
      {"IF <KEY> and <UNCLOSED then <NEVER>", {"KEY", "UNCLOSED then <NEVER"}},
      {"IF <KEY then", {}},  // no ">": the line ends
      {"OTHERWISE", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(story::VariablesOfLine(c.line), c.names);
  }
}

class ScriptVariablesTest : public testing::ProgramFixture {};

TEST_F(ScriptVariablesTest, EachVariableOnceFromTheActivityLinesOnly) {
  TMDIChild& w = Script();
  w.FreeElements();
  testing::AddElements(w, {{ekShot, "SET <KEY> TO TRUE."},
                           {ekAction, "The <GHOST> appears."},
                           {ekShot, "IF YOU <KEY> and DON'T <LAMP> then"},
                           {ekShot, "SET <LAMP> TO FALSE."}});
  w.DisAssemble();
  EXPECT_EQ(story::ScriptVariables(w), (Names{"KEY", "LAMP"}));
}

}  // namespace
}  // namespace qm
