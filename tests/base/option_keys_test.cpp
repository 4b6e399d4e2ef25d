#include "base/option_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

struct TSample {
  bool Flag = true;
  bool Following = false;
  Byte Small = 7;
  Word Wide = 700;
  int Ranged = 5;
  int Packed = 0;
  std::string Name = "own default";
  std::string Short = "abc";
  bool ReadOnly = false;
};

bool GlobalFlag = false;
std::string GlobalText;

using SampleKey = OptionKey<TSample>;
constexpr const char* S = "Sample";

const SampleKey SampleKeys[] = {
    SampleKey::Flag(S, "Flag", &TSample::Flag),
    SampleKey::FlagFollowing(S, "Following", &TSample::Following, &TSample::Flag),
    SampleKey::Number(S, "Small", &TSample::Small, 3),
    SampleKey::Number(S, "Wide", &TSample::Wide),
    SampleKey::Number(S, "Ranged", &TSample::Ranged, {}, 1, 10),
    SampleKey::Bits(S, "Packed", &TSample::Packed, 0x0F),
    SampleKey::Text(S, "Name", &TSample::Name),
    SampleKey::Text(S, "Short", &TSample::Short, "xyz", 4),
    SampleKey::Flag(S, "Global Flag", &GlobalFlag, true),
    SampleKey::Text(S, "Global Text", &GlobalText, "none"),
    SampleKey::NotWritten(SampleKey::Flag(S, "Read Only", &TSample::ReadOnly, true)),
};

class OptionKeysTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    GlobalFlag = false;
    GlobalText.clear();
  }
  TIniFile Ini() const { return TIniFile(HomeFile("KEYS.INI")); }
};

TEST_F(OptionKeysTest, EveryKindOfKeyReadsBackWhatWasWritten) {
  TSample written;
  written.Flag = false;
  written.Following = true;
  written.Small = 200;
  written.Wide = 60000;
  written.Ranged = 9;
  written.Packed = 12;
  written.Name = "Courier New";
  written.Short = "wxyz";
  GlobalFlag = false;
  GlobalText = "kept";
  TIniFile ini = Ini();
  WriteOptionKeys(ini, written, SampleKeys);

  GlobalFlag = true;
  GlobalText.clear();
  TSample read;
  ReadOptionKeys(Ini(), read, SampleKeys);
  EXPECT_EQ(read.Flag, false);
  EXPECT_EQ(read.Following, true);
  EXPECT_EQ(read.Small, 200);
  EXPECT_EQ(read.Wide, 60000);
  EXPECT_EQ(read.Ranged, 9);
  EXPECT_EQ(read.Packed, 12);
  EXPECT_EQ(read.Name, "Courier New");
  EXPECT_EQ(read.Short, "wxyz");
  EXPECT_FALSE(GlobalFlag);
  EXPECT_EQ(GlobalText, "kept");
}

// Each key of the table is written once, under its own name, and a key
// marked as read only is not written at all.
TEST_F(OptionKeysTest, AWriteStoresEachWrittenKeyOnce) {
  TIniFile ini = Ini();
  WriteOptionKeys(ini, TSample{}, SampleKeys);
  const std::vector<std::string> expected = {"Flag",   "Following", "Small", "Wide",        "Ranged",
                                             "Packed", "Name",      "Short", "Global Flag", "Global Text"};
  EXPECT_EQ(Ini().ReadSection(S), expected);
}

TEST_F(OptionKeysTest, MissingKeysTakeTheTablesDefaultOrKeepTheRecordsOwn) {
  TSample read;
  read.Flag = false;  // the following flag defaults to the flag read before it
  ReadOptionKeys(Ini(), read, SampleKeys);
  EXPECT_EQ(read.Flag, false);
  EXPECT_EQ(read.Following, false);
  EXPECT_EQ(read.Small, 3);
  EXPECT_EQ(read.Wide, 700);
  EXPECT_EQ(read.Ranged, 5);
  EXPECT_EQ(read.Name, "own default");
  EXPECT_EQ(read.Short, "xyz");
  EXPECT_TRUE(read.ReadOnly);
  EXPECT_TRUE(GlobalFlag);
  EXPECT_EQ(GlobalText, "none");

  TSample following;
  following.Flag = true;
  ReadOptionKeys(Ini(), following, SampleKeys);
  EXPECT_TRUE(following.Following);
}

TEST_F(OptionKeysTest, StoredValuesStayWithinTheirLimits) {
  const struct {
    const char* key;
    const char* stored;
    int small, wide, ranged, packed;
  } cases[] = {
      {"Small", "300", 255, 700, 5, 0}, {"Small", "-4", 0, 700, 5, 0},   {"Wide", "70000", 3, 65535, 5, 0},
      {"Wide", "-1", 3, 0, 5, 0},       {"Ranged", "11", 3, 700, 10, 0}, {"Ranged", "0", 3, 700, 1, 0},
      {"Ranged", "-50", 3, 700, 1, 0},  {"Packed", "17", 3, 700, 5, 1},  {"Packed", "-1", 3, 700, 5, 15},
      {"Packed", "$FF", 3, 700, 5, 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
    TIniFile ini = Ini();
    ini.EraseSection(S);
    ini.WriteString(S, c.key, c.stored);
    TSample read;
    ReadOptionKeys(Ini(), read, SampleKeys);
    EXPECT_EQ(read.Small, c.small);
    EXPECT_EQ(read.Wide, c.wide);
    EXPECT_EQ(read.Ranged, c.ranged);
    EXPECT_EQ(read.Packed, c.packed);
  }
}

TEST_F(OptionKeysTest, TextsAreCutToTheirLengthAndOthersKeptWhole) {
  TIniFile ini = Ini();
  const std::string longName(600, 'n');
  ini.WriteString(S, "Short", "abcdefgh");
  ini.WriteString(S, "Name", longName);
  TSample read;
  ReadOptionKeys(Ini(), read, SampleKeys);
  EXPECT_EQ(read.Short, "abcd");
  EXPECT_EQ(read.Name, longName);
}

TEST_F(OptionKeysTest, AKeyShownByAFormIsReadAndWrittenByValueWithItsDefaults) {
  const SampleKey shownFlag = SampleKey::Flag(S, "Shown Flag", ShownPlace, true);
  const SampleKey shownNumber = SampleKey::Number(S, "Shown Number", ShownPlace, 9, 1, 12);
  const SampleKey shownText = SampleKey::Text(S, "Shown Text", ShownPlace, "Courier New", 5);
  const SampleKey shownOwn = SampleKey::Text(S, "Shown Own", ShownPlace);
  const SampleKey readOnly = SampleKey::NotWritten(SampleKey::Flag(S, "Shown Read Only", ShownPlace, false));
  TIniFile ini = Ini();
  // Missing: the key's default, or the caller's value where it has none.
  EXPECT_TRUE(ReadOptionValue<bool>(ini, shownFlag));
  EXPECT_EQ(ReadOptionValue<int>(ini, shownNumber), 9);
  EXPECT_EQ(ReadOptionValue<std::string>(ini, shownText), "Couri");
  EXPECT_EQ(ReadOptionValue<std::string>(ini, shownOwn, "caller's"), "caller's");

  WriteOptionValue(ini, shownFlag, false);
  WriteOptionValue(ini, shownNumber, 40);
  WriteOptionValue(ini, shownText, std::string("Arial"));
  WriteOptionValue(ini, readOnly, true);
  EXPECT_EQ(ini.ReadString(S, "Shown Flag", ""), "0");
  EXPECT_FALSE(ReadOptionValue<bool>(ini, shownFlag));
  EXPECT_EQ(ReadOptionValue<int>(ini, shownNumber), 12) << "kept within its limits";
  EXPECT_EQ(ReadOptionValue<std::string>(ini, shownText), "Arial");
  EXPECT_FALSE(ini.ValueExists(S, "Shown Read Only"));

  // No record holds it: a table read or write of it is a fault of the program.
  TSample record;
  EXPECT_THROW(ReadOptionKey(ini, record, shownFlag), std::logic_error);
  EXPECT_THROW(WriteOptionKey(ini, record, shownText), std::logic_error);
}

}  // namespace
}  // namespace qm
