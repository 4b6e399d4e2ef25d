// Printing a generated 120-page screenplay to a PDF file in process: every
// page laid out as it paginates and written through the PDF printer.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "files/script_samples.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/pdf_printer.h"
#include "platform/platform.h"
#include "platform/printer.h"
#include "base/global_state.h"
#include "printing/print_run.h"
#include "printing/script_page.h"
#include "script/layout/word_wrap.h"
#include "support/script_generator.h"

namespace {

using namespace qm;

void BM_PrintScriptToPdf(benchmark::State& state) {
  std::string pattern = (std::filesystem::temp_directory_path() / "qm-print-XXXXXX").string();
  const std::string folder = mkdtemp(pattern.data()) ? pattern : std::string(".");
  auto backend = std::make_unique<HeadlessBackend>();
  HeadlessBackend& headless = *backend;
  Platform platform(std::move(backend));
  GlobalState::ResetAll();
  auto pdf = std::make_unique<PdfPrinterDevice>();
  PdfPrinterDevice& device = *pdf;
  headless.OtherPrinters().push_back(std::move(pdf));
  Printer()->Refresh();
  Printer()->SetPrinterIndex(Printer()->Printers().IndexOf(PdfPrinterName));
  testing::ScriptWindow window;
  testing::AddElements(*window, testing::GenerateScreenplay(20240601, 120));
  TWrapPass pass(*window);
  for (TScriptElement* e = window->FirstElement; e; e = e->next) pass.Wrap(*e, ElementText(*e));
  window->RefreshLayout();
  const std::vector<TScriptPage> pages = ScriptPages(*window);
  const std::string file = folder + "/script.pdf";
  for (auto _ : state) {
    device.NextOutputFile = file;
    if (!StartPrintJob(false, "Bench")) state.SkipWithError("the run did not start");
    for (std::size_t i = 0; i < pages.size(); ++i) {
      if (i > 0) EjectPage();
      PrintScriptPage(*window, pages[i], {});
    }
    if (!FinishPrintJob()) state.SkipWithError("the PDF was not written");
  }
  state.counters["pages"] = static_cast<double>(pages.size());
  state.counters["file_bytes"] = static_cast<double>(FileSize(file));
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}
BENCHMARK(BM_PrintScriptToPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
