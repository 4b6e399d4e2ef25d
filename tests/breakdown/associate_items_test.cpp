#include "breakdown/associate_items_dialog.h"

#include <gtest/gtest.h>

#include "breakdown/categories.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using Items = std::vector<std::string>;

class AssociateItemsTest : public testing::PlatformFixture {};

TEST_F(AssociateItemsTest, SelectedItemsBecomeTheNamesAssociationAndEmptyOnesGo) {
  TAssociateItemsDlg dialog(nullptr, true);
  dialog.Gathered.Items[rsSetDressing] = {"hay", "rake"};
  dialog.Gathered.Items[rsProps] = {"lamp"};
  const std::vector<TAssociationEntry> existing = {{"MILL", {{{"flour"}, 14, ieExtOnly}}}};
  dialog.Start({"BARN", "MILL", "barn"}, existing);
  ASSERT_EQ(dialog.NameList->Items.Count(), 2);  // no repeats
  EXPECT_FALSE(dialog.CategoryCombo->Items.IndexOf("Scene Description") >= 0);

  dialog.CategoryCombo->Text = "Set Dressing";
  dialog.CategoryChange();
  ASSERT_EQ(dialog.ItemList->Items.Count(), 2);
  dialog.IntExtGroup->SetItemIndex(ieBoth);
  dialog.ItemList->SetSelected(1, true);
  dialog.ItemClick();

  // MILL's Props show its item, though the script has no flour tagged.
  dialog.NameList->SetItemIndex(1);
  dialog.CategoryCombo->Text = "Props";
  dialog.CategoryChange();
  EXPECT_EQ(dialog.IntExtGroup->ItemIndex(), ieExtOnly);
  ASSERT_EQ(dialog.ItemList->Items.Count(), 2);
  EXPECT_TRUE(dialog.ItemList->Selected(dialog.ItemList->Items.IndexOf("flour")));
  // Unselecting it leaves MILL with nothing: it goes on OK.
  dialog.ItemList->SetSelected(dialog.ItemList->Items.IndexOf("flour"), false);
  dialog.ItemClick();

  const std::vector<TAssociationEntry> result = dialog.Result();
  ASSERT_EQ(result.size(), 1u);
  EXPECT_EQ(result[0].Name, "BARN");
  ASSERT_EQ(result[0].Chain.size(), 1u);
  EXPECT_EQ(result[0].Chain[0].Items, Items{"rake"});
  EXPECT_EQ(result[0].Chain[0].Category, 17);
  EXPECT_EQ(result[0].Chain[0].IntExt, ieBoth);
}

}  // namespace
}  // namespace qm
