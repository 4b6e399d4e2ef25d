// The index cards of a generated 120-page screenplay in the headless
// backend: opening the card view (the card table and the cards of one
// screen), and giving the script the order of a shuffle of every scene.
#include <benchmark/benchmark.h>

#include "bench_script.h"

#include <algorithm>
#include <memory>

#include "base/global_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/script_window.h"
#include "story/card_shuffle.h"
#include "story/index_cards.h"
#include "support/script_builder.h"
#include "support/script_generator.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class OpenScript : public bench::TBenchScript {
 public:
  explicit OpenScript(int pages) : TBenchScript(Screenplay(pages)) {
    editor::SetCurrentElement(Window(), Window().FirstElement);
    Window().CurrentGroup = Window().FirstElement->group;
  }
};

// What opening the view costs past its controls: the card table and the
// faces of a screen of nine cards.
void OpenTheCardView(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  TCardTable table;
  for (auto _ : state) {
    LoadCardTable(script.Window(), table, {});
    for (int k = 1; k <= 9; ++k) benchmark::DoNotOptimize(MakeCardFace(script.Window(), table[k], true));
  }
  state.counters["scenes"] = table.Count();
}
BENCHMARK(OpenTheCardView)->Arg(120)->Unit(benchmark::kMillisecond);

void WriteBackAShuffleOfEveryScene(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  TCardTable table;
  for (auto _ : state) {
    state.PauseTiming();
    LoadCardTable(script.Window(), table, {});
    std::reverse(table.entries.begin() + 1, table.entries.begin() + 1 + table.Count());
    state.ResumeTiming();
    ApplyCardOrder(script.Window(), table, 0);
  }
  state.counters["scenes"] = table.Count();
}
BENCHMARK(WriteBackAShuffleOfEveryScene)->Arg(120)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm
