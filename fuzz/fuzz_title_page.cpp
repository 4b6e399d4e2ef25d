// A file's title page is whatever bytes the file holds: the first 525
// are taken as the item slots, the next 1,537 as the text block (zeros
// after the input). Every item read keeps inside its limits and holds
// only bytes of the block, and a page whose texts fit the block is stored
// and read back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/title_page.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm;
  using qm::fuzz::Check;
  // Each on the heap at its exact size, so that a read past it is caught.
  std::vector<Byte> items(TitlePageItemsSize);
  std::vector<Byte> text(TitlePageTextSize);
  const std::size_t inItems = std::min(size, TitlePageItemsSize);
  std::copy_n(data, inItems, items.begin());
  std::copy_n(data + inItems, std::min(size - inItems, TitlePageTextSize), text.begin());
  const TTitlePage page = ReadTitlePage(TTitlePageItemBytes(items.data(), TitlePageItemsSize),
                                        TTitlePageTextBytes(text.data(), TitlePageTextSize));
  for (const TTitlePageItem& item : page) {
    Check(item.Text.size() <= TitlePageTextSize);
    Check(item.Text.find('\0') == std::string::npos);
    Check(!item.FontName.empty() && item.FontName.size() <= TitlePageFontNameLength);
    Check(item.FontSize >= TitlePageMinFontSize && item.FontSize <= TitlePageMaxFontSize);
    Check((item.Style & ~static_cast<unsigned>(fsBold | fsItalic | fsUnderline)) == 0);
    Check(item.Left >= 0 && item.Left <= TitlePageWidth);
    Check(item.Top >= 0 && item.Top <= TitlePageHeight);
    Check(item.Alignment == TAlignment::taLeftJustify || item.Alignment == TAlignment::taRightJustify ||
          item.Alignment == TAlignment::taCenter);
  }
  std::array<Byte, TitlePageItemsSize> storedItems{};
  std::array<Byte, TitlePageTextSize> storedText{};
  const bool fits = TitlePageTextLength(page) <= TitlePageTextRoom;
  Check(WriteTitlePage(page, storedItems, storedText) == fits);
  if (fits) {
    Check(ReadTitlePage(storedItems, storedText) == page);
    Check(storedText.back() == 0);
  }
  return 0;
}
