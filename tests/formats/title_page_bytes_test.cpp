// The title page's bytes: the items stored in the script's two fields and
// read back whatever the bytes hold, and where an item lands on a surface.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "formats/title_page.h"
#include "formats/title_page_layout.h"
#include "formats/title_page_samples.h"
#include "platform/byte_io.h"

namespace qm::testing {
namespace {

using enum TAlignment;

// Bytes of the exact sizes, on the heap: a read outside them is caught.
struct StoredBytes {
  std::vector<Byte> items = std::vector<Byte>(TitlePageItemsSize);
  std::vector<Byte> text = std::vector<Byte>(TitlePageTextSize);
  TTitlePage Read() const {
    return ReadTitlePage(TTitlePageItemBytes(items.data(), TitlePageItemsSize),
                         TTitlePageTextBytes(text.data(), TitlePageTextSize));
  }
  std::span<Byte> Slot(int i) { return std::span(items).subspan(static_cast<std::size_t>(i) * TitlePageItemBytes, 35); }
};

TEST(TitlePageBytes, ItemsReadBackAsWritten) {
  std::array<Byte, TitlePageItemsSize> items{};
  std::array<Byte, TitlePageTextSize> text{};
  const TTitlePage page = SamplePage();
  ASSERT_TRUE(WriteTitlePage(page, items, text));
  EXPECT_EQ(ReadTitlePage(items, text), page);
  EXPECT_FALSE(TitlePageNeverSetUp(items));
  // The texts run together from the start, and a 0 ends them, so that a
  // reader that stops at the first 0 sees them all.
  const std::string all = page[0].Text + page[1].Text + page[4].Text + page[6].Text;
  EXPECT_EQ(std::string(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(all.size())), all);
  EXPECT_EQ(text[all.size()], 0);
  // Slot 1: "written by" after the title; its size, style, alignment and
  // place; the font name as a short string.
  const std::span<const Byte> slot(items.data() + 35, 35);
  EXPECT_EQ(GetU16(slot, 0), page[0].Text.size());
  EXPECT_EQ(GetU16(slot, 2), page[1].Text.size());
  EXPECT_EQ(GetU16(slot, 4), 425);
  EXPECT_EQ(GetU16(slot, 6), 400);
  EXPECT_EQ(slot[8], 12);
  EXPECT_EQ(slot[9], fsItalic);
  EXPECT_EQ(slot[10], 2) << "centred";
  EXPECT_EQ(slot[11], 15);
  EXPECT_EQ(std::string(slot.begin() + 12, slot.begin() + 27), "Times New Roman");
}

TEST(TitlePageBytes, TextsThatDoNotFitChangeNothing) {
  std::array<Byte, TitlePageItemsSize> items{};
  std::array<Byte, TitlePageTextSize> text{};
  ASSERT_TRUE(WriteTitlePage(SamplePage(), items, text));
  const auto itemsBefore = items;
  const auto textBefore = text;
  TTitlePage page = SamplePage();
  for (int i = 0; i < 15; ++i) page[static_cast<std::size_t>(i)].Text = std::string(102, 'x');
  EXPECT_EQ(TitlePageTextLength(page), 1530u);
  EXPECT_TRUE(WriteTitlePage(page, items, text)) << "1,530 characters fit";
  page[3].Text += "123456";
  EXPECT_EQ(TitlePageTextLength(page), 1536u);
  EXPECT_TRUE(WriteTitlePage(page, items, text)) << "1,536 fit";
  EXPECT_EQ(text.back(), 0) << "the closing 0 stays";
  ASSERT_TRUE(WriteTitlePage(SamplePage(), items, text));
  page[3].Text += "7";
  EXPECT_FALSE(WriteTitlePage(page, items, text));
  EXPECT_EQ(items, itemsBefore);
  EXPECT_EQ(text, textBefore);
}

// Whatever a file's title page bytes hold, the items read stay inside the
// block and inside their limits.
TEST(TitlePageBytes, HostileItemsAreReadSafely) {
  struct Case {
    const char* name;
    std::function<void(StoredBytes&)> damage;
    std::function<void(const TTitlePageItem&)> check;
  } const cases[] = {
      {"offset past the block", [](StoredBytes& b) { PutU16(b.Slot(0), 0, 5000), PutU16(b.Slot(0), 2, 10); },
       [](const TTitlePageItem& i) { EXPECT_EQ(i.Text, ""); }},
      {"length past the block",
       [](StoredBytes& b) {
         PutU16(b.Slot(0), 0, 1530), PutU16(b.Slot(0), 2, 0xFFFF);
         std::fill(b.text.begin() + 1530, b.text.end(), 'Z');
       },
       [](const TTitlePageItem& i) { EXPECT_EQ(i.Text, std::string(7, 'Z')); }},
      {"text ends at a 0",
       [](StoredBytes& b) {
         PutU16(b.Slot(0), 0, 0), PutU16(b.Slot(0), 2, 9);
         std::copy_n("AB\0CD", 5, b.text.begin());
       },
       [](const TTitlePageItem& i) { EXPECT_EQ(i.Text, "AB"); }},
      {"font name longer than its room",
       [](StoredBytes& b) {
         b.Slot(0)[11] = 255;
         std::fill(b.Slot(0).begin() + 12, b.Slot(0).end(), 'F');
       },
       [](const TTitlePageItem& i) { EXPECT_EQ(i.FontName, std::string(23, 'F')); }},
      {"empty font name", [](StoredBytes&) {}, [](const TTitlePageItem& i) { EXPECT_EQ(i.FontName, "Courier New"); }},
      {"size too large", [](StoredBytes& b) { b.Slot(0)[8] = 200; },
       [](const TTitlePageItem& i) { EXPECT_EQ(i.FontSize, 72); }},
      {"size too small", [](StoredBytes& b) { b.Slot(0)[8] = 1; },
       [](const TTitlePageItem& i) { EXPECT_EQ(i.FontSize, 4); }},
      {"unknown style bits", [](StoredBytes& b) { b.Slot(0)[9] = 0xFF; },
       [](const TTitlePageItem& i) { EXPECT_EQ(i.Style, fsBold | fsItalic | fsUnderline); }},
      {"unknown alignment", [](StoredBytes& b) { b.Slot(0)[10] = 9; },
       [](const TTitlePageItem& i) { EXPECT_EQ(i.Alignment, taLeftJustify); }},
      {"place off the page", [](StoredBytes& b) { PutU16(b.Slot(0), 4, 0xFFF0), PutU16(b.Slot(0), 6, 30000); },
       [](const TTitlePageItem& i) {
         EXPECT_EQ(std::pair(i.Left, i.Top), (std::pair<std::int16_t, std::int16_t>(0, 1100)));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StoredBytes bytes;
    bytes.Slot(1)[8] = 12;  // the page was set up
    c.damage(bytes);
    const TTitlePage page = bytes.Read();
    c.check(page[0]);
    // What was read is stored again as it was read.
    std::array<Byte, TitlePageItemsSize> items{};
    std::array<Byte, TitlePageTextSize> text{};
    ASSERT_TRUE(WriteTitlePage(page, items, text));
    EXPECT_EQ(ReadTitlePage(items, text), page);
  }
}

TEST(TitlePageBytes, ItemsThatShareTextAreEachReadWhole) {
  StoredBytes bytes;
  const std::string shared = "SHARED TEXT";
  std::copy(shared.begin(), shared.end(), bytes.text.begin());
  for (int i = 0; i < 15; ++i) {
    PutU16(bytes.Slot(i), 2, static_cast<Word>(shared.size()));
    bytes.Slot(i)[8] = 12;
  }
  const TTitlePage page = bytes.Read();
  for (const TTitlePageItem& item : page) EXPECT_EQ(item.Text, shared);
  EXPECT_EQ(TitlePageTextLength(page), 15 * shared.size());
}

TEST(TitlePageLayout, AnItemsAnchorFollowsItsAlignment) {
  struct Case {
    TAlignment align;
    int left;  // page units
    int dpi, zoom, width;
    int boxLeft;
  } const cases[] = {
      {taLeftJustify, 100, 96, 100, 50, 96},   {taCenter, 425, 96, 100, 50, 383},
      {taRightJustify, 750, 96, 100, 50, 670}, {taCenter, 425, 96, 50, 40, 184},
      {taRightJustify, 850, 300, 15, 30, 353},
  };
  for (const Case& c : cases) {
    TTitlePageItem item;
    item.Alignment = c.align;
    item.Left = static_cast<std::int16_t>(c.left);
    item.Top = 200;
    const TRect box = TitlePageItemBox(item, c.width, 20, c.dpi, c.zoom);
    EXPECT_EQ(box.Left, c.boxLeft) << c.left;
    EXPECT_EQ(box.Width(), c.width);
    EXPECT_EQ(box.Top, PageUnitsToPixels(200, c.dpi, c.zoom));
    EXPECT_NEAR(TitlePageAnchor(c.align, box.Left, c.width, c.dpi, c.zoom), c.left, 100 * 100 / (c.dpi * c.zoom) + 1)
        << "the box gives its anchor back";
  }
}

}  // namespace
}  // namespace qm::testing
