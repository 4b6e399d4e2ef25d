// Fonts and the canvas on the desktop: the program's font names land on
// installed metric-compatible families, widths are what text is drawn
// with, and drawing keeps the old platform's device rules.
#include <QImage>

#include "gui/gui_fixture.h"
#include "platform/graphics.h"
#include "platform/qt/qt_canvas.h"

namespace qm {
namespace {

class CanvasFontsTest : public testing::GuiFixture {
 protected:
  static TFontDesc Font(const std::string& name, int size, unsigned style = 0) {
    TFontDesc f;
    f.Name = name;
    f.Size = size;
    f.Style = style;
    return f;
  }
  int Width(const TFontDesc& f, int dpi, char c) {
    return Backend().Fonts().CharWidth(f, dpi, static_cast<unsigned char>(c));
  }
};

TEST_F(CanvasFontsTest, TheProgramsFontNamesAreInstalled) {
  const auto families = Screen->Fonts();
  for (const char* name : {"Courier New", "Arial", "Times New Roman", "MS Sans Serif"})
    EXPECT_NE(std::find(families.begin(), families.end(), name), families.end()) << name;
}

TEST_F(CanvasFontsTest, WidthsFollowTheFontsMetrics) {
  struct Case {
    const char* family;
    int size;
    int dpi;
    char a, b;
    bool same;
    int width;  // of 'a' in device units, 0: not checked
  };
  // Courier New advances 0.6 em: 12 pt is 10 px at 96 dpi, 30 at 300.
  const Case cases[] = {
      {"Courier New", 12, 96, 'i', 'W', true, 10},      {"Courier New", 12, 300, 'i', 'W', true, 30},
      {"Courier New", 10, 300, '.', '\xE9', true, 25},  {"Arial", 12, 96, 'i', 'W', false, 0},
      {"Times New Roman", 12, 300, 'l', 'M', false, 0},
  };
  for (const Case& c : cases) {
    const TFontDesc f = Font(c.family, c.size);
    EXPECT_EQ(Width(f, c.dpi, c.a) == Width(f, c.dpi, c.b), c.same) << c.family << " " << c.dpi;
    if (c.width) {
      EXPECT_EQ(Width(f, c.dpi, c.a), c.width) << c.family << " " << c.dpi;
    }
  }
  const TextMetrics m = Backend().Fonts().Metrics(Font("Courier New", 12), 96);
  EXPECT_GT(m.Ascent, m.Descent);
  EXPECT_GE(m.Height(), 16) << "the cell holds the em";
}

TEST_F(CanvasFontsTest, TheCanvasKeepsTheOldDeviceRules) {
  TBitmap bitmap(100, 60);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.Color = clWhite;
  canvas.FillRect(Rect(0, 0, 100, 60));
  canvas.Pen.Color = clBlack;
  canvas.MoveTo(10, 5);
  canvas.LineTo(20, 5);
  canvas.Brush.Color = clRed;
  canvas.FillRect(Rect(30, 10, 40, 20));
  canvas.SetPixel(90, 50, clBlue);
  struct Case {
    const char* what;
    int x, y;
    TColor color;
  };
  // clang-format off
  const Case cases[] = {
      {"line start", 10, 5, clBlack},   {"line middle", 15, 5, clBlack}, {"line end left out", 20, 5, clWhite},
      {"fill corner", 30, 10, clRed},    {"fill inside", 39, 19, clRed},  {"fill right edge left out", 40, 15, clWhite},
      {"fill bottom edge left out", 35, 20, clWhite}, {"pixel", 90, 50, clBlue},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(canvas.Pixel(c.x, c.y), c.color) << c.what;
}

TEST_F(CanvasFontsTest, TextLandsInItsCellAdvancedByTheMeasuredWidths) {
  TBitmap bitmap(300, 40);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.Color = clWhite;
  canvas.FillRect(Rect(0, 0, 300, 40));
  canvas.Font.Name = "Courier New";
  canvas.Font.Size = 12;
  canvas.Font.Color = clBlack;
  canvas.TextOut(5, 5, "MMMM");
  const int width = canvas.TextWidth("MMMM");
  EXPECT_EQ(width, 40);
  const QImage* image = static_cast<PainterSink*>(bitmap.Surface())->ImageForReading();
  ASSERT_NE(image, nullptr);
  EXPECT_GT(DarkPixels(*image, QRect(5, 5, width, canvas.TextHeight("M"))), 30);
  EXPECT_EQ(DarkPixels(*image, QRect(5 + width + 2, 0, 40, 40)), 0) << "nothing past the measured width";
  EXPECT_EQ(DarkPixels(*image, QRect(0, 5 + canvas.TextHeight("M") + 1, 300, 5)), 0) << "nothing below the cell";
}

}  // namespace
}  // namespace qm
