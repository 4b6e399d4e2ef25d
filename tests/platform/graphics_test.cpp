#include "platform/graphics.h"

#include <gtest/gtest.h>

#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using GraphicsTest = testing::PlatformFixture;

TEST_F(GraphicsTest, HeadlessWidthsAreFixedAndDocumented) {
  const struct {
    const char* font;
    int size;
    int dpi;
    unsigned char ch;
    int width;
  } cases[] = {
      {"Courier New", 12, 300, 'M', 30},                                 // 0.6 em of a 50-dot em
      {"Courier New", 12, 300, 0xE9, 30},                                // every character alike
      {"Courier New", 12, 96, 'i', 10},                                  // 9.6 rounds to 10
      {"Courier", 10, 300, ' ', 25},       {"Arial", 12, 300, 'M', 42},  // 833 thousandths
      {"Arial", 12, 300, 'i', 11},                                       // 222 thousandths
      {"Times New Roman", 10, 96, 'A', 9},                               // 667 of 13.33
  };
  for (const auto& c : cases) {
    TFontDesc font;
    font.Name = c.font;
    font.Size = c.size;
    EXPECT_EQ(MeasureText(font, c.dpi, std::string(1, static_cast<char>(c.ch))), c.width) << c.font << " " << c.ch;
  }
}

// A font sized by its pixel height draws at that height: rounded to whole
// points, 14 pixels became 11 points, which are 15 pixels, and the text
// drew wider than its widths were measured.
TEST_F(GraphicsTest, AFontSizedInPixelsKeepsItsHeight) {
  TFont font;
  font.PixelsPerInch = 96;
  const struct {
    int height;
    int em;
  } cases[] = {{-14, 14}, {-15, 15}, {-16, 16}, {14, 14}};
  for (const auto& c : cases) {
    font.SetHeight(c.height);
    EXPECT_EQ(font.Desc().EmPixels(96), c.em) << c.height;
    EXPECT_EQ(font.Height(), -c.em) << c.height;
  }
  font.SetHeight(-14);
  font.Size = 12;
  EXPECT_EQ(font.Desc().EmPixels(96), 16) << "a size set in points afterwards counts";
  TFont copy;
  font.SetHeight(-14);
  copy.Assign(font);
  EXPECT_EQ(copy.Desc().EmPixels(96), 14) << "a copy keeps the height";
}

TEST_F(GraphicsTest, CanvasRecordsTextWithItsFontAndBaselinePlacement) {
  RecordingCanvas page(300);
  TCanvas canvas(&page);
  canvas.Font.Name = "Courier New";
  canvas.Font.Size = 12;
  canvas.Font.Style = fsBold | fsUnderline;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.TextOut(100, 200, "FADE IN:");
  canvas.TextAlign = TTextAlign::Baseline;
  canvas.TextOut(100, 244, "X");
  ASSERT_EQ(page.TextOps().size(), 2u);
  const DrawOp& first = *page.TextOps()[0];
  EXPECT_EQ(first.text, "FADE IN:");
  EXPECT_EQ(first.rect.Left, 100);
  EXPECT_EQ(first.rect.Top, 200);
  EXPECT_EQ(first.rect.Right, 100 + 8 * 30);
  EXPECT_EQ(first.font.Style, static_cast<unsigned>(fsBold | fsUnderline));
  EXPECT_EQ(page.TextOps()[1]->rect.Top, 200) << "the baseline lies one ascent below the cell's top";
  EXPECT_EQ(canvas.TextWidth("FADE IN:"), 240);
}

TEST_F(GraphicsTest, DrawTextWrapsAtBlanksAndMeasuresWithCalcRect) {
  TCanvas canvas;
  canvas.Font.Name = "Courier New";
  canvas.Font.Size = 12;  // 10 pixels a character, 18 a line at 96 dpi
  TRect r{0, 0, 100, 0};
  canvas.DrawText("Are you sure you want to exit?", r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(r.Height(), 4 * 18);
  TRect single{0, 0, 0, 0};
  canvas.DrawText("&Yes", single, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(single.Width(), 30) << "the accelerator marker takes no room";
}

TEST_F(GraphicsTest, PrinterRecordsPagesAndReportsItsMetrics) {
  TPrinter& printer = *Printer();
  ASSERT_TRUE(printer.HasPrinter());
  EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSY), 300);
  EXPECT_EQ(printer.GetDeviceCaps(PHYSICALWIDTH), 2550);
  EXPECT_EQ(printer.GetDeviceCaps(PHYSICALOFFSETX), 75);
  EXPECT_EQ(printer.PageHeight(), 3150);
  printer.Title = "Script";
  ASSERT_TRUE(printer.BeginDoc());
  printer.Canvas().TextOut(0, 0, "page one");
  printer.NewPage();
  printer.Canvas().TextOut(0, 0, "page two");
  printer.EndDoc();
  auto& device = *Backend().PrinterList().front();
  ASSERT_EQ(device.Pages().size(), 2u);
  EXPECT_NE(device.Pages()[1]->FindText("page two"), nullptr);
  EXPECT_EQ(device.DocumentTitle(), "Script");
}

TEST_F(GraphicsTest, NoPrinterMeansZeroMetricsAndNoJob) {
  Backend().PrinterList().clear();
  Printer()->Refresh();
  EXPECT_FALSE(Printer()->HasPrinter());
  EXPECT_EQ(Printer()->GetDeviceCaps(LOGPIXELSX), 0);
  EXPECT_FALSE(Printer()->BeginDoc());
  EXPECT_EQ(Printer()->Printers().Count(), 0);
}

TEST_F(GraphicsTest, InvalidatedWindowsPaintOntoTheirRecordingWhenTheLoopRuns) {
  TForm form(nullptr);
  int paints = 0;
  form.OnPaint = [&](TObject*) {
    ++paints;
    form.Canvas.TextOut(5, 5, "painted");
  };
  form.Show();
  Application->RequestPaint(&form);
  Application->ProcessMessages();
  EXPECT_EQ(paints, 1);
  EXPECT_NE(form.Recording()->FindText("painted"), nullptr);
  form.Hide();
  Application->RequestPaint(&form);
  Application->ProcessMessages();
  EXPECT_EQ(paints, 1) << "a hidden window is not painted";
}

}  // namespace
}  // namespace qm
