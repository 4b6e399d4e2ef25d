// The activity wizard's pages in order: each kind of activity walked from
// the first page to Finish with scripted answers, and the warnings that
// keep a page until its answer is given.
#include "story/activity_wizard_pages.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace story;

// The pages Next visits from the first, up to Finish (or a warning).
std::vector<int> Walk(const TActivityAnswers& a, std::string* warning = nullptr) {
  std::vector<int> pages{wpWhatAreWeDoing};
  for (int guard = 0; guard < 10; ++guard) {
    const TPageStep step = NextPage(pages.back(), a);
    if (step.finish) return pages;
    if (!step.warning.empty()) {
      if (warning) *warning = step.warning;
      return pages;
    }
    pages.push_back(step.page);
  }
  ADD_FAILURE() << "the pages never finish";
  return pages;
}

TEST(ActivityWizardPagesTest, EachActivityWalksItsPagesToFinish) {
  TActivityAnswers choice;
  choice.action = "OPEN DOOR";
  choice.setVariable = true;
  choice.variable = "DOOR";
  choice.affectsOthers = true;
  choice.outcome = TActivityOutcome::JumpToNew;
  choice.jumpLabel = "ATTIC (3)";
  TActivityAnswers contingent;
  contingent.mode = TActivityMode::ConditionalChoice;
  contingent.trueVariables = {"KEY"};
  contingent.action = "OPEN DOOR";
  TActivityAnswers checking;
  checking.mode = TActivityMode::JustChecking;
  checking.falseVariables = {"KEY"};
  TActivityAnswers set;
  set.mode = TActivityMode::SettingVariable;
  set.setValue = "LAMP";
  struct Case {
    TActivityAnswers answers;
    std::vector<int> pages;
  } cases[] = {
      {choice, {wpWhatAreWeDoing, wpUserAction, wpSetWhatVariable, wpSetVariableTo, wpWhatHappens, wpSetJump}},
      {contingent, {wpWhatAreWeDoing, wpCheckVariables, wpUserAction, wpWhatHappens}},
      {checking, {wpWhatAreWeDoing, wpCheckVariables, wpWhatHappens}},
      {set, {wpWhatAreWeDoing, wpSettingVariable}},
  };
  for (const Case& c : cases) {
    std::string warning;
    EXPECT_EQ(Walk(c.answers, &warning), c.pages);
    EXPECT_EQ(warning, "");
    EXPECT_STREQ(NextCaption(c.pages.back()), "Finish");
  }
  EXPECT_STREQ(NextCaption(wpUserAction), "&Next >>");
}

TEST(ActivityWizardPagesTest, AMissingAnswerKeepsThePage) {
  TActivityAnswers noAction;
  TActivityAnswers noVariable;
  noVariable.action = "RUN";
  noVariable.setVariable = true;
  TActivityAnswers noChecks;
  noChecks.mode = TActivityMode::JustChecking;
  TActivityAnswers noValue;
  noValue.mode = TActivityMode::SettingVariable;
  TActivityAnswers noJump;
  noJump.action = "RUN";
  noJump.outcome = TActivityOutcome::JumpToNew;
  struct Case {
    TActivityAnswers answers;
    int stopsAt;
    const char* warning;
  } cases[] = {
      {noAction, wpUserAction, "You MUST specify a User Activity!"},
      {noVariable, wpSetWhatVariable, "You select a Variable to Set!"},
      {noChecks, wpCheckVariables, "You MUST select either one true or false action!"},
      {noValue, wpSettingVariable, "You MUST select a variable to Set!"},
      {noJump, wpSetJump, "You MUST select a Branch Target!"},
  };
  for (const Case& c : cases) {
    std::string warning;
    EXPECT_EQ(Walk(c.answers, &warning).back(), c.stopsAt) << c.warning;
    EXPECT_EQ(warning, c.warning);
  }
}

}  // namespace
}  // namespace qm
