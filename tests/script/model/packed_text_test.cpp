#include "script/model/packed_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "script/model/text_codes.h"

namespace qm {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::vector<int> Codes(const std::string& s) {
  std::vector<int> codes;
  for (char c : s) codes.push_back(static_cast<unsigned char>(c));
  return codes;
}

// The expected bytes were worked out by hand from the code table.
TEST(PackText, WritesTheKnownCodes) {
  const struct {
    std::string plain;
    std::string packed;
  } cases[] = {
      {"and the end", Bytes({116, 112, 83, 238, 228})},
      {"INT. HOUSE - DAY", Bytes({201, 206, 212, 110, 200, 207, 213, 211, 197, 160, 173, 56, 193, 217})},
      {"  ", Bytes({111})},
      {"   ", Bytes({111, 160})},
      {". ", Bytes({110})},
      {".", Bytes({174})},
      {"Zebra", Bytes({218, 28, 242, 225})},
      {"\xC8", Bytes({127, 200})},
      {"", ""},
      // A blank and what follows it.
      {" thin", Bytes({106, 238})},
      {" that", Bytes({108, 244})},
      {" thus", Bytes({105, 245, 243})},
      {" to", Bytes({98, 239})},
      {" he", Bytes({113})},
      {" hi", Bytes({86, 233})},
      {" you", Bytes({107})},
      {" yo", Bytes({103, 239})},
      {" andy", Bytes({114, 249})},
      {" an", Bytes({79, 238})},
      {" 1", Bytes({160, 177})},
      {" Q", Bytes({69})},
      // Pairs and words without a blank.
      {"and", Bytes({116})},
      {"an", Bytes({109})},
      {"ax", Bytes({24})},
      {"a.", Bytes({225, 174})},
      {"aA", Bytes({225, 193})},
      {"ez", Bytes({52})},
      {"e1", Bytes({229, 177})},
      {"ic", Bytes({121})},
      {"ie", Bytes({120})},
      {"im", Bytes({119})},
      {"in", Bytes({118})},
      {"ing", Bytes({126})},
      {"is", Bytes({117})},
      {"it", Bytes({115})},
      {"ix", Bytes({233, 248})},
      {"th", Bytes({125})},
      {"to", Bytes({124})},
      {"tx", Bytes({244, 248})},
      {"st", Bytes({123})},
      {"sx", Bytes({243, 248})},
      {"sting", Bytes({123, 126})},
      {"thing", Bytes({125, 126})},
      {"This is it.", Bytes({212, 232, 117, 87, 243, 87, 244, 174})},
      // Inline codes and characters from 127 up.
      {"\x02"
       "Bold\x03",
       Bytes({130, 194, 239, 236, 228, 131})},
      {"\x01~", Bytes({129, 254})},
      {"\x7F\x80\xFF", Bytes({127, 127, 127, 128, 127, 255})},
      {"Caf\xE9", Bytes({195, 6, 127, 233})},
      // A zero byte ends the text.
      {std::string("ab\0cd", 5), Bytes({2})},
  };
  for (const auto& c : cases) {
    bool truncated = true;
    EXPECT_EQ(Codes(PackText(c.plain, &truncated)), Codes(c.packed)) << "\"" << c.plain << "\"";
    EXPECT_FALSE(truncated) << c.plain;
  }
}

TEST(UnpackText, ReadsEveryKindOfCode) {
  const struct {
    std::string packed;
    std::string plain;
  } cases[] = {
      {Bytes({1, 14, 26}), "aaanaz"},
      {Bytes({27, 52}), "eaez"},
      {Bytes({53, 78, 79, 104}), " A Z a z"},
      {Bytes({105, 106, 107, 108, 109, 110, 111}), " th thi you thaan.   "},
      {Bytes({112, 113, 114, 115, 116, 117, 118}), " the he anditandisin"},
      {Bytes({119, 120, 121, 123, 124, 125, 126}), "imieicsttothing"},
      {Bytes({129, 255}), "\x01\x7F"},
      // 122 and 128 are read like the escape.
      {Bytes({122, 65, 128, 0xE9}), "A\xE9"},
      {Bytes({127, 200}), "\xC8"},
      // The end: a zero byte, or an escape with nothing after it.
      {Bytes({193, 0, 194}), "A"},
      {Bytes({193, 127}), "A"},
      {Bytes({193, 127, 0, 194}), "A"},
      {"", ""},
  };
  for (const auto& c : cases) {
    bool truncated = true;
    EXPECT_EQ(UnpackText(c.packed, &truncated), c.plain);
    EXPECT_FALSE(truncated);
  }
}

// Texts that exercise the word codes far more than uniform bytes would.
std::string RandomText(std::mt19937& rng, std::size_t length, bool wordy) {
  static const std::string wordChars = "aeitsnhdgyou .Tth";
  std::uniform_int_distribution<int> anyByte(1, 255);
  std::uniform_int_distribution<std::size_t> pick(0, wordChars.size() - 1);
  std::string s;
  for (std::size_t i = 0; i < length; ++i) s.push_back(wordy ? wordChars[pick(rng)] : static_cast<char>(anyByte(rng)));
  return s;
}

TEST(PackText, RoundTripsRandomTextsOfEveryByte) {
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<std::size_t> length(0, MaxElementChars);
  for (int round = 0; round < 400; ++round) {
    const std::string text = RandomText(rng, length(rng), round % 2 == 0);
    bool packCut = true, unpackCut = true;
    const std::string packed = PackText(text, &packCut);
    ASSERT_FALSE(packCut);
    ASSERT_LE(packed.size(), MaxPackedBytes);
    ASSERT_EQ(packed.find('\0'), std::string::npos);
    ASSERT_EQ(UnpackText(packed, &unpackCut), text) << "round " << round;
    ASSERT_FALSE(unpackCut);
  }
}

TEST(PackText, KeepsAWholeElementOfHighCharacters) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> high(127, 255);
  std::string text;
  for (std::size_t i = 0; i < MaxElementChars; ++i) text.push_back(static_cast<char>(high(rng)));
  bool truncated = true;
  const std::string packed = PackText(text, &truncated);
  EXPECT_FALSE(truncated);
  EXPECT_EQ(packed.size(), 2 * MaxElementChars);
  EXPECT_EQ(UnpackText(packed), text);
}

TEST(PackText, CutsOnlyPastTheLimitAndNeverSplitsAnEscape) {
  const std::string text(MaxElementChars + 10, '\xF0');
  bool truncated = false;
  const std::string packed = PackText(text, &truncated);
  EXPECT_TRUE(truncated);
  std::string pairs;
  for (std::size_t i = 0; i < MaxPackedBytes / 2; ++i) pairs += Bytes({127, 0xF0});
  EXPECT_EQ(packed, pairs);

  // One byte of room left, and the next character needs two.
  const std::string odd = std::string(MaxPackedBytes - 1, 'x') + "\xF0";
  const std::string oddPacked = PackText(odd, &truncated);
  EXPECT_TRUE(truncated);
  EXPECT_EQ(oddPacked, std::string(MaxPackedBytes - 1, static_cast<char>('x' + 128)));
}

TEST(UnpackText, CutsAtTheElementLimitOnlyWhenTheTextIsLonger) {
  // 703 times " the" and one "ing": exactly the longest element.
  std::string exact(703, static_cast<char>(112));
  exact.push_back(static_cast<char>(126));
  bool truncated = true;
  const std::string whole = UnpackText(exact, &truncated);
  EXPECT_FALSE(truncated);
  ASSERT_EQ(whole.size(), MaxElementChars);
  EXPECT_EQ(whole.substr(MaxElementChars - 7), " theing");

  // One character more is cut, also in the middle of a code.
  EXPECT_EQ(UnpackText(exact + static_cast<char>(193), &truncated), whole);
  EXPECT_TRUE(truncated);
  const std::string longer(800, static_cast<char>(112));
  const std::string cut = UnpackText(longer, &truncated);
  EXPECT_TRUE(truncated);
  ASSERT_EQ(cut.size(), MaxElementChars);
  EXPECT_EQ(cut.substr(MaxElementChars - 3), " th");
}

TEST(PackElementText, KeepsNoTextAndEmptyTextApart) {
  bool truncated = true;
  EXPECT_EQ(PackElementText(std::nullopt, &truncated), std::nullopt);
  EXPECT_FALSE(truncated);
  EXPECT_EQ(PackElementText(std::string(), &truncated), std::string());
  EXPECT_EQ(PackElementText(std::string("an"), &truncated), Bytes({109}));
  EXPECT_EQ(UnpackElementText(std::nullopt, &truncated), std::nullopt);
  EXPECT_EQ(UnpackElementText(Bytes({109}), &truncated), "an");

  EXPECT_EQ(PackString(""), std::nullopt);
  EXPECT_EQ(PackString("x"), Bytes({248}));
}

TEST(UnpackElementText, ReportsACutElementWithTheRealLimit) {
  bool truncated = false;
  const auto text = UnpackElementText(std::string(800, static_cast<char>(112)), &truncated);
  ASSERT_TRUE(text.has_value());
  EXPECT_TRUE(truncated);
  EXPECT_EQ(UnpackWarningText(*text),
            "The Element which starts with:\r\r\" the the the the the the the the th...\"\r\r"
            "has been truncated as it would otherwise\rhave been greater than 2,815 characters long!");
}

TEST(PackShortString, StaysWithin255BytesWithoutALoneEscape) {
  const std::string high(200, '\xE9');
  const std::string packed = PackShortString(high);
  EXPECT_EQ(packed.size(), 254u);
  EXPECT_EQ(UnpackText(packed), high.substr(0, 127));

  EXPECT_EQ(PackShortString("@john"), PackText("@john"));
}

TEST(CodeSets, HoldExactlyTheirBytes) {
  std::string codes, zeroWidth, tagOrColor;
  for (int b = 0; b < 256; ++b) {
    if (CodeCharSet.Contains(static_cast<Byte>(b))) codes += std::to_string(b) + " ";
    if (ZeroWidthSet.Contains(static_cast<Byte>(b))) zeroWidth += std::to_string(b) + " ";
    if (TagOrColorSet.Contains(static_cast<Byte>(b))) tagOrColor += std::to_string(b) + " ";
  }
  EXPECT_EQ(codes, "2 3 13 14 15 16 17 18 19 20 21 22 25 26 27 28 29 30 ");
  EXPECT_EQ(zeroWidth, "2 3 13 14 15 16 17 18 19 20 21 22 24 25 26 27 28 29 30 126 167 ");
  EXPECT_EQ(tagOrColor, "1 6 7 8 9 10 11 12 13 16 17 18 19 20 23 24 127 128 129 131 132 134 135 137 141 142 143 144 "
                        "157 158 159 164 168 170 175 177 180 184 208 216 221 222 238 245 248 253 254 ");
  EXPECT_TRUE(IsBreakdownTagCode(24));
  EXPECT_FALSE(IsBreakdownTagCode(TagEnd));
  EXPECT_FALSE(IsBreakdownTagCode(18));
}

TEST(ColorIndexes, FollowThePairTableOnScreenAndTheElementTableInTheFormat) {
  const struct {
    Byte code;
    int screen;
    int element;
  } cases[] = {
      {18, 1, 2},  {16, 2, 1},  {20, 3, 3},  {253, 4, 4},   {221, 5, 5}, {238, 6, 6},
      {245, 7, 7}, {208, 8, 8}, {159, 9, 9}, {131, 10, 10}, {19, 0, 0},  {65, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ColorIndexOfOnCode(c.code), c.screen) << int(c.code);
    EXPECT_EQ(ElementColorIndex(c.code), c.element) << int(c.code);
  }
  EXPECT_EQ(ColorIndexOfOffCode(13), 3);
  EXPECT_EQ(ColorIndexOfOffCode(132), 10);
}

TEST(ColorIndexes, StepThroughARunOfText) {
  const struct {
    int current;
    Byte code;
    bool extended;
    int next;
  } cases[] = {
      {0, 18, false, 1},                       // red on
      {1, 19, false, 0},                       // red off
      {2, 19, false, 2},                       // red off inside blue leaves blue
      {1, 20, false, 3},                       // green on replaces red
      {3, 13, false, 0},                       // green off
      {0, 253, false, 0},                      // user colour without extended colours
      {0, 253, true, 4},  {4, 254, false, 4},  // its off byte does not count either
      {4, 254, true, 0},  {5, 'x', true, 5},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextColorIndex(c.current, c.code, c.extended), c.next)
        << c.current << " " << int(c.code) << " " << c.extended;
}

}  // namespace
}  // namespace qm
