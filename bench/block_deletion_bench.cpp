// Deleting a one-page block from the middle of a generated screenplay,
// with the repagination that follows, in the headless backend: the cost
// of a Cut once the copy is made, and of every drag and drop.
#include <benchmark/benchmark.h>

#include <memory>

#include "base/document_table.h"
#include "base/global_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/editing/block_deletion.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"
#include "support/script_builder.h"
#include "support/script_generator.h"

namespace qm {
namespace {

// A headless program with one generated script, paginated once.
class OpenScript {
 public:
  explicit OpenScript(int pages) : platform_(std::make_unique<HeadlessBackend>()) {
    GlobalState::ResetAll();
    window_ = testing::OpenOnlyDocument();
    testing::AddElements(*window_, testing::GenerateScreenplay(20240601, pages));
    window_->RefreshLayout();
  }
  ~OpenScript() { testing::CloseOnlyDocument(window_); }
  TMDIChild& Window() { return *window_; }

  // A page's worth of elements from the middle marked as the block.
  void MarkPageInTheMiddle() {
    const int count = window_->ElementCount();
    TScriptElement* from = window_->FirstElement;
    for (int i = 0; i < count / 2 && from->next; ++i) from = from->next;
    TScriptElement* to = from;
    for (int i = 1; i < testing::GeneratedElementsPerPage && to->next; ++i) to = to->next;
    editor::MarkBlock(*window_, *from, 0, *to, static_cast<int>(ElementText(*to).size()));
  }

 private:
  Platform platform_;
  std::unique_ptr<TMDIChild> window_;
};

void DeleteAPageFromTheMiddle(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto script = std::make_unique<OpenScript>(static_cast<int>(state.range(0)));
    script->MarkPageInTheMiddle();
    state.ResumeTiming();
    benchmark::DoNotOptimize(DeleteBlock(script->Window()));
    state.PauseTiming();
    script.reset();
    state.ResumeTiming();
  }
  state.counters["pages"] = static_cast<double>(state.range(0));
}
BENCHMARK(DeleteAPageFromTheMiddle)->Arg(120)->Arg(1200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm
