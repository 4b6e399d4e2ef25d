// A title page of every kind of item, for the tests of the title page.
#pragma once

#include "formats/title_page.h"

namespace qm::testing {

inline TTitlePage SamplePage() {
  using enum TAlignment;
  TTitlePage page;
  page[0] = {"THE LONG NIGHT", "Courier New", 24, fsBold | fsUnderline, taCenter, 425, 300};
  page[1] = {"written by", "Times New Roman", 12, fsItalic, taCenter, 425, 400};
  page[4] = {"Blue - 12/7/26\r\nPink - 1/4/27", "Courier New", 10, 0, taRightJustify, 780, 950};
  page[6] = {"A. Writer\r\n12 Long Street", "Courier New", 12, 0, taLeftJustify, 100, 900};
  page[14] = {"", "Arial", 72, fsBold | fsItalic | fsUnderline, taLeftJustify, 850, 1100};
  return page;
}

}  // namespace qm::testing
