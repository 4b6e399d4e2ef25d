// What the desktop's frame of a script window does, driven as a writer
// does: keys typed at a script shown as its icon (minimised by its own
// button, by its system menu or by Minimize All) leave the program running
// and the text whole; the frame's close roads (the close box, the system
// menu's Close, the icon's close box) ask the script's save question, and
// Cancel keeps it; Move and Size from the system menu take the arrow keys
// and Enter themselves.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <string>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "files/disk_utils.h"
#include "gui/program_gui_fixture.h"
#include "platform/qt/qt_form_peer.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "platform/headless/headless_backend.h"

namespace qm {
namespace {

enum class Minimise { OwnButton, SystemMenu, MinimizeAll };
enum class FrameClose { CloseBox, SystemMenu, IconCloseBox };

class ScriptWindowFrameTest : public testing::ProgramGuiFixture {
 protected:
  QMdiSubWindow* SubOf(TMDIChild& script) { return qobject_cast<QMdiSubWindow*>(WindowOf(script)); }
  QAction* ActionOf(TMenuItem* item) { return FormPeerOf(MainForm)->Menu()->ActionOf(item); }
  // The action of the sub-window's own system menu whose text holds `text`.
  static QAction* SystemMenuAction(QMdiSubWindow& sub, const QString& text) {
    for (QAction* action : sub.systemMenu()->actions())
      if (QString(action->text()).remove('&').contains(text)) return action;
    return nullptr;
  }
  void MinimiseBy(Minimise road, QMdiSubWindow& sub) {
    switch (road) {
      case Minimise::OwnButton: sub.showMinimized(); break;
      case Minimise::SystemMenu: SystemMenuAction(sub, "Minimize")->trigger(); break;
      case Minimise::MinimizeAll: ActionOf(MainForm->WindowMinimizeItem)->trigger(); break;
    }
    Application->ProcessMessages();
  }
  static bool QuestionUp() { return MyNewMsgBox && MyNewMsgBox->Visible() && WindowOf(*MyNewMsgBox)->isActiveWindow(); }
  // The first script typed into; with `behind`, a second one in front of it.
  TMDIChild& Hall(bool behind) {
    testing::Typist t;
    t.Type("INT. HALL - DAY");
    Play(t);
    TMDIChild& hall = Script();
    if (behind) {
      ActionOf(MainForm->FileNewItem)->trigger();
      Application->ProcessMessages();
      EXPECT_NE(&Script(), &hall);
    }
    return hall;
  }
};

std::string MinimiseName(const ::testing::TestParamInfo<Minimise>& info) {
  const char* names[] = {"OwnButton", "SystemMenu", "MinimizeAll"};
  return names[static_cast<int>(info.param)];
}

class MinimisedKeysTest : public ScriptWindowFrameTest, public ::testing::WithParamInterface<Minimise> {};

// Down, letters, Backspace, Enter, Tab and the main menu's command keys
// (Undo, Select All) at a script shown as its icon: the program lives (the
// keys once went round the frame and back until the stack gave out), the
// window stays an icon and the text is whole: no key reaches the script.
TEST_P(MinimisedKeysTest, KeysAtTheIconLeaveTheProgramRunningAndTheTextWhole) {
  TMDIChild& hall = Hall(false);
  QMdiSubWindow* sub = SubOf(hall);
  ASSERT_NE(sub, nullptr);
  MinimiseBy(GetParam(), *sub);
  ASSERT_TRUE(sub->isMinimized());
  testing::Typist keys;
  keys.Key(Qt::Key_Down);
  keys.Type("xyz");
  for (const int key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Tab}) keys.Key(key);
  keys.Key(Qt::Key_Z, Qt::ControlModifier);
  keys.Key(Qt::Key_A, Qt::ControlModifier);
  Play(keys);
  EXPECT_TRUE(sub->isMinimized());
  EXPECT_EQ(hall.FirstElement->next, nullptr) << "no element was started";
  EXPECT_EQ(hall.EditBuffer(), "INT. HALL - DAY");
  EXPECT_EQ(hall.BlockOn(), 0) << "nothing was selected";
}

INSTANTIATE_TEST_SUITE_P(Roads, MinimisedKeysTest,
                         ::testing::Values(Minimise::OwnButton, Minimise::SystemMenu, Minimise::MinimizeAll),
                         MinimiseName);

struct FrameCloseCase {
  FrameClose road;
  bool behind;
};

std::string FrameCloseName(const ::testing::TestParamInfo<FrameCloseCase>& info) {
  const char* names[] = {"CloseBox", "SystemMenu", "IconCloseBox"};
  return std::string(names[static_cast<int>(info.param.road)]) + (info.param.behind ? "Behind" : "InFront");
}

class FrameCloseTest : public ScriptWindowFrameTest, public ::testing::WithParamInterface<FrameCloseCase> {};

// The changed script's window closed by its frame: the save question about
// it comes (whichever script is in front), and Escape (Cancel) keeps the
// window and its text.
TEST_P(FrameCloseTest, TheSaveQuestionComesAndCancelKeepsTheScript) {
  const FrameCloseCase& c = GetParam();
  TMDIChild& hall = Hall(c.behind);
  QMdiSubWindow* sub = SubOf(hall);
  ASSERT_NE(sub, nullptr);
  if (c.road == FrameClose::IconCloseBox) {
    sub->showMinimized();
    Application->ProcessMessages();
  }
  std::string asked;
  testing::Typist t;
  t.Then([sub, &c] {
    if (c.road == FrameClose::SystemMenu) SystemMenuAction(*sub, "Close")->trigger();
    else sub->close();
  });
  t.When(QuestionUp, [&asked] { asked = FormMessage(*MyNewMsgBox); });
  t.Key(Qt::Key_Escape);
  Play(t);
  EXPECT_NE(asked.find("Save " + ShownFileName(hall.ScriptFileName, 30) + "?"), std::string::npos) << asked;
  ASSERT_NE(SlotOf(&hall), 0) << "Cancel keeps the script open";
  EXPECT_TRUE(sub->isVisible());
  EXPECT_EQ(hall.EditBuffer(), "INT. HALL - DAY");
  EXPECT_TRUE(hall.DocumentModified);
}

INSTANTIATE_TEST_SUITE_P(Roads, FrameCloseTest,
                         ::testing::Values(FrameCloseCase{FrameClose::CloseBox, false},
                                           FrameCloseCase{FrameClose::CloseBox, true},
                                           FrameCloseCase{FrameClose::SystemMenu, false},
                                           FrameCloseCase{FrameClose::SystemMenu, true},
                                           FrameCloseCase{FrameClose::IconCloseBox, true}),
                         FrameCloseName);

// Size from the system menu, then Left, Left, Up, Up and Enter: the window
// is smaller, and the script took none of the keys (no caret moved, no
// element split at Enter). Move the same way moves the window.
TEST_F(ScriptWindowFrameTest, MoveAndSizeFromTheSystemMenuTakeTheArrowKeys) {
  TMDIChild& hall = Hall(false);
  QMdiSubWindow* sub = SubOf(hall);
  ASSERT_NE(sub, nullptr);
  sub->showNormal();
  sub->move(100, 100);
  Application->ProcessMessages();
  const struct {
    const char* action;
    bool sizes;
  } steps[] = {{"Size", true}, {"Move", false}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.action);
    const QRect before = sub->geometry();
    const Word caret = hall.CaretColumn();
    testing::Typist t;
    t.Then([sub, &step] { SystemMenuAction(*sub, step.action)->trigger(); });
    for (int i = 0; i < 2; ++i) t.Key(Qt::Key_Left);
    for (int i = 0; i < 2; ++i) t.Key(Qt::Key_Up);
    t.Key(Qt::Key_Return);
    Play(t);
    const QRect after = sub->geometry();
    if (step.sizes) {
      EXPECT_LT(after.width(), before.width());
      EXPECT_LT(after.height(), before.height());
      EXPECT_EQ(after.topLeft(), before.topLeft());
    } else {
      EXPECT_LT(after.x(), before.x());
      EXPECT_LT(after.y(), before.y());
      EXPECT_EQ(after.size(), before.size());
    }
    EXPECT_EQ(hall.CaretColumn(), caret) << "the caret stayed";
    EXPECT_EQ(hall.FirstElement->next, nullptr) << "Enter split no element";
    EXPECT_EQ(hall.EditBuffer(), "INT. HALL - DAY");
  }
}

}  // namespace
}  // namespace qm
