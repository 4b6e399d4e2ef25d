#include "script/editing/word_deletion.h"

#include <gtest/gtest.h>

#include "platform/menus.h"
#include "script/fixtures/block_fixture.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm::testing {
namespace {

class WordDeletionTest : public BlockFixture {};

TEST_F(WordDeletionTest, DeletesTheWordAtOrBeforeTheCaret) {
  struct Case {
    const char* what;
    const char* text;
    int column;
    bool left;
    const char* after;
    int caret;
  };
  const std::vector<Case> cases{
      {"delete word on the r", "hello world", 8, false, "hello ", 6},
      {"delete left word on the r", "hello world", 8, true, "world", 0},
      {"delete word on a word's first letter takes its blank", "one two three", 4, false, "one three", 4},
      {"delete left word at the end takes the last word", "hello world", 11, true, "hello ", 6},
      {"delete word in trailing blanks does nothing", "hello   ", 6, false, "hello   ", 6},
      {"delete left word at column 0 does nothing", "hello", 0, true, "hello", 0},
      {"a word before a full stop goes with its stop", "He left. Now", 4, false, "He Now", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, c.text}, {ekAction, "Next one."}}, 0, c.column);
    DeleteWord(c.left);
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, c.after}, {ekAction, "Next one."}}));
    EXPECT_EQ(W().CaretColumn(), c.caret);
  }
}

TEST_F(WordDeletionTest, TheLastWordNeverTakesTheNextElementAlong) {
  Load({{ekAction, "Last word"}, {ekAction, "Next."}}, 0, 5);
  DeleteWord(false);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "Last "}, {ekAction, "Next."}}));
}

TEST_F(WordDeletionTest, TheMenuItemsNameTheirVariant) {
  TMenuItem right(nullptr);
  right.Name = "DeleteWordItem";
  TMenuItem left(nullptr);
  left.Name = "DeleteLeftWordItem";
  Load({{ekAction, "one two three"}}, 0, 5);
  DeleteWordAtCaret(&right);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "one three"}}));
  EditFields(W()).CaretColumn = 5;
  DeleteWordAtCaret(&left);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "three"}}));
}

TEST_F(WordDeletionTest, AReadOnlyScriptIsLeftAlone) {
  Load({{ekAction, "hello world"}}, 0, 8);
  W().Editable = 0;
  DeleteWord(false);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "hello world"}}));
}

}  // namespace
}  // namespace qm::testing
