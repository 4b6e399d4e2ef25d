// Override > Element's Numbering on a small locked script: each choice of
// the "Change Scene Type" page and the numbers the headings show after it.
#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "formats/page_type_dialog.h"
#include "formats/script_locking.h"
#include "script/editing/position_texts.h"
#include "script/pagination/numbering.h"

namespace qm::testing {
namespace {

class SceneNumberingTypeTest : public DraftsFixture {
 protected:
  // Scenes 1 and 2, an A-scene put in after scene 2, scene 3; the scene
  // numbers locked.
  void StartLocked() {
    // clang-format off
    Start({{ekSceneHeading, "INT. A"}, {ekAction, "a"}, {ekSceneHeading, "INT. B"}, {ekAction, "b"},
           {ekASceneHeading, "INT. B2"}, {ekAction, "x"}, {ekSceneHeading, "INT. C"}, {ekAction, "c"}});
    // clang-format on
    TLockChoices choices;
    choices.pages = TCheckBoxState::cbUnchecked;
    choices.headers = false;
    LockScript(Window(), choices);
  }
  // Answers the dialog with `choice` (and a typed number), noting which
  // choice it offered first.
  void Choose(int choice, std::string typed, int* offered) {
    Driver().Expect([choice, typed, offered](TForm& form) {
      auto& dialog = dynamic_cast<TWhichPageTypeDlg&>(form);
      EXPECT_EQ(dialog.Caption(), "Change Scene Type");
      EXPECT_EQ(dialog.SceneTypeGroup->Items.Count(), 7);
      *offered = dialog.SceneTypeGroup->ItemIndex();
      dialog.SceneTypeGroup->SetItemIndex(choice);
      if (!typed.empty()) dialog.SceneNumberEdit->Text = typed;
      form.ModalResult = mrOk;
    });
  }
  // The heading's number as the status line and lists show it, the letter
  // placed by its lock flag.
  std::string PlacedNumber(int element) const { return SceneNumberText(Window(), *ElementNo(element)); }
};

TEST_F(SceneNumberingTypeTest, EachChoiceNumbersTheHeadingAtTheCaret) {
  constexpr int B = 2, B2 = 4, C = 6;
  struct Case {
    const char* what;
    int heading;
    int choice;
    const char* typed;
    int offered;
    bool overridden;
    std::vector<std::string> numbers;
    const char* placed;  // the heading's placed number after; nullptr: not looked at
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"no number for a locked scene", B, stNoNumbering, "", stLocked, true, {"1", "", "1A", "3"}, ""},
      {"no number for the last scene", C, stNoNumbering, "", stLocked, true, {"1", "2", "2A", ""}, ""},
      {"an A-scene numbered normally", B2, stNormal, "", stNormal, false, {"1", "2", "3", "3"}, "3"},
      {"an A-scene locked", B2, stLocked, "", stNormal, true, {"1", "2", "2A", "3"}, "A2"},
      {"an A-scene locked with its letter flipped", B2, stFlippedLocked, "", stNormal, true, {"1", "2", "2A", "3"},
       "2A"},
      {"a locked scene with its number flipped", B, stFlippedLocked, "", stLocked, true, {"1", "2", "2A", "3"}, "2"},
      {"an A-scene multi-locked under scene 2", B2, stMultiLocked, "", stNormal, false, {"1", "2", "2-", "3"},
       nullptr},
      {"a number typed in", B2, stManual, "7", stNormal, true, {"1", "2", "7", "3"}, "7"},
      {"a number and letter typed in", B2, stManual, "5c", stNormal, true, {"1", "2", "5C", "3"}, "C5"},
      {"the order flipped on an A-scene", B2, stFlipOrder, "", stNormal, true, {"1", "2", "2A", "3"}, "2A"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartLocked();
    ASSERT_EQ(SceneNumbers(), (std::vector<std::string>{"1", "2", "2A", "3"}));
    CaretAt(c.heading, 0);
    int offered = -1;
    Choose(c.choice, c.typed, &offered);
    EXPECT_EQ(ChangeSceneNumberingType(Window()), c.overridden);
    EXPECT_EQ(offered, c.offered);
    EXPECT_EQ(SceneNumbers(), c.numbers);
    if (c.placed) {
      EXPECT_EQ(PlacedNumber(c.heading), c.placed);
    }
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(SceneNumberingTypeTest, FlippingTwiceGivesTheOrderBackAndTheDialogOffersWhatTheHeadingHas) {
  StartLocked();
  constexpr int B2 = 4;
  int offered = -1;
  CaretAt(B2, 0);
  Choose(stLocked, "", &offered);
  ChangeSceneNumberingType(Window());
  const Word locked = ElementNo(B2)->format.NumberWord;
  ASSERT_TRUE(number_word::Locked(locked));
  EXPECT_EQ(PlacedNumber(B2), "A2");

  CaretAt(B2, 0);
  Choose(stFlipOrder, "", &offered);
  ChangeSceneNumberingType(Window());
  EXPECT_EQ(offered, stLocked);
  EXPECT_FALSE(number_word::Locked(ElementNo(B2)->format.NumberWord));
  EXPECT_EQ(PlacedNumber(B2), "2A");

  CaretAt(B2, 0);
  Choose(stFlipOrder, "", &offered);
  ChangeSceneNumberingType(Window());
  EXPECT_EQ(offered, stFlippedLocked);
  EXPECT_EQ(ElementNo(B2)->format.NumberWord, locked);
  EXPECT_EQ(PlacedNumber(B2), "A2");

  // Left without a number, it stays so through a new layout and is offered
  // as such; Normal numbers it again.
  constexpr int B = 2;
  CaretAt(B, 0);
  Choose(stNoNumbering, "", &offered);
  ChangeSceneNumberingType(Window());
  Repaginate();
  EXPECT_EQ(SceneNumbers(), (std::vector<std::string>{"1", "", "2A", "3"})) << "the locked A-scene keeps its number";
  CaretAt(B, 0);
  Choose(stNormal, "", &offered);
  ChangeSceneNumberingType(Window());
  EXPECT_EQ(offered, stNoNumbering);
  EXPECT_EQ(SceneNumbers(), (std::vector<std::string>{"1", "2", "2A", "3"}));
  EXPECT_EQ(Driver().Pending(), 0);
}

// Numbers are typed as the script shows them, from its starting scene
// number; what is stored is the count, so an unchanged number stays.
TEST_F(SceneNumberingTypeTest, ATypedNumberIsTakenAsShownFromTheStartingSceneNumber) {
  constexpr int B = 2;
  const struct {
    const char* typed;  // empty: the number the dialog offers, unchanged
    bool taken;
    std::vector<std::string> numbers;
  } cases[] = {
      {"", true, {"11", "12", "12A", "13"}},
      {"17", true, {"11", "17", "17A", "13"}},
      {"10", false, {"11", "12", "12A", "13"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    StartLocked();
    Window().SceneStart = 10;
    Repaginate();
    ASSERT_EQ(SceneNumbers(), (std::vector<std::string>{"11", "12", "12A", "13"}));
    CaretAt(B, 0);
    int offered = -1;
    Choose(stManual, c.typed, &offered);
    std::string message;
    if (!c.taken) Press(mrOk, &message);
    EXPECT_EQ(ChangeSceneNumberingType(Window()), c.taken);
    EXPECT_EQ(message, c.taken ? "" : std::string(c.typed) + " is NOT a Valid Number!");
    Repaginate();
    EXPECT_EQ(SceneNumbers(), c.numbers);
  }
}

}  // namespace
}  // namespace qm::testing
