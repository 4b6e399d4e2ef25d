#include "script/layout/fixed_pitch.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace qm {
namespace {

// A text in a heap block of exactly its size, so that the address
// sanitizer reports any read past its end.
struct ExactText {
  explicit ExactText(const std::string& text) : size(static_cast<int>(text.size())), bytes(new Byte[text.size()]) {
    std::copy(text.begin(), text.end(), bytes.get());
  }
  int size;
  std::unique_ptr<Byte[]> bytes;
};

int RunEndByHand(const TPlainCharacters& plain, const std::string& text, int from, int to) {
  while (from < to && plain.Contains(static_cast<Byte>(text[static_cast<std::size_t>(from)]))) ++from;
  return from;
}

int LastBlankByHand(const std::string& text, int from, int to) {
  for (int j = to - 1; j >= from; --j)
    if (text[static_cast<std::size_t>(j)] == ' ') return j;
  return -1;
}

// Random texts of every length up to past two steps, mostly letters and
// blanks with the odd dash, code, parenthesis or accented letter, so runs
// end inside a step, at its edge and at the text's end.
TEST(FixedPitchTest, RunsAndBlanksAreFoundAsCharacterByCharacter) {
  const TPlainCharacters dashOnly([](Byte ch) { return ch == '-'; });
  const TPlainCharacters parens([](Byte ch) { return ch == '-' || ch == '(' || ch == ')'; });
  const std::string alphabet = "abcdefghij     --()\x02\xA7\xE9~}{ ";
  std::mt19937 random(7);
  for (const TPlainCharacters* plain : {&dashOnly, &parens}) {
    for (int size = 0; size <= 40; ++size) {
      for (int round = 0; round < 20; ++round) {
        std::string text;
        for (int i = 0; i < size; ++i) text += alphabet[random() % alphabet.size()];
        if (round % 4 == 0) std::fill(text.begin(), text.end(), 'x');  // runs with no stop at all
        const ExactText exact(text);
        for (int from = 0; from <= size; ++from) {
          const int to = from + static_cast<int>(random() % static_cast<unsigned>(size - from + 1));
          SCOPED_TRACE("\"" + text + "\" from " + std::to_string(from) + " to " + std::to_string(to));
          EXPECT_EQ(plain->RunEnd(exact.bytes.get(), from, to, size), RunEndByHand(*plain, text, from, to));
          EXPECT_EQ(LastBlank(exact.bytes.get(), from, to), LastBlankByHand(text, from, to));
        }
      }
    }
  }
}

TEST(FixedPitchTest, ASetWithTooManyExceptionsHoldsNothing) {
  const struct {
    const char* what;
    std::string excluded;
    bool usable;
  } cases[] = {
      {"none", "", true},
      {"five", "-()<>", true},
      {"six", "-()<>[", true},
      {"seven", "-()<>[]", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TPlainCharacters plain([&](Byte ch) { return c.excluded.find(static_cast<char>(ch)) != std::string::npos; });
    EXPECT_EQ(plain.Usable(), c.usable);
    for (char ch : c.excluded) EXPECT_FALSE(plain.Contains(static_cast<Byte>(ch)));
    EXPECT_EQ(plain.Contains('a'), c.usable);  // an unusable set holds nothing
    EXPECT_FALSE(plain.Contains('~'));
    EXPECT_FALSE(plain.Contains(0x1F));
  }
}

TEST(FixedPitchTest, APitchIsTheOneWidthOfEveryPrintableCharacter) {
  std::array<std::int32_t, 256> courier{};
  courier.fill(30);
  courier[0x02] = 0;   // a code outside the range does not count
  courier[0xE9] = 45;  // nor does an accented letter
  std::array<std::int32_t, 256> proportional = courier;
  proportional['i'] = 12;
  std::array<std::int32_t, 256> blankDiffers = courier;
  blankDiffers[' '] = 20;
  std::array<std::int32_t, 256> zero{};
  TPitchCache cache;
  EXPECT_EQ(cache.PitchOf(courier.data()), 30);
  EXPECT_EQ(cache.PitchOf(proportional.data()), 0);
  EXPECT_EQ(cache.PitchOf(blankDiffers.data()), 0);
  EXPECT_EQ(cache.PitchOf(zero.data()), 0);
  // Remembered until forgotten: a table measured again is looked at again.
  courier['m'] = 31;
  EXPECT_EQ(cache.PitchOf(courier.data()), 30);
  cache.Forget();
  EXPECT_EQ(cache.PitchOf(courier.data()), 0);
}

}  // namespace
}  // namespace qm
