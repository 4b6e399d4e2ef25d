// A report's flow down its pages: what fits, blocks kept together, the
// footer and header around each ejection, and the page numbers.
#include "printing/report_page.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "printing/print_run.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class ReportPageTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    ASSERT_TRUE(StartPrintJob(false, "Report"));
  }
  // The texts of every page, in order.
  std::vector<std::vector<std::string>> Pages() {
    std::vector<std::vector<std::string>> pages;
    for (const auto& page : Backend().PrinterList()[0]->Pages()) {
      pages.emplace_back();
      for (const DrawOp* op : page->TextOps()) pages.back().push_back(op->text);
    }
    return pages;
  }
};

TEST_F(ReportPageTest, ABlockFitsWhenItEndsAtTheBottomOrAbove) {
  TReportPage page(*CurrentPrintCanvas, 1000, 1000);
  page.Bottom = 900;
  const struct {
    int y, height;
    bool fits;
  } cases[] = {
      {800, 100, true},                                                    // exactly fills the page
      {801, 100, false}, {0, 900, true}, {0, 901, false}, {900, 0, true},  // the cursor at the bottom is not past it
      {901, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "+" + std::to_string(c.height));
    page.Y = c.y;
    EXPECT_EQ(page.Fits(c.height), c.fits);
    EXPECT_EQ(page.PastBottom(), c.y > 900);
    EXPECT_EQ(page.KeepTogether(c.height), !c.fits);
    // Kept together: a block that did not fit starts at the new page's top.
    EXPECT_EQ(page.Y, c.fits ? c.y : page.Top);
  }
  EXPECT_EQ(page.Number(), 4);
  ASSERT_TRUE(FinishPrintJob());
  EXPECT_EQ(Backend().PrinterList()[0]->Pages().size(), 4u);
}

TEST_F(ReportPageTest, EachEjectionHasTheFooterBeforeItAndTheHeaderAfterIt) {
  TReportPage page(*CurrentPrintCanvas, 1000, 1000);
  page.Top = 50;
  page.Bottom = 400;
  page.OnFooter([](TReportPage& p) {
    p.X = 0;
    p.Y = 950;
    p.PrintAt("end of page " + std::to_string(p.Number()), false);
  });
  page.OnHeader([](TReportPage& p) {
    EXPECT_EQ(p.Y, 50);
    EXPECT_EQ(p.X, 0);
    p.PrintAt("page " + std::to_string(p.Number()), false);
    p.Advance(100);
  });
  for (int line = 1; line <= 5; ++line) {
    page.KeepTogether(100);
    page.X = 0;
    page.PrintAt("line " + std::to_string(line), false);
    page.Advance(100);
  }
  EXPECT_TRUE(page.Printed);
  ASSERT_TRUE(FinishPrintJob());
  // Four lines fill the first page; the header takes a line of the next.
  using Texts = std::vector<std::string>;
  EXPECT_EQ(Pages(),
            (std::vector<Texts>{{"line 1", "line 2", "line 3", "line 4", "end of page 1"}, {"page 2", "line 5"}}));
  EXPECT_EQ(page.Number(), 2);
  EXPECT_EQ(page.Y, 250);
}

TEST_F(ReportPageTest, ANewPageStartsEmptyAtTheTopLeft) {
  TReportPage page(*CurrentPrintCanvas, 1000, 1000);
  page.Top = 75;
  page.X = 300;
  page.Y = 600;
  page.PrintAt("text", true);
  EXPECT_TRUE(page.Printed);
  EXPECT_GT(page.X, 300);
  page.NewPage();
  EXPECT_EQ(page.X, 0);
  EXPECT_EQ(page.Y, 75);
  EXPECT_FALSE(page.Printed);
  EXPECT_EQ(page.Number(), 2);
  ASSERT_TRUE(FinishPrintJob());
}

}  // namespace
}  // namespace qm
