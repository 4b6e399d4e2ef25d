// Typed text goes inside the chosen revision colour.
#include "script/editing/revision_colour.h"

#include <gtest/gtest.h>

#include "platform/input.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

class RevisionColourTest : public testing::KeysFixture {};

// Blue is 18 ... 19, Red 16 ... 17, Green 20 ... 13.
TEST_F(RevisionColourTest, TypedTextGoesInsideTheChosenColour) {
  const struct {
    const char* what;
    std::string before;
    int column;
    Byte colour;
    const char* typed;
    std::string after;
    int caret;
  } cases[] = {
      {"blue at the end", "Old.", 4, 1, " new", "Old.\x12 new\x13", 9},
      {"blue in the middle", "ab", 1, 1, "x",
       "a\x12x\x13"
       "b",
       3},
      {"typing on after the close code stays inside", "a\x12x\x13", 4, 1, "y", "a\x12xy\x13", 4},
      {"red closes an open blue and opens it again after its own pair", "a\x12x\x13", 3, 2, "r",
       "a\x12x\x13\x10r\x11\x12\x13", 6},
      {"the rest of the blue run stays blue", "a\x12xz\x13", 3, 2, "r", "a\x12x\x13\x10r\x11\x12z\x13", 6},
      {"green", "", 0, 3, "g", "\x14g\x0D", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, c.before}}, 0, c.column);
    W().AutoRevisionColor = c.colour;
    TypeText(c.typed);
    EXPECT_EQ(W().EditBuffer(), c.after);
    EXPECT_EQ(W().CaretColumn(), c.caret);
  }
}

TEST_F(RevisionColourTest, AnElementsOwnColourCountsAsOpen) {
  Load({{ekAction, "plain"}}, 0, -1);
  W().CurrentElement()->format.FontAndColor = 2 << 4;  // element colour 2 opens with 18, blue
  W().AutoRevisionColor = 1;
  TypeText("s");
  EXPECT_EQ(W().EditBuffer(), "plains");
}

TEST_F(RevisionColourTest, TurningTheColourOffClosesItAtTheCaret) {
  Load({{ekAction, "a\x12xy\x13"}}, 0, 3);
  W().AutoRevisionColor = 1;
  SelectRevisionColor(W(), 0);
  EXPECT_EQ(W().AutoRevisionColor, 0);
  EXPECT_EQ(W().EditBuffer(), "a\x12x\x13\x12y\x13");
}

}  // namespace
}  // namespace qm
