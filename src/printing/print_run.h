// The print run: opening and closing the output of a print job (the
// printer, a preview page or a print file), placing text on it in printer
// units, joining text placed end to end into one run, ending pages, and the
// run's state that every printed page, report and list shares.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics.h"
#include "platform/types.h"
#include "script/layout/char_widths.h"

namespace qm {

class TFileReplacement;

// The canvas every print routine draws on: the printer's, or a preview
// page's while the preview paints.
extern TCanvas* CurrentPrintCanvas;

// The run's globals, read from the printer when a run opens.
struct TPrintRunGlobals {
  Word DpiX = 300;
  Word DpiY = 300;
  std::int16_t PageWidth = 2550;  // the physical page, printer units
  std::int16_t PageHeight = 3300;
  std::int16_t OffsetX = 75;  // where the printable area begins
  std::int16_t OffsetY = 75;
  int LeftMargin = 0;
  bool ToFile = false;  // the run writes a print file
  Byte Cancelled = 0;   // the user cancelled, or a print-file write failed
};
extern TPrintRunGlobals PrintRun;

// A print file: the text records of docs/print-file-format.md. It is
// written beside its name and takes the name only when it is complete, so
// a failed or cancelled run leaves what was there; until then it is its
// writer's alone, and then it takes `mode` when given.
class TPrintFile {
 public:
  TPrintFile();
  ~TPrintFile();
  TPrintFile(const TPrintFile&) = delete;
  TPrintFile& operator=(const TPrintFile&) = delete;
  bool Open(const std::string& path, std::optional<unsigned> mode = std::nullopt);
  void Font(const std::string& name, int size, unsigned style);
  void Text(int x, int y, std::string_view text);
  void Watermark(std::string_view text);
  void NewPage();
  // Writes the end record and gives the file its name; false when any
  // write failed, and then nothing takes the name.
  bool Close();
  bool Failed() const { return failed_; }
  // What made it fail, as the program's text.
  const std::string& Why() const { return why_; }
  const std::string& Path() const { return path_; }

 private:
  void Line(const std::string& line);
  // Writes the records held so far.
  void Spill();
  // Notes a failed step of the file; false.
  bool Fail();
  std::unique_ptr<TFileReplacement> file_;
  std::string pending_;
  std::string path_;
  bool failed_ = false;
  std::string why_;
  std::string fontName_;
  int fontSize_ = -1;
  int fontStyle_ = -1;
};

// The one print-run state object.
class TPrintingVariables {
 public:
  // The pending joined text run.
  std::string RunText;
  int RunX = 0;
  int RunY = 0;
  int RunEndX = 0;
  TFontDesc RunFont;
  // The font last set on the output, for EjectPage to set again.
  TFontDesc LastFont;
  // Printer widths of characters 32 to 255 in the canvas font.
  TPrinterWidths CharWidths{};
  // Counters of the run.
  int PagesPrinted = 0;
  int RunsDrawn = 0;
  // The watermark drawn on each new page (empty for none).
  std::string Watermark;
  // The draft information drawn under it on each page, a line each.
  std::vector<std::string> DraftWatermark;
  // The print file the run writes, when it writes one.
  std::unique_ptr<TPrintFile> File;
  std::string FileName;
  // A canvas with nothing behind it for measuring while the run writes a file.
  TCanvas FileCanvas;
  std::unique_ptr<CanvasSink> FileSurface;
};

// Creates the print-run state object for the whole run of the program.
void InitializePrintdlg();
TPrintingVariables& PrintingVariables();

// True when the job writes a print file instead of driving a printer.
bool PrintsToFile();
// The print file the next run writes (a system path); empty for none.
void SetPrintFile(const std::string& path);

// Opens the output of a run and resets the run state; false (after a
// message saying why) when nothing was opened. With continuation, a run
// that is open stays open.
bool StartPrintJob(bool continuation, const std::string& title = "Quillmaster");
// Puts text at (x, y), printer units from the printable area's corner,
// in CurrentPrintCanvas's font; text placed right where the last ended,
// on its line and in its font, joins that run.
void PrintTextAt(int x, int y, std::string_view text);
// Draws the pending run and clears it.
void FlushTextRun();
// Ends the page and begins the next.
void EjectPage();
// Ends the run: false (after the message) when it did not reach its
// printer or file whole.
bool FinishPrintJob();
// Ends a run without output, as Cancel does.
void AbortPrintJob();
bool PrintJobOpen();
// The open run's print file could not take what was printed: the run
// stopped for that, not for a Cancel; FinishPrintJob says why.
bool PrintFileFailed();

// Fills the width table from CurrentPrintCanvas's font.
void MeasurePrinterCharWidths();
void MeasurePrinterCharWidthsInto(TPrinterWidths& widths);

// Draws the watermark on the current page of CurrentPrintCanvas.
void DrawWatermark(const std::string& text);
// Draws the run's watermarks (the copy's and the draft information's) on
// the current page.
void DrawPageWatermarks();
// Draws the draft information's lines in grey, rising across the page
// whose middle is `middle` (printer units), below a copy's number or
// centred on the middle.
void DrawDraftLines(TCanvas& canvas, const std::vector<std::string>& lines, TPoint middle, bool belowCopy, int dpiY);

// The progress texts the printer gets on a page feed.
inline constexpr const char* PageFeedText = "Sending Page Feed...";
inline constexpr const char* PageEjectedText = "Page Ejected...";
inline constexpr const char* FinishingText = "Finishing Print Job";

// Progress of a run, shown by the print progress dialog when it is up.
struct TPrintRunHooks {
  void (*Status)(const std::string& text) = nullptr;
  // The pages are all out: the dialog goes before the run says where they
  // went, so the message never stands over a window that is done.
  void (*Ended)() = nullptr;
};
extern TPrintRunHooks PrintRunHooks;

}  // namespace qm
