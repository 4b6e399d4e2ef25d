// Batch printing as a whole process: starts, opens a native script, prints
// every page to a PDF file through the PDF printer, and exits. Measured
// from outside for time and peak memory:
//   qm_print_pdf --make SCRIPT.QMW 120      (writes a generated script once)
//   /usr/bin/time -v qm_print_pdf SCRIPT.QMW OUT.pdf
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/global_state.h"
#include "files/native_file.h"
#include "files/script_samples.h"
#include "platform/headless/headless_backend.h"
#include "platform/pdf_printer.h"
#include "platform/platform.h"
#include "platform/printer.h"
#include "printing/print_run.h"
#include "printing/script_page.h"
#include "script/layout/word_wrap.h"
#include "support/script_generator.h"

using namespace qm;

namespace {

int Make(const std::string& file, int pages) {
  testing::ScriptWindow window;
  testing::AddElements(*window, testing::GenerateScreenplay(20240601, pages));
  return SaveScriptFile(file, false, true) ? 0 : 1;
}

int Print(const std::string& file, const std::string& pdfFile, PdfPrinterDevice& device) {
  testing::ScriptWindow window;
  if (!LoadScriptFile(file, false)) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return 1;
  }
  TWrapPass pass(*window);
  for (TScriptElement* e = window->FirstElement; e; e = e->next) pass.Wrap(*e, ElementText(*e));
  window->RefreshLayout();
  device.NextOutputFile = pdfFile;
  if (!StartPrintJob(false, "Script")) return 1;
  const std::vector<TScriptPage> pages = ScriptPages(*window);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) EjectPage();
    PrintScriptPage(*window, pages[i], {});
  }
  if (!FinishPrintJob()) return 1;
  std::printf("%zu pages\n", pages.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 4 && std::string(argv[1]) == "--make")) {
    std::fprintf(stderr, "usage: %s SCRIPT OUT.pdf | --make SCRIPT PAGES\n", argv[0]);
    return 2;
  }
  auto backend = std::make_unique<HeadlessBackend>();
  HeadlessBackend& headless = *backend;
  Platform platform(std::move(backend));
  GlobalState::ResetAll();
  if (argc == 4) return Make(argv[2], std::atoi(argv[3]));
  auto pdf = std::make_unique<PdfPrinterDevice>();
  PdfPrinterDevice& device = *pdf;
  headless.OtherPrinters().push_back(std::move(pdf));
  Printer()->Refresh();
  Printer()->SetPrinterIndex(Printer()->Printers().IndexOf(PdfPrinterName));
  return Print(argv[1], argv[2], device);
}
