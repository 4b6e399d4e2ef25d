// The breakdown sheet editor on the desktop: opened from the menu on the
// scene at the caret, its squares show the scene's tags; a drag to another
// square retags the item in the text, and one undo takes it all back.
#include <QtTest/QTest>

#include "breakdown/breakdown_sheet_editor.h"
#include "breakdown/categories.h"
#include "breakdown/category_setup_dialog.h"
#include "breakdown/sheet_layout_dialog.h"
#include "breakdown/tagging.h"
#include "gui/breakdown_gui_fixture.h"
#include "base/message_box_form.h"
#include "shell/main_form.h"

namespace qm {
namespace {

using testing::Props;
using BreakdownSheetsGuiTest = testing::BreakdownGuiFixture;

TEST_F(BreakdownSheetsGuiTest, TheEditorShowsTheSceneAndWritesADragBackAsTags) {
  testing::Typist t;
  t.Type("INT. BARN - DAY");
  t.Key(Qt::Key_Return);
  t.Type("He lifts a gun.");
  t.Key(Qt::Key_Left);
  for (int i = 0; i < 3; ++i) t.Key(Qt::Key_Left, Qt::ShiftModifier);
  Play(t);
  MainForm->MenuItem("TaggingModeItem")->Click();
  TagSelectionWithCategory(Script(), Props);
  MainForm->MenuItem("TaggingModeItem")->Click();
  Application->ProcessMessages();
  const std::string tagged = "He lifts a " + Tag(Props, "gun") + ".";
  ASSERT_EQ(Script().EditBuffer(), tagged);

  bool seen = false;
  Later(300, [&] {
    auto* editor = dynamic_cast<TBreakdownSheetEditor*>(Screen->ActiveForm());
    ASSERT_NE(editor, nullptr);
    seen = true;
    EXPECT_TRUE(TaggingModeOn()) << "the editor works in tagging mode";
    EXPECT_EQ(editor->Titles[5]->Text(), "PROPS");
    ASSERT_EQ(editor->Squares[5]->Items.Count(), 1);
    EXPECT_EQ(editor->Squares[5]->Items[0], "gun");
    ScreenShot("breakdown-sheet");
    // Dragged with the mouse from the props to the effects square.
    QWidget* props = ClientOf(*editor->Squares[5]);
    QWidget* effects = ClientOf(*editor->Squares[4]);
    const TRect item = editor->Squares[5]->ItemRect(0);
    const QPoint from(item.Left + 4, item.Top + 4);
    QTest::mousePress(props, Qt::LeftButton, {}, from);
    QTest::mouseMove(props, from + QPoint(30, 0));
    QTest::mouseRelease(props, Qt::LeftButton, {}, props->mapFromGlobal(effects->mapToGlobal(QPoint(10, 10))));
    EXPECT_EQ(editor->Squares[4]->Items.Count(), 1);
    EXPECT_EQ(editor->Squares[5]->Items.Count(), 0);
    editor->CloseBtn->Click();
  });
  MainForm->MenuItem("EditSheetsItem")->Click();
  Application->ProcessMessages();
  ASSERT_TRUE(seen);
  EXPECT_FALSE(TaggingModeOn()) << "left again as it was";
  constexpr int SpecialFX = 20;
  const std::string retagged = "He lifts a " + Tag(SpecialFX, "gun") + ".";
  EXPECT_EQ(Script().CurrentElement()->Kind(), ekAction);
  EXPECT_EQ(Script().EditBuffer(), retagged);

  testing::Typist undo;
  undo.Key(Qt::Key_Backspace, Qt::AltModifier);
  Play(undo);
  EXPECT_EQ(Script().EditBuffer(), tagged);
}

TEST_F(BreakdownSheetsGuiTest, TheCategoryPageRenamesAndItsLayoutPageMovesSquares) {
  bool warned = false, renamed = false, laidOut = false;
  // The warning, then the category page; from it the layout page.
  Later(300, [&] {
    auto* box = dynamic_cast<TMyNewMsgBox*>(Screen->ActiveForm());
    ASSERT_NE(box, nullptr);
    warned = box->MenuText->Caption().find("does NOT support renaming categories") != std::string::npos;
    box->ModalResult = mrOk;
    Later(300, [&] {
      auto* page = dynamic_cast<TCategorySetupDlg*>(Screen->ActiveForm());
      ASSERT_NE(page, nullptr);
      page->EditList->SetItemIndex(4);
      page->EditListDblClick();
      page->NameEdit->Text = "&Grips";
      page->CodeEdit->Text = "GP";
      Later(300, [&, page] {
        ScreenShot("breakdown-categories");
        page->ReplaceBtn->Click();
        renamed = page->Setup.Rows[4].Caption == "&Grips";
        Later(300, [&, page] {
          auto* layout = dynamic_cast<TSheetLayoutDlg*>(Screen->ActiveForm());
          ASSERT_NE(layout, nullptr);
          laidOut = layout->Squares[11]->Items.IndexOf("Grips") >= 0;
          Later(300, [&, page, layout] {
            ScreenShot("breakdown-sheet-layout");
            layout->ModalResult = mrOk;
            Later(300, [page] { page->OKBtn->Click(); });
          });
        });
        page->SheetBtn->Click();
      });
    });
  });
  MainForm->MenuItem("EditCategoriesItem")->Click();
  Application->ProcessMessages();
  EXPECT_TRUE(warned);
  EXPECT_TRUE(renamed);
  EXPECT_TRUE(laidOut) << "the layout page shows the renamed category in its square";
  EXPECT_EQ(CategoryMenus()[4].Caption, "&Grips");
  EXPECT_TRUE(TaggingModeOn()) << "editing the categories enters tagging mode";
  MainForm->MenuItem("TaggingModeItem")->Click();
}

}  // namespace
}  // namespace qm
