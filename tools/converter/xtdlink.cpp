// The outside converter: "xtdlink SOURCE TARGET [GoAheadNow]" writes TARGET
// from SOURCE through LibreOffice and leaves its outcome in the shared atom
// table; what went wrong goes to the standard error as well.
#include <cstdio>
#include <string>

#include "conversion.h"

int main(int argc, char** argv) {
  using namespace qm::converter;
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SOURCE TARGET [GoAheadNow]\n", argv[0]);
    ReportOutcome(TOutcome::Failed);
    return 2;
  }
  std::string why;
  const TOutcome outcome = Convert(argv[1], argv[2], why);
  ReportOutcome(outcome);
  if (outcome == TOutcome::Converted) return 0;
  std::fprintf(stderr, "%s: %s\n", argv[0], why.c_str());
  return outcome == TOutcome::NoOffice ? 3 : 1;
}
