// Reading foreign text into a script: a generated screenplay written out as
// plain text (about 250 KB at 175 pages) and as styled RTF, joined,
// classified and built into the script's elements, as the paste and File
// Open do. The ten-times-larger size shows the cost stays linear.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "base/document_table.h"
#include "base/global_state.h"
#include "files/imported_script.h"
#include "files/rtf_reader.h"
#include "files/text_classifier.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "support/script_builder.h"
#include "support/script_generator.h"
#include "support/script_text_writer.h"

namespace qm {
namespace {

class ImportTarget {
 public:
  ImportTarget() : platform_(std::make_unique<HeadlessBackend>()) {
    GlobalState::ResetAll();
    window_ = testing::OpenOnlyDocument();
    context_ = ClassifierContextOf(*window_);
    context_.Ask = [](const std::string&) { return false; };
    context_.IdentifyStyle = [](const std::string&) { return std::string("@"); };
  }
  ~ImportTarget() { testing::CloseOnlyDocument(window_); }

  TMDIChild& Window() { return *window_; }
  const TClassifierContext& Context() const { return context_; }

 private:
  Platform platform_;
  std::unique_ptr<TMDIChild> window_;
  TClassifierContext context_;
};

void PlainTextImport(benchmark::State& state) {
  ImportTarget target;
  const std::string text =
      testing::ScriptAsPlainText(testing::GenerateScreenplay(20240601, static_cast<int>(state.range(0))));
  for (auto _ : state) {
    const TImportedElements elements = ImportPlainText(text, target.Context(), {});
    ReplaceScriptElements(target.Window(), elements);
    benchmark::DoNotOptimize(elements.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["KB"] = static_cast<double>(text.size()) / 1024.0;
}
BENCHMARK(PlainTextImport)->Arg(175)->Arg(1750)->Unit(benchmark::kMillisecond);

void StyledRtfImport(benchmark::State& state) {
  ImportTarget target;
  const std::string rtf =
      testing::ScriptAsStyledRtf(testing::GenerateScreenplay(20240601, static_cast<int>(state.range(0))));
  TPasteChoices choices;
  choices.UseStyleSheets = true;
  for (auto _ : state) {
    const TImportedElements elements = ImportRtf(rtf, target.Context(), choices);
    ReplaceScriptElements(target.Window(), elements);
    benchmark::DoNotOptimize(elements.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
  state.counters["KB"] = static_cast<double>(rtf.size()) / 1024.0;
}
BENCHMARK(StyledRtfImport)->Arg(175)->Arg(1750)->Unit(benchmark::kMillisecond);

void UnstyledRtfImport(benchmark::State& state) {
  ImportTarget target;
  const std::string rtf =
      testing::ScriptAsStyledRtf(testing::GenerateScreenplay(20240601, static_cast<int>(state.range(0))));
  for (auto _ : state) {
    const TImportedElements elements = ImportRtf(rtf, target.Context(), {});
    ReplaceScriptElements(target.Window(), elements);
    benchmark::DoNotOptimize(elements.data());
  }
  state.counters["KB"] = static_cast<double>(rtf.size()) / 1024.0;
}
BENCHMARK(UnstyledRtfImport)->Arg(175)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm
