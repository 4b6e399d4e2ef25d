// The production breakdowns run over a generated 120-page screenplay with
// 2,000 tags: gathered, sorted by location and printed as the report with
// every scene's characters and items, onto the recording printer.
#include <benchmark/benchmark.h>

#include "bench_script.h"

#include "breakdown/breakdowns_run.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "platform/printer.h"
#include "printing/print_run.h"

namespace qm {
namespace {

constexpr int TagCount = 2000;

void PrintBreakdownReportRun(benchmark::State& state) {
  bench::TBenchScript script(bench::TBenchScript::TaggedScreenplay(static_cast<int>(state.range(0)), TagCount),
                             bench::TBenchScript::TWrap::Layout, true);
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Location;
  options.Secondary = TSecondaryOrder::TimeOfDay;
  options.PrintTagged = true;
  std::size_t pages = 0;
  for (auto _ : state) {
    if (!RunBreakdown(script.Window(), options)) state.SkipWithError("the run stopped");
    pages = Printer()->Device() ? static_cast<std::size_t>(PrintingVariables().PagesPrinted) : 0;
  }
  state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(PrintBreakdownReportRun)->Arg(120)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm
