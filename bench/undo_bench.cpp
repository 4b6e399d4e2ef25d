// What the undo ring costs a writer on a long script: every key and click
// takes the script as it stands (only what changed is copied) and looks at
// the end whether anything changed; a typed character records a step;
// Undo gives the script back.
#include <benchmark/benchmark.h>

#include "bench_script.h"

#include "files/script_snapshot.h"
#include "files/undo_ring.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/editor_state.h"
#include "script/script_window.h"

namespace qm {
namespace {

class RingScript : public bench::TBenchScript {
 public:
  explicit RingScript(int pages) : TBenchScript(Screenplay(pages), TWrap::EveryElementFirst), ring_(nullptr) {
    UndoObject = &ring_;
    ring_.SetMaxUndoLevels(20);
    TMDIChild& w = Window();
    w.Assemble();
    TScriptElement* middle = w.FirstElement;
    for (int i = 0; middle->next && i < 1000; ++i) middle = middle->next;
    editor::SetCurrentElement(w, middle);
    w.DisAssemble();
  }
  ~RingScript() { UndoObject = nullptr; }
  TUndoObject& Ring() { return ring_; }

 private:
  TUndoObject ring_;
};

// A key that changes nothing (a caret move): the action's start and end.
void ActionThatChangesNothing(benchmark::State& state) {
  RingScript script(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    script.Ring().ActionStarts();
    script.Ring().ActionEnds();
  }
}
BENCHMARK(ActionThatChangesNothing)->Arg(120)->Arg(600)->Unit(benchmark::kMicrosecond);

// A typed character that opens a step of its own.
void ActionThatRecordsAStep(benchmark::State& state) {
  RingScript script(static_cast<int>(state.range(0)));
  TMDIChild& w = script.Window();
  for (auto _ : state) {
    script.Ring().ActionStarts();
    LastUndoKind = ukWholeScript;
    SaveUndoStep(ukInsert, false, false, 0);
    w.TypeOneCharacter('x', true);
    script.Ring().ActionEnds();
  }
}
BENCHMARK(ActionThatRecordsAStep)->Arg(120)->Arg(600)->Unit(benchmark::kMicrosecond);

// What Undo does for a typed character: the script given back as the
// step held it, only the changed element replaced and laid out again.
void GiveBackATypedCharacter(benchmark::State& state) {
  RingScript script(static_cast<int>(state.range(0)));
  TMDIChild& w = script.Window();
  TScriptSnapshot before;
  TakeState(w, before);
  for (auto _ : state) {
    state.PauseTiming();
    w.TypeOneCharacter('x', true);
    state.ResumeTiming();
    GiveStateBack(w, before);
  }
}
BENCHMARK(GiveBackATypedCharacter)->Arg(120)->Arg(600)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm
