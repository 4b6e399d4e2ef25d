#include "script/layout/revision_colors.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "base/program_options.h"
#include "platform/recording_canvas.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "support/layout_fixture.h"

namespace qm {
namespace {

using testing::LayoutFixture;

constexpr TColor Blue = 0xFFC0C0;
constexpr TColor Pink = 0xC0C0FF;
constexpr TColor Yellow = 0xC0FFFF;

class RevisionColorsTest : public LayoutFixture {
 protected:
  // A locked script of two pages: "one" on page 1, the break, "two".
  void MakeTwoPages(Byte breakKind, Word breakWord) {
    Build({{ekAction, "one"}, {breakKind, ""}, {ekAction, "two"}});
    Window().RevisionColours.Clear();
    Window().AddRevisionColour("WHITE", clWhite);
    Window().AddRevisionColour("BLUE", Blue);
    Window().AddRevisionColour("PINK", Pink);
    Window().AddRevisionColour("YELLOW", Yellow);
    Window().PagesLocked = 1;
    ElementAt(1)->format.NumberWord = breakWord;
    LayOutAll();
    SetupRevisionColorDisplay(Window());
  }
  // Colours are asked for from the top down, as painting does.
  TColor ColourOfSecondPage() {
    LineBackgroundColor(Window(), ElementAt(0), ElementAt(0)->screenLine);
    return LineBackgroundColor(Window(), ElementAt(2), ElementAt(2)->screenLine);
  }
};

TEST_F(RevisionColorsTest, PageColoursShowOnlyForLockedPagesWhenTheProgramShowsThem) {
  Build({{ekAction, "one"}});
  Window().BackgroundColor = 0x123456;
  SetupRevisionColorDisplay(Window());
  EXPECT_EQ(Window().ShowPageColours, 0) << "pages not locked";
  EXPECT_EQ(Window().BackgroundColor, ColorToRGB(ScreenColors.Window)) << "the window gets its colour back";
  Window().PagesLocked = 1;
  SetupRevisionColorDisplay(Window());
  EXPECT_EQ(Window().ShowPageColours, 1);
  ProgramOptions().ShowColoredPages = false;
  SetupRevisionColorDisplay(Window());
  EXPECT_EQ(Window().ShowPageColours, 0);
  ProgramOptions().ShowColoredPages = true;
}

TEST_F(RevisionColorsTest, EachPageTakesTheColourOfItsRevision) {
  const TColor canvas = ColorToRGB(ScreenColors.Window);
  const struct {
    const char* what;
    Byte kind;
    Word word;
    Byte current;
    TColor colour;
  } cases[] = {
      {"a forced page of revision 2", ekForcedPageBreak, 2, 1, Pink},
      {"a locked page of revision 1", ekLockedPageBreak, 1, 3, Blue},
      {"revised now: the current revision", ekForcedPageBreak, 0x0102, 3, Yellow},
      {"an automatic break: the current revision", ekAutoPageBreak, 0, 2, Pink},
      {"an automatic break in the first version: the canvas", ekAutoPageBreak, 0, 0, canvas},
      {"a fixed A-page of revision 0", ekFixedAPageBreak, 0, 2, clWhite},
  };
  for (const auto& c : cases) {
    MakeTwoPages(c.kind, c.word);
    Window().CurrentRevision = c.current;
    EXPECT_EQ(ColourOfSecondPage(), c.colour) << c.what;
    Window().FreeElements();
    ResetScreenLines(Window());
  }
}

TEST_F(RevisionColorsTest, RevisionsPastTheEndOfTheListGoRoundFromItsSecondEntry) {
  MakeTwoPages(ekForcedPageBreak, 0);
  Window().RevisionColours.Clear();
  for (int i = 0; i < 10; ++i)
    Window().AddRevisionColour("C" + std::to_string(i), static_cast<TColor>(0x010101 * (i + 1)));
  const struct {
    Word revision;
    TColor colour;
  } cases[] = {{9, 0x0A0A0A}, {10, 0x020202}, {19, 0x020202}, {20, 0x030303}, {255, 0x040404}};
  for (const auto& c : cases) {
    ElementAt(1)->format.NumberWord = c.revision;
    EXPECT_EQ(ColourOfSecondPage(), c.colour) << "revision " << c.revision;
  }
}

TEST_F(RevisionColorsTest, AnEmptyColourListFallsBackToWhite) {
  MakeTwoPages(ekForcedPageBreak, 3);
  Window().RevisionColours.Clear();
  EXPECT_EQ(ColourOfSecondPage(), clWhite);
  Window().CurrentRevision = 2;
  ElementAt(1)->format.NumberWord = 0x0103;
  EXPECT_EQ(ColourOfSecondPage(), ColorToRGB(ScreenColors.Window)) << "no current colour either: the canvas";
}

TEST_F(RevisionColorsTest, TheFirstPageFollowsItsRevisionOrTheCurrentOneOnceRevised) {
  MakeTwoPages(ekForcedPageBreak, 1);
  Window().FirstPageRevision = 2;
  Window().CurrentRevision = 3;
  EXPECT_EQ(LineBackgroundColor(Window(), ElementAt(0), 1), Pink);
  ElementAt(0)->revisedLines = std::string("\x01");
  SetupRevisionColorDisplay(Window());
  EXPECT_EQ(Window().FirstPageRevised, 1);
  EXPECT_EQ(LineBackgroundColor(Window(), ElementAt(0), 1), Yellow);
}

TEST_F(RevisionColorsTest, ABreaksLinesAboveItsRuleBelongToThePageThatEnds) {
  Build({{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "one"}, {ekLockedPageBreak, ""}, {ekAction, "two"}});
  Window().BottomSceneContinued = 1;
  Window().RevisionColours.Clear();
  Window().AddRevisionColour("WHITE", clWhite);
  Window().AddRevisionColour("BLUE", Blue);
  Window().PagesLocked = 1;
  Window().FirstPageRevision = 0;
  ElementAt(2)->format.NumberWord = 1;
  LayOutAll();
  SetupRevisionColorDisplay(Window());
  std::vector<TColor> colours;
  std::vector<std::string> texts;
  for (int line = 1; line <= 6; ++line) {
    const TScreenLine& row = Window().ScreenLines[static_cast<std::size_t>(line)];
    texts.push_back(row.text.substr(0, 11));
    colours.push_back(LineBackgroundColor(Window(), row.element, line));
  }
  ASSERT_EQ(texts[2], "(CONTINUED)");
  EXPECT_EQ(colours, (std::vector<TColor>{clWhite, clWhite, clWhite, Blue, Blue, Blue}))
      << "the foot's continued line stays white, the rule and below are blue; an empty line below takes the "
         "colour above";
}

TEST_F(RevisionColorsTest, EmptyLinesAboveTheScriptTakeTheFirstPagesColour) {
  MakeTwoPages(ekForcedPageBreak, 2);
  Window().FirstPageRevision = 1;
  // The last line asked for lay on the pink page; the view then moves down
  // so that the script begins on screen line 3.
  ColourOfSecondPage();
  ResetScreenLines(Window());
  int line = 3;
  for (TScriptElement* e = Window().FirstElement; e; e = e->next) {
    e->screenLine = static_cast<std::int16_t>(line);
    Window().WrapScreenText(e, e->text ? ElementText(*e) : Window().EditBuffer());
    line += e->lineCount;
  }
  ASSERT_EQ(Window().ScreenLines[1].element, nullptr);
  EXPECT_EQ(LineBackgroundColor(Window(), nullptr, 1), Blue);
  EXPECT_EQ(LineBackgroundColor(Window(), nullptr, 2), Blue);
}

TEST_F(RevisionColorsTest, PaintingFillsEachLineWithItsPageColour) {
  MakeTwoPages(ekForcedPageBreak, 2);
  Window().Recording()->Clear();
  Window().RedisplayScreen(true);
  const int top = ScreenLineTop(Window(), ElementAt(2)->screenLine);
  bool pink = false;
  for (const DrawOp& op : Window().Recording()->Ops())
    if (op.kind == DrawOp::Kind::FillRect && op.rect.Top == top && op.brush.Color == Pink) pink = true;
  EXPECT_TRUE(pink);
  const DrawOp* two = Window().Recording()->FindText("two");
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(two->brush.Color, Pink) << "the text stands on the page colour";
}

TEST_F(RevisionColorsTest, ScreenColourCounts) {
  constexpr std::int32_t Largest = std::numeric_limits<std::int32_t>::max();
  const struct {
    int bits;
    int planes;
    std::int32_t count;
  } cases[] = {{1, 1, 2},        {4, 1, 16},       {8, 1, 256},     {16, 1, 65536}, {24, 1, 16777216},
               {31, 1, Largest}, {32, 1, Largest}, {8, 4, Largest}, {4, 2, 256},    {8, 0, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(ScreenColorCount(c.bits, c.planes), c.count) << c.bits << " bits, " << c.planes << " planes";
  EXPECT_GT(ScreenColorCount(), 256) << "the test screen is a rich one";
  EXPECT_EQ(IntPower(2, 10), 1024);
  EXPECT_EQ(IntPower(7, 0), 1);
  EXPECT_EQ(IntPower(7, -3), 1);
  EXPECT_EQ(IntPower(2, 32), 0) << "the power itself wraps at 32 bits";
}

}  // namespace
}  // namespace qm
