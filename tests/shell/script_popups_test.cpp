// The script window's block menu: a right click in the script shows it,
// its items are enabled by whether a block is marked, and each choice
// runs the main window's command.
#include <gtest/gtest.h>

#include "base/program_options.h"
#include "platform/clipboard.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/script_popups.h"
#include "support/program_fixture.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

class ScriptPopupsTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    MainForm->UsePowerPanel = false;
  }
  void TypeWords() {
    Script().SetFocus();
    TypeText("Some words here");
  }
  void MarkAll() {
    Script().CurrentElement()->blockStart = 0;
    Script().CurrentElement()->blockEnd = static_cast<int>(Script().EditBuffer().size());
    EditFields(Script()).BlockOn = 1;
    MainForm->UpdateMenusAndButtons();
  }
  TMenuItem* Item(const char* name) {
    TMenuItem* item = MainForm->ScriptPopups().PopupItem(name);
    EXPECT_NE(item, nullptr) << name;
    return item;
  }
  // A right click in the script, the item of that name chosen.
  void RightClickAndChoose(const char* name, std::vector<std::string>* enabled = nullptr) {
    Driver().ExpectPopup([this, name, enabled](TPopupMenu& menu) -> TMenuItem* {
      if (enabled) {
        for (int i = 0; i < menu.Items()->Count(); ++i)
          if (menu.Items()->Items(i)->Enabled() && !menu.Items()->Items(i)->IsLine())
            enabled->push_back(menu.Items()->Items(i)->Name);
      }
      return name ? Item(name) : nullptr;
    });
    ClickAt(Script(), 60, 10, TMouseButton::mbRight);
  }
};

TEST_F(ScriptPopupsTest, ItemsAreEnabledByWhetherABlockIsMarked) {
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->Close();
  TypeWords();
  MainForm->UpdateMenusAndButtons();
  std::vector<std::string> without;
  RightClickAndChoose(nullptr, &without);
  EXPECT_EQ(without, (std::vector<std::string>{"SelectWordItem", "SelectSentenceItem", "SelectElementItem",
                                               "SelectGroupItem", "SelectPageItem", "SelectSceneItem", "SelectAllItem",
                                               "SceneRange1", "ExtendBlock1", "ConvertCase1"}))
      << "no block and nothing to paste: the Select items, the scene range and Extend Selection";

  MarkAll();
  std::vector<std::string> with;
  RightClickAndChoose(nullptr, &with);
  EXPECT_EQ(with, (std::vector<std::string>{"TurnoffBlockItem", "ExtendBlock1", "CutItem", "CopyItem", "DeleteItem",
                                            "CopytoItem", "CuttoItem", "ConvertCase1"}))
      << "a block: Turn off Block, Extend Selection, the clipboard commands, Copy to and Cut to";
}

// Scene Range and Extend Selection open the range dialog with its question.
TEST_F(ScriptPopupsTest, TheRangeItemsOpenTheRangeDialog) {
  Script().SetFocus();
  TypeText("INT. HALL - DAY");
  SendKey(VK_RETURN);  // a heading with its time of day: no menu
  TypeText("He waits.");
  ASSERT_EQ(Script().FirstElement->Kind(), ekSceneHeading);
  MainForm->UpdateMenusAndButtons();
  for (const auto& [item, caption] : {std::pair{"SceneRange1", "Select Range of Scenes for Blocking"},
                                      std::pair{"ExtendBlock1", "Select how to extend Block"}}) {
    SCOPED_TRACE(item);
    std::string shown;
    Driver().ExpectPopup([this, name = item](TPopupMenu&) { return Item(name); }, item);
    Driver().Expect(
        [&shown](TForm& form) {
          shown = form.Caption;
          form.ModalResult = mrCancel;
        },
        caption);
    ClickAt(Script(), 60, 10, TMouseButton::mbRight);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(shown, caption);
  }
}

TEST_F(ScriptPopupsTest, EachChoiceRunsItsCommand) {
  TypeWords();
  MainForm->UpdateMenusAndButtons();
  RightClickAndChoose("SelectAllItem");
  EXPECT_TRUE(Script().BlockOn()) << "Select All marked the script";
  RightClickAndChoose("TurnoffBlockItem");
  EXPECT_FALSE(Script().BlockOn());

  RightClickAndChoose("SelectAllItem");
  RightClickAndChoose("Uppercase1");
  EXPECT_EQ(Script().EditBuffer(), "SOME WORDS HERE");

  RightClickAndChoose("SelectAllItem");
  RightClickAndChoose("CopyItem");
  EXPECT_EQ(Clipboard()->AsText(), "SOME WORDS HERE\r\n");

  MainForm->UpdateMenusAndButtons();
  const std::size_t before = Script().EditBuffer().size();
  RightClickAndChoose("PasteItem");
  EXPECT_GT(Script().EditBuffer().size(), before) << "the copied words pasted at the caret";
}

}  // namespace
}  // namespace qm
