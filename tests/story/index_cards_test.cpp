#include "story/index_cards.h"

#include <gtest/gtest.h>

#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "story/cards_fixture.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

using testing::ElementSpec;

class IndexCardsTest : public testing::CardsFixture {
 protected:
  TCardLoad LoadCards(const TAbortQuestion& ask = {}) { return LoadCardTable(Script(), table_, ask); }
  // Each card as the positions of its first and last elements.
  std::vector<std::pair<int, int>> Cards() {
    std::vector<std::pair<int, int>> cards;
    for (int k = 1; k <= table_.Count(); ++k) cards.emplace_back(IndexOf(table_[k].first), IndexOf(table_[k].last));
    return cards;
  }
  TCardTable table_;
};

const std::vector<ElementSpec> kThreeScenes = {
    {ekSceneHeading, "INT. HALL - DAY"},    // 0
    {ekAction, "Rain on the windows."},     // 1
    {ekSceneHeading, "EXT. YARD - NIGHT"},  // 2
    {ekAction, "A dog barks."},             // 3
    {ekSceneHeading, "INT. ATTIC - DAY"},   // 4
    {ekAction, "Dust."},                    // 5
};

TEST_F(IndexCardsTest, CardsRunFromHeadingToTheNextAndOpenAtTheCaretsScene) {
  const struct {
    const char* name;
    std::vector<ElementSpec> script;
    int caret;
    std::vector<std::pair<int, int>> cards;
    int prologueEnd;
    int firstCard;
  } cases[] = {
      {"heading first: no prologue", kThreeScenes, 0, {{0, 1}, {2, 3}, {4, 5}}, -1, 0},
      {"caret in the third scene's body", kThreeScenes, 5, {{0, 1}, {2, 3}, {4, 5}}, -1, 2},
      {"caret on the third heading", kThreeScenes, 4, {{0, 1}, {2, 3}, {4, 5}}, -1, 1},
      {"opening Action stays out of every card",
       {{ekAction, "FADE IN."}, {ekSceneHeading, "INT. A"}, {ekAction, "a"}, {ekSceneHeading, "INT. B"}},
       0,
       {{1, 2}, {3, 3}},
       0,
       0},
      {"act information goes with the heading after it",
       {{ekSceneHeading, "INT. A"}, {ekAction, "a"}, {ekActInformation, "ACT TWO"}, {ekSceneHeading, "INT. B"}},
       0,
       {{0, 1}, {2, 3}},
       -1,
       0},
      {"a leading Action before act information stays in front",
       {{ekAction, "FADE IN."}, {ekActInformation, "ACT ONE"}, {ekSceneHeading, "INT. A"}, {ekAction, "a"}},
       3,
       {{1, 3}},
       0,
       0},
      {"no heading: no card", {{ekAction, "Only action."}, {ekAction, "More."}}, 0, {}, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.script, c.caret);
    const TCardLoad load = LoadCards();
    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(Cards(), c.cards);
    EXPECT_EQ(IndexOf(load.prologueEnd), c.prologueEnd);
    EXPECT_EQ(load.firstCard, c.firstCard);
  }
}

TEST_F(IndexCardsTest, OutlineModeIsOfferedOnlyForTextTheCardsCanHold) {
  const struct {
    const char* name;
    std::vector<ElementSpec> script;
    bool editable;
    bool mixed;
  } cases[] = {
      {"headings and action", kThreeScenes, true, false},
      {"a speech mixes elements",
       {{ekSceneHeading, "INT. A"}, {ekCharacterName, "BOB"}, {ekDialogue, "Hi."}},
       true,
       true},
      {"a locked heading, answered No",
       {{ekSceneHeading, "INT. A"}, {ekASceneHeading, "INT. B"}, {ekAction, "b"}},
       false,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.script);
    std::string asked;
    const TCardLoad load = LoadCards([&](const std::string& reason) {
      asked = reason;
      return false;
    });
    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(load.editable, c.editable);
    EXPECT_EQ(load.mixedElements, c.mixed);
    EXPECT_EQ(asked.empty(), c.editable);
  }
}

TEST_F(IndexCardsTest, AnsweringYesToTheLockedHeadingStopsThereInstead) {
  Load({{ekSceneHeading, "INT. A"}, {ekAction, "a"}, {ekASceneHeading, "INT. B"}});
  std::string asked;
  const TCardLoad load = LoadCards([&](const std::string& reason) {
    asked = reason;
    return true;
  });
  EXPECT_FALSE(load.loaded);
  EXPECT_EQ(IndexOf(load.stopAt), 2);
  EXPECT_EQ(asked, "at least one Locked Scene Heading");
}

TEST_F(IndexCardsTest, PastFourHundredScenesTheLimitIsTheOnlyMessage) {
  LoadRooms(401);
  testing::AnswerMessageBox(Driver(),
                            "This Index Card Viewing Function Cannot handle more than 400 Scenes and thus you will not "
                            "be able to shuffle any of the displayed scenes to avoid erratic results",
                            mrOk);
  const TCardLoad load = LoadCards();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(table_.Count(), MaxCards);
  EXPECT_TRUE(load.noShuffling);
  EXPECT_FALSE(load.editable);
  // The 400th card ends in front of the 401st heading.
  const TScriptElement* last = Script().LastElement;
  while (last && !(last->Kind() == ekSceneHeading && ElementText(*last) == "INT. ROOM 401")) last = last->prev;
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(table_[MaxCards].last, last->prev);
}

TEST_F(IndexCardsTest, ACardShowsItsHeadingNumberAndSceneTextInTheCardNotation) {
  Load({{ekSceneHeading, "INT. HALL - DAY"},
        {ekAction, "Rain."},
        {ekCharacterName, "BOB"},
        {ekParenthetical, "quietly"},
        {ekDialogue, "Hello."},
        {ekParenthetical, "beat"},
        {ekDialogue, "Bye."},
        {ekShot, "CLOSE ON BOB"},
        {ekTransition, "CUT TO:"},
        {ekCenteredTitle, "THE END"},
        {ekScriptNote, "fix this"},
        {ekForcedPageBreak, " "},
        {ekSceneHeading, "EXT. YARD"}});
  LoadCards();
  const std::string body = "Rain.\r\n\r\nBOB:  (quietly) Hello. (beat) Bye.\r\n\r\n[[CLOSE ON BOB]]\r\n\r\n^^CUT TO:^^"
                           "\r\n\r\n==THE END==\r\n\r\n<<fix this>>";
  // The marks tell the kinds apart in both modes; only outline mode shows
  // the forced page break.
  const TCardFace shuffle = MakeCardFace(Script(), table_[1], false);
  EXPECT_EQ(shuffle.title, "INT. HALL - DAY");
  EXPECT_EQ(shuffle.number, "1");
  EXPECT_EQ(shuffle.body, body);
  const TCardFace outline = MakeCardFace(Script(), table_[1], true);
  EXPECT_EQ(outline.body, body + "\r\n\r\n##Forced Page Break##");
  EXPECT_EQ(MakeCardFace(Script(), table_[2], false).number, "2");
}

// Props (10) is a line feed and Cast (6) a control byte: as letters they
// would break the line and show as boxes.
TEST_F(IndexCardsTest, ATaggedScriptsCardsLeaveItsTagsOut) {
  const std::string knife = std::string("A \x0A") + "knife\x01 lies on the table.";
  Load({{ekSceneHeading, "INT. HALL \x06"
                         "BOB\x01"},
        {ekAction, knife},
        {ekSceneHeading, "EXT. YARD"}});
  Script().TaggingUsed = 1;
  LoadCards();
  for (const bool outline : {false, true}) {
    SCOPED_TRACE(outline ? "outline" : "shuffle");
    const TCardFace face = MakeCardFace(Script(), table_[1], outline);
    EXPECT_EQ(face.body, "A knife lies on the table.");
  }
  EXPECT_EQ(MakeCardFace(Script(), table_[1], false).title, "INT. HALL BOB");
}

TEST_F(IndexCardsTest, InlineStylesAndHiddenTextBecomeStyleRuns) {
  const std::string b{static_cast<char>(BoldOn)}, bOff{static_cast<char>(BoldOff)};
  const std::string i{static_cast<char>(ItalicsOn)}, iOff{static_cast<char>(ItalicsOff)};
  const std::string u{static_cast<char>(UnderlineOn)};
  // clang-format off
  const struct {
    const char* name;
    std::string coded;
    std::string plain;
    std::vector<TStyleRun> runs;
  } cases[] = {
      {"bold word", "a " + b + "big" + bOff + " dog", "a big dog", {{2, 3, csBold, clBlack}}},
      {"bold then italic", b + "ab" + bOff + i + "cd" + iOff, "abcd", {{0, 2, csBold, clBlack}, {2, 2, csItalic, clBlack}}},
      {"unclosed underline runs to the line end", "x" + u + "yz\r\nw", "xyz\r\nw", {{1, 2, csUnderline, clBlack}}},
      {"hidden element", std::string{"[\xA1"} + "gone" + "\xA1] " + "seen", "goneseen",
       {{0, 4, csHidden, HiddenTextColor}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string body = c.coded;
    EXPECT_EQ(TakeStyleRuns(body), c.runs);
    EXPECT_EQ(body, c.plain);
  }
}

TEST_F(IndexCardsTest, HiddenElementsAreMarkedOnTheCard) {
  Load({{ekSceneHeading, "INT. A"}, {ekAction, "Seen."}, {ekAction, "Secret."}, {ekAction, "Seen again."}});
  Nth(2)->state = esShownHidden;
  LoadCards();
  const TCardFace face = MakeCardFace(Script(), table_[1], true);
  EXPECT_EQ(face.body, "Seen.\r\n\r\nSecret.\r\n\r\nSeen again.");
  ASSERT_EQ(face.runs.size(), 1u);
  EXPECT_EQ(face.body.substr(face.runs[0].start, face.runs[0].length), "Secret.");
  EXPECT_EQ(face.runs[0].color, HiddenTextColor);
}

TEST_F(IndexCardsTest, EachCardsPerScreenSettingNumbersItsGridBothWays) {
  const struct {
    int count;
    bool vertical;
    std::vector<TPoint> cells;  // screen cards 1..count
  } cases[] = {
      {4, false, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
      {4, true, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
      {6, false, {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}}},
      {6, true, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}},
      {9, false, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}},
      {9, true, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}}},
      {12, false, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}, {0, 3}, {1, 3}, {2, 3}}},
      {12, true, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {2, 1}, {2, 2}, {2, 3}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + (c.vertical ? " vertical" : " horizontal"));
    for (int k = 1; k <= c.count; ++k) {
      const TPoint cell = c.cells[static_cast<std::size_t>(k - 1)];
      EXPECT_EQ(CardCell(c.count, c.vertical, k), cell) << "card " << k;
      EXPECT_EQ(CardAtCell(c.count, c.vertical, cell.X, cell.Y), k);
    }
    EXPECT_EQ(CardAtCell(c.count, c.vertical, CardColumns(c.count), 0), 0);
    EXPECT_EQ(CardAtCell(c.count, c.vertical, 0, CardRows(c.count)), 0);
  }
  EXPECT_EQ(ScrollStep(4, false), 2);
  EXPECT_EQ(ScrollStep(12, true), 4);
  EXPECT_EQ(ScrollStep(9, true), 3);
}

}  // namespace
}  // namespace qm
