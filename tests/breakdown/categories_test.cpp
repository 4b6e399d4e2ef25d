#include "breakdown/categories.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "script/model/text_codes.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using testing::PlatformFixture;

struct CategoryCase {
  int index;
  std::string caption;
  std::string hint;
  int square;
  bool visible;
  Byte code;
  int slot;
};

TEST(BreakdownCategoryTest, BuiltInCategoriesCarryTheirCodesAndSlots) {
  const std::vector<CategoryCase> cases = {
      {0, "&Additional Labor", "AL", 12, true, 142, 16},
      {2, "&Cast Members", "C", 1, true, 6, 0},
      {4, "Cre&w", "CW", 12, false, 158, 20},
      {5, "&Extras", "EX", 4, true, 7, 1},
      {7, "&Livestock", "LV", 7, true, 24, 8},
      {14, "&Props", "PR", 6, true, 10, 4},
      {15, "Scene Descrip&tion", "DS", 0, true, 168, 22},
      {22, "&Vehicles", "VH", 7, true, 9, 3},
      {25, "User Defined #&3", "U3", 12, false, 184, 25},
  };
  const TCategoryTable table = DefaultCategories();
  for (const CategoryCase& c : cases) {
    SCOPED_TRACE(c.caption);
    const TBreakdownCategory& row = table[static_cast<std::size_t>(c.index)];
    EXPECT_EQ(row.Caption, c.caption);
    EXPECT_EQ(row.Hint, c.hint);
    EXPECT_EQ(row.HelpContext, c.square);
    EXPECT_EQ(row.Visible, c.visible);
    EXPECT_EQ(TagCodeOfCategory(c.index), c.code);
    EXPECT_EQ(RecordSlotOfTagCode(c.code), c.slot);
    EXPECT_EQ(CategoryOfTagCode(c.code), c.index);
  }
  EXPECT_EQ(RecordSlotOfTagCode('A'), -1);
  EXPECT_EQ(RecordSlotOfTagCode(TagEnd), -1);
}

TEST(BreakdownCategoryTest, EverySlotBelongsToExactlyOneCategory) {
  std::vector<int> seen(CategoryCount, 0);
  for (Byte code : BreakdownTagCodes) ++seen[static_cast<std::size_t>(RecordSlotOfTagCode(code))];
  for (int count : seen) EXPECT_EQ(count, 1);
}

TEST(BreakdownCategoryTest, TheSecondColumnStartsAfterHalfTheShownItems) {
  struct Case {
    std::vector<bool> visible;
    int expected;
  };
  std::vector<bool> all(32, true);
  std::vector<bool> oneHidden = all;
  oneHidden[4] = false;  // 31 shown: counted as 30
  std::vector<bool> hiddenFirst = all;
  hiddenFirst[0] = hiddenFirst[1] = false;  // 30 shown
  const std::vector<Case> cases = {{all, 16},   {oneHidden, 16}, {hiddenFirst, 17},
                                   {{true}, 0}, {{}, -1},        {{false, false}, -1}};
  for (const Case& c : cases) EXPECT_EQ(SecondColumnItem(c.visible), c.expected);
}

TEST(BreakdownCategoryTest, ARenameClashingWithAnotherCategoryIsRefused) {
  const TCategoryTable table = DefaultCategories();
  struct Case {
    int index;
    std::string name;
    std::string code;
    bool refused;
  };
  const std::vector<Case> cases = {
      {0, "Crowd", "CR", false},
      {0, "props", "ZZ", true},              // letter case ignored
      {0, "P&rops", "ZZ", true},             // "&" ignored
      {0, "Crowd", "ex", true},              // a code in use
      {0, "Additional Labor", "AL", false},  // its own name and code
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + "/" + c.code);
    const std::string message = CategoryRenameConflict(table, c.index, c.name, c.code);
    EXPECT_EQ(!message.empty(), c.refused);
  }
  EXPECT_EQ(CategoryRenameConflict(table, 0, "P&rops", "ZZ"),
            "Props or ZZ is already in use by another Category!\r\rPlease choose another Name/Code.");
}

TEST(BreakdownCategoryTest, ARenamedCategoryShowsWithItsCodeCutToSix) {
  TCategoryTable table = DefaultCategories();
  RenameCategory(table, 4, "&Crew Members", "CREWMEMBERS");
  EXPECT_EQ(table[4].Caption, "&Crew Members");
  EXPECT_EQ(table[4].Hint, "CREWME");
  EXPECT_TRUE(table[4].Visible);
  EXPECT_TRUE(IsFixedCategory(2));
  EXPECT_TRUE(IsFixedCategory(15));
  EXPECT_FALSE(IsFixedCategory(4));
}

class CategorySettingsTest : public PlatformFixture {};

TEST_F(CategorySettingsTest, CategoriesGoToTheSettingsAndComeBack) {
  TCategoryTable table = DefaultCategories();
  RenameCategory(table, 23, "&Catering", "CT");
  table[23].HelpContext = 11;
  table[2].Visible = false;
  TIniFile ini = OpenSettingsFile();
  SaveCategoryMenus(ini, table);
  EXPECT_EQ(ini.ReadString("Categories", "Menu 23 Caption", ""), "&Catering");
  EXPECT_EQ(ini.ReadString("Categories", "Menu 2 Visible", ""), "0");
  EXPECT_EQ(ini.ReadString("Categories", "Menu 23 HelpContext", ""), "11");
  TCategoryTable back = DefaultCategories();
  ReadCategoryMenus(ini, back);
  EXPECT_EQ(back, table);
}

TEST_F(CategorySettingsTest, AnEmptyCaptionKeepsTheBuiltInCategory) {
  TIniFile ini = OpenSettingsFile();
  ini.WriteString("Categories", "Menu 3 Caption", "");
  ini.WriteString("Categories", "Menu 3 Hint", "XX");
  ini.WriteString("Categories", "Menu 5 Caption", "&Background");
  TCategoryTable table = DefaultCategories();
  ReadCategoryMenus(ini, table);
  EXPECT_EQ(table[3], DefaultCategories()[3]);
  EXPECT_EQ(table[5].Caption, "&Background");
  EXPECT_EQ(table[5].Hint, "");
  EXPECT_TRUE(table[5].Visible);
  // No square read: the one it had stays.
  EXPECT_EQ(table[5].HelpContext, 4);
}

TEST_F(CategorySettingsTest, ASquareTheSheetHasNotIsRefusedAtLoad) {
  struct Case {
    int index;
    std::string square;
    int expected;
  };
  const std::vector<Case> cases = {
      {5, "9", 9}, {5, "12", 12}, {5, "13", 4}, {5, "0", 4},   {5, "-3", 4},
      {5, "x", 4}, {4, "0", 12},  {15, "0", 0}, {15, "13", 0}, {15, "2", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.index) + " " + c.square);
    TIniFile ini = OpenSettingsFile();
    ini.WriteString("Categories", "Menu " + std::to_string(c.index) + " Caption", "&Renamed");
    ini.WriteString("Categories", "Menu " + std::to_string(c.index) + " HelpContext", c.square);
    TCategoryTable table = DefaultCategories();
    ReadCategoryMenus(ini, table);
    EXPECT_EQ(table[static_cast<std::size_t>(c.index)].HelpContext, c.expected);
    ini.EraseSection("Categories");
  }
}

TEST_F(CategorySettingsTest, SheetTitlesHaveDefaultsAndSquaresMoveCategories) {
  TIniFile ini = OpenSettingsFile();
  TSheetTitles titles = ReadSheetTitles(ini);
  EXPECT_EQ(titles[0], "CAST");
  EXPECT_EQ(titles[11], "PRODUCTION NOTES");
  titles[6] = "CARS";
  SaveSheetTitles(ini, titles);
  EXPECT_EQ(ReadSheetTitles(ini)[6], "CARS");

  TCategoryTable table = DefaultCategories();
  TSheetSquares squares = SquaresOf(table);
  EXPECT_EQ(squares[0], std::vector<std::string>{"Cast Members"});
  // Props dragged to square 2; Vehicles dragged out of every square.
  squares[5].clear();
  squares[1].push_back("Props");
  std::erase(squares[6], std::string("Vehicles"));
  ApplySquares(table, squares);
  EXPECT_EQ(table[14].HelpContext, 2);
  EXPECT_EQ(table[22].HelpContext, 7);
}

}  // namespace
}  // namespace qm
