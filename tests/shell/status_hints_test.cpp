// The status line's hint: the pointer resting on a control with a hint,
// or a menu item highlighted, puts the hint's long part in the line while
// the hints are on; a hint too wide for the line turns round.
#include <gtest/gtest.h>

#include <string>

#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"

namespace qm {
namespace {

class StatusHintsTest : public testing::KeysFixture {
 protected:
  TStatusLine& S() { return MainForm->StatusLine(); }
  std::string Line() { return S().HintLine->Caption(); }
  TControl& Control(const char* name) { return *dynamic_cast<TControl*>(MainForm->FindComponent(name)); }
  TMenuItem* Item(const char* name) { return MainForm->MenuItem(name); }
  // The hints shown whole, however narrow the line: no turning round.
  void HintsStill() {
    ASSERT_TRUE(Item("ScrollHints")->Checked());
    Item("ScrollHints")->Click();
  }
};

TEST_F(StatusHintsTest, ThePointerOnAButtonShowsTheLongPartOfItsHint) {
  ASSERT_TRUE(Item("ShowHintsItem")->Checked()) << "hints are on by default";
  HintsStill();
  const struct {
    const char* control;
    const char* line;
  } cases[] = {
      {"CharNameBtn", "CHARACTER NAME: Press the <TAB> Key anywhere in the script"},
      {"DialogueBtn", "DIALOGUE: Press <ENTER> while in a Character Name/Parenthetical"},
      {"ThesaurusBtn", "Calls up a list of Synonyms for the Current Word"},
      {"WordWebBtn", "Quick Key: <F5>"},
      {"PageDownBtn", "Moves to the top of the next page"},
      // A hint without "|" is its own long part.
      {"BookmarkBtn", "Bookmark"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    MovePointerOnto(Control(c.control));
    EXPECT_EQ(Application->Hint(), c.line);
    EXPECT_EQ(Line(), c.line);
  }
  MovePointerOnto(W());
  EXPECT_EQ(Line(), "") << "the script's page has no hint";
}

TEST_F(StatusHintsTest, AHighlightedMenuItemShowsItsHintUntilTheMenuCloses) {
  HintsStill();
  const struct {
    const char* item;
    const char* line;
  } cases[] = {
      {"CopyToMainItem", "Copy Block to a File (or Append it to the End of an existing one)"},
      {"CopyToItem", "Copies Text to a New File"},
      {"CopyToExistingFileItem", "Copies Text to An Existing File"},
      {"CopyToScrapItem", "Copies Text to a Scrap File"},
      {"CutToItem", "Cuts Text to a New File"},
      {"CutToExistingFileItem", "Cuts Text to the bottom of an existing File"},
      {"CutToScrapItem", "Cuts Text to the bottom of an existing File"},
      {"RenumberBTargetsItem", "Renumbers all Branch Targets into Linear Numbering"},
      {"CharacterNameBankItem", "Shows List of over 30,000 Names"},
      {"FileSaveItem", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Application->MenuItemHighlighted(Item(c.item));
    EXPECT_EQ(Line(), c.line);
  }
  Application->MenuItemHighlighted(Item("CharacterNameBankItem"));
  Application->MenuItemHighlighted(nullptr);
  EXPECT_EQ(Line(), "") << "a closed menu leaves no hint";
}

TEST_F(StatusHintsTest, WithTheHintsOffTheLineShowsTheScriptsTitle) {
  Item("ShowHintsItem")->Click();
  ASSERT_FALSE(Item("ShowHintsItem")->Checked());
  W().SetScriptCaption("TITLE.QMW");
  MovePointerOnto(Control("CharNameBtn"));
  EXPECT_EQ(Line(), "TITLE.QMW");
}

TEST_F(StatusHintsTest, AHintWiderThanTheLineTurnsRound) {
  ASSERT_TRUE(Item("ScrollHints")->Checked());
  S().HintLine->Width = 60;
  MovePointerOnto(Control("CharNameBtn"));
  EXPECT_TRUE(S().HintTimer->Enabled());
  EXPECT_EQ(Line(), "CHARACTER NAME: Press the <TAB> Key anywhere in the script   ...   ");
  AdvanceClock(1000);
  EXPECT_EQ(Line(), "HARACTER NAME: Press the <TAB> Key anywhere in the script   ...   C");
  // After the first second, one character every quarter of a second.
  AdvanceClock(249);
  EXPECT_EQ(Line(), "HARACTER NAME: Press the <TAB> Key anywhere in the script   ...   C");
  AdvanceClock(1);
  EXPECT_EQ(Line(), "ARACTER NAME: Press the <TAB> Key anywhere in the script   ...   CH");
  AdvanceClock(250);
  EXPECT_EQ(Line(), "RACTER NAME: Press the <TAB> Key anywhere in the script   ...   CHA");
}

}  // namespace
}  // namespace qm
