#include "breakdown/tags.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// Readable tags: "[C" .. "]" stand for the Cast code and TagEnd, "[P" for
// Props, "[X" for Extras, "{" and "}" for bold on and off.
std::string T(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '[' && i + 1 < text.size()) {
      const char c = text[++i];
      out += static_cast<char>(c == 'C' ? 6 : c == 'P' ? 10 : c == 'X' ? 7 : 168);
    } else if (text[i] == ']') {
      out += static_cast<char>(TagEnd);
    } else if (text[i] == '{') {
      out += static_cast<char>(BoldOn);
    } else if (text[i] == '}') {
      out += static_cast<char>(BoldOff);
    } else {
      out += text[i];
    }
  }
  return out;
}

const CharSet TaggingCodes = InlineCodes(true);

TEST(BreakdownTagTest, TaggingASelectionTrimsBlanksAndCodes) {
  struct Case {
    std::string text;
    int blockStart;
    int blockEnd;
    int caret;
    std::string expected;  // empty: nothing tagged
    int caretAfter;
  };
  const std::vector<Case> cases = {
      {"a gun here", 2, 5, 5, "a [Pgun] here", 7},
      {"a gun here", 5, 2, 2, "a [Pgun] here", 3},      // block made backwards
      {"a  gun  here", 1, 8, 0, "a  [Pgun]  here", 1},  // blanks left outside
      {"{gun} x", 0, 5, 7, "{[Pgun]} x", 9},            // a code at column 0 stays before the tag
      {"x {gun} y", 2, 7, 9, "x {[Pgun]} y", 11},       // inside a bold run
      {"x [Cbob] y", 2, 8, 0, "x [C[Pbob]] y", 1},      // round an inner tag: codes stay outside
      {"a {} b", 1, 5, 0, "", 0},                       // only blanks and codes
      {"abc", 1, 1, 0, "", 0},                          // empty
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text = T(c.text);
    const auto span = TrimTagSelection(text, c.blockStart, c.blockEnd, TaggingCodes);
    if (c.expected.empty()) {
      EXPECT_FALSE(span);
      continue;
    }
    ASSERT_TRUE(span);
    EXPECT_EQ(InsertTag(text, *span, 10, c.caret), c.caretAfter);
    EXPECT_EQ(text, T(c.expected));
  }
  EXPECT_FALSE(TrimTagSelection("abc", -1, 2, TaggingCodes));
}

TEST(BreakdownTagTest, RemovingTagsLeavesThePlainWords) {
  struct Case {
    std::string text;
    std::string expected;
    bool changed;
  };
  const std::vector<Case> cases = {
      {"no tags", "no tags", false},
      {"a [Pgun] b", "a gun b", true},
      {"[Cbob's [Phat]] and [Xcrowd]", "bob's hat and crowd", true},  // nested
      {"{[Pgun]} x", "{gun} x", true},
      {"lost] a [Pgun]", "lost a gun", true},  // an end byte with no code still goes, and the rest too
      {"[Pa ]] b", "a  b", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text = T(c.text);
    EXPECT_EQ(RemoveTags(text), c.changed);
    EXPECT_EQ(text, T(c.expected));
  }
}

}  // namespace
}  // namespace qm
