// Cheating a page on the desktop: the "Cheat the Page" dialog opened from
// the Edit menu, a count typed with real keys, and the page taking more.
#include <QtTest/QTest>

#include "formats/cheat_dialogs.h"
#include "gui/program_gui_fixture.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class CheatsGuiTest : public testing::ProgramGuiFixture {
 protected:
  int ElementsOnFirstPage() {
    int count = 0;
    for (const TScriptElement* e = Script().FirstElement; e && !IsPageBreakKind(e->Kind()); e = e->next) ++count;
    return count;
  }
};

TEST_F(CheatsGuiTest, TheFirstPageTakesMoreLinesThroughTheDialog) {
  LoadSceneScript(3);
  const int before = ElementsOnFirstPage();
  ASSERT_GT(before, 10);
  std::vector<std::string> unseen;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TCheatPageDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    for (TControl* c : std::initializer_list<TControl*>{dialog->IncreaseBtn, dialog->DecreaseBtn, dialog->LinesEdit,
                                                        dialog->OKBtn, dialog->CancelBtn})
      if (QWidget* w = ClientOf(*c); !w || !w->isVisible()) unseen.push_back(c->Name);
    QWidget* edit = ClientOf(*dialog->LinesEdit);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, "3");
    SaveShot(*WindowOf(*dialog), "cheat_page");
    QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("Page2")->Click();
  Application->ProcessMessages();
  EXPECT_TRUE(unseen.empty()) << unseen.front() << " does not show";
  EXPECT_GT(ElementsOnFirstPage(), before) << "three more lines take at least one more action";
  EXPECT_LT(Script().FirstElement->next->next->format.LinesBefore, Script().FormatSet[fsAction].LinesBefore);
}

}  // namespace
}  // namespace qm
