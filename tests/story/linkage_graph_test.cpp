// The linkages of a branching script: which targets lead where, and how.
#include "story/linkage_graph.h"

#include <gtest/gtest.h>

#include "script/script_window.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using story::lkConditional;
using story::lkUnconditional;

class LinkageGraphTest : public testing::ProgramFixture {
 protected:
  // Elements whose scene headings take the given numbers in order.
  story::TLinkageGraph Graph(const std::vector<testing::ElementSpec>& elements, std::vector<Word> numbers) {
    TMDIChild& w = Script();
    w.FreeElements();
    w.InteractiveScript = 1;
    testing::AddElements(w, elements);
    std::size_t i = 0;
    for (TScriptElement* e = w.FirstElement; e; e = e->next)
      if (e->Kind() == ekSceneHeading) e->format.NumberWord = numbers.at(i++);
    w.DisAssemble();
    story::TLinkageGraph graph;
    graph.SetupAllLinks(w);
    return graph;
  }
  static std::vector<std::int32_t> Links(const story::TGraphNode& node) {
    return {node.links.begin(), node.links.begin() + node.UsedSlots()};
  }
};

TEST_F(LinkageGraphTest, LabelsComeInOrderOfNumber) {
  auto graph = Graph({{ekAction, "GO TO NOWHERE (7)"},  // before the first target: not read
                      {ekSceneHeading, "The Hall"},
                      {ekSceneHeading, "Attic"},
                      {ekSceneHeading, "CELLAR"}},
                     {3, 1, 2});
  EXPECT_EQ(graph.Labels, (std::vector<std::string>{"the hall (3)", "attic (1)", "cellar (2)"}));
  graph.SortJumps(0);
  EXPECT_EQ(graph.Labels, (std::vector<std::string>{"attic (1)", "cellar (2)", "the hall (3)"}));
}

TEST_F(LinkageGraphTest, LinksAreReadFromBranchPointsAndJumpLines) {
  std::string many;
  for (int i = 1; i <= 30; ++i) many += "GO TO X (" + std::to_string(i) + ")\xA7";
  auto graph = Graph({{ekSceneHeading, "One"},
                      {ekTransition, "GO TO TWO (2)\xA7GO TO TWO (2)"},
                      {ekShot, "IF YOU OPEN THE DOOR then"},
                      {ekTransition, "GO TO TWO (2)\xA7GO TO THREE (3)"},  // inside the IF: conditional
                      {ekShot, "ENDIF"},
                      {ekTransition, "GO TO (words) (3)\xA7GO TO (4"},  // words skipped; "(" unclosed ends it
                      {ekSceneHeading, "Two"},
                      {ekShot, "IF <KEY> THEN <JUMP (1)>"},  // a jump line is read
                      {ekShot, "SET <DOOR> TO TRUE. (3)"},   // any other activity line is not
                      {ekSceneHeading, "Three"},
                      {ekTransition, many}},
                     {1, 2, 3});
  ASSERT_EQ(graph.Nodes.size(), 3u);
  EXPECT_EQ(Links(graph.Nodes[0]), (std::vector<std::int32_t>{2, 3}));
  EXPECT_EQ(graph.Nodes[0].kinds[0], lkUnconditional) << "unconditional once stays so";
  EXPECT_EQ(graph.Nodes[0].kinds[1], lkUnconditional) << "later met outside the IF";
  EXPECT_EQ(Links(graph.Nodes[1]), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(graph.Nodes[1].kinds[0], lkConditional);
  EXPECT_EQ(graph.Nodes[2].UsedSlots(), 25) << "the first 25 are kept";
  EXPECT_EQ(graph.Nodes[2].links[24], 25);
  EXPECT_TRUE(graph.LinksTo(2, 1));
  EXPECT_FALSE(graph.LinksTo(1, 1));
}

TEST_F(LinkageGraphTest, AReturnLeadsBackToEveryTargetThatLeadsHere) {
  auto graph = Graph({{ekSceneHeading, "A"},
                      {ekTransition, "GO TO E (5)"},
                      {ekSceneHeading, "B"},
                      {ekTransition, "GO TO E (5)"},
                      {ekSceneHeading, "C"},
                      {ekSceneHeading, "E"},
                      {ekTransition, "RETURN (0)\xA7GO TO C (3)"},
                      {ekSceneHeading, "D"},
                      {ekTransition, "RETURN (0)"}},
                     {1, 2, 3, 5, 4});
  graph.SortJumps(0);
  EXPECT_EQ(Links(*graph.Node(5)), (std::vector<std::int32_t>{1, 2})) << "the return became targets 1 and 2";
  EXPECT_EQ(Links(*graph.Node(4)), (std::vector<std::int32_t>{0})) << "nothing leads to 4";
}

}  // namespace
}  // namespace qm
