#include "story/card_text.h"

#include <gtest/gtest.h>

#include "files/undo_ring.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "story/cards_fixture.h"

namespace qm {
namespace {

using testing::ElementSpec;
using E = TCardElement;

TEST(CardTextTest, ParagraphsInTheCardNotationBecomeTheirElements) {
  const struct {
    std::string paragraph;
    std::vector<E> elements;
  } cases[] = {
      {"He runs.", {{ekAction, "He runs."}}},
      {"BOB:  Hello (beat) there",
       {{ekCharacterName, "BOB"}, {ekDialogue, "Hello"}, {ekParenthetical, "beat"}, {ekDialogue, "there"}}},
      {"BOB:  (quietly) Hello.", {{ekCharacterName, "BOB"}, {ekParenthetical, "quietly"}, {ekDialogue, "Hello."}}},
      {"BOB:  Wait (sighs)", {{ekCharacterName, "BOB"}, {ekDialogue, "Wait"}, {ekParenthetical, "sighs"}}},
      {"<<check this>>", {{ekScriptNote, "check this"}}},
      {"[[CLOSE ON BOB]]", {{ekShot, "CLOSE ON BOB"}}},
      {"^^CUT TO:^^", {{ekTransition, "CUT TO:"}}},
      {"==THE END==", {{ekCenteredTitle, "THE END"}}},
      {"##Forced Page Break##", {{ekForcedPageBreak, " "}}},
      // a colon with one blank is not a speech
      {"Note: one blank", {{ekAction, "Note: one blank"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(CardParagraphToElements(c.paragraph), c.elements) << c.paragraph;
}

TEST(CardTextTest, HiddenMarkersHideTheParagraphsTheyCover) {
  const std::string body = "Seen.\r\n\r\n[\xA1Secret one.\r\n\r\nSecret two.\xA1] \r\n\r\nSeen again.";
  EXPECT_EQ(CardTextToElements(body), (std::vector<E>{{ekAction, "Seen.", false},
                                                      {ekAction, "Secret one.", true},
                                                      {ekAction, "Secret two.", true},
                                                      {ekAction, "Seen again.", false}}));
}

TEST(CardTextTest, EveryHiddenMarkerOfAParagraphGoesAndNeighbouringHiddenRunsJoin) {
  const struct {
    std::string body;
    std::vector<E> elements;
  } cases[] = {
      // two grey runs in one paragraph: no marker byte is left behind
      {"Seen [\xA1one\xA1]  and [\xA1two\xA1] \r\nAfter.",
       {{ekAction, "Seen one and two", true}, {ekAction, "After.", false}}},
      // a closing marker, one character and an opening marker make one run
      {"[\xA1one\xA1]  [\xA1two\xA1] ", {{ekAction, "one two", true}}},
      // a run that ends and another that starts in the same paragraph
      {"[\xA1G\r\nH\xA1]  J [\xA1K\r\nL\xA1] \r\nM",
       {{ekAction, "G", true}, {ekAction, "H J K", true}, {ekAction, "L", true}, {ekAction, "M", false}}},
  };
  for (const auto& c : cases) {
    const std::vector<E> made = CardTextToElements(c.body);
    EXPECT_EQ(made, c.elements) << c.body;
    for (const E& e : made) EXPECT_EQ(e.text.find('\xA1'), std::string::npos) << e.text;
  }
}

TEST(CardTextTest, StylesShownOnACardComeBackAsTheSameCodes) {
  const std::string b{static_cast<char>(BoldOn)}, B{static_cast<char>(BoldOff)};
  const std::string i{static_cast<char>(ItalicsOn)}, I{static_cast<char>(ItalicsOff)};
  const std::string u{static_cast<char>(UnderlineOn)}, U{static_cast<char>(UnderlineOff)};
  const std::string s{static_cast<char>(StrikeOutOn)}, S{static_cast<char>(StrikeOutOff)};
  const std::string bodies[] = {
      "Plain words.",
      "New " + b + "loud" + B + " text.",
      b + i + "both" + I + B + " then " + u + "under" + U + " and " + s + "struck" + S,
      b + "bold " + i + "and italic" + I + B + "\r\n\r\nBOB:  " + i + "Hi." + I,
      "Seen.\r\n\r\n[\xA1Secret " + b + "one" + B + ".\xA1] \r\n\r\nSeen again.",
  };
  for (const std::string& body : bodies) {
    std::string plain = body;
    const std::vector<TStyleRun> runs = TakeStyleRuns(plain);
    std::string text;
    std::vector<TTextAttributes> looks;
    CardLooksFromRuns(plain, runs, text, looks);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_EQ(looks.size(), text.size());
    EXPECT_EQ(CardBodyFromLooks(text, looks), body) << body;
  }
}

TEST(CardTextTest, StylesThatOverlapAreWrittenAsNestedPairsClosedAtEachParagraph) {
  // "ab" bold, "bc" italic; "d" bold on the next paragraph
  const std::string text = "abc\nd";
  const std::vector<TTextAttributes> looks = {{fsBold}, {fsBold | fsItalic}, {fsItalic}, {}, {fsBold}};
  const std::string expected = "\x02"
                               "a\x19"
                               "b\x1A\x03\x19"
                               "c\x1A\r\n\x02"
                               "d\x03";
  EXPECT_EQ(CardBodyFromLooks(text, looks), expected);
  // grey text is hidden text: its paragraph becomes a hidden element
  const std::vector<TTextAttributes> grey(3, TTextAttributes{0, HiddenTextColor});
  EXPECT_EQ(CardTextToElements(CardBodyFromLooks("abc", grey)), (std::vector<E>{{ekAction, "abc", true}}));
}

class WriteBackTest : public testing::CardsFixture {};

TEST_F(WriteBackTest, ACardsTextReplacesItsSceneAndKeepsItsStylesAsCodes) {
  Load({{ekSceneHeading, "INT. A"}, {ekAction, "Old text."}, {ekSceneHeading, "INT. B"}, {ekAction, "b"}});
  TCardTable table;
  LoadCardTable(Script(), table, {});
  // The face of a card and back: the codes its styles came from return.
  Script().Assemble();
  const std::string bold = std::string{static_cast<char>(BoldOn)} + "loud" + static_cast<char>(BoldOff);
  ASSERT_TRUE(WriteBackCard(Script(), table, 1, "INT. A - NIGHT", "New " + bold + " text.\r\n\r\nBOB:  Hi."));
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekSceneHeading, "INT. A - NIGHT"},
                                                                     {ekAction, "New " + bold + " text."},
                                                                     {ekCharacterName, "BOB"},
                                                                     {ekDialogue, "Hi."},
                                                                     {ekSceneHeading, "INT. B"},
                                                                     {ekAction, "b"}}));
  EXPECT_EQ(IndexOf(table[1].last), 3);
  EXPECT_EQ(IndexOf(table[2].first), 4);
  const TCardFace face = MakeCardFace(Script(), table[1], true);
  EXPECT_EQ(face.body, "New loud text.\r\n\r\nBOB:  Hi.");
  ASSERT_EQ(face.runs.size(), 1u);
  EXPECT_EQ(face.runs[0].style, csBold);
  // one undo step brings the old scene back
  UndoObject->Undo();
  EXPECT_EQ(testing::ElementsOf(Script()),
            (std::vector<ElementSpec>{
                {ekSceneHeading, "INT. A"}, {ekAction, "Old text."}, {ekSceneHeading, "INT. B"}, {ekAction, "b"}}));
}

// Typing on the card of a tagged scene keeps the scene's tags: the card
// shows the words alone, and the words left as they were are tagged again.
TEST_F(WriteBackTest, TypingOnATaggedScenesCardKeepsItsTags) {
  const std::string knife = std::string("A \x0A") + "knife\x01 lies here.";
  const std::string barn = std::string("INT. \x87") + "BARN\x01 - DAY";  // Greenery
  Load({{ekSceneHeading, barn}, {ekAction, knife}, {ekSceneHeading, "INT. B"}, {ekAction, "b"}});
  Script().TaggingUsed = 1;
  TCardTable table;
  LoadCardTable(Script(), table, {});
  Script().Assemble();
  const TCardFace face = MakeCardFace(Script(), table[1], true);
  ASSERT_EQ(face.title, "INT. BARN - DAY") << "the card shows the words without their codes";
  ASSERT_EQ(face.body, "A knife lies here.");
  ASSERT_TRUE(WriteBackCard(Script(), table, 1, face.title, face.body + " It shines."));
  EXPECT_EQ(
      testing::ElementsOf(Script()),
      (std::vector<ElementSpec>{
          {ekSceneHeading, barn}, {ekAction, knife + " It shines."}, {ekSceneHeading, "INT. B"}, {ekAction, "b"}}));
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

class EmptyElementsTest : public testing::CardsFixture {};

TEST_F(EmptyElementsTest, BlankElementsGoButTheFirstAndPageBreaksStay) {
  Load({{ekAction, "  "},
        {ekSceneHeading, "INT. A"},
        {ekAction, "   "},
        {ekForcedPageBreak, " "},
        {ekAction, "kept"},
        {ekAction, ""}},
       2);
  ASSERT_TRUE(RemoveEmptyElements(Script()));
  EXPECT_EQ(testing::ElementsOf(Script()),
            (std::vector<ElementSpec>{
                {ekAction, "  "}, {ekSceneHeading, "INT. A"}, {ekForcedPageBreak, " "}, {ekAction, "kept"}}));
  EXPECT_EQ(Script().CurrentElement(), Nth(1)) << "the caret's element went: the one before it";
  EXPECT_FALSE(RemoveEmptyElements(Script())) << "nothing more to remove";
}

class AddCardTest : public testing::CardsFixture {};

TEST_F(AddCardTest, ANewCardIsAnEmptySceneAfterTheChosenCardOrInFront) {
  // clang-format off
  const struct {
    const char* name;
    int after;
    std::vector<Byte> kinds;
    int newCard;
  } cases[] = {
      {"after the first card", 1,
       {ekAction, ekSceneHeading, ekAction, ekSceneHeading, ekAction, ekSceneHeading, ekAction}, 2},
      {"in front of the first card, after what stands before it", 0,
       {ekAction, ekSceneHeading, ekAction, ekSceneHeading, ekAction, ekSceneHeading, ekAction}, 1},
      {"past the last card: after the last", 9,
       {ekAction, ekSceneHeading, ekAction, ekSceneHeading, ekAction, ekSceneHeading, ekAction}, 3},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load({{ekAction, "FADE IN:"},
          {ekSceneHeading, "INT. A"},
          {ekAction, "a"},
          {ekSceneHeading, "INT. B"},
          {ekAction, "b"}});
    TCardTable table;
    LoadCardTable(Script(), table, {});
    ASSERT_TRUE(AddCard(Script(), table, c.after));
    std::vector<Byte> kinds;
    for (const auto& e : testing::ElementsOf(Script())) kinds.push_back(e.kind);
    EXPECT_EQ(kinds, c.kinds);
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(ElementText(*table[c.newCard].first), "");
    EXPECT_EQ(table[c.newCard].first->next, table[c.newCard].last);
    // the table still walks the script in order
    for (int k = 1; k < 3; ++k) EXPECT_EQ(table[k].last->next, table[k + 1].first);
    EXPECT_EQ(IndexOf(table[1].first), 1) << "the opening Action stays in front";
  }
}

}  // namespace
}  // namespace qm
