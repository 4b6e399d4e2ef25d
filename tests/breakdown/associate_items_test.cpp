#include "breakdown/associate_items_dialog.h"

#include <gtest/gtest.h>

#include "breakdown/categories.h"
#include "breakdown/associations.h"
#include "platform/controls.h"
#include "platform/dialog_builder.h"
#include "support/message_box_answers.h"
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

// The file keeps a chain's items joined by commas: an item holding one
// would come back as two, so none is ever taken in.
TEST_F(AssociateItemsTest, AnItemHoldingACommaIsRefusedNeverSplit) {
  TAssociateItemsDlg dialog(nullptr, false);
  dialog.Gathered.Items[rsCostumes] = {"hat, red", "coat"};
  dialog.Start({"BOB"}, {});
  dialog.CategoryCombo->Text = "Costumes";
  dialog.CategoryChange();
  const struct {
    const char* added;  // typed into "Add New"; null: a click on `clicked`
    const char* clicked;
    bool refused;
    Items kept;
  } steps[] = {
      {"scarf, blue", nullptr, true, {}},
      {nullptr, "hat, red", true, {}},
      {nullptr, "coat", false, {"coat"}},
      {"scarf", nullptr, false, {"coat", "scarf"}},
  };
  for (const auto& step : steps) {
    const std::string item = step.added ? step.added : step.clicked;
    SCOPED_TRACE(item);
    const std::string refusal = "A breakdown item cannot hold a comma: \"" + item + "\"";
    if (step.added) {
      const std::string typed = step.added;
      Driver().Expect([typed](TForm& form) {
        DialogControl<TEdit>(form, "ItemEdit")->Text = typed;
        form.ModalResult = mrOk;
      });
      if (step.refused) testing::AnswerMessageBox(Driver(), refusal, mrOk);
      dialog.AddNewBtn->Click();
      EXPECT_EQ(dialog.ItemList->Items.IndexOf(typed) >= 0, !step.refused);
    } else {
      if (step.refused) testing::AnswerMessageBox(Driver(), refusal, mrOk);
      dialog.ItemList->SetSelected(dialog.ItemList->Items.IndexOf(step.clicked), true);
      dialog.ItemClick();
      EXPECT_FALSE(step.refused && dialog.ItemList->Selected(dialog.ItemList->Items.IndexOf(step.clicked)));
    }
    const std::vector<TAssociationEntry> result = dialog.Result();
    const Items kept = result.empty() ? Items{} : result[0].Chain.at(0).Items;
    EXPECT_EQ(kept, step.kept);
    // What the file gives back is what was kept.
    TAssociationLists lists;
    lists.Characters = result;
    EXPECT_EQ(ReadAssociations(WriteAssociations(lists)), lists);
  }
}

}  // namespace
}  // namespace qm
