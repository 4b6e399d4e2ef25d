// The status line's texts: page and scene numbers in their A-forms for
// locked scripts, the page, scene and act panels, and the line and
// position panel.
#include <gtest/gtest.h>

#include "script/editing/position_texts.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

class PositionTextsTest : public testing::KeysFixture {
 protected:
  void Number(int index, Word number, Byte letter = 0) {
    ElementAt(index)->group->number = number;
    ElementAt(index)->group->letter = letter;
  }
  TStatusTexts Status(TStatusOptions options = {}) {
    TStatusTexts texts;
    EXPECT_TRUE(ComputeStatusTexts(W(), options, texts));
    return texts;
  }
};

TEST_F(PositionTextsTest, PageNumbersTakeTheirLockedForms) {
  struct Case {
    const char* what;
    Byte locked, multiLocked, suffixStyle, blankRule;
    int index;  // the break whose text is shown
    std::string text;
  };
  // Breaks: 1 automatic (page 5), 3 forced (7), 5 locked (12), 7 and 9
  // multi-locked A-pages of page 12, 11 automatic lettered (12, "C").
  const Case cases[] = {
      {"an automatic break while pages are free", 0, 0, 0, 0, 1, "5"},
      {"a forced break", 1, 1, 0, 0, 3, "7"},
      {"a locked break", 1, 1, 0, 0, 5, "12"},
      {"an automatic break of locked pages keeps its letter", 1, 0, 0, 0, 11, "12C"},
      {"the first A-page after a plain base, lettered", 1, 1, 0, 0, 7, "12-A"},
      {"the second A-page counts the first", 1, 1, 0, 0, 9, "12-B"},
      {"a counted suffix when a plain base counts as lettered", 1, 1, 0, 1, 9, "12-2"},
      {"the suffix in front", 1, 1, 1, 0, 9, "B12"},
      {"an A between", 1, 1, 2, 0, 9, "12AB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // clang-format off
    Load({{ekAction, "One."},          {ekAutoPageBreak, " "},        {ekAction, "Two."},
          {ekForcedPageBreak, " "},    {ekAction, "Three."},          {ekLockedPageBreak, " "},
          {ekAction, "Four."},         {ekMultiLockedPageBreak, " "}, {ekAction, "Five."},
          {ekMultiLockedPageBreak, " "}, {ekAction, "Six."},          {ekAutoPageBreak, " "},
          {ekAction, "Seven."}},
         0);
    // clang-format on
    W().PagesLocked = c.locked;
    W().PagesMultiLocked = c.multiLocked;
    W().PageSuffixStyle = c.suffixStyle;
    W().PageBlankLetterRule = c.blankRule;
    W().PageStart = 1;
    Number(1, 5);
    Number(3, 7);
    Number(5, 12);
    Number(7, 12);
    Number(9, 12);
    Number(11, 12, 'C');
    EXPECT_EQ(PageNumberText(W(), ElementAt(c.index)), c.text);
  }
  EXPECT_EQ(PageNumberText(W(), ElementAt(0)), "1") << "not a break: the page start number";
}

TEST_F(PositionTextsTest, SkippedLettersAreNeverSuffixes) {
  Load({{ekAction, "One."}}, 0);
  W().SkipLetters['I' >> 3] |= static_cast<Byte>(1 << ('I' & 7));
  EXPECT_EQ(NthUnskippedLetter(W(), 8), 'H');
  EXPECT_EQ(NthUnskippedLetter(W(), 9), 'J');
  struct Case {
    int number;
    std::string text;
  } cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "ZZ"}, {53, "AAA"}, {78, "ZZZ"}, {79, "79"}, {0, "0"}};
  for (const Case& c : cases) EXPECT_EQ(NumberAsLetters(c.number), c.text) << c.number;
}

TEST_F(PositionTextsTest, SceneNumbersTakeTheirLetters) {
  struct Case {
    const char* what;
    Byte placement, dashScheme, suffixStyle;
    int index;
    std::string text;
  };
  // 0 heading 12, 2 A-scene 12A, 4 and 6 dashed A-scenes after it.
  const Case cases[] = {
      {"a plain heading", 0, 0, 0, 0, "12"},
      {"an A-scene, letter after", 0, 0, 0, 2, "12A"},
      {"an A-scene, letter before", 1, 0, 0, 2, "A12"},
      {"a dashed A-scene counts from its base", 0, 0, 0, 6, "12-2"},
      {"a dashed A-scene under dash scheme 1, its letter in front", 0, 1, 0, 6, "B12"},
      {"a dashed A-scene under dash scheme 2", 0, 2, 0, 6, "12AB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekSceneHeading, "INT. HALL - DAY"},
          {ekAction, "One."},
          {ekASceneHeading, "INT. KITCHEN - DAY"},
          {ekAction, "Two."},
          {ekDashASceneHeading, "INT. YARD - DAY"},
          {ekAction, "Three."},
          {ekDashASceneHeading, "INT. ROOF - DAY"}},
         1);
    W().SceneLetterPlacement = c.placement;
    W().SceneDashScheme = c.dashScheme;
    W().SceneSuffixStyle = c.suffixStyle;
    Number(0, 12);
    Number(2, 12, 'A');
    Number(4, 12, '>');
    Number(6, 12, '>');
    EXPECT_EQ(SceneNumberText(W(), *ElementAt(c.index)), c.text);
  }
}

TEST_F(PositionTextsTest, ThePanelsSayWhereTheCaretIs) {
  Load({{ekSceneHeading, "INT. HALL - DAY"},
        {ekAction, "One."},
        {ekForcedPageBreak, " "},
        {ekSceneHeading, "EXT. YARD - NIGHT"},
        {ekAction, "Two."},
        {ekAutoPageBreak, " "},
        {ekAction, "Three."}},
       4);
  Number(0, 1);
  Number(2, 2);
  Number(3, 2);
  Number(5, 3);
  TStatusTexts texts = Status();
  EXPECT_EQ(texts.page, " Pg: 2 of 3");
  EXPECT_EQ(texts.scene, "Scn: 2 of 2");
  EXPECT_EQ(texts.act, "");
  EXPECT_EQ(texts.elementEntry, 1);
  EXPECT_GT(texts.scrollMaximum, texts.scrollPosition);
  EXPECT_GT(texts.scrollPosition, 0);

  TStatusOptions noAuto;
  noAuto.noAutoPagination = true;
  Load({{ekAction, "One."}, {ekAction, "Two."}}, 1);
  texts = Status(noAuto);
  EXPECT_EQ(texts.page, " Pg: -- of --");
  EXPECT_EQ(texts.scene, "") << "no scene heading, no scene panel";

  // Headings added while numbers are locked only: no plain heading to count.
  Load({{ekASceneHeading, "INT. HALL - DAY"}, {ekAction, "One."}}, 1);
  Number(0, 4, 'A');
  EXPECT_EQ(Status().scene, "Scn: 4A of ??");

  // An act of lettered acts, then its scene information.
  TStatusOptions acts;
  acts.showActPanel = true;
  Load({{ekActInformation, "ACT"}, {ekSceneInformation, "SCENE"}, {ekAction, "One."}}, 2);
  W().ActDisplayStyle = 2;
  Number(0, 27);
  Number(1, 3);
  W().UserLists.ActText[0] = "";
  EXPECT_EQ(Status(acts).act, "Act AA, Scn 3");
}

// An interactive script's targets keep their numbers in any order: the
// scene panel counts to the highest, and a locked target's lock bit is no
// part of its number, either as shown or as counted.
TEST_F(PositionTextsTest, TheScenePanelCountsToTheHighestBranchTarget) {
  struct Case {
    const char* what;
    Word first, second;
    int caret;
    std::string scene;
  };
  const Word locked3 = number_word::Make(3, true, '\0');
  const Word locked9 = number_word::Make(9, true, '\0');
  const Case cases[] = {
      {"the highest last", 2, 5, 1, "Scn: 2 of 5"},
      {"the highest first", 9, 3, 3, "Scn: 3 of 9"},
      {"a locked lower target after the highest", 9, locked3, 3, "Scn: 3 of 9"},
      {"a locked highest target after a lower one", 3, locked9, 1, "Scn: 3 of 9"},
      {"the caret in the locked highest target", 3, locked9, 3, "Scn: 9 of 9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekSceneHeading, "KITCHEN"}, {ekAction, "Hi."}, {ekSceneHeading, "YARD"}, {ekAction, "Bye."}}, c.caret);
    W().InteractiveScript = 1;
    ElementAt(0)->format.NumberWord = c.first;
    ElementAt(2)->format.NumberWord = c.second;
    ForgetStatusWalk(W());
    EXPECT_EQ(Status().scene, c.scene);
  }
}

// The scroll bar's scale counts each element's lines before in whole
// lines, rounded half to even, as every line count does.
TEST_F(PositionTextsTest, TheScrollScaleCountsLinesBeforeRoundedHalfToEven) {
  const struct {
    Byte tenths;
    int lines;
  } cases[] = {{0, 0}, {5, 0}, {6, 1}, {10, 1}, {15, 2}, {20, 2}, {25, 2}, {35, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.tenths));
    Load({{ekAction, "One."}, {ekAction, "Two."}, {ekAction, "Three."}}, 2);
    ElementAt(0)->format.LinesBefore = 0;
    ElementAt(1)->format.LinesBefore = c.tenths;
    ElementAt(2)->format.LinesBefore = c.tenths;
    const TStatusTexts texts = Status();
    EXPECT_EQ(texts.scrollPosition, 1 + c.lines + 1) << "the two elements above the caret";
    EXPECT_EQ(texts.scrollMaximum, 1 + 2 * (c.lines + 1));
  }
}

// A locked script: the caret below an A-page and in an A-scene.
TEST_F(PositionTextsTest, ALockedScriptShowsItsAPagesAndAScenes) {
  Load({{ekSceneHeading, "INT. HALL - DAY"},
        {ekAction, "One."},
        {ekLockedPageBreak, " "},
        {ekSceneHeading, "EXT. YARD - NIGHT"},
        {ekMultiLockedPageBreak, " "},
        {ekASceneHeading, "INT. SHED - NIGHT"},
        {ekAction, "Two."}},
       6);
  W().PagesLocked = 1;
  W().PagesMultiLocked = 1;
  W().ScenesLocked = 1;
  Number(0, 1);
  Number(2, 12);
  Number(3, 2);
  Number(4, 12);
  Number(5, 2, 'A');
  const TStatusTexts texts = Status();
  EXPECT_EQ(texts.page, " Pg: 12-A of 3");
  EXPECT_EQ(texts.caretPageText, "12-A");
  EXPECT_EQ(texts.scene, "Scn: 2A of 2");
}

TEST_F(PositionTextsTest, PositionPanelShowsInchesFromThePageEdge) {
  struct Case {
    Byte leftMargin;
    std::string position;
  } cases[] = {{15, "Pos: 1.5"}, {20, "Pos: 2"}};
  for (const Case& c : cases) {
    Load({{ekAction, "One."}}, 0, 0);
    W().CurrentElement()->format.LeftMargin = c.leftMargin;
    const std::string text = PositionText(W());
    EXPECT_EQ(text.substr(0, 5), " Ln: ");
    EXPECT_GE(text.find("Pos: "), 11u) << "the line part is padded to eleven characters";
    EXPECT_EQ(text.substr(text.find("Pos: ")), c.position);
  }
}

}  // namespace
}  // namespace qm
