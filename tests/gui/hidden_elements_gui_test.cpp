// Action hidden from the File menu on the desktop: its lines leave the
// script window, the lines below close up, the arrow keys step over it,
// and showing it again puts its lines back.
#include <QAction>

#include <algorithm>

#include "gui/program_gui_fixture.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class HiddenElementsGuiTest : public testing::ProgramGuiFixture {
 protected:
  // The kinds of the elements the screen lines show, top down, each once.
  std::vector<int> ShownKinds() {
    std::vector<int> kinds;
    const TScriptElement* last = nullptr;
    for (int line = 1; line <= ScreenLineCount; ++line) {
      const TScriptElement* e = Script().ScreenLines[static_cast<std::size_t>(line)].element;
      if (!e || e == last) continue;
      kinds.push_back(e->Kind());
      last = e;
    }
    return kinds;
  }
  void Choose(const char* itemName) {
    QAction* action = FormPeerOf(MainForm)->Menu()->ActionOf(MainForm->MenuItem(itemName));
    ASSERT_NE(action, nullptr) << itemName;
    action->trigger();
    Application->ProcessMessages();
  }
};

TEST_F(HiddenElementsGuiTest, HiddenActionTakesNoLinesAndTheCaretStepsOverIt) {
  testing::Typist t;
  t.Type("INT. BARN - DAY");
  t.Key(Qt::Key_Return);
  t.Type("Rain falls on the roof.");
  t.Key(Qt::Key_Return);
  t.Key(Qt::Key_Tab);
  t.Type("MARY");
  t.Key(Qt::Key_Return);
  t.Type("Close the door.");
  Play(t);
  const std::vector<int> all{ekSceneHeading, ekAction, ekCharacterName, ekDialogue};
  ASSERT_EQ(ShownKinds(), all);
  const int cueLineBefore = Script().FirstElement->next->next->screenLine;

  Choose("HideActionItem");
  EXPECT_EQ(Script().HiddenKinds, 1u << ekAction);
  EXPECT_TRUE(MainForm->MenuItem("HideActionItem")->Checked());
  EXPECT_EQ(ShownKinds(), (std::vector<int>{ekSceneHeading, ekCharacterName, ekDialogue}));
  const TScriptElement* heading = Script().FirstElement;
  const TScriptElement* cue = heading->next->next;
  EXPECT_EQ(cue->screenLine, heading->screenLine + heading->lineCount) << "the cue closes up under the heading";
  EXPECT_LT(cue->screenLine, cueLineBefore);
  Script().Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(LinesWithoutInk(Shot("action-hidden")), std::vector<std::string>{});

  testing::Typist up;
  up.Key(Qt::Key_Up);
  up.Key(Qt::Key_Up);
  Play(up);
  EXPECT_EQ(Script().CurrentElement(), heading) << "up from the dialogue: the cue, then the heading";
  testing::Typist down;
  down.Key(Qt::Key_Down);
  Play(down);
  EXPECT_EQ(Script().CurrentElement(), cue) << "down from the heading passes the hidden Action";

  Choose("UnhideElementsItem");
  EXPECT_EQ(Script().HiddenKinds, 0u);
  EXPECT_EQ(ShownKinds(), all) << "the Action opens its lines again under the heading";
  Script().Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(LinesWithoutInk(Shot("action-shown-again")), std::vector<std::string>{});
}

}  // namespace
}  // namespace qm
