#include "platform/pdf_printer.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/files.h"

namespace qm {

namespace {

std::string DocumentsFolder() {
  if (const char* home = std::getenv("QUILLMASTER_HOME"); home && *home) return home;
  if (const char* xdg = std::getenv("XDG_DOCUMENTS_DIR"); xdg && *xdg && DirectoryExists(xdg)) return xdg;
  const std::string documents = JoinPath(HomeFolder(), "Documents");
  return DirectoryExists(documents) ? documents : HomeFolder();
}

std::string SafeFileName(const std::string& title) {
  std::string name;
  for (unsigned char c : title) name += (c < 32 || c == '/' || c == '\\' || c == ':') ? '_' : static_cast<char>(c);
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  while (!name.empty() && (name.front() == ' ' || name.front() == '.')) name.erase(0, 1);
  return name.empty() ? std::string("Quillmaster") : name;
}

constexpr double PointsPerInch = 72.0;

void UseFont(cairo_t* cr, const TFontDesc& font, int dpi) {
  cairo_select_font_face(cr, font.Name.c_str(),
                         (font.Style & fsItalic) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         (font.Style & fsBold) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, font.EmPixels(dpi));
}

void UseColor(cairo_t* cr, TColor color) {
  const std::uint32_t rgb = static_cast<std::uint32_t>(ColorToRGB(color));
  cairo_set_source_rgb(cr, (rgb & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, ((rgb >> 16) & 0xFF) / 255.0);
}

// Cairo draws with no hinting on a PDF, so measuring on a recording
// surface gives the widths the file will have.
struct Measurer {
  cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
  cairo_t* cr = cairo_create(surface);
  Measurer() {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
  }
  ~Measurer() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
};

// cairo's bytes of the document, to the file that takes its name at the end.
cairo_status_t WriteToFile(void* file, const unsigned char* data, unsigned int length) {
  return static_cast<TFileReplacement*>(file)->Write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

std::string PdfPathForJob(const std::string& title) {
  // The title is the program's text; the file's name is spelt as the system spells names.
  const std::string name = TextToPath(title);
  if (SameText(ExtractFileExt(name), ".pdf") && name.find('/') != std::string::npos) return name;
  const std::string base = JoinPath(DocumentsFolder(), SafeFileName(name));
  std::string path = base + ".pdf";
  for (int n = 2; FileExists(path) || DirectoryExists(path); ++n) path = base + " (" + std::to_string(n) + ").pdf";
  return path;
}

struct PdfPrinterDevice::Cairo {
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  ~Cairo() {
    if (cr) cairo_destroy(cr);
    if (surface) cairo_surface_destroy(surface);
  }
};

// One page of the file, in printer dots from the printable area's corner.
class PdfPrinterDevice::Page : public CanvasSink {
 public:
  explicit Page(cairo_t* cr) : cr_(cr) {}
  int Dpi() const override { return Resolution; }
  void FillRect(const TRect& r, const TBrushDesc& brush) override {
    if (brush.Style == TBrushStyle::bsClear) return;
    UseColor(cr_, brush.Color);
    cairo_rectangle(cr_, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    cairo_fill(cr_);
  }
  void Line(TPoint from, TPoint to, const TPenDesc& pen) override {
    if (pen.Style == TPenStyle::psClear) return;
    UseColor(cr_, pen.Color);
    cairo_set_line_width(cr_, std::max(1, pen.Width));
    cairo_move_to(cr_, from.X, from.Y);
    cairo_line_to(cr_, to.X, to.Y);
    cairo_stroke(cr_);
  }
  void Polygon(const std::vector<TPoint>& points, const TPenDesc& pen, const TBrushDesc& brush) override {
    if (points.empty()) return;
    cairo_move_to(cr_, points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].X, points[i].Y);
    cairo_close_path(cr_);
    FillAndStroke(pen, brush);
  }
  void Ellipse(const TRect& r, const TPenDesc& pen, const TBrushDesc& brush) override {
    const double w = r.Right - r.Left, h = r.Bottom - r.Top;
    if (w <= 0 || h <= 0) return;
    cairo_save(cr_);
    cairo_translate(cr_, r.Left + w / 2, r.Top + h / 2);
    cairo_scale(cr_, w / 2, h / 2);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr_);
    FillAndStroke(pen, brush);
  }
  void Text(int x, int y, std::string_view text, const TFontDesc& font, const TBrushDesc& background,
            const TRect* clip) override {
    if (text.empty()) return;
    cairo_save(cr_);
    if (clip) {
      cairo_rectangle(cr_, clip->Left, clip->Top, clip->Right - clip->Left, clip->Bottom - clip->Top);
      cairo_clip(cr_);
    }
    if (font.Orientation != 0) {
      // Turned about its corner, counter-clockwise, as the desktop canvas turns it.
      cairo_translate(cr_, x, y);
      cairo_rotate(cr_, -font.Orientation / 10.0 * M_PI / 180.0);
      cairo_translate(cr_, -x, -y);
    }
    UseFont(cr_, font, Resolution);
    cairo_font_extents_t extents;
    cairo_font_extents(cr_, &extents);
    const std::string utf8 = AnsiToUtf8(text);
    cairo_text_extents_t te;
    cairo_text_extents(cr_, utf8.c_str(), &te);
    if (background.Style != TBrushStyle::bsClear) {
      UseColor(cr_, background.Color);
      cairo_rectangle(cr_, x, y, te.x_advance, extents.ascent + extents.descent);
      cairo_fill(cr_);
    }
    UseColor(cr_, font.Color);
    cairo_move_to(cr_, x, y + extents.ascent);
    cairo_show_text(cr_, utf8.c_str());
    const double lineWidth = std::max(1.0, font.EmPixels(Resolution) / 16.0);
    if (font.Style & fsUnderline) Rule(x, y + extents.ascent + lineWidth * 1.5, te.x_advance, lineWidth);
    if (font.Style & fsStrikeOut) Rule(x, y + extents.ascent * 0.65, te.x_advance, lineWidth);
    cairo_restore(cr_);
  }
  void CopyFrom(const TRect&, CanvasSink&, const TRect&, TCopyMode) override {}

 private:
  void Rule(double x, double y, double width, double lineWidth) {
    cairo_set_line_width(cr_, lineWidth);
    cairo_move_to(cr_, x, y);
    cairo_line_to(cr_, x + width, y);
    cairo_stroke(cr_);
  }
  void FillAndStroke(const TPenDesc& pen, const TBrushDesc& brush) {
    if (brush.Style != TBrushStyle::bsClear) {
      UseColor(cr_, brush.Color);
      cairo_fill_preserve(cr_);
    }
    if (pen.Style != TPenStyle::psClear) {
      UseColor(cr_, pen.Color);
      cairo_set_line_width(cr_, std::max(1, pen.Width));
      cairo_stroke_preserve(cr_);
    }
    cairo_new_path(cr_);
  }
  cairo_t* cr_;
};

PdfPrinterDevice::PdfPrinterDevice(TPdfPaper paper)
    : size_(paper == TPdfPaper::A4 ? TPoint{2480, 3508} : TPoint{2550, 3300}) {}

PdfPrinterDevice::~PdfPrinterDevice() {
  if (cairo_) Abort();
}

bool PdfPrinterDevice::BeginDoc(const std::string& title) {
  if (cairo_) return false;
  error_.clear();
  outputFile_ = NextOutputFile.empty() ? PdfPathForJob(title) : NextOutputFile;
  NextOutputFile.clear();
  auto file = std::make_unique<TFileReplacement>(outputFile_);
  if (NextOutputMode) file->TakeMode(*NextOutputMode);
  NextOutputMode.reset();
  const double points = PointsPerInch / Resolution;
  auto cairo = std::make_unique<Cairo>();
  if (file->Create())
    cairo->surface = cairo_pdf_surface_create_for_stream(WriteToFile, file.get(), size_.X * points, size_.Y * points);
  if (!cairo->surface || cairo_surface_status(cairo->surface) != CAIRO_STATUS_SUCCESS) {
    // The system's reason for a failed write says more than cairo's.
    const std::string why = cairo->surface && file->LastError() == 0
                                ? cairo_status_to_string(cairo_surface_status(cairo->surface))
                                : FileFailureText(file->LastError(), file->FailedPath());
    error_ = "The PDF file " + PathToText(outputFile_) + " cannot be written (" + why + ").";
    return false;
  }
  file_ = std::move(file);
  cairo_pdf_surface_set_metadata(cairo->surface, CAIRO_PDF_METADATA_TITLE, AnsiToUtf8(title).c_str());
  cairo_pdf_surface_set_metadata(cairo->surface, CAIRO_PDF_METADATA_CREATOR, "Quillmaster");
  cairo->cr = cairo_create(cairo->surface);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_set_font_options(cairo->cr, options);
  cairo_font_options_destroy(options);
  // Printer dots from the printable area's corner, as the program places things.
  cairo_scale(cairo->cr, points, points);
  cairo_translate(cairo->cr, Offset, Offset);
  cairo_ = std::move(cairo);
  page_ = std::make_unique<Page>(cairo_->cr);
  pages_ = 0;
  return true;
}

CanvasSink* PdfPrinterDevice::BeginPage() {
  if (!cairo_) return nullptr;
  ++pages_;
  return page_.get();
}

void PdfPrinterDevice::EndPage() {
  if (cairo_) cairo_show_page(cairo_->cr);
}

void PdfPrinterDevice::EndDoc() {
  if (!cairo_) return;
  cairo_surface_finish(cairo_->surface);
  const cairo_status_t status = cairo_surface_status(cairo_->surface);
  page_.reset();
  cairo_.reset();
  const bool named = status == CAIRO_STATUS_SUCCESS && file_->Commit();
  if (!named) {
    const std::string why = status != CAIRO_STATUS_SUCCESS && file_->LastError() == 0
                                ? cairo_status_to_string(status)
                                : FileFailureText(file_->LastError(), file_->FailedPath());
    error_ = "The PDF file " + PathToText(outputFile_) + " could not be written completely (" + why + ").";
  }
  // Half a document never takes the name: it goes with its replacement.
  file_.reset();
}

void PdfPrinterDevice::Abort() {
  if (!cairo_) return;
  page_.reset();
  cairo_.reset();
  // Half a document is no document: it never takes the name.
  file_.reset();
}

int PdfPrinterDevice::MeasureCharWidth(const TFontDesc& font, int dpi, unsigned char ch) {
  static Measurer measurer;
  UseFont(measurer.cr, font, dpi);
  const std::string utf8 = AnsiToUtf8(std::string(1, static_cast<char>(ch)));
  cairo_text_extents_t te;
  cairo_text_extents(measurer.cr, utf8.c_str(), &te);
  return static_cast<int>(std::lround(te.x_advance));
}

std::string PdfPrinterDevice::ResolvedFamily(const std::string& name) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
  if (!pattern) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string family;
  FcChar8* value = nullptr;
  if (match && FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
    family = reinterpret_cast<char*>(value);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return family;
}

}  // namespace qm
