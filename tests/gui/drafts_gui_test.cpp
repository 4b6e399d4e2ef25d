// A script locked on the desktop: the lock dialog comes up from the
// Production menu, and Shift+Enter in the locked script asks which page
// break to put in and puts it before the caret's element.
#include <QtTest/QTest>

#include "formats/lock_script_dialog.h"
#include "formats/page_type_dialog.h"
#include "gui/program_gui_fixture.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class DraftsGuiTest : public testing::ProgramGuiFixture {
 protected:
  int BreaksOfKind(Byte kind) {
    int n = 0;
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next) n += e->Kind() == kind;
    return n;
  }
};

TEST_F(DraftsGuiTest, ALockedScriptTakesTheLockedPageBreakTheWriterChooses) {
  testing::Typist t;
  t.Type("INT. BARN - DAY");
  t.Key(Qt::Key_Return);
  t.Type("Rain falls on the roof.");
  t.Key(Qt::Key_Return);
  t.Type("The door opens.");
  Play(t);

  std::vector<std::string> unseen;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TLockScriptDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    for (TControl* c :
         std::initializer_list<TControl*>{dialog->ScenesBox, dialog->PagesBox, dialog->HeadersBox,
                                          dialog->HeaderLine1Edit, dialog->HeaderLine2Edit, dialog->ContinuedsBox})
      if (QWidget* w = ClientOf(*c); !w || !w->isVisible()) unseen.push_back(c->Name);
    SaveShot(*WindowOf(*dialog), "lock-script-dialog");
    QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("LockScriptItem")->Click();
  Application->ProcessMessages();
  EXPECT_TRUE(unseen.empty()) << unseen.front() << " does not show";
  EXPECT_EQ(Script().ScenesLocked, 1);
  EXPECT_EQ(Script().PagesLocked, 1);

  bool asked = false;
  testing::Typist breaks;
  breaks.Key(Qt::Key_Home);
  breaks.Key(Qt::Key_Return, Qt::ShiftModifier);
  breaks.When([] { return dynamic_cast<TWhichPageTypeDlg*>(Screen->ActiveForm()) != nullptr; },
              [&] {
                auto& dialog = dynamic_cast<TWhichPageTypeDlg&>(*Screen->ActiveForm());
                asked = dialog.Caption() == "Put in Which Type of Page Break?";
                dialog.PageBreakGroup->SetItemIndex(0);
                QTest::mouseClick(ClientOf(*dialog.OKBtn), Qt::LeftButton);
              });
  Play(breaks);
  Application->ProcessMessages();
  EXPECT_TRUE(asked);
  EXPECT_EQ(BreaksOfKind(ekLockedPageBreak), 1);
  const TScriptElement* pageBreak = Script().FirstElement;
  while (pageBreak && pageBreak->Kind() != ekLockedPageBreak) pageBreak = pageBreak->next;
  ASSERT_NE(pageBreak, nullptr);
  ASSERT_NE(pageBreak->next, nullptr);
  EXPECT_EQ(pageBreak->next, Script().CurrentElement()) << "the caret's element opens the new page";
  Script().Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(LinesWithoutInk(Shot("locked-page-break")), std::vector<std::string>{});
}

}  // namespace
}  // namespace qm
