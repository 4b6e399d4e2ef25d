#include "script/model/string_utils.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "script/model/text_codes.h"

namespace qm {
namespace {

int Sign(int n) { return (n > 0) - (n < 0); }

TEST(TrimTrailingBlanks, RemovesOnlyBlanksAtTheEnd) {
  const struct {
    std::string text, trimmed;
  } cases[] = {
      {"abc  ", "abc"}, {"   ", ""}, {"", ""}, {" a b ", " a b"}, {"a\t", "a\t"}, {"a\x04", "a\x04"},
  };
  for (const auto& c : cases) {
    std::string s = c.text;
    TrimTrailingBlanks(s);
    EXPECT_EQ(s, c.trimmed) << "\"" << c.text << "\"";
    EXPECT_EQ(TrimmedLength(c.text), c.trimmed.size()) << "\"" << c.text << "\"";
  }
}

TEST(PlainText, DropsInlineCodesThenTrailingBlanks) {
  const struct {
    std::string text, plain;
  } cases[] = {
      {"\x02Hello\x03 \x15world\x16  ", "Hello world"},
      {"a\x0D\x0E\x0F\x10\x11\x12\x13\x14\x19\x1A\x1B\x1C\x1D\x1E"
       "b",
       "ab"},
      // Hard space, hard dash and a tag code are text.
      {"a\x04\x05\x18\x01", "a\x04\x05\x18\x01"},
      {"\x02  \x03", ""},
      // At most 255 characters are taken, then the blanks are trimmed.
      {std::string(254, 'a') + " bbb", std::string(254, 'a')},
      {std::string(300, 'a'), std::string(255, 'a')},
  };
  for (const auto& c : cases) EXPECT_EQ(PlainText(c.text), c.plain);
  EXPECT_EQ(PlainUpperText("\x02john\x03 (v.o.) \xE9t\xE9 "), "JOHN (V.O.) \xC9T\xC9");
}

TEST(CopyWithoutCodes, KeepsOrDropsTheCodes) {
  const std::string styled = "\x02"
                             "BANG!\x03 \x12red\x13";
  EXPECT_EQ(CopyWithoutCodes(false, styled), "BANG! red");
  EXPECT_EQ(CopyWithoutCodes(true, styled), styled);
  EXPECT_EQ(CopyWithoutCodes(false, std::string(300, 'z')).size(), 255u);
}

TEST(CutAtParenthesis, CutsAtTheFirstParenthesisAndTheBlanksBeforeIt) {
  const struct {
    std::string text, cut;
  } cases[] = {
      {"JOHN  (V.O.)", "JOHN"}, {"JOHN", "JOHN"}, {"JOHN  ", "JOHN  "}, {"(V.O.)", ""}, {"A (B) (C)", "A"},
  };
  for (const auto& c : cases) {
    std::string s = c.text;
    CutAtParenthesis(s);
    EXPECT_EQ(s, c.cut) << c.text;
  }
}

TEST(CaseConversion, FollowsTheCodePage) {
  EXPECT_EQ(LowerCaseShort("\xC9"
                           "COLE"),
            "\xE9"
            "cole");
  // y with diaeresis goes up to 159, which is also a colour-on byte.
  EXPECT_EQ(UpperCaseShort("\xE9"
                           "cole \xFF"),
            "\xC9"
            "COLE \x9F");
  EXPECT_EQ(UpperCaseShort(std::string(300, 'a')), std::string(255, 'A'));
  EXPECT_EQ(UpCaseChar('\xE9'), '\xC9');
  EXPECT_EQ(UpCaseChar('1'), '1');
  std::string s = "int. caf\xE9 - day";
  CharUpperInPlace(s);
  EXPECT_EQ(s, "INT. CAF\xC9 - DAY");
}

TEST(InitialCaps, CapitalisesEachWord) {
  const struct {
    std::string text, caps;
  } cases[] = {
      {"INT. JOHN'S HOUSE (NIGHT)", "Int. John's House (Night)"},
      {"&amp", "&Amp"},
      {"", ""},
      {"rock & roll", "Rock & Roll"},
      {"(&x y)", "(&X Y)"},
      {"a&b", "A&b"},
      {"\xC9"
       "COLE \xC9T\xC9",
       "\xC9"
       "cole \xC9t\xE9"},
  };
  for (const auto& c : cases) EXPECT_EQ(InitialCaps(c.text), c.caps) << c.text;
}

TEST(ReplaceChars, MapsEachCharacterInTurn) {
  const struct {
    std::string from, to, text, result;
    bool changed;
  } cases[] = {
      {"ab", "xy", "aabbc", "xxyyc", true},
      {"ab", "", "aabbc", "c", true},
      {"a", "a", "aaa", "aaa", false},
      // b is mapped after a, so a first becomes b and then c.
      {"ab", "bc", "ab", "cc", true},
      {"z", "y", "abc", "abc", false},
      {"ab", "x", "ab", "x", true},
  };
  for (const auto& c : cases) {
    std::string s = c.text;
    EXPECT_EQ(ReplaceChars(c.from, c.to, s), c.changed) << c.from << "->" << c.to;
    EXPECT_EQ(s, c.result) << c.from << "->" << c.to;
  }
}

TEST(CommonPrefixEnd, GivesTheFirstDifferenceWithinTheShorterText) {
  const struct {
    std::string a, b;
    std::size_t end;
  } cases[] = {
      {"abc", "abd", 3}, {"abc", "xbc", 1}, {"abc", "abc", 3},       {"ab", "abc", 2},
      {"", "abc", 0},    {"", "", 0},       {"abcdef", "abXdef", 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommonPrefixEnd(c.a, c.b), c.end) << c.a << " / " << c.b;
    EXPECT_EQ(CommonPrefixEnd(c.b, c.a), c.end) << c.b << " / " << c.a;
  }
}

TEST(FindLastOccurrence, FindsTheLastButNeverAtTheStart) {
  constexpr std::size_t none = std::string_view::npos;
  const struct {
    std::string text, word;
    std::size_t pos;
  } cases[] = {
      {"the cat the", "the", 8}, {"the cat", "the", none},  // only at the very start
      {"xcat cat", "cat", 5},    {"aaaa", "aa", 2},        {"a cat", std::string("cat\0", 4), 2},
      {"cat", "", none},         {"", "x", none},          {"dog", "cat", none},
  };
  for (const auto& c : cases) EXPECT_EQ(FindLastOccurrence(c.text, c.word), c.pos) << c.text;
}

TEST(CompareToPChar, ComparesBytesOrIgnoresCase) {
  const struct {
    std::string text, s;
    bool caseSensitive;
    int sign;
  } cases[] = {
      {"abc", "abd", true, -1},
      {"abd", "abc", true, 1},
      {"ABC", "abc", true, -1},
      {"ABC", "abc", false, 0},
      {"\xE9", "z", true, 1},  // bytes compare unsigned
      {"\xE9"
       "cole",
       "\xC9"
       "COLE",
       false, 0},
      {"ab", "abc", false, -1},
      {std::string(255, 'a'), std::string(255, 'a') + "zzz", true, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Sign(CompareToPChar(c.text, c.s, c.caseSensitive)), c.sign) << c.text << " / " << c.s;
}

TEST(FileNames, TakePathsApart) {
  const struct {
    std::string path, directory, name;
  } cases[] = {
      {"/home/u/SCRIPTS/A.QMW", "/home/u/SCRIPTS/", "A.QMW"},
      {"SCRIPTS/A.QMW", "", "A.QMW"},
      {"A.QMW", "", "A.QMW"},
      {"/A.QMW", "/", "A.QMW"},
      {"/home/u/", "/home/u/", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractDirectory(c.path), c.directory) << c.path;
    EXPECT_EQ(ExtractFileNameOnly(c.path), c.name) << c.path;
  }
  const std::string longPath = "/" + std::string(300, 'd') + "/A.QMW";
  EXPECT_EQ(ExtractDirectory(longPath), longPath.substr(0, 302));
}

TEST(FileNames, StripAndChangeExtensions) {
  const struct {
    std::string name, stripped;
  } cases[] = {
      {"SCRIPT.QMW", "SCRIPT"},
      {"MY.SCRIPTS", "MY.SCRIPTS"},
      {"NOEXT", "NOEXT"},
      {"A.B", "A"},
      {"NAME.", "NAME"},
      {"X.QMWX", "X.QMWX"},
      {"/home/u/my.d/ab", "/home/u/my.d/ab"},  // the "." is in a folder name
      {"/home/u/my.d/ab.qmw", "/home/u/my.d/ab"},
  };
  for (const auto& c : cases) {
    std::string s = c.name;
    StripExtension(s);
    EXPECT_EQ(s, c.stripped) << c.name;
  }

  const struct {
    std::string name, ext, result;
  } changes[] = {
      {"SCRIPT.QMW", "BK", "SCRIPT.BK"},
      {"SCRIPT.QMW", ".BK", "SCRIPT.BK"},
      {"SCRIPT", "TMB", "SCRIPT.TMB"},
      {"SCRIPT.QMW", "", "SCRIPT"},
      {"/home/u/my.d/ab", "qmw", "/home/u/my.d/ab.qmw"},
  };
  for (const auto& c : changes) EXPECT_EQ(ChangeFileExtension(c.name, c.ext), c.result) << c.name;
}

TEST(StepDecimalText, StepsAndKeepsTheValueInRange) {
  const struct {
    std::string text;
    int step, decimals, min, max;
    std::string result;
  } cases[] = {
      {"1.5", 1, 1, 0, 1000, "1.6"},
      {".25", -1, 2, 0, 1000, "0.15"},
      {"0.5", -1, 1, 5, 100, "0.5"},  // below Min gives Min
      {"2.0", 5, 1, 0, 22, "2.2"},    // above Max gives Max
      {"", 1, 2, 0, 100, "0.00"},     // empty: zeros, not stepped
      {"9.9", 1, 1, 0, 1000, "10.0"},
      {"10", 1, 1, 0, 1000, "10.1"},
      {"1.50", 0, 1, 0, 1000, "1.5"},
      {"1.999", 1, 2, 0, 1000, "2.09"},  // extra digits cut, not rounded
      {".5", 1, 2, 0, 1000, "0.60"},
      {"-0.5", -1, 1, -100, 100, "-0.6"},
      {"0.05", -1, 2, -100, 100, "-0.05"},
      {" 1.5 ", 1, 1, 0, 100, "1.6"},
      {"1.5", 1, 0, 0, 100, "1.6"},  // decimals below 1 count as 1
      // Not a number: counts as 0.
      {"abc", 1, 1, 0, 100, "0.1"},
      {"1.2.3", 1, 1, 0, 100, "0.1"},
      {"1,5", -1, 1, 0, 100, "0.0"},
      // Too large for 64 bits: the largest value, then Max.
      {"99999999999999999999999", 1, 2, 0, 500, "5.00"},
      {"-99999999999999999999999", 1, 2, -500, 500, "-5.00"},
      {"1", INT_MAX, 18, 0, INT_MAX, "0.000000002147483647"},
      {"1", INT_MIN, 30, INT_MIN, 0, "-0.000000002147483648"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StepDecimalText(c.text, c.step, c.decimals, c.min, c.max), c.result)
        << "\"" << c.text << "\" step " << c.step;
}

TEST(MoveBytes, CopiesOverlappingAreas) {
  char text[] = "abcdef";
  MoveBytes(text, text + 2, 4);
  EXPECT_STREQ(text, "ababcd");
  MoveBytes(text + 2, text, 4);
  EXPECT_STREQ(text, "abcdcd");
  MoveBytes(text + 1, text, 0);
  EXPECT_STREQ(text, "abcdcd");
}

TEST(IsInsideCodePair, JudgesByTheLaterCodeBeforeThePosition) {
  const std::string bold = "a\x02"
                           "bc\x03"
                           "de";  // on at 1, off at 4
  // clang-format off
  const struct {
    std::string text;
    std::size_t pos;
    bool startState, inside;
  } cases[] = {
      {bold, 0, true, true},  // nothing before: the start state
      {bold, 1, false, false},
      {bold, 2, false, true},  // after the on byte
      {bold, 4, false, true},  // still before the off byte
      {bold, 5, true, false},  // after the off byte
      {bold, 100, true, false},
      {"ab\x03" "c", 4, true, false},  // only an off byte
      {"\x02" "a\x03" "b\x02" "c", 6, false, true},
      {"", 0, true, true},
  };
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(IsInsideCodePair(c.text, c.pos, BoldOn, c.startState, BoldOff), c.inside)
        << "pos " << c.pos << " start " << c.startState;
}

TEST(SetColorNibble, SetsTheElementColourOfAnOnByte) {
  const struct {
    Byte code, before, after;
  } cases[] = {
      {16, 0x03, 0x13}, {18, 0x03, 0x23}, {20, 0x53, 0x33},  {131, 0x03, 0xA3},
      {0, 0xA3, 0x03},  {19, 0x23, 0x23}, {'x', 0x23, 0x23},
  };
  for (const auto& c : cases) {
    Byte b = c.before;
    SetColorNibble(c.code, b);
    EXPECT_EQ(b, c.after) << int(c.code);
  }
}

TEST(ScreenRunEnd, FindsTheEndOfARunOfEqualBytes) {
  std::array<Byte, ScreenRunFlagCount> flags{};
  EXPECT_EQ(ScreenRunEnd(flags, 0), 150);
  for (int i = 0; i < 10; ++i) flags[i] = 1;
  flags[149] = 2;
  const struct {
    int start, end;
  } cases[] = {{0, 10}, {5, 10}, {10, 149}, {148, 149}, {149, 150}, {-5, 10}, {400, 150}};
  for (const auto& c : cases) EXPECT_EQ(ScreenRunEnd(flags, c.start), c.end) << c.start;
}

}  // namespace
}  // namespace qm
