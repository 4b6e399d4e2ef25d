// Moving through a generated screenplay in the headless backend: Page
// Down step by step, the scroll bar's thumb dragged to the last page, and
// the status line brought up to date after a keystroke.
#include <benchmark/benchmark.h>

#include "bench_script.h"

#include <memory>

#include "base/document_table.h"
#include "base/global_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "platform/recording_canvas.h"
#include "script/editing/position_texts.h"
#include "script/editing/scrolling.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "support/script_builder.h"
#include "support/script_generator.h"

namespace qm {
namespace {

// Every element wrapped first, as a script read from its file comes with
// its line counts.
class OpenScript : public bench::TBenchScript {
 public:
  explicit OpenScript(int pages) : TBenchScript(Screenplay(pages), TWrap::EveryElementFirst) {
    GotoScriptTop(Window());
  }
};

// The headless canvas remembers every call it is given, which the
// program's canvas does not: what it holds is let go now and then, out of
// the timing, so that the steps measure the paging and not its growth.
void ForgetPainting(benchmark::State& state, TMDIChild& w, int& steps) {
  if (++steps % 256 != 0) return;
  state.PauseTiming();
  w.Recording()->Clear();
  state.ResumeTiming();
}

void PageDownStep(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  TMDIChild& w = script.Window();
  int steps = 0;
  for (auto _ : state) {
    if (!w.CurrentElement()->next) {
      state.PauseTiming();
      GotoScriptTop(w);
      state.ResumeTiming();
    }
    ScrollPageDown(w, {});
    ForgetPainting(state, w, steps);
  }
  state.counters["pages"] = static_cast<double>(state.range(0));
}
BENCHMARK(PageDownStep)->Arg(120)->Arg(1200)->Unit(benchmark::kMicrosecond);

void JumpToLastPageThroughTheScrollBar(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  TMDIChild& w = script.Window();
  TStatusTexts texts;
  ComputeStatusTexts(w, {}, texts);
  for (auto _ : state) {
    ScrollToScriptLine(w, texts.scrollMaximum);
    state.PauseTiming();
    GotoScriptTop(w);
    state.ResumeTiming();
  }
  state.counters["pages"] = static_cast<double>(state.range(0));
}
BENCHMARK(JumpToLastPageThroughTheScrollBar)->Arg(120)->Arg(1200)->Unit(benchmark::kMicrosecond);

void StatusLineAfterAKeystroke(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  TMDIChild& w = script.Window();
  for (int i = 0; i < 400; ++i) ScrollPageDown(w, {});
  for (auto _ : state) benchmark::DoNotOptimize(PositionText(w));
  state.counters["pages"] = static_cast<double>(state.range(0));
}
BENCHMARK(StatusLineAfterAKeystroke)->Arg(120)->Arg(1200)->Unit(benchmark::kMicrosecond);

// The caret into the next element (Down from an element's last line):
// the page, scene and scroll bar too. The move itself is not timed.
void StatusLineAfterAnElementMove(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  TMDIChild& w = script.Window();
  for (int i = 0; i < 400; ++i) ScrollPageDown(w, {});
  TScriptElement* const start = w.CurrentElement();
  for (auto _ : state) {
    state.PauseTiming();
    MakeElementCurrent(w, w.CurrentElement()->next ? w.CurrentElement()->next : start);
    state.ResumeTiming();
    TStatusTexts texts;
    benchmark::DoNotOptimize(ComputeStatusTexts(w, {}, texts));
  }
  state.counters["pages"] = static_cast<double>(state.range(0));
}
BENCHMARK(StatusLineAfterAnElementMove)->Arg(120)->Arg(1200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm
