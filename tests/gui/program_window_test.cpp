// The program itself on the desktop: its main window with a script window
// in which a scene is typed with real key events.
#include <QDir>
#include <QMenuBar>
#include <QtTest/QTest>

#include "gui/gui_fixture.h"
#include "platform/input.h"
#include "platform/office_button.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "shell/tool_bar.h"

namespace qm {
namespace {

class ProgramWindowTest : public testing::ProgramGuiFixture {
 protected:
  // The next element takes a type, as choosing it does.
  void NextElement(Byte kind) {
    Script().CurrentFormat = Script().FormatSet[static_cast<size_t>(FormatSlotOfKind(kind))];
    Script().NewElement(true, false, false);
    Application->ProcessMessages();
  }
};

TEST_F(ProgramWindowTest, AWriterTypesASceneAndSeesIt) {
  ASSERT_NE(ScriptWidget(), nullptr);
  Script().SetFocus();
  Script().CurrentFormat = Script().FormatSet[fsSceneHeading];
  Script().NewElement(true, false, false);
  QTest::keyClicks(ScriptWidget(), "int. kitchen - night");
  Application->ProcessMessages();
  NextElement(ekAction);
  QTest::keyClicks(ScriptWidget(), "A kettle whistles.");
  NextElement(ekCharacterName);
  QTest::keyClicks(ScriptWidget(), "mary");
  NextElement(ekDialogue);
  QTest::keyClicks(ScriptWidget(), "Not tonight.");
  Application->ProcessMessages();

  std::vector<std::pair<Byte, std::string>> elements;
  Script().Assemble();
  for (TScriptElement* e = Script().FirstElement; e; e = e->next) {
    elements.emplace_back(e->Kind(), e == Script().CurrentElement && !e->text ? Script().EditBuffer : "");
  }
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(elements[0].first, ekSceneHeading);
  EXPECT_EQ(elements[2].first, ekCharacterName);
  EXPECT_EQ(*Script().FirstElement->next->next->text, "MARY") << "a name is typed in capitals";

  Script().Invalidate();
  Application->ProcessMessages();
  const QImage shot = Grab(*WindowOf(*MainForm));
  QDir().mkpath(QString(QM_BINARY_DIR) + "/screenshots");
  shot.save(QString(QM_BINARY_DIR) + "/screenshots/script-window.png");
  // Ink on every row where the script window painted a line of text.
  const QPoint origin = ScriptWidget()->mapTo(WindowOf(*MainForm), QPoint(0, 0));
  for (int line = 1; line <= 5; ++line) {
    const TScreenLine& shown = Script().ScreenLines[static_cast<size_t>(line)];
    if (!shown.element || shown.text.empty()) continue;
    const int top = origin.y() + shown.y - shown.height + 4;
    EXPECT_GT(DarkPixels(shot, QRect(origin.x(), top, ScriptWidget()->width(), shown.height)), 20)
        << "no ink on screen line " << line << " \"" << shown.text << "\"";
  }
}

// The main window as the writer first sees it: the menu bar with the
// program's menus (the key menus hidden) and the tool bar of flat buttons.
TEST_F(ProgramWindowTest, TheMainWindowShowsItsMenusAndToolBar) {
  QWidget* window = WindowOf(*MainForm);
  auto* peer = dynamic_cast<FormPeer*>(MainForm->Peer());
  ASSERT_NE(peer, nullptr);
  QMenuBar* bar = peer->MenuBar();
  ASSERT_NE(bar, nullptr);
  QStringList titles;
  for (QAction* a : bar->actions())
    if (a->isVisible()) titles << a->text().trimmed();
  EXPECT_EQ(titles, QStringList({"&File", "&Edit", "For&mat", "&Search", "&Goto", "S&pell", "&Window", "&Help",
                                 "P&roduction"}));

  TOfficeButton* bold = MainForm->ToolBar().Button("BoldBtn");
  ASSERT_TRUE(bold->Showing());
  Application->ProcessMessages();
  const QImage shot = Grab(*window);
  QDir().mkpath(QString(QM_BINARY_DIR) + "/screenshots");
  ASSERT_TRUE(shot.save(QString(QM_BINARY_DIR) + "/screenshots/main-window.png"));
  QWidget* boldWidget = ClientOf(*bold);
  ASSERT_NE(boldWidget, nullptr);
  const QRect boldRect(boldWidget->mapTo(window, QPoint(0, 0)), boldWidget->size());
  // Grey while the mouse is away, but drawn: pixels well off the button face.
  int drawn = 0;
  for (int y = boldRect.top(); y <= boldRect.bottom(); ++y)
    for (int x = boldRect.left(); x <= boldRect.right(); ++x) drawn += qGray(shot.pixel(x, y)) < 170;
  EXPECT_GT(drawn, 10) << "the B of the Bold button";
  QWidget* panel = ClientOf(*MainForm->ToolBar().Panel());
  ASSERT_NE(panel, nullptr);
  EXPECT_LT(panel->mapTo(window, QPoint(0, 0)).y(), ScriptWidget()->mapTo(window, QPoint(0, 0)).y())
      << "the tool bar sits above the scripts";
}

}  // namespace
}  // namespace qm
