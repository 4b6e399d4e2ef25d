#include "story/card_printing.h"

#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "printing/print_run.h"
#include "script/script_window.h"
#include "story/cards_fixture.h"

namespace qm {
namespace {

using testing::ElementSpec;

TEST(CardPrintGeometryTest, CardsShareTheSheetLessMarginsAndGaps) {
  TPrintRunGlobals run;  // 300 dots per inch, 2550 x 3300, printable from (75, 75)
  const struct {
    const char* name;
    TCardPrintLayout layout;
    TCardGeometry geometry;
  } cases[] = {
      // 0.30 inch everywhere: a quarter of the page less the margins and one gap each way
      {"2 x 2 portrait", {2, 2, false, true, true, 30, 30, 30}, {90, 15, 15, 1140, 1515}},
      // the sheet's height runs across
      {"2 x 2 landscape", {2, 2, true, true, true, 30, 30, 30}, {90, 15, 15, 1515, 1140}},
      {"3 x 1 landscape, half-inch sides", {3, 1, true, false, false, 20, 50, 10}, {30, 75, -15, 980, 2430}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TCardGeometry g = CardPrintGeometry(c.layout, run);
    EXPECT_EQ(g.Gap, c.geometry.Gap);
    EXPECT_EQ(g.Left, c.geometry.Left);
    EXPECT_EQ(g.Top, c.geometry.Top);
    EXPECT_EQ(g.Width, c.geometry.Width);
    EXPECT_EQ(g.Height, c.geometry.Height);
  }
}

TEST(CardPrintTextTest, SingleLineBreaksJoinWithABlankAndRunsStay) {
  // clang-format off
  const struct {
    std::string card, printed;
  } cases[] = {
      // One paragraph runs on, its words kept apart.
      {"one\r\ntwo", "one two"},
      {"one \r\ntwo", "one two"},
      {"one\r\ntwo\r\nthree", "one two three"},
      {"para one\r\n\r\npara two", "para one\n\npara two"},
      {std::string("a\x04" "b\x05" "c"), "a b-c"},
      {std::string("\x02" "bold\x03 \x19" "it\x1A"), "bold it"},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(PrintableCardText(c.card), c.printed) << c.card;
}

class CardPrintingTest : public testing::CardsFixture {
 protected:
  void LoadScenes(int scenes) {
    LoadRooms(scenes);
    LoadCardTable(Script(), table_, {});
  }
  const std::vector<std::unique_ptr<RecordingCanvas>>& Sheets() { return Backend().PrinterList()[0]->Pages(); }
  // The boxes drawn on a sheet, by their corners.
  static std::vector<TPoint> Boxes(const RecordingCanvas& sheet) {
    std::vector<TPoint> corners;
    for (const DrawOp& op : sheet.Ops())
      if (op.kind == DrawOp::Kind::Polygon && op.pen.Width == 5) corners.push_back(op.points.front());
    return corners;
  }
  TCardTable table_;
};

TEST_F(CardPrintingTest, FiveCardsTwoByTwoFillTwoSheetsInReadingOrder) {
  LoadScenes(5);
  ASSERT_TRUE(PrintCards(Script(), table_, 5, 1, TCardPrintLayout{}, false));
  ASSERT_EQ(Sheets().size(), 2u);
  // 1140 x 1515 cards from (15, 15), 90 apart
  EXPECT_EQ(Boxes(*Sheets()[0]), (std::vector<TPoint>{{15, 15}, {1245, 15}, {15, 1620}, {1245, 1620}}));
  EXPECT_EQ(Boxes(*Sheets()[1]), (std::vector<TPoint>{{15, 15}}));
  // a 12-point font at 300 dots per inch: the headline 50 in from the corner
  const DrawOp* headline = Sheets()[0]->FindText("2 INT. ROOM 2");
  ASSERT_NE(headline, nullptr);
  EXPECT_EQ(headline->rect.Left, 1245 + 50);
  EXPECT_TRUE(headline->font.Style & fsBold);
  const DrawOp* body = Sheets()[0]->FindText("Body 2.");
  ASSERT_NE(body, nullptr);
  EXPECT_GE(body->rect.Top, 15 + 152);
  EXPECT_NE(Sheets()[1]->FindText("5 INT. ROOM 5"), nullptr);
}

TEST_F(CardPrintingTest, LandscapeWithoutBoxesGoesDownTheColumnsInVerticalLayout) {
  LoadScenes(3);
  TCardPrintLayout layout;
  layout.Landscape = true;
  layout.DrawBoxes = false;
  layout.BoldHeadlines = false;
  ASSERT_TRUE(PrintCards(Script(), table_, 1, 3, layout, true));
  ASSERT_EQ(Sheets().size(), 1u);
  EXPECT_TRUE(Boxes(*Sheets()[0]).empty());
  // 1515 x 1140 cards: the second card under the first, the third beside it
  const DrawOp* second = Sheets()[0]->FindText("2 INT. ROOM 2");
  const DrawOp* third = Sheets()[0]->FindText("3 INT. ROOM 3");
  ASSERT_NE(second, nullptr);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(second->rect.Left, 15 + 50);
  EXPECT_EQ(third->rect.Left, 15 + 1515 + 90 + 50);
  EXPECT_FALSE(second->font.Style & fsBold);
}

}  // namespace
}  // namespace qm
