// Fonts on the desktop: the program's font names land on installed
// families, and every width the core measures is the advance the text is
// then drawn with, so that what the core lays out is what appears.
#pragma once

#include <QFont>
#include <QRawFont>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/graphics.h"

namespace qm {

// The families the program names, mapped onto metric-compatible ones.
void InstallFontSubstitutions();

class QtFonts : public FontMetrics {
 public:
  struct Face {
    QFont font;
    QRawFont raw;
    std::array<int, 256> widths{};
    TextMetrics metrics;
  };

  int CharWidth(const TFontDesc& font, int dpi, unsigned char ch) override;
  int ControlTextWidth(const TFontDesc& font, int dpi, std::string_view text) override;
  TextMetrics Metrics(const TFontDesc& font, int dpi) override;
  std::vector<std::string> Families() override;

  // The font at a resolution: sized in pixels, with the style bits.
  const Face& FaceOf(const TFontDesc& font, int dpi);
  // A font for a native widget at the screen's resolution.
  static QFont WidgetFont(const TFontDesc& font, int dpi);

 private:
  std::map<std::string, Face> faces_;
};

}  // namespace qm
