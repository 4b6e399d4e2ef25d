#include "breakdown/scene_gathering.h"

#include <gtest/gtest.h>

#include "breakdown/tag_notation.h"

#include "breakdown/categories.h"
#include "language/language_fixture.h"
#include "script/model/script_record.h"
#include "script/model/text_codes.h"

namespace qm {
namespace {

using Items = std::vector<std::string>;

using testing::T;

class SceneGatheringTest : public testing::LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    Settings().TaggingUsed = 1;
  }
};

TEST_F(SceneGatheringTest, EachSceneGetsItsHeadingPartsItemsAndCharacters) {
  Add({{ekAction, T("Before it all, a [ofeather].")},
       {ekSceneHeading, T("INT. [rOLD] BARN - DAY [ecook]")},
       {ekAction, T("BOB lifts a [ogun]. [fMARY] waves from a [wtruck].")},
       {ekCharacterName, "ANN"},
       {ekDialogue, "Hello, BOB."},
       {ekCharacterName, "BOB (V.O.)"},
       {ekScriptNote, T("[c~bob], [usmoke]")},
       {ekSceneHeading, "EXT. FIELD - NIGHT"},
       {ekCharacterName, "BOB AND MARY"},
       {ekAction, T("BOB'S HAT. [cMary]. [lviolin], [vstunt], [wtruck]")},
       {ekScriptNote, "MARY"},
       {ekSceneHeading, "EXT. ROAD"},
       {ekAction, "MARY walks."},
       {ekCharacterName, "MARY"},
       {ekDialogue, "Hi."}});
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  EXPECT_EQ(run.Names, (Items{"ANN", "BOB", "MARY"}));
  ASSERT_EQ(run.Records.size(), 3u);
  struct Expected {
    std::string intExt, location, time;
    Items characters;
    std::vector<std::pair<TRecordSlot, Items>> items;
  };
  // clang-format off
  const std::vector<Expected> expected = {
      // BOB is met in Action before he speaks; MARY there is tagged as an extra.
      {"INT.", "OLD BARN", "DAY", {"ANN", "BOB"},
       {{rsProps, {"feather", "gun"}}, {rsExtras, {"MARY"}}, {rsVehicles, {"truck"}}, {rsSetDressing, {"OLD"}},
        {rsCrew, {"COOK"}}, {rsCastMembers, {"~BOB"}}, {rsSpecialFX, {"smoke"}}}},
      {"EXT.", "FIELD", "NIGHT", {"BOB", "MARY"},
       {{rsMusic, {"violin"}}, {rsStunts, {"stunt"}}, {rsVehicles, {"truck"}}, {rsCastMembers, {}}}},
      {"EXT.", "ROAD", "", {"MARY"}, {}},
  };
  // clang-format on
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    const BreakdownRecord& r = run.Records[i];
    const Expected& e = expected[i];
    EXPECT_EQ(r.IntExt, e.intExt);
    EXPECT_EQ(r.Location, e.location);
    if (i < 2) {
      EXPECT_EQ(r.TimeOfDay, e.time);
    }
    EXPECT_EQ(CharacterNamesOf(run, r), e.characters);
    for (const auto& [slot, items] : e.items) EXPECT_EQ(r.Items[slot], items) << slot;
  }
}

TEST_F(SceneGatheringTest, ANameFirstMetInActionComesAfterTheSpeakers) {
  Add({{ekSceneHeading, "INT. HALL - DAY"},
       {ekAction, "BOB waits."},
       {ekCharacterName, "ANN"},
       {ekDialogue, "Hi."},
       {ekCharacterName, "BOB"},
       {ekDialogue, "Hi."},
       {ekCharacterName, "BOBBY"},
       {ekDialogue, "Hi."}});
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Records.size(), 1u);
  EXPECT_EQ(CharacterNamesOf(run, run.Records[0]), (Items{"ANN", "BOBBY", "BOB"}));
}

// After a name a comma delimits it, an apostrophe does not; in a Script
// Note the name must end the text.
TEST_F(SceneGatheringTest, WhatFollowsANameDecidesWhetherItCounts) {
  const struct {
    Byte kind;
    const char* text;
    Items characters;
  } cases[] = {
      {ekAction, "BOB, TOO.", {"BOB"}},   {ekAction, "Bob, too.", {"BOB"}},  {ekAction, "BOB'S HAT.", {}},
      {ekScriptNote, "ASK BOB", {"BOB"}}, {ekScriptNote, "BOB IS LATE", {}}, {ekScriptNote, "BOB, TOO", {}},
  };
  // The first scene puts BOB in the name table.
  Add({{ekSceneHeading, "INT. HALL - DAY"}, {ekCharacterName, "BOB"}, {ekDialogue, "Hi."}});
  for (const auto& c : cases) Add({{ekSceneHeading, "INT. ROOM - DAY"}, {c.kind, c.text}});
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Names, Items{"BOB"});
  ASSERT_EQ(run.Records.size(), std::size(cases) + 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].text);
    EXPECT_EQ(CharacterNamesOf(run, run.Records[i + 1]), cases[i].characters);
  }
}

// The INT/EXT entries are compared as displayed, "&" and all.
TEST_F(SceneGatheringTest, AnIntExtEntryWithAnAmpersandIsNotFoundWithoutIt) {
  SetList(TUserList::SceneText, {"INT.", "EXT.", "FULL &SHOT"});
  Add({{ekSceneHeading, "FULL SHOT - DAY"}, {ekAction, "Still."}});
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Records.size(), 1u);
  EXPECT_EQ(run.Records[0].IntExt, "UNKNOWN INT/EXT");
  EXPECT_EQ(run.Records[0].Location, "FULL SHOT");
  EXPECT_EQ(run.Records[0].TimeOfDay, "DAY");
}

TEST_F(SceneGatheringTest, ALocationAliasReportsAsItsLocation) {
  TScriptRecord& r = Settings();
  r.AddAlias(r.LocationAliasList, "OLD BARN", "BARN");
  Add({{ekSceneHeading, "INT. OLD BARN - DAY"}, {ekAction, "Hay."}});
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Records.size(), 1u);
  EXPECT_EQ(run.Records[0].Location, "BARN");
}

TEST_F(SceneGatheringTest, ALongerTimeOfDayWinsOverTheShorterOneItHolds) {
  const struct {
    const char* heading;
    const char* location;
    const char* time;
  } cases[] = {
      {"INT. HOUSE - MOMENTS LATER", "HOUSE", "MOMENTS LATER"},
      {"INT. HALL - SAME TIME", "HALL", "SAME TIME"},
      {"INT. HALL - SAME", "HALL", "SAME"},
      {"EXT. YARD - LATER", "YARD", "LATER"},
      {"EXT. YARD - CONTINUOUS", "YARD", "CONTINUOUS"},
      {"INT. HOUSE - NIGHT", "HOUSE", "NIGHT"},
  };
  for (const auto& c : cases) Add({{ekSceneHeading, c.heading}, {ekAction, "Still."}});
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Records.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].heading);
    EXPECT_EQ(run.Records[i].Location, cases[i].location);
    EXPECT_EQ(run.Records[i].TimeOfDay, cases[i].time);
  }
}

// Lines before count as whole lines rounded half to even; the heading's
// own lines before are not the scene's.
TEST_F(SceneGatheringTest, SceneLinesCountLinesBeforeRoundedHalfToEven) {
  const struct {
    Byte tenths;
    int lines;
  } cases[] = {{0, 2}, {5, 2}, {10, 3}, {15, 4}, {20, 4}, {25, 4}, {35, 6}};
  for (std::size_t i = 0; i < std::size(cases); ++i) Add({{ekSceneHeading, "INT. ROOM - DAY"}, {ekAction, "Still."}});
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Element(static_cast<int>(2 * i)).format.LinesBefore = 35;
    Element(static_cast<int>(2 * i + 1)).format.LinesBefore = cases[i].tenths;
  }
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Records.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(int(cases[i].tenths));
    ASSERT_EQ(Element(static_cast<int>(2 * i + 1)).lineCount, 1);
    EXPECT_EQ(run.Records[i].LineCount, cases[i].lines);
  }
}

// Directly after a page break an element still adds its own lines
// before, as many as its format asks, rounded half to even: a break inside
// a scene adds and takes away nothing.
TEST_F(SceneGatheringTest, AnElementAfterAPageBreakAddsItsOwnLinesBefore) {
  const struct {
    Byte breakKind;
    Byte tenths;
    int lines;
  } cases[] = {
      {ekAutoPageBreak, 0, 2},         {ekAutoPageBreak, 5, 2},    {ekAutoPageBreak, 10, 3},
      {ekAutoPageBreak, 20, 4},        {ekAutoPageBreak, 15, 4},   {ekForcedPageBreak, 0, 2},
      {ekForcedPageBreak, 5, 2},       {ekForcedPageBreak, 20, 4}, {ekLockedPageBreak, 0, 2},
      {ekMultiLockedPageBreak, 25, 4}, {ekFixedAPageBreak, 30, 5},
  };
  for (const auto& c : cases) Add({{ekSceneHeading, "INT. ROOM - DAY"}, {c.breakKind, " "}, {ekAction, "Still."}});
  for (std::size_t i = 0; i < std::size(cases); ++i)
    Element(static_cast<int>(3 * i + 2)).format.LinesBefore = cases[i].tenths;
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Records.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(std::to_string(cases[i].breakKind) + " " + std::to_string(cases[i].tenths));
    ASSERT_EQ(Element(static_cast<int>(3 * i + 2)).lineCount, 1);
    EXPECT_EQ(run.Records[i].LineCount, cases[i].lines);
  }
}

}  // namespace
}  // namespace qm
