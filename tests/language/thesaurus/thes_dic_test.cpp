#include "language/thesaurus/thes_dic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "language/thesaurus/wordnet_files.h"
#include "script/model/packed_text.h"
#include "support/temp_folder.h"
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
  for (const std::string word : {"zebra", "1a", "a1", "", "walkabout"}) EXPECT_TRUE(ReadThesDicSynonyms(path, word).lines.empty()) << word;
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
