// A page move lays out only what comes into view and paints only what
// lies in the window: what it shows must be what a layout of the whole
// screen from nothing shows, and the status line must read the same, at
// every step through a generated screenplay, both ways.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/recording_canvas.h"
#include "script/editing/position_texts.h"
#include "script/editing/scrolling.h"
#include "script/fixtures/keys_fixture.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "support/script_generator.h"

namespace qm {
namespace {

class PageMoveScreenTest : public testing::KeysFixture {
 protected:
  // The rows in the window as a reader sees them: element, line, place,
  // text and styles.
  std::string Shown() {
    std::ostringstream out;
    for (int line = 1; line <= ScreenLineCount; ++line) {
      const TScreenLine& row = W().ScreenLines[static_cast<std::size_t>(line)];
      if (ScreenLineTop(W(), line) >= W().ClientHeight()) break;
      out << line << ' ' << row.element << ' ' << row.lineInElement << ' ' << row.y << ' ' << row.height << ' '
          << row.left << ' ' << int(row.banner) << " [" << row.text << "] ";
      for (std::size_t column = 1; column <= row.text.size(); ++column) out << int(row.attributes[column]) << ',';
      out << '\n';
    }
    return out.str();
  }
  std::string Status() {
    TStatusTexts texts;
    if (!ComputeStatusTexts(W(), {}, texts)) return "none";
    return texts.page + '|' + texts.scene + '|' + std::to_string(texts.scrollPosition) + '/' +
           std::to_string(texts.scrollMaximum) + '|' + PositionText(W());
  }
  // The same view laid from an empty table.
  std::string ShownFromNothing() {
    const std::int16_t top = W().CurrentElement()->screenLine;
    ResetScreenLines(W());
    W().CurrentElement()->screenLine = top;
    RebuildScreen(&W());
    return Shown();
  }
  // What the page move painted: the texts drawn, in order.
  std::string Painted() {
    std::string texts;
    for (const DrawOp* op : W().Recording()->TextOps()) texts += op->text + '\n';
    return texts;
  }
  std::string PaintedFromNothing() {
    W().Recording()->Clear();
    W().RedisplayScreen(true);
    return Painted();
  }
  void Step(bool down) {
    W().Recording()->Clear();
    if (down) ScrollPageDown(W(), {});
    else ScrollPageUp(W(), {});
  }
};

TEST_F(PageMoveScreenTest, EveryStepShowsWhatALayoutFromNothingShows) {
  Load(testing::GenerateScreenplay(17, 12), 0);
  W().RefreshLayout();
  GotoScriptTop(W());
  int steps = 0;
  for (bool down : {true, false}) {
    SCOPED_TRACE(down ? "page down" : "page up");
    for (int i = 0; i < 80; ++i) {
      const TScriptElement* before = W().CurrentElement();
      Step(down);
      if (W().CurrentElement() == before) break;  // an end of the script
      ++steps;
      SCOPED_TRACE(steps);
      const std::string shown = Shown();
      const std::string status = Status();
      const std::string painted = Painted();
      ASSERT_FALSE(painted.empty());
      EXPECT_EQ(PaintedFromNothing(), painted) << "the page move painted the whole window";
      EXPECT_EQ(ShownFromNothing(), shown);
      EXPECT_EQ(Status(), status);
    }
  }
  EXPECT_GT(steps, 20) << "down to the end and back to the start";
}

TEST_F(PageMoveScreenTest, LinesBelowTheWindowAreLeftForWhenItGrows) {
  Load(testing::GenerateScreenplay(3, 3), 0);
  W().RefreshLayout();
  W().Recording()->Clear();
  W().RedisplayScreen(true);
  const std::size_t painted = W().Recording()->TextOps().size();
  const int height = W().ClientHeight();
  W().SetBounds(W().Left(), W().Top(), W().Width(), W().Height() + height);
  W().Recording()->Clear();
  RebuildScreen(&W());
  W().RedisplayScreen(true);
  EXPECT_GT(W().Recording()->TextOps().size(), painted) << "a taller window paints more lines";
  EXPECT_EQ(PaintedFromNothing(), Painted());
}

}  // namespace
}  // namespace qm
