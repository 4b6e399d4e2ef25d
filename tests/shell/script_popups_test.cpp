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

namespace qm {
namespace {

class ScriptPopupsTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    MouseMenu = false;
  }
  void TypeWords() {
    Script().SetFocus();
    TypeText("Some words here");
  }
  void MarkAll() {
    Script().CurrentElement->blockStart = 0;
    Script().CurrentElement->blockEnd = static_cast<int>(Script().EditBuffer.size());
    Script().BlockOn = 1;
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
                                               "SelectGroupItem", "SelectPageItem", "SelectSceneItem",
                                               "SelectAllItem", "ConvertCase1"}))
      << "no block and nothing to paste: the Select items";

  MarkAll();
  std::vector<std::string> with;
  RightClickAndChoose(nullptr, &with);
  EXPECT_EQ(with, (std::vector<std::string>{"TurnoffBlockItem", "CutItem", "CopyItem", "DeleteItem", "CopytoItem",
                                            "CuttoItem", "ConvertCase1"}))
      << "a block: Turn off Block, the clipboard commands, Copy to and Cut to";
  EXPECT_FALSE(Item("SceneRange1")->Enabled()) << "the range dialog is not there yet";
  EXPECT_FALSE(Item("ExtendBlock1")->Enabled());
}

TEST_F(ScriptPopupsTest, EachChoiceRunsItsCommand) {
  TypeWords();
  MainForm->UpdateMenusAndButtons();
  RightClickAndChoose("SelectAllItem");
  EXPECT_TRUE(Script().BlockOn) << "Select All marked the script";
  RightClickAndChoose("TurnoffBlockItem");
  EXPECT_FALSE(Script().BlockOn);

  RightClickAndChoose("SelectAllItem");
  RightClickAndChoose("Uppercase1");
  EXPECT_EQ(Script().EditBuffer, "SOME WORDS HERE");

  RightClickAndChoose("SelectAllItem");
  RightClickAndChoose("CopyItem");
  EXPECT_EQ(Clipboard()->AsText(), "SOME WORDS HERE\r\n");

  MainForm->UpdateMenusAndButtons();
  const std::size_t before = Script().EditBuffer.size();
  RightClickAndChoose("PasteItem");
  EXPECT_GT(Script().EditBuffer.size(), before) << "the copied words pasted at the caret";
}

}  // namespace
}  // namespace qm
