// The right panel's page buttons with Shift held: the block starts at the
// caret, or grows from where it was, to where the page command takes the
// caret; without Shift the block goes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/office_button.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"

namespace qm {
namespace {

// A block span as element number and columns.
struct TSpan {
  int element;
  int start;
  int end;
  bool operator==(const TSpan&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TSpan& s) {
  return out << "{" << s.element << ", " << s.start << ", " << s.end << "}";
}

class PageButtonsBlockTest : public testing::KeysFixture {
 protected:
  // 150 Actions of one line, paginated: several pages.
  void LoadPages(int current, int column) {
    std::vector<testing::ElementSpec> elements;
    for (int i = 0; i < 150; ++i) elements.push_back({ekAction, "Action " + std::to_string(i) + "."});
    Load(elements, current, column);
    W().RefreshKeepingCursor();
    RebuildScreen(&W());
    W().SetFocus();
  }
  TOfficeButton& Button(bool down) {
    TRightPanel& panel = MainForm->RightPanel();
    return *(down ? panel.PageDownBtn : panel.PageUpBtn);
  }
  // A click on a page button as the writer's mouse makes it.
  void ClickPage(bool down, TMouseButton button = TMouseButton::mbLeft, TShiftState shift = {}) {
    ClickAt(Button(down), 3, 3, button, shift);
  }
  // Which Action an element is, counted from 0 (page breaks left out).
  int IndexOf(const TScriptElement* e) {
    int i = 0;
    for (const TScriptElement* x = W().FirstElement; x && x != e; x = x->next)
      if (!IsPageBreakKind(x->Kind())) ++i;
    return i;
  }
  int CaretAction() { return IndexOf(W().CurrentElement()); }
  std::vector<TSpan> Spans() {
    std::vector<TSpan> spans;
    for (const editor::TBlockSpan& s : editor::BlockSpans(W()))
      if (s.start != s.end && !IsPageBreakKind(s.element->Kind()))
        spans.push_back({IndexOf(s.element), s.start, s.end});
    return spans;
  }
  // The first Action of the page after the one holding Action `from`.
  int PageTop(int from) {
    const TScriptElement* e = W().FirstElement;
    while (IndexOf(e) < from || IsPageBreakKind(e->Kind())) e = e->next;
    while (e->next && !IsPageBreakKind(e->Kind())) e = e->next;
    return IndexOf(e->next);
  }
  static int Length(int action) { return static_cast<int>(("Action " + std::to_string(action) + ".").size()); }
};

// Shift and a left click on Page Down: the block runs from the caret to
// the top of the next page, and a second click takes it a page further;
// a click without Shift takes the block away.
TEST_F(PageButtonsBlockTest, ShiftWithPageDownMarksTheTextPassed) {
  LoadPages(2, 3);
  ASSERT_TRUE(MainForm->RightScrollByScreen);
  const int next = PageTop(2);
  ASSERT_GT(next, 3);
  HoldKey(VK_SHIFT, TShiftState(ssShift));
  ClickPage(true);
  ASSERT_EQ(CaretAction(), next) << "the caret at the top of the next page";
  EXPECT_EQ(W().CurrentElement()->screenLine, 6) << "six lines down the window";
  std::vector<TSpan> spans = Spans();
  ASSERT_FALSE(spans.empty()) << "a block from the caret";
  EXPECT_EQ(spans.front(), (TSpan{2, 3, Length(2)}));
  EXPECT_EQ(spans.back(), (TSpan{next - 1, 0, Length(next - 1)})) << "to the end of the last Action before the break";
  EXPECT_EQ(static_cast<int>(spans.size()), next - 2);

  const int after = PageTop(next);
  ClickPage(true);
  ASSERT_EQ(CaretAction(), after);
  spans = Spans();
  ASSERT_FALSE(spans.empty());
  EXPECT_EQ(spans.front(), (TSpan{2, 3, Length(2)})) << "the block keeps its start";
  EXPECT_EQ(spans.back().element, after - 1);
  ReleaseKey(VK_SHIFT);

  ClickPage(true);
  EXPECT_FALSE(W().BlockOn()) << "a click without Shift";
  EXPECT_TRUE(Spans().empty());
}

// Shift with Page Up marks from the top of the caret's page down to the
// caret, and a second click from the top of the page before.
TEST_F(PageButtonsBlockTest, ShiftWithPageUpMarksBackToTheTopOfThePage) {
  LoadPages(0, 0);
  const int second = PageTop(0);
  const int caret = second + 2;
  LoadPages(caret, 4);
  HoldKey(VK_SHIFT, TShiftState(ssShift));
  ClickPage(false);
  ASSERT_EQ(CaretAction(), second) << "the top of the caret's page";
  EXPECT_EQ(Spans(),
            (std::vector<TSpan>{{second, 0, Length(second)}, {second + 1, 0, Length(second + 1)}, {caret, 0, 4}}));
  ClickPage(false);
  ReleaseKey(VK_SHIFT);
  ASSERT_EQ(CaretAction(), 0) << "the top of the first page";
  const std::vector<TSpan> spans = Spans();
  ASSERT_EQ(static_cast<int>(spans.size()), caret + 1) << "every Action up to the caret";
  EXPECT_EQ(spans.front(), (TSpan{0, 0, Length(0)}));
  EXPECT_EQ(spans.back(), (TSpan{caret, 0, 4})) << "up to the caret where it was";
}

// A right click on Page Down scrolls by a window; with Shift the block
// follows there too.
TEST_F(PageButtonsBlockTest, ShiftWithARightClickMarksTheWindowScrolled) {
  LoadPages(0, 2);
  ClickPage(true, TMouseButton::mbRight, TShiftState(ssShift));
  ASSERT_GT(CaretAction(), 0);
  const std::vector<TSpan> spans = Spans();
  ASSERT_FALSE(spans.empty()) << "Shift with the right button marks too";
  EXPECT_EQ(spans.front(), (TSpan{0, 2, Length(0)}));
  EXPECT_EQ(spans.back().element, CaretAction() - (W().CaretColumn() == 0 ? 1 : 0));
}

// A page step of the scroll bar (a click in its trough, a wheel turned in
// page mode) leaves the block as Page Down and Page Up do: Shift extends
// it from the caret, without Shift it goes, unless Alt is held, which
// keeps it growing as Shift does.
TEST_F(PageButtonsBlockTest, TheScrollBarsPageStepLeavesTheBlockAsThePageKeys) {
  const struct {
    const char* what;
    bool down;
    Word held;  // 0 for none
  } cases[] = {
      {"Page Down, nothing held", true, 0},     {"Page Down, Shift held", true, VK_SHIFT},
      {"Page Down, Alt held", true, VK_MENU},   {"Page Up, nothing held", false, 0},
      {"Page Up, Shift held", false, VK_SHIFT}, {"Page Up, Alt held", false, VK_MENU},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TShiftState shift = c.held == VK_SHIFT  ? TShiftState(ssShift)
                              : c.held == VK_MENU ? TShiftState(ssAlt)
                                                  : TShiftState();
    // Two lines marked, the key held down, then the page step.
    const auto step = [&](const std::function<void()>& page) {
      LoadPages(0, 0);
      TScriptElement* e = W().FirstElement;
      while (IndexOf(e) < 60 || IsPageBreakKind(e->Kind())) e = e->next;
      CaretAt(e, 2);
      SendKey(VK_DOWN, TShiftState(ssShift));
      SendKey(VK_DOWN, TShiftState(ssShift));
      ASSERT_EQ(Spans().front(), (TSpan{60, 2, Length(60)}));
      if (c.held) HoldKey(c.held, shift);
      page();
      if (c.held) ReleaseKey(c.held);
    };
    // The key with Shift where anything is held: Alt with the page keys is
    // another command.
    step([&] { SendKey(c.down ? VK_NEXT : VK_PRIOR, c.held ? TShiftState(ssShift) : TShiftState()); });
    const std::vector<TSpan> byKey = Spans();
    const int keyCaret = CaretAction();
    step([&] { MainForm->RightPanel().RightScroll->Scroll(c.down ? TScrollCode::scPageDown : TScrollCode::scPageUp); });
    EXPECT_EQ(CaretAction(), keyCaret) << "where the key takes the caret";
    EXPECT_EQ(Spans(), byKey);
    EXPECT_EQ(Spans().empty(), c.held == 0) << "the block went without Shift or Alt";
  }
}

}  // namespace
}  // namespace qm
