// Setting up the categories: the page's renames, hiding and resetting,
// what OK keeps; the category menu of tagging mode; the sheet layout.
#include "breakdown/category_setup_dialog.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "breakdown/category_menu.h"
#include "breakdown/sheet_layout_dialog.h"
#include "breakdown/tag_item_dialog.h"
#include "breakdown/tag_notation.h"
#include "breakdown/tagging.h"
#include "language/language_fixture.h"
#include "platform/menus.h"
#include "script/model/script_record.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::T;

constexpr int Crew = 4;
constexpr int Props = 14;

class CategorySetupTest : public testing::LanguageFixture {};

TEST_F(CategorySetupTest, RenamesAreRefusedForTheFixedOnesAndForNamesInUse) {
  struct Case {
    int row;
    std::string name;
    std::string code;
    std::string refusal;  // part of the message; empty when taken
  };
  const std::vector<Case> cases = {
      {2, "Actors", "AC", "You CANNOT edit either the Cast Member or Scene Description Categories"},
      {15, "Summary", "SU", "You CANNOT edit either"},
      {Crew, "&Stunts", "ZZ", "Stunts or ZZ is already in use by another Category!"},
      {Crew, "Grips", "vh", "Grips or vh is already in use by another Category!"},
      {Crew, "&Grips", "GRIPSANDMORE", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TCategorySetup setup;
    std::string message = setup.BeginEdit(c.row);
    if (message.empty()) message = setup.Replace(c.name, c.code);
    if (c.refusal.empty()) {
      EXPECT_EQ(message, "");
      EXPECT_EQ(setup.Rows[Crew].Caption, "&Grips");
      EXPECT_EQ(setup.Rows[Crew].Hint, "GRIPSA");
      EXPECT_TRUE(setup.Rows[Crew].Visible);  // a renamed category shows
      EXPECT_EQ(setup.Editing, -1);
    } else {
      EXPECT_NE(message.find(c.refusal), std::string::npos) << message;
      EXPECT_EQ(setup.Rows, CategoryMenus());  // nothing changed
    }
  }
}

TEST_F(CategorySetupTest, ThePageChangesNothingTillOkAndOkKeepsItInMenuAndSettings) {
  TCategorySetupDlg dialog(nullptr);
  ASSERT_EQ(dialog.EditList->Items.Count(), CategoryCount);
  EXPECT_FALSE(dialog.EditPanel->Visible());

  dialog.EditList->SetItemIndex(2);  // Cast Members
  ExpectMessage("You CANNOT edit either the Cast Member or Scene Description Categories");
  dialog.EditListDblClick();
  EXPECT_FALSE(dialog.EditPanel->Visible());

  dialog.EditList->SetItemIndex(Crew);
  dialog.EditListDblClick();
  ASSERT_TRUE(dialog.EditPanel->Visible());
  EXPECT_EQ(dialog.NameEdit->Text(), "Cre&w");
  dialog.CodeEdit->Text = "";
  EXPECT_FALSE(dialog.ReplaceBtn->Enabled());
  dialog.NameEdit->Text = "&Grips";
  dialog.CodeEdit->Text = "GR";  // Greenery's
  EXPECT_TRUE(dialog.ReplaceBtn->Enabled());
  ExpectMessage("Grips or GR is already in use by another Category!");
  dialog.ReplaceBtn->Click();
  EXPECT_TRUE(dialog.EditPanel->Visible());
  dialog.CodeEdit->Text = "GP";

  dialog.EditList->SetItemIndex(Props);
  dialog.HideShowBtn->Click();
  EXPECT_FALSE(dialog.Setup.Rows[Props].Visible);
  EXPECT_TRUE(CategoryMenus()[Props].Visible) << "the menu waits for OK";

  // OK takes the rename still pending in the panel.
  dialog.OKBtn->Click();
  EXPECT_EQ(dialog.ModalResult, mrOk);
  EXPECT_EQ(CategoryMenus()[Crew].Caption, "&Grips");
  EXPECT_EQ(CategoryMenus()[Crew].Hint, "GP");
  EXPECT_FALSE(CategoryMenus()[Props].Visible);
  TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadString("Categories", "Menu 4 Caption", ""), "&Grips");
  EXPECT_EQ(ini.ReadString("Categories", "Menu 14 Visible", ""), "0");

  TCategorySetupDlg again(nullptr);
  again.ResetBtn->Click();
  EXPECT_EQ(again.Setup.Rows, DefaultCategories());
}

TEST_F(CategorySetupTest, TheTagGloballyPageOpensTheCategoryPageAfterTheWarning) {
  TTagItemDlg tagPage(nullptr);
  ExpectMessage("it does NOT support renaming categories, so any tagged items will be exported to their ORIGINAL "
                "categories REGARDLESS of what you set  here!",
                "WARNING");
  Driver().Expect([](TForm& form) {
    auto& setup = dynamic_cast<TCategorySetupDlg&>(form);
    setup.EditList->SetItemIndex(Crew);
    setup.EditListDblClick();
    setup.NameEdit->Text = "&Grips";
    setup.OKBtn->Click();
  });
  tagPage.EditNamesBtn->Click();
  EXPECT_EQ(tagPage.CategoryGroup->Items[Crew], "Grips");
  EXPECT_EQ(CategoryMenus()[Crew].Caption, "&Grips");
}

TEST_F(CategorySetupTest, TheMenuShowsTheCategoriesInTwoColumnsAndTagsTheSelection) {
  TCategoryTable table = DefaultCategories();
  table[Crew].Caption = "&Grips";
  CategoryMenus() = table;
  Settings().TaggingUsed = 1;
  Add({{ekAction, "He lifts a gun."}});
  PlaceCaret(0, 0);
  ASSERT_TRUE(EnterTaggingMode(&Script()));
  Main().MenuItem("TaggingModeItem")->Checked = true;

  Element(0).blockStart = 11;
  Element(0).blockEnd = 14;
  EditFields(Script()).BlockOn = 1;
  TPopupMenu* shown = nullptr;
  Driver().ExpectPopup([&](TPopupMenu& menu) {
    shown = &menu;
    return menu.Items()->Items(Props);
  });
  Main().PopupCategoryMenu(Script(), 10, 10);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Name, "SelectMenu");
  EXPECT_EQ(shown->Items()->Count(), CategoryCount + 6);
  EXPECT_EQ(shown->Items()->Items(Crew)->Caption(), "&Grips");
  EXPECT_TRUE(shown->Items()->Items(Crew)->Visible() == table[Crew].Visible);
  // 22 categories and 6 more items show: the 15th shown starts column two.
  int shownCount = 0;
  for (int i = 0; i < shown->Items()->Count(); ++i) {
    const TMenuItem* item = shown->Items()->Items(i);
    if (item->Visible()) ++shownCount;
    EXPECT_EQ(item->Break() == TMenuBreak::mbBarBreak, item->Visible() && shownCount == 15) << i;
  }
  EXPECT_EQ(shownCount, 28);
  EXPECT_EQ(Script().EditBuffer(), T("He lifts a [ogun]."));
  EXPECT_FALSE(Script().BlockOn());
  LeaveTaggingMode();
}

TEST_F(CategorySetupTest, ABlockMarkedWithTheMouseInTaggingModeIsOfferedTheCategories) {
  Settings().TaggingUsed = 1;
  Add({{ekAction, "He lifts a gun."}});
  PlaceCaret(0, 14);
  Element(0).blockStart = 11;
  Element(0).blockEnd = 14;
  EditFields(Script()).BlockOn = 1;
  // Not in tagging mode: the block stays a block.
  Script().FormMouseUp(nullptr, TMouseButton::mbLeft, TShiftState(), 10, 10);
  EXPECT_TRUE(Script().BlockOn());
  ASSERT_TRUE(EnterTaggingMode(&Script()));
  Driver().ExpectPopup([](TPopupMenu& menu) { return menu.Items()->Items(Props); });
  Script().FormMouseUp(nullptr, TMouseButton::mbLeft, TShiftState(), 10, 10);
  EXPECT_EQ(Script().EditBuffer(), T("He lifts a [ogun]."));
  EXPECT_FALSE(Script().BlockOn());
  LeaveTaggingMode();
}

TEST_F(CategorySetupTest, DialogueIsNotTagged) {
  Settings().TaggingUsed = 1;
  Add({{ekDialogue, "Give me the gun."}});
  PlaceCaret(0, 0);
  Element(0).blockStart = 12;
  Element(0).blockEnd = 15;
  EditFields(Script()).BlockOn = 1;
  ExpectMessage("You CANNOT Tag items in Dialogue!");
  Main().PopupCategoryMenu(Script(), 10, 10);
  EXPECT_EQ(Script().EditBuffer(), "Give me the gun.");
}

TEST_F(CategorySetupTest, ACategoryDraggedToAnotherSquarePrintsThereAfterOk) {
  TSheetLayoutDlg dialog(nullptr);
  dialog.Titles[6]->Text = "CARS";
  TListBox* props = dialog.Squares[5];
  TListBox* stunts = dialog.Squares[1];
  ASSERT_EQ(props->Items.Count(), 1);
  EXPECT_EQ(props->Items[0], "Props");
  // Press on Props, move with the button held, let go over square 2.
  const TRect item = props->ItemRect(0);
  props->MouseDown(TMouseButton::mbLeft, TShiftState(ssLeft), item.Left + 4, item.Top + 2);
  props->MouseMove(TShiftState(ssLeft), item.Left + 20, item.Top + 2);
  const TPoint target = props->ScreenToClient(stunts->ClientToScreen(TPoint{10, 10}));
  props->MouseUp(TMouseButton::mbLeft, TShiftState(), target.X, target.Y);
  EXPECT_EQ(props->Items.Count(), 0);
  EXPECT_EQ(stunts->Items.IndexOf("Props"), 1);
  EXPECT_EQ(CategoryMenus()[Props].HelpContext, 6) << "the menu waits for OK";

  // A release over the same square moves nothing.
  const TRect first = stunts->ItemRect(0);
  stunts->MouseDown(TMouseButton::mbLeft, TShiftState(ssLeft), first.Left + 4, first.Top + 2);
  stunts->MouseMove(TShiftState(ssLeft), first.Left + 20, first.Top + 2);
  stunts->MouseUp(TMouseButton::mbLeft, TShiftState(), first.Left + 20, first.Top + 2);
  EXPECT_EQ(stunts->Items.Count(), 2);

  dialog.TakeTitles();
  dialog.Layout.Apply();
  EXPECT_EQ(CategoryMenus()[Props].HelpContext, 2);
  TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadString("Breakdown Sheets", "Title 7", ""), "CARS");
  EXPECT_EQ(ini.ReadString("Categories", "Menu 14 HelpContext", ""), "2");
}

}  // namespace
}  // namespace qm
