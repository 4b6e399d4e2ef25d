// The main window's commands on the element at the caret, from the menus.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/messages.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/program_fixture.h"

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
    EXPECT_EQ(Script().EditBuffer, c.text);
  }
}

TEST_F(ElementCommandsTest, TheRevisionColourItemsChooseAndCheck) {
  Type("Old.");
  MainForm->MenuItem("RevBlueItem")->Click();
  EXPECT_EQ(Script().AutoRevisionColor, 1);
  EXPECT_TRUE(MainForm->MenuItem("RevBlueItem")->Checked());
  EXPECT_TRUE(MainForm->MenuItem("AutoRevColorsItem")->Checked());
  TypeText(" new");
  EXPECT_EQ(Script().EditBuffer, "Old.\x12 new\x13");
  MainForm->MenuItem("RevColorOffItem")->Click();
  EXPECT_EQ(Script().AutoRevisionColor, 0);
  EXPECT_TRUE(MainForm->MenuItem("RevColorOffItem")->Checked());
  EXPECT_FALSE(MainForm->MenuItem("RevBlueItem")->Checked());
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
  EXPECT_EQ(Script().CurrentElement->Kind(), ekShot);

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
  EXPECT_EQ(offered, (std::vector<std::string>{"&Normal Scene Heading", "&Locked Scene Heading", "&Double-Locked Scene"}));
  EXPECT_EQ(Script().CurrentElement->Kind(), ekASceneHeading);
}

}  // namespace
}  // namespace qm
