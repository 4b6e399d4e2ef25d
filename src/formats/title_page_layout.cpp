#include "formats/title_page_layout.h"

#include <algorithm>
#include <cstdint>

namespace qm {

namespace {

// Rounded to the nearest, halves away from zero.
int Scaled(std::int64_t value, std::int64_t multiplier, std::int64_t divider) {
  if (divider <= 0) return 0;
  const std::int64_t product = value * multiplier;
  const std::int64_t half = divider / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divider : -((-product + half) / divider));
}

}  // namespace

int PageUnitsToPixels(int units, int dpi, int zoom) {
  return Scaled(units, static_cast<std::int64_t>(dpi) * zoom, static_cast<std::int64_t>(TitlePageUnitsPerInch) * 100);
}

int PixelsToPageUnits(int pixels, int dpi, int zoom) {
  return Scaled(pixels, static_cast<std::int64_t>(TitlePageUnitsPerInch) * 100, static_cast<std::int64_t>(dpi) * zoom);
}

TFontDesc TitlePageItemFont(const TTitlePageItem& item) {
  TFontDesc font;
  font.Name = item.FontName;
  font.Size = item.FontSize;
  font.Style = item.Style;
  font.Color = clBlack;
  return font;
}

TRect TitlePageItemBox(const TTitlePageItem& item, int width, int height, int dpi, int zoom) {
  int left = PageUnitsToPixels(item.Left, dpi, zoom);
  const int top = PageUnitsToPixels(item.Top, dpi, zoom);
  if (item.Alignment == TAlignment::taCenter) left -= width / 2;
  if (item.Alignment == TAlignment::taRightJustify) left -= width;
  return TRect{left, top, left + width, top + height};
}

std::int16_t TitlePageAnchor(TAlignment alignment, int boxLeft, int width, int dpi, int zoom) {
  int anchor = boxLeft;
  if (alignment == TAlignment::taCenter) anchor += width / 2;
  if (alignment == TAlignment::taRightJustify) anchor += width;
  return static_cast<std::int16_t>(
      std::clamp(PixelsToPageUnits(anchor, dpi, zoom), 0, static_cast<int>(TitlePageWidth)));
}

}  // namespace qm
