// The outside converter. "xtdlink SOURCE TARGET [GoAheadNow]" writes TARGET
// from SOURCE through LibreOffice; "xtdlink FILTER.XTD TARGET" writes
// TARGET from the export block on the clipboard in the filter's format.
// Either leaves its outcome in the shared atom table; what went wrong goes
// to the standard error as well.
#include <cstdio>
#include <string>

#include "block_document.h"
#include "conversion.h"
#include "platform/cp1252.h"
#include "platform/files.h"

namespace {

bool IsFilterFile(const std::string& name) { return qm::AnsiUpperCase(qm::ExtractFileExt(name)) == ".XTD"; }

}  // namespace

int main(int argc, char** argv) {
  using namespace qm::converter;
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SOURCE TARGET [GoAheadNow] | %s FILTER.XTD TARGET\n", argv[0], argv[0]);
    ReportOutcome(TOutcome::Failed);
    return 2;
  }
  std::string why;
  TOutcome outcome = TOutcome::Failed;
  if (IsFilterFile(argv[1])) {
    if (const auto block = ClipboardExportBlock(argc, argv)) outcome = ConvertBlock(*block, argv[1], argv[2], why);
    else why = "no export block on the clipboard.";
  } else {
    outcome = Convert(argv[1], argv[2], why);
  }
  ReportOutcome(outcome);
  if (outcome != TOutcome::Converted) std::fprintf(stderr, "%s: %s\n", argv[0], why.c_str());
  return ExitStatusOf(outcome);
}
