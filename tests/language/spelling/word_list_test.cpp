// The word-list file of the user dictionaries, film terms and main
// dictionaries: what reads, what is damaged, and what is saved of it.
#include "language/spelling/word_list.h"

#include <gtest/gtest.h>

namespace qm::spelling {
namespace {

TEST(WordListTest, GoodFilesReadAndWriteBackTheSame) {
  struct Case {
    const char* bytes;
    std::size_t hunspell;
    std::size_t entries;
  };
  const Case cases[] = {
      {"QUILLMASTER WORD LIST 1\n", 0, 0},
      {"QUILLMASTER WORD LIST 1", 0, 0},
      {"QUILLMASTER WORD LIST 1\r\nzorblax\r\nteh\tthe\r\n", 0, 2},
      {"QUILLMASTER WORD LIST 1\n# a note\n\nHUNSPELL en_US\nHUNSPELL en\nMr.\n", 2, 1},
  };
  for (const auto& c : cases) {
    const auto list = ParseWordList(c.bytes);
    ASSERT_TRUE(list.has_value()) << c.bytes;
    EXPECT_EQ(list->hunspell.size(), c.hunspell) << c.bytes;
    EXPECT_EQ(list->entries.size(), c.entries) << c.bytes;
    const auto again = ParseWordList(FormatWordList(*list));
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(FormatWordList(*again), FormatWordList(*list));
  }
  const auto list = ParseWordList("QUILLMASTER WORD LIST 1\nteh\tthe\n");
  EXPECT_EQ(list->entries[0].word, "teh");
  EXPECT_EQ(list->entries[0].second, "the");
}

TEST(WordListTest, DamagedFilesAreRefusedAndTheirGoodLinesSaved) {
  const std::string tooLong(256, 'x');
  struct Case {
    std::string bytes;
    std::string saved;
  };
  const Case cases[] = {
      {"", "QUILLMASTER WORD LIST 1\n"},
      {"zorblax\n", "QUILLMASTER WORD LIST 1\nzorblax\n"},
      {"QUILLMASTER WORD LIST 1\nbad\x01word\ngood\n", "QUILLMASTER WORD LIST 1\ngood\n"},
      {"QUILLMASTER WORD LIST 1\n\tnoword\n", "QUILLMASTER WORD LIST 1\n"},
      {"QUILLMASTER WORD LIST 1\n" + tooLong + "\nok\n", "QUILLMASTER WORD LIST 1\nok\n"},
      {"QUILLMASTER WORD LIST 1\nHUNSPELL ../../etc/x\n", "QUILLMASTER WORD LIST 1\n"},
      {"QUILLMASTER WORD LIST 1\nword\twith\ttab\n", "QUILLMASTER WORD LIST 1\n"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ParseWordList(c.bytes).has_value()) << c.bytes;
    EXPECT_EQ(FormatWordList(SalvageWordList(c.bytes)), c.saved) << c.bytes;
  }
}

}  // namespace
}  // namespace qm::spelling
