// The main window's commands on the element at the caret, from the menus.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/messages.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/screen_colors_dialog.h"
#include "script/editing/hidden_elements.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class ElementCommandsTest : public testing::ProgramFixture {
 protected:
  void Type(const std::string& text) {
    Script().SetFocus();
    TypeText(text);
    MainForm->UpdateMenusAndButtons();
  }
};

TEST_F(ElementCommandsTest, ConvertCaseTakesItsModeFromTheItem) {
  Type("the OLD man");
  const struct {
    const char* item;
    const char* text;
  } cases[] = {{"UppercaseItem", "THE OLD MAN"}, {"LowercaseItem", "The old man"}, {"InitialCapsItem", "The Old Man"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    ASSERT_TRUE(MainForm->MenuItem(c.item)->Enabled());
    MainForm->MenuItem(c.item)->Click();
    EXPECT_EQ(Script().EditBuffer(), c.text);
  }
}

TEST_F(ElementCommandsTest, TheRevisionColourItemsChooseAndCheck) {
  Type("Old.");
  MainForm->MenuItem("RevBlueItem")->Click();
  EXPECT_EQ(Script().AutoRevisionColor, 1);
  EXPECT_TRUE(MainForm->MenuItem("RevBlueItem")->Checked());
  EXPECT_TRUE(MainForm->MenuItem("AutoRevColorsItem")->Checked());
  TypeText(" new");
  EXPECT_EQ(Script().EditBuffer(), "Old.\x12 new\x13");
  MainForm->MenuItem("RevColorOffItem")->Click();
  EXPECT_EQ(Script().AutoRevisionColor, 0);
  EXPECT_TRUE(MainForm->MenuItem("RevColorOffItem")->Checked());
  EXPECT_FALSE(MainForm->MenuItem("RevBlueItem")->Checked());
}

TEST_F(ElementCommandsTest, TheUserDefinedRevisionColourAsksWhichOneAndTypesInIt) {
  Type("Old.");
  // The script does not use user colours yet: it is asked first.
  Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); });
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TSelectUserColorDlg&>(form);
    dialog.Select(3);
    dialog.OKBtn->Click();
  });
  MainForm->MenuItem("RevUserColorItem")->Click();
  EXPECT_EQ(Script().AutoRevisionColor, 6) << "user colour 3";
  EXPECT_TRUE(MainForm->MenuItem("RevUserColorItem")->Checked());
  EXPECT_FALSE(MainForm->MenuItem("RevBlueItem")->Checked());
  TypeText(" new");
  EXPECT_EQ(Script().EditBuffer(), "Old.\xEE new\xF8");

  // Asked again, the dialog starts on the colour in use; Cancel keeps it.
  int shown = 0;
  Driver().Expect([&shown](TForm& form) {
    shown = dynamic_cast<TSelectUserColorDlg&>(form).Selected();
    form.ModalResult = mrCancel;
  });
  MainForm->MenuItem("RevUserColorItem")->Click();
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(Script().AutoRevisionColor, 6);

  MainForm->MenuItem("RevColorOffItem")->Click();
  EXPECT_EQ(Script().AutoRevisionColor, 0);
  EXPECT_FALSE(MainForm->MenuItem("RevUserColorItem")->Checked());
  EXPECT_EQ(Driver().Pending(), 0);
}

// The list has the keyboard while it is down (on the desktop its widget has
// the focus); a letter is typed into it.
void TypeIntoList(char letter) { MainForm->ElementPopDownList->Perform(WM_CHAR, static_cast<WPARAM>(letter), 0); }

TEST_F(ElementCommandsTest, TheElementBoxChangesTheTypeByALetter) {
  Type("ANGLE ON THE DOOR");
  MainForm->MenuItem("ChangeElementToItem")->Click();
  ASSERT_TRUE(MainForm->ElementPopDownList->Visible());
  TypeIntoList('h');
  EXPECT_FALSE(MainForm->ElementPopDownList->Visible());
  EXPECT_EQ(Script().CurrentElement()->Kind(), ekShot);

  // A locked script asks which kind of heading through the scene-type pop-up.
  Script().ScenesLocked = 1;
  std::vector<std::string> offered;
  Driver().ExpectPopup([&](TPopupMenu& menu) -> TMenuItem* {
    for (int i = 0; i < menu.Items()->Count(); ++i)
      if (menu.Items()->Items(i)->Visible) offered.push_back(menu.Items()->Items(i)->Caption());
    return menu.Items()->Items(1);
  });
  MainForm->MenuItem("ChangeElementToItem")->Click();
  TypeIntoList('s');
  EXPECT_EQ(offered,
            (std::vector<std::string>{"&Normal Scene Heading", "&Locked Scene Heading", "&Double-Locked Scene"}));
  EXPECT_EQ(Script().CurrentElement()->Kind(), ekASceneHeading);
}

// "S" and "B" both pick the scene heading entry; a letter no entry has
// leaves the list down and the element as it was.
TEST_F(ElementCommandsTest, ALetterOfNoEntryTypedInTheElementListDoesNothing) {
  const struct {
    char letter;
    TElementKind kind;
    bool listStaysDown;
  } cases[] = {
      {'S', ekSceneHeading, false}, {'b', ekSceneHeading, false}, {'Z', ekAction, true}, {'q', ekAction, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(1, c.letter));
    MainForm->FileNewItem->Click();
    Type("The door creaks.");
    ASSERT_EQ(Script().CurrentElement()->Kind(), ekAction);
    MainForm->MenuItem("ChangeElementToItem")->Click();
    ASSERT_TRUE(MainForm->ElementPopDownList->Visible());
    TypeIntoList(c.letter);
    EXPECT_EQ(Script().CurrentElement()->Kind(), c.kind);
    EXPECT_EQ(MainForm->ElementPopDownList->Visible(), c.listStaysDown);
    if (c.listStaysDown) MainForm->ElementPopDownList->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

TEST_F(ElementCommandsTest, TheWordCommandsChangeTheWordAtTheCaret) {
  const struct {
    const char* item;
    const char* text;
  } cases[] = {{
                   "CapitalizeWordItem",
                   "A gunshot rings out.",
               },
               {"CapBoldWordItem", "A gunshot rings out."},
               {"LowercaseWordItem", "A GUNSHOT rings out."}};
  const char* const expected[] = {"A GUNSHOT rings out.", "A \x02GUNSHOT\x03 rings out.", "A gunshot rings out."};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].item);
    MainForm->FileNewItem->Click();
    Type(cases[i].text);
    editor::SetCaretColumn(Script(), 4);  // inside "gunshot"
    ASSERT_TRUE(MainForm->MenuItem(cases[i].item)->Enabled());
    MainForm->MenuItem(cases[i].item)->Click();
    EXPECT_EQ(Script().EditBuffer(), expected[i]);
    EXPECT_FALSE(Script().BlockOn()) << "the word is not left marked";
  }
}

TEST_F(ElementCommandsTest, TheKeepItemsToggleAndCheck) {
  Type("Rain.");
  MainForm->MenuItem("KeepElementTogetherItem")->Click();
  EXPECT_EQ(Script().CurrentElement()->state, esKeepGroup);
  EXPECT_TRUE(MainForm->MenuItem("KeepElementTogetherItem")->Checked());
  EXPECT_TRUE(MainForm->MenuItem("KeepGroupTogetherItem")->Checked()) << "the element starts its group";
  MainForm->MenuItem("KeepElementTogetherItem")->Click();
  EXPECT_FALSE(MainForm->MenuItem("KeepElementTogetherItem")->Checked());
  MainForm->MenuItem("KeepWithFollowingItem")->Click();
  EXPECT_EQ(Script().CurrentElement()->state, esKeepFollowing);
  EXPECT_TRUE(MainForm->MenuItem("KeepWithFollowingItem")->Checked());
}

TEST_F(ElementCommandsTest, TheHideItemsHideTheirKindsAndCheck) {
  Type("Rain.");
  const struct {
    const char* item;
    std::uint32_t kinds;
  } cases[] = {
      {"HideDialogueItem", SpeechKinds}, {"HideScenesItem", SceneHeadingKinds}, {"HideAllNotesItem", ScriptNoteKinds}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    MainForm->MenuItem(c.item)->Click();
    EXPECT_EQ(Script().HiddenKinds & c.kinds, c.kinds);
    EXPECT_TRUE(MainForm->MenuItem(c.item)->Checked());
  }
  MainForm->MenuItem("UnhideElementsItem")->Click();
  EXPECT_EQ(Script().HiddenKinds, ScriptNoteKinds) << "the notes stay hidden: they have their own Unhide";
  EXPECT_FALSE(MainForm->MenuItem("HideDialogueItem")->Checked());
  MainForm->MenuItem("UnhideNotesItem")->Click();
  EXPECT_EQ(Script().HiddenKinds, 0u);

  // Hiding the only kind on screen is refused with the script as it was.
  testing::AnswerMessageBox(Driver(), "You cannot have only hidden elements in the script!", mrOk);
  MainForm->MenuItem("HideActionItem")->Click();
  EXPECT_EQ(Script().HiddenKinds, 0u);
  EXPECT_FALSE(MainForm->MenuItem("HideActionItem")->Checked());
}

TEST_F(ElementCommandsTest, ShowFormatCodesFollowsTheActiveScript) {
  Type("Rain.");
  MainForm->MenuItem("DisplayCodesItem")->Click();
  EXPECT_TRUE(Script().LayoutOptions.ShowCodes);
  EXPECT_TRUE(MainForm->MenuItem("DisplayCodesItem")->Checked());
  MainForm->FileNewItem->Click();
  MainForm->UpdateMenusAndButtons();
  EXPECT_FALSE(MainForm->MenuItem("DisplayCodesItem")->Checked()) << "the new script shows no codes";
}

}  // namespace
}  // namespace qm
