// Activity lines are whatever the writer typed: reading one back into the
// wizard's answers must be safe for any text, and what it reads must be
// names the wizard can write again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "story/activity_wizard_lines.h"
#include "fuzz_check.h"

using qm::fuzz::Check;

namespace {

// A name ends at the first ">": it can never hold one.
bool IsName(const std::string& name) { return name.find('>') == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  qm::story::TActivityAnswers answers;
  const int kind = qm::story::ParseActivityLine(line, {"KEY", "LAMP"}, {"ATTIC (3)"}, answers);
  Check(kind >= qm::story::alIfLine && kind <= qm::story::alJumpOnly);
  for (const auto* list : {&answers.trueVariables, &answers.falseVariables, &answers.othersTrue, &answers.othersFalse})
    for (const std::string& name : *list) Check(IsName(name));
  Check(IsName(answers.variable) && IsName(answers.setValue));
  Check(answers.jumpLabel.empty() || answers.jumpLabel == "ATTIC (3)");
  const std::string again = qm::story::ActivityLine(answers);
  Check(again.starts_with("IF ") || again.starts_with("SET <"));
  return 0;
}
