#include "printing/print_run.h"

#include <algorithm>
#include <cstdio>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "printing/print_run_pdf.h"
#include "script/script_window.h"

namespace qm {

TCanvas* CurrentPrintCanvas = nullptr;
TPrintRunGlobals PrintRun;
TPrintRunHooks PrintRunHooks;

namespace {

std::unique_ptr<TPrintingVariables> Variables;
std::string NextPrintFile;
bool RunOpen = false;

const GlobalState reset([] {
  CurrentPrintCanvas = nullptr;
  PrintRun = TPrintRunGlobals{};
  PrintRunHooks = TPrintRunHooks{};
  Variables.reset();
  NextPrintFile.clear();
  RunOpen = false;
});

void Status(const std::string& text) {
  if (PrintRunHooks.Status) PrintRunHooks.Status(text);
}

void Ended() {
  if (PrintRunHooks.Ended) PrintRunHooks.Ended();
}

void ReadRunMetrics() {
  TPrinter* printer = Printer();
  if (!printer || !printer->HasPrinter() || !printer->Device()) return;
  PrintRun.DpiX = static_cast<Word>(printer->GetDeviceCaps(LOGPIXELSX));
  PrintRun.DpiY = static_cast<Word>(printer->GetDeviceCaps(LOGPIXELSY));
  PrintRun.PageWidth = static_cast<std::int16_t>(printer->GetDeviceCaps(PHYSICALWIDTH));
  PrintRun.PageHeight = static_cast<std::int16_t>(printer->GetDeviceCaps(PHYSICALHEIGHT));
  PrintRun.OffsetX = static_cast<std::int16_t>(printer->GetDeviceCaps(PHYSICALOFFSETX));
  PrintRun.OffsetY = static_cast<std::int16_t>(printer->GetDeviceCaps(PHYSICALOFFSETY));
}

// Bytes that would break a record line are written as \xHH.
std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 32 || b == '\\' || b == 127) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

void UseRunFont(TCanvas& canvas, const TFontDesc& font) {
  canvas.Font.Name = font.Name;
  canvas.Font.Size = font.Size;
  canvas.Font.Style = font.Style;
  canvas.Font.Color = font.Color;
  canvas.Font.Orientation = font.Orientation;
}

}  // namespace

// ---------------------------------------------------------------------------
// The print file

TPrintFile::TPrintFile() = default;
TPrintFile::~TPrintFile() = default;

bool TPrintFile::Open(const std::string& path, std::optional<unsigned> mode) {
  path_ = path;
  file_ = std::make_unique<TFileReplacement>(path);
  if (mode) file_->TakeMode(*mode);
  if (!file_->Create()) return Fail();
  Line("QUILLPRESS 1");
  return true;
}

bool TPrintFile::Fail() {
  failed_ = true;
  why_ = FileFailureText(file_->LastError(), file_->FailedPath());
  return false;
}

void TPrintFile::Line(const std::string& line) {
  if (failed_) return;
  pending_ += line;
  pending_ += '\n';
  if (pending_.size() >= 65536) Spill();
}

void TPrintFile::Spill() {
  if (!failed_ && !pending_.empty() && !file_->Write(pending_.data(), pending_.size())) Fail();
  pending_.clear();
}

void TPrintFile::Font(const std::string& name, int size, unsigned style) {
  if (name != fontName_) Line("FONT " + Escaped(name));
  if (size != fontSize_) Line("SIZE " + std::to_string(size));
  if (static_cast<int>(style) != fontStyle_) Line("STYLE " + std::to_string(style));
  fontName_ = name;
  fontSize_ = size;
  fontStyle_ = static_cast<int>(style);
}

void TPrintFile::Text(int x, int y, std::string_view text) {
  Line("AT " + std::to_string(x) + " " + std::to_string(y));
  Line("TEXT " + Escaped(text));
}

void TPrintFile::Watermark(std::string_view text) { Line("WATERMARK " + Escaped(text)); }

void TPrintFile::NewPage() {
  Line("PAGE");
  // A new page names its font again, so that each page reads alone.
  const std::string name = fontName_;
  const int size = fontSize_, style = fontStyle_;
  fontName_.clear();
  fontSize_ = fontStyle_ = -1;
  if (!name.empty()) Font(name, size, static_cast<unsigned>(style));
}

bool TPrintFile::Close() {
  Line("END");
  Spill();
  if (!failed_ && file_ && !file_->Commit()) Fail();
  // A file that did not take its name is removed with its replacement.
  file_.reset();
  return !failed_;
}

// ---------------------------------------------------------------------------
// The run

void InitializePrintdlg() { Variables = std::make_unique<TPrintingVariables>(); }

TPrintingVariables& PrintingVariables() {
  if (!Variables) InitializePrintdlg();
  return *Variables;
}

bool PrintsToFile() { return !NextPrintFile.empty() || (RunOpen && PrintRun.ToFile); }

void SetPrintFile(const std::string& path) { NextPrintFile = path; }

bool PrintJobOpen() { return RunOpen; }

bool PrintFileFailed() {
  const TPrintingVariables& v = PrintingVariables();
  return RunOpen && PrintRun.ToFile && v.File && v.File->Failed();
}

bool StartPrintJob(bool continuation, const std::string& title) {
  if (continuation && RunOpen) return true;
  if (RunOpen) AbortPrintJob();
  TPrintingVariables& v = PrintingVariables();
  v.RunText.clear();
  v.PagesPrinted = 0;
  v.RunsDrawn = 0;
  PrintRun.Cancelled = 0;
  ReadRunMetrics();
  PrintRun.ToFile = !NextPrintFile.empty();
  if (PrintRun.ToFile) {
    v.FileName = NextPrintFile;
    NextPrintFile.clear();
    v.File = std::make_unique<TPrintFile>();
    // What is printed of a script takes the script's mode.
    const TMDIChild* script = ActiveScript();
    if (!v.File->Open(v.FileName, ModeFor(script ? script->ScriptFileName : std::string()))) {
      ShowMessageBox("The Print File " + PathToText(v.FileName) + " cannot be written: " + v.File->Why() + ".\r\r" +
                         "Choose another folder or file name and print again.",
                     "Warning");
      v.File.reset();
      return false;
    }
    // Measured at the printer's resolution; nothing is drawn on it.
    v.FileSurface = std::make_unique<RecordingCanvas>(PrintRun.DpiY);
    v.FileCanvas.SetSink(v.FileSurface.get());
    CurrentPrintCanvas = &v.FileCanvas;
    v.FileCanvas.Font.PixelsPerInch = PrintRun.DpiY;
  } else {
    TPrinter* printer = Printer();
    if (!printer) return false;
    printer->Title = title;
    if (printer->Device() && !ChoosePdfFile(*printer->Device(), title)) return false;
    if (!printer->BeginDoc()) {
      const std::string why = printer->LastError();
      ShowMessageBox(
          "The print job could not be started." + std::string("\r\r") +
              (why.empty() ? "The printer " + (printer->Device() ? printer->Device()->Name() : std::string()) +
                                 " is not available."
                           : why),
          "Warning");
      return false;
    }
    CurrentPrintCanvas = &printer->Canvas();
  }
  CurrentPrintCanvas->Brush.Style = TBrushStyle::bsClear;
  RunOpen = true;
  v.PagesPrinted = 1;
  MeasurePrinterCharWidths();
  DrawPageWatermarks();
  return true;
}

void PrintTextAt(int x, int y, std::string_view text) {
  if (text.empty() || !CurrentPrintCanvas) return;
  TPrintingVariables& v = PrintingVariables();
  const TFontDesc font = CurrentPrintCanvas->Font.Desc();
  const int width = CurrentPrintCanvas->TextWidth(text);
  if (!v.RunText.empty() && v.RunY == y && v.RunEndX == x && v.RunFont == font) {
    v.RunText.append(text);
    v.RunEndX += width;
    return;
  }
  FlushTextRun();
  v.RunX = x;
  v.RunY = y;
  v.RunEndX = x + width;
  v.RunFont = font;
  v.RunText.assign(text);
}

void FlushTextRun() {
  TPrintingVariables& v = PrintingVariables();
  if (v.RunText.empty()) return;
  if (RunOpen && PrintRun.ToFile && v.File) {
    v.File->Font(v.RunFont.Name, v.RunFont.Size, v.RunFont.Style);
    v.File->Text(v.RunX, v.RunY, v.RunText);
    if (v.File->Failed()) PrintRun.Cancelled = 1;
  } else if (CurrentPrintCanvas) {
    const TFontDesc kept = CurrentPrintCanvas->Font.Desc();
    UseRunFont(*CurrentPrintCanvas, v.RunFont);
    CurrentPrintCanvas->TextOut(v.RunX, v.RunY, v.RunText);
    UseRunFont(*CurrentPrintCanvas, kept);
  }
  v.LastFont = v.RunFont;
  ++v.RunsDrawn;
  v.RunText.clear();
}

void EjectPage() {
  if (!RunOpen) return;
  TPrintingVariables& v = PrintingVariables();
  FlushTextRun();
  const TFontDesc font = CurrentPrintCanvas ? CurrentPrintCanvas->Font.Desc() : TFontDesc{};
  if (PrintRun.ToFile) {
    if (v.File) v.File->NewPage();
  } else {
    Status(PageFeedText);
    Printer()->NewPage();
    Status(PageEjectedText);
    CurrentPrintCanvas = &Printer()->Canvas();
    CurrentPrintCanvas->Brush.Style = TBrushStyle::bsClear;
  }
  ++v.PagesPrinted;
  DrawPageWatermarks();
  if (CurrentPrintCanvas) UseRunFont(*CurrentPrintCanvas, font);
}

bool FinishPrintJob() {
  if (!RunOpen) return false;
  TPrintingVariables& v = PrintingVariables();
  FlushTextRun();
  Status(FinishingText);
  RunOpen = false;
  if (PrintRun.ToFile) {
    const bool written = v.File && v.File->Close();
    const std::string name = PathToText(v.FileName);
    const std::string why = v.File ? v.File->Why() : std::string();
    v.File.reset();
    CurrentPrintCanvas = nullptr;
    Ended();
    if (!written) {
      PrintRun.Cancelled = 1;
      ShowMessageBox("An error occurred while writing the Print File " + name + ": " + why + ".\r\r" +
                         "The Print File was NOT written.",
                     "Warning");
      return false;
    }
    ShowMessageBox("The Print File " + name + " was written successfully.", "Print File");
    return true;
  }
  TPrinter* printer = Printer();
  const bool done = printer->EndDoc();
  CurrentPrintCanvas = nullptr;
  Ended();
  if (!done) {
    PrintRun.Cancelled = 1;
    ShowMessageBox("The print job did NOT finish." + std::string("\r\r") + printer->LastError(), "Warning");
    return false;
  }
  if (printer->Device()) ReportPdfFile(*printer->Device());
  return true;
}

void AbortPrintJob() {
  if (!RunOpen) return;
  TPrintingVariables& v = PrintingVariables();
  v.RunText.clear();
  RunOpen = false;
  PrintRun.Cancelled = 1;
  if (PrintRun.ToFile) {
    // Never given its name: whatever had the name stays.
    v.File.reset();
  } else if (Printer()) {
    Printer()->Abort();
  }
  CurrentPrintCanvas = nullptr;
}

void MeasurePrinterCharWidthsInto(TPrinterWidths& widths) {
  TFontDesc font = CurrentPrintCanvas ? CurrentPrintCanvas->Font.Desc() : TFontDesc{};
  const int dpi = PrintRun.DpiX ? PrintRun.DpiX : 300;
  for (int ch = 32; ch <= 255; ++ch)
    widths[static_cast<std::size_t>(ch - 32)] = MeasureText(font, dpi, std::string(1, static_cast<char>(ch)));
}

void MeasurePrinterCharWidths() { MeasurePrinterCharWidthsInto(PrintingVariables().CharWidths); }

namespace {

// Grey text rising to the right across the page, centred on `middle` and
// moved `down` printer units at right angles to its line.
void DrawRisingText(TCanvas& canvas, const std::string& text, int size, int down, TPoint middle) {
  TFontDesc mark;
  mark.Name = "Arial";
  mark.Size = size;
  mark.Style = fsBold;
  mark.Color = static_cast<TColor>(0xC0C0C0);
  mark.Orientation = 450;
  UseRunFont(canvas, mark);
  const int width = canvas.TextWidth(text);
  // cos 45 degrees in thousandths: along the line and across it.
  constexpr int c = 707;
  canvas.TextOut(middle.X - width * c / 2000 + down * c / 1000, middle.Y + width * c / 2000 + down * c / 1000, text);
}

// The middle of the run's page, printer units from the printable corner.
TPoint RunPageMiddle() {
  return {PrintRun.PageWidth / 2 - PrintRun.OffsetX, PrintRun.PageHeight / 2 - PrintRun.OffsetY};
}

constexpr int CopyMarkSize = 48;
constexpr int DraftMarkSize = 24;

}  // namespace

void DrawWatermark(const std::string& text) {
  if (!CurrentPrintCanvas || text.empty()) return;
  if (PrintRun.ToFile) {
    // A print file carries the watermark as a record of its own.
    TPrintingVariables& v = PrintingVariables();
    if (v.File) v.File->Watermark(text);
    return;
  }
  TCanvas& canvas = *CurrentPrintCanvas;
  const TFontDesc kept = canvas.Font.Desc();
  DrawRisingText(canvas, text, CopyMarkSize, 0, RunPageMiddle());
  UseRunFont(canvas, kept);
}

void DrawDraftLines(TCanvas& canvas, const std::vector<std::string>& lines, TPoint middle, bool belowCopy, int dpiY) {
  if (lines.empty()) return;
  const TFontDesc kept = canvas.Font.Desc();
  // A line and a half apart; below the copy's number, or centred alone.
  const int step = std::max(1, dpiY) * DraftMarkSize * 3 / 2 / 72;
  const int count = static_cast<int>(lines.size());
  int down = belowCopy ? step * 2 : -step * (count - 1) / 2;
  for (const std::string& line : lines) {
    if (!line.empty()) DrawRisingText(canvas, line, DraftMarkSize, down, middle);
    down += step;
  }
  UseRunFont(canvas, kept);
}

void DrawPageWatermarks() {
  TPrintingVariables& v = PrintingVariables();
  if (!v.Watermark.empty()) DrawWatermark(v.Watermark);
  if (v.DraftWatermark.empty() || !CurrentPrintCanvas) return;
  if (PrintRun.ToFile) {
    for (const std::string& line : v.DraftWatermark)
      if (v.File) v.File->Watermark(line);
    return;
  }
  DrawDraftLines(*CurrentPrintCanvas, v.DraftWatermark, RunPageMiddle(), !v.Watermark.empty(), PrintRun.DpiY);
}

}  // namespace qm
