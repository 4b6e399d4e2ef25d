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
  const std::vector<Expected> expected = {
      // BOB is met in Action before he speaks; MARY there is tagged as an extra.
      {"INT.", "OLD BARN", "DAY", {"ANN", "BOB"},
       {{rsProps, {"feather", "gun"}}, {rsExtras, {"MARY"}}, {rsVehicles, {"truck"}}, {rsSetDressing, {"OLD"}},
        {rsCrew, {"COOK"}}, {rsCastMembers, {"~BOB"}}, {rsSpecialFX, {"smoke"}}}},
      {"EXT.", "FIELD", "NIGHT", {"BOB", "MARY"},
       {{rsMusic, {"violin"}}, {rsStunts, {"stunt"}}, {rsVehicles, {"truck"}}, {rsCastMembers, {}}}},
      {"EXT.", "ROAD", "", {"MARY"}, {}},
  };
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

TEST_F(SceneGatheringTest, ALocationAliasReportsAsItsLocation) {
  TScriptRecord& r = Settings();
  r.AddAlias(r.LocationAliasList, "OLD BARN", "BARN");
  Add({{ekSceneHeading, "INT. OLD BARN - DAY"}, {ekAction, "Hay."}});
  PlaceCaret(0);
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Records.size(), 1u);
  EXPECT_EQ(run.Records[0].Location, "BARN");
}

}  // namespace
}  // namespace qm
