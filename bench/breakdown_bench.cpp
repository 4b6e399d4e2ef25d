// Breakdown tags on a generated 120-page screenplay with 2,000 tags:
// gathering every tagged item into one record and scene by scene, and
// tagging a word at every place it stands (the text side of tagging all
// occurrences).
#include <benchmark/benchmark.h>

#include "bench_script.h"

#include <memory>

#include "base/document_table.h"
#include "base/global_state.h"
#include "breakdown/breakdown_record.h"
#include "breakdown/categories.h"
#include "breakdown/scene_gathering.h"
#include "breakdown/tags.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/script_window.h"
#include "support/script_builder.h"
#include "support/script_generator.h"

namespace qm {
namespace {

constexpr int TagCount = 2000;

class OpenScript : public bench::TBenchScript {
 public:
  explicit OpenScript(int pages) : TBenchScript(TaggedScreenplay(pages, TagCount), TWrap::Layout, true) {}
};

void GatherAllTaggedItems(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  std::size_t items = 0;
  for (auto _ : state) {
    const BreakdownRecord record = GatherAllSceneBreakdowns(script.Window());
    items = 0;
    for (const auto& list : record.Items) items += list.size();
    benchmark::DoNotOptimize(items);
  }
  state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(GatherAllTaggedItems)->Arg(120)->Unit(benchmark::kMillisecond);

void GatherSceneByScene(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  std::size_t scenes = 0;
  for (auto _ : state) {
    const TSceneBreakdowns run = GatherSceneRecords(script.Window());
    scenes = run.Records.size();
    benchmark::DoNotOptimize(scenes);
  }
  state.counters["scenes"] = static_cast<double>(scenes);
}
BENCHMARK(GatherSceneByScene)->Arg(120)->Unit(benchmark::kMillisecond);

// Wrapping every occurrence of a word in a tag, element by element, as
// the global tagging does once it has found them.
void TagEveryOccurrence(benchmark::State& state) {
  const std::vector<testing::ElementSpec> elements = testing::GenerateScreenplay(20240601, 120);
  for (auto _ : state) {
    int tagged = 0;
    for (testing::ElementSpec e : elements) {
      for (std::size_t at = e.text.find("the"); at != std::string::npos; at = e.text.find("the", at + 5)) {
        InsertTag(e.text, {at, at + 3}, TagCodeOfCategory(14), 0);
        ++tagged;
      }
      benchmark::DoNotOptimize(e.text);
    }
    state.counters["tagged"] = tagged;
  }
}
BENCHMARK(TagEveryOccurrence)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm
