// The program itself on the desktop: its main window with a script window
// in which a scene is typed with real key events.
#include <QDir>
#include <QtTest/QTest>

#include "gui/gui_fixture.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "shell/main_form.h"
#include "shell/program_start.h"

namespace qm {
namespace {

class ProgramWindowTest : public testing::ProgramGuiFixture {
 protected:
  // The next element takes a type, as choosing it does.
  void NextElement(Byte kind) {
    Script().CurrentFormat = Script().FormatSet[static_cast<size_t>(FormatSlotOfKind(kind))];
    Script().NewElement(true, false, false);
    Application->ProcessMessages();
  }
};

TEST_F(ProgramWindowTest, AWriterTypesASceneAndSeesIt) {
  ASSERT_NE(ScriptWidget(), nullptr);
  Script().SetFocus();
  Script().CurrentFormat = Script().FormatSet[fsSceneHeading];
  Script().NewElement(true, false, false);
  QTest::keyClicks(ScriptWidget(), "int. kitchen - night");
  Application->ProcessMessages();
  NextElement(ekAction);
  QTest::keyClicks(ScriptWidget(), "A kettle whistles.");
  NextElement(ekCharacterName);
  QTest::keyClicks(ScriptWidget(), "mary");
  NextElement(ekDialogue);
  QTest::keyClicks(ScriptWidget(), "Not tonight.");
  Application->ProcessMessages();

  std::vector<std::pair<Byte, std::string>> elements;
  Script().Assemble();
  for (TScriptElement* e = Script().FirstElement; e; e = e->next) {
    elements.emplace_back(e->Kind(), e == Script().CurrentElement && !e->text ? Script().EditBuffer : "");
  }
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(elements[0].first, ekSceneHeading);
  EXPECT_EQ(elements[2].first, ekCharacterName);
  EXPECT_EQ(*Script().FirstElement->next->next->text, "MARY") << "a name is typed in capitals";

  Script().Invalidate();
  Application->ProcessMessages();
  const QImage shot = Grab(*WindowOf(*MainForm));
  QDir().mkpath(QString(QM_BINARY_DIR) + "/screenshots");
  shot.save(QString(QM_BINARY_DIR) + "/screenshots/script-window.png");
  // Ink on every row where the script window painted a line of text.
  const QPoint origin = ScriptWidget()->mapTo(WindowOf(*MainForm), QPoint(0, 0));
  for (int line = 1; line <= 5; ++line) {
    const TScreenLine& shown = Script().ScreenLines[static_cast<size_t>(line)];
    if (!shown.element || shown.text.empty()) continue;
    const int top = origin.y() + shown.y - shown.height + 4;
    EXPECT_GT(DarkPixels(shot, QRect(origin.x(), top, ScriptWidget()->width(), shown.height)), 20)
        << "no ink on screen line " << line << " \"" << shown.text << "\"";
  }
}

}  // namespace
}  // namespace qm
