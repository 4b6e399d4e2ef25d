// The script folder dialog on the desktop: the whole of it shows, and a
// real double click on a folder in its list puts that folder in the field
// for OK to take.
#include <QListWidget>
#include <QtTest/QTest>

#include "base/ini_file.h"
#include "gui/program_gui_fixture.h"
#include "platform/files.h"
#include "shell/utility_dialogs.h"

namespace qm {
namespace {

class ScriptFolderDialogGuiTest : public testing::ProgramGuiFixture {};

TEST_F(ScriptFolderDialogGuiTest, ADoubleClickOnAFolderPutsItInTheFieldAndOkTakesIt) {
  const std::string parent = Home() + "/scripts";
  ForceDirectories(parent + "/Drafts");
  ScriptDirectory = parent;
  bool shown = false;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TSetupScriptDirectoryDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    shown = true;
    for (TControl* c :
         std::initializer_list<TControl*>{dialog->ScriptDirEdit, dialog->DirList, dialog->DriveList, dialog->OKBtn})
      EXPECT_TRUE(dialog->ClientRect().Contains(TPoint{c->Left + c->Width - 1, c->Top + c->Height - 1}))
          << c->Name << " reaches past the dialog";
    auto* list = qobject_cast<QListWidget*>(ClientOf(*dialog->DirList));
    ASSERT_NE(list, nullptr);
    const int drafts = dialog->DirList->ItemIndex() + 1;
    ASSERT_EQ(dialog->DirList->ItemPath(drafts), parent + "/Drafts");
    SaveShot(*WindowOf(*dialog), "script_folder_dialog");
    DoubleClickRow(*list, drafts);
    EXPECT_EQ(dialog->ScriptDirEdit->Text(), parent + "/Drafts");
    QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
  });
  EXPECT_TRUE(SetupScriptDirectory());
  ASSERT_TRUE(shown);
  EXPECT_EQ(ScriptDirectory, parent + "/Drafts");
}

}  // namespace
}  // namespace qm
