// The story tools' walks over a script run on a bare document, with no
// script window: the index cards' headings and texts, the card table, the
// scene pilot's scenes, the activity wizard's variables and the branch
// targets.
#include <gtest/gtest.h>

#include "story/activity_variables.h"
#include "story/index_cards.h"
#include "story/interactive_script.h"
#include "story/scene_pilot.h"
#include "support/document_builder.h"

namespace qm {
namespace {

using testing::BuildDocument;
using testing::IndexOf;
using testing::TBuiltDocument;

// Three visible scenes behind an opening Action, a hidden heading inside
// the first scene's page and act information in front of the last.
std::unique_ptr<TBuiltDocument> Screenplay() {
  return BuildDocument({
      {ekAction, "FADE IN:"},                             // 0
      {ekSceneHeading, "INT. KITCHEN - DAY"},             // 1
      {ekAction, "Ann pours coffee."},                    // 2
      {ekCharacterName, "ANN"},                           // 3
      {ekParenthetical, "quietly"},                       // 4
      {ekDialogue, "Morning."},                           // 5
      {ekCharacterName, "BOB (V.O.)"},                    // 6
      {ekDialogue, "You're up early."},                   // 7
      {ekShot, "ON THE WINDOW"},                          // 8
      {ekForcedPageBreak, ""},                            // 9
      {ekSceneHeading, "INT. CELLAR - NIGHT", esHidden},  // 10
      {ekAction, "Nobody sees this."},                    // 11
      {ekSceneHeading, "EXT. GARDEN - NIGHT"},            // 12
      {ekTransition, "CUT TO:"},                          // 13
      {ekActInformation, "ACT TWO"},                      // 14
      {ekSceneHeading, "INT. HALL - DAY"},                // 15
      {ekScriptNote, "check the lamp"},                   // 16
  });
}

TEST(StoryWalksOnADocument, CardHeadingsAreTheVisibleSceneHeadings) {
  const auto script = Screenplay();
  std::vector<int> headings;
  for (const TScriptElement* e = script->FirstElement; e; e = e->next)
    if (IsCardHeading(*script, e)) headings.push_back(IndexOf(*script, e));
  EXPECT_EQ(headings, (std::vector<int>{1, 12, 15}));
  // Hidden by the script's hidden kinds too.
  script->HiddenKinds = 1u << ekSceneHeading;
  EXPECT_FALSE(IsCardHeading(*script, &script->Element(1)));
}

TEST(StoryWalksOnADocument, CardTextIsTheSceneUpToTheNextHeadingOrActOrSceneInformation) {
  const auto script = Screenplay();
  const struct {
    int heading;
    bool outline;
    std::string body;
  } cases[] = {
      // A speech goes on on its name's line; a parenthetical right after
      // the name opens without a blank; a forced break shows in outline.
      {1, true,
       "Ann pours coffee.\r\n\r\nANN:  (quietly) Morning.\r\n\r\nBOB (V.O.):  You're up early.\r\n\r\n"
       "[[ON THE WINDOW]]\r\n\r\n##Forced Page Break##"},
      {12, true, "^^CUT TO:^^"},
      {15, true, "<<check the lamp>>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heading);
    bool tooLong = false;
    EXPECT_EQ(CardBodyText(*script, &script->Element(c.heading), c.outline, &tooLong), c.body);
    EXPECT_FALSE(tooLong);
  }
  // In shuffle mode the forced page break is left out.
  const std::string shuffled = CardBodyText(*script, &script->Element(1), false, nullptr);
  EXPECT_EQ(shuffled.find("Forced Page Break"), std::string::npos) << shuffled;
  EXPECT_EQ(shuffled.rfind("You're up early."), shuffled.find("You're up early.")) << shuffled;
}

TEST(StoryWalksOnADocument, ThePilotFindsTheSceneAroundAnElementPassingHiddenHeadings) {
  const auto script = Screenplay();
  const struct {
    int at;
    int heading;
  } cases[] = {
      {0, 1},             // before the first heading: the first scene
      {1, 1},             // on a heading: its own scene
      {5, 1},   {11, 1},  // under a hidden heading: the scene before it
      {13, 12}, {16, 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.at);
    EXPECT_EQ(IndexOf(*script, PilotHeadingAround(*script, &script->Element(c.at))), c.heading);
  }
  EXPECT_EQ(IndexOf(*script, NextPilotHeading(*script, &script->Element(1))), 12);
  EXPECT_EQ(IndexOf(*script, PreviousPilotHeading(*script, &script->Element(15))), 12);
  EXPECT_EQ(NextPilotHeading(*script, &script->Element(15)), nullptr);
  EXPECT_EQ(PreviousPilotHeading(*script, &script->Element(1)), nullptr);
  const auto noScenes = BuildDocument({{ekAction, "Nothing happens."}});
  EXPECT_EQ(PilotHeadingAround(*noScenes, noScenes->FirstElement), nullptr);
}

// Two targets, numbered 5 and 2, with activity lines and a branch point.
std::unique_ptr<TBuiltDocument> Branching() {
  auto script = BuildDocument({
      {ekSceneHeading, "the gate"},                                    // 0
      {ekShot, "IF YOU <HAVE KEY> THEN <GATE  OPEN>"},                 // 1
      {ekShot, "SET <LAMP LIT> TO TRUE."},                             // 2
      {ekAction, "The <GHOST> waits."},                                // 3
      {ekTransition, "GO TO THE HOUSE (2)"},                           // 4
      {ekSceneHeading, "The \x02house\x03"},                           // 5
      {ekShot, "IF DON'T <HAVE KEY> THEN <JUMP (5)> <NOT LAMP LIT>"},  // 6
  });
  script->InteractiveScript = 1;
  script->Element(0).format.NumberWord = 5;
  script->Element(5).format.NumberWord = 2;
  return script;
}

TEST(StoryWalksOnADocument, VariablesAreNamedInActivityLinesOnlyEachOnce) {
  const auto script = Branching();
  EXPECT_EQ(story::ScriptVariables(*script), (std::vector<std::string>{"HAVE KEY", "GATE OPEN", "LAMP LIT"}));
}

TEST(StoryWalksOnADocument, BranchTargetsAreFoundByNumberAndLabelledInCapitals) {
  const auto script = Branching();
  EXPECT_EQ(IndexOf(*script, story::FindBranchTarget(*script, 5)), 0);
  EXPECT_EQ(IndexOf(*script, story::FindBranchTarget(*script, 2)), 5);
  EXPECT_EQ(story::FindBranchTarget(*script, 3), nullptr);
  EXPECT_EQ(story::BranchTargetLabel(*script, script->Element(0)), "THE GATE (5)");
  EXPECT_EQ(story::BranchTargetLabel(*script, script->Element(5)), "THE HOUSE (2)");
}

// Targets numbered 12, 2 and 9 become 1, 2 and 3; every reference in an
// activity line or branch point follows, and one to a number no target
// carries becomes "??"; the return from a branch (0) stays.
TEST(StoryWalksOnADocument, RenumberingNumbersTheTargetsInOrderAndFollowsEveryReference) {
  auto script = BuildDocument({
      {ekSceneHeading, "the gate"},                           // 0 was 12
      {ekShot, "IF <HAVE KEY> THEN <JUMP (12)> <LAMP LIT>"},  // 1
      {ekTransition, "GO TO THE CELLAR (9)"},                 // 2
      {ekSceneHeading, "the house"},                          // 3 was 2
      {ekAction, "A note (9) is no reference."},              // 4
      {ekShot, "SET <LAMP LIT> TO TRUE. <JUMP (7)>"},         // 5
      {ekSceneHeading, "the cellar"},                         // 6 was 9
      {ekTransition, "RETURN (0)"},                           // 7
  });
  script->InteractiveScript = 1;
  const std::pair<int, Word> numbers[] = {{0, 12}, {3, 2}, {6, 9}};
  for (const auto& [index, number] : numbers) script->Element(index).format.NumberWord = number;
  bool missing = false;
  std::vector<TScriptElement*> relaid;
  EXPECT_EQ(story::RenumberTargets(*script, &missing, relaid), 3);
  EXPECT_TRUE(missing);
  const std::pair<int, Word> renumbered[] = {{0, 1}, {3, 2}, {6, 3}};
  for (const auto& [index, number] : renumbered) EXPECT_EQ(story::TargetNumber(script->Element(index)), number);
  const std::pair<int, std::string> texts[] = {
      {1, "IF <HAVE KEY> THEN <JUMP (1)> <LAMP LIT>"}, {2, "GO TO THE CELLAR (3)"}, {4, "A note (9) is no reference."},
      {5, "SET <LAMP LIT> TO TRUE. <JUMP (\?\?)>"},    {7, "RETURN (0)"},
  };
  for (const auto& [index, text] : texts) EXPECT_EQ(ElementText(script->Element(index)), text) << index;
  // The texts that changed length are laid out again.
  std::vector<int> changed;
  for (const TScriptElement* e : relaid) changed.push_back(IndexOf(*script, e));
  EXPECT_EQ(changed, (std::vector<int>{1, 5}));
}

TEST(StoryWalksOnADocument, WithoutTargetsEveryReferenceIsMissing) {
  auto script = BuildDocument({{ekAction, "Dark."}, {ekTransition, "GO TO THE GATE (1)"}});
  bool missing = false;
  std::vector<TScriptElement*> relaid;
  EXPECT_EQ(story::RenumberTargets(*script, &missing, relaid), 0);
  EXPECT_TRUE(missing);
  EXPECT_EQ(ElementText(script->Element(1)), "GO TO THE GATE (\?\?)");
}

// The card table: which elements each card takes, the text in front of the
// first card, the first card shown for an element, and whether the cards
// may be edited.
std::unique_ptr<TBuiltDocument> ThreeScenes() {
  return BuildDocument({
      {ekAction, "FADE IN:"},                           // 0 in front of the first card
      {ekSceneHeading, "INT. ATTIC - DAY"},             // 1 card 1
      {ekAction, "Dust."},                              // 2
      {ekCharacterName, "ANN"},                         // 3
      {ekDialogue, "Hello?"},                           // 4
      {ekSceneHeading, "INT. CELLAR - DAY", esHidden},  // 5 no card; goes with the next one
      {ekActStart, "ACT TWO"},                          // 6 goes with the next heading
      {ekSceneHeading, "EXT. GARDEN - NIGHT"},          // 7 card 2
      {ekAction, "Rain."},                              // 8
      {ekSceneHeading, "INT. HALL - DAY"},              // 9 card 3
      {ekScriptNote, "check the lamp"},                 // 10
  });
}

TEST(IndexCardsOfADocument, EachCardRunsFromWhatGoesWithItsHeadingToTheNextCard) {
  const auto script = ThreeScenes();
  TCardTable table;
  const TCardLoad load = LoadCardTable(*script, table, {}, nullptr);
  ASSERT_TRUE(load.loaded);
  ASSERT_EQ(table.Count(), 3);
  const std::pair<int, int> expected[] = {{1, 4}, {5, 8}, {9, 10}};
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(IndexOf(*script, table[k].first), expected[k - 1].first);
    EXPECT_EQ(IndexOf(*script, table[k].last), expected[k - 1].second);
  }
  // The opening Action stays in front: it is never taken by the first card.
  EXPECT_EQ(IndexOf(*script, load.prologueEnd), 0);
}

// The cards before the element's scene are scrolled past; an element on a
// heading does not count that heading.
TEST(IndexCardsOfADocument, TheFirstCardShownIsTheSceneOfTheGivenElement) {
  const auto script = ThreeScenes();
  const struct {
    int caret;  // -1: none
    int firstCard;
  } cases[] = {{0, 0}, {1, 0}, {2, 0}, {5, 0}, {7, 0}, {8, 1}, {9, 1}, {10, 2}, {-1, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caret);
    TCardTable table;
    const TScriptElement* caret = c.caret < 0 ? nullptr : &script->Element(c.caret);
    EXPECT_EQ(LoadCardTable(*script, table, {}, caret).firstCard, c.firstCard);
  }
}

TEST(IndexCardsOfADocument, EditingStopsAtWhatTheCardTextCannotHold) {
  const struct {
    const char* name;
    Byte editable;
    Byte scenesLocked;
    bool abort;
    bool loaded, stillEditable, noShuffling, mixed;
    std::vector<std::string> asked;
    int stopAt;
  } cases[] = {
      // The act information of the second card is asked about once; the
      // cue and speech before it make the elements mixed.
      {"editable", 1, 0, false, true, false, false, true, {"Act and/or Scene Information"}, -1},
      {"aborted", 1, 0, true, false, true, false, true, {"Act and/or Scene Information"}, 6},
      {"read-only", 0, 0, false, true, false, true, false, {}, -1},
      {"locked scenes", 1, 1, false, true, false, false, false, {}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto script = ThreeScenes();
    script->Editable = c.editable;
    script->ScenesLocked = c.scenesLocked;
    std::vector<std::string> asked;
    TCardTable table;
    const TCardLoad load = LoadCardTable(
        *script, table,
        [&](const std::string& reason) {
          asked.push_back(reason);
          return c.abort;
        },
        nullptr);
    EXPECT_EQ(load.loaded, c.loaded);
    EXPECT_EQ(load.editable, c.stillEditable);
    EXPECT_EQ(load.noShuffling, c.noShuffling);
    EXPECT_EQ(load.mixedElements, c.mixed);
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(IndexOf(*script, load.stopAt), c.stopAt);
  }
}

TEST(IndexCardsOfADocument, AScriptWithoutHeadingsHasNoCards) {
  const auto script = BuildDocument({{ekAction, "Rain."}, {ekAction, "More rain."}});
  TCardTable table;
  const TCardLoad load = LoadCardTable(*script, table, {}, nullptr);
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(IndexOf(*script, load.prologueEnd), 1);
}

}  // namespace
}  // namespace qm
