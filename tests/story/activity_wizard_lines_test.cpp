// The activity wizard's lines: written from scripted answers, exactly, and
// read back into the same answers.
#include "story/activity_wizard_lines.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using story::TActivityAnswers;
using story::TActivityMode;
using story::TActivityOutcome;

const std::vector<std::string> Variables = {"KEY", "LAMP", "DOOR OPEN", "GHOST SEEN"};
const std::vector<std::string> Jumps = {"CELLAR (2)", "ATTIC (3)"};

TActivityAnswers ContingentChoice() {
  TActivityAnswers a;
  a.mode = TActivityMode::ConditionalChoice;
  a.trueVariables = {"KEY", "LAMP"};
  a.falseVariables = {"GHOST SEEN"};
  a.action = "OPEN DOOR";
  a.setVariable = true;
  a.variable = "DOOR OPEN";
  a.outcome = TActivityOutcome::JumpToNew;
  return a;
}

TEST(ActivityWizardLinesTest, LinesAreWrittenExactly) {
  TActivityAnswers continues;
  continues.action = "OPEN THE BOX";
  continues.outcome = TActivityOutcome::ContinuesNormally;
  TActivityAnswers set;
  set.mode = TActivityMode::SettingVariable;
  set.setValue = "LAMP";
  set.setValueFalse = true;
  TActivityAnswers others = ContingentChoice();
  others.mode = TActivityMode::JustChecking;
  others.setToFalse = true;
  others.affectsOthers = true;
  others.othersTrue = {"KEY"};
  others.othersFalse = {"LAMP"};
  others.outcome = TActivityOutcome::EventsHappen;
  struct Case {
    TActivityAnswers answers;
    std::string line;
  } cases[] = {
      {ContingentChoice(), "IF YOU <KEY> and <LAMP> and DON'T <GHOST SEEN> and YOU OPEN DOOR then you <DOOR OPEN> AND"},
      {continues, "IF YOU OPEN THE BOX then"},
      {set, "SET <LAMP> TO FALSE."},
      {others,
       "IF YOU <KEY> and <LAMP> and DON'T <GHOST SEEN> then you NOT <DOOR OPEN> and <KEY> and DON'T <LAMP> and"},
  };
  for (const Case& c : cases) EXPECT_EQ(story::ActivityLine(c.answers), c.line);
}

TEST(ActivityWizardLinesTest, WrittenLinesReadBackTheSame) {
  TActivityAnswers checking = ContingentChoice();
  checking.mode = TActivityMode::JustChecking;
  checking.action.clear();
  checking.setToFalse = true;
  checking.affectsOthers = true;
  checking.othersTrue = {"KEY"};
  checking.othersFalse = {"LAMP"};
  TActivityAnswers choice;
  choice.action = "PULL LEVER";
  choice.setVariable = true;
  choice.variable = "LAMP";
  TActivityAnswers set;
  set.mode = TActivityMode::SettingVariable;
  set.setValue = "GHOST SEEN";
  for (const TActivityAnswers& written : {ContingentChoice(), checking, choice, set}) {
    const std::string line = story::ActivityLine(written);
    TActivityAnswers read;
    const int kind = story::ParseActivityLine(line, Variables, Jumps, read);
    EXPECT_TRUE(kind == story::alIfLine || kind == story::alSetOrContinues) << line << " read as " << kind;
    EXPECT_EQ(read.mode, written.mode) << line;
    EXPECT_EQ(read.action, written.action) << line;
    EXPECT_EQ(read.trueVariables, written.trueVariables) << line;
    EXPECT_EQ(read.falseVariables, written.falseVariables) << line;
    EXPECT_EQ(read.setVariable, written.setVariable) << line;
    EXPECT_EQ(read.variable, written.variable) << line;
    EXPECT_EQ(read.setToFalse, written.setToFalse) << line;
    EXPECT_EQ(read.affectsOthers, written.affectsOthers) << line;
    EXPECT_EQ(read.othersTrue, written.othersTrue) << line;
    EXPECT_EQ(read.othersFalse, written.othersFalse) << line;
    EXPECT_EQ(read.setValue, written.setValue) << line;
    EXPECT_EQ(read.setValueFalse, written.setValueFalse) << line;
  }
}

TEST(ActivityWizardLinesTest, LinesOfEveryKindAreRecognised) {
  struct Case {
    const char* line;
    int kind;
  } cases[] = {
      {"", story::alEmpty},
      {"otherwise", story::alElse},
      {"End If", story::alEndIf},
      {"SET <LAMP TO TRUE.", story::alBrokenSet},
      {"SET LAMP TO TRUE.", story::alBrokenSet},
      {"She opens the door.", story::alNotActivity},
      {"IF YOU OPEN THE DOOR", story::alIfWithoutThen},
      {"IF YOU <UNICORN> then", story::alUnknownVariable},
      {"IF YOU OPEN DOOR then <JUMP ATTIC (3)>.", story::alJumpOnly},
      {"IF YOU OPEN DOOR then the story goes on.", story::alIfLine},
      {"IF YOU OPEN DOOR then.", story::alSetOrContinues},
  };
  for (const Case& c : cases) {
    TActivityAnswers read;
    EXPECT_EQ(story::ParseActivityLine(c.line, Variables, Jumps, read), c.kind) << c.line;
  }
}

TEST(ActivityWizardLinesTest, NegationsAndJumpsAreRead) {
  TActivityAnswers read;
  story::ParseActivityLine("IF YOU DON'T <KEY> and HAVEN'T <LAMP> then <JMP X ATTIC (3)>", Variables, Jumps, read);
  EXPECT_EQ(read.falseVariables, (std::vector<std::string>{"KEY", "LAMP"}));
  EXPECT_TRUE(read.trueVariables.empty());
  EXPECT_EQ(read.jumpLabel, "ATTIC (3)");  // leading characters dropped until a target matches
  EXPECT_EQ(read.outcome, TActivityOutcome::JumpToNew);
  // Filler words go only as whole words: HAND keeps its AND.
  story::ParseActivityLine("IF YOU SHAKE THE HAND then", Variables, Jumps, read);
  EXPECT_EQ(read.action, "SHAKE HAND");
}

}  // namespace
}  // namespace qm
