// The name bank's data file: entries decode as their front coding says,
// names are capitalised as stored names should be, and the file the build
// writes from the census lists reads back to the same names.
#include "language/name_bank_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "name_bank_writer.h"

namespace qm {
namespace {

TEST(NameBankFileTest, EntriesDecodeAgainstTheNameBefore) {
  // clang-format off
  const struct {
    TNameList list;
    std::string previous;
    std::string entry;
    std::string name;
  } cases[] = {
      {nlMale, "Edgar", "\x31\x15", "Edwin"},        // two kept, fragment 21, no letters
      {nlFamily, "McAdams", "\x30" "donald", "McDonald"},
      {nlMale, "", "\x10" "adam", "Adam"},
      {nlFemale, "Anna", "\x00", "Anna"},            // h = 0 keeps all of the name before
      {nlMale, "Bob", "\x21", "B"},                  // a code with no byte left is not taken
      {nlFemale, "", "\x12\xFA\x01" "x", "Iacintax"},  // code 250 lies past the 248 female fragments
  };
  // clang-format on
  for (const auto& c : cases) {
    const std::string entry = c.entry.empty() ? std::string(1, '\0') : c.entry;
    EXPECT_EQ(CapitalizeBankName(c.list == nlFamily, DecodeNameEntry(entry, c.previous, c.list)), c.name) << c.name;
  }
}

TEST(NameBankFileTest, StoredNamesAreCapitalisedAfterBlanksApostrophesAndMc) {
  const struct {
    bool family;
    std::string stored, shown;
  } cases[] = {{true, "o'brien", "O'Brien"},   {false, "mary-ann", "Mary-ann"}, {false, "la verne", "La Verne"},
               {true, "mcdonald", "McDonald"}, {false, "mcdonald", "Mcdonald"}, {true, "mc", "Mc"}};
  for (const auto& c : cases) EXPECT_EQ(CapitalizeBankName(c.family, c.stored), c.shown);
}

TEST(NameBankFileTest, ALetterEndsAtANullAtANameOfAnotherLetterOrAtACutEntry) {
  const std::string end{static_cast<char>(NameEntryEnd)};
  // clang-format off
  const struct {
    const char* what;
    std::string data;
    std::vector<std::string> names;
  } cases[] = {
      {"null", "\x10" "ann" + end + "\x20" "ble" + end + std::string(1, '\0') + "\x10" "amy" + end,
       {"Ann", "Able"}},
      {"next letter", "\x10" "ann" + end + "\x10" "bea" + end + "\x10" "amy" + end, {"Ann"}},
      {"first entry of another letter", "\x10" "bea" + end, {}},
      {"entry without its end mark", "\x10" "ann" + end + "\x20" "dy", {"Ann"}},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(DecodeNameLetter(c.data, nlFemale, 'A'), c.names) << c.what;
}

std::vector<std::string> ReadList(const std::string& name) {
  std::ifstream in(std::string(QM_SOURCE_DIR) + "/data/namebank/" + name);
  std::vector<std::string> names;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) names.push_back(line);
  return names;
}

TEST(NameBankFileTest, TheFileBuiltFromTheCensusListsReadsBackToTheSameNames) {
  const std::array<std::vector<std::string>, 3> lists = {ReadList("male.txt"), ReadList("female.txt"),
                                                         ReadList("family.txt")};
  ASSERT_GT(lists[2].size(), 80000u);
  TNameBankFile file;
  ASSERT_TRUE(file.Assign(BuildNameBank(lists)));
  std::size_t total = 0;
  for (int list = nlMale; list <= nlFamily; ++list) {
    const auto which = static_cast<TNameList>(list);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      SCOPED_TRACE(std::string(1, letter) + " of list " + std::to_string(list));
      std::vector<std::string> expected;
      for (const std::string& name : NamesOfLetter(lists[static_cast<std::size_t>(list - 1)], which, letter))
        expected.push_back(CapitalizeBankName(which == nlFamily, name));
      EXPECT_EQ(file.ReadLetter(which, letter), expected);
      total += expected.size();
    }
  }
  // every first name is there, and the most frequent family names
  std::set<std::string> male;
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    for (const std::string& name : file.ReadLetter(nlMale, letter)) male.insert(name);
  EXPECT_EQ(male.size(), lists[0].size());
  EXPECT_GT(total, 30000u) << "over 30,000 names";
  const auto smiths = file.ReadLetter(nlFamily, 'S');
  EXPECT_NE(std::find(smiths.begin(), smiths.end(), "Smith"), smiths.end());
  const auto macs = file.ReadLetter(nlFamily, 'M');
  EXPECT_NE(std::find(macs.begin(), macs.end(), "McDonald"), macs.end());
}

TEST(NameBankFileTest, ABuiltLetterFitsItsSixteenKilobytes) {
  std::vector<std::string> many;
  for (int i = 0; i < 8000; ++i) many.push_back("s" + std::to_string(i * 7919 % 100000) + "x");
  for (std::string& name : many)
    for (char& c : name)
      if (c >= '0' && c <= '9') c = static_cast<char>('a' + (c - '0'));
  const std::vector<std::string> kept = NamesOfLetter(many, nlFamily, 'S');
  EXPECT_LT(kept.size(), many.size());
  const std::size_t size = EncodeNameLetter(kept, nlFamily).size();
  EXPECT_LE(size, NameBankLetterLimit);
  EXPECT_GT(size, NameBankLetterLimit - 64) << "as many as fit";
}

}  // namespace
}  // namespace qm
