// The file and folder lists on the desktop: the widget shows the core's
// names in the columns asked for, and the user's clicks, double clicks
// and keys reach the core with the item under the pointer chosen.
#include <QListWidget>
#include <QtTest/QTest>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/gui_fixture.h"
#include "platform/file_controls.h"
#include "platform/files.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class FileControlsGuiTest : public testing::GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    form = NewForm(TFormStyle::fsNormal, "Scripts", 520, 320);
    for (int i = 0; i < 12; ++i) testing::WriteFileText(folder.File("SCENE" + std::to_string(10 + i) + ".QMW"), "x");
    ForceDirectories(folder.File("Drafts"));
    testing::WriteFileText(folder.File("Drafts/OLD.QMW"), "x");
  }
  template <class C>
  C* Add(int left, int top, int width, int height) {
    return MakeControl<C>(form, form, "", left, top, width, height);
  }
  static QListWidget* ListOf(const TControl& control) { return qobject_cast<QListWidget*>(ClientOf(control)); }
  TForm* form = nullptr;
  testing::TempFolder folder;
};

TEST_F(FileControlsGuiTest, TheFileListWrapsIntoItsColumnsAndTheUsersActsReachTheCore) {
  auto* files = Add<TFESFileListBox>(10, 10, 400, 100);
  files->SetColumns(4);
  files->SetDirectory(folder.Path());
  std::vector<std::string> events;
  files->OnDblClick = [&](TObject*) { events.push_back("double " + files->FileName()); };
  files->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
    events.push_back("up " + files->FileName());
  };
  files->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    if (key == VK_DELETE) events.push_back("delete " + files->FileName());
  };
  form->Show();
  QListWidget* list = ListOf(*files);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 12);
  EXPECT_EQ(list->item(0)->text().toStdString(), "SCENE10.QMW");
  // Four columns side by side, a quarter of the width each: the names
  // run down the first, then on at the top of the next.
  const QRect first = list->visualItemRect(list->item(0));
  int rows = 1;
  while (rows < list->count() && list->visualItemRect(list->item(rows)).left() == first.left()) ++rows;
  ASSERT_LT(rows, 12) << "one column only";
  EXPECT_EQ(list->visualItemRect(list->item(rows)).top(), first.top());
  EXPECT_EQ(list->visualItemRect(list->item(rows)).left() - first.left(), list->viewport()->width() / 4);

  DoubleClickRow(*list, rows);
  EXPECT_EQ(files->ItemIndex(), rows) << "the item under the pointer is chosen";
  const std::string chosen = folder.File("SCENE" + std::to_string(10 + rows) + ".QMW");
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[events.size() - 2], "double " + chosen);
  EXPECT_EQ(events.back(), "up " + chosen);

  QTest::keyClick(list, Qt::Key_Right);
  EXPECT_EQ(files->ItemIndex(), std::min(11, 2 * rows)) << "Right moves a column on";
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(events.back(), "delete " + files->FileName());

  files->SetItemIndex(1);
  EXPECT_EQ(list->currentRow(), 1) << "the widget shows the core's choice";
  testing::WriteFileText(folder.File("SCENE00.QMW"), "x");
  files->ReadFileNames();
  EXPECT_EQ(list->count(), 13);
  EXPECT_EQ(list->currentRow(), 2) << "the choice stays on its file";
  SaveShot(*WindowOf(*form), "file_list_columns");
}

TEST_F(FileControlsGuiTest, ADoubleClickInTheFolderListOpensTheFolderAndTheFilesFollow) {
  auto* dirs = Add<TFESDirectoryListBox>(10, 10, 200, 280);
  auto* files = Add<TFESFileListBox>(220, 10, 280, 280);
  dirs->SetFileList(files);
  dirs->SetDirectory(folder.Path());
  form->Show();
  QListWidget* list = ListOf(*dirs);
  ASSERT_NE(list, nullptr);
  const int drafts = dirs->ItemIndex() + 1;
  ASSERT_EQ(dirs->ItemPath(drafts), folder.File("Drafts"));
  list->scrollToItem(list->item(drafts));
  DoubleClickRow(*list, drafts);
  EXPECT_EQ(dirs->Directory(), folder.File("Drafts"));
  ASSERT_EQ(ListOf(*files)->count(), 1);
  EXPECT_EQ(ListOf(*files)->item(0)->text().toStdString(), "OLD.QMW");
  EXPECT_EQ(list->currentRow(), dirs->ItemIndex()) << "the folder open is the one chosen";
  EXPECT_EQ(dirs->ItemPath(dirs->ItemIndex()), folder.File("Drafts"));
}

}  // namespace
}  // namespace qm
