#include "story/card_shuffle.h"

#include <gtest/gtest.h>

#include "files/undo_ring.h"
#include "script/script_window.h"
#include "story/cards_fixture.h"
#include "support/message_box_answers.h"
#include "support/script_generator.h"

namespace qm {
namespace {

using testing::ElementSpec;

class CardShuffleTest : public testing::CardsFixture {
 protected:
  void LoadScenes(int scenes) {
    LoadRooms(scenes);
    load_ = LoadCardTable(Script(), table_, {});
  }
  // The table's order as the original card numbers.
  std::vector<int> Order() {
    std::vector<int> order;
    for (int k = 1; k <= table_.Count(); ++k) order.push_back(IndexOf(table_[k].first) / 2 + 1);
    return order;
  }
  void Pick(std::initializer_list<int> cards) {
    for (int c : cards) ASSERT_EQ(PickCard(selection_, table_, c, false), TPickResult::Picked);
  }
  TCardTable table_;
  TCardSelection selection_;
  TCardLoad load_;
};

TEST_F(CardShuffleTest, DroppingMovesThePickedCardsInFrontOfTheTargetInPickingOrder) {
  const struct {
    const char* name;
    std::vector<int> picked;
    int target;
    std::vector<int> order;
  } cases[] = {
      {"one card back", {4}, 2, {1, 4, 2, 3, 5}},
      {"a card on its successor swaps them", {2}, 3, {1, 3, 2, 4, 5}},
      {"picking order is kept", {5, 2}, 1, {5, 2, 1, 3, 4}},
      {"past the last card", {1}, 6, {2, 3, 4, 5, 1}},
      {"onto a picked card nothing moves", {2, 3}, 3, {1, 2, 3, 4, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadScenes(5);
    selection_.Clear();
    for (int p : c.picked) Pick({p});
    EXPECT_TRUE(DropCards(table_, selection_, c.target, nullptr));
    EXPECT_EQ(Order(), c.order);
    EXPECT_EQ(selection_.Count(), 0);
  }
}

TEST_F(CardShuffleTest, RefusedPicksAndDropsChangeNothing) {
  LoadScenes(5);
  // beyond the cards
  EXPECT_EQ(PickCard(selection_, table_, 6, false), TPickResult::NoCard);
  Pick({3});
  EXPECT_FALSE(DropCards(table_, selection_, 7, nullptr));
  // the last card dropped on the gap after it has no successor to swap
  selection_.Clear();
  Pick({5});
  EXPECT_FALSE(DropCards(table_, selection_, 6, nullptr));
  EXPECT_EQ(Order(), (std::vector<int>{1, 2, 3, 4, 5}));
  // picking a card again puts it back
  selection_.Clear();
  Pick({2, 4});
  EXPECT_EQ(PickCard(selection_, table_, 2, false), TPickResult::Dropped);
  EXPECT_EQ(selection_.Slots[0], 4);
  EXPECT_EQ(selection_.Count(), 1);
  // a print range may name one card twice
  EXPECT_EQ(PickCard(selection_, table_, 4, true), TPickResult::Picked);
  EXPECT_EQ(selection_.Count(), 2);
}

TEST_F(CardShuffleTest, ASixteenthPickIsRefused) {
  LoadScenes(16);
  for (int c = 1; c <= 15; ++c) Pick({c});
  testing::AnswerMessageBox(Driver(), "You can ONLY shuffle a maximum of 15 cards at a time!", mrOk);
  EXPECT_EQ(PickCard(selection_, table_, 16, false), TPickResult::Full);
  EXPECT_EQ(selection_.Count(), 15);
}

TEST_F(CardShuffleTest, TheScriptTakesTheNewOrderAsOneUndoStep) {
  Load({{ekAction, "FADE IN:"},
        {ekSceneHeading, "INT. A"},
        {ekAction, "a"},
        {ekSceneHeading, "INT. B"},
        {ekCharacterName, "BOB"},
        {ekDialogue, "b"},
        {ekSceneHeading, "INT. C"}});
  const std::string before = Dump();
  load_ = LoadCardTable(Script(), table_, {});
  Pick({3});
  ASSERT_TRUE(DropCards(table_, selection_, 1, nullptr));
  ApplyCardOrder(Script(), table_, 1);
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, "FADE IN:"},
                                                                     {ekSceneHeading, "INT. C"},
                                                                     {ekSceneHeading, "INT. A"},
                                                                     {ekAction, "a"},
                                                                     {ekSceneHeading, "INT. B"},
                                                                     {ekCharacterName, "BOB"},
                                                                     {ekDialogue, "b"}}));
  EXPECT_EQ(IndexOf(Script().CurrentElement()), 1);
  EXPECT_TRUE(Script().DocumentModified);
  ASSERT_TRUE(UndoObject->UndoIsAvailable());
  UndoObject->Undo();
  EXPECT_EQ(Dump(), before);
}

TEST_F(CardShuffleTest, ReversingEveryCardAndBackGivesTheSameScriptByteForByte) {
  Load(testing::GenerateScreenplay(33, 20));
  // The script without its automatic page breaks: where the pagination
  // puts them may follow its memo of earlier splits.
  const auto content = [this] {
    Script().RejoinSplitElements();
    const std::string dump = Dump();
    Script().RefreshKeepingCursor();
    return dump;
  };
  const std::string before = content();
  for (int pass = 0; pass < 2; ++pass) {
    load_ = LoadCardTable(Script(), table_, {});
    const int count = table_.Count();
    ASSERT_GT(count, 15);
    // Each last card in turn goes to the front of the cards still in order.
    for (int k = 1; k < count; ++k) {
      selection_.Clear();
      Pick({count});
      ASSERT_TRUE(DropCards(table_, selection_, k, nullptr));
    }
    ApplyCardOrder(Script(), table_, 0);
    if (pass == 0) {
      EXPECT_NE(content(), before);
    }
  }
  EXPECT_EQ(content(), before);
}

}  // namespace
}  // namespace qm
