#include "language/thesaurus/wweb_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "language/thesaurus/database_writer.h"
#include "language/thesaurus/text_codecs.h"
#include "language/thesaurus/wordnet_files.h"
#include "support/temp_folder.h"
#include "wordnet_source.h"

namespace qm::thesaurus {
namespace {

using testing::FixtureWordNet;
using testing::WordNetSenses;

std::vector<Byte> FixtureBytes() {
  static const std::vector<Byte> bytes = SaveDatabase(thesaurus_build::ReadWordNet(FixtureWordNet()));
  return bytes;
}

class ThesaurusDatabaseTest : public ::testing::Test {
 protected:
  std::string Write(const std::vector<Byte>& bytes, const std::string& name = DatabaseFileName) {
    return testing::WriteFileText(folder_.File(name), std::string(bytes.begin(), bytes.end()));
  }
  void OpenFixture() { db_.SetFileName(Write(FixtureBytes())); }
  // The senses of a word, each as its head word and the other words.
  void ExpectSensesOf(const std::string& lemma, const std::string& headWord) {
    const auto expected = WordNetSenses(FixtureWordNet(), lemma);
    const auto& senses = db_.Lookup().Senses();
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(senses.size(), expected.size()) << lemma;
    for (std::size_t i = 0; i < senses.size(); ++i) {
      std::vector<std::string> others = expected[i].words;
      std::erase(others, headWord);
      EXPECT_EQ(senses[i]->HeadWord, headWord) << lemma << " sense " << i;
      EXPECT_EQ(senses[i]->Words, others) << lemma << " sense " << i;
      EXPECT_EQ(senses[i]->WordClass, expected[i].wordClass) << lemma << " sense " << i;
      std::string gloss = expected[i].gloss;  // the gloss codec writes ` as '
      std::replace(gloss.begin(), gloss.end(), '`', '\'');
      EXPECT_EQ(senses[i]->Gloss, gloss) << lemma << " sense " << i;
    }
  }

  testing::TempFolder folder_;
  TWWDatabase db_;
};

TEST_F(ThesaurusDatabaseTest, WordsFindTheirSensesAndSynonymsAsWordNetHasThem) {
  OpenFixture();
  for (const std::string word : {"run", "walk", "bright", "stride", "happy", "slowly"}) {
    db_.SetWord(word);
    EXPECT_EQ(db_.CurrentWord(), WordKey(word));
    ExpectSensesOf(word, word);
  }
  db_.SetWord("ICE-CREAM's");
  ExpectSensesOf("ice_cream", "ice cream");
  EXPECT_EQ(db_.OpenCount(), 0);
}

struct DerivedCase {
  std::string word;
  std::string base;
  int wordClass;
  Byte form;
};

TEST_F(ThesaurusDatabaseTest, InflectedWordsAreFoundThroughTheirBaseForms) {
  OpenFixture();
  const std::vector<DerivedCase> cases = {
      {"walked", "walk", 1, wfPast},
      {"ran", "run", 1, wfPast},
      {"stopping", "stop", 1, wfPresentParticiple},
      {"strode", "stride", 1, wfPast},
      {"brighter", "bright", 2, wfComparative},
  };
  for (const auto& c : cases) {
    db_.SetWord(c.word);
    const auto& senses = db_.Lookup().Senses();
    std::size_t expected = 0;
    for (const auto& s : WordNetSenses(FixtureWordNet(), c.base)) expected += s.wordClass == c.wordClass;
    ASSERT_EQ(senses.size(), expected) << c.word;
    for (const auto& sense : senses) {
      EXPECT_EQ(sense->HeadWord, c.base) << c.word;
      EXPECT_EQ(sense->WordClass, c.wordClass) << c.word;
      EXPECT_EQ(sense->Form, c.form) << c.word;
    }
  }
  db_.SetTryDerivedForms(false);  // the look-up is repeated at once
  EXPECT_TRUE(db_.Lookup().Senses().empty());
}

TEST_F(ThesaurusDatabaseTest, RelatedWordsComeInTheFormOfTheWordLookedUp) {
  OpenFixture();
  db_.SetWord("walk");
  const auto base = db_.Lookup().RelatedWords(relTypeOf);
  EXPECT_NE(std::find(base.begin(), base.end(), "travel"), base.end());
  db_.SetWord("walked");
  const auto past = db_.Lookup().RelatedWords(relTypeOf);
  EXPECT_NE(std::find(past.begin(), past.end(), "traveled"), past.end());
  EXPECT_EQ(std::find(past.begin(), past.end(), "travel"), past.end());
  db_.SetMatchPartOfSpeech(false);
  const auto plain = db_.Lookup().RelatedWords(relTypeOf);
  EXPECT_NE(std::find(plain.begin(), plain.end(), "travel"), plain.end());
  // Antonyms of a word are the ones of its own word in the synset only.
  db_.SetWord("slowly");
  const auto antonyms = db_.Lookup().RelatedWords(relAntonyms);
  EXPECT_EQ(antonyms, (std::vector<std::string>{"quickly"}));
}

TEST_F(ThesaurusDatabaseTest, TheWordWindowListsIndexWordsAroundThePlace) {
  OpenFixture();
  db_.SetWord("saunter");
  std::vector<std::string> list;
  const int place = db_.WordWindow(list, 20);
  // The fixture's index has fewer words than the window.
  std::vector<std::string> all = {"amble",   "bright", "happy",  "ice cream", "quick",  "quickly", "run",
                                  "saunter", "slow",   "slowly", "stop",      "stride", "stroll",  "walk"};
  ASSERT_EQ(list.size(), all.size());
  EXPECT_EQ(list[place], "saunter");
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, all);
  db_.SetWord("zzz");
  EXPECT_TRUE(db_.Lookup().Senses().empty());
  const int missing = db_.WordWindow(list, 2);
  EXPECT_LE(list.size(), 5u);
  EXPECT_LT(missing, static_cast<int>(list.size()));
}

TEST_F(ThesaurusDatabaseTest, OpensAreCountedAndTheNameIsKeptWhileOpen) {
  OpenFixture();
  db_.Open();
  db_.Open();
  db_.Close();
  EXPECT_EQ(db_.OpenCount(), 1);
  try {
    db_.SetFileName("other.wwd");
    ADD_FAILURE() << "renamed while open";
  } catch (const EWWError& e) {
    EXPECT_STREQ(e.what(), "Cannot change open database file");
  }
  db_.Close();
  EXPECT_EQ(db_.OpenCount(), 0);
  db_.SetFileName(folder_.File("missing.wwd"));
  EXPECT_THROW(db_.SetWord("walk"), EWWError);
}

TEST_F(ThesaurusDatabaseTest, OffsetsPastTheLastRegionAndSensesPastTheLastAreRefused) {
  OpenFixture();
  db_.SetWord("walk");
  try {
    db_.RegionOf(0xFFFFFF);
    ADD_FAILURE();
  } catch (const EWWError& e) {
    EXPECT_STREQ(e.what(), "Invalid database pointer");
  }
  EXPECT_EQ(db_.RegionOf(0), 0);
  try {
    db_.Lookup().SelectSense(static_cast<int>(db_.Lookup().Senses().size()));
    ADD_FAILURE();
  } catch (const EWWError& e) {
    EXPECT_STREQ(e.what(), "Invalid sense number");
  }
  db_.Lookup().SelectSense(0);
  EXPECT_EQ(db_.Lookup().ShownWords().size(), db_.Lookup().Senses()[0]->Words.size());
  db_.Lookup().SelectSense(-1);
  EXPECT_EQ(db_.Lookup().SelectedSense(), -1);
  db_.Lookup().SetClassFilter(1u << 1);
  for (const TSynset* s : db_.Lookup().Shown()) EXPECT_EQ(s->WordClass, 1);
  EXPECT_EQ(db_.Lookup().WordClassMask(), 1u << 1);
}

// Damaged files: each gives the engine's error, none reads out of bounds.
TEST_F(ThesaurusDatabaseTest, ADamagedDatabaseGivesItsErrorNeverACrash) {
  const std::vector<Byte> good = FixtureBytes();
  auto setU32 = [](std::vector<Byte> b, std::size_t fromEnd, DWord v) {
    const std::size_t at = b.size() - fromEnd;
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<Byte>(v >> (8 * i));
    return b;
  };
  std::vector<std::vector<Byte>> damaged = {
      {},
      {1, 2, 3},
      std::vector<Byte>(good.begin(), good.end() - 1),
      setU32(good, 36, 0xFFFFFFF0),  // the index area's end past the file
      setU32(good, 40, 0xFFFFFFF0),  // its start past its end
      setU32(good, 32, 0xFFFFFF),    // region ends out of order
      setU32(good, 4, 0xFFFFFFFF),   // the last region end past the synsets
  };
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    TWWDatabase db;
    db.SetFileName(Write(damaged[i], "damaged" + std::to_string(i)));
    EXPECT_THROW(db.SetWord("walk"), EWWError) << i;
    EXPECT_EQ(db.OpenCount(), 0);
  }
  // Bytes overwritten anywhere: a look-up finds something, nothing or fails
  // with the engine's error.
  for (std::size_t step = 0; step < 64; ++step) {
    std::vector<Byte> bytes = good;
    const std::size_t at = (bytes.size() * step) / 64;
    for (std::size_t i = at; i < std::min(bytes.size(), at + 97); ++i) bytes[i] = static_cast<Byte>(i * 131 + step);
    TWWDatabase db;
    db.SetFileName(Write(bytes, "overwritten"));
    for (const std::string word : {"walk", "run", "walked", "bright"}) {
      try {
        db.SetWord(word);
        for (int r = 0; r < RelationCount; ++r) db.Lookup().RelatedWords(r);
        std::vector<std::string> list;
        db.WordWindow(list, 20);
      } catch (const EWWError&) {
      }
    }
    EXPECT_EQ(db.OpenCount(), 0);
  }
}

TEST_F(ThesaurusDatabaseTest, ARecordTooLongForTheReaderIsShortenedToFit) {
  TDatabaseSource source;
  TSynsetSource big{0, {"big", "large"}, std::string(9000, 'x'), {}};
  for (int i = 0; i < 900; ++i) big.links.push_back({relTypes, 1, 0, 0});
  source.synsets = {big, {0, {"small"}, "little", {}}};
  source.index = {{"big", {0}}, {"small", {1}}};
  db_.SetFileName(Write(SaveDatabase(source)));
  db_.SetWord("big");
  ASSERT_EQ(db_.Lookup().Senses().size(), 1u);
  const TSynset& sense = *db_.Lookup().Senses()[0];
  EXPECT_EQ(sense.Words, (std::vector<std::string>{"large"}));
  EXPECT_LT(sense.Gloss.size(), 2048u);
  EXPECT_EQ(sense.Gloss, std::string(sense.Gloss.size(), 'x'));
  EXPECT_GT(sense.LinkCount, 0);
  EXPECT_EQ(db_.Lookup().RelatedWords(relTypes), (std::vector<std::string>{"small"}));
}

// Buckets 0 and 255 with blocks, the ones between empty.
TEST(ThesaurusIndex, BlockLengthsRunToTheNextBlockOrTheAreasEnd) {
  std::vector<Byte> table;
  auto bucket = [&table](std::vector<std::pair<Byte, DWord>> records) {
    table.push_back(static_cast<Byte>(records.size()));
    for (const auto& [low, offset] : records) {
      table.push_back(low);
      for (int i = 0; i < 3; ++i) table.push_back(static_cast<Byte>(offset >> (8 * i)));
    }
  };
  bucket({{3, 0}, {9, 40}});
  for (int b = 1; b < 255; ++b) bucket({});
  bucket({{0, 100}, {200, 130}});
  TWWDatabase db;
  TIndexLookup index(db);
  EXPECT_EQ(index.LoadBuckets(table, 500), table.size());
  struct Case {
    Word key;
    bool found;
    DWord offset, length;
  };
  const std::vector<Case> cases = {
      {0x0003, true, 0, 40},   {0x0009, true, 40, 60},    // the next bucket with a block starts the next block
      {0x0005, false, 0, 0},                              // a low byte not in its bucket
      {0x0100, false, 0, 0},                              // an empty bucket
      {0xFF00, true, 100, 30}, {0xFFC8, true, 130, 370},  // the last block runs to the end of the area
      {0xFFFF, false, 0, 0},
  };
  for (const auto& c : cases) {
    DWord offset = 99, length = 99;
    EXPECT_EQ(index.FindBlock(c.key, offset, length), c.found) << c.key;
    if (c.found) {
      EXPECT_EQ(offset, c.offset) << c.key;
      EXPECT_EQ(length, c.length) << c.key;
    }
  }
  // Low bytes out of order, or a block past the area, are a damaged table.
  std::vector<Byte> unordered = table;
  unordered[1] = 9;
  unordered[5] = 3;
  EXPECT_THROW(index.LoadBuckets(unordered, 500), EWWError);
  EXPECT_THROW(index.LoadBuckets(table, 120), EWWError);
  EXPECT_THROW(index.LoadBuckets(std::span<const Byte>(table).first(table.size() - 1), 500), EWWError);
}

TEST_F(ThesaurusDatabaseTest, TheSynsetHooksSupplyOrRefuseSensesAndLoadingIsReported) {
  OpenFixture();
  int loaded = 0;
  db_.OnLoaded = [&loaded] { ++loaded; };
  db_.AcceptSynset = [](const TSynset& s) { return s.WordClass != 0; };
  db_.SetWord("walk");
  EXPECT_EQ(loaded, 1);
  for (const auto& sense : db_.Lookup().Senses()) EXPECT_EQ(sense->WordClass, 1);
  EXPECT_FALSE(db_.Lookup().Senses().empty());
  db_.SupplySynset = [](DWord offset) {
    auto s = std::make_unique<TSynset>();
    s->Offset = offset;
    s->WordClass = 2;
    s->Words = {"walk", "supplied"};
    return s;
  };
  db_.SetWord("walk");
  EXPECT_EQ(loaded, 1);  // the index stays loaded
  ASSERT_FALSE(db_.Lookup().Senses().empty());
  EXPECT_EQ(db_.Lookup().Senses()[0]->Words, (std::vector<std::string>{"supplied"}));
}

TEST(ThesaurusSynset, TheRecordTextSplitsIntoWordsAndGloss) {
  struct Case {
    std::string text;
    std::vector<std::string> words;
    std::string gloss;
  };
  const std::vector<Case> cases = {
      {"ice;cream cone ;frozen dessert", {"ice cream", "cone"}, "frozen dessert"},
      {"walk stroll ;", {"walk", "stroll"}, "walk, stroll"},
      {"alone", {"alone"}, "alone"},
  };
  for (const auto& c : cases) {
    std::vector<Byte> record = {};
    const std::string pair = EncodePair("", "");
    record.assign(pair.begin(), pair.end());
    const std::string packed = CompressGloss(c.text);
    record.insert(record.end(), packed.begin(), packed.end());
    record.push_back(0);
    TSynset synset;
    synset.Read(record);
    EXPECT_EQ(synset.Words, c.words) << c.text;
    EXPECT_EQ(synset.Gloss, c.gloss) << c.text;
  }
}

TEST(ThesaurusSynset, AHeadWordKeepsOnlyItsOwnLinksAndASenseIsAddedOnce) {
  TSynset synset;
  synset.Words = {"slowly", "slow", "tardily"};
  synset.Links = {{relAntonyms, 10, 1, 1}, {relAntonyms, 20, 2, 1}, {relTypeOf, 30, 0, 0}};
  std::vector<Byte> bytes;
  synset.Write(bytes);
  TSynset read;
  read.Read(bytes);
  EXPECT_EQ(read.Words, synset.Words);
  ASSERT_EQ(read.Links.size(), 3u);
  EXPECT_EQ(read.Links[1].target, 20u);
  read.SetHeadWord("SLOW");
  EXPECT_EQ(read.HeadWord, "slow");
  EXPECT_EQ(read.Words, (std::vector<std::string>{"slowly", "tardily"}));
  ASSERT_EQ(read.LinkCount, 2);
  EXPECT_EQ(read.Links[0].target, 20u);
  EXPECT_EQ(read.RelationMask(), (1u << relAntonyms) | (1u << relTypeOf));

  TWWDatabase db;
  TWordLookup lookup(db);
  for (int i = 0; i < 2; ++i) {
    auto sense = std::make_unique<TSynset>();
    sense->Offset = 7;
    lookup.AddSense(std::move(sense));
  }
  EXPECT_EQ(lookup.Senses().size(), 1u);
}

// The database the build made from the whole of WordNet.
TEST(ThesaurusBuiltDatabase, RealWordsHaveTheirWordNetSenses) {
  const std::string path = std::string(QM_BINARY_DIR) + "/data/" + DatabaseFileName;
  TWWDatabase db;
  db.SetFileName(path);
  for (const std::string word : {"run", "bright", "walk"}) {
    db.SetWord(word);
    const auto expected = WordNetSenses("/usr/share/wordnet", word);
    const auto& senses = db.Lookup().Senses();
    ASSERT_EQ(senses.size(), expected.size()) << word;
    for (std::size_t i = 0; i < senses.size(); ++i) {
      std::vector<std::string> others = expected[i].words;
      std::erase(others, word);
      EXPECT_EQ(senses[i]->Words, others) << word << " " << i;
    }
  }
  db.SetWord("walked");
  EXPECT_FALSE(db.Lookup().Senses().empty());
  EXPECT_LT(testing::ReadFileText(path).size(), 15u * 1024 * 1024);
}

}  // namespace
}  // namespace qm::thesaurus
