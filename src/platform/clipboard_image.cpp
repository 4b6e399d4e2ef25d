#include "platform/clipboard_image.h"

#include "platform/byte_io.h"

namespace qm {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr DWord InfoHeaderSize = 40;
constexpr DWord NoCompression = 0;
// 32-bit rows with colour masks; the masks of the usual order are assumed.
constexpr DWord BitFields = 3;

std::size_t RowBytes(int width, int bits) {
  return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) / 8 + 3) & ~std::size_t{3};
}

TColor ColorOfBgr(Byte blue, Byte green, Byte red) { return static_cast<TColor>(red | (green << 8) | (blue << 16)); }

}  // namespace

Bytes EncodeBitmapFile(const TPixelImage& image) {
  const std::size_t row = RowBytes(image.Width, 24);
  const std::size_t pixels = row * static_cast<std::size_t>(image.Height);
  Bytes out;
  ByteWriter w(out);
  w.Text("BM");
  w.U32(static_cast<DWord>(FileHeaderSize + InfoHeaderSize + pixels));
  w.U32(0);
  w.U32(static_cast<DWord>(FileHeaderSize + InfoHeaderSize));
  w.U32(InfoHeaderSize);
  w.U32(static_cast<DWord>(image.Width));
  w.U32(static_cast<DWord>(image.Height));
  w.U16(1);
  w.U16(24);
  w.U32(NoCompression);
  w.U32(static_cast<DWord>(pixels));
  w.U32(3780);  // 96 dots per inch, in dots per metre
  w.U32(3780);
  w.U32(0);
  w.U32(0);
  for (int y = image.Height - 1; y >= 0; --y) {
    for (int x = 0; x < image.Width; ++x) {
      const TColor c = image.At(x, y);
      w.U8(static_cast<Byte>(c >> 16));
      w.U8(static_cast<Byte>(c >> 8));
      w.U8(static_cast<Byte>(c));
    }
    for (std::size_t pad = static_cast<std::size_t>(image.Width) * 3; pad < row; ++pad) w.U8(0);
  }
  return out;
}

std::optional<TPixelImage> DecodeBitmapFile(const Bytes& bytes) {
  ByteReader r(bytes);
  if (r.Text(2) != "BM") return std::nullopt;
  r.U32();  // the file's size, which writers do not all fill in
  r.U32();
  const DWord pixelsAt = r.U32();
  const DWord infoSize = r.U32();
  const auto width = static_cast<std::int32_t>(r.U32());
  const auto height = static_cast<std::int32_t>(r.U32());
  const Word planes = r.U16();
  const Word bits = r.U16();
  const DWord compression = r.U32();
  if (!r.Ok() || infoSize < InfoHeaderSize || planes != 1 || (bits != 24 && bits != 32)) return std::nullopt;
  if (compression != NoCompression && !(compression == BitFields && bits == 32)) return std::nullopt;
  // A negative height keeps the rows from the top.
  const bool topDown = height < 0;
  const std::int64_t rows = topDown ? -static_cast<std::int64_t>(height) : height;
  if (width <= 0 || width > MaxPictureSide || rows <= 0 || rows > MaxPictureSide) return std::nullopt;
  const std::size_t row = RowBytes(width, bits);
  if (pixelsAt < FileHeaderSize + infoSize || pixelsAt > bytes.size() ||
      bytes.size() - pixelsAt < row * static_cast<std::size_t>(rows))
    return std::nullopt;
  TPixelImage image;
  image.Width = width;
  image.Height = static_cast<int>(rows);
  image.Pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
  const std::size_t step = bits / 8;
  for (int y = 0; y < image.Height; ++y) {
    const std::size_t stored = topDown ? static_cast<std::size_t>(y) : static_cast<std::size_t>(image.Height - 1 - y);
    const Byte* p = bytes.data() + pixelsAt + stored * row;
    for (int x = 0; x < width; ++x, p += step)
      image.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          ColorOfBgr(p[0], p[1], p[2]);
  }
  return image;
}

bool ClipboardHasPicture() { return Clipboard()->HasFormat(CF_BITMAP); }

std::optional<TPixelImage> ClipboardPicture() {
  const std::optional<Bytes> bytes = Clipboard()->GetData(CF_BITMAP);
  if (!bytes) return std::nullopt;
  return DecodeBitmapFile(*bytes);
}

void SetClipboardPicture(const TPixelImage& image) {
  TClipboard& clipboard = *Clipboard();
  clipboard.Open();
  clipboard.Clear();
  clipboard.SetData(CF_BITMAP, EncodeBitmapFile(image));
  clipboard.Close();
}

void DrawPicture(TBitmap& bitmap, const TPixelImage& image) {
  bitmap.SetSize(image.Width, image.Height);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  // Runs of one colour are filled at once: drawings have long ones.
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width;) {
      const TColor c = image.At(x, y);
      int end = x + 1;
      while (end < image.Width && image.At(end, y) == c) ++end;
      canvas.Brush.Color = c;
      canvas.FillRect(TRect{x, y, end, y + 1});
      x = end;
    }
  }
}

}  // namespace qm
