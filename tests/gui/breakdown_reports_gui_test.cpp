// The Production Breakdowns dialog on the desktop: the scheduling export
// command opens it on its scene page, both pages show their controls, and
// Escape closes it without a run.
#include <QApplication>
#include <QTimer>
#include <QtTest/QTest>

#include "breakdown/breakdowns_run_dialog.h"
#include "gui/program_gui_fixture.h"
#include "platform/forms.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class BreakdownReportsGuiTest : public testing::ProgramGuiFixture {
 protected:
  static TBreakdownDlg* Showing() { return dynamic_cast<TBreakdownDlg*>(Screen->ActiveForm()); }
  static bool HasKeyboard() {
    TBreakdownDlg* form = Showing();
    QWidget* keyboard = testing::Typist::KeyboardWidget();
    return form && keyboard && keyboard->window() == WindowOf(*form);
  }
};

TEST_F(BreakdownReportsGuiTest, TheExportDialogShowsBothPagesAndEscapeCancels) {
  testing::Typist t;
  t.Type("INT. BARN - DAY");
  t.Key(Qt::Key_Return);
  t.Type("Ann lifts the bale.");
  t.Then([] { QTimer::singleShot(0, [] { MainForm->MenuItem("ShootPlanExportItem")->Click(); }); });
  bool scenesListed = false;
  bool secondaryDisabled = false;
  t.When([] { return HasKeyboard(); },
         [&, this] {
           TBreakdownDlg* dialog = Showing();
           scenesListed = dialog->SceneList->Items.Count() == 1 && dialog->ExportChoicePanel->Visible;
           // The export is in script order: no secondary order to choose.
           secondaryDisabled = !ClientOf(*dialog->IntExt2Btn)->isEnabled();
           ScreenShot("breakdowns-dialog-scenes");
           dialog->Notebook1->SetActivePageIndex(0);
         });
  t.Then([this] { ScreenShot("breakdowns-dialog-default"); });
  t.Key(Qt::Key_Escape);
  t.When([] { return Showing() == nullptr; }, [] {});
  Play(t);
  EXPECT_TRUE(scenesListed);
  EXPECT_TRUE(secondaryDisabled);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace qm
