// The Alt+Ctrl key overrides: the user key items take their short cuts
// and actions from the table, and a key given an action does it.
#include "shell/key_overrides.h"

#include <gtest/gtest.h>

#include "platform/menus.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/goto_page_dialog.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

// Slots of the table: Alt+A is 0, Ctrl+A is 26.
constexpr int Alt(char letter) { return letter - 'A'; }
constexpr int Ctrl(char letter) { return letter - 'A' + 26; }

// Actions of the override list.
enum : Word {
  NoOverride = 0,
  ActionElement = 1,
  DialogueElement = 3,
  SceneHeadingElement = 5,
  Title = 8,
  FirstSeparator = 10,
  DeleteBlock = 20,
  Backspace = 24,
  DeleteRightWord = 25,
  CutToEndOfLine = 28,
  EndOfLine = 38,
  BeyondTheList = 44,
};

class KeyOverridesTest : public testing::KeysFixture {
 protected:
  TMenuItem& Item(const std::string& name) { return *MainForm->MenuItem(name); }
  void Override(int slot, Word action) {
    ProgramOptions().KeyOverrideTable[static_cast<std::size_t>(slot)] = action;
    ApplyKeyOverrides();
  }
};

TEST_F(KeyOverridesTest, EachKeyItemTakesItsShortCutAndActionFromTheTable) {
  struct Case {
    const char* item;
    int slot;
    Word action;
    TShortCut key;
    int helpContext;
    const char* hint;
  } const cases[] = {
      {"UserKeyAItem", Alt('A'), DialogueElement, ShortCut('A', ssAlt), 0, "DialogueBtn"},
      {"UserKeyZItem", Alt('Z'), Backspace, ShortCut('Z', ssAlt), VK_BACK, ""},
      {"NullKeySItem", Ctrl('S'), SceneHeadingElement, ShortCut('S', ssCtrl), 'S', "C"},
      {"NullKeyTItem", Ctrl('T'), Title, ShortCut('T', ssCtrl), VK_F6, "S"},
      {"NullKeyAItem", Ctrl('A'), CutToEndOfLine, ShortCut('A', ssCtrl), 0, "CutToEolItem"},
      {"UserKeyBItem", Alt('B'), NoOverride, 0, 0, ""},
      {"UserKeyCItem", Alt('C'), FirstSeparator, 0, 0, ""},
      {"NullKeyDItem", Ctrl('D'), BeyondTheList, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    // An earlier action is replaced, or cleared, not kept.
    Override(c.slot, ActionElement);
    ASSERT_EQ(Item(c.item).HelpContext, VK_RETURN);
    Override(c.slot, c.action);
    EXPECT_EQ(Item(c.item).ShortCut(), c.key);
    EXPECT_EQ(Item(c.item).HelpContext, c.helpContext);
    EXPECT_EQ(Item(c.item).Hint, c.hint);
    Override(c.slot, NoOverride);
  }
}

TEST_F(KeyOverridesTest, AnOverriddenKeyDoesItsActionInsteadOfTheItemThatHadTheKey) {
  struct Case {
    const char* what;
    int slot;
    Word action;
    bool block;  // "Hello " marked first
    std::string text;
    int column;
  } const cases[] = {
      {"a key: End of Line on Ctrl+G, the Goto Page key", Ctrl('G'), EndOfLine, false, "Hello world", 11},
      {"a menu item: Delete Right Word on Alt+W", Alt('W'), DeleteRightWord, false, "world", 0},
      {"a button: Delete Block on Ctrl+K, the Keep Together key", Ctrl('K'), DeleteBlock, true, "world", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, "Hello world"}}, 0, 0);
    if (c.block) {
      W().CurrentElement()->blockStart = 0;
      W().CurrentElement()->blockEnd = 6;
      EditFields(W()).BlockOn = 1;
      MainForm->UpdateMenusAndButtons();
    }
    Override(c.slot, c.action);
    const Word letter = static_cast<Word>('A' + c.slot % 26);
    Press(letter, c.slot < 26 ? TShiftState(ssAlt) : TShiftState(ssCtrl));
    EXPECT_EQ(W().EditBuffer(), c.text);
    EXPECT_EQ(W().CaretColumn(), c.column);
    EXPECT_EQ(Driver().Pending(), 0);
    Override(c.slot, NoOverride);
  }
}

TEST_F(KeyOverridesTest, ClearingAnOverrideGivesTheKeyBackToItsItem) {
  Load({{ekAction, "Hello world"}}, 0, 0);
  Override(Ctrl('G'), EndOfLine);
  Override(Ctrl('G'), NoOverride);
  bool pageDialog = false;
  Driver().Expect([&pageDialog](TForm& form) {
    pageDialog = dynamic_cast<TGotoPgDlg*>(&form) != nullptr;
    form.ModalResult = mrCancel;
  });
  Press('G', TShiftState(ssCtrl));
  EXPECT_TRUE(pageDialog);
  EXPECT_EQ(W().CaretColumn(), 0);
}

TEST_F(KeyOverridesTest, TheOptionsDialogsOkAppliesTheChosenAction) {
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TSettingsDlg&>(form);
    auto* keys = dynamic_cast<TListBox*>(dialog.FindComponent("KeyList"));
    keys->SetItemIndex(Ctrl('E'));
    keys->OnClick(keys);
    dialog.List("KeyValueBox")->SetItemIndex(EndOfLine);
    dialog.List("KeyValueBox")->OnChange(nullptr);
    dialog.OKBtn->Click();
  });
  MainForm->MenuItem("ProgramSettingsItem")->Click();
  EXPECT_EQ(Item("NullKeyEItem").ShortCut(), ShortCut('E', ssCtrl));
  EXPECT_EQ(Item("NullKeyEItem").HelpContext, VK_END);
}

class KeyOverridesAtStartTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    InitialSettings = {{"Override Keys", std::to_string(Ctrl('E')), std::to_string(EndOfLine)},
                       {"Override Keys", std::to_string(Alt('Q')), std::to_string(DialogueElement)}};
    KeysFixture::SetUp();
  }
};

TEST_F(KeyOverridesAtStartTest, TheStoredOverridesAreAppliedAtStartUp) {
  EXPECT_EQ(MainForm->MenuItem("NullKeyEItem")->ShortCut(), ShortCut('E', ssCtrl));
  EXPECT_EQ(MainForm->MenuItem("NullKeyEItem")->HelpContext, VK_END);
  EXPECT_EQ(MainForm->MenuItem("UserKeyQItem")->ShortCut(), ShortCut('Q', ssAlt));
  EXPECT_EQ(MainForm->MenuItem("UserKeyQItem")->Hint, "DialogueBtn");
  EXPECT_EQ(MainForm->MenuItem("UserKeyRItem")->ShortCut(), 0) << "a key without an override keeps no short cut";
}

}  // namespace
}  // namespace qm
