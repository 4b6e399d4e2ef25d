#include "story/linkage_graph_print.h"

#include <algorithm>
#include <cctype>

#include "platform/printer.h"
#include "printing/print_run.h"
#include "printing/report_page.h"
#include "story/linkage_graph_drawing.h"

namespace qm::story {

namespace {

std::string FileNameOnly(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SetPrintFont(TCanvas& canvas) {
  canvas.Font.Name = "Arial";
  canvas.Font.Color = clBlack;
  canvas.Brush.Style = TBrushStyle::bsClear;
}

void PrintPageNumber(TCanvas& canvas, const std::string& scriptPath, Word first, Word last,
                     const TGraphPrintHooks& hooks) {
  canvas.Font.Color = clBlack;
  canvas.Brush = TBrushDesc{clWhite, TBrushStyle::bsClear};
  const std::string numbers =
      first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
  PrintTextAt(PrintRun.DpiX, 10, FileNameOnly(scriptPath));
  const std::string heading = "Branch Targets " + numbers;
  PrintTextAt(Printer()->PageWidth() - canvas.TextWidth(heading), 10, heading);
  FlushTextRun();
  if (hooks.Status) hooks.Status(heading);
  canvas.Pen = TPenDesc{clBlack, canvas.Pen.Width};
}

}  // namespace

std::int64_t TrueJumpNumber(const std::string& label) {
  const auto open = label.find('(');
  if (open == std::string::npos) return -1;
  const auto close = label.find(')', open + 1);
  if (close == std::string::npos || close == open + 1) return -1;
  std::int64_t n = 0;
  for (std::size_t i = open + 1; i < close; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(label[i]))) return -1;
    n = std::min<std::int64_t>(n * 10 + (label[i] - '0'), 0x100000000LL);
  }
  return n;
}

bool PrintLinkageGraphs(const TLinkageGraph& graph, std::size_t from, std::size_t to, const std::string& scriptPath,
                        const TGraphPrintHooks& hooks) {
  if (graph.Labels.empty()) return false;
  if (from > to) std::swap(from, to);
  to = std::min(to, graph.Labels.size() - 1);
  if (from > to || !StartPrintJob(false, "Branch Targets")) return false;
  TCanvas& canvas = *CurrentPrintCanvas;
  SetPrintFont(canvas);
  // A target takes a quarter of the page.
  const int quarter = Printer()->PageHeight() / 4;
  TLinkageDrawing drawing(graph, canvas);
  Word first = 0, number = 0;
  TReportPage page(canvas, PrintRun.PageWidth, 4 * quarter);
  page.OnFooter([&](TReportPage&) { PrintPageNumber(canvas, scriptPath, first, number, hooks); });
  page.OnHeader([&](TReportPage&) { SetPrintFont(canvas); });
  for (std::size_t i = from; i <= to; ++i) {
    const std::int64_t read = TrueJumpNumber(graph.Labels[i]);
    number = read < 0 ? 0 : static_cast<Word>(read);
    if (page.Y == page.Top) first = number;
    if (hooks.Progress) hooks.Progress("Printing Branch Target " + std::to_string(number));
    drawing.Draw(number, {.centre = PrintRun.PageWidth / 2,
                          .clipRight = Printer()->PageWidth(),
                          .pageOffset = page.Y,
                          .screen = false,
                          .colour = true});
    if (page.Fits(2 * quarter)) page.Advance(quarter);
    else if (i != to) page.NewPage();
  }
  PrintPageNumber(canvas, scriptPath, first, number, hooks);
  return FinishPrintJob();
}

}  // namespace qm::story
