// Moving through a long script on the desktop: the right panel's scroll
// bar spans the script, the page buttons move a page, and the status line
// follows the caret.
#include <QAbstractSlider>
#include <QApplication>
#include <QMdiArea>
#include <QtTest/QTest>

#include <string>
#include <vector>

#include "gui/program_gui_fixture.h"
#include "platform/office_button.h"
#include "script/layout/screen_rebuild.h"
#include "base/document_table.h"
#include "base/program_busy.h"
#include "base/program_options.h"
#include "shell/main_form.h"
#include "shell/power_panel.h"
#include "shell/script_popups.h"
#include "shell/right_panel.h"
#include "shell/status_line.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class NavigationTest : public testing::ProgramGuiFixture {
 protected:
  void Settle() {
    MainForm->StatusLine().Refresh(true);
    Application->ProcessMessages();
  }
  std::string Caption(TControl* control) { return control->Caption(); }
};

TEST_F(NavigationTest, ScrollBarPageButtonsAndStatusLineFollowTheCaret) {
  LoadSceneScript(3);
  TStatusLine& status = MainForm->StatusLine();
  TRightPanel& right = MainForm->RightPanel();
  EXPECT_EQ(Caption(status.PagePanel).substr(0, 9), " Pg: 1 of");
  EXPECT_EQ(Caption(status.ScenePanel), "Scn: 1 of 3");
  EXPECT_EQ(Caption(status.LinePanel).substr(0, 5), " Ln: ");
  EXPECT_EQ(Caption(status.CurrentElement), "Scene Heading");
  EXPECT_GT(right.RightScroll->Max(), 100) << "the bar spans every line of the script";
  EXPECT_EQ(right.RightScroll->Position(), 0);

  // A click on the page-down button: the first element of the next page.
  QWidget* pageDown = ClientOf(*right.PageDownBtn);
  ASSERT_NE(pageDown, nullptr);
  ASSERT_TRUE(pageDown->isVisible());
  QTest::mouseClick(pageDown, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  Settle();
  ASSERT_NE(Script().CurrentElement()->prev, nullptr);
  EXPECT_TRUE(IsPageBreakKind(Script().CurrentElement()->prev->Kind())) << "the caret at the top of the next page";
  EXPECT_EQ(Caption(status.PagePanel).substr(0, 9), " Pg: 2 of");
  EXPECT_GT(right.RightScroll->Position(), 0);

  // The thumb dragged to the end: the last page.
  auto* bar = qobject_cast<QAbstractSlider*>(ClientOf(*right.RightScroll));
  ASSERT_NE(bar, nullptr);
  bar->setSliderDown(true);
  bar->setSliderPosition(bar->maximum());
  bar->setSliderDown(false);
  Settle();
  EXPECT_EQ(Caption(status.ScenePanel), "Scn: 3 of 3");
  EXPECT_GT(right.RightScroll->Position(), right.RightScroll->Max() / 2);
  Shot("navigation");
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

class PowerPanelGuiTest : public testing::ProgramGuiFixture {};

// On the desktop the panel opens at a right click and goes away when the
// writer clicks back into the script, leaving the program free.
TEST_F(PowerPanelGuiTest, AClickBackInTheScriptClosesThePanel) {
  QTest::mouseClick(ScriptClient(), Qt::RightButton, Qt::NoModifier, QPoint(200, 40));
  Application->ProcessMessages();
  TPowerPanel& panel = MainForm->ScriptPopups().PowerPanel();
  ASSERT_TRUE(panel.Visible());
  EXPECT_FALSE(ProgramBusy) << "the keys stay alive";
  QWidget* window = WindowOf(panel);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  QTest::mouseClick(ScriptClient(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
  Application->ProcessMessages();
  EXPECT_FALSE(panel.Visible());
  EXPECT_FALSE(ProgramBusy);
}

// With every script closed the main window's empty area is all there is to
// click: a right click there offers the file commands, unless "Mouse Menu"
// is off.
TEST_F(PowerPanelGuiTest, ARightClickOnTheEmptyMainWindowOffersTheFileCommands) {
  while (DocumentCount > 0) {
    Script().DocumentModified = 0;
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
  auto* area = MainWindow()->findChild<QMdiArea*>();
  ASSERT_NE(area, nullptr);
  TPowerPanel& panel = MainForm->ScriptPopups().PowerPanel();
  for (const bool mouseMenu : {false, true}) {
    SCOPED_TRACE(mouseMenu ? "Mouse Menu on" : "Mouse Menu off");
    MouseMenu = mouseMenu;
    const QPoint click(area->viewport()->width() / 2, area->viewport()->height() / 2);
    QTest::mouseClick(area->viewport(), Qt::RightButton, Qt::NoModifier, click);
    Application->ProcessMessages();
    ASSERT_EQ(panel.Visible(), mouseMenu);
    if (!mouseMenu) continue;
    QWidget* window = WindowOf(panel);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    std::vector<std::string> captions;
    for (TButton* b : panel.B) captions.push_back(b->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"", "Exit", "", "", "Open", "", "", "New", ""}));
    const QPoint centre = area->viewport()->mapToGlobal(click);
    EXPECT_NEAR(panel.Left() + panel.Width() / 2, centre.x(), 2) << "centred on the click";
    EXPECT_NEAR(panel.Top() + panel.Height() / 2, centre.y(), 2);
    panel.ClosePanel();
  }
}

}  // namespace
}  // namespace qm
