// The title page publisher on the desktop: opened from the File menu, an
// item chosen with the mouse on the page and retyped with real keys, and
// the page as it shows.
#include <QtTest/QTest>

#include "formats/title_page.h"
#include "formats/title_page_dialog.h"
#include "gui/program_gui_fixture.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class TitlePageGuiTest : public testing::ProgramGuiFixture {};

TEST_F(TitlePageGuiTest, AnItemChosenOnThePageIsRetypedAndKept) {
  Script().ProductionTitle = "THE LONG NIGHT";
  std::vector<std::string> unseen;
  int chosen = -1;
  int titleInk = 0;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TTitlePageDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    Application->ProcessMessages();
    for (TControl* c : std::initializer_list<TControl*>{dialog->PagePanel, dialog->Labels[0], dialog->Labels[2],
                                                        dialog->TextMemo, dialog->ItemList, dialog->OKBtn})
      if (QWidget* w = ClientOf(*c); !w || !w->isVisible()) unseen.push_back(c->Name);
    // The writer's name, clicked on the page, then retyped.
    QWidget* writer = ClientOf(*dialog->Labels[2]);
    ASSERT_NE(writer, nullptr);
    QTest::mouseClick(writer, Qt::LeftButton, {}, QPoint(4, 4));
    Application->ProcessMessages();
    chosen = dialog->Selected();
    QWidget* memo = ClientOf(*dialog->TextMemo);
    ASSERT_NE(memo, nullptr);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(memo, "Ann Writer");
    Application->ProcessMessages();
    const QImage shot = Grab(*WindowOf(*dialog));
    shot.save(ScreenshotPath("title_page"));
    const TControl& title = *dialog->Labels[0];
    const QPoint at = ClientOf(title)->mapTo(WindowOf(*dialog), QPoint(0, 0));
    titleInk = DarkPixels(shot, QRect(at, QSize(title.Width, title.Height)));
    QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("TitlePagePublishItem")->Click();
  Application->ProcessMessages();
  EXPECT_TRUE(unseen.empty()) << unseen.front() << " does not show";
  EXPECT_EQ(chosen, 2);
  EXPECT_GT(titleInk, 20) << "the title shows on the page";
  const TTitlePage page = TitlePageOf(Script());
  EXPECT_EQ(page[2].Text, "Ann Writer");
  EXPECT_EQ(page[0].Text, "THE LONG NIGHT");
  EXPECT_EQ(Script().DocumentModified, 1);
}

}  // namespace
}  // namespace qm
