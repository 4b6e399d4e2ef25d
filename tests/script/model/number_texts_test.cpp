#include "script/model/number_texts.h"

#include <gtest/gtest.h>

#include "script/model/script_record.h"

namespace qm {
namespace {

TEST(NumberTextsTest, RomanNumeralsHaveNoDOrM) {
  const struct {
    Word n;
    const char* text;
  } cases[] = {{0, ""},    {4, "IV"},  {9, "IX"},    {14, "XIV"},   {40, "XL"},      {49, "IL"},
               {90, "XC"}, {99, "IC"}, {149, "CIL"}, {400, "CCCC"}, {38, "XXXVIII"}, {1996, "CCCCCCCCCCCCCCCCCCCX"}};
  for (const auto& c : cases) EXPECT_EQ(RomanNumeral(c.n), c.text) << c.n;
}

TEST(NumberTextsTest, NumberWordsUpToThirty) {
  const struct {
    int n;
    bool upper;
    const char* text;
  } cases[] = {{0, false, "Zero"},        {13, false, "Thirteen"},    {20, false, "Twenty"},
               {21, false, "Twenty-One"}, {29, false, "Twenty-Nine"}, {30, false, "Thirty"},
               {31, false, "????"},       {-1, false, "????"},        {7, true, "SEVEN"}};
  for (const auto& c : cases) EXPECT_EQ(NumberToWords(c.n, c.upper), c.text) << c.n;
}

// The ten default colours and a loop-naming style.
void SetTenColours(TScriptRecord& r, Byte style) {
  r.RevisionColours.Clear();
  for (const char* name : {"WHITE", "BLUE", "PINK", "YELLOW", "GREEN", "GOLDENROD", "SALMON", "CHERRY", "BUFF", "TAN"})
    r.AddRevisionColour(name, clNone);
  r.RevisionLoopStyle = style;
}

TEST(NumberTextsTest, RevisionNamesLoopFromTheSecondColourWithTheirPrefix) {
  const struct {
    Byte style;
    int n;
    const char* name;
  } cases[] = {{1, 0, "WHITE"},           {1, 9, "TAN"},          {1, 10, "DOUBLE BLUE"},
               {1, 19, "TRIPLE BLUE"},    {2, 10, "SECOND BLUE"}, {3, 11, "2ND PINK"},
               {1, 37, "QUINTUPLE BLUE"}, {1, 46, "BLUE"},        {0, 10, "BLUE"}};
  for (const auto& c : cases) {
    TScriptRecord r;
    SetTenColours(r, c.style);
    EXPECT_EQ(RevisionColorName(r, c.n), c.name) << c.n << " style " << int(c.style);
  }
  TScriptRecord lower;
  lower.RevisionColours.Clear();
  for (const char* name : {"white", "blue"}) lower.AddRevisionColour(name, clNone);
  EXPECT_EQ(RevisionColorName(lower, 2), "Double blue");
  TScriptRecord one;
  EXPECT_EQ(RevisionColorName(one, 5), "WHITE") << "a list of one entry never loops";
}

// A name gives back the number it was made from, and a new name the place
// it took (never an unset number).
TEST(NumberTextsTest, RevisionNumbersOfNames) {
  for (Byte style = 1; style <= 3; ++style)
    for (int n = 0; n < 40; ++n) {
      TScriptRecord r;
      SetTenColours(r, style);
      EXPECT_EQ(RevisionNumberOfName(r, RevisionColorName(r, n)), n) << n << " style " << int(style);
      EXPECT_EQ(r.RevisionColours.Count(), 10);
    }
  TScriptRecord r;
  SetTenColours(r, 1);
  EXPECT_EQ(RevisionNumberOfName(r, "MAUVE"), 10);
  EXPECT_EQ(r.RevisionColours[10], "MAUVE");
  EXPECT_EQ(RevisionNumberOfName(r, "MAUVE"), 10) << "found the second time, not added again";
}

TEST(NumberTextsTest, ScriptDatesAndStyleCodes) {
  std::tm day{};
  day.tm_year = 96;
  day.tm_mon = 2;
  day.tm_mday = 5;
  day.tm_hour = 12;
  const std::time_t date = std::mktime(&day);
  EXPECT_EQ(FormatScriptDate(date, true, true), "3-5-96");
  EXPECT_EQ(FormatScriptDate(date, false, false), "5/3/96");

  // clang-format off
  const struct {
    Byte style;
    Byte caps;
    int code;
  } styles[] = {{0, 0, 0},  {0, 1, 1},  {stBold, 0, 2},  {stUnderline, 0, 3}, {stItalic, 0, 4},
                {stBold, 1, 5}, {stUnderline, 1, 6}, {stItalic, 1, 7}, {stBold | stUnderline, 1, 8},
                {stBold | stItalic, 1, 9}, {stItalic | stUnderline, 1, 10}, {stBold | stUnderline, 0, 11},
                {stBold | stItalic, 0, 12}, {stBold | stItalic | stUnderline, 0, 13},
                {stItalic | stUnderline, 0, 14}, {stBold | stItalic | stUnderline, 1, 15}};
  // clang-format on
  for (const auto& s : styles) {
    TElementFormat f;
    f.Style = s.style;
    f.AllCaps = s.caps;
    EXPECT_EQ(FormatStyleCode(f), s.code) << int(s.style) << " caps " << int(s.caps);
  }
  TElementFormat f;
  f.LinesBefore = 25;
  SetLinesBeforeWhole(f, 1);
  EXPECT_EQ(f.LinesBefore, 15);
  SetLinesBeforeTenths(f, 0);
  EXPECT_EQ(f.LinesBefore, 10);
}

TEST(NumberTextsTest, WholeLinesBeforeRoundsHalfToEven) {
  const struct {
    int tenths;
    int whole;
  } cases[] = {{0, 0},  {4, 0},  {5, 0},  {6, 1},  {10, 1}, {14, 1}, {15, 2},
               {16, 2}, {20, 2}, {25, 2}, {26, 3}, {35, 4}, {45, 4}, {255, 26}};
  for (const auto& c : cases) {
    TElementFormat f;
    f.LinesBefore = static_cast<Byte>(c.tenths);
    EXPECT_EQ(WholeLinesBefore(f), c.whole) << c.tenths << " tenths";
  }
}

}  // namespace
}  // namespace qm
