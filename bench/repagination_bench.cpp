// Regrouping, pagination and renumbering of generated screenplays in the
// headless backend's 12-point Courier on a 300-dpi letter page: the whole
// script with its wraps cached, with every element wrapped again first,
// ten times the script, and the pass after one keystroke in the middle.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/model/packed_text.h"
#include "script/model/record_pool.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/layout/word_wrap.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "support/script_builder.h"
#include "support/script_generator.h"

namespace qm {
namespace {

// Bytes held: from the heap, with the element and group pools counted by
// the records they hand out rather than by their slabs, which outlive a
// script.
std::size_t HeapBytes() {
  const TRecordPool& elements = PoolOf<TScriptElement>();
  const TRecordPool& groups = PoolOf<TElementGroup>();
  const struct mallinfo2 heap = mallinfo2();
  return heap.uordblks + heap.hblkhd - elements.SlabBytes() - groups.SlabBytes() + elements.BytesInUse() +
         groups.BytesInUse();
}

// A headless program with one generated script open as the active
// document, every element wrapped and the script paginated once.
class PaginatedScript {
 public:
  explicit PaginatedScript(int generatedPages) : platform_(std::make_unique<HeadlessBackend>()) {
    GlobalState::ResetAll();
    const std::size_t before = HeapBytes();
    window_ = testing::OpenOnlyDocument();
    testing::AddElements(*window_, testing::GenerateScreenplay(20240601, generatedPages));
    RewrapAll();
    window_->RefreshLayout();
    bytes_ = HeapBytes() - before;
  }
  ~PaginatedScript() { testing::CloseOnlyDocument(window_); }

  TMDIChild& Window() { return *window_; }
  void RewrapAll() {
    TWrapPass pass(*window_);
    for (TScriptElement* e = window_->FirstElement; e; e = e->next) pass.Wrap(*e, ElementText(*e));
  }
  int Pages() const {
    int pages = 1;
    for (const TScriptElement* e = window_->FirstElement; e; e = e->next) pages += IsPageBreakKind(e->Kind());
    return pages;
  }
  void Report(benchmark::State& state) const {
    state.counters["pages"] = Pages();
    state.counters["elements"] = window_->ElementCount();
    state.counters["KiB"] = static_cast<double>(bytes_) / 1024.0;
  }
  // The longest Action in the middle of the script.
  TScriptElement* ActionInTheMiddle() const {
    const int count = window_->ElementCount();
    int index = 0;
    for (TScriptElement* e = window_->FirstElement; e; e = e->next, ++index)
      if (index >= count / 2 && e->Kind() == ekAction && e->lineCount >= 3 && !IsPageBreakKind(e->prev->Kind()))
        return e;
    return nullptr;
  }

 private:
  Platform platform_;
  std::unique_ptr<TMDIChild> window_;
  std::size_t bytes_ = 0;
};

// Regroup, paginate and renumber a script whose wraps are all cached.
void BM_Repaginate(benchmark::State& state) {
  PaginatedScript script(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    script.Window().RefreshLayout();
    benchmark::ClobberMemory();
  }
  script.Report(state);
}
BENCHMARK(BM_Repaginate)
    ->Arg(120)
    ->Arg(4500 / testing::GeneratedElementsPerPage)
    ->Arg(1200)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The same after every element was wrapped again (a format or font change).
// The pass leaves the same elements each time, so their texts are taken
// out once and each is wrapped from its own.
void BM_RewrapAndRepaginate(benchmark::State& state) {
  PaginatedScript script(static_cast<int>(state.range(0)));
  TMDIChild& window = script.Window();
  std::vector<std::string> texts;
  for (const TScriptElement* e = window.FirstElement; e; e = e->next) texts.push_back(ElementText(*e));
  for (auto _ : state) {
    TWrapPass pass(window);
    std::size_t i = 0;
    for (TScriptElement* e = window.FirstElement; e && i < texts.size(); e = e->next) pass.Wrap(*e, texts[i++]);
    window.RefreshLayout();
    benchmark::ClobberMemory();
  }
  script.Report(state);
}
BENCHMARK(BM_RewrapAndRepaginate)
    ->Arg(120)
    ->Arg(4500 / testing::GeneratedElementsPerPage)
    ->Arg(1200)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// A word typed at the end of an Action in the middle and taken out again
// at the next keystroke: the element is wrapped and the script repaginated as the
// idle loop does it.
void BM_RepaginateAfterKeystroke(benchmark::State& state) {
  PaginatedScript script(static_cast<int>(state.range(0)));
  TMDIChild& window = script.Window();
  TScriptElement* element = script.ActionInTheMiddle();
  if (!element) {
    state.SkipWithError("no Action in the middle");
    return;
  }
  for (auto _ : state) {
    std::string text = ElementText(*element);
    if (text.ends_with(" word")) text.resize(text.size() - 5);
    else text += " word";
    element->text = PackText(text);
    window.WordWrapText(element, text, false, false);
    window.RefreshLayout(TMDIChild::TLayoutRun::Background);
    benchmark::ClobberMemory();
  }
  script.Report(state);
}
BENCHMARK(BM_RepaginateAfterKeystroke)
    ->Arg(120)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// For scale: one bare walk over the list, reading what every pass reads of
// each element (its kind and its group). Past the caches, the walk itself
// waits on memory for every element.
void BM_WalkTheElementList(benchmark::State& state) {
  PaginatedScript script(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int sum = 0;
    for (const TScriptElement* e = script.Window().FirstElement; e; e = e->next) sum += e->Kind() + e->group->count;
    benchmark::DoNotOptimize(sum);
  }
  script.Report(state);
}
BENCHMARK(BM_WalkTheElementList)
    ->Arg(120)
    ->Arg(1200)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace qm
