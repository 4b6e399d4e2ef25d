#include "breakdown/associations.h"

#include <gtest/gtest.h>

#include "language/language_fixture.h"
#include "script/model/packed_text.h"
#include "script/model/script_record.h"

namespace qm {
namespace {

using Items = std::vector<std::string>;
using Bytes = std::vector<Byte>;

constexpr int Costumes = 3;
constexpr int Props = 14;
constexpr int SetDressing = 17;
constexpr int Extras = 5;

Bytes Str(const std::string& packed) {
  Bytes out(packed.begin(), packed.end());
  out.push_back(0);
  return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(AssociationsBlockTest, ACharacterIsWrittenAsAHeaderAndOneStringPerCategory) {
  TAssociationLists lists;
  lists.Characters.push_back({"BOB", {{{"red coat"}, Costumes, ieIntOnly}, {{"gun", "knife"}, Props, ieIntOnly}}});
  const Bytes expected = Concat({Str(PackShortString("@bob")), Str(std::string(1, '\x04') + PackText("red coat")),
                                 Str(std::string(1, '\x0F') + PackText("gun,knife"))});
  EXPECT_EQ(WriteAssociations(lists), expected);
  EXPECT_EQ(ReadAssociations(expected), lists);
}

TEST(AssociationsBlockTest, LocationsTakeTheirTagFromTheFirstChoiceAndComeAfterCharacters) {
  struct Case {
    Byte choice;
    char tag;
  };
  for (const Case& c : std::vector<Case>{{ieIntOnly, '#'}, {ieExtOnly, '$'}, {ieBoth, '%'}}) {
    SCOPED_TRACE(c.tag);
    TAssociationLists lists;
    lists.Locations.push_back({"BARN", {{{"hay"}, SetDressing, c.choice}, {{"cow"}, Extras, c.choice}}});
    lists.Characters.push_back({"ANN", {{{"hat"}, Costumes, ieIntOnly}}});
    const Bytes block = WriteAssociations(lists);
    const Bytes expected =
        Concat({Str(PackShortString("@ann")), Str(std::string(1, '\x04') + PackText("hat")),
                Str(PackShortString(std::string(1, c.tag) + "barn")), Str(std::string(1, '\x12') + PackText("hay")),
                Str(std::string(1, '\x06') + PackText("cow"))});
    EXPECT_EQ(block, expected);
    EXPECT_EQ(ReadAssociations(block), lists);
  }
  EXPECT_TRUE(WriteAssociations({}).empty());
}

TEST(AssociationsBlockTest, DamagedBlocksReadWhatTheyCan) {
  const Bytes header = Str(PackShortString("@bob"));
  const Bytes hat = Str(std::string(1, '\x04') + PackText("hat"));
  struct Case {
    std::string what;
    Bytes block;
    std::size_t characters;
    std::size_t associations;
  };
  const std::vector<Case> cases = {
      {"empty", {}, 0, 0},
      {"an association before any header", Concat({hat, header, hat}), 1, 1},
      {"no zero at the end", Bytes(header.begin(), header.end() - 1), 1, 0},
      {"a category past the last", Concat({header, Str(std::string(1, '\x1B') + PackText("x")), hat}), 1, 1},
      {"an empty string ends it", Concat({header, hat, Bytes{0}, header}), 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TAssociationLists lists = ReadAssociations(c.block);
    ASSERT_EQ(lists.Characters.size(), c.characters);
    if (c.characters) {
      EXPECT_EQ(lists.Characters[0].Chain.size(), c.associations);
    }
  }
}

TEST(AssociationsApplyTest, ItemsOfTheLocationAndCharactersJoinTheRecord) {
  TAssociationLists lists;
  lists.Locations.push_back({"BARN", {{{"hay"}, SetDressing, ieIntOnly}}});
  lists.Locations.push_back({"FIELD", {{{"fence"}, SetDressing, ieBoth}}});
  lists.Characters.push_back({"BOB", {{{"red coat"}, Costumes, ieIntOnly}, {{"gun", "~knife"}, Props, ieIntOnly}}});
  lists.Characters.push_back({"ANN", {{{"hat"}, Costumes, ieIntOnly}}});
  struct Case {
    std::string what;
    std::string intExt, location;
    Items cast, extras, others;
    TRecordNames from;
    Items setDressing, costumes, props;
  };
  const TRecordNames scene = TRecordNames::NameTable, script = TRecordNames::WholeScript;
  const std::vector<Case> cases = {
      {"INT barn, Bob cast", "INT.", "BARN", {"BOB"}, {}, {}, scene, {"hay"}, {"red coat"}, {"gun"}},
      {"EXT barn: INT only", "EXT.", "barn", {}, {}, {}, scene, {}, {}, {"knife"}},
      {"no INT/EXT", "", "BARN", {}, {}, {}, scene, {}, {}, {"knife"}},
      {"both", "EXT.", "FIELD", {}, {}, {"ann"}, scene, {"fence"}, {"hat"}, {"knife"}},
      // A scene's extras count as its characters; the whole script's
      // gathering names its characters itself.
      {"Ann an extra of a scene", "EXT.", "FIELD", {}, {"ANN"}, {}, scene, {"fence"}, {"hat"}, {"knife"}},
      {"Ann an extra of the script", "EXT.", "FIELD", {}, {"ANN"}, {}, script, {"fence"}, {}, {"knife"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BreakdownRecord record;
    record.IntExt = c.intExt;
    record.Location = c.location;
    record.Items[rsCastMembers] = c.cast;
    record.Items[rsExtras] = c.extras;
    record.Items[rsProps] = {"knife"};
    ApplyAssociations(record, lists, c.others, c.from);
    EXPECT_EQ(record.Items[rsSetDressing], c.setDressing);
    EXPECT_EQ(record.Items[rsCostumes], c.costumes);
    // Bob's "~knife" takes the scene's knife away.
    EXPECT_EQ(record.Items[rsProps], c.props);
  }
}

TEST(AssociationsApplyTest, OffEntriesCancelThemselvesAndTheirItem) {
  BreakdownRecord record;
  record.Items[rsProps] = {"Gun", "hat", "~gun", "~boot"};
  record.Items[rsCastMembers] = {"BOB", "~ANN"};
  BreakdownRecord applied = record;
  CancelOffEntries(record);
  EXPECT_EQ(record.Items[rsProps], Items{"hat"});
  EXPECT_EQ(record.Items[rsCastMembers], Items{"BOB"});
  // A script without associations still has its off entries applied.
  ApplyAssociations(applied, TAssociationLists{}, {}, TRecordNames::NameTable);
  EXPECT_EQ(applied.Items[rsProps], Items{"hat"});
  EXPECT_EQ(applied.Items[rsCastMembers], Items{"BOB"});
}

class AssociationsScriptTest : public testing::LanguageFixture {};

TEST_F(AssociationsScriptTest, GatheringTheScriptAppliesEveryCharactersAssociations) {
  Settings().TaggingUsed = 1;
  Add({{ekSceneHeading, "INT. BARN - DAY"},
       {ekCharacterName, "BOB"},
       {ekDialogue, "Hello."},
       {ekAction, std::string("A \x0A") + "lamp\x01."}});
  PlaceCaret(3);
  TAssociationLists lists;
  lists.Characters.push_back({"BOB", {{{"red coat"}, Costumes, ieIntOnly}}});
  lists.Characters.push_back({"NOBODY", {{{"cape"}, Costumes, ieIntOnly}}});
  SetScriptAssociations(Script(), lists);
  EXPECT_EQ(ScriptAssociations(Script()), lists);
  const BreakdownRecord record = GatherAllSceneBreakdowns(Script());
  EXPECT_EQ(record.Items[rsProps], Items{"lamp"});
  EXPECT_EQ(record.Items[rsCostumes], Items{"red coat"});
}

}  // namespace
}  // namespace qm
