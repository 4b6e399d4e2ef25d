#include "files/text_classifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "script/model/text_codes.h"

namespace qm {
namespace {

struct Expected {
  Byte kind;
  std::string text;
};

std::ostream& operator<<(std::ostream& out, const Expected& e) {
  return out << "{" << static_cast<int>(e.kind) << ", \"" << e.text << "\"}";
}
bool operator==(const Expected& a, const Expected& b) { return a.kind == b.kind && a.text == b.text; }

std::vector<Expected> KindsAndTexts(const TImportedElements& elements) {
  std::vector<Expected> result;
  for (const auto& e : elements) result.push_back({e.kind, e.text});
  return result;
}

struct Case {
  const char* name;
  std::string text;
  std::vector<Expected> expected;
  TPasteChoices choices{};
  bool answer = true;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class Classification : public ::testing::TestWithParam<Case> {};

TClassifierContext ContextAnswering(bool answer, int* asked = nullptr) {
  TClassifierContext context;
  context.CharacterNames = {"BOB"};
  context.Ask = [answer, asked](const std::string&) {
    if (asked) ++*asked;
    return answer;
  };
  context.IdentifyStyle = [](const std::string&) { return std::string("@"); };
  return context;
}

TEST_P(Classification, GivesTheElements) {
  const Case& c = GetParam();
  const TClassifierContext context = ContextAnswering(c.answer);
  EXPECT_EQ(KindsAndTexts(ClassifyPlainText(c.text, context, c.choices)), c.expected);
}

TPasteChoices Gentle() {
  TPasteChoices choices;
  choices.Aggressive = false;
  return choices;
}
TPasteChoices With(bool TPasteChoices::*flag) {
  TPasteChoices choices;
  choices.*flag = true;
  return choices;
}

// Each rule with lines that take it and near-misses that must not.
// clang-format off
const Case kRuleCases[] = {
    {"EmptyLinesAreSkipped", "\r\r\rINT. HOUSE - DAY\r\r\r", {{ekSceneHeading, "INT. HOUSE - DAY"}}},
    {"ActionOnlyKeepsEveryLineAction", "INT. HOUSE - DAY\r\rJOHN\r\rHello.",
     {{ekAction, "INT. HOUSE - DAY"}, {ekAction, "JOHN"}, {ekAction, "Hello."}}, With(&TPasteChoices::ActionOnly)},
    {"CodeOnlyLineIsDropped", "\x02 \x03\r\rJohn runs to the car.", {{ekAction, "John runs to the car."}}},
    {"BlanksAfterLeadingCodesGo", "\x02   John runs to the car.\x03", {{ekAction, "\x02John runs to the car.\x03"}}},
    {"PageNumberLineIsDropped", "John runs to the car.\r\r12.\r\rMary waits by the door.",
     {{ekAction, "John runs to the car."}, {ekAction, "Mary waits by the door."}}},
    {"PageNumberLineMakesLockedBreak", "John runs to the car.\r\r12.\r\rMary waits by the door.",
     {{ekAction, "John runs to the car."}, {ekLockedPageBreak, " "}, {ekAction, "Mary waits by the door."}},
     With(&TPasteChoices::MatchPageBreaks)},
    {"NumberBeginningTextIsNoPageLine", "12 monkeys run to the car.", {{ekAction, "12 monkeys run to the car."}}},
    {"SentenceAfterCueIsDialogue", "JOHN\r\rHello there.", {{ekCharacterName, "JOHN"}, {ekDialogue, "Hello there."}}},
    {"SentenceAfterFarCueStaysAction", "JOHN\r\r\rHello there.", {{ekShot, "JOHN"}, {ekAction, "Hello there."}},
     Gentle()},
    {"SentenceWithExtensionIsCue", "MARY V.O.\r\rHello there.",
     {{ekCharacterName, "MARY"}, {ekDialogue, "Hello there."}}},
    {"SentenceAfterHeadingIsAction", "INT. HOUSE - DAY\r\rHe runs.",
     {{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "He runs."}}},
    {"ExtensionInParenthesesMakesCue", "MARY (O.S.)\r\rWhere are you?",
     {{ekCharacterName, "MARY"}, {ekDialogue, "Where are you?"}}},
    {"ZeroForOInExtension", "MARY (0.S.)\r\rWhere are you?",
     {{ekCharacterName, "MARY"}, {ekDialogue, "Where are you?"}}},
    {"KnownNameIsCue", "Bob\r\rWhere are you?", {{ekCharacterName, "Bob"}, {ekDialogue, "Where are you?"}}},
    {"IndentedLineIsNoCue", "|MARY (O.S.)\r\rWhere are you?",
     {{ekShot, "MARY (O.S.)"}, {ekAction, "Where are you?"}}},
    {"IntHeading", "INT. HOUSE - DAY", {{ekSceneHeading, "INT. HOUSE - DAY"}}},
    {"NumbersOnBothSidesGo", "12A INT. HOUSE - DAY 12A", {{ekSceneHeading, "INT. HOUSE - DAY"}}},
    {"TimeOfDayMakesHeading", "THE BEACH - NIGHT", {{ekSceneHeading, "THE BEACH - NIGHT"}}},
    {"OmittedIsHeading", "OMITTED", {{ekSceneHeading, "OMITTED"}}},
    {"InteriorIsNoIntHeading", "INTERIOR DESIGN SHOW", {{ekAction, "INTERIOR DESIGN SHOW"}}},
    {"ShotTextMakesShot", "ANGLE ON THE DOOR", {{ekShot, "ANGLE ON THE DOOR"}}},
    {"PovMakesShot", "JOHN'S POV", {{ekShot, "JOHN'S POV"}}},
    {"OpeningTextIsCapitalAction", "FADE IN:", {{ekAction, "FADE IN:"}}},
    {"AnglerIsNoShot", "ANGLER FISH SWIM", {{ekAction, "ANGLER FISH SWIM"}}},
    {"TransitionEntry", "CUT TO:", {{ekTransition, "CUT TO:"}}},
    {"EndingInToIsTransition", "SMASH CUT TO:", {{ekTransition, "SMASH CUT TO:"}}},
    {"ToInsideTextStaysAction", "He walks up TO: the door and waits",
     {{ekAction, "He walks up TO: the door and waits"}}},
    {"PrologueEntry", "TEASER", {{ekPrologueText, "TEASER"}}},
    {"NoPrologueForLongerWord", "TEASERS", {{ekAction, "TEASERS"}}},
    {"ParentheticalAfterCue", "JOHN\r\r(quietly)\r\rHello.",
     {{ekCharacterName, "JOHN"}, {ekParenthetical, "quietly"}, {ekDialogue, "Hello."}}},
    {"ParenthesesAfterActionAreNoParenthetical", "He runs.\r\r(quietly)", {{ekAction, "He runs."}, {ekAction, "(quietly)"}}},
    {"ContinuedLinesAreDropped", "He runs.\r\r(CONTINUED)\r\rCONTINUED:\r\rShe waits.",
     {{ekAction, "He runs."}, {ekAction, "She waits."}}},
    {"ActionInParentheses", "JOHN\r\r(He smiles)\r\rHello.",
     {{ekShot, "JOHN"}, {ekAction, "He smiles"}, {ekAction, "Hello."}}, With(&TPasteChoices::ActionInParentheticals)},
    {"ShortToLineStaysAction", "Go TO: it", {{ekAction, "Go TO: it"}}},
    {"ShortLineIsCue", "GO TO IT\r\rHello there.", {{ekCharacterName, "GO TO IT"}, {ekDialogue, "Hello there."}}},
    {"IndentedShortLineIsShot", "|CLOSE ON HANDS\r\rHe runs.", {{ekShot, "CLOSE ON HANDS"}, {ekAction, "He runs."}}},
    {"LineAfterCueIsDialogue", "JOHN\r\rWell I think that we should go",
     {{ekCharacterName, "JOHN"}, {ekDialogue, "Well I think that we should go"}}},
    {"LineAfterFarCueIsNoDialogue", "JOHN\r\r\rWell I think that we should go now",
     {{ekShot, "JOHN"}, {ekAction, "Well I think that we should go now"}}, Gentle()},
    {"ShortLineOfWordsIsShot", "The sun sets over the hills", {{ekShot, "The sun sets over the hills"}}},
    {"LongLineOfWordsStaysAction", "The sun sets slowly over the distant hills",
     {{ekAction, "The sun sets slowly over the distant hills"}}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rules, Classification, ::testing::ValuesIn(kRuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The tidying steps, each with a line before and after.
const Case kTidyCases[] = {
    {"QuotedCueIsCenteredTitle", "\"THE END\"", {{ekCenteredTitle, "\"THE END\""}}},
    {"ActionAfterOpenDialogueJoinsIt",
     "JOHN\r\rWe go now,\rAND THEN WE RUN.\rMARY",
     {{ekCharacterName, "JOHN"}, {ekDialogue, "We go now, AND THEN WE RUN."}, {ekAction, "MARY"}}},
    {"PlusMarksHeading", "+ THE HOUSE", {{ekSceneHeading, "THE HOUSE"}}},
    {"PlusWithoutMarkupIsShot", "+ THE HOUSE", {{ekShot, "THE HOUSE"}}, {}, false},
    {"DashMarksShot", "- CLOSE ON DOOR", {{ekShot, "CLOSE ON DOOR"}}},
    {"UnderlineMarks", "He _really_ runs.", {{ekAction, "He \x15really\x16 runs."}}},
    {"UnderlineMarksRefused", "He _really_ runs.", {{ekAction, "He _really_ runs."}}, {}, false},
    {"CueWithoutSpeechBecomesShot",
     "JOHN\r\rINT. HOUSE - DAY",
     {{ekShot, "JOHN"}, {ekSceneHeading, "INT. HOUSE - DAY"}}},
    {"LastCueBecomesAction", "He runs.\r\rJOHN", {{ekAction, "He runs."}, {ekAction, "JOHN"}}},
    {"MoreAndRepeatedCueJoinTheSpeech",
     "JOHN\r\rI have been waiting for\r\r(MORE)\r\r\x0C\r\rJOHN (CONT'D)\r\ra very long time.",
     {{ekCharacterName, "JOHN"}, {ekDialogue, "I have been waiting for a very long time."}}},
};
INSTANTIATE_TEST_SUITE_P(Tidying, Classification, ::testing::ValuesIn(kTidyCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Line joining.
// clang-format off
const Case kJoinCases[] = {
    {"WrappedParagraphJoins", "John walks to the door and\ropens it slowly.",
     {{ekAction, "John walks to the door and opens it slowly."}}, Gentle()},
    {"SentenceSpacingAfterFullStop", "John walks in.\rhe sits down and waits.",
     {{ekAction, "John walks in.  he sits down and waits."}}},
    {"DashJoinsDirectly", "A well-\rknown face appears here.", {{ekAction, "A well-known face appears here."}}},
    {"UpperLineAboveLowerStaysApart", "THE DOOR\rswings open in the wind and bangs.",
     {{ekCharacterName, "THE DOOR"}, {ekDialogue, "swings open in the wind and bangs."}}, Gentle()},
    {"HeadingStandsAlone", "INT. HOUSE - DAY\rJohn walks in.",
     {{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "John walks in."}}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Joining, Classification, ::testing::ValuesIn(kJoinCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClassificationQuestions, AreAskedOncePerPaste) {
  int asked = 0;
  const TClassifierContext context = ContextAnswering(true, &asked);
  ClassifyPlainText("+ THE HOUSE\r\r+ THE GARDEN\r\r- CLOSE ON DOOR\r\rHe _really_ runs.", context, {});
  EXPECT_EQ(asked, 1);
}

TEST(ClassificationQuestions, EachPasteAsksAgain) {
  int asked = 0;
  const TClassifierContext context = ContextAnswering(false, &asked);
  ClassifyPlainText("He _really_ runs.", context, {});
  ClassifyPlainText("He _really_ runs.", context, {});
  EXPECT_EQ(asked, 2);
}

TEST(ClassificationExtensions, AreHandedOnByKind) {
  const TClassifierContext context = ContextAnswering(true);
  const auto elements = ClassifyPlainText("MARY (V.O.)\r\rHi.\r\rJOHN (O.S.)\r\rHi.", context, {});
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(elements[0].extensionKind, 2);
  EXPECT_EQ(elements[2].extensionKind, 1);
}

TEST(ClassificationPageBreaks, KeepTheSpeechGoing) {
  const TClassifierContext context = ContextAnswering(true);
  TPasteChoices choices;
  choices.MatchPageBreaks = true;
  const auto elements = ClassifyPlainText(
      "JOHN\r\rI have been waiting for\r\r(MORE)\r\x0C\rJOHN (CONT'D)\r\ra very long time.", context, choices);
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(elements[2].kind, ekLockedPageBreak);
  EXPECT_EQ(elements[2].split, spSecondPiece);
  EXPECT_EQ(elements[3].kind, ekDialogue);
  EXPECT_EQ(elements[3].split, spSecondPiece);
}

TEST(ClassificationOpening, IsCapitalsKeptWithWhatFollows) {
  const TClassifierContext context = ContextAnswering(true);
  const auto elements = ClassifyPlainText("FADE IN:", context, {});
  ASSERT_EQ(elements.size(), 1u);
  EXPECT_TRUE(elements[0].allCaps);
  EXPECT_EQ(elements[0].state, esKeepFollowing);
}

// A title block above the opening text is read by the same rules as any
// other lines: a short capital line with nothing before it is a cue, the
// line under it its speech; the opening text alone becomes Action.
TEST(ClassificationOpening, TitleBlockAboveTheOpeningTextIsReadByTheRules) {
  const TClassifierContext context = ContextAnswering(true);
  const auto elements = ClassifyPlainText(
      "THE HARBOUR LIGHT\r\rWritten by Ann Example\r\rFADE IN:\r\rINT. HARBOUR OFFICE - NIGHT\r\rHARBOUR "
      "MASTER\rWho goes there?",
      context, {});
  EXPECT_EQ(KindsAndTexts(elements), (std::vector<Expected>{{ekCharacterName, "THE HARBOUR LIGHT"},
                                                            {ekDialogue, "Written by Ann Example"},
                                                            {ekAction, "FADE IN:"},
                                                            {ekSceneHeading, "INT. HARBOUR OFFICE - NIGHT"},
                                                            {ekCharacterName, "HARBOUR MASTER"},
                                                            {ekDialogue, "Who goes there?"}}));
  ASSERT_EQ(elements.size(), 6u);
  EXPECT_TRUE(elements[2].allCaps);
  EXPECT_EQ(elements[2].state, esKeepFollowing);
}

TEST(PlainTextPreparation, NormalisesLineEndsTabsAndFormFeeds) {
  EXPECT_EQ(PreparePlainText("a\r\nb\nc\rd", false), "a\rb\rc\rd");
  EXPECT_EQ(PreparePlainText("a\tb\t\tc", false), "a\rb\rc");
  EXPECT_EQ(PreparePlainText("a\x0C"
                             "b",
                             false),
            "a\rb");
  EXPECT_EQ(PreparePlainText("a\x0C"
                             "b",
                             true),
            "a\r\x0C\rb");
  EXPECT_EQ(PreparePlainText(std::string("a\0b\xFF", 4), false), "ab");
}

TEST(PlainTextPreparation, LongParagraphIsCutAtTheElementLimit) {
  const TClassifierContext context = ContextAnswering(true);
  std::string text;
  while (text.size() < 6000) text += "and the rain goes on ";
  const auto elements = ClassifyPlainText(text, context, {});
  ASSERT_GE(elements.size(), 3u);
  for (const auto& e : elements) EXPECT_LE(e.text.size(), 2815u);
}

TEST(PlainTextPreparation, ALongSpeechGoesOnInDialoguesAnElementCanHold) {
  const TClassifierContext context = ContextAnswering(true);
  std::string text = "BOB\r\r";
  for (int i = 0; i < 400; ++i) text += "and the rain goes on,\r";
  const auto elements = ClassifyPlainText(text, context, {});
  ASSERT_GE(elements.size(), 3u);
  EXPECT_EQ(elements[0].kind, ekCharacterName);
  for (std::size_t i = 1; i < elements.size(); ++i) {
    EXPECT_EQ(elements[i].kind, ekDialogue) << i;
    EXPECT_LE(elements[i].text.size(), 2815u) << i;
  }
}

}  // namespace
}  // namespace qm
