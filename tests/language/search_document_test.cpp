// The search walk run on a bare document, with no script window: from a
// column of an element onwards (or back), over the kinds it is given,
// past page breaks and hidden kinds, with whole words and capitals.
#include <gtest/gtest.h>

#include "language/search_replace.h"
#include "support/document_builder.h"

namespace qm {
namespace {

std::unique_ptr<testing::TBuiltDocument> Script() {
  auto script = testing::BuildDocument({
      {ekSceneHeading, "INT. ANN HOUSE - DAY"},  // 0
      {ekAction, "Ann meets Anne and ann."},     // 1
      {ekCharacterName, "BOB"},                  // 2
      {ekDialogue, "Where is Ann?"},             // 3
      {ekAutoPageBreak, ""},                     // 4
      {ekScriptNote, "Ann waits here."},         // 5
      {ekAction, "Bob waits."},                  // 6
  });
  script->HiddenKinds = 0;
  return script;
}

struct Case {
  const char* what;
  int start;
  std::size_t column;
  const char* text;
  bool backwards;
  bool exactCase;
  bool wholeWords;
  std::uint32_t kinds;
  int element;  // -1: no more found
  std::size_t from;
  std::size_t to;
};

TEST(SearchOnADocument, FindsTheNextMatchFromTheColumnOn) {
  const auto script = Script();
  const std::uint32_t all = AllSearchKinds;
  const Case cases[] = {
      {"from the start of the script", 0, 0, "ann", false, false, true, all, 0, 5, 8},
      {"at the column itself", 1, 0, "ann", false, false, true, all, 1, 0, 3},
      {"past the column, Anne is no whole word", 1, 1, "ann", false, false, true, all, 1, 19, 22},
      {"as part of a word", 1, 1, "ann", false, false, false, all, 1, 10, 13},
      {"the same capitals only", 1, 0, "ann", false, true, true, all, 1, 19, 22},
      {"on in the next elements", 1, 22, "ann", false, false, true, all, 3, 9, 12},
      {"past a page break", 3, 12, "ann", false, false, true, all, 5, 0, 3},
      {"kinds outside the set are passed", 3, 12, "ann", false, false, true, all & ~(1u << ekScriptNote), -1, 0, 0},
      {"only the kinds of the set", 0, 0, "ann", false, false, true, 1u << ekDialogue, 3, 9, 12},
      {"backwards the last match before the column", 1, 20, "ann", true, false, true, all, 1, 0, 3},
      {"backwards into the elements before", 1, 0, "ann", true, false, true, all, 0, 5, 8},
      {"nothing after the last", 6, 0, "ann", false, false, true, all, -1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TSearchOptions options;
    options.backwards = c.backwards;
    options.exactCase = c.exactCase;
    options.wholeWords = c.wholeWords;
    options.kinds = c.kinds;
    const auto found = FindNextInDocument(*script, &script->Element(c.start), c.column, c.text, options);
    if (c.element < 0) {
      EXPECT_FALSE(found.has_value());
      continue;
    }
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->element, &script->Element(c.element));
    EXPECT_EQ(found->at, (TTextMatch{c.from, c.to}));
  }
}

TEST(SearchOnADocument, PassesHiddenKinds) {
  const auto script = Script();
  script->HiddenKinds = 1u << ekScriptNote;
  const auto found = FindNextInDocument(*script, &script->Element(3), 12, "ann", TSearchOptions{});
  EXPECT_FALSE(found.has_value());
  script->HiddenKinds = 0;
  EXPECT_TRUE(FindNextInDocument(*script, &script->Element(3), 12, "ann", TSearchOptions{}).has_value());
}

TEST(SearchOnADocument, ThePageShownIsThePageTheElementStandsOn) {
  const auto script = Script();
  EXPECT_EQ(PageLabelAt(*script, &script->Element(3)), "1");
  EXPECT_EQ(PageLabelAt(*script, &script->Element(6)), "2");
  script->PageStart = 7;
  EXPECT_EQ(PageLabelAt(*script, &script->Element(6)), "8");
}

}  // namespace
}  // namespace qm
