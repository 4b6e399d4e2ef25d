// The "Print to PDF" printer: writes each print job to a PDF file through
// cairo, with no desktop needed, so batch printing and tests print real
// files. Text stays text (selectable, searchable) in the fonts fontconfig
// finds for the names asked, embedded in the file; Courier New comes out
// as its metric twin, so widths match the 300-dpi layout tables.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/printer.h"

namespace qm {

class TFileReplacement;

inline constexpr const char* PdfPrinterName = "Print to PDF";

// Where a PDF job goes: the job's title when it is a path to a ".pdf"
// file, else a new file named after the title in the user's documents
// ($QUILLMASTER_HOME when set) that never replaces another.
std::string PdfPathForJob(const std::string& title);

enum class TPdfPaper { Letter, A4 };

class PdfPrinterDevice : public PrinterDevice {
 public:
  explicit PdfPrinterDevice(TPdfPaper paper = TPdfPaper::Letter);
  ~PdfPrinterDevice() override;

  std::string Name() const override { return PdfPrinterName; }
  int DpiX() const override { return Resolution; }
  int DpiY() const override { return Resolution; }
  TPoint PhysicalSize() const override { return size_; }
  TPoint PhysicalOffset() const override { return TPoint{Offset, Offset}; }
  TPoint PrintableSize() const override { return TPoint{size_.X - 2 * Offset, size_.Y - 2 * Offset}; }
  bool BeginDoc(const std::string& title) override;
  CanvasSink* BeginPage() override;
  void EndPage() override;
  void EndDoc() override;
  void Abort() override;
  std::string LastError() const override { return error_; }

  // The file of the running or last job (a system path).
  const std::string& OutputFile() const { return outputFile_; }
  // Set to write the next job to this path instead of the one its title gives.
  std::string NextOutputFile;
  // The next job's file takes these permissions when given (else those of
  // the file it replaces, or the usual ones). Until the job ends the file
  // is its writer's alone, written beside its name, which it takes only
  // when it is complete.
  std::optional<unsigned> NextOutputMode;

  // The layout resolution the program paginates at without a printer,
  // and the printable area of a usual office printer (a quarter inch).
  static constexpr int Resolution = 300;
  static constexpr int Offset = 75;

  // The advance of one cp1252 character in the font the file uses, in
  // dots at dpi, as cairo and fontconfig measure it.
  static int MeasureCharWidth(const TFontDesc& font, int dpi, unsigned char ch);
  // The family fontconfig gives for a font name ("Liberation Mono" for
  // "Courier New" where fonts-liberation is installed).
  static std::string ResolvedFamily(const std::string& name);

 private:
  class Page;
  TPoint size_;
  std::string outputFile_;
  std::string error_;
  // Declared before the cairo state, which writes into it to the end.
  std::unique_ptr<TFileReplacement> file_;
  struct Cairo;
  std::unique_ptr<Cairo> cairo_;
  std::unique_ptr<Page> page_;
  int pages_ = 0;
};

}  // namespace qm
