// Finding a word that occurs once, at the end of a long script, and
// replacing a common word everywhere (with the repagination that follows)
// in the headless backend.
#include <benchmark/benchmark.h>

#include "bench_script.h"

#include <memory>

#include "base/document_table.h"
#include "base/global_state.h"
#include "language/search_replace.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"
#include "support/script_builder.h"
#include "support/script_generator.h"

namespace qm {
namespace {

class OpenScript : public bench::TBenchScript {
 public:
  explicit OpenScript(int pages) : TBenchScript(WithWordAtTheEnd(pages)) {
    editor::MoveCaretTo(Window(), *Window().FirstElement);
  }

 private:
  static std::vector<testing::ElementSpec> WithWordAtTheEnd(int pages) {
    auto elements = Screenplay(pages);
    elements.push_back({ekAction, "The xylophone plays on."});
    return elements;
  }
};

void FindAWordAtTheEnd(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  const TSearchOptions options;
  for (auto _ : state) benchmark::DoNotOptimize(FindNextInScript(script.Window(), "xylophone", options));
  state.counters["pages"] = static_cast<double>(state.range(0));
}
BENCHMARK(FindAWordAtTheEnd)->Arg(120)->Unit(benchmark::kMicrosecond);

void ReplaceACommonWordEverywhere(benchmark::State& state) {
  int replaced = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto script = std::make_unique<OpenScript>(static_cast<int>(state.range(0)));
    state.ResumeTiming();
    replaced = ReplaceEveryMatch(script->Window(), "the", "a", TReplaceOptions{});
    script->Window().RefreshLayout();
    state.PauseTiming();
    script.reset();
    state.ResumeTiming();
  }
  state.counters["pages"] = static_cast<double>(state.range(0));
  state.counters["replaced"] = replaced;
}
BENCHMARK(ReplaceACommonWordEverywhere)->Arg(120)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm
