// The name bank on the desktop over the file the build made from the
// census lists: Ctrl+Alt+N opens it on the male names, Find Name picks a
// name as it is typed, the mouse drags it onto the favourites and from
// there onto the name to insert, and Insert types it into the script
// (screenshots/name-bank.png).
#include <QApplication>
#include <QWindow>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "language/name_bank.h"
#include "platform/forms.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class NameBankGuiTest : public testing::ProgramGuiFixture {
 protected:
  static bool NameBankShown() {
    TReadNameBank* bank = NameBankWindow();
    QWidget* window = bank ? WindowOf(*bank) : nullptr;
    return window && window->windowHandle() && window->windowHandle()->isExposed() &&
           bank->Caption() == "Quillmaster Name Bank - 3900 Male Names";
  }
  // Drags item `item` of `from` with the mouse, released over the middle
  // of `onto`; the pressed list keeps the mouse while the button is held.
  static void DragWithMouse(TListBox& from, int item, TControl& onto) {
    QWidget* pressed = ClientOf(from);
    QWidget* target = ClientOf(onto);
    const TRect rect = from.ItemRect(item);
    const QPoint start(rect.Left + 4, rect.Top + 4);
    QTest::mousePress(pressed, Qt::LeftButton, {}, start);
    QTest::mouseMove(pressed, start + QPoint(30, 0));
    QTest::mouseRelease(pressed, Qt::LeftButton, {},
                        pressed->mapFromGlobal(target->mapToGlobal(target->rect().center())));
  }
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data"};
};

TEST_F(NameBankGuiTest, CtrlAltNShowsTheNamesAndInsertTypesTheNameDraggedThere) {
  testing::Typist t;
  t.Type("Enter ");
  t.Key(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
  t.When(NameBankShown, [&] {
    TReadNameBank& bank = *NameBankWindow();
    EXPECT_EQ(bank.Notebook->ActivePageIndex(), 1);
    EXPECT_EQ(bank.Names[0]->Items[0], "Aaron");
    bank.Match[0]->SetFocus();
  });
  t.Type("robe");
  t.When([] { return NameBankWindow() && NameBankWindow()->Match[0]->Text() == "robe"; },
         [&] {
           TReadNameBank& bank = *NameBankWindow();
           TListBox& names = *bank.Names[0];
           ASSERT_GE(names.ItemIndex(), 0);
           EXPECT_EQ(names.Items[names.ItemIndex()], "Robert");
           EXPECT_EQ(bank.LetterIndex[0]->ItemIndex(), 'R' - 'A');
           DragWithMouse(names, names.ItemIndex(), *bank.Favorites[0]);
           ASSERT_EQ(bank.Favorites[0]->Items.IndexOf("Robert"), 0);
           EXPECT_TRUE(bank.FavoritesChanged[0]);
           DragWithMouse(*bank.Favorites[0], 0, *bank.InsertName);
           EXPECT_EQ(bank.InsertName->Text(), "Robert ");
           QApplication::processEvents();
           ScreenShot("name-bank");
           QTest::mouseClick(ClientOf(*bank.TypeName), Qt::LeftButton);
         });
  t.When([] { return NameBankWindow() != nullptr; }, [&] { NameBankWindow()->CloseBtn->Click(); });
  t.When([] { return NameBankWindow() == nullptr; }, [&] { EXPECT_EQ(Script().EditBuffer(), "Enter Robert "); });
  Play(t);
}

}  // namespace
}  // namespace qm
