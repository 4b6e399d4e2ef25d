#include "printing/print_names.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(PrintNamesTest, NumberToLetters) {
  const struct {
    int number;
    const char* letters;
  } cases[] = {{0, "0"},   {1, "A"},    {2, "B"},    {26, "Z"},  {27, "AA"},         {28, "BB"},
               {52, "ZZ"}, {53, "AAA"}, {78, "ZZZ"}, {79, "79"}, {100000, "100000"}, {-3, "-3"}};
  for (const auto& c : cases) {
    std::string out = "old";
    NumberToLetters(c.number, out);
    EXPECT_EQ(out, c.letters) << c.number;
  }
}

TEST(PrintNamesTest, RemoveCombinedNamesKeepsSinglePeopleInOrder) {
  const struct {
    std::vector<std::string> items, kept;
  } cases[] = {
      {{"JOHN", "JOHN/MARY", "MARY"}, {"JOHN", "MARY"}},
      {{"BOB\\ALICE", "TOM, DICK", "ANNE"}, {"ANNE"}},
      {{"Tom and Jerry", "ANDREW", "SANDY AND", "BRAND ANDERSON"}, {"ANDREW", "SANDY AND", "BRAND ANDERSON"}},
      {{"A AND B", "C and D"}, {}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    TStringList list;
    for (const auto& item : c.items) list.Add(item);
    RemoveCombinedNames(list);
    std::vector<std::string> kept;
    for (int i = 0; i < list.Count(); ++i) kept.push_back(list.Strings(i));
    EXPECT_EQ(kept, c.kept);
  }
}

}  // namespace
}  // namespace qm
