#include "formats/page_breaks.h"

#include <gtest/gtest.h>

#include <optional>

#include "formats/drafts_fixture.h"
#include "script/model/packed_text.h"

namespace qm::testing {
namespace {

class PageBreaksTest : public DraftsFixture {};

TEST_F(PageBreaksTest, ABreakGoesInBeforeTheCaretOfTheKindTheScriptAllows) {
  struct Case {
    const char* what;
    bool locked;
    int column;  // of the second Action, 24 characters long
    int choice;  // in the type dialog; -1 cancels
    std::vector<int> kinds;
    std::vector<std::string> shape;
  };
  const std::vector<Case> cases = {
      {"unlocked: a forced page", false, 0, -2, {ekForcedPageBreak}, {"A12", "A5 A3"}},
      {"unlocked, mid-element: the element is cut", false, 10, -2, {ekForcedPageBreak}, {"A12 A2", "A3 A3"}},
      {"unlocked, at the end: after the element", false, 24, -2, {ekForcedPageBreak}, {"A12 A5", "A3"}},
      {"locked: a locked page", true, 0, 0, {ekLockedPageBreak}, {"A12", "A5 A3"}},
      {"locked: a forced page", true, 0, 1, {ekForcedPageBreak}, {"A12", "A5 A3"}},
      {"locked: a fixed A-page", true, 0, 2, {ekFixedAPageBreak}, {"A12", "A5 A3"}},
      {"locked: a multi-locked page", true, 0, 3, {ekMultiLockedPageBreak}, {"A12", "A5 A3"}},
      {"locked, cancelled: nothing", true, 0, -1, {}, {"A12 A5 A3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start({ActionLines(1), {ekAction, "aaaa bbbb cccc dddd eeee"}, {ekAction, "ffff gggg hhhh"}});
    Window().PagesLocked = c.locked ? 1 : 0;
    Window().CurrentRevision = 2;
    CaretAt(1, c.column);
    if (c.choice >= -1) ChoosePageBreakType(c.choice);
    InsertPageBreak(Window());
    EXPECT_EQ(BreakKinds(), c.kinds);
    EXPECT_EQ(Shape(), c.shape);
    EXPECT_EQ(Driver().Pending(), 0);
    const TScriptElement* b = PageStartBreak(Window().LastElement);
    if (b) {
      EXPECT_EQ(b->format.NumberWord, c.locked ? 2 : 0) << "a locked page belongs to the revision made now";
    }
  }
}

TEST_F(PageBreaksTest, TheBreakThatStartsThePageChangesItsType) {
  struct Case {
    const char* what;
    bool locked;
    int caretElement;
    int choice;
    std::vector<int> kinds;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"a locked page becomes a fixed A-page", true, 2, 2, {ekFixedAPageBreak}, nullptr},
      {"the same kind changes nothing", true, 2, 0, {ekLockedPageBreak}, nullptr},
      {"cancelled", true, 2, -1, {ekLockedPageBreak}, nullptr},
      {"the first page has no break", true, 0, -2, {ekLockedPageBreak}, "Unable to Change Page Break Type"},
      {"an unlocked script", false, 2, -2, {ekLockedPageBreak}, "Unable to Change Page Break Type"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start({ActionLines(2), {ekLockedPageBreak, " "}, ActionLines(3)});
    Window().PagesLocked = c.locked ? 1 : 0;
    CaretAt(c.caretElement, 0);
    std::string message;
    if (c.choice >= -1) ChoosePageBreakType(c.choice);
    if (c.message) Press(mrOk, &message);
    ChangePageBreakType(Window());
    EXPECT_EQ(BreakKinds(), c.kinds);
    EXPECT_EQ(message, c.message ? c.message : "");
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(PageBreaksTest, AnAutomaticBreakChangedIntoALockedOneTakesTheCurrentRevision) {
  Start({ActionLines(44), ActionLines(44)});
  Window().PagesLocked = 1;
  Window().CurrentRevision = 4;
  ASSERT_EQ(BreakKinds(), std::vector<int>{ekAutoPageBreak});
  CaretAt(3, 0);
  ChoosePageBreakType(0);
  ChangePageBreakType(Window());
  EXPECT_EQ(BreakKinds(), std::vector<int>{ekLockedPageBreak});
  EXPECT_EQ(PageStartBreak(Window().LastElement)->format.NumberWord, 4);
}

TEST_F(PageBreaksTest, AHardBreakBesideTheCaretIsRemovedWhenTheWriterAgrees) {
  struct Case {
    const char* what;
    Byte kind;
    int caretElement;
    std::optional<TModalResult> answer;
    std::vector<int> kinds;
    const char* message;
  };
  const Byte forced = ekForcedPageBreak, locked = ekLockedPageBreak;
  const std::vector<Case> cases = {
      {"the break before the caret", forced, 2, mrYes, {}, nullptr},
      {"the break after the caret", forced, 0, mrYes, {}, nullptr},
      {"the writer says no", forced, 2, mrNo, {ekForcedPageBreak}, nullptr},
      {"no break beside the caret",
       forced,
       3,
       std::nullopt,
       {ekForcedPageBreak},
       "There is no Forced Page Break next to the Cursor."},
      {"a locked break in a locked script", locked, 2, mrYes, {}, nullptr},
      {"a locked break kept", locked, 0, mrNo, {ekLockedPageBreak}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start({{ekAction, "aaaa bbbb"}, {c.kind, " "}, {ekAction, "cccc dddd"}, {ekAction, "eeee"}});
    Window().PagesLocked = c.kind == locked ? 1 : 0;
    CaretAt(c.caretElement, 3);
    std::string message;
    if (c.answer) Press(*c.answer);
    else Press(mrOk, &message);
    RemoveForcedPageBreak(Window());
    EXPECT_EQ(BreakKinds(), c.kinds);
    EXPECT_EQ(message, c.message ? c.message : "");
    EXPECT_EQ(Driver().Pending(), 0);
    std::vector<std::string> texts;
    for (const ElementSpec& e : Elements())
      if (!IsPageBreakKind(e.kind)) texts.push_back(e.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"aaaa bbbb", "cccc dddd", "eeee"})) << "no text is lost";
  }
}

}  // namespace
}  // namespace qm::testing
