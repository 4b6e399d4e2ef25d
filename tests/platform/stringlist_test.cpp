#include "platform/stringlist.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qm {
namespace {

std::vector<std::string> Items(const TStringList& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
  return items;
}

void Fill(TStringList& list, const std::vector<std::string>& items) {
  for (const std::string& s : items) list.Add(s);
}

TEST(StringList, SortedListAddsInOrderAndFindGivesInsertPositions) {
  TStringList list;
  list.SetSorted(true);
  Fill(list, {"pear", "apple", "Mango", "banana"});
  EXPECT_EQ(Items(list), (std::vector<std::string>{"apple", "banana", "Mango", "pear"}));

  const struct {
    const char* text;
    bool found;
    int index;
  } cases[] = {{"", false, 0},     {"APPLE", true, 0},  {"avocado", false, 1}, {"cherry", false, 2},
               {"mango", true, 2}, {"zebra", false, 4}, {"pea", false, 3}};
  for (const auto& c : cases) {
    int index = -1;
    EXPECT_EQ(list.Find(c.text, index), c.found) << c.text;
    EXPECT_EQ(index, c.index) << c.text;
  }
}

TEST(StringList, SettingSortedSortsAndChangingCaseRuleResorts) {
  TStringList list;
  Fill(list, {"b", "C", "a", "B"});
  list.SetSorted(true);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b", "B", "C"}));
  list.SetCaseSensitive(true);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"B", "C", "a", "b"}));
}

TEST(StringList, DuplicatePoliciesOnASortedList) {
  const struct {
    TDuplicates policy;
    int result;
    std::vector<std::string> after;
  } cases[] = {
      {dupIgnore, 0, {"apple", "kiwi"}},
      {dupAccept, 1, {"apple", "APPLE", "kiwi"}},
      {dupError, -1, {"apple", "kiwi"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.policy);
    Fill(list, {"kiwi", "apple"});
    EXPECT_EQ(list.Add("APPLE"), c.result) << c.policy;
    EXPECT_EQ(Items(list), c.after) << c.policy;
  }
}

TEST(StringList, UnsortedListAcceptsDuplicatesWhateverThePolicy) {
  TStringList list;
  list.SetDuplicates(dupError);
  Fill(list, {"x", "x"});
  EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, IndexOfIgnoresCaseOfAccentedLetters) {
  TStringList list;
  Fill(list, {"CAF\xC9", "na\xEFve",
              "\x8A"
              "eik",
              "plain"});
  const struct {
    const char* text;
    int index;
  } cases[] = {{"caf\xE9", 0},
               {"NA\xCFVE", 1},
               {"\x9A"
                "EIK",
                2},
               {"PLAIN", 3},
               {"cafe", -1},
               {"", -1}};
  for (const auto& c : cases) EXPECT_EQ(list.IndexOf(c.text), c.index) << c.text;

  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("caf\xE9"), -1);
  EXPECT_EQ(list.IndexOf("CAF\xC9"), 0);
}

TEST(StringList, TextReadsEveryKindOfLineEndAndWritesCrLf) {
  const struct {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}},
      {"a\r\n\r\nb\n", {"a", "", "b"}},
      {"\n", {""}},
      {"", {}},
      {"last\r", {"last"}},
      {"\r\r\n", {"", ""}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(Items(list), c.lines) << c.text;
    std::string expected;
    for (const std::string& line : c.lines) expected += line + "\r\n";
    EXPECT_EQ(list.Text(), expected);
    TStringList again;
    again.SetText(list.Text());
    EXPECT_EQ(Items(again), c.lines);
  }
}

TEST(StringList, CommaTextQuotesWhatNeedsItAndReadsItBack) {
  TStringList list;
  Fill(list, {"plain", "with blank", "quote\"d", "", "a,b"});
  EXPECT_EQ(list.CommaText(), "plain,\"with blank\",\"quote\"\"d\",\"\",\"a,b\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(Items(back), Items(list));

  back.SetCommaText("  a b, c,");
  EXPECT_EQ(Items(back), (std::vector<std::string>{"a", "b", "c", ""}));
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  Fill(list, {"Color=Red", "no equals", "Size=10=big", "=orphan"});
  EXPECT_EQ(list.Names(0), "Color");
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.Values("COLOR"), "Red");
  EXPECT_EQ(list.Values("size"), "10=big");
  EXPECT_EQ(list.Values("missing"), "");

  list.SetValue("color", "Blue");
  list.SetValue("Shape", "round");
  list.SetValue("Size", "");
  EXPECT_EQ(Items(list), (std::vector<std::string>{"color=Blue", "no equals", "=orphan", "Shape=round"}));
}

TEST(StringList, OutOfRangeIndexesChangeNothing) {
  TStringList list;
  Fill(list, {"a", "b"});
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(list.Strings(-1), "");
  EXPECT_EQ(list[2], "");
  EXPECT_EQ(list.Objects(5), nullptr);
  EXPECT_EQ(list.Names(9), "");
  list.SetString(2, "x");
  list.SetObject(-1, &list);
  list.Delete(-1);
  list.Delete(2);
  list.Insert(3, "x");
  list.Insert(-1, "x");
  list.Exchange(0, 2);
  list.Move(-1, 0);
  list.Move(0, 2);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(changes, 0);
  list.Insert(2, "c");  // inserting at the end is in range
  EXPECT_EQ(list[2], "c");
}

TEST(StringList, ExchangeMoveAndCustomSort) {
  TStringList list;
  Fill(list, {"a", "bbb", "cc"});
  list.Move(0, 2);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"bbb", "cc", "a"}));
  list.Move(2, 0);
  list.Exchange(0, 1);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"bbb", "a", "cc"}));
  list.CustomSort(
      [](const TStringList& l, int i, int j) { return static_cast<int>(l[i].size()) - static_cast<int>(l[j].size()); });
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "cc", "bbb"}));
}

TEST(StringList, SortedListKeepsItsOrderThroughEveryChange) {
  TStringList list;
  list.SetSorted(true);
  Fill(list, {"b", "d", "f"});
  list.Insert(0, "e");     // goes to its place
  list.SetString(0, "g");  // "b" becomes "g" and moves
  list.Exchange(0, 1);     // refused
  list.Move(0, 2);         // refused
  EXPECT_EQ(Items(list), (std::vector<std::string>{"d", "e", "f", "g"}));
  list.SetString(0, "F");  // would duplicate "f": refused
  EXPECT_EQ(list[0], "d");
}

TEST(StringList, OnChangeFiresOnceForAGroupedUpdate) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changes;
  };
  list.Add("a");
  EXPECT_EQ(changes, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  Fill(list, {"b", "c"});
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changes, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 2);
  list.BeginUpdate();
  list.EndUpdate();
  list.EndUpdate();  // one too many does no harm
  EXPECT_EQ(changes, 2);
}

struct Counted : TObject {
  explicit Counted(int& deaths) : deaths_(deaths) {}
  ~Counted() override { ++deaths_; }
  int& deaths_;
};

TEST(StringList, OwnedObjectsAreFreedWithTheirEntries) {
  int deaths = 0;
  {
    TStringList list;
    list.OwnsObjects = true;
    for (const char* s : {"a", "b", "c", "d"}) list.AddObject(s, new Counted(deaths));
    EXPECT_EQ(list.IndexOfObject(list.Objects(2)), 2);
    list.Delete(0);
    EXPECT_EQ(deaths, 1);
    Counted replacement(deaths);  // not owned once taken back out
    TObject* old = list.Objects(0);
    list.SetObject(0, &replacement);
    EXPECT_EQ(deaths, 1);
    delete old;
    list.SetObject(0, nullptr);
    list.Delete(1);
    EXPECT_EQ(deaths, 3);
  }
  EXPECT_EQ(deaths, 4 + 1);  // the last owned one, and `replacement` itself

  int kept = 0;
  Counted shared(kept);
  {
    TStringList list;
    list.AddObject("x", &shared);
    list.Clear();
  }
  EXPECT_EQ(kept, 0);
}

TEST(StringList, FilesKeepTheirBytesAndSaveWithCrLf) {
  const std::string dir = ::testing::TempDir() + "qm_stringlist_" + std::to_string(::getpid());
  std::filesystem::create_directories(dir);
  const std::string in = dir + "/in.txt";
  std::ofstream(in, std::ios::binary) << "caf\xE9\nsecond\r\nthird";

  TStringList list;
  ASSERT_TRUE(list.LoadFromFile(in));
  EXPECT_EQ(Items(list), (std::vector<std::string>{"caf\xE9", "second", "third"}));
  ASSERT_TRUE(list.SaveToFile(dir + "/out.txt"));
  std::ifstream out(dir + "/out.txt", std::ios::binary);
  std::stringstream bytes;
  bytes << out.rdbuf();
  EXPECT_EQ(bytes.str(), "caf\xE9\r\nsecond\r\nthird\r\n");

  EXPECT_FALSE(list.LoadFromFile(dir + "/missing.txt"));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_FALSE(list.SaveToFile(dir + "/no/such/folder.txt"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qm
