// In tagging mode a block marked with Shift and the arrow keys is offered
// the breakdown categories when Shift is let go; any other key let go, or
// Shift let go outside tagging mode or with nothing marked, offers nothing.
#include <gtest/gtest.h>

#include <string>

#include "breakdown/categories.h"
#include "breakdown/tagging.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {
namespace {

constexpr int Props = 14;

std::string Tagged(int category, const std::string& item) {
  return std::string(1, static_cast<char>(TagCodeOfCategory(category))) + item + "\x01";
}

class TaggingKeyUpTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    InitialSettings.push_back({"Breakdowns", "Checked Code Usage", "1"});
    KeysFixture::SetUp();
  }
  // The caret after "gun" in "He lifts a gun.", tagging mode on or off.
  void Start(bool tagging) {
    Load({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "He lifts a gun."}}, 1, 14);
    editor::ClearBlock(W(), false);
    W().SetFocus();
    if (tagging != TaggingModeOn()) MainForm->MenuItem("TaggingModeItem")->Click();
    ASSERT_EQ(TaggingModeOn(), tagging);
    W().SetFocus();
  }
  // Shift held and Left pressed `lefts` times with it.
  void MarkWithShift(int lefts) {
    HoldKey(VK_SHIFT, TShiftState(ssShift));
    for (int i = 0; i < lefts; ++i) SendKey(VK_LEFT, TShiftState(ssShift));
  }
  // The next pop-up menu must be the categories; Props is chosen.
  void ExpectCategories(bool* shown) {
    Driver().ExpectPopup(
        [shown](TPopupMenu& menu) -> TMenuItem* {
          *shown = true;
          for (int i = 0; i < menu.Items()->Count(); ++i)
            if (menu.Items()->Items(i)->Caption() == "&Props") return menu.Items()->Items(i);
          return nullptr;
        },
        "the breakdown categories");
  }
};

// Marked with Shift+Left and tagged as a prop when Shift is let go; the
// arrows' own key-ups on the way offered nothing.
TEST_F(TaggingKeyUpTest, LettingGoOfShiftOffersTheCategories) {
  Start(true);
  MarkWithShift(3);
  EXPECT_EQ(Driver().Pending(), 0);
  ASSERT_TRUE(W().BlockOn()) << "the word is marked";
  bool shown = false;
  ExpectCategories(&shown);
  ReleaseKey(VK_SHIFT);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(W().EditBuffer(), "He lifts a " + Tagged(Props, "gun") + ".");
  EXPECT_FALSE(W().BlockOn()) << "the highlight goes with the menu";
}

// No menu: tagging mode off, or nothing marked. (An unexpected menu fails
// the test at once.)
TEST_F(TaggingKeyUpTest, NothingIsOfferedOutsideTagging) {
  const struct {
    const char* what;
    bool tagging;
    int lefts;
  } cases[] = {{"tagging mode off", false, 3}, {"nothing marked", true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Start(c.tagging);
    MarkWithShift(c.lefts);
    ReleaseKey(VK_SHIFT);
    EXPECT_EQ(W().EditBuffer(), "He lifts a gun.");
    EXPECT_EQ(W().BlockOn() != 0, c.lefts > 0) << "the block stays as it was";
  }
}

}  // namespace
}  // namespace qm
