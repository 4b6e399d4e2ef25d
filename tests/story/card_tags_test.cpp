// The tags of a scene across the write-back of its card: the card shows
// the words alone; the words the writer left as they were get their tags
// back, and a tag whose own words were edited goes.
#include "story/card_tags.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// "[p" opens a Props tag, "[c" a Cast Members tag, "]" ends a tag.
std::string T(const std::string& notation) {
  std::string out;
  for (std::size_t i = 0; i < notation.size(); ++i) {
    if (notation[i] == '[' && i + 1 < notation.size() && (notation[i + 1] == 'p' || notation[i + 1] == 'c')) {
      out += notation[i + 1] == 'p' ? '\x0A' : '\x06';
      ++i;
    } else if (notation[i] == ']') {
      out += '\x01';
    } else {
      out += notation[i];
    }
  }
  return out;
}

TEST(CardTagsTest, UnchangedWordsKeepTheirTags) {
  const struct {
    const char* what;
    std::vector<std::string> before, after, expected;
  } cases[] = {
      {"nothing typed",
       {"INT. A", "A [pknife] lies here."},
       {"INT. A", "A knife lies here."},
       {"INT. A", "A [pknife] lies here."}},
      {"words typed before and after",
       {"INT. A", "A [pknife] lies here."},
       {"INT. A", "Look. A sharp knife lies here now."},
       {"INT. A", "Look. A sharp [pknife] lies here now."}},
      {"a tag whose own words were edited goes",
       {"INT. A", "A [pknife] and a [pfork]."},
       {"INT. A", "A knives and a fork."},
       {"INT. A", "A knives and a [pfork]."}},
      {"nested tags",
       {"INT. A", "[p[cMARY]'s pot] boils."},
       {"INT. A", "MARY's pot boils over."},
       {"INT. A", "[p[cMARY]'s pot] boils over."}},
      {"the inner tag of an edited outer one stays",
       {"INT. A", "[p[cMARY]'s pot] boils."},
       {"INT. A", "MARY's pan boils."},
       {"INT. A", "[cMARY]'s pan boils."}},
      {"two tags side by side", {"INT. A", "[pcup][pbowl]"}, {"INT. A", "cupbowl"}, {"INT. A", "[pcup][pbowl]"}},
      {"an element added in front",
       {"INT. A", "A [pknife]."},
       {"INT. A", "New line.", "A knife."},
       {"INT. A", "New line.", "A [pknife]."}},
      {"a speech that went",
       {"INT. A", "BOB", "Take the [pknife].", "He runs."},
       {"INT. A", "He runs."},
       {"INT. A", "He runs."}},
      {"capitals of an all-capitals element", {"INT. A", "[cbob]"}, {"INT. A", "BOB"}, {"INT. A", "[cBOB]"}},
      {"the heading's tags", {"INT. [pbarn] - DAY", "x"}, {"INT. BARN - NIGHT", "x"}, {"INT. [pBARN] - NIGHT", "x"}},
      {"words moved to a paragraph of their own",
       {"INT. A", "A [pknife].", "B."},
       {"INT. A", "A", "knife. B."},
       {"INT. A", "A", "[pknife]. B."}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> before, after, expected;
    for (const auto& s : c.before) before.push_back(T(s));
    for (const auto& s : c.after) after.push_back(s);
    for (const auto& s : c.expected) expected.push_back(T(s));
    EXPECT_EQ(KeepCardTags(before, after), expected) << c.what;
  }
}

TEST(CardTagsTest, StyleCodesAroundTaggedWordsStayWhereTheyAre) {
  const std::string bold = "\x02", plain = "\x03";
  EXPECT_EQ(KeepCardTags({"INT. A", T("A " + bold + "[pknife]" + plain + ".")},
                         {"INT. A", "A " + bold + "knife" + plain + "!"}),
            (std::vector<std::string>{"INT. A", T("A " + bold + "[pknife]" + plain + "!")}));
}

}  // namespace
}  // namespace qm
