#include "story/activity_wizard_pages.h"

namespace qm::story {

namespace {

TPageStep Go(int page) { return {page, false, {}}; }
TPageStep Finish() { return {-1, true, {}}; }
TPageStep Warn(const char* text) { return {-1, false, text}; }

}  // namespace

TPageStep NextPage(int page, const TActivityAnswers& a) {
  switch (page) {
    case wpWhatAreWeDoing:
      if (a.mode == TActivityMode::UserChoice) return Go(wpUserAction);
      return Go(a.mode == TActivityMode::SettingVariable ? wpSettingVariable : wpCheckVariables);
    case wpUserAction:
      if (a.action.empty()) return Warn("You MUST specify a User Activity!");
      return Go(a.setVariable ? wpSetWhatVariable : wpWhatHappens);
    case wpSetWhatVariable:
      if (a.variable.empty()) return Warn("You select a Variable to Set!");
      return Go(a.affectsOthers ? wpSetVariableTo : wpWhatHappens);
    case wpWhatHappens: return a.outcome == TActivityOutcome::JumpToNew ? Go(wpSetJump) : Finish();
    case wpCheckVariables:
      if (a.trueVariables.empty() && a.falseVariables.empty())
        return Warn("You MUST select either one true or false action!");
      return Go(a.mode == TActivityMode::ConditionalChoice ? wpUserAction : wpWhatHappens);
    case wpSettingVariable: return a.setValue.empty() ? Warn("You MUST select a variable to Set!") : Finish();
    case wpSetVariableTo: return Go(wpWhatHappens);
    case wpSetJump: return a.jumpLabel.empty() ? Warn("You MUST select a Branch Target!") : Finish();
    default: return Go(wpWhatAreWeDoing);
  }
}

const char* NextCaption(int page) {
  return page == wpWhatHappens || page == wpSettingVariable || page == wpSetJump ? "Finish" : "&Next >>";
}

}  // namespace qm::story
