// The script formats dialog on the desktop: opened from the Format menu,
// a margin typed with real keys, and the script laid out with it.
#include <QtTest/QTest>

#include "formats/script_formats_dialog.h"
#include "gui/program_gui_fixture.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class FormatDialogsGuiTest : public testing::ProgramGuiFixture {};

TEST_F(FormatDialogsGuiTest, TypedDialogueMarginIsTakenByTheScript) {
  testing::Typist t;
  t.Type("INT. BARN - DAY");
  t.Key(Qt::Key_Return);
  t.Type("Rain falls on the roof.");
  Play(t);

  std::vector<std::string> unseen;
  std::string shown;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TEditScriptFormatsDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    dialog->Notebook->SetActivePageIndex(1);
    Application->ProcessMessages();
    auto* left = dialog->PageControl<TEdit>("Dialogue", "Left");
    for (TControl* c :
         std::initializer_list<TControl*>{left, dialog->PageControl<TEdit>("Dialogue", "Right"),
                                          dialog->PageControl<TCheckBox>("Dialogue", "Caps"), dialog->OKBtn})
      if (QWidget* w = ClientOf(*c); !w || !w->isVisible()) unseen.push_back(c->Name);
    shown = left->Text();
    QWidget* edit = ClientOf(*left);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, "3.0");
    SaveShot(*WindowOf(*dialog), "formats");
    QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("EditScriptFormatItem")->Click();
  Application->ProcessMessages();
  EXPECT_TRUE(unseen.empty()) << unseen.front() << " does not show";
  EXPECT_EQ(shown, "2.5");
  EXPECT_EQ(Script().FormatSet[fsDialogue].LeftMargin, 30);
}

}  // namespace
}  // namespace qm
