#include "base/program_options.h"
#include "shell/program_settings.h"
#include "script/layout/screen_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "script/layout/char_widths.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/word_wrap.h"
#include "script/model/cue_codes.h"
#include "script/model/packed_text.h"
#include "script/model/standard_formats.h"
#include "support/layout_fixture.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;
using testing::LayoutFixture;

std::string A(int n) { return std::string(static_cast<std::size_t>(n), 'a'); }

// On screen (96 dpi, zoom 100) a character is 10 pixels, a line 18 pixels
// (ascent 14, descent 4), a tenth of an inch 10 pixels: Action text
// starts at 150, Dialogue at 250.
class ScreenLinesTest : public LayoutFixture {
 protected:
  // Lays out one element alone and returns its shown lines.
  std::vector<std::string> Shown(Byte kind, const std::string& text) {
    Window().FreeElements();
    Build({{kind, text}});
    LayOutAll();
    return ShownLines(Window().CurrentElement()->lineCount);
  }
  std::vector<Byte> Attributes(int line) const {
    const TScreenLine& row = Window().ScreenLines[static_cast<std::size_t>(line)];
    return std::vector<Byte>(row.attributes.begin() + 1,
                             row.attributes.begin() + 1 + static_cast<long>(row.text.size()));
  }
  const DrawOp* TextOp(const std::string& text) const {
    for (const DrawOp* op : Window().Recording()->TextOps())
      if (op->text == text) return op;
    return nullptr;
  }
  void Paint() {
    Window().Recording()->Clear();
    Window().RedisplayScreen(true);
  }
};

TEST_F(ScreenLinesTest, ShownTextHidesCodesAndShowsWhatTheyStandFor) {
  // clang-format off
  const struct {
    const char* what;
    Byte kind;
    std::string text;
    bool showCodes;
    std::vector<std::string> shown;
  } cases[] = {
      {"a hard space shows as a blank", ekAction, "Hello\x04world", false, {"Hello world"}},
      {"a hard dash shows as a dash", ekAction, "one\x05two", false, {"one-two"}},
      {"style codes are hidden", ekAction, "\x02" "bold\x03 \x15under\x16", false, {"bold under"}},
      {"a soft hyphen ending a line shows a dash", ekAction, A(55) + " bb~cccc", false, {A(55) + " bb-", "cccc"}},
      {"a soft hyphen after a blank adds nothing", ekAction, A(55) + " ~cccccc", false, {A(55), "cccccc"}},
      {"a soft hyphen inside a line is hidden", ekAction, "hy~phen", false, {"hyphen"}},
      {"trailing blanks are dropped", ekAction, "word   ", false, {"word"}},
      {"a hard return is hidden", ekAction, "a\xA7" "b", false, {"a", "b"}},
      {"a tag shows its text only", ekAction, "a\x06" "Bob\x01 b", false, {"aBob b"}},
      {"codes shown as marks", ekAction, "\x02" "bold\x03", true, {"[B]bold[b]"}},
      {"shown codes keep the hard return and soft hyphen", ekAction, "a~b\xA7", true, {"a~b\xA7", ""}},
      {"an all-capitals element shows capitals", ekSceneHeading, "int. house - day", false, {"INT. HOUSE - DAY"}},
      {"a Character Name shows as stored", ekCharacterName, "JOHN (v.o.)", false, {"JOHN (v.o.)"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    Window().LayoutOptions.ShowCodes = c.showCodes;
    EXPECT_EQ(Shown(c.kind, c.text), c.shown) << c.what;
  }
}

// The screen shows after a name what its cue code generates, in the
// name's own attribute; the stored text stays the name alone.
TEST_F(ScreenLinesTest, ACharacterNameShowsItsGeneratedExtension) {
  const struct {
    const char* what;
    std::string name;
    Byte code;
    std::string shown;
    Byte lastAttribute;  // the name's last letter's
  } cases[] = {
      {"an extension, continued", "\x02JOHN\x03", 3 + 1, "JOHN (V.O.) (CONT'D)", AttrBold},
      // The writer's own parenthesis is followed by a pair of the marks' own.
      {"a typed extension, continued", "EDWARD (V.O.)", NoExtensionCode + 1, "EDWARD (V.O.) (CONT'D)", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().FreeElements();
    Build({{ekCharacterName, c.name}});
    TScriptElement* cue = Window().CurrentElement();
    cue->split = c.code;
    LayOutAll();
    EXPECT_EQ(ShownLines(1), std::vector<std::string>{c.shown});
    EXPECT_EQ(Attributes(1).back(), c.lastAttribute);
    EXPECT_EQ(Window().EditBuffer(), c.name);
  }
}

// Act elements show the act they belong to after their own text, in the
// script's act numbering; the number is screen text, never stored. The
// printed page shows the same label, but no stand-in for a missing number.
TEST_F(ScreenLinesTest, ActElementsShowTheirActNumber) {
  // Every act kind (10, 13, 14, 15) shows the act number after its text.
  const std::vector<ElementSpec> script = {
      {ekPrologueText, "PROLOGUE"},  // before any act
      {ekEndOfActText, "END OF"},   {ekActStart, "ACT"}, {ekActInformation, "ACT"},       {ekAction, "She waits."},
      {ekEndOfActText, "END OF "},  {ekActStart, "ACT"}, {ekEndOfActText, "END OF SHOW"}, {ekPrologueText, "TAG"}};
  const struct {
    const char* what;
    Byte style;
    Word offset;
    std::vector<std::string> shown;
  } cases[] = {
      {"digits",
       1,
       0,
       {"PROLOGUE Act ?????", "END OF Act ?????", "ACT 1", "ACT 1", "She waits.", "END OF ACT 1", "ACT 2",
        "END OF SHOW", "TAG 2"}},
      {"words, in the capitals the element shows",
       3,
       0,
       {"PROLOGUE Act ?????", "END OF Act ?????", "ACT ONE", "ACT ONE", "She waits.", "END OF ACT ONE", "ACT TWO",
        "END OF SHOW", "TAG TWO"}},
      {"letters",
       2,
       0,
       {"PROLOGUE Act ?????", "END OF Act ?????", "ACT A", "ACT A", "She waits.", "END OF ACT A", "ACT B",
        "END OF SHOW", "TAG B"}},
      {"Roman numerals from the act offset",
       5,
       3,
       {"PROLOGUE Act ?????", "END OF Act ?????", "ACT IV", "ACT IV", "She waits.", "END OF ACT IV", "ACT V",
        "END OF SHOW", "TAG II"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().FreeElements();
    Build(script);
    Window().ActDisplayStyle = c.style;
    Window().ActStart = c.offset;
    Window().RebuildElementGroups();
    LayOutAll();
    EXPECT_EQ(ShownLines(static_cast<int>(script.size())), c.shown);
    EXPECT_EQ(ElementText(*ElementAt(2)), "ACT") << "the number is not stored";
    std::vector<std::string> printed;
    for (int i = 0; i < static_cast<int>(script.size()); ++i)
      printed.push_back(PrintedElementLines(Window(), *ElementAt(i), CurrentPageMetrics()).lines.back().text);
    // Paper leaves out the stand-in and the prologue's number.
    std::vector<std::string> paper = c.shown;
    paper[0] = "PROLOGUE";
    paper[1] = "END OF";
    paper.back() = "TAG";
    EXPECT_EQ(printed, paper);
  }
  // The label takes the attribute of the text's last character.
  Window().FreeElements();
  Build({{ekActStart, "\x15"
                      "ACT\x16"},
         {ekEndOfActText, "END \x02"
                          "OF"}});
  Window().ActDisplayStyle = 1;
  Window().ActStart = 0;
  Window().RebuildElementGroups();
  LayOutAll();
  EXPECT_EQ(Attributes(1),
            (std::vector<Byte>{AttrUnderline, AttrUnderline, AttrUnderline, AttrUnderline, AttrUnderline}));
  EXPECT_EQ(Attributes(2).back(), AttrBold);
}

TEST_F(ScreenLinesTest, AttributeBytesCarryStyleColourAndSelection) {
  // clang-format off
  const struct {
    const char* what;
    std::string text;
    std::vector<Byte> attributes;
    void (*setup)(TMDIChild&);
  } cases[] = {
      {"bold run", "\x02" "ab\x03" "c", {1, 1, 0}, nullptr},
      {"underline run", "\x15" "ab\x16", {4, 4}, nullptr},
      {"italics and bold", "\x19" "a\x02" "b", {2, 3}, nullptr},
      {"strike-out", "\x0E" "x", {8}, nullptr},
      {"colour pair 1", "\x12" "ab\x13" "c", {0x10, 0x10, 0}, nullptr},
      {"colour pair 2", "\x10" "a\x11", {0x20}, nullptr},
      {"colour pair 3", "\x14" "a\x0D", {0x30}, nullptr},
      {"an off code of another colour leaves the colour", "\x12" "a\x11" "b", {0x10, 0x10}, nullptr},
      {"a user colour while the script uses them", "\xFD" "a\xFE", {0x40},
       [](TMDIChild& w) { w.UsesUserColours = 1; }},
      {"user-colour bytes are letters otherwise", "\xFD" "a", {0, 0}, nullptr},
      {"the format's style", "ab", {1, 1}, [](TMDIChild& w) { w.FormatSet[fsAction].Style = stBold; }},
      {"the format's colour 1 shows index 2", "ab", {0x20, 0x20},
       [](TMDIChild& w) { w.FormatSet[fsAction].SetColorIndex(1); }},
      {"the format's colour 2 shows index 1", "a", {0x10}, [](TMDIChild& w) { w.FormatSet[fsAction].SetColorIndex(2); }},
      {"a user colour of the format without user colours", "a", {0},
       [](TMDIChild& w) { w.FormatSet[fsAction].SetColorIndex(5); }},
      {"interactive scripts bold the text between < and >", "a<b>c", {0, 0, 1, 0, 0},
       [](TMDIChild& w) { w.InteractiveScript = 1; }},
  };
  // clang-format on
  for (const auto& c : cases) {
    Window().FormatSet = StandardFormatSet();
    Window().LayoutOptions = {};
    Window().UsesUserColours = 0;
    if (c.setup) c.setup(Window());
    Shown(ekAction, c.text);
    EXPECT_EQ(Attributes(1), c.attributes) << c.what;
  }
}

TEST_F(ScreenLinesTest, FormatColoursCountOnlyForSpeechAndAction) {
  Window().FormatSet[fsSceneHeading].SetColorIndex(1);
  Window().FormatSet[fsCharacterName].SetColorIndex(3);
  Byte attribute = 0xFF;
  Window().SetupFontStyle(attribute, Window().FormatSet[fsSceneHeading]);
  EXPECT_EQ(attribute, 0);
  Window().SetupFontStyle(attribute, Window().FormatSet[fsCharacterName]);
  EXPECT_EQ(attribute, 0x30);
}

TEST_F(ScreenLinesTest, ParenthesesInDialogueTakeTheParentheticalStyle) {
  Window().FormatSet[fsParenthetical].Style = stItalic;
  Window().FormatSet[fsParenthetical].AllCaps = 1;
  EXPECT_EQ(Shown(ekDialogue, "x(yes)z"), std::vector<std::string>{"x(YES)z"});
  EXPECT_EQ(Attributes(1), (std::vector<Byte>{0, 2, 2, 2, 2, 2, 0}));
  Window().LayoutOptions.DialogueParenthesis = 1;
  EXPECT_EQ(Shown(ekDialogue, "x(yes)z"), std::vector<std::string>{"x(yes)z"});
  EXPECT_EQ(Attributes(1), (std::vector<Byte>(7, 0)));
}

TEST_F(ScreenLinesTest, SelectedTextTakesColourFifteen) {
  Build({{ekAction, "abcd"}});
  Window().CurrentElement()->blockStart = 3;
  Window().CurrentElement()->blockEnd = 1;
  EditFields(Window()).BlockOn = 1;
  LayOutAll();
  EXPECT_EQ(Attributes(1), (std::vector<Byte>{0, 0xF0, 0xF0, 0}));
  EditFields(Window()).BlockOn = 0;
  LayOutAll();
  EXPECT_EQ(Attributes(1), (std::vector<Byte>(4, 0)));
}

TEST_F(ScreenLinesTest, EveryElementsFirstLineCarriesItsLinesBefore) {
  Window().FormatSet[fsDialogue].Spacing = 20;
  Build({{ekAction, A(55) + " " + A(10)}, {ekCharacterName, "JOE"}, {ekDialogue, "Hi."}, {ekSceneHeading, "EXT. SEA"}});
  LayOutAll();
  const struct {
    int line;
    Word height;
    Word left;
  } expected[] = {
      {1, 36, 150},                // Action: one line before
      {2, 18, 150}, {3, 36, 370},  // Character Name: one line before
      {4, 36, 250},                // Dialogue: none before, double spaced
      {5, 54, 150},                // Scene Heading: two lines before
      {6, 18, 0},                  // empty
  };
  int top = 0;
  for (const auto& e : expected) {
    const TScreenLine& row = Window().ScreenLines[static_cast<std::size_t>(e.line)];
    EXPECT_EQ(row.height, e.height) << "line " << e.line;
    EXPECT_EQ(row.left, e.left) << "line " << e.line;
    EXPECT_EQ(row.y, top + e.height - 4) << "baseline of line " << e.line;
    top += e.height;
  }
}

// An omitted scene heading whose range shows under its scene number
// (scenes locked, a number shown, the omit text and ":" opening it) takes
// three times the line height: its text stays on the first line, its
// range's word and last number are drawn on the two under it, and the next
// element starts below them.
TEST_F(ScreenLinesTest, AnOmittedRangesHeadingIsThreeLinesHigh) {
  // clang-format off
  const struct {
    const char* what;
    Byte kind;
    const char* text;
    Byte locked, left, right;
    bool tall;
  } cases[] = {
      {"a range, left number", ekSceneHeading, "OMITTED:14", 1, 1, 0, true},
      {"a range, right number", ekSceneHeading, "OMITTED: 14", 1, 0, 1, true},
      {"typed in lower case round a code", ekSceneHeading, "\x02omitted\x03:14", 1, 1, 1, true},
      {"an A-scene heading", ekASceneHeading, "OMITTED:14", 1, 1, 0, true},
      {"no scene number shown", ekSceneHeading, "OMITTED:14", 1, 0, 0, false},
      {"scenes not locked", ekSceneHeading, "OMITTED:14", 0, 1, 1, false},
      {"a single omitted scene", ekSceneHeading, "OMITTED", 1, 1, 1, false},
      {"an ordinary heading", ekSceneHeading, "INT. OMITTED: HALL", 1, 1, 1, false},
      {"an Action", ekAction, "OMITTED:14", 1, 1, 1, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().FreeElements();
    Window().ScenesLocked = c.locked;
    Window().LeftNumber = c.left;
    Window().RightNumber = c.right;
    Build({{c.kind, c.text}, {ekAction, "next"}});
    LayOutAll();
    const Word plain = ScreenLineHeightOf(Window(), ElementAt(0)->format, 1);
    const TScreenLine& heading = Window().ScreenLines[1];
    const TScreenLine& next = Window().ScreenLines[2];
    EXPECT_EQ(heading.height, c.tall ? plain + 2 * 18 : plain);
    EXPECT_EQ(heading.y, plain - 4) << "the heading's text on the first of its lines";
    EXPECT_EQ(ScreenLineTop(Window(), 2), heading.height) << "the next element under the range";
    EXPECT_EQ(next.y, heading.height + next.height - 4);
  }
  // Typing the range into a heading being edited makes room at once.
  Window().FreeElements();
  Window().ScenesLocked = Window().LeftNumber = 1;
  Window().RightNumber = 0;
  Build({{ekSceneHeading, "OMITTED"}, {ekAction, "next"}});
  LayOutAll();
  const Word plain = Window().ScreenLines[1].height;
  EditFields(Window()).EditBuffer = "OMITTED:14";
  WrapCurrent();
  EXPECT_EQ(Window().ScreenLines[1].height, plain + 2 * 18);
  EXPECT_EQ(ScreenLineTop(Window(), 2), plain + 2 * 18);
}

TEST_F(ScreenLinesTest, ATypedCharacterMarksAndRepaintsOnlyWhatChanged) {
  Build({{ekAction, A(55) + " bbbbbbbbbb"}, {ekAction, "next"}});
  LayOutAll();
  Paint();
  for (int line = 1; line <= 3; ++line) ASSERT_EQ(Window().ScreenLines[static_cast<std::size_t>(line)].repaint, 0);
  EditFields(Window()).EditBuffer.insert(61, "X");
  WrapCurrent();
  EXPECT_EQ(Window().ScreenLines[1].repaint, 0);
  EXPECT_EQ(Window().ScreenLines[2].repaint, 1);
  EXPECT_EQ(Window().ScreenLines[2].fromColumn, 6);
  EXPECT_EQ(Window().ScreenLines[3].repaint, 0);
  Window().Recording()->Clear();
  Window().RedisplayScreen(false);
  const auto ops = Window().Recording()->TextOps();
  ASSERT_EQ(ops.size(), 1u) << Window().Recording()->Transcript();
  EXPECT_EQ(ops[0]->text, "Xbbbbb");
  EXPECT_EQ(ops[0]->rect.Left, 150 + 50);
  // A style change without a text change marks from its column too.
  EditFields(Window()).EditBuffer.insert(59, "\x02");
  WrapCurrent();
  EXPECT_EQ(Window().ScreenLines[2].fromColumn, 4);
}

// Once a line is drawn nothing is owed on it: neither mark survives, so a
// later layout that leaves it as it is does not draw it again.
TEST_F(ScreenLinesTest, PaintingClearsBothMarksAndTheChangedColumn) {
  const struct {
    const char* what;
    bool full;
  } cases[] = {{"a full paint", true}, {"a paint of the marked lines", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().FreeElements();
    Build({{ekAction, "one"}, {ekAction, "two"}});
    LayOutAll();
    TScreenLine& row = Window().ScreenLines[1];
    row.stale = 1;
    MarkScreenLine(row, 3);
    Window().RedisplayScreen(c.full);
    EXPECT_EQ(row.repaint, 0);
    EXPECT_EQ(row.stale, 0);
    EXPECT_EQ(row.fromColumn, 0);
    WrapCurrent();
    EXPECT_EQ(row.repaint, 0) << "laid again unchanged after it was drawn";
  }
}

TEST_F(ScreenLinesTest, LinesBelowMoveWhenAnElementGrowsOrShrinks) {
  Build({{ekAction, "one"}, {ekAction, "two"}, {ekAction, "three"}});
  LayOutAll();
  TScriptElement* second = ElementAt(1);
  TScriptElement* third = ElementAt(2);
  ASSERT_EQ(second->screenLine, 2);
  EditFields(Window()).EditBuffer = A(55) + " " + A(55) + " " + A(20);
  WrapCurrent();
  EXPECT_EQ(Window().CurrentElement()->lineCount, 3);
  EXPECT_EQ(second->screenLine, 4);
  EXPECT_EQ(third->screenLine, 5);
  EXPECT_EQ(ShownLines(5)[3], "two");
  EXPECT_EQ(Window().ScreenLines[4].element, second);
  EXPECT_EQ(Window().LayoutDue, 1);
  EditFields(Window()).EditBuffer = "one";
  WrapCurrent();
  EXPECT_EQ(second->screenLine, 2);
  EXPECT_EQ(ShownLines(4), (std::vector<std::string>{"one", "two", "three", ""}));
  EXPECT_EQ(Window().ScreenLines[4].element, nullptr);
  EXPECT_EQ(Window().ScreenLines[4].repaint, 1);
}

TEST_F(ScreenLinesTest, PaintingDrawsRunsOfEqualAttributes) {
  Build({{ekAction, "Plain \x02"
                    "bold\x03 \x15"
                    "under\x16 end"}});
  LayOutAll();
  Paint();
  const struct {
    std::string text;
    int x;
    unsigned style;
  } runs[] = {{"Plain ", 150, 0}, {"bold", 210, fsBold}, {" ", 250, 0}, {"under", 260, 0}, {" end", 310, 0}};
  for (const auto& run : runs) {
    const DrawOp* op = TextOp(run.text);
    ASSERT_NE(op, nullptr) << run.text << "\n" << Window().Recording()->Transcript();
    EXPECT_EQ(op->rect.Left, run.x) << run.text;
    EXPECT_EQ(op->rect.Top, 32 - 14) << "on the baseline of a line with one line before";
    EXPECT_EQ(op->font.Style, run.style) << run.text;
    EXPECT_EQ(op->font.Name, "Courier New");
  }
  bool underlined = false;
  for (const DrawOp& op : Window().Recording()->Ops())
    if (op.kind == DrawOp::Kind::Line && op.from == TPoint{260, 33} && op.to == TPoint{310, 33}) underlined = true;
  EXPECT_TRUE(underlined) << "a line one pixel below the baseline across the run";
  EXPECT_EQ(Window().ScreenLines[1].repaint, 0) << "painting clears the marks";
}

TEST_F(ScreenLinesTest, ColoursShowInTheTextOrAsBackground) {
  // clang-format off
  const struct {
    const char* what;
    std::string text;
    bool asBackground;
    Byte state;
    TColor font;
    TColor brush;
  } cases[] = {
      {"colour 1 in the text", "\x12" "blue\x13", false, esNormal, clBlue, clWhite},
      {"colour 2 in the text", "\x10" "blue\x11", false, esNormal, clRed, clWhite},
      {"colour 3 is a dark green text", "\x14" "blue\x0D", false, esNormal, clGreen, clWhite},
      {"colour 3 is a pure green background", "\x14" "blue\x0D", true, esNormal, clWindowText, clLime},
      {"colour 1 as background", "\x12" "blue\x13", true, esNormal, clWindowText, clBlue},
      {"hidden text is grey", "blue", false, esShownHidden, clSilver, clWhite},
      {"hidden text is grey whatever its colour", "\x12" "blue\x13", false, esHidden, clSilver, clWhite},
  };
  // clang-format on
  for (const auto& c : cases) {
    ProgramOptions().ColorAsBackground = c.asBackground;
    Window().FreeElements();
    Build({{ekAction, c.text}});
    Window().CurrentElement()->state = c.state;
    LayOutAll();
    Paint();
    const DrawOp* op = TextOp("blue");
    ASSERT_NE(op, nullptr) << c.what;
    EXPECT_EQ(op->font.Color, c.font) << c.what;
    EXPECT_EQ(op->brush.Color, c.brush) << c.what;
  }
}

TEST_F(ScreenLinesTest, SelectionPaintsInTheHighlightColours) {
  ScreenColors.Highlight = clNavy;
  ScreenColors.HighlightText = clYellow;
  Build({{ekAction, "pick this"}});
  Window().CurrentElement()->blockStart = 5;
  Window().CurrentElement()->blockEnd = 9;
  EditFields(Window()).BlockOn = 1;
  LayOutAll();
  Paint();
  const DrawOp* op = TextOp("this");
  ASSERT_NE(op, nullptr) << Window().Recording()->Transcript();
  EXPECT_EQ(op->font.Color, clYellow);
  EXPECT_EQ(op->brush.Color, clNavy);
  EXPECT_EQ(op->rect.Left, 150 + 50);
}

TEST_F(ScreenLinesTest, AZoomOutsideFiftyToOneFiftyIsResetBeforePainting) {
  Build({{ekAction, "x"}});
  const struct { Word zoom, painted; } cases[] = {{40, 98}, {200, 98}, {50, 50}, {150, 150}, {75, 75}};
  for (const auto& c : cases) {
    ProgramOptions().ZoomSize = c.zoom;
    Window().RedisplayScreen(false);
    EXPECT_EQ(ProgramOptions().ZoomSize, c.painted) << c.zoom;
  }
}

TEST_F(ScreenLinesTest, PageBreaksShowARuleWithTheirBanner) {
  const auto rule = [](char ch, const std::string& banner) {
    std::string text(148, ch);
    return text.replace(3, banner.size(), banner);
  };
  const struct {
    const char* what;
    Byte kind;
    bool pagesLocked, banners, forcedPage;
    std::string shown;
  } cases[] = {
      {"automatic", ekAutoPageBreak, false, true, true, std::string(148, '-')},
      {"automatic, pages locked", ekAutoPageBreak, true, true, true, rule('-', "FLEXIBLE A-PAGE")},
      {"forced", ekForcedPageBreak, false, true, true, rule('=', "FORCED PAGE")},
      {"forced as an act break", ekForcedPageBreak, false, true, false, rule('=', "ACT/SCENE BREAK")},
      {"locked", ekLockedPageBreak, true, true, true, rule('=', "LOCKED PAGE")},
      {"multi-locked", ekMultiLockedPageBreak, true, true, true, rule('=', "MULTI-LOCKED PAGE")},
      {"fixed A-page", ekFixedAPageBreak, true, true, true, rule('\x97', "FIXED A-PAGE")},
      {"banners off", ekForcedPageBreak, false, false, true, std::string(148, '=')},
  };
  for (const auto& c : cases) {
    Window().PagesLocked = c.pagesLocked;
    DisplayPageBreakType = c.banners;
    Window().ForcedPageBanner = c.forcedPage;
    Window().FreeElements();
    Build({{ekAction, "before"}, {c.kind, ""}, {ekAction, "after"}});
    LayOutAll();
    EXPECT_EQ(ShownLines(3), (std::vector<std::string>{"before", c.shown, "after"})) << c.what;
    EXPECT_EQ(Window().ScreenLines[2].left, 0) << c.what;
  }
  // The banner is painted across the window from its left edge.
  DisplayPageBreakType = true;
  LayOutAll();
  Window().LeftTextOffset = -30;
  Paint();
  const DrawOp* op = Window().Recording()->FindText("FORCED PAGE");
  ASSERT_NE(op, nullptr) << Window().Recording()->Transcript();
  EXPECT_EQ(op->rect.Left, -30);
  EXPECT_EQ(op->rect.Top, 36 + 18 - 4 - 14);
}

TEST_F(ScreenLinesTest, ASplitSpeechShowsMoreAndTheContinuedCue) {
  Build({{ekCharacterName, "JOHN (V.O.)"},
         {ekDialogue, "First half."},
         {ekAutoPageBreak, ""},
         {ekDialogue, "Second half."}});
  LayOutAll();
  TScriptElement* pageBreak = ElementAt(2);
  EXPECT_EQ(pageBreak->lineCount, 3);
  EXPECT_EQ(ShownLines(6), (std::vector<std::string>{"JOHN (V.O.)", "First half.", "(MORE)", std::string(148, '-'),
                                                     "JOHN (CONT'D)", "Second half."}));
  EXPECT_EQ(Window().ScreenLines[3].left, 370);
  Window().LayoutOptions.MoreLines = 0;
  LayOutAll();
  EXPECT_EQ(pageBreak->lineCount, 1);
}

TEST_F(ScreenLinesTest, AContinuedSceneShowsItsContinuedLines) {
  Window().LeftNumber = 1;  // the page count shows only beside scene numbers
  Window().TopSceneContinued = 1;
  Window().BottomSceneContinued = 1;
  // clang-format off
  Build({{ekSceneHeading, "INT. ROOM"}, {ekAction, "One."}, {ekAutoPageBreak, ""}, {ekAction, "Two."},
         {ekAutoPageBreak, ""}, {ekAction, "Three."}, {ekAutoPageBreak, ""}, {ekSceneHeading, "EXT. YARD"}});
  // clang-format on
  LayOutAll();
  const std::string dashes(148, '-');
  EXPECT_EQ(ShownLines(13),
            (std::vector<std::string>{"INT. ROOM", "One.", "(CONTINUED)", dashes, "CONTINUED:", "Two.", "(CONTINUED)",
                                      dashes, "CONTINUED: (2)", "Three.", dashes, "EXT. YARD", ""}));
  EXPECT_EQ(Window().ScreenLines[5].banner, 1);
  EXPECT_EQ(Window().ScreenLines[5].lineInElement, 1);
  EXPECT_EQ(Window().ScreenLines[3].banner, 2);
}

TEST_F(ScreenLinesTest, ContinuedTextsKeepTheirBoldAndUnderline) {
  Window().TopSceneContinued = 1;
  Window().TopSceneContinuedText = "\x02"
                                   "CONT\x03\x15"
                                   "INUED\x16:";
  Build({{ekSceneHeading, "INT. ROOM"}, {ekAction, "One."}, {ekAutoPageBreak, ""}, {ekAction, "Two."}});
  LayOutAll();
  EXPECT_EQ(ShownLines(4)[3], "CONTINUED:");
  EXPECT_EQ(Attributes(4), (std::vector<Byte>{1, 1, 1, 1, 4, 4, 4, 4, 4, 0}));
}

TEST_F(ScreenLinesTest, TheTopContinuedLineIsBoldWhenActionAndHeadingsAre) {
  Window().LeftNumber = 1;
  Window().TopSceneContinued = 1;
  Window().FormatSet[fsAction].Style = stBold;
  Window().FormatSet[fsSceneHeading].Style = stBold;
  Build({{ekSceneHeading, "INT. ROOM"},
         {ekAction, "One."},
         {ekAutoPageBreak, ""},
         {ekAction, "Two."},
         {ekAutoPageBreak, ""},
         {ekAction, "Three."}});
  LayOutAll();
  EXPECT_EQ(ShownLines(7)[6], "CONTINUED: (2)");
  std::vector<Byte> expected(10, AttrBold);
  expected.resize(14, 0);
  EXPECT_EQ(Attributes(7), expected);
}

TEST_F(ScreenLinesTest, ContinuedPagesOfASceneAreCounted) {
  const struct {
    const char* what;
    std::vector<Byte> kinds;  // from a scene heading; the last element is asked
    bool scenesLocked, countAPages, numbers;
    std::string text;
  } cases[] = {
      {"the first continued page", {1, 0, 8}, false, true, true, ""},
      {"the second", {1, 0, 8, 0, 8}, false, true, true, " (2)"},
      {"the third", {1, 0, 8, 0, 12, 0, 8}, false, true, true, " (3)"},
      {"asked from an element after the break", {1, 0, 8, 0, 8, 0}, false, true, true, " (2)"},
      {"the count starts at the scene heading", {1, 0, 8, 1, 0, 8}, false, true, true, ""},
      {"locked scenes without A-pages: 8, 18, 21 do not count", {1, 0, 8, 0, 18, 0, 21}, true, false, true, ""},
      {"locked scenes without A-pages: 12 and 17 still count", {1, 0, 12, 0, 18, 0, 17}, true, false, true, " (2)"},
      {"locked scenes counting A-pages", {1, 0, 8, 0, 18}, true, true, true, " (2)"},
      {"no scene numbers shown", {1, 0, 8, 0, 8}, false, true, false, ""},
  };
  for (const auto& c : cases) {
    Window().FreeElements();
    std::vector<ElementSpec> specs;
    for (Byte kind : c.kinds) specs.push_back({kind, "x"});
    Build(specs);
    Window().ScenesLocked = c.scenesLocked;
    ProgramOptions().CountAPageContinued = c.countAPages;
    Window().LeftNumber = Window().RightNumber = c.numbers;
    EXPECT_EQ(ContinuedPageCountText(Window(), *Window().LastElement), c.text) << c.what;
  }
}

// A parenthetical stores its words alone: the screen shows "(" before its
// first line and ")" after its last, and the lines break where they break
// without them.
int ParentheticalX(const TMDIChild& w) { return w.LeftTextOffset + w.FormatSet[fsParenthetical].LeftMargin * 10; }

std::string Speech(int words) {
  std::string text;
  for (int i = 0; i < words; ++i) text += (i ? " " : "") + std::string("softly");
  return text;
}

TEST_F(ScreenLinesTest, TheScreenShowsTheBracketsAroundTheWrappedLines) {
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

TEST_F(ScreenLinesTest, TheBracketsDoNotMoveTheLineBreaks) {
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

TEST_F(ScreenLinesTest, TheOpeningBracketStandsAtTheMarginOrHangsOutdented) {
  const struct {
    const char* what;
    Byte outdent;
    int shift;  // characters from the margin
  } cases[] = {{"at the margin", 0, 0}, {"outdented into the margin", 1, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().OutdentParentheticals = c.outdent;
    Shown(ekParenthetical, "under her breath");
    Paint();
    const DrawOp* op = TextOp("(under her breath)");
    ASSERT_NE(op, nullptr) << Window().Recording()->Transcript();
    EXPECT_EQ(op->rect.Left, ParentheticalX(Window()) + c.shift * 10);
    // The caret before the first letter stands after the "(" as painted.
    EditFields(Window()).CaretColumn = 1;
    EditFields(Window()).CaretLine = 1;
    EXPECT_EQ(ScreenTextLeft(Window(), *Window().CurrentElement(), 1) + Window().LeftTextOffset, op->rect.Left + 10);
    EXPECT_EQ(ScreenTextLeft(Window(), *Window().CurrentElement(), 2) + Window().LeftTextOffset,
              ParentheticalX(Window()));
  }
}

}  // namespace
}  // namespace qm
