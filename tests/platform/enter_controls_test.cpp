// Enter, Up and Down move between the fields of a form.
#include <gtest/gtest.h>

#include "platform/enter_controls.h"
#include "platform/forms.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class EnterControlsTest : public testing::PlatformFixture {};

TEST_F(EnterControlsTest, EnterAndTheArrowsMoveToTheNextAndPreviousField) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* first = MakeControl<TEnterEdit>(&form, &form, "First", 10, 10, 100, 20);
  auto* combo = MakeControl<TEnterComboBox>(&form, &form, "Combo", 10, 40, 100, 20);
  auto* last = MakeControl<TEnterEdit>(&form, &form, "Last", 10, 70, 100, 20);
  for (TWinControl* c : std::initializer_list<TWinControl*>{first, combo, last}) c->TabStop = true;
  combo->TabOrder = 1;
  last->TabOrder = 2;
  combo->Items.Add("One");
  combo->Items.Add("Two");
  combo->SetItemIndex(0);
  form.Show();
  first->SetFocus();

  char enter = '\r';
  EXPECT_TRUE(first->DoKeyPress(enter)) << "Enter is swallowed";
  EXPECT_TRUE(combo->Focused());
  Word down = VK_DOWN;
  EXPECT_TRUE(combo->DoKeyDown(down, {}));
  EXPECT_TRUE(last->Focused());
  EXPECT_EQ(combo->ItemIndex(), 0) << "Down moved on instead of choosing";
  Word up = VK_UP;
  last->DoKeyDown(up, {});
  EXPECT_TRUE(combo->Focused());
  char letter = 'x';
  EXPECT_FALSE(first->DoKeyPress(letter)) << "other keys go on as usual";
}

// Enter in the last field goes round to the first, and Down there too;
// Up in the first goes to the last.
TEST_F(EnterControlsTest, EnterInTheLastFieldWrapsToTheFirst) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* first = MakeControl<TEnterEdit>(&form, &form, "First", 10, 10, 100, 20);
  auto* middle = MakeControl<TEnterEdit>(&form, &form, "Middle", 10, 40, 100, 20);
  auto* last = MakeControl<TEnterEdit>(&form, &form, "Last", 10, 70, 100, 20);
  for (TWinControl* c : std::initializer_list<TWinControl*>{first, middle, last}) c->TabStop = true;
  middle->TabOrder = 1;
  last->TabOrder = 2;
  form.Show();
  last->SetFocus();
  char enter = '\r';
  EXPECT_TRUE(last->DoKeyPress(enter));
  EXPECT_TRUE(first->Focused());
  last->SetFocus();
  Word down = VK_DOWN;
  last->DoKeyDown(down, {});
  EXPECT_TRUE(first->Focused());
  Word up = VK_UP;
  first->DoKeyDown(up, {});
  EXPECT_TRUE(last->Focused());
}

}  // namespace
}  // namespace qm
