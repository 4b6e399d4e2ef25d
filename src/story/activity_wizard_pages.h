// The order of the activity wizard's pages: where Next leads from each
// page with the answers given so far, or why it cannot go on.
#pragma once

#include <string>

#include "story/activity_wizard_lines.h"

namespace qm::story {

enum TWizardPage : int {
  wpWhatAreWeDoing = 0,
  wpUserAction = 1,
  wpSetWhatVariable = 2,
  wpWhatHappens = 3,
  wpCheckVariables = 4,
  wpSettingVariable = 5,
  wpSetVariableTo = 6,
  wpSetJump = 7,
};

struct TPageStep {
  int page = -1;        // the next page; -1 with finish or a warning
  bool finish = false;  // the wizard closes with OK and writes
  std::string warning;  // what is missing: the page stays
};

TPageStep NextPage(int page, const TActivityAnswers& answers);
// "Finish" on the pages that can end the wizard, else "&Next >>".
const char* NextCaption(int page);

}  // namespace qm::story
