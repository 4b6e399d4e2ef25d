#include "platform/cp1252.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(Cp1252, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(UnicodeToAnsi(AnsiToUnicode(static_cast<Byte>(b))), b) << "byte " << b;
}

TEST(Cp1252, KnownCharactersHaveTheirUtf8Form) {
  const struct {
    const char* ansi;
    const char* utf8;
  } cases[] = {
      {"\x80", "\xE2\x82\xAC"},  // euro sign
      {"\x81", "\xC2\x81"},      // undefined byte keeps its number
      {"\x8A", "\xC5\xA0"},      // S caron
      {"\x93\x94", "\xE2\x80\x9C\xE2\x80\x9D"},
      {"\x9F", "\xC5\xB8"},  // Y diaeresis
      {"\xA0", "\xC2\xA0"},
      {"caf\xE9", "caf\xC3\xA9"},
      {"\xFF", "\xC3\xBF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8);
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi);
  }
  EXPECT_EQ(UnicodeToAnsi(0x0080), -1);  // a C1 control the code page spends elsewhere
  EXPECT_EQ(UnicodeToAnsi(0x4E2D), -1);
  EXPECT_EQ(UnicodeToAnsi(0x2122), 0x99);
}

TEST(Cp1252, MalformedUtf8BecomesOneReplacementPerBrokenSequence) {
  const struct {
    const char* utf8;
    const char* ansi;
  } cases[] = {
      {"\xC0\xAF", "??"},            // overlong '/'
      {"\xE0\x80\xAF", "???"},       // overlong three-byte form
      {"\xED\xA0\x80", "???"},       // surrogate half
      {"\xF4\x90\x80\x80", "????"},  // past U+10FFFF
      {"a\xE2\x82", "a?"},           // truncated at the end
      {"\xE2\x82"
       "A",
       "?A"},           // truncated in the middle
      {"\x80x", "?x"},  // stray continuation byte
      {"\xFF\xFE", "??"},
      {"\xE4\xB8\xAD", "?"},        // valid, but no byte in the code page
      {"\xF0\x9F\x98\x80!", "?!"},  // four-byte character
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.ansi;
  EXPECT_EQ(Utf8ToAnsi("\xC0", '_'), "_");
}

TEST(Cp1252, CasePairsMapBothWays) {
  const struct {
    Byte lower;
    Byte upper;
  } pairs[] = {
      {'a', 'A'},   {'z', 'Z'},   {0xE0, 0xC0}, {0xE9, 0xC9}, {0xF6, 0xD6}, {0xF8, 0xD8},
      {0xFE, 0xDE}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F},
  };
  for (const auto& p : pairs) {
    EXPECT_EQ(AnsiUpper(p.lower), p.upper) << int(p.lower);
    EXPECT_EQ(AnsiLower(p.upper), p.lower) << int(p.upper);
    EXPECT_TRUE(IsAnsiLower(p.lower) && IsAnsiUpper(p.upper) && IsAnsiAlpha(p.lower) && IsAnsiAlpha(p.upper));
  }
}

TEST(Cp1252, BytesWithoutPartnerStayAsTheyAre) {
  const Byte alone[] = {0xDF, 0xB5, 0x83, 0xD7, 0xF7, '1', '@', '[', '`', '{', 0xAA, 0x80};
  for (Byte c : alone) {
    EXPECT_EQ(AnsiUpper(c), c) << int(c);
    EXPECT_EQ(AnsiLower(c), c) << int(c);
  }
  EXPECT_TRUE(IsAnsiLower(0xDF) && IsAnsiLower(0xB5) && IsAnsiLower(0x83));
  EXPECT_FALSE(IsAnsiAlpha(0xD7) || IsAnsiAlpha(0xF7) || IsAnsiAlpha('1'));
}

TEST(Cp1252, CaseMappingIsStableOverTheWholeCodePage) {
  int upperLetters = 0;
  for (int i = 0; i < 256; ++i) {
    const Byte c = static_cast<Byte>(i);
    EXPECT_EQ(AnsiUpper(AnsiLower(AnsiUpper(c))), AnsiUpper(c)) << i;
    EXPECT_EQ(AnsiLower(AnsiUpper(AnsiLower(c))), AnsiLower(c)) << i;
    if (IsAnsiUpper(c)) {
      ++upperLetters;
      EXPECT_EQ(AnsiUpper(AnsiLower(c)), c) << i;
    }
  }
  EXPECT_EQ(upperLetters, 26 + 30 + 4);
  EXPECT_EQ(AnsiUpperCase("na\xEFve \x9C"
                          "uvre \xFF"),
            "NA\xCFVE \x8CUVRE \x9F");
  EXPECT_EQ(AnsiLowerCase("\xC9T\xC9 STRA\xDF"
                          "E"),
            "\xE9t\xE9 stra\xDF"
            "e");
}

TEST(Cp1252, AsciiHelpersLeaveAccentedLettersAlone) {
  EXPECT_EQ(AsciiUpper('q'), 'Q');
  EXPECT_EQ(AsciiUpper('\xE9'), '\xE9');
  EXPECT_EQ(AsciiLower('Q'), 'q');
  EXPECT_EQ(AsciiLower('\xC9'), '\xC9');
}

TEST(Cp1252, CompareTextIgnoresCaseOverTheCodePage) {
  const struct {
    const char* a;
    const char* b;
    int result;
  } cases[] = {
      {"abc", "ABC", 0},   {"\xE9t\xE9", "\xC9T\xC9", 0},
      {"\xFF", "\x9F", 0}, {"a", "b", -1},
      {"B", "a", 1},       {"ab", "abc", -1},
      {"abc", "ab", 1},    {"", "", 0},
      {"_", "a", 1},  // compared in upper case: '_' sorts after letters
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareText(c.a, c.b), c.result) << c.a << " / " << c.b;
    EXPECT_EQ(SameText(c.a, c.b), c.result == 0);
  }
}

}  // namespace
}  // namespace qm
