#include "script/layout/line_revision_marks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "support/layout_fixture.h"

namespace qm {
namespace {

using testing::LayoutFixture;

// Marks end half an inch in from the right edge of a letter page: at 80
// tenths, x 800 on screen (10 pixels a tenth and a character).
class LineRevisionMarksTest : public LayoutFixture {
 protected:
  static std::string Words(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "word ";
    return s;
  }
  // The marks drawn, by baseline: (x, text) of every text op right of 700.
  std::vector<std::pair<int, std::string>> MarksOn(int line) {
    std::vector<std::pair<int, std::string>> marks;
    const int baseline = Window().ScreenLines[static_cast<std::size_t>(line)].y;
    for (const DrawOp* op : Window().Recording()->TextOps())
      if (op->rect.Top + 14 == baseline && op->rect.Left >= 700) marks.push_back({op->rect.Left, op->text});
    std::sort(marks.begin(), marks.end());
    return marks;
  }
  void Paint() {
    Window().Recording()->Clear();
    Window().RedisplayScreen(true);
  }
};

TEST_F(LineRevisionMarksTest, RevisedLinesCarryTheirMarksBesideThem) {
  using Marks = std::vector<std::pair<int, std::string>>;
  const struct {
    const char* what;
    std::string text;
    std::string revised;
    std::string markText;
    std::vector<Marks> lines;
  } cases[] = {
      {"the second of three lines", Words(30), "\x02", "*", {{}, {{790, "*"}}, {}}},
      {"first and last", Words(30), std::string("\x01\x03", 2), "*", {{{790, "*"}}, {}, {{790, "*"}}}},
      {"the script's own mark text", Words(30), "\x01", "R1", {{{780, "R1"}}, {}, {}}},
      {"a lock code at the line's start adds a level", "\x1B" + Words(30), "\x01", "*", {{{780, "**"}}, {}, {}}},
      {"a locked line not revised now keeps its level", "\x1C" + Words(30), "", "*", {{{780, "**"}}, {}, {}}},
      {"none revised", Words(30), "", "*", {{}, {}, {}}},
  };
  for (const auto& c : cases) {
    Build({{ekAction, c.text}, {ekAction, "next"}});
    if (!c.revised.empty()) ElementAt(0)->revisedLines = c.revised;
    Window().RevisionMarkText = c.markText;
    LayOutAll();
    ASSERT_EQ(ElementAt(0)->lineCount, 3) << c.what;
    Paint();
    for (int line = 1; line <= 3; ++line)
      EXPECT_EQ(MarksOn(line), c.lines[static_cast<std::size_t>(line - 1)]) << c.what << ", line " << line;
    Window().FreeElements();
    ResetScreenLines(Window());
  }
}

TEST_F(LineRevisionMarksTest, TheRuleIsTheLinesOwnIndex) {
  TScriptElement element;
  EXPECT_FALSE(LineIsRevised(element, 1)) << "no list";
  element.revisedLines = std::string("\x02\x05", 2);
  const struct {
    int line;
    bool revised;
  } cases[] = {{0, false}, {1, false}, {2, true}, {5, true}, {6, false}, {300, false}};
  for (const auto& c : cases) EXPECT_EQ(LineIsRevised(element, c.line), c.revised) << c.line;
}

TEST_F(LineRevisionMarksTest, AHeadingsMarksStayClearOfItsRightNumber) {
  Build({{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "x"}});
  Window().RebuildElementGroups();
  ElementAt(0)->revisedLines = std::string("\x01");
  Window().RightNumber = 1;
  LayOutAll();
  Paint();
  // The number stands at page position (right margin - 2); the mark goes
  // past it and a blank.
  const int numberX = (85 - (ElementAt(0)->format.RightMargin - 2)) * 10;
  const auto marks = MarksOn(1);
  ASSERT_EQ(marks.size(), 2u) << Window().Recording()->Transcript();
  EXPECT_EQ(marks[0], (std::pair<int, std::string>{numberX, "1"}));
  EXPECT_EQ(marks[1].second, "*");
  EXPECT_EQ(marks[1].first, std::max(790, numberX + 20));
}

}  // namespace
}  // namespace qm
