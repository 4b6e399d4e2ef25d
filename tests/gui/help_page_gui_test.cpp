// The quick-help page on the desktop: Alt+F1 opens it, a real click on a
// part of the sample page shows that part's explanation, and a click on
// the program icon turns to the hidden page.
#include <QtTest/QTest>

#include "base/message_box_form.h"
#include "gui/program_gui_fixture.h"
#include "shell/help_page_dialog.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class HelpPageGuiTest : public testing::ProgramGuiFixture {
 protected:
  static THelpPageDialog* Page() { return dynamic_cast<THelpPageDialog*>(Screen->ActiveForm()); }
  static QWidget* Part(THelpPageDialog& page, const char* name) {
    return ClientOf(*dynamic_cast<TControl*>(page.FindComponent(name)));
  }
};

TEST_F(HelpPageGuiTest, ARealClickOnTheShotExplainsHowToMakeOne) {
  bool pageShown = false;
  std::string explanation;
  std::string pageAfterIcon;
  Later(150, [&] {
    THelpPageDialog* page = Page();
    ASSERT_NE(page, nullptr);
    pageShown = true;
    SaveShot(*WindowOf(*page), "help-page");
    Later(150, [&] {
      auto* box = dynamic_cast<TMyNewMsgBox*>(Screen->ActiveForm());
      ASSERT_NE(box, nullptr);
      explanation = box->MenuText->Caption();
      Grab(*WindowOf(*box)).save(QString(QM_BINARY_DIR) + "/screenshots/help-page-shot.png");
      box->ModalResult = mrOk;
    });
    QWidget* shot = Part(*page, "ShotLabel");
    ASSERT_NE(shot, nullptr);
    QTest::mouseClick(shot, Qt::LeftButton, {}, QPoint(4, shot->height() / 2));
    QWidget* icon = Part(*page, "ProgramIcon");
    ASSERT_NE(icon, nullptr);
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(4, icon->height() / 2));
    Application->ProcessMessages();
    pageAfterIcon = page->ActivePageName();
    Grab(*WindowOf(*page)).save(QString(QM_BINARY_DIR) + "/screenshots/help-page-hidden.png");
    QTest::mouseClick(ClientOf(*page->OKBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("QuickHelpPage1")->Click();
  Application->ProcessMessages();
  ASSERT_TRUE(pageShown);
  // The box shows the explanation (after the blank line it opens with).
  EXPECT_NE(explanation.find(HelpPageExplanation("ShotLabel").substr(0, 70)), std::string::npos) << explanation;
  EXPECT_EQ(pageAfterIcon, "No Feathers");
}

}  // namespace
}  // namespace qm
