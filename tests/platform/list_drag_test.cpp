// Items dragged between list boxes with the mouse: where the drop lands,
// which lists can take it, and what is no drag at all.
#include "platform/list_drag.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qm
