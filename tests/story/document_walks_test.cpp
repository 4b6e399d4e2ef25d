// The story tools' walks over a script run on a bare document, with no
// script window: the index cards' headings and texts, the scene pilot's
// scenes, the activity wizard's variables and the branch targets.
#include <gtest/gtest.h>

#include "story/activity_variables.h"
#include "story/index_cards.h"
#include "story/interactive_script.h"
#include "story/scene_pilot.h"
#include "support/document_builder.h"

namespace qm {
namespace {

using testing::BuildDocument;
using testing::TBuiltDocument;

// Three visible scenes behind an opening Action, a hidden heading inside
// the first scene's page and act information in front of the last.
std::unique_ptr<TBuiltDocument> Screenplay() {
  return BuildDocument({
      {ekAction, "FADE IN:"},                        // 0
      {ekSceneHeading, "INT. KITCHEN - DAY"},        // 1
      {ekAction, "Ann pours coffee."},               // 2
      {ekCharacterName, "ANN"},                      // 3
      {ekParenthetical, "quietly"},                  // 4
      {ekDialogue, "Morning."},                      // 5
      {ekCharacterName, "BOB (V.O.)"},               // 6
      {ekDialogue, "You're up early."},              // 7
      {ekShot, "ON THE WINDOW"},                     // 8
      {ekForcedPageBreak, ""},                       // 9
      {ekSceneHeading, "INT. CELLAR - NIGHT", esHidden},  // 10
      {ekAction, "Nobody sees this."},               // 11
      {ekSceneHeading, "EXT. GARDEN - NIGHT"},       // 12
      {ekTransition, "CUT TO:"},                     // 13
      {ekActInformation, "ACT TWO"},                 // 14
      {ekSceneHeading, "INT. HALL - DAY"},           // 15
      {ekScriptNote, "check the lamp"},              // 16
  });
}

int IndexOf(const TScriptDocument& document, const TScriptElement* element) {
  if (!element) return -1;
  int index = 0;
  for (const TScriptElement* e = document.FirstElement; e; e = e->next, ++index)
    if (e == element) return index;
  return -2;
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
      {0, 1},    // before the first heading: the first scene
      {1, 1},    // on a heading: its own scene
      {5, 1},
      {11, 1},   // under a hidden heading: the scene before it
      {13, 12},
      {16, 15},
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
      {ekSceneHeading, "the gate"},                            // 0
      {ekShot, "IF YOU <HAVE KEY> THEN <GATE  OPEN>"},        // 1
      {ekShot, "SET <LAMP LIT> TO TRUE."},                     // 2
      {ekAction, "The <GHOST> waits."},                        // 3
      {ekTransition, "GO TO THE HOUSE (2)"},                   // 4
      {ekSceneHeading, "The \x02house\x03"},                   // 5
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

}  // namespace
}  // namespace qm
