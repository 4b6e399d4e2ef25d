#include "files/storydev_import.h"

#include <gtest/gtest.h>

#include "files/file_test_fixture.h"
#include "script/editing/script_list_data.h"
#include "support/exchange_data.h"
#include "support/program_fixture.h"
#include "script/model/packed_text.h"

namespace qm {
namespace {

using Records = testing::ExchangeRecords;

std::vector<Byte> Exchange(const Records& records, DWord state = 0x5EED1234, bool swapped = false) {
  return testing::ExchangeBytes(records, state, swapped);
}

std::vector<std::pair<int, std::string>> KindsAndTexts(const TStoryDevData& data) {
  std::vector<std::pair<int, std::string>> result;
  for (const auto& e : data.elements) result.emplace_back(e.kind, e.text);
  return result;
}

const Records kStory{{"TITL", "The Visit"},       {"CNAM", "Anna"},  {"CNOT", "Shy."},     {"XTRA", "skipped"},
                     {"SNAM", "INT. CAFE - DAY"}, {"SDES", "Rain."}, {"SNOT", "Shorten."}, {"LAST", ""},
                     {"TITL", "after the end"}};

TEST(StoryDevExchange, RecordsBecomeElementsAndNames) {
  for (const bool swapped : {false, true}) {
    TStoryDevData data;
    ASSERT_TRUE(ReadStoryDevData(Exchange(kStory, 0x5EED1234, swapped), data)) << swapped;
    EXPECT_EQ(KindsAndTexts(data), (std::vector<std::pair<int, std::string>>{{ekCenteredTitle, "The Visit"},
                                                                             {ekAction, "Shy."},
                                                                             {ekSceneHeading, "INT. CAFE - DAY"},
                                                                             {ekAction, "Rain."},
                                                                             {ekScriptNote, "Shorten."}}));
    EXPECT_EQ(data.characterNames, std::vector<std::string>{"ANNA"});
  }
}

TEST(StoryDevExchange, ScramblingAndUnscramblingAreInverse) {
  std::vector<Byte> bytes{'a', 'b', 'c', 0, 255, 17};
  const std::vector<Byte> plain = bytes;
  const DWord end = DescrambleBlock(bytes, 42, true);
  EXPECT_NE(bytes, plain);
  EXPECT_EQ(DescrambleBlock(bytes, 42, false), end);
  EXPECT_EQ(bytes, plain);
}

struct DamagedCase {
  const char* name;
  std::vector<Byte> bytes;
  bool readable;
  std::size_t elements;
};

TEST(StoryDevExchange, DamagedDataIsRefusedOrCutShort) {
  std::vector<Byte> wrongMagic = Exchange(kStory);
  wrongMagic[5] ^= 0x20;
  std::vector<Byte> overlong = Exchange({{"TITL", "One"}, {"SDES", "Two"}});
  overlong[overlong.size() - 4] = 0x7F;  // the second length runs past the end
  std::vector<Byte> zeroLength = Exchange({{"TITL", "One"}, {"SDES", ""}, {"SNOT", "Three"}});
  std::vector<Byte> magicOnly = Exchange({});
  magicOnly.resize(12);
  const DamagedCase cases[] = {
      {"empty", {}, false, 0},
      {"shorter than the magic", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, false, 0},
      {"wrong magic", wrongMagic, false, 0},
      {"length past the end", overlong, true, 1},
      {"zero length", zeroLength, true, 1},
      {"magic only", magicOnly, true, 0},
  };
  for (const auto& c : cases) {
    TStoryDevData data;
    EXPECT_EQ(ReadStoryDevData(c.bytes, data), c.readable) << c.name;
    EXPECT_EQ(data.elements.size(), c.elements) << c.name;
  }
}

TEST(StoryDevExchange, TextsAreClippedToTheirLimits) {
  TStoryDevData data;
  ASSERT_TRUE(
      ReadStoryDevData(Exchange({{"SDES", std::string(4000, 'x')}, {"CNAM", "Maximilian Alexander Smith"}}), data));
  ASSERT_EQ(data.elements.size(), 1u);
  EXPECT_EQ(data.elements[0].text.size(), MaxElementChars);
  EXPECT_EQ(data.characterNames, std::vector<std::string>{"MAXIMILIAN ALEXANDER"});
}

class StoryDevNames : public testing::ProgramFixture {};

TEST_F(StoryDevNames, KnownNamesAreNotAddedAndAFullListDropsTheRest) {
  TUserListTables& lists = RecordOf(Script()).UserLists;
  ClearUserList(lists, TUserList::CharNames);
  SetUserListEntry(lists, TUserList::CharNames, 1, "ANNA");
  std::vector<std::string> names{"ANNA"};
  for (int i = 0; i < 16; ++i) names.push_back("NAME" + std::to_string(i));
  EXPECT_EQ(AddStoryDevNames(Script(), names), 14);
  EXPECT_EQ(UserListEntry(lists, TUserList::CharNames, 15), "NAME13");
}

class StoryDevMessages : public testing::FileTest {};

TEST_F(StoryDevMessages, DamagedDataSaysSo) {
  testing::SeenBox seen;
  AnswerBox(mrOk, &seen);
  TStoryDevData data;
  EXPECT_FALSE(ReadStoryDevExchange(std::vector<Byte>{1, 2, 3}, data));
  EXPECT_EQ(seen.text, StoryDevDamagedMessage);
}

}  // namespace
}  // namespace qm
