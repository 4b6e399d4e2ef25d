// The linkage graph drawn: boxes where the layout puts them, arrows in the
// colours of their branches, and the mouse finding the boxes.
#include "story/linkage_graph_drawing.h"

#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "script/script_window.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using Kind = DrawOp::Kind;

class LinkageGraphDrawingTest : public testing::ProgramFixture {
 protected:
  // Start (1) leads to Left (2) always and to Right (3) inside an IF;
  // Left leads to Right; Back (4) leads to Start.
  story::TLinkageGraph SmallGraph() {
    TMDIChild& w = Script();
    testing::LoadInteractiveScript(w, {{ekSceneHeading, "Start"},
                                       {ekTransition, "GO TO LEFT (2)"},
                                       {ekShot, "IF <KEY> THEN"},
                                       {ekTransition, "GO TO RIGHT (3)"},
                                       {ekShot, "ENDIF"},
                                       {ekSceneHeading, "Left"},
                                       {ekTransition, "GO TO RIGHT (3)"},
                                       {ekSceneHeading, "Right"},
                                       {ekSceneHeading, "Back"},
                                       {ekTransition, "GO TO START (1)"}});
    story::TLinkageGraph graph;
    graph.SetupAllLinks(w);
    graph.SortJumps(0);
    return graph;
  }
  static std::vector<const DrawOp*> Of(const RecordingCanvas& rec, Kind kind, std::size_t points = 0) {
    std::vector<const DrawOp*> out;
    for (const DrawOp& op : rec.Ops())
      if (op.kind == kind && (points == 0 || op.points.size() == points)) out.push_back(&op);
    return out;
  }
  static const story::TDrawnBox& Box(const story::TLinkageDrawing& d, Word number) {
    for (const auto& b : d.Boxes())
      if (b.number == number) return b;
    throw std::runtime_error("no box for " + std::to_string(number));
  }
};

TEST_F(LinkageGraphDrawingTest, LaysOutTheLeadingTargetTheSelectedOneAndItsTargets) {
  const auto graph = SmallGraph();
  RecordingCanvas rec(96);
  TCanvas canvas(&rec);
  story::TLinkageDrawing drawing(graph, canvas);
  drawing.Draw(1, {.centre = 400, .clipRight = 800, .clipBottom = 600});

  ASSERT_EQ(drawing.Boxes().size(), 4u);
  const int h = drawing.BoxHeight();
  EXPECT_EQ(Box(drawing, 4).y, 24);  // top margin: a quarter inch
  EXPECT_EQ(Box(drawing, 1).y, 96);
  EXPECT_TRUE(Box(drawing, 1).selected);
  EXPECT_EQ(Box(drawing, 2).y, 96 + 24 + h);
  EXPECT_EQ(Box(drawing, 3).y, Box(drawing, 2).y);
  // The row of targets is centred: equal room either side, within a pixel.
  const int left = 400 - Box(drawing, 2).x, right = Box(drawing, 3).x + Box(drawing, 3).width - 400;
  EXPECT_LE(std::abs(left - right), 1) << left << " " << right;
  EXPECT_EQ(Box(drawing, 3).x, Box(drawing, 2).x + Box(drawing, 2).width + 24);  // a quarter-inch gap

  EXPECT_EQ(Of(rec, Kind::Ellipse).size(), 1u);
  EXPECT_EQ(Of(rec, Kind::Polygon, 4).size(), 4u);  // the screen's background and three boxes
  for (const char* label : {"start (1)", "left (2)", "right (3)", "back (4)"})
    EXPECT_NE(rec.FindText(label), nullptr) << label << "\n" << rec.Transcript();

  // Four arrows: one conditional (red), three not (blue).
  const auto heads = Of(rec, Kind::Polygon, 3);
  ASSERT_EQ(heads.size(), 4u);
  const auto red =
      std::count_if(heads.begin(), heads.end(), [](auto* op) { return op->brush.Color == RGB(255, 0, 0); });
  const auto blue =
      std::count_if(heads.begin(), heads.end(), [](auto* op) { return op->brush.Color == RGB(0, 0, 255); });
  EXPECT_EQ(red, 1);
  EXPECT_EQ(blue, 3);
  // The arrow into Right from Left on the same row comes down onto its top.
  const auto& r = Box(drawing, 3);
  const bool intoRight = std::any_of(heads.begin(), heads.end(), [&](auto* op) {
    return op->points[0] == TPoint{r.x + (r.width / 3) * 2, r.y};
  });
  EXPECT_TRUE(intoRight);
}

TEST_F(LinkageGraphDrawingTest, ARowTooWideBreaksOntoTheNext) {
  const auto graph = SmallGraph();
  RecordingCanvas rec(96);
  TCanvas canvas(&rec);
  story::TLinkageDrawing drawing(graph, canvas);
  drawing.Draw(1, {.centre = 60, .clipRight = 120 + 48, .clipBottom = 400});
  ASSERT_EQ(drawing.Boxes().size(), 4u);
  EXPECT_GT(Box(drawing, 3).y, Box(drawing, 2).y);
  EXPECT_EQ(Box(drawing, 3).y - Box(drawing, 2).y, 24 + drawing.BoxHeight());
}

TEST_F(LinkageGraphDrawingTest, MonochromePrinterDrawsBranchesInBlackOfTwoWidths) {
  const auto graph = SmallGraph();
  RecordingCanvas rec(300);
  TCanvas canvas(&rec);
  story::TLinkageDrawing drawing(graph, canvas);
  drawing.Draw(1, {.centre = 1275, .clipRight = 2550, .pageOffset = 1000, .screen = false, .colour = false});
  EXPECT_EQ(Box(drawing, 4).y, 75 + 1000);          // shifted by the page offset
  EXPECT_EQ(Of(rec, Kind::Polygon, 4).size(), 3u);  // no background on paper
  std::vector<int> widths;
  for (const auto* op : Of(rec, Kind::Polygon, 3)) {
    EXPECT_EQ(op->pen.Color, clBlack);
    widths.push_back(op->pen.Width);
  }
  std::sort(widths.begin(), widths.end());
  EXPECT_EQ(widths, (std::vector<int>{1, 3, 3, 3}));
}

TEST_F(LinkageGraphDrawingTest, TheMouseFindsTheBoxes) {
  const auto graph = SmallGraph();
  RecordingCanvas rec(96);
  TCanvas canvas(&rec);
  story::TLinkageDrawing drawing(graph, canvas);
  drawing.Draw(1, {.centre = 400, .clipRight = 800, .clipBottom = 600});
  const auto& left = Box(drawing, 2);
  const auto& start = Box(drawing, 1);
  struct Case {
    int x, y;
    bool right;
    std::optional<Word> expected;
  } cases[] = {
      {left.x, left.y, false, 2},
      {left.x + left.width, left.y + drawing.BoxHeight(), true, 2},
      {left.x - 1, left.y, false, std::nullopt},
      {start.x + 1, start.y + 1, false, std::nullopt},  // the selected target only for the right button
      {start.x + 1, start.y + 1, true, 1},
      {0, 0, true, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(drawing.OverBox(c.x, c.y, c.right), c.expected) << c.x << "," << c.y;
}

}  // namespace
}  // namespace qm
