// The program options dialog on the desktop: its pages show their boxes,
// a real click on a box and on OK stores the option.
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"

namespace qm {
namespace {

class SettingsDialogsGuiTest : public testing::ProgramGuiFixture {};

TEST_F(SettingsDialogsGuiTest, TheOptionsDialogShowsItsPagesAndStoresAClickedBox) {
  const bool before = ProgramOptions().ControlSIsSave;
  std::vector<std::string> unseen;
  bool shown = false;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TSettingsDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    shown = true;
    EXPECT_EQ(dialog->Notebook->PageCount(), 11);
    SaveShot(*WindowOf(*dialog), "options");
    dialog->Notebook->SetActivePageIndex(5);  // Misc.
    Application->ProcessMessages();
    TCheckBox* box = dialog->Box("ControlSBox");
    if (QWidget* w = ClientOf(*box); !w || !w->isVisible()) unseen.push_back(box->Name);
    else QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    Grab(*WindowOf(*dialog)).save(QString(QM_BINARY_DIR) + "/screenshots/options-misc.png");
    QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("ProgramSettingsItem")->Click();
  Application->ProcessMessages();
  ASSERT_TRUE(shown);
  EXPECT_TRUE(unseen.empty()) << unseen.front() << " does not show";
  EXPECT_NE(ProgramOptions().ControlSIsSave, before);
}

}  // namespace
}  // namespace qm
