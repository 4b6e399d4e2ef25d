// The Production Breakdowns dialog on the desktop: the scheduling export
// command opens it on its choices under its own title, OK turns to the
// scenes, and Escape goes back and then closes it without a run.
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
  bool choicesFirst = false;
  bool scenesListed = false;
  bool secondaryDisabled = false;
  t.When([] { return HasKeyboard(); },
         [&, this] {
           TBreakdownDlg* dialog = Showing();
           choicesFirst = dialog->Notebook1->ActivePageIndex() == 0 &&
                          WindowOf(*dialog)->windowTitle() == "Exporting to ShootPlan Scheduling...";
           // The export is in script order: no secondary order to choose.
           secondaryDisabled = !ClientOf(*dialog->IntExt2Btn)->isEnabled();
           ScreenShot("breakdowns-dialog-default");
           dialog->OKBtn->Click();
           scenesListed = dialog->Notebook1->ActivePageIndex() == 1 && dialog->SceneList->Items.Count() == 1 &&
                          dialog->ExportChoicePanel->Visible;
         });
  t.Then([this] { ScreenShot("breakdowns-dialog-scenes"); });
  t.Key(Qt::Key_Escape);
  t.When([] { return Showing() && Showing()->Notebook1->ActivePageIndex() == 0; }, [] {});
  t.Key(Qt::Key_Escape);
  t.When([] { return Showing() == nullptr; }, [] {});
  Play(t);
  EXPECT_TRUE(choicesFirst);
  EXPECT_TRUE(scenesListed);
  EXPECT_TRUE(secondaryDisabled);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace qm
