// Pictures on the clipboard. A bitmap travels as the bytes of a bitmap
// file (a 14-byte file header, a 40-byte or longer info header, then the
// rows), the form every desktop reads and writes: the headless backend
// keeps those bytes, the desktop's clipboard turns them into its image and
// back. Reading takes uncompressed 24- and 32-bit pictures of sensible size
// and refuses everything else.
#pragma once

#include <optional>
#include <vector>

#include "platform/clipboard.h"
#include "platform/graphics.h"

namespace qm {

// The largest side a picture from outside may have, so that a damaged
// header cannot ask for gigabytes.
constexpr int MaxPictureSide = 4096;

struct TPixelImage {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;  // rows from the top, each left to right
  TColor At(int x, int y) const {
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)];
  }
};

// A 24-bit bitmap file, rows from the bottom as the format keeps them.
Bytes EncodeBitmapFile(const TPixelImage& image);
// nullopt for anything that is not a whole picture of the kind above.
std::optional<TPixelImage> DecodeBitmapFile(const Bytes& bytes);

// The clipboard's picture (CF_BITMAP), and a picture put there alone.
bool ClipboardHasPicture();
std::optional<TPixelImage> ClipboardPicture();
void SetClipboardPicture(const TPixelImage& image);

// Paints the picture into a bitmap of its size.
void DrawPicture(TBitmap& bitmap, const TPixelImage& image);

}  // namespace qm
