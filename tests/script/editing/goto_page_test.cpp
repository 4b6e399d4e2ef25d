// Going to a page by number: the typed text read as a page and A-page
// letter, the number kept within the script's pages, and the caret put on
// the first element of the page asked for.
#include <gtest/gtest.h>

#include "script/editing/goto_page.h"
#include "script/editing/position_texts.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "support/script_generator.h"

namespace qm {
namespace {

TEST(PageRequestTest, TheTypedTextGivesANumberAndALetter) {
  struct Case {
    const char* text;
    bool valid;
    int number;
    char letter;
  };
  const Case cases[] = {
      {"12", true, 12, 0},  {" 7b", true, 7, 'B'}, {"3A", true, 3, 'A'}, {"3-", true, 3, 0},
      {"abc", false, 0, 0}, {"", false, 0, 0},     {"A3", false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const TPageRequest page = ParsePageRequest(c.text);
    EXPECT_EQ(page.valid, c.valid);
    EXPECT_EQ(page.number, c.number);
    EXPECT_EQ(page.letter, c.letter);
  }
  EXPECT_EQ(PageRequestText({12, 'A', true}), "12A");
  EXPECT_EQ(PageRequestText({4, 0, true}), "4");
}

class GotoPageTest : public testing::KeysFixture {
 protected:
  // A paginated script of some pages, the caret at its start.
  void LoadPages(int pages) {
    Load(testing::GenerateScreenplay(5, pages), 0);
    W().RefreshLayout();
  }
  std::string CaretPage() {
    TStatusTexts texts;
    EXPECT_TRUE(ComputeStatusTexts(W(), {}, texts));
    return texts.caretPageText;
  }
};

TEST_F(GotoPageTest, TheCaretGoesToTheFirstElementOfThePage) {
  LoadPages(6);
  const int last = LastPageNumber(W());
  ASSERT_GE(last, 4) << "the script runs over several pages";
  EXPECT_EQ(FirstPageNumber(W()), 1);
  struct Case {
    const char* what;
    TPageRequest page;
    int lands;
  };
  const Case cases[] = {
      {"page 3", {3, 0, true}, 3},
      {"the last page", {last, 0, true}, last},
      {"past the end: the last", {last + 40, 0, true}, last},
      {"page 0: the first", {0, 0, true}, 1},
      {"an A-page that is not there: the page after", {2, 'B', true}, 3},
      {"back to page 2", {2, 0, true}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GotoPage(W(), c.page);
    EXPECT_EQ(CaretPage(), std::to_string(c.lands));
    EXPECT_EQ(W().CaretColumn(), 0);
    EXPECT_EQ(W().CaretLine(), 1);
    EXPECT_FALSE(IsPageBreakKind(W().CurrentElement()->Kind()));
    if (c.lands == 1) {
      EXPECT_EQ(W().CurrentElement(), W().FirstElement);
    } else {
      EXPECT_TRUE(IsPageBreakKind(W().CurrentElement()->prev->Kind())) << "the page's first element";
      EXPECT_EQ(W().CurrentElement()->screenLine, 6);
    }
  }
}

TEST_F(GotoPageTest, AHiddenFirstElementGivesTheCaretToTheNextShownOne) {
  LoadPages(4);
  TScriptElement* pageBreak = W().FirstElement;
  while (!IsPageBreakKind(pageBreak->Kind())) pageBreak = pageBreak->next;
  pageBreak->next->state = esHidden;
  GotoPage(W(), {2, 0, true});
  EXPECT_EQ(W().CurrentElement(), pageBreak->next->next);
}

}  // namespace
}  // namespace qm
