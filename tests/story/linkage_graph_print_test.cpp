// The linkage graphs printed: four to a page, each page headed with the
// script's name and its first and last target.
#include "story/linkage_graph_print.h"

#include <gtest/gtest.h>

#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "script/script_window.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class LinkageGraphPrintTest : public testing::ProgramFixture {
 protected:
  // Nine targets in a chain, each leading to the next.
  story::TLinkageGraph Chain(int count) {
    TMDIChild& w = Script();
    std::vector<testing::ElementSpec> elements;
    for (int i = 1; i <= count; ++i) {
      elements.push_back({ekSceneHeading, "Room " + std::to_string(i)});
      elements.push_back({ekTransition, "GO TO ROOM (" + std::to_string(i % count + 1) + ")"});
    }
    testing::LoadInteractiveScript(w, elements);
    story::TLinkageGraph graph;
    graph.SetupAllLinks(w);
    graph.SortJumps(0);
    return graph;
  }
};

TEST_F(LinkageGraphPrintTest, FourGraphsToAPageEachPageHeaded) {
  const auto graph = Chain(9);
  std::vector<std::string> progress, status;
  // A reversed range prints the same.
  ASSERT_TRUE(story::PrintLinkageGraphs(graph, 8, 0, "/home/me/maze.scr",
                                        {.Progress = [&](const std::string& s) { progress.push_back(s); },
                                         .Status = [&](const std::string& s) { status.push_back(s); }}));
  const auto& pages = Backend().PrinterList()[0]->Pages();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(status, (std::vector<std::string>{"Branch Targets 1-4", "Branch Targets 5-8", "Branch Targets 9"}));
  ASSERT_EQ(progress.size(), 9u);
  EXPECT_EQ(progress.front(), "Printing Branch Target 1");
  EXPECT_EQ(progress.back(), "Printing Branch Target 9");
  const char* headings[] = {"Branch Targets 1-4", "Branch Targets 5-8", "Branch Targets 9"};
  for (std::size_t p = 0; p < 3; ++p) {
    EXPECT_NE(pages[p]->FindText(headings[p]), nullptr) << pages[p]->Transcript();
    EXPECT_NE(pages[p]->FindText("maze.scr"), nullptr) << pages[p]->Transcript();
  }
  // Each selected target in its own quarter of the page, in order.
  const int quarter = Printer()->PageHeight() / 4;
  std::vector<int> tops;
  for (const DrawOp& op : pages[0]->Ops())
    if (op.kind == DrawOp::Kind::Ellipse) tops.push_back(op.rect.Top);
  ASSERT_EQ(tops.size(), 4u);
  for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(tops[i] - tops[i - 1], quarter);
  EXPECT_NE(pages[2]->FindText("room 9 (9)"), nullptr);
  EXPECT_EQ(pages[2]->FindText("room 5 (5)"), nullptr);
}

TEST_F(LinkageGraphPrintTest, TheNumberIsReadFromTheFirstParentheses) {
  struct Case {
    const char* label;
    std::int64_t expected;
  } cases[] = {{"hall (12)", 12}, {"the (west) wing (3)", -1}, {"no number", -1}, {"open (7", -1}, {"() (4)", -1}};
  for (const Case& c : cases) EXPECT_EQ(story::TrueJumpNumber(c.label), c.expected) << c.label;
}

}  // namespace
}  // namespace qm
