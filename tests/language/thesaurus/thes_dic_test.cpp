#include "language/thesaurus/thes_dic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "language/thesaurus/wordnet_files.h"
#include "script/model/packed_text.h"
#include "support/temp_folder.h"
#include "synonym_reach.h"
#include "thes_dic_writer.h"
#include "wordnet_source.h"

namespace qm::thesaurus {
namespace {

using testing::FixtureWordNet;

std::string FixtureDic() {
  static const std::string bytes = [] {
    const auto dic = thesaurus_build::SaveThesDic(thesaurus_build::ReadWordNet(FixtureWordNet()));
    return std::string(dic.begin(), dic.end());
  }();
  return bytes;
}

// The list the dialog shows: the other words of each sense, each word once,
// a separator line between senses that have any.
std::vector<std::string> ExpectedLines(const std::string& lemma) {
  std::vector<std::string> lines;
  for (const auto& sense : testing::WordNetSenses(FixtureWordNet(), lemma)) {
    std::vector<std::string> others;
    for (const auto& w : sense.words)
      if (w != lemma && std::find(lines.begin(), lines.end(), w) == lines.end()) others.push_back(w);
    if (others.empty()) continue;
    if (!lines.empty()) lines.push_back(SeparatorLine);
    lines.insert(lines.end(), others.begin(), others.end());
  }
  if (lines.size() > thesaurus_build::MaxSynonymLines) lines.resize(thesaurus_build::MaxSynonymLines);
  while (!lines.empty() && lines.back() == SeparatorLine) lines.pop_back();
  return lines;
}

TEST(ThesDic, WordsListTheirSynonymsSenseBySense) {
  testing::TempFolder folder;
  const std::string path = testing::WriteFileText(folder.File(ThesDicFileName), FixtureDic());
  for (const std::string word : {"walk", "run", "bright", "slowly", "quick", "stride"}) {
    const auto result = ReadThesDicSynonyms(path, word);
    EXPECT_TRUE(result.opened && result.headerRead);
    EXPECT_EQ(result.lines, ExpectedLines(word)) << word;
    EXPECT_FALSE(result.lines.empty()) << word;
  }
  EXPECT_EQ(ReadThesDicSynonyms(path, "WALK").lines, ExpectedLines("walk"));
  for (const std::string word : {"zebra", "1a", "a1", "", "walkabout"})
    EXPECT_TRUE(ReadThesDicSynonyms(path, word).lines.empty()) << word;
}

// Synonym numbers are fewer than WordNet's words: a rare plain word must not
// lose its number to a name or phrase that fills more lists, nor to one
// that sorts before it.
TEST(ThesDic, PlainWordsAreNumberedBeforeNamesAndPhrases) {
  const std::map<std::string, std::size_t> uses = {{"Aachen", 9},      {"Erotica", 5}, {"felicitous", 1},
                                                   {"well-chosen", 1}, {"glad", 3},    {"railway car", 7},
                                                   {"Zeus", 8},        {"gondola", 1}, {"aa", 40}};
  const struct {
    std::size_t limit;
    std::vector<std::string> numbered;  // in any order
  } cases[] = {
      {3, {"aa", "glad", "felicitous"}},
      {5, {"aa", "glad", "felicitous", "well-chosen", "gondola"}},
      {7, {"aa", "glad", "felicitous", "well-chosen", "gondola", "Aachen", "Zeus"}},
      {8, {"aa", "glad", "felicitous", "well-chosen", "gondola", "Aachen", "Zeus", "railway car"}},
      {20, {"aa", "glad", "felicitous", "well-chosen", "gondola", "Aachen", "Zeus", "railway car", "Erotica"}},
  };
  for (const auto& c : cases) {
    const auto words = thesaurus_build::NumberedSynonyms(uses, c.limit);
    ASSERT_EQ(words.size(), c.numbered.size()) << c.limit;
    // Plain words first; the names and phrases after them by use.
    EXPECT_EQ(words[0], "aa");
    for (const auto& word : c.numbered)
      EXPECT_NE(std::find(words.begin(), words.end(), word), words.end()) << word << " with " << c.limit << " numbers";
    if (c.limit >= 8) {
      EXPECT_EQ(std::vector(words.begin() + 5, words.begin() + 8),
                (std::vector<std::string>{"Aachen", "Zeus", "railway car"}));
    }
  }
}

// The list built from the whole of WordNet, as the program ships it.
TEST(ThesDic, TheShippedListKeepsEveryPlainSynonym) {
  const std::string path = std::string(QM_BINARY_DIR) + "/data/" + ThesDicFileName;
  const struct {
    const char* word;
    std::vector<std::string> listed;
  } cases[] = {
      {"happy", {"felicitous", "well-chosen", "glad"}},
      {"strange", {"unusual"}},
      {"car", {"railcar", "gondola"}},
      {"good", {"salutary"}},
  };
  for (const auto& c : cases) {
    const auto lines = ReadThesDicSynonyms(path, c.word).lines;
    for (const auto& word : c.listed)
      EXPECT_NE(std::find(lines.begin(), lines.end(), word), lines.end()) << c.word << " lacks " << word;
  }
  const auto reach =
      thesaurus_build::MeasureSynonymReach(thesaurus_build::ReadWordNet("/usr/share/wordnet"), path, 1000);
  EXPECT_EQ(reach.lemmas, 1000u);
  EXPECT_GT(reach.plain, 2000u);
  EXPECT_EQ(reach.plainReached, reach.plain) << (reach.missing.empty() ? "" : reach.missing.front());
  // Names and phrases fill what numbers are left.
  EXPECT_GT(reach.reached, reach.synonyms * 8 / 10);
}

TEST(ThesDic, AMissingShortOrDamagedFileEndsTheListWhereItStands) {
  testing::TempFolder folder;
  EXPECT_FALSE(ReadThesDicSynonyms(folder.File("none.dic"), "walk").opened);
  const auto oneByte = ReadThesDicSynonyms(testing::WriteFileText(folder.File("one"), "x"), "walk");
  EXPECT_TRUE(oneByte.opened);
  EXPECT_FALSE(oneByte.headerRead);
  const std::string good = FixtureDic();
  // Cut anywhere, or with bytes overwritten anywhere: never a read outside the file.
  for (std::size_t step = 1; step < 48; ++step) {
    const std::size_t at = good.size() * step / 48;
    const auto cut = ReadThesDicSynonyms(testing::WriteFileText(folder.File("cut"), good.substr(0, at)), "walk");
    EXPECT_TRUE(cut.headerRead);
    std::string bad = good;
    for (std::size_t i = at; i < std::min(bad.size(), at + 61); ++i) bad[i] = static_cast<char>(i * 37 + step);
    for (const std::string word : {"walk", "run", "stop"})
      ReadThesDicSynonyms(testing::WriteFileText(folder.File("bad"), bad), word);
  }
}

TEST(ThesDic, ASeparatorRecordReadsAsItsMarkAndAWordAsItself) {
  auto record = [](const std::string& word, int extra = 0) {
    const std::string packed = PackText(word);
    std::vector<Byte> bytes = {static_cast<Byte>(packed.size() + extra)};
    bytes.insert(bytes.end(), packed.begin(), packed.end());
    return bytes;
  };
  EXPECT_EQ(DecryptWord(record("aa")), "@-");
  EXPECT_EQ(DecryptWord(record("walk")), "walk");
  EXPECT_EQ(DecryptWord(record("Walk", 200)), "Walk");  // a length past the record
  EXPECT_EQ(DecryptWord({}), "");
}

}  // namespace
}  // namespace qm::thesaurus
