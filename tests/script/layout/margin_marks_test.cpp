#include "script/layout/margin_marks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/program_options.h"
#include "platform/recording_canvas.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "support/layout_fixture.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::LayoutFixture;

// On screen (96 dpi, zoom 100) a character and a tenth of an inch are 10
// pixels, a line 18 (descent 4); text starts at x 0 of the window. The
// page is a letter page at 300 dpi: page position p is 85 - p tenths.
class MarginMarksTest : public LayoutFixture {
 protected:
  void Make(const std::vector<testing::ElementSpec>& elements) {
    Window().FreeElements();
    ResetScreenLines(Window());
    Build(elements);
    Window().RebuildElementGroups();
    LayOutAll();
  }
  void Paint() {
    Window().Recording()->Clear();
    Window().RedisplayScreen(true);
  }
  // The polygons drawn in a colour: pennants have five corners, boxes four.
  std::vector<const DrawOp*> Polygons(TColor brush) const {
    std::vector<const DrawOp*> found;
    for (const DrawOp& op : Window().Recording()->Ops())
      if (op.kind == DrawOp::Kind::Polygon && op.brush.Color == brush && op.brush.Style == TBrushStyle::bsSolid)
        found.push_back(&op);
    return found;
  }
  std::vector<const DrawOp*> TextsOf(const std::string& text) const {
    std::vector<const DrawOp*> found;
    for (const DrawOp* op : Window().Recording()->TextOps())
      if (op->text == text) found.push_back(op);
    return found;
  }
  int Top(int line) const { return ScreenLineTop(Window(), line); }
  int Bottom(int line) const { return Top(line) + Window().ScreenLines[static_cast<std::size_t>(line)].height; }
  // A text op's baseline: its cell's top plus the ascent.
  static int Baseline(const DrawOp* op) { return op->rect.Top + 14; }
  int BaselineOf(int line) const { return Window().ScreenLines[static_cast<std::size_t>(line)].y; }
  static std::string Words(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "word ";
    return s;
  }
};

TEST_F(MarginMarksTest, StoryboardLinksShowPennantsWhereTheLinkChangesAndABarBetween) {
  // Unlinked, a three-line element linked to frame 1, then a page break and
  // a hidden element that the link looks through, a linked element, and an
  // unlinked one.
  Make({{ekAction, "before"},
        {ekAction, Words(30)},
        {ekAutoPageBreak, ""},
        {ekAction, "hidden"},
        {ekAction, "joined"},
        {ekAction, "after"}});
  ElementAt(1)->storyboardLink = 1;
  ElementAt(3)->state = esHidden;
  ElementAt(4)->storyboardLink = 1;
  LayOutAll();
  Paint();
  const auto red = Polygons(MarkRed);
  std::vector<std::pair<int, int>> pennants, bars;  // (top, points)
  for (const DrawOp* op : red) {
    if (op->points.size() == 5) pennants.push_back({op->points[0].Y, op->points[2].X});
    if (op->points.size() == 4) bars.push_back({op->points[0].Y, op->points[1].X});
  }
  const int second = ElementAt(1)->screenLine;
  ASSERT_EQ(ElementAt(1)->lineCount, 3);
  const int joined = ElementAt(4)->screenLine;
  // The link starts on the second element's first line and ends on the
  // joined element's (only) line; the lines between show the bar.
  EXPECT_EQ(pennants, (std::vector<std::pair<int, int>>{{Top(second), 11}, {Top(joined), 11}}));
  ASSERT_GE(bars.size(), 2u);
  EXPECT_EQ(bars[0], (std::pair<int, int>{Top(second + 1), 2}));
  EXPECT_EQ(bars[1], (std::pair<int, int>{Top(second + 2), 2}));
  // The joined element's first line also carries the bar, from the line
  // above it.
  EXPECT_EQ(bars.back().first, Top(joined) - Window().ScreenLines[static_cast<std::size_t>(joined - 1)].height);

  Window().HideStoryboardLinks = 1;
  Paint();
  EXPECT_TRUE(Polygons(MarkRed).empty()) << "hidden links draw nothing";
}

TEST_F(MarginMarksTest, SpeechNumbersStandBesideCharacterNames) {
  const struct {
    const char* what;
    bool bracket;
    Byte position;
    std::string text;
    int x;
  } cases[] = {
      {"at the scene heading's left margin", false, 0, "1", 15 * 10},
      {"bracketed", true, 0, "<1>", 15 * 10},
      {"right of the page, past the heading's right margin", false, 1, "1", (85 - (10 + 1)) * 10},
  };
  for (const auto& c : cases) {
    Make({{ekCharacterName, "JOHN"}, {ekDialogue, "Hello."}});
    Window().DialogueNumbering = 1;
    ElementAt(0)->format.NumberWord = 1 << 2;
    BracketDialogueNumbers = c.bracket;
    SpeechNumberFlag = c.position;
    Paint();
    const auto ops = TextsOf(c.text);
    ASSERT_EQ(ops.size(), 1u) << c.what << "\n" << Window().Recording()->Transcript();
    EXPECT_EQ(ops[0]->rect.Left, c.x) << c.what;
    EXPECT_EQ(Baseline(ops[0]), BaselineOf(1)) << c.what;
  }
  BracketDialogueNumbers = false;
  SpeechNumberFlag = 0;
  Window().DialogueNumbering = 0;
  Make({{ekCharacterName, "JOHN"}, {ekDialogue, "Hello."}});
  Paint();
  EXPECT_TRUE(TextsOf("1").empty()) << "no numbers while dialogue numbering is off";
}

TEST_F(MarginMarksTest, HiddenTextShowsShowAndHideBoxes) {
  // clang-format off
  const struct {
    const char* what;
    std::vector<testing::ElementSpec> elements;
    int hiddenIndex;    // element set to state 4, -1 none
    int shownIndex;     // element set to state 3, -1 none
    int markedIndex;    // element whose first line carries the boxes
    std::vector<TColor> boxes;
  } cases[] = {
      {"text after hidden text: a blue S box", {{ekAction, "a"}, {ekAction, "hidden"}, {ekAction, "b"}}, 1, -1, 2,
       {MarkBlue}},
      {"a note after hidden text: S and H", {{ekAction, "a"}, {ekAction, "hidden"}, {ekScriptNote, "note"}}, 1, -1, 2,
       {MarkBlue, MarkDarkGreen}},
      {"shown hidden text: an H box", {{ekAction, "a"}, {ekAction, "shown"}, {ekAction, "b"}}, -1, 1, 1,
       {MarkDarkGreen}},
      {"plain text: none", {{ekAction, "a"}, {ekAction, "b"}}, -1, -1, 1, {}},
  };
  // clang-format on
  for (const auto& c : cases) {
    Make(c.elements);
    if (c.hiddenIndex >= 0) ElementAt(c.hiddenIndex)->state = esHidden;
    if (c.shownIndex >= 0) ElementAt(c.shownIndex)->state = esShownHidden;
    LayOutAll();
    Paint();
    const int line = ElementAt(c.markedIndex)->screenLine;
    const int side = Window().ScreenLines[static_cast<std::size_t>(line)].height;
    std::vector<TColor> drawn;
    for (const DrawOp& op : Window().Recording()->Ops())
      if (op.kind == DrawOp::Kind::Polygon && (op.brush.Color == MarkBlue || op.brush.Color == MarkDarkGreen)) {
        EXPECT_EQ(op.points[0].Y, Top(line)) << c.what;
        EXPECT_EQ(op.points[1].X - op.points[0].X, side - 1) << c.what << ": a square as high as the line";
        drawn.push_back(op.brush.Color);
      }
    EXPECT_EQ(drawn, c.boxes) << c.what;
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
      const auto letters = TextsOf(c.boxes[i] == MarkBlue ? "S" : "H");
      ASSERT_FALSE(letters.empty()) << c.what;
      EXPECT_EQ(letters[0]->font.Color, MarkYellow) << c.what;
      EXPECT_EQ(letters[0]->font.Style, static_cast<unsigned>(fsBold)) << c.what;
    }
    Window().FreeElements();
  }
  // While whole kinds are hidden the boxes are not drawn.
  Make({{ekAction, "a"}, {ekAction, "hidden"}, {ekAction, "b"}});
  ElementAt(1)->state = esHidden;
  Window().HiddenKinds = 1u << ekShot;
  LayOutAll();
  Paint();
  EXPECT_TRUE(Polygons(MarkBlue).empty());
}

TEST_F(MarginMarksTest, KeepTogetherMarkShowsWithCodes) {
  Make({{ekAction, "kept"}, {ekAction, "free"}});
  ElementAt(0)->state = esKeepGroup;
  Paint();
  EXPECT_TRUE(TextsOf("\xB6").empty()) << "only while codes are shown";
  Window().LayoutOptions.ShowCodes = 1;
  Paint();
  const auto marks = TextsOf("\xB6");
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0]->rect.Left, 0);
  EXPECT_EQ(Baseline(marks[0]), BaselineOf(1));
}

TEST_F(MarginMarksTest, InteractiveScriptsShowBranchArrowsAndTriangles) {
  const struct {
    const char* what;
    std::string text;
    Word count;
    bool smart;
    std::string marker;
  } cases[] = {
      {"else under smart arrows", "ELSE GO ON", 3, true, "^^^"},
      {"otherwise", "OTHERWISE", 2, true, "^^"},
      {"end", "END HERE", 1, true, "<"},
      {"anything else", "GO", 2, true, ">>"},
      {"no arrows for 0", "GO", 0, true, ""},
      {"without smart arrows", "ELSE", 3, false, "->"},
  };
  for (const auto& c : cases) {
    Make({{ekShot, c.text}, {ekAction, "x"}});
    Window().InteractiveScript = 1;
    ProgramOptions().SmartArrows = c.smart;
    ElementAt(0)->format.NumberWord = c.count;
    Paint();
    const int x = (ElementAt(0)->format.LeftMargin - 5) * 10;
    const DrawOp* found = nullptr;
    for (const DrawOp* op : Window().Recording()->TextOps())
      if (op->rect.Left == x) found = op;
    if (c.marker.empty()) {
      EXPECT_TRUE(found == nullptr || found->text.empty()) << c.what;
    } else {
      ASSERT_NE(found, nullptr) << c.what << "\n" << Window().Recording()->Transcript();
      EXPECT_EQ(found->text, c.marker) << c.what;
    }
    Window().FreeElements();
  }
  ProgramOptions().SmartArrows = true;
  Make({{ekShot, "GO"}, {ekTransition, "CUT TO:"}});
  Window().InteractiveScript = 1;
  ElementAt(0)->format.NumberWord = 500;
  Paint();
  for (const DrawOp* op : Window().Recording()->TextOps())
    EXPECT_NE(op->text, ">") << "a shot numbered 500 shows no marker";
  const auto triangles = Polygons(clBlack);
  ASSERT_EQ(triangles.size(), 1u);
  const int line = ElementAt(1)->screenLine;
  const int y = BaselineOf(line);
  const int half = Window().ScreenLines[static_cast<std::size_t>(line)].height / 2;
  const int x = (ElementAt(1)->format.LeftMargin - 2) * 10;
  EXPECT_EQ(triangles[0]->points, (std::vector<TPoint>{{x, y}, {x, y - half}, {x + half, y - half / 2}}));
}

TEST_F(MarginMarksTest, SceneNumbersStandLeftAndRightOfTheHeading) {
  Make({{ekSceneHeading, "INT. A VERY LONG PLACE INDEED WITH MANY ROOMS AND HALLS - NIGHT"}, {ekAction, "x"}});
  Window().LeftNumber = 1;
  Window().RightNumber = 1;
  ASSERT_EQ(ElementAt(0)->lineCount, 2);
  const int left = (Window().FormatSet[fsSceneHeading].LeftMargin - 5) * 10;
  const int right = (85 - (ElementAt(0)->format.RightMargin - 2)) * 10;
  const struct {
    const char* what;
    Byte onTop;
    int rightLine;
  } cases[] = {{"right number on the last line", 0, 2}, {"right number on line 1", 1, 1}};
  for (const auto& c : cases) {
    Window().RightNumberOnTopLine = c.onTop;
    Paint();
    const auto numbers = TextsOf("1");
    ASSERT_EQ(numbers.size(), 2u) << c.what << "\n" << Window().Recording()->Transcript();
    EXPECT_EQ(numbers[0]->rect.Left, left) << c.what;
    EXPECT_EQ(Baseline(numbers[0]), BaselineOf(1)) << c.what;
    EXPECT_EQ(numbers[1]->rect.Left, right) << c.what;
    EXPECT_EQ(Baseline(numbers[1]), BaselineOf(c.rightLine)) << c.what;
  }
  // A number longer than four characters moves a tenth further left.
  Window().SceneStart = 10000;
  Paint();
  const auto longer = TextsOf("10001");
  ASSERT_FALSE(longer.empty()) << Window().Recording()->Transcript();
  EXPECT_EQ(longer[0]->rect.Left, left - 10);
}

TEST_F(MarginMarksTest, TheTopContinuedLineShowsTheNumberOfTheSceneItContinues) {
  Make({{ekSceneHeading, "INT. HOUSE - DAY"},
        {ekAction, "one"},
        {ekSceneHeading, "OMITTED"},
        {ekAction, "two"},
        {ekAutoPageBreak, ""},
        {ekAction, "three"}});
  Window().LeftNumber = 1;
  Window().TopSceneContinued = 1;
  LayOutAll();
  int continued = 0;
  for (int line = 1; line <= 20; ++line)
    if (Window().ScreenLines[static_cast<std::size_t>(line)].banner == 1) continued = line;
  ASSERT_NE(continued, 0) << "the break shows the top continued line";
  Paint();
  const int left = (Window().FormatSet[fsSceneHeading].LeftMargin - 5) * 10;
  bool found = false;
  for (const DrawOp* op : TextsOf("1"))
    if (op->rect.Left == left && Baseline(op) == BaselineOf(continued)) found = true;
  EXPECT_TRUE(found) << "the omitted heading is passed over\n" << Window().Recording()->Transcript();

  ProgramOptions().DisplayHeaders = false;
  Paint();
  for (const DrawOp* op : Window().Recording()->TextOps())
    EXPECT_FALSE(op->rect.Left == left && Baseline(op) == BaselineOf(continued))
        << "no number without displayed headers: " << op->text;
  ProgramOptions().DisplayHeaders = true;
}

TEST_F(MarginMarksTest, OmittedRangesShowTheirWordAndLastNumberBelowTheHeading) {
  Make({{ekSceneHeading, "OMITTED:14"}, {ekAction, "x"}});
  Window().ScenesLocked = 1;
  Window().LeftNumber = 1;
  Window().RightNumber = 1;
  ElementAt(0)->format.NumberWord = number_word::Make(12, true, '\0');
  Window().CurrentElement()->format.NumberWord = number_word::Make(12, true, '\0');
  LayOutAll();
  Paint();
  const int y = BaselineOf(1);
  const int height = Window().ScreenLineHeight;
  EXPECT_LE(y + 2 * height + 4, Top(2)) << "the range is drawn in the heading's own room, over no other line";
  const int left = (Window().FormatSet[fsSceneHeading].LeftMargin - 5) * 10;
  const struct {
    std::string text;
    int baseline;
  } expected[] = {{" THRU", y + height}, {" 14", y + 2 * height}};
  for (const auto& e : expected) {
    const auto ops = TextsOf(e.text);
    ASSERT_EQ(ops.size(), 2u) << e.text << "\n" << Window().Recording()->Transcript();
    EXPECT_EQ(ops[0]->rect.Left, left) << e.text;
    EXPECT_EQ(Baseline(ops[0]), e.baseline) << e.text;
    EXPECT_EQ(Baseline(ops[1]), e.baseline) << e.text;
  }
}

TEST_F(MarginMarksTest, ScriptNotesSitOnABoxOfTheirColourOrTheBlocksHighlight) {
  Make({{ekAction, "a"},
        {ekScriptNote, "A note that is long enough to wrap onto a second line of the box here"},
        {ekAction, "b"}});
  Window().NoteColours[0] = clWhite;
  Window().NoteColours[2] = 0x00FF80;
  TScriptElement* note = ElementAt(1);
  note->format.NumberWord = 2;
  ASSERT_EQ(note->lineCount, 2);
  Paint();
  const auto boxes = Polygons(0x00FF80);
  ASSERT_FALSE(boxes.empty()) << "the box in the note's colour";
  const int first = note->screenLine;
  EXPECT_EQ(boxes[0]->points[0], (TPoint{(note->format.LeftMargin - 2) * 10, Top(first)}));
  // Its bottom edge is the last row of the note's own lines: the first row
  // below belongs to the next line, whose painting fills it.
  EXPECT_EQ(boxes[0]->points[2].Y, Bottom(first + 1) - 1) << "the box runs down every line of the note";
  // "the" would end on the margin: it goes to the second line.
  const auto text = TextsOf("A note that is long enough to wrap onto a second line of");
  ASSERT_FALSE(text.empty()) << Window().Recording()->Transcript();
  EXPECT_EQ(text[0]->brush.Color, 0x00FF80) << "the text stands on the box";

  // An unset colour index falls back to entry 0.
  int index = 30;
  EXPECT_EQ(NoteColor(Window(), index), clWhite);
  EXPECT_EQ(index, 0);

  const int length = static_cast<int>(ElementText(*note).size());
  EditFields(Window()).BlockOn = 1;
  note->blockStart = 0;
  note->blockEnd = length;
  Paint();
  EXPECT_FALSE(Polygons(ColorToRGB(ScreenColors.Highlight)).empty()) << "wholly in the block: the highlight";
}

// The colour the painting leaves at a point: the last of the recorded
// fills, opaque text cells, lines and box outlines and faces to touch it.
TColor PaintedAt(const std::vector<DrawOp>& ops, TPoint p, TColor none) {
  const auto inside = [p](const TRect& r) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; };
  TColor color = none;
  for (const DrawOp& op : ops) {
    switch (op.kind) {
      case DrawOp::Kind::FillRect:
        if (inside(op.rect)) color = op.brush.Color;
        break;
      case DrawOp::Kind::Text:
        if (op.brush.Style != TBrushStyle::bsClear && inside(op.rect)) color = op.brush.Color;
        break;
      case DrawOp::Kind::Line: {
        const bool across = op.from.Y == op.to.Y && p.Y == op.from.Y && p.X >= std::min(op.from.X, op.to.X) &&
                            p.X < std::max(op.from.X, op.to.X);
        const bool down = op.from.X == op.to.X && p.X == op.from.X && p.Y >= std::min(op.from.Y, op.to.Y) &&
                          p.Y < std::max(op.from.Y, op.to.Y);
        if (across || down) color = op.pen.Color;
        break;
      }
      case DrawOp::Kind::Polygon: {
        if (op.points.size() != 4) break;
        const TPoint a = op.points[0], c = op.points[2];
        if (p.X < a.X || p.X > c.X || p.Y < a.Y || p.Y > c.Y) break;
        if (p.X == a.X || p.X == c.X || p.Y == a.Y || p.Y == c.Y) color = op.pen.Color;
        else if (op.brush.Style != TBrushStyle::bsClear) color = op.brush.Color;
        break;
      }
      default: break;
    }
  }
  return color;
}

// A note of two lines (the second after a hard return) keeps its box whole
// under its last line's text: painted whole, as Redraw Screen paints, and
// when only that line is painted again, as typing in it does.
TEST_F(MarginMarksTest, ATwoLineNoteKeepsTheBottomEdgeOfItsBox) {
  Make({{ekAction, "a"},
        {ekScriptNote, "First line\xA7"
                       "Second line"},
        {ekAction, "b"}});
  const TScriptElement* note = ElementAt(1);
  ASSERT_EQ(note->lineCount, 2);
  const int last = note->screenLine + 1;
  const struct {
    const char* what;
    bool full;
  } cases[] = {{"the whole screen painted", true}, {"the last line painted again", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Paint();
    if (!c.full) {
      Window().Recording()->Clear();
      MarkScreenLine(Window().ScreenLines[static_cast<std::size_t>(last)], 1);
      Window().RedisplayScreen(false);
    }
    const auto text = TextsOf("Second line");
    ASSERT_EQ(text.size(), 1u) << Window().Recording()->Transcript();
    const TPoint edge{text[0]->rect.Left + 20, Bottom(last) - 1};
    EXPECT_EQ(PaintedAt(Window().Recording()->Ops(), edge, clWhite), clBlack) << "the box's bottom edge";
    const TPoint face{text[0]->rect.Left + 20, Top(last) + 2};
    EXPECT_NE(PaintedAt(Window().Recording()->Ops(), face, clWhite), clBlack) << "the face above it";
  }
}

TEST_F(MarginMarksTest, MarkersAreFoundUnderTheMouse) {
  Make({{ekAction, "a"}, {ekAction, "hidden"}, {ekScriptNote, "note"}, {ekTransition, "CUT TO:"}});
  ElementAt(1)->state = esHidden;
  LayOutAll();
  const int line = ElementAt(2)->screenLine;
  const int side = Window().ScreenLines[static_cast<std::size_t>(line)].height;
  const int y = Top(line) + 2;
  const struct {
    const char* what;
    int x;
    THiddenMarker marker;
    std::string hint;
  } cases[] = {
      {"the S box shows", 3, THiddenMarker::Show, "Double Click to Show Text"},
      {"the H box beside it hides", side + 3, THiddenMarker::Hide, "Double Click to Hide Text"},
      {"past the boxes: nothing", 2 * side + 3, THiddenMarker::None, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HiddenTextMarkerHit(Window(), c.x, y, false), c.marker) << c.what;
    EXPECT_EQ(std::string(Window().Hint), c.hint) << c.what;
  }
  EXPECT_EQ(HiddenTextMarkerHit(Window(), 3, Top(1) + 2, false), THiddenMarker::None) << "a line with no marker";
  EXPECT_EQ(HiddenTextMarkerHit(Window(), 3, y, true), THiddenMarker::Show);
  EXPECT_EQ(Window().CurrentElement(), ElementAt(2)) << "a toggle makes the marked element current";

  // Branch markers only in interactive scripts, three cells left of a
  // Transition's margin.
  const int transition = ElementAt(3)->screenLine;
  const int ty = Top(transition) + 2;
  const int margin = ElementAt(3)->format.LeftMargin;
  EXPECT_FALSE(BranchMarkerHit(Window(), (margin - 2) * 10, ty));
  Window().InteractiveScript = 1;
  EXPECT_TRUE(BranchMarkerHit(Window(), (margin - 2) * 10, ty));
  EXPECT_EQ(std::string(Window().Hint), "Double Click to Perform Branch");
  EXPECT_FALSE(BranchMarkerHit(Window(), (margin - 4) * 10, ty));
  EXPECT_FALSE(BranchMarkerHit(Window(), (margin - 2) * 10, Top(1) + 2)) << "not on an Action";
}

}  // namespace
}  // namespace qm
