// Where the title page's items go on a surface: page units turned into
// pixels of a resolution at a zoom, and an item's anchor (its left edge,
// centre or right edge by its alignment) turned into the box its text
// takes. The publisher's preview and any print of the page place items
// through these alone.
#pragma once

#include <cstdint>

#include "formats/title_page.h"
#include "platform/graphics.h"
#include "platform/types.h"

namespace qm {

// Pixels of `units` page units at `dpi` shown at `zoom` percent, and back.
int PageUnitsToPixels(int units, int dpi, int zoom);
int PixelsToPageUnits(int pixels, int dpi, int zoom);

// The font an item's text is drawn in.
TFontDesc TitlePageItemFont(const TTitlePageItem& item);

// The box of an item whose text measures width x height pixels on that
// surface.
TRect TitlePageItemBox(const TTitlePageItem& item, int width, int height, int dpi, int zoom);
// The item's anchor in page units when its box of `width` pixels starts at
// `boxLeft`: what a box moved on the surface gives back to the item.
std::int16_t TitlePageAnchor(TAlignment alignment, int boxLeft, int width, int dpi, int zoom);

}  // namespace qm
