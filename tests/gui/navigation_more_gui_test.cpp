// Going to a page and word-processor mode on the desktop: Ctrl+G opens
// the page dialog, the typed page is gone to, and Ctrl+W shows its notice
// in the status line, where it is seen.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "platform/dialog_builder.h"
#include "platform/forms.h"
#include "script/editing/position_texts.h"
#include "script/layout/screen_rebuild.h"
#include "shell/goto_page_dialog.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class NavigationMoreGuiTest : public testing::ProgramGuiFixture {
 protected:
  void Settle() {
    MainForm->StatusLine().Refresh(true);
    Application->ProcessMessages();
  }
  std::string CaretPage() {
    TStatusTexts texts;
    return ComputeStatusTexts(Script(), {}, texts) ? texts.caretPageText : "none";
  }
};

TEST_F(NavigationMoreGuiTest, CtrlGGoesToTheTypedPage) {
  LoadSceneScript(5);
  bool dialogSeen = false;
  Later(50, [&dialogSeen] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    auto* edit = modal->findChild<QLineEdit*>();
    if (!edit) return;
    dialogSeen = true;
    edit->selectAll();
    QTest::keyClicks(edit, "3");
    for (QPushButton* button : modal->findChildren<QPushButton*>())
      if (button->text() == "OK") QTest::mouseClick(button, Qt::LeftButton);
  });
  QTest::keyClick(ScriptClient(), Qt::Key_G, Qt::ControlModifier);
  ASSERT_TRUE(RunUntil([&] { return dialogSeen && !QApplication::activeModalWidget(); }));
  Settle();
  EXPECT_EQ(CaretPage(), "3");
  EXPECT_EQ(MainForm->StatusLine().PagePanel->Caption().substr(0, 8), " Pg: 3 o");
  Shot("navigation_goto_page");
}

TEST_F(NavigationMoreGuiTest, CtrlWShowsTheWordProcessorNotice) {
  LoadSceneScript(1);
  QTest::keyClick(ScriptClient(), Qt::Key_W, Qt::ControlModifier);
  Settle();
  ASSERT_TRUE(MainForm->WordProcessorMode);
  TPanel* line = MainForm->StatusLine().HintLine;
  EXPECT_EQ(line->Caption(), ">>>WP MODE: Press <CTRL+W> to Exit<<<");
  QWidget* shown = ClientOf(*line);
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->isVisible());
  const QImage shot = Shot("navigation_wp_mode");
  const QRect area(shown->mapTo(MainWindow(), QPoint(0, 0)), shown->size());
  int maroon = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.red() > 100 && c.green() < 60 && c.blue() < 60) ++maroon;
    }
  EXPECT_GT(maroon, area.width() * area.height() / 4) << "the notice's maroon shows";
  EXPECT_LE(area.right(), shot.width()) << "the line ends inside the window";
  QTest::keyClick(ScriptClient(), Qt::Key_W, Qt::ControlModifier);
  Settle();
  EXPECT_FALSE(MainForm->WordProcessorMode);
}

}  // namespace
}  // namespace qm
