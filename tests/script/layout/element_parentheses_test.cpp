// The brackets a parenthetical is read with: the element stores its words
// alone, the screen shows "(" before its first line and ")" after its last,
// and the lines break where they break without them.
#include "script/layout/element_parentheses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "script/layout/screen_lines.h"
#include "script/model/standard_formats.h"
#include "support/layout_fixture.h"

namespace qm {
namespace {

using testing::LayoutFixture;

// On screen a character is 10 pixels and a tenth of an inch 10 pixels.
constexpr int kCharPixels = 10;

class ElementParenthesesTest : public LayoutFixture {
 protected:
  std::vector<std::string> Shown(Byte kind, const std::string& text) {
    Window().FreeElements();
    Build({{kind, text}});
    LayOutAll();
    return ShownLines(Window().CurrentElement->lineCount);
  }
  const DrawOp* Painted(const std::string& text) {
    Window().Recording()->Clear();
    Window().RedisplayScreen(true);
    return Window().Recording()->FindText(text);
  }
  int MarginX(Byte slot) const { return Window().LeftTextOffset + Window().FormatSet[slot].LeftMargin * kCharPixels; }
};

std::string Speech(int words) {
  std::string text;
  for (int i = 0; i < words; ++i) text += (i ? " " : "") + std::string("softly");
  return text;
}

TEST_F(ElementParenthesesTest, TheScreenShowsTheBracketsAroundTheWrappedLines) {
  const struct {
    const char* what;
    Byte kind;
    Byte actionParentheticals;
    std::string text;
    std::vector<std::string> shown;
  } cases[] = {
      {"a one-line parenthetical", ekParenthetical, 0, "under her breath", {"(under her breath)"}},
      {"an empty parenthetical", ekParenthetical, 0, "", {"()"}},
      {"one typed with its own brackets gets no second pair", ekParenthetical, 0, "(quietly)", {"(quietly)"}},
      {"dialogue has none", ekDialogue, 0, "under her breath", {"under her breath"}},
      {"action has none by default", ekAction, 0, "She waits.", {"She waits."}},
      {"action while it is shown in parentheses", ekAction, 1, "She waits.", {"(She waits.)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().ActionParentheticals = c.actionParentheticals;
    EXPECT_EQ(Shown(c.kind, c.text), c.shown);
  }
}

TEST_F(ElementParenthesesTest, TheBracketsDoNotMoveTheLineBreaks) {
  // The same action with and without its parentheses breaks in the same
  // places: only the first line gains "(" and the last ")".
  const std::string text = Speech(25);
  Window().ActionParentheticals = 0;
  const std::vector<std::string> plain = Shown(ekAction, text);
  ASSERT_GE(plain.size(), 3u);
  Window().ActionParentheticals = 1;
  std::vector<std::string> expected = plain;
  expected.front() = "(" + expected.front();
  expected.back() += ")";
  EXPECT_EQ(Shown(ekAction, text), expected);
}

TEST_F(ElementParenthesesTest, TheOpeningBracketStandsAtTheMarginOrHangsOutdented) {
  const struct {
    const char* what;
    Byte outdent;
    int shift;  // characters from the margin
  } cases[] = {{"at the margin", 0, 0}, {"outdented into the margin", 1, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().OutdentParentheticals = c.outdent;
    Shown(ekParenthetical, "under her breath");
    const DrawOp* op = Painted("(under her breath)");
    ASSERT_NE(op, nullptr) << Window().Recording()->Transcript();
    EXPECT_EQ(op->rect.Left, MarginX(fsParenthetical) + c.shift * kCharPixels);
    // The caret before the first letter stands after the "(" as painted.
    Window().CaretColumn = 1;
    Window().CaretLine = 1;
    EXPECT_EQ(ScreenTextLeft(Window(), *Window().CurrentElement, 1) + Window().LeftTextOffset,
              op->rect.Left + kCharPixels);
    EXPECT_EQ(ScreenTextLeft(Window(), *Window().CurrentElement, 2) + Window().LeftTextOffset, MarginX(fsParenthetical));
  }
}

}  // namespace
}  // namespace qm
