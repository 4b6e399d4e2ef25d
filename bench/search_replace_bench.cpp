// Finding a word that occurs once, at the end of a long script, and
// replacing a common word everywhere (with the repagination that follows)
// in the headless backend.
#include <benchmark/benchmark.h>

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

class OpenScript {
 public:
  explicit OpenScript(int pages) : platform_(std::make_unique<HeadlessBackend>()) {
    GlobalState::ResetAll();
    window_ = testing::OpenOnlyDocument();
    auto elements = testing::GenerateScreenplay(20240601, pages);
    elements.push_back({ekAction, "The xylophone plays on."});
    testing::AddElements(*window_, elements);
    window_->RefreshLayout();
    editor::MoveCaretTo(*window_, *window_->FirstElement);
  }
  ~OpenScript() { testing::CloseOnlyDocument(window_); }
  TMDIChild& Window() { return *window_; }

 private:
  Platform platform_;
  std::unique_ptr<TMDIChild> window_;
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
