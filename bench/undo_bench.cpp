// What the undo ring costs a writer on a long script: every key and click
// takes the script as it stands (only what changed is copied) and looks at
// the end whether anything changed; a typed character records a step; an
// Undo and a Redo give the script back.
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

// Undo then Redo of one typed character.
void UndoThenRedo(benchmark::State& state) {
  RingScript script(static_cast<int>(state.range(0)));
  TMDIChild& w = script.Window();
  SaveUndoStep(ukInsert, true, false, 0);
  w.TypeOneCharacter('x', true);
  for (auto _ : state) {
    script.Ring().Undo();
    script.Ring().Redo();
  }
}
BENCHMARK(UndoThenRedo)->Arg(120)->Arg(600)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm
