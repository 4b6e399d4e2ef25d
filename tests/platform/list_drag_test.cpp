// Items dragged between list boxes with the mouse: where the drop lands,
// which lists can take it, and what is no drag at all.
#include "platform/list_drag.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/forms.h"
#include "platform/input.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class ListDragTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    form_ = new TForm(nullptr);
    form_->SetBounds(0, 0, 400, 300);
    // Two lists side by side, and a hidden one lying over the second.
    left_ = Add(10, {"A", "B", "C"});
    right_ = Add(200, {"X"});
    hidden_ = Add(200, {});
    hidden_->Visible = false;
    drag_.Dropped = [this](int from, int item, int to, TPoint at) { drops_.push_back({from, item, to, at.Y}); };
    drag_.Attach({hidden_, left_, right_});
    form_->Show();
  }
  void TearDown() override {
    delete form_;
    PlatformFixture::TearDown();
  }
  TListBox* Add(int x, const std::vector<std::string>& items) {
    auto* list = new TListBox(form_);
    list->SetParent(form_);
    list->SetBounds(x, 10, 150, 100);
    for (const auto& item : items) list->Items.Add(item);
    return list;
  }
  // A point of one list as a client point of another.
  static TPoint Over(TListBox& pressed, TListBox& target, TPoint p) {
    return pressed.ScreenToClient(target.ClientToScreen(p));
  }
  struct Drop {
    int from, item, to, y;
    bool operator==(const Drop&) const = default;
  };
  TForm* form_ = nullptr;
  TListBox *left_ = nullptr, *right_ = nullptr, *hidden_ = nullptr;
  TListDrag drag_;
  std::vector<Drop> drops_;
};

// Every list box, on every backend, selects the item under a press before
// the press's own handlers run; below the last item nothing changes.
TEST_F(ListDragTest, APressSelectsTheItemUnderItFirst) {
  TListBox& list = *right_;
  for (const char* item : {"Y", "Z"}) list.Items.Add(item);
  const int h = list.ItemHeight;
  int seenInHandler = -2;
  list.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { seenInHandler = list.ItemIndex(); };
  const struct {
    const char* what;
    int y;
    int selected;
  } cases[] = {{"the second item", h + 2, 1}, {"the third item", 2 * h + 2, 2}, {"below the items", 5 * h, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClickAt(list, 5, c.y);
    EXPECT_EQ(list.ItemIndex(), c.selected);
    EXPECT_EQ(seenInHandler, c.selected);
  }
}

TEST_F(ListDragTest, AReleaseOverAShowingListDropsThere) {
  const int h = left_->ItemHeight;
  DragAt(*left_, {5, h + 2}, Over(*left_, *right_, {5, 30}));
  DragAt(*left_, {5, 2 * h + 2}, {5, 40});  // within the list it started in
  EXPECT_EQ(drops_, (std::vector<Drop>{{1, 1, 2, 30}, {1, 2, 1, 40}})) << "never on the hidden list";
  EXPECT_TRUE(left_->Selected(2)) << "the pressed item is the one dragged";
  EXPECT_FALSE(left_->Selected(1));

  drops_.clear();
  ClickAt(*left_, 5, 2);                                           // no move: a click
  DragAt(*left_, {5, 3 * h + 20}, Over(*left_, *right_, {5, 5}));  // pressed below the items
  DragAt(*left_, {5, 2}, {5, 250});                                // released over no list
  drag_.CanDrop = [](int from, int to) { return from != to; };
  DragAt(*left_, {5, 2}, {5, 40});  // refused
  EXPECT_TRUE(drops_.empty());
  EXPECT_FALSE(drag_.Dragging());
}

TEST_F(ListDragTest, AReleaseOverNoListIsReportedWithItsScreenPoint) {
  struct Outside {
    int from, item;
    TPoint screen;
  };
  std::vector<Outside> outside;
  drag_.DroppedOutside = [&](int from, int item, TPoint screen) { outside.push_back({from, item, screen}); };
  drag_.CanDrop = [](int from, int to) { return from != to; };
  const int h = left_->ItemHeight;
  DragAt(*left_, {5, h + 2}, {5, 250});                    // below every list
  DragAt(*left_, {5, 2}, {5, 40});                         // over a list that refuses it
  DragAt(*left_, {5, 2}, Over(*left_, *right_, {5, 30}));  // over a list that takes it
  ClickAt(*left_, 5, 260);                                 // no drag at all
  ASSERT_EQ(outside.size(), 1u);
  EXPECT_EQ(outside[0].from, 1);
  EXPECT_EQ(outside[0].item, 1);
  const TPoint expected = left_->ClientToScreen({5, 250});
  EXPECT_EQ(outside[0].screen.X, expected.X);
  EXPECT_EQ(outside[0].screen.Y, expected.Y);
  EXPECT_EQ(drops_.size(), 1u) << "the drop on the other list still lands there";
}

// A list of many picks does as the desktop's: a click picks one item,
// Ctrl adds one or takes it away, Shift reaches from the last one clicked;
// a press on a picked item keeps the picks for a drag and, let go where it
// was, leaves that one alone picked. The arrow keys pick likewise, and
// pick nothing in a list with no items.
TEST_F(ListDragTest, AListOfManyPicksPicksAsTheDesktopDoes) {
  TListBox& list = *left_;
  list.Items.Add("D");
  list.MultiSelect = true;
  list.SetFocus();
  const int h = list.ItemHeight;
  const auto click = [&list, h](int row, TShiftState shift = {}) {
    ClickAt(list, 5, row * h + 2, TMouseButton::mbLeft, shift);
  };
  const struct {
    const char* what;
    std::function<void()> act;
    std::vector<bool> picked;
    int current;
  } steps[] = {
      {"a click", [&] { click(1); }, {false, true, false, false}, 1},
      {"Ctrl adds", [&] { click(3, TShiftState{ssCtrl}); }, {false, true, false, true}, 3},
      {"Ctrl takes away", [&] { click(1, TShiftState{ssCtrl}); }, {false, false, false, true}, 1},
      {"Shift reaches", [&] { click(3, TShiftState{ssShift}); }, {false, true, true, true}, 3},
      {"a drag keeps the picks",
       [&] {
         DragAt(list, {5, 2 * h + 2}, Over(list, *right_, {5, 5}));
       },
       {false, true, true, true},
       2},
      {"a press on a pick let go", [&] { click(2); }, {false, false, true, false}, 2},
      {"below the items", [&] { click(8); }, {false, false, true, false}, 2},
      {"Down", [] { SendKey(VK_DOWN); }, {false, false, false, true}, 3},
      {"Shift+Up", [] { SendKey(VK_UP, TShiftState{ssShift}); }, {false, false, true, true}, 2},
      {"Ctrl+Up moves on alone", [] { SendKey(VK_UP, TShiftState{ssCtrl}); }, {false, false, true, true}, 1},
      {"Ctrl+Space adds", [] { SendKey(VK_SPACE, TShiftState{ssCtrl}); }, {false, true, true, true}, 1},
      {"Up in an emptied list picks nothing",
       [&] {
         list.Clear();
         SendKey(VK_UP);
       },
       {},
       -1},
      {"Shift+Down then reaches from no item",
       [&] {
         for (const char* item : {"E", "F"}) list.Items.Add(item);
         SendKey(VK_DOWN, TShiftState{ssShift});
       },
       {true, false},
       0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    std::vector<bool> picked;
    for (int i = 0; i < list.Items.Count(); ++i) picked.push_back(list.Selected(i));
    EXPECT_EQ(picked, step.picked);
    EXPECT_EQ(list.ItemIndex(), step.current);
  }
  ASSERT_EQ(drops_.size(), 1u);
  EXPECT_EQ(drops_[0].item, 2) << "the drag began on the third item";
}

}  // namespace
}  // namespace qm
