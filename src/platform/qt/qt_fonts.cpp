#include "platform/qt/qt_fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <set>

#include "platform/cp1252.h"

namespace qm {

namespace {

struct Substitution {
  const char* name;
  const char* family;
};

// Metric-compatible families first, so that widths match the fonts the
// program was written against.
constexpr Substitution kSubstitutions[] = {
    {"Courier New", "Liberation Mono"}, {"Courier", "Liberation Mono"},       {"Lucida Console", "Liberation Mono"},
    {"Fixedsys", "Liberation Mono"},    {"Terminal", "Liberation Mono"},      {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},   {"MS Sans Serif", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},      {"MS Serif", "Liberation Serif"},
};

QString FamilyOf(const std::string& name) { return QString::fromStdString(AnsiToUtf8(name)); }

QFont MakeFont(const TFontDesc& desc, int pixels) {
  QFont font(FamilyOf(desc.Name));
  font.setPixelSize(std::max(1, pixels));
  font.setBold(desc.Style & fsBold);
  font.setItalic(desc.Style & fsItalic);
  font.setUnderline(desc.Style & fsUnderline);
  font.setStrikeOut(desc.Style & fsStrikeOut);
  font.setKerning(false);
  return font;
}

}  // namespace

void InstallFontSubstitutions() {
  const QStringList installed = QFontDatabase::families();
  for (const auto& s : kSubstitutions) {
    const QString name = QString::fromLatin1(s.name);
    if (installed.contains(name, Qt::CaseInsensitive)) continue;
    if (installed.contains(QString::fromLatin1(s.family), Qt::CaseInsensitive))
      QFont::insertSubstitution(name, QString::fromLatin1(s.family));
  }
}

const QtFonts::Face& QtFonts::FaceOf(const TFontDesc& desc, int dpi) {
  const int pixels = desc.EmPixels(dpi);
  // Underline and strike-out change no width: they share one face.
  const std::string key = AnsiUpperCase(desc.Name) + '\0' + std::to_string(pixels) + '\0' +
                          std::to_string(desc.Style & (fsBold | fsItalic));
  auto it = faces_.find(key);
  if (it != faces_.end()) return it->second;
  Face face;
  TFontDesc plain = desc;
  plain.Style &= fsBold | fsItalic;
  face.font = MakeFont(plain, pixels);
  face.raw = QRawFont::fromFont(face.font);
  const QFontMetricsF fm(face.font);
  for (int b = 0; b < 256; ++b)
    face.widths[static_cast<size_t>(b)] = static_cast<int>(
        std::lround(fm.horizontalAdvance(QChar(static_cast<char16_t>(AnsiToUnicode(static_cast<Byte>(b)))))));
  face.metrics.Ascent = static_cast<int>(std::lround(fm.ascent()));
  face.metrics.Descent = static_cast<int>(std::lround(fm.descent()));
  face.metrics.InternalLeading = std::max(0, face.metrics.Height() - pixels);
  return faces_.emplace(key, std::move(face)).first->second;
}

int QtFonts::CharWidth(const TFontDesc& font, int dpi, unsigned char ch) { return FaceOf(font, dpi).widths[ch]; }

// A widget lays its text out at the font's own advances, not whole pixels each.
int QtFonts::ControlTextWidth(const TFontDesc& font, int dpi, std::string_view text) {
  const QString shown = QString::fromStdString(AnsiToUtf8(text));
  return static_cast<int>(std::ceil(QFontMetricsF(WidgetFont(font, dpi)).horizontalAdvance(shown)));
}

TextMetrics QtFonts::Metrics(const TFontDesc& font, int dpi) { return FaceOf(font, dpi).metrics; }

std::vector<std::string> QtFonts::Families() {
  std::set<std::string> names;
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : installed) names.insert(Utf8ToAnsi(family.toStdString()));
  for (const auto& s : kSubstitutions)
    if (installed.contains(QString::fromLatin1(s.family), Qt::CaseInsensitive)) names.insert(s.name);
  return {names.begin(), names.end()};
}

QFont QtFonts::WidgetFont(const TFontDesc& font, int dpi) { return MakeFont(font, font.EmPixels(dpi)); }

}  // namespace qm
