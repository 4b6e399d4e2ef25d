#include "platform/text_trim.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(TextTrimTest, EachTrimRemovesOnlyItsOwnCharactersFromItsOwnEnds) {
  const struct {
    std::string text;
    const char* both;      // TrimBlanks
    const char* withTabs;  // TrimBlanksAndTabs
    const char* right;     // WithoutTrailingBlanks
  } cases[] = {
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"word", "word", "word", "word"},
      {"  two  words  ", "two  words", "two  words", "  two  words"},
      {"\t word \t", "\t word \t", "word", "\t word \t"},
      {" \tword\t ", "\tword\t", "word", " \tword\t"},
      {" line\r\n", "line\r\n", "line\r\n", " line\r\n"},
      {"\xA0hard\xA0 ", "\xA0hard\xA0", "\xA0hard\xA0", "\xA0hard\xA0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("[" + c.text + "]");
    EXPECT_EQ(TrimBlanks(c.text), c.both);
    EXPECT_EQ(std::string(TrimBlanksAndTabs(c.text)), c.withTabs);
    EXPECT_EQ(WithoutTrailingBlanks(c.text), c.right);
    EXPECT_EQ(TrimmedLength(c.text), std::string(c.right).size());
    std::string inPlace = c.text;
    TrimTrailingBlanks(inPlace);
    EXPECT_EQ(inPlace, c.right);
  }
}

TEST(TextTrimTest, TrimCharsTakesAnyOfItsSetAtBothEnds) {
  const struct {
    const char* text;
    const char* chars;
    const char* trimmed;
  } cases[] = {
      {"\r\n item \r\n", "\r\n ", "item"},
      {", a, b ,", ", ", "a, b"},
      {"\r\n\r\n", "\r\n ", ""},
      {"xyz", "", "xyz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(std::string(TrimChars(c.text, c.chars)), c.trimmed);
  }
}

TEST(TextTrimTest, LeadingAndTrailingTakeAnyOfTheirSetFromTheirOwnEndInPlace) {
  using namespace std::string_literals;
  const struct {
    std::string text;
    std::string chars;
    std::string leading;
    std::string trailing;
  } cases[] = {
      {"", " -", "", ""},
      {" - ", " -", "", ""},
      {" - DAY - ", " -", "DAY - ", " - DAY"},
      {"NIGHT", " -", "NIGHT", "NIGHT"},
      {"JOHN \x04 ", " \x04", "JOHN \x04 ", "JOHN"},
      {"JOHN \0\x04"s, " \0\x04"s, "JOHN \0\x04"s, "JOHN"},
      {"\0JOHN"s, " \x04", "\0JOHN"s, "\0JOHN"s},
      {"MARY (V.O.)", " ", "MARY (V.O.)", "MARY (V.O.)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("[" + c.text + "]");
    std::string leading = c.text;
    EXPECT_EQ(TrimLeading(leading, c.chars), c.leading != c.text);
    EXPECT_EQ(leading, c.leading);
    std::string trailing = c.text;
    EXPECT_EQ(TrimTrailing(trailing, c.chars), c.trailing != c.text);
    EXPECT_EQ(trailing, c.trailing);
  }
}

}  // namespace
}  // namespace qm
