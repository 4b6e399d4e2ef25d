// The activity lines the activity wizard writes from its answers, and the
// reading of such a line back into the answers so that it can be edited.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::story {

enum class TActivityMode { UserChoice, JustChecking, ConditionalChoice, SettingVariable };
enum class TActivityOutcome { JumpToNew, ContinuesNormally, EventsHappen };

struct TActivityAnswers {
  TActivityMode mode = TActivityMode::UserChoice;
  std::string action;        // what the user can do
  bool setVariable = false;  // checkable later
  std::string variable;      // the variable the action sets
  bool setToFalse = false;   // ... to FALSE
  bool affectsOthers = false;
  std::vector<std::string> othersTrue, othersFalse;        // the other variables set
  std::vector<std::string> trueVariables, falseVariables;  // checked first
  TActivityOutcome outcome = TActivityOutcome::EventsHappen;
  std::string jumpLabel;  // the target chosen for a branch
  std::string setValue;   // setting a variable only
  bool setValueFalse = false;
};

// What a line read back is.
enum TActivityLineKind {
  alIfLine = 0,
  alUnknownVariable = 1,
  alElse = 2,
  alSetOrContinues = 3,
  alEndIf = 4,
  alEmpty = 5,
  alNotActivity = 6,
  alIfWithoutThen = 7,
  alBrokenSet = 8,
  alJumpOnly = 9,
};

// The SET or IF line of the answers.
std::string ActivityLine(const TActivityAnswers& answers);

// Reads a line into answers (reset first); `variables` are the script's
// variable names, `jumps` the branch-target labels.
int ParseActivityLine(std::string_view line, const std::vector<std::string>& variables,
                      const std::vector<std::string>& jumps, TActivityAnswers& answers);

}  // namespace qm::story
