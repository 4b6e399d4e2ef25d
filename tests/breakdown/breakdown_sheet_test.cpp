// The sheet on screen: which square shows what, which category an item put
// into a square takes, and finding an item among the tag bytes.
#include "breakdown/breakdown_sheet.h"

#include <gtest/gtest.h>

#include "breakdown/tag_notation.h"

namespace qm {
namespace {

using testing::T;

constexpr int Cast = 2, Crew = 4, Props = 14, Sound = 18, Music = 11, SceneDescription = 15;

TEST(BreakdownSheetTest, SquaresShowTheCharactersFirstThenEachCategoryInItsSquare) {
  BreakdownRecord record;
  record.Items[rsCastMembers] = {"GUARD"};
  record.Items[rsProps] = {"gun", "hat"};
  record.Items[rsMusic] = {"waltz"};
  record.Items[rsSound] = {"thunder"};
  record.Items[rsCrew] = {"grip"};
  record.Items[rsSceneDescription] = {"Bob finds the gun", "second"};
  TCategoryTable table = DefaultCategories();
  table[Crew].HelpContext = 0;  // shows nowhere
  const TSheetContent content = FillSquaresFromRecord(record, {"BOB", "MARY"}, table);
  const std::vector<TSquareItem> first = {{"BOB", Cast}, {"MARY", Cast}, {"GUARD", Cast}};
  EXPECT_EQ(content.Squares[0], first);
  const std::vector<TSquareItem> props = {{"gun", Props}, {"hat", Props}};
  EXPECT_EQ(content.Squares[5], props);
  // Sound before Music in their shared square.
  const std::vector<TSquareItem> sounds = {{"thunder", Sound}, {"waltz", Music}};
  EXPECT_EQ(content.Squares[9], sounds);
  for (const auto& square : content.Squares)
    for (const TSquareItem& item : square) {
      EXPECT_NE(item.Text, "grip");
      EXPECT_NE(item.Category, SceneDescription);
    }
  EXPECT_EQ(content.Description, "Bob finds the gun");
}

TEST(BreakdownSheetTest, SquareCodesAreTheCodesOfItsCategoriesInCategoryOrder) {
  const TCategoryTable table = DefaultCategories();
  EXPECT_EQ(SquareCodes(table, 1), "\x06");
  EXPECT_EQ(SquareCodes(table, 10), "\x80\x81");  // Music, Sound
  EXPECT_EQ(SquareCodes(table, 3), "\x87\x86");   // Greenery, Set Dressing
  EXPECT_EQ(SquareCodes(table, 0), "\xA8");       // the description has none
}

TEST(BreakdownSheetTest, AnItemPutIntoASquareTakesTheCategoryItsTitleNames) {
  struct Case {
    int square;
    int selected;
    std::string title;
    Byte code;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {1, -1, "CAST", 6},           {12, -1, "EXTRA LABOR", 142},  {8, -1, "Wardrobe", 12},
      {8, -1, "COSTUMES", 12},      {2, -1, "STUNTS", 8},          {4, -1, "EXTRAS", 7},
      {4, -1, "EXTRA", 7},          {3, -1, "SET DRESSING", 134},  {5, -1, "SFX", 11},
      {5, -1, "SPECIAL EFFECTS", 11}, {11, -1, "SPECIAL EQUIPMENT", 137}, {9, -1, "MAKEUP/HAIR", 23},
      {10, -1, "SOUND FX/MUSIC", 129}, {6, -1, "PROPS", 10},       {7, -1, "VEHICLES/ANIMALS", 9},
      {12, -1, "PRODUCTION NOTES", 170},
      // No rule: the last visible category of the square (hidden users skipped).
      {12, -1, "CATERING", 141},    {7, -1, "ZOO", 9},
      // A selected item's category comes first.
      {10, Music, "SOUND FX/MUSIC", 128},
      {13, -1, "CAST", 0},
  };
  // clang-format on
  const TCategoryTable table = DefaultCategories();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    BreakdownRecord all;
    EXPECT_EQ(SquareCategoryCode(table, c.square, c.selected, c.title, "rain", all), c.code);
    const int slot = RecordSlotOfTagCode(c.code);
    if (slot >= 0) {
      EXPECT_EQ(all.Items[static_cast<std::size_t>(slot)], std::vector<std::string>{"rain"});
      SquareCategoryCode(table, c.square, c.selected, c.title, "RAIN", all);
      EXPECT_EQ(all.Items[static_cast<std::size_t>(slot)].size(), 1u) << "once, letter case ignored";
    }
  }
}

TEST(BreakdownSheetTest, FindingAnItemPassesOverTheTagBytes) {
  struct Case {
    std::string text;
    std::string item;
    bool skip;
    std::size_t start, end;
  };
  const std::size_t none = std::string::npos;
  const std::vector<Case> cases = {
      {T("He lifts a [ogun]."), "GUN", true, 12, 15}, {T("He lifts a [ogun]."), "gun", false, 12, 15},
      {T("a [cB[oOB]]"), "bob", true, 3, 7},          {T("a [cB[oOB]]"), "bob", false, none, none},
      {"nothing here", "gun", true, none, none},      {"gun", "", true, none, none},
  };
  const CharSet codes = InlineCodes(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const TItemMatch m = FindUntaggedText(c.text, c.item, c.skip, codes);
    EXPECT_EQ(m.start, c.start);
    if (c.start != none) {
      EXPECT_EQ(m.end, c.end);
    }
  }
}

}  // namespace
}  // namespace qm
