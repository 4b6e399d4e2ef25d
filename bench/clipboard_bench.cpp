// The clipboard on generated screenplays in the headless backend: copying
// the whole script in all three formats, pasting it into an empty script
// (splice, wrap, repaginate), and cutting one page from the middle with the
// repagination after it.
#include <benchmark/benchmark.h>

#include <memory>

#include "base/document_table.h"
#include "base/global_state.h"
#include "files/progress_dialog.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/layout/word_wrap.h"
#include "script/script_window.h"
#include "support/script_builder.h"
#include "support/script_generator.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

class ClipboardScript {
 public:
  explicit ClipboardScript(int pages) : platform_(std::make_unique<HeadlessBackend>()) {
    GlobalState::ResetAll();
    window_ = testing::OpenOnlyDocument();
    testing::AddElements(*window_, testing::GenerateScreenplay(20240601, pages));
    TWrapPass pass(*window_);
    for (TScriptElement* e = window_->FirstElement; e; e = e->next) pass.Wrap(*e, ElementText(*e));
    window_->RefreshLayout();
  }
  ~ClipboardScript() {
    Documents[2] = nullptr;
    testing::CloseOnlyDocument(window_);
  }
  TMDIChild& Window() { return *window_; }

  // Marks `count` elements from the `first` on (every one when count is 0).
  void Mark(int first, int count) {
    TMDIChild& w = *window_;
    w.Assemble();
    int index = 0;
    for (TScriptElement* e = w.FirstElement; e; e = e->next, ++index) {
      const bool in = index >= first && (count == 0 || index < first + count);
      e->blockStart = in ? 0 : -1;
      e->blockEnd = in ? static_cast<int>(IsPageBreakKind(e->Kind()) ? 1 : ElementText(*e).size()) : -1;
    }
    EditFields(w).BlockOn = 1;
    w.DisAssemble();
  }
  void Report(benchmark::State& state) {
    window_->RefreshLayout();
    int pages = 1;
    for (const TScriptElement* e = window_->FirstElement; e; e = e->next) pages += IsPageBreakKind(e->Kind());
    state.counters["pages"] = pages;
    state.counters["elements"] = window_->ElementCount();
  }

 private:
  Platform platform_;
  std::unique_ptr<TMDIChild> window_;
};

void BM_CopyWholeScript(benchmark::State& state) {
  ClipboardScript script(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    // The copy joins split elements; the idle loop would break the pages again.
    script.Window().RefreshLayout();
    script.Mark(0, 0);
    state.ResumeTiming();
    ProgressDlg().CopyToClipBoard(true, false);
    benchmark::ClobberMemory();
  }
  script.Report(state);
}
BENCHMARK(BM_CopyWholeScript)
    ->Arg(120)
    ->Arg(1200)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PasteIntoEmptyScript(benchmark::State& state) {
  ClipboardScript script(static_cast<int>(state.range(0)));
  script.Mark(0, 0);
  ProgressDlg().CopyToClipBoard(true, false);
  for (auto _ : state) {
    state.PauseTiming();
    auto target = std::make_unique<TMDIChild>(nullptr);
    target->SetBounds(0, 0, 800, 600);
    testing::AppendElement(*target, ekAction, "");
    Documents[2] = target.get();
    DocumentCount = 2;
    ActiveDocument = 2;
    state.ResumeTiming();
    ProgressDlg().PasteFromClipBoard();
    benchmark::ClobberMemory();
    state.PauseTiming();
    state.counters["pasted"] = target->ElementCount();
    Documents[2] = nullptr;
    DocumentCount = 1;
    ActiveDocument = 1;
    target.reset();
    state.ResumeTiming();
  }
  script.Report(state);
}
BENCHMARK(BM_PasteIntoEmptyScript)
    ->Arg(120)
    ->Arg(1200)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One page of whole elements from the middle is cut; the paste that puts
// it back is not timed.
void BM_CutOnePageFromTheMiddle(benchmark::State& state) {
  ClipboardScript script(static_cast<int>(state.range(0)));
  const int middle = script.Window().ElementCount() / 2;
  for (auto _ : state) {
    state.PauseTiming();
    script.Mark(middle, testing::GeneratedElementsPerPage);
    state.ResumeTiming();
    ProgressDlg().CopyToClipBoard(true, true);
    benchmark::ClobberMemory();
    state.PauseTiming();
    ProgressDlg().PasteFromClipBoard();
    state.ResumeTiming();
  }
  script.Report(state);
}
BENCHMARK(BM_CutOnePageFromTheMiddle)
    ->Arg(120)
    ->Arg(1200)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace qm
