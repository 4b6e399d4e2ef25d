#include "language/thesaurus/text_codecs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm::thesaurus {
namespace {

std::span<const Byte> Bytes(const std::string& s) { return {reinterpret_cast<const Byte*>(s.data()), s.size()}; }

// Glosses and words as the dictionary has them, with every kind of byte the
// substitution codec treats alike or apart.
const std::vector<std::string> RealGlosses = {
    "move fast by using one's feet, with one foot off the ground at any given time; \"Don't run--you'll "
    "slip\"; \"The children ran to the store\"",
    "emitting or reflecting light readily or in large amounts; \"the sun was bright and hot\"",
    "use one's feet to advance; advance by steps; \"Walk, don't run!\"",
    "a unit of length equal to 1/12 of a foot",
    "(chemistry) a compound of C2H5OH & water; 50% by weight; see also <ethanol> @ 78.5 degrees",
    "caf\xE9 au lait with a caf\xE9 tone; relating to the \xC9"
    "cole normale [French]",
    "especially genus of ichthyology: manner of having form for the one that is used",
    "a//b / c_d `quoted'",
    "",
};

TEST(ThesaurusGlossCodec, RealGlossesComeBackWhole) {
  for (const auto& gloss : RealGlosses) {
    const std::string packed = CompressGloss(gloss);
    std::string expected = gloss;
    for (char& c : expected) c = c == '_' ? ' ' : c == '`' ? '\'' : c;
    EXPECT_EQ(ExpandGloss(packed), expected) << gloss;
    EXPECT_EQ(packed.find('\0'), std::string::npos);
  }
  // Common English shrinks.
  EXPECT_LT(CompressGloss(RealGlosses[0]).size(), RealGlosses[0].size() * 3 / 4);
}

struct ExpandCase {
  std::string packed;
  std::string expected;
};

TEST(ThesaurusGlossCodec, HandMadeInputsHitTheEscapesAndTheTables) {
  const std::vector<ExpandCase> cases = {
      {"", ""},          {"//", "/"},        {"/", ""},  // an escape with nothing after it ends the text
      {"/\x01", "\x01"},                                 // an escaped code byte is itself
      {"\x01", "ed "},   {"\x7B", "ation "}, {"\xA7", "ally "},
      {"\xFF", "os"},    {"\x23", "p "},     {"\x60", "qu"},
      {"\x42", "pi"},    {"A\x5A", "Apr"},   {std::string("ab\0cd", 5), "ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandGloss(c.packed), c.expected) << c.packed;
  EXPECT_EQ(CompressGloss("/"), "//");
  EXPECT_EQ(CompressGloss("ed "), "\x01");
  EXPECT_EQ(CompressGloss("a_b`"), "\x9A"
                                   "b'");  // "a " is one code
}

TEST(ThesaurusGlossCodec, ExpansionStopsAtItsLimit) {
  const std::string packed(5000, '\x7B');
  EXPECT_EQ(ExpandGloss(packed).size(), 3000u);
  EXPECT_EQ(ExpandGloss(packed, 10), "ation atio");
}

TEST(ThesaurusArithmeticCoder, EveryModelRoundTripsRealWordsAndNumbers) {
  for (const std::string word : {"RUN", "BRIGHT", "WALK", "ICECREAM", "A", "X2", "ZZZZZZZZZZZZZZZZZZZZ", ""}) {
    const std::string coded = EncodeLetters(word);
    EXPECT_EQ(DecodeLetters(Bytes(coded)), word);
  }
  for (const std::string& counts : {std::string("\x01\x29\x05\x80"), std::string(300, '\x02'), std::string()}) {
    EXPECT_EQ(DecodeCharacters(Bytes(EncodeCharacters(counts))), counts);
  }
  const std::string types = std::string("\x06\x07\x07\x00\x0B\x03", 6);
  const std::string numbers = std::string("\x00\x00\x01\x02\x00\x00\x00\x00\x1B\x05\x00\x00", 12);
  const std::string pair = EncodePair(types, numbers);
  const auto decoded = DecodePair(Bytes(pair));
  EXPECT_EQ(decoded.types, types);
  EXPECT_EQ(decoded.numbers, numbers);
  EXPECT_EQ(decoded.codedLength, pair.size());
  const auto empty = DecodePair(Bytes(EncodePair("", "")));
  EXPECT_TRUE(empty.types.empty());
  EXPECT_TRUE(empty.numbers.empty());
}

TEST(ThesaurusArithmeticCoder, CharactersModelGivesBackABlankAndAWord) {
  TArithmeticEncoder encoder;
  encoder.ArithmeticEncode(std::string(" word") + '\0', CharacterModel());
  const std::string coded = encoder.Flush();
  TArithmeticState state;
  state.input = Bytes(coded);
  state.model = &CharacterModel();
  state.stopSymbol = 0;
  std::string out(1, ' ');
  ArithmeticDecode(out, state);
  EXPECT_EQ(out, " word");
}

TEST(ThesaurusArithmeticCoder, ARunContinuedAfterItsStopDecodesTheNextPart) {
  TArithmeticEncoder encoder;
  encoder.ArithmeticEncode(std::string(" ab") + '\0' + "cd" + '\0', CharacterModel());
  const std::string coded = encoder.Flush();
  TArithmeticState state;
  state.input = Bytes(coded);
  state.model = &CharacterModel();
  state.stopSymbol = 0;
  std::string first(1, ' ');
  ArithmeticDecode(first, state);
  EXPECT_EQ(first, " ab");
  std::string second(1, '\0');
  ArithmeticDecode(second, state);
  EXPECT_EQ(second, std::string(1, '\0') + "cd");
}

TEST(ThesaurusArithmeticCoder, AnEmptyInputIsRefusedAndGarbageAlwaysEnds) {
  TArithmeticEncoder encoder;
  EXPECT_THROW(encoder.ArithmeticEncode("", LetterModel()), ECompressError);
  EXPECT_THROW(encoder.ArithmeticEncode(std::string("\0\x50", 2), LetterModel()), ECompressError);
  // Bytes that never reach a stop symbol stop at the end of their input.
  for (const std::string& garbage : {std::string(64, '\xFF'), std::string(64, '\0'), std::string("\x12\x34")}) {
    EXPECT_LE(DecodeLetters(Bytes(garbage)).size(), MaxDecodedSymbols);
    EXPECT_LE(DecodeCharacters(Bytes(garbage), 10).size(), 10u);
    const auto pair = DecodePair(Bytes(garbage));
    EXPECT_EQ(pair.numbers.size(), 2 * pair.types.size());
  }
}

}  // namespace
}  // namespace qm::thesaurus
