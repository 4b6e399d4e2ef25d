// Tagging mode on the desktop: a word marked with Shift and the arrow keys
// is offered the breakdown categories when the Shift key comes up, and the
// category chosen tags it.
#include <QApplication>
#include <QKeyEvent>
#include <QtTest/QTest>

#include "breakdown/categories.h"
#include "breakdown/tagging.h"
#include "gui/breakdown_gui_fixture.h"
#include "platform/forms.h"
#include "shell/main_form.h"

namespace qm {
namespace {

using testing::Props;
class TaggingShiftReleaseTest : public testing::BreakdownGuiFixture {
 protected:
  void SendKeyEvent(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(type, key, modifiers);
    QApplication::sendEvent(ScriptClient(), &event);
  }
};

TEST_F(TaggingShiftReleaseTest, ShiftComingUpOffersTheCategoriesForTheMarkedWord) {
  ShowScript({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "He lifts a gun."}}, 1);
  MainForm->MenuItem("TaggingModeItem")->Click();
  Application->ProcessMessages();
  ASSERT_TRUE(TaggingModeOn());
  testing::Typist t;
  t.Key(Qt::Key_End);
  t.Key(Qt::Key_Left);
  Play(t);
  // Shift held down over three presses of Left, as a writer's hand does
  // (a key click of the test library lets go of Shift after each key).
  SendKeyEvent(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  for (int i = 0; i < 3; ++i) {
    SendKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
    SendKeyEvent(QEvent::KeyRelease, Qt::Key_Left, Qt::ShiftModifier);
  }
  Application->ProcessMessages();
  ASSERT_TRUE(Script().BlockOn()) << "the word is marked";
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "nothing offered while Shift is down";

  bool offered = false;
  Later(100, [&offered] { offered = ClickPopupItem("&Props"); });
  SendKeyEvent(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
  Application->ProcessMessages();
  EXPECT_TRUE(offered) << "the categories at the caret";
  EXPECT_EQ(Script().EditBuffer(), "He lifts a " + Tag(Props, "gun") + ".");
}

}  // namespace
}  // namespace qm
