// Pictures on the clipboard: the bitmap file bytes they travel as, what
// reading them refuses, and the clipboard the processes of a runtime
// folder share.
#include "platform/clipboard_image.h"

#include <gtest/gtest.h>

#include "platform/byte_io.h"
#include "platform/folder_clipboard.h"
#include "platform/recording_canvas.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using ClipboardImageTest = testing::PlatformFixture;

TPixelImage Striped(int width, int height) {
  TPixelImage image;
  image.Width = width;
  image.Height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Pixels.push_back(static_cast<TColor>(0x010203 * (x + 1) + 0x100000 * y));
  return image;
}

// A bitmap file as another program may write it.
Bytes BitmapFile(int width, int height, Word bits, DWord compression, const Bytes& rows, DWord pixelsAt = 54) {
  Bytes out;
  ByteWriter w(out);
  w.Text("BM");
  w.U32(0);
  w.U32(0);
  w.U32(pixelsAt);
  w.U32(40);
  w.U32(static_cast<DWord>(width));
  w.U32(static_cast<DWord>(height));
  w.U16(1);
  w.U16(bits);
  w.U32(compression);
  for (int i = 0; i < 5; ++i) w.U32(0);
  while (out.size() < pixelsAt) w.U8(0);
  w.Bytes(rows);
  return out;
}

TEST_F(ClipboardImageTest, PicturesTravelAsBitmapFilesAndReadBackTheSame) {
  for (const auto& [width, height] : {std::pair{1, 1}, {3, 2}, {5, 4}, {4, 1}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    const TPixelImage image = Striped(width, height);
    const Bytes file = EncodeBitmapFile(image);
    const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;  // rows end on four bytes
    EXPECT_EQ(file.size(), 54 + row * static_cast<std::size_t>(height));
    EXPECT_EQ(GetU32(file, 2), file.size());
    // The bottom row first, blue green red.
    EXPECT_EQ(file[54], static_cast<Byte>(image.At(0, height - 1) >> 16));
    EXPECT_EQ(file[56], static_cast<Byte>(image.At(0, height - 1)));
    const auto back = DecodeBitmapFile(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Width, width);
    EXPECT_EQ(back->Height, height);
    EXPECT_EQ(back->Pixels, image.Pixels);
  }
  // 32-bit rows kept from the top (a negative height).
  const Bytes rows{0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0xFF};
  const auto topDown = DecodeBitmapFile(BitmapFile(1, -2, 32, 3, rows));
  ASSERT_TRUE(topDown);
  EXPECT_EQ(topDown->Pixels, (std::vector<TColor>{0x102030, 0x405060}));
}

TEST_F(ClipboardImageTest, WhatIsNotAWholePictureIsRefused) {
  const Bytes row{1, 2, 3, 0};
  const Bytes good = BitmapFile(1, 1, 24, 0, row);
  Bytes pastTheEnd = good;
  PutU32(pastTheEnd, 10, 900);
  const struct {
    const char* what;
    Bytes file;
  } cases[] = {
      {"not a bitmap file", Bytes{'P', 'N', 'G', 0}},
      {"cut in the header", Bytes(good.begin(), good.begin() + 30)},
      {"rows missing", BitmapFile(1, 2, 24, 0, row)},
      {"16 bits a pixel", BitmapFile(1, 1, 16, 0, row)},
      {"compressed", BitmapFile(1, 1, 24, 1, row)},
      {"no width", BitmapFile(0, 1, 24, 0, row)},
      {"wider than any frame", BitmapFile(MaxPictureSide + 1, 1, 24, 0, row)},
      {"rows inside the header", BitmapFile(1, 1, 24, 0, row, 20)},
      {"rows past the end", pastTheEnd},
  };
  for (const auto& c : cases) EXPECT_FALSE(DecodeBitmapFile(c.file)) << c.what;
  EXPECT_TRUE(DecodeBitmapFile(good)) << "the good one beside them";
}

TEST_F(ClipboardImageTest, APictureOnTheClipboardIsReadAndDrawn) {
  EXPECT_FALSE(ClipboardHasPicture());
  EXPECT_FALSE(ClipboardPicture());
  Clipboard()->SetAsText("text");
  SetClipboardPicture(Striped(3, 2));
  EXPECT_TRUE(ClipboardHasPicture());
  EXPECT_EQ(Clipboard()->Formats(), std::vector<UINT>{CF_BITMAP}) << "the picture alone";
  const auto picture = ClipboardPicture();
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Pixels, Striped(3, 2).Pixels);

  // Drawn in runs of one colour.
  TPixelImage runs;
  runs.Width = 4;
  runs.Height = 1;
  runs.Pixels = {7, 7, 7, 9};
  TBitmap bitmap;
  DrawPicture(bitmap, runs);
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(bitmap.Height(), 1);
  std::vector<std::pair<TColor, int>> fills;
  for (const DrawOp& op : dynamic_cast<RecordingCanvas*>(bitmap.Surface())->Ops())
    if (op.kind == DrawOp::Kind::FillRect) fills.push_back({op.brush.Color, op.rect.Right - op.rect.Left});
  EXPECT_EQ(fills, (std::vector<std::pair<TColor, int>>{{7, 3}, {9, 1}}));
}

TEST_F(ClipboardImageTest, TheProcessesOfARuntimeFolderShareOneClipboard) {
  const std::string folder = Home();
  FolderClipboard ours(folder), theirs(folder);
  EXPECT_TRUE(theirs.Contents().empty());
  const std::vector<ClipItem> items{{CF_BITMAP, "", EncodeBitmapFile(Striped(2, 2))},
                                    {0xC010, "Rich Text Format", Bytes{'{', '}'}}};
  ours.Publish(items);
  const auto seen = theirs.Contents();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].format, CF_BITMAP);
  EXPECT_EQ(seen[0].data, items[0].data);
  EXPECT_EQ(seen[1].name, "Rich Text Format");
  EXPECT_EQ(seen[1].data, items[1].data);

  // A damaged file reads as an empty clipboard.
  Bytes file = EncodeClipboardFile(items);
  EXPECT_TRUE(DecodeClipboardFile(file));
  file[10] ^= 0x55;
  EXPECT_FALSE(DecodeClipboardFile(file));
  file = EncodeClipboardFile(items);
  file.resize(file.size() - 5);
  EXPECT_FALSE(DecodeClipboardFile(file));
}

}  // namespace
}  // namespace qm
