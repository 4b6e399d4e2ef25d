// On the desktop with real keys: a word typed and left with an arrow key
// is checked as typing a blank after it would check it, once; and the
// print menu offers the scenes of chosen names beside one character's
// pages (screenshot: screenshots/print-menu-scenes-of-names.png).
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "gui/typist.h"
#include "platform/menus.h"
#include "printing/print_menu.h"
#include "shell/main_form.h"
#include "support/temp_folder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class ArrowKeySpellingGuiTest : public testing::ProgramGuiFixture {
 protected:
  testing::ScopedEnv program_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data/"};
};

TEST_F(ArrowKeySpellingGuiTest, LeavingATypedWordWithAnArrowChecksIt) {
  struct Case {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* after;
  };
  const Case cases[] = {
      {"Right at the end of the line", Qt::Key_Right, Qt::NoModifier, "Go of the"},
      {"Ctrl+Left", Qt::Key_Left, Qt::ControlModifier, "Go of the"},
      {"Ctrl+Right", Qt::Key_Right, Qt::ControlModifier, "Go of the"},
      {"Left inside the word", Qt::Key_Left, Qt::NoModifier, "Go ofthe"},
      {"Home", Qt::Key_Home, Qt::NoModifier, "Go ofthe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::Typist typist;
    // Each case starts on an empty line of the same element.
    typist.Then([this] {
      editor::SetEditText(Script(), "");
      editor::SetCaretColumn(Script(), 0);
    });
    typist.Type("Go ofthe");
    typist.Key(c.key, c.modifiers);
    std::string line;
    typist.Then([&] { line = Script().EditBuffer(); });
    Play(typist, 30000);
    EXPECT_EQ(line, c.after);
  }
}

TEST_F(ArrowKeySpellingGuiTest, AWordLeftUncheckedIsNotCheckedByTheNextArrow) {
  testing::Typist typist;
  typist.Type("Go ofthe");
  // Left within the word lets it go unchecked; Right back to the end then
  // finds nothing waiting to be checked.
  typist.Key(Qt::Key_Left);
  typist.Key(Qt::Key_Right);
  std::string afterArrows;
  typist.Then([&] { afterArrows = Script().EditBuffer(); });
  // Mending the word (Backspace, a letter typed) leaves it waiting again.
  typist.Key(Qt::Key_End);
  typist.Key(Qt::Key_Backspace);
  typist.Type("e");
  typist.Key(Qt::Key_Right, Qt::ControlModifier);
  std::string afterMend;
  typist.Then([&] { afterMend = Script().EditBuffer(); });
  Play(typist, 30000);
  EXPECT_EQ(afterArrows, "Go ofthe");
  EXPECT_EQ(afterMend, "Go of the");
}

class PrintChoicesGuiTest : public testing::ProgramGuiFixture {
 protected:
  static TPrintMenuDlg* Showing() { return dynamic_cast<TPrintMenuDlg*>(Screen->ActiveForm()); }
};

TEST_F(PrintChoicesGuiTest, TheScenesOfChosenNamesAreAChoiceOfOneCharactersDialogue) {
  testing::Typist t;
  t.Type("INT. BARN - DAY");
  t.Then([] { QTimer::singleShot(0, [] { MainForm->MenuItem("PrintItem")->Click(); }); });
  struct {
    bool pagesBoxWaits = false, pagesBoxOpens = false, nameBoxFollows = false;
  } seen;
  t.When([] { return Showing() != nullptr && WindowOf(*Showing())->isVisible(); },
         [&] {
           TPrintMenuDlg& menu = *Showing();
           seen.pagesBoxWaits = !ClientOf(*menu.CharacterPagesBox)->isEnabled();
           QRadioButton* dialogue = nullptr;
           for (auto* b : ClientOf(*menu.RangeGroup)->findChildren<QRadioButton*>())
             if (b->text().contains("Dialogue")) dialogue = b;
           ASSERT_NE(dialogue, nullptr);
           // On its round button: the rest of a wide row is no target.
           QTest::mouseClick(dialogue, Qt::LeftButton, {}, QPoint(6, dialogue->height() / 2));
           auto* pages = qobject_cast<QComboBox*>(ClientOf(*menu.CharacterPagesBox));
           ASSERT_NE(pages, nullptr);
           seen.pagesBoxOpens = pages->isEnabled() && ClientOf(*menu.CharacterBox)->isEnabled();
           pages->setFocus();
           QTest::keyClick(pages, Qt::Key_Down);
           seen.nameBoxFollows = menu.CharacterPagesBox->ItemIndex() == 1 && !ClientOf(*menu.CharacterBox)->isEnabled();
           const QImage shot = WindowOf(menu)->grab().toImage();
           shot.save(ScreenshotPath("print-menu-scenes-of-names"));
           QTest::mouseClick(ClientOf(*menu.CancelBtn), Qt::LeftButton);
         });
  t.When([] { return Showing() == nullptr; }, [] {});
  Play(t, 30000);
  EXPECT_TRUE(seen.pagesBoxWaits) << "only with one character's dialogue";
  EXPECT_TRUE(seen.pagesBoxOpens);
  EXPECT_TRUE(seen.nameBoxFollows) << "the names of the scenes are picked in a list of their own";
}

}  // namespace
}  // namespace qm
