// On the desktop with real keys: a word typed and left with an arrow key
// is checked as typing a blank after it would check it, once; and the
// print menu's scenes of chosen names print only those scenes.
#include <QApplication>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "gui/typist.h"
#include "platform/menus.h"
#include "shell/main_form.h"
#include "support/temp_folder.h"

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
      Script().EditBuffer.clear();
      Script().CaretColumn = 0;
    });
    typist.Type("Go ofthe");
    typist.Key(c.key, c.modifiers);
    std::string line;
    typist.Then([&] { line = Script().EditBuffer; });
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
  typist.Then([&] { afterArrows = Script().EditBuffer; });
  // Mending the word (Backspace, a letter typed) leaves it waiting again.
  typist.Key(Qt::Key_End);
  typist.Key(Qt::Key_Backspace);
  typist.Type("e");
  typist.Key(Qt::Key_Right, Qt::ControlModifier);
  std::string afterMend;
  typist.Then([&] { afterMend = Script().EditBuffer; });
  Play(typist, 30000);
  EXPECT_EQ(afterArrows, "Go ofthe");
  EXPECT_EQ(afterMend, "Go of the");
}

}  // namespace
}  // namespace qm
