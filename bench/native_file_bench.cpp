// Saving and reading a generated script of about 120 pages in the native
// format: time per save and per read, and the size of the file.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "files/native_file.h"
#include "files/script_samples.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "shell/documents.h"
#include "support/script_generator.h"

namespace {

using namespace qm;

// A screenplay page holds about 55 lines, an element about 3 of them.
constexpr int kPages = 120;
constexpr int kElements = kPages * 55 / 3;

// A folder of its own in the temporary folder, removed afterwards.
struct BenchFolder {
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qm-bench-XXXXXX").string();
    path = mkdtemp(pattern.data()) ? pattern : std::string(".");
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

struct BenchScript {
  BenchScript()
      : platform(std::make_unique<Platform>(std::make_unique<HeadlessBackend>())), file(folder.path + "/BENCH.QMW") {
    window = std::make_unique<testing::ScriptWindow>();
    testing::FillSampleElements(**window, 1, kElements, kElements / 2);
    testing::FillSampleSettings(**window, 1, 40);
  }
  BenchFolder folder;
  std::unique_ptr<Platform> platform;
  std::unique_ptr<testing::ScriptWindow> window;
  std::string file;
};

void BM_SaveScript(benchmark::State& state) {
  BenchScript script;
  for (auto _ : state) {
    if (!SaveScriptFile(script.file, false, true)) state.SkipWithError("save failed");
  }
  state.counters["file_bytes"] = static_cast<double>(FileSize(script.file));
  state.counters["elements"] = static_cast<double>((*script.window)->ElementCount());
}
BENCHMARK(BM_SaveScript)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The file's bytes alone, without the disk.
void BM_BuildScriptImage(benchmark::State& state) {
  BenchScript script;
  for (auto _ : state) benchmark::DoNotOptimize(BuildScriptImage(**script.window, false, true));
}
BENCHMARK(BM_BuildScriptImage)->Unit(benchmark::kMillisecond);

void BM_ReadScript(benchmark::State& state) {
  BenchScript script;
  SaveScriptFile(script.file, false, true);
  testing::ScriptWindow target;
  for (auto _ : state) {
    if (!LoadScriptFile(script.file, false)) state.SkipWithError("read failed");
  }
  state.counters["file_bytes"] = static_cast<double>(FileSize(script.file));
}
BENCHMARK(BM_ReadScript)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What the writer waits for when a generated 120-page screenplay opens:
// the read, every element wrapped, the script paginated and numbered, and
// the first screen built.
void BM_OpenScript(benchmark::State& state) {
  BenchFolder folder;
  Platform platform(std::make_unique<HeadlessBackend>());
  testing::ScriptWindow window;
  testing::AddElements(*window, testing::GenerateScreenplay(20240601, kPages));
  const std::string file = folder.path + "/OPEN.QMW";
  SaveScriptFile(file, false, true);
  for (auto _ : state) {
    if (!LoadScriptFile(file, false)) state.SkipWithError("read failed");
    LayOutLoadedScript(*window);
    window->RefreshLayout();
  }
  state.counters["file_bytes"] = static_cast<double>(FileSize(file));
  state.counters["elements"] = static_cast<double>(window->ElementCount());
}
BENCHMARK(BM_OpenScript)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
