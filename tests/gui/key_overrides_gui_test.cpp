// Keys at the desktop: Shift+Ctrl+Alt+Down and Up grow a marked block to
// the scene heading below or above, and a key the options gave an action
// does that action in place of the command that had the key.
#include <QApplication>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class KeyOverridesGuiTest : public testing::ProgramGuiFixture {
 protected:
  // Three short scenes, the caret on the first action.
  void LoadScenes() {
    std::vector<ElementSpec> elements;
    for (int scene = 1; scene <= 3; ++scene) {
      elements.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(scene) + " - DAY"});
      for (int i = 1; i <= 3; ++i)
        elements.push_back({ekAction, "Scene " + std::to_string(scene) + ", action " + std::to_string(i) + "."});
    }
    ShowScript(elements, 1);
  }
  int IndexOf(const TScriptElement* element) {
    int i = 0;
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next, ++i)
      if (e == element) return i;
    return -1;
  }
  // The block's first and last elements with their columns.
  std::vector<int> Block() {
    const std::vector<editor::TBlockSpan> spans = editor::BlockSpans(Script());
    if (spans.empty()) return {};
    return {IndexOf(spans.front().element), spans.front().start, IndexOf(spans.back().element), spans.back().end};
  }
};

TEST_F(KeyOverridesGuiTest, ShiftCtrlAltDownAndUpGrowTheBlockToTheSceneHeadings) {
  LoadScenes();
  QWidget* client = ScriptClient();
  // A block of the first action's first word, by Shift+Ctrl+Right.
  QTest::keyClick(client, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
  Application->ProcessMessages();
  ASSERT_TRUE(Script().BlockOn());
  ASSERT_EQ(Block().size(), 4u);
  ASSERT_EQ(Block()[0], 1);
  ASSERT_EQ(Block()[1], 0);

  QTest::keyClick(client, Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  Application->ProcessMessages();
  EXPECT_EQ(IndexOf(Script().CurrentElement()), 4) << "the caret on the second scene heading";
  EXPECT_EQ(Block(), (std::vector<int>{1, 0, 4, 0})) << "the rest of the first scene";
  const QImage shot = Shot("extend_block_to_scene");
  // The heading goes low in the window: the lines above the script's
  // start show nothing, not what they showed before.
  const QPoint origin = client->mapTo(MainWindow(), QPoint(0, 0));
  const TScreenLine* first = nullptr;
  for (int line = 1; line <= ScreenLineCount && !first; ++line)
    if (Script().ScreenLines[static_cast<std::size_t>(line)].element)
      first = &Script().ScreenLines[static_cast<std::size_t>(line)];
  ASSERT_NE(first, nullptr);
  ASSERT_GT(first->y, Script().ScreenAscent + Script().ScreenDescent) << "the script starts below the window's top";
  const QRect above(origin.x(), origin.y(), client->width(), first->y - Script().ScreenAscent);
  EXPECT_EQ(DarkPixels(shot, above), 0);

  QTest::keyClick(client, Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  Application->ProcessMessages();
  EXPECT_EQ(IndexOf(Script().CurrentElement()), 8);
  EXPECT_EQ(Block(), (std::vector<int>{1, 0, 8, 0})) << "and the whole second scene";

  QTest::keyClick(client, Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  Application->ProcessMessages();
  EXPECT_EQ(IndexOf(Script().CurrentElement()), 4);
  EXPECT_EQ(Block(), (std::vector<int>{1, 0, 4, 0})) << "back to the second heading";
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no dialog asks how to extend";
}

TEST_F(KeyOverridesGuiTest, WithoutABlockTheKeysOnlyMoveToTheScene) {
  LoadScenes();
  QTest::keyClick(ScriptClient(), Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  Application->ProcessMessages();
  EXPECT_EQ(IndexOf(Script().CurrentElement()), 4);
  EXPECT_FALSE(Script().BlockOn());
}

class OverriddenKeyGuiTest : public KeyOverridesGuiTest {
 protected:
  void SetUp() override {
    // Ctrl+G (Goto Page) given "End of Line".
    InitialSettings.push_back({"Override Keys", "32", "38"});
    KeyOverridesGuiTest::SetUp();
  }
};

TEST_F(OverriddenKeyGuiTest, AnOverriddenKeyDoesItsActionInsteadOfOpeningThePageDialog) {
  LoadScenes();
  ASSERT_EQ(Script().CaretColumn(), 0);
  QTest::keyClick(ScriptClient(), Qt::Key_G, Qt::ControlModifier);
  Application->ProcessMessages();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the page dialog stays shut";
  EXPECT_EQ(IndexOf(Script().CurrentElement()), 1);
  EXPECT_EQ(std::size_t{Script().CaretColumn()}, Script().EditBuffer().size()) << "the caret at the end of the line";
  EXPECT_EQ(Script().EditBuffer(), "Scene 1, action 1.");
  Shot("overridden_key");
}

}  // namespace
}  // namespace qm
