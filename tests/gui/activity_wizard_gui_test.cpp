// The activity wizard on the desktop: Return answers the page on screen,
// once, whichever control has the keyboard.
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "shell/main_form.h"
#include "story/activity_wizard_dialog.h"
#include "story/activity_wizard_pages.h"

namespace qm {
namespace {

class ActivityWizardGuiTest : public testing::ProgramGuiFixture {
 protected:
  void SetUp() override {
    InitialSettings.push_back({"Format Options", "Interactive Script", "1"});
    ProgramGuiFixture::SetUp();
  }
};

TEST_F(ActivityWizardGuiTest, AfterNoOneReturnShowsWhatHappensNext) {
  int shownAfterReturn = -1;
  bool openAfterReturn = false;
  Later(100, [&] {
    auto& w = story::ActivityWizard();
    w.NextBtn->Click();
    w.UserCanDoWhat->Text = "climb";
    QWidget* no = ClientOf(*w.NoNeedToKnowBtn);
    ASSERT_NE(no, nullptr);
    QTest::mouseClick(no, Qt::LeftButton, {}, QPoint(6, no->height() / 2));
    Application->ProcessMessages();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    Application->ProcessMessages();
    shownAfterReturn = w.Page();
    openAfterReturn = w.Visible && w.ModalResult == mrNone;
    w.ModalResult = mrCancel;
  });
  MainForm->InteractiveWizardItemClick(nullptr);
  Application->ProcessMessages();
  EXPECT_EQ(shownAfterReturn, story::wpWhatHappens);
  EXPECT_TRUE(openAfterReturn) << "the same Return pressed Finish";
}

}  // namespace
}  // namespace qm
