// The export writers on a generated 120-page screenplay in the headless
// backend: formatted ASCII laid out as the printed page, and RTF with the
// style sheet (which joins the pieces the page breaks split and lays the
// script out again afterwards).
#include <benchmark/benchmark.h>

#include "bench_script.h"

#include <memory>

#include "base/global_state.h"
#include "files/export_script.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/layout/word_wrap.h"
#include "script/script_window.h"
#include "support/script_builder.h"
#include "support/script_generator.h"

namespace qm {
namespace {

class ExportedScript : public bench::TBenchScript {
 public:
  explicit ExportedScript(int pages) : TBenchScript(Screenplay(pages), TWrap::EveryElementFirst) {}
};

void BM_Export(benchmark::State& state, Byte kind) {
  ExportedScript script(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string out = ExportBytes(script.Window(), kind);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  int pages = 1;
  for (const TScriptElement* e = script.Window().FirstElement; e; e = e->next) pages += IsPageBreakKind(e->Kind());
  state.counters["pages"] = pages;
  state.counters["bytes"] = static_cast<double>(bytes);
}

// Target: each under 5 ms for 120 pages.
BENCHMARK_CAPTURE(BM_Export, formatted_ascii, Byte{ekExportFormattedAscii})->Arg(120)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, styled_rtf, Byte{ekExportStyledRtf})->Arg(120)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, tagged_text, Byte{ekExportTaggedText})->Arg(120)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm
