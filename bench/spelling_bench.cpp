// The spelling check's cost: every word of a generated 120-page script
// checked as the pass checks it (no dialog), and one typed word as the
// real-time check sees it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/global_state.h"
#include "language/spelling/spell_engine.h"
#include "language/spelling/spell_words.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "support/script_generator.h"

namespace qm {
namespace {

// A headless program with the English engine open from the build's data.
class OpenEngine {
 public:
  OpenEngine() : platform_(std::make_unique<HeadlessBackend>()) {
    ::setenv("QUILLMASTER_PROGRAM_FOLDER", QM_BENCH_DATA_DIR, 1);
    GlobalState::ResetAll();
    ok_ = OpenSpellEngine(1, "");
  }
  ~OpenEngine() { GlobalState::ResetAll(); }
  bool Ok() const { return ok_; }

 private:
  Platform platform_;
  bool ok_ = false;
};

std::vector<std::string> WordsOfAScript(int pages) {
  std::vector<std::string> words;
  for (const auto& e : testing::GenerateScreenplay(20240601, pages)) {
    std::size_t at = 0;
    while (at < e.text.size()) {
      while (at < e.text.size() && spell_chars::WordSeparators.Contains(e.text[at])) ++at;
      std::size_t end = at;
      while (end < e.text.size() && !spell_chars::WordEnders.Contains(e.text[end])) ++end;
      if (end > at) words.push_back(e.text.substr(at, end - at));
      at = end + 1;
    }
  }
  return words;
}

void CheckEveryWordOfAScript(benchmark::State& state) {
  OpenEngine engine;
  if (!engine.Ok()) {
    state.SkipWithError("the English dictionary is not installed");
    return;
  }
  const auto words = WordsOfAScript(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int known = 0;
    for (const auto& w : words) {
      const TShapedWord shape = ShapeWord(w);
      known += CheckWordKnown(shape.word, false, shape.cuts, true) != 0;
    }
    benchmark::DoNotOptimize(known);
  }
  state.counters["words"] = static_cast<double>(words.size());
}
BENCHMARK(CheckEveryWordOfAScript)->Arg(120)->Unit(benchmark::kMillisecond);

void CheckOneTypedWord(benchmark::State& state) {
  OpenEngine engine;
  if (!engine.Ok()) {
    state.SkipWithError("the English dictionary is not installed");
    return;
  }
  const TShapedWord shape = ShapeWord("kitchen");
  for (auto _ : state) benchmark::DoNotOptimize(CheckWordKnown(shape.word, false, shape.cuts, true));
}
BENCHMARK(CheckOneTypedWord)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm
