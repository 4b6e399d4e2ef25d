#include "story/scene_pilot.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "script/script_window.h"
#include "platform/menus.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "story/cards_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ScenePilotTest : public testing::CardsFixture {
 protected:
  void LoadScenes(int scenes, int caret = 0) {
    std::vector<ElementSpec> script{{ekAction, "FADE IN:"}};
    for (int s = 1; s <= scenes; ++s) {
      script.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(s)});
      script.push_back({ekAction, "Body " + std::to_string(s) + "."});
    }
    Load(script, caret);
  }
  // The scene number on each button, 0 for an empty one.
  static std::vector<int> Shown(const TScenePilot& pilot) {
    std::vector<int> shown;
    for (const TExplorerButton* b : pilot.Scn) {
      const std::string caption = b->Caption;
      const std::size_t at = caption.find("ROOM ");
      shown.push_back(at == std::string::npos ? 0 : std::stoi(caption.substr(at + 5)));
    }
    return shown;
  }
};

TEST_F(ScenePilotTest, ThePilotOpensOnTheCaretsScene) {
  const struct {
    const char* name;
    int scenes, caret;
    int heading;  // element position, -1 for none
  } cases[] = {
      {"caret in a scene's body", 3, 4, 3},
      {"caret on a heading", 3, 5, 5},
      {"caret before the first heading", 3, 0, 1},
      {"no heading at all", 0, 0, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadScenes(c.scenes, c.caret);
    EXPECT_EQ(IndexOf(PilotStartHeading(Script())), c.heading);
  }
}

TEST_F(ScenePilotTest, ButtonsShowSixScenesAndScrollingNeverEmptiesTheLast) {
  LoadScenes(9);
  TScenePilot pilot(nullptr, Script());
  pilot.ShowAround(Nth(7), 3);  // scene 4 under the third button
  EXPECT_EQ(Shown(pilot), (std::vector<int>{2, 3, 4, 5, 6, 7}));
  EXPECT_NE(std::string(pilot.Scn[0]->Caption).find("Body 2."), std::string::npos);
  pilot.ScrollDown();
  pilot.ScrollDown();
  EXPECT_EQ(Shown(pilot), (std::vector<int>{4, 5, 6, 7, 8, 9}));
  pilot.ScrollDown();  // fewer than seven scenes from the top: stays
  EXPECT_EQ(Shown(pilot), (std::vector<int>{4, 5, 6, 7, 8, 9}));
  pilot.ScrollBtnClick(false);  // six up, but only three remain
  EXPECT_EQ(Shown(pilot), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  pilot.ScnBtnClick(5);
  EXPECT_EQ(Script().CurrentElement(), Nth(9));
}

TEST_F(ScenePilotTest, ALongSceneShowsAboutTwoHundredCharacters) {
  Load({{ekSceneHeading, "INT. HALL"}, {ekAction, std::string(400, 'x')}, {ekCharacterName, "BOB"}});
  const std::string caption = PilotCaption(Script(), *Nth(0));
  EXPECT_EQ(caption.size(), 200u);
  EXPECT_EQ(caption.find("BOB"), std::string::npos);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST_F(ScenePilotTest, ATaggedScriptsPilotLeavesItsTagsOut) {
  Load({{ekSceneHeading, "INT. HALL \x06"
                         "BOB\x01"},
        {ekAction, std::string("A \x0A") + "knife\x01 lies on the table."}});
  Script().TaggingUsed = 1;
  EXPECT_EQ(PilotCaption(Script(), *Nth(0)), "1  INT. HALL BOB A knife lies on the table.");
}

TEST_F(ScenePilotTest, GotoSceneOpensThePilotOnceTheMenuHasGoneAndAClickGoesThere) {
  LoadScenes(4, 6);
  MainForm->MenuItem("ScenePilotItem")->Click();
  EXPECT_EQ(ScenePilot(), nullptr) << "the pilot waits for its timer";
  AdvanceClock(PilotOpenDelay + 10);
  TScenePilot* pilot = ScenePilot();
  ASSERT_NE(pilot, nullptr);
  EXPECT_EQ(IndexOf(pilot->FirstShown()), 5) << "the caret's scene on the button under the pointer";
  pilot->Scn[1]->Click();
  EXPECT_EQ(ScenePilot(), nullptr);
  EXPECT_EQ(Script().CurrentElement(), Nth(7));
}

TEST_F(ScenePilotTest, AClickedSceneLandsOnTheSixthScreenLineUnlessItOpensTheScript) {
  const struct {
    const char* name;
    bool fadeIn;  // an Action in front of the first heading
    int button;
    int element;
    int line;
  } cases[] = {
      {"a scene deep in the script", true, 4, 7, 6},
      {"the first scene after an opening Action", true, 1, 1, 6},
      {"the script's first element", false, 1, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<ElementSpec> script;
    if (c.fadeIn) script.push_back({ekAction, "FADE IN:"});
    for (int s = 1; s <= 20; ++s) {
      script.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(s)});
      script.push_back({ekAction, "Body " + std::to_string(s) + "."});
    }
    Load(script, static_cast<int>(script.size()) - 1);
    TScenePilot pilot(nullptr, Script());
    pilot.ShowAround(Nth(c.fadeIn ? 1 : 0), 1);
    pilot.ScnBtnClick(c.button);
    ASSERT_EQ(Script().CurrentElement(), Nth(c.element));
    EXPECT_EQ(Script().CurrentElement()->screenLine,
              testing::LandingLine(Script(), *Script().CurrentElement(), c.line));
    EXPECT_EQ(Script().CaretColumn(), 0);
  }
}

TEST_F(ScenePilotTest, ThePilotClosesWhenTheMouseLeavesItAndNotForOneOfItsButtons) {
  LoadScenes(4, 6);
  MainForm->MenuItem("ScenePilotItem")->Click();
  AdvanceClock(PilotOpenDelay + 10);
  TScenePilot* pilot = ScenePilot();
  ASSERT_NE(pilot, nullptr);
  // onto one of its buttons: the window's own leave message, the pointer still inside
  Backend().SetCursorPos(pilot->Scn[2]->ClientToScreen(TPoint{5, 5}));
  pilot->Perform(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(ScenePilot(), pilot);
  Backend().SetCursorPos(pilot->ClientToScreen(TPoint{-20, 5}));
  pilot->Perform(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(ScenePilot(), nullptr);
}

// A left press and release on the first screen line of an element.
void ClickOn(TMDIChild& w, const TScriptElement* target) {
  RebuildScreen(&w);
  int top = w.TextTopOffset;
  for (int line = 1; line <= ScreenLineCount; ++line) {
    const TScreenLine& row = w.ScreenLines[static_cast<std::size_t>(line)];
    if (row.element == target && row.lineInElement == 1) {
      const int x = w.LeftTextOffset + ScreenLeftOf(w, target->format) + 2;
      const LPARAM point = (static_cast<LPARAM>((top + row.height / 2) & 0xFFFF) << 16) | (x & 0xFFFF);
      Application->DeliverInput(TMsg{w.Handle(), WM_LBUTTONDOWN, 0x01 /* left button */, point, 0, {}});
      Application->DeliverInput(TMsg{w.Handle(), WM_LBUTTONUP, 0, point, 0, {}});
      Application->ProcessMessages();
      return;
    }
    top += row.height;
  }
  ADD_FAILURE() << "the element is not on the screen";
}

// A press in the script while the pilot is open closes the pilot and is
// the script's press all the same: the caret goes where it was pressed.
TEST_F(ScenePilotTest, APressInTheScriptClosesThePilotAndMovesTheCaret) {
  LoadScenes(4, 6);
  MainForm->MenuItem("ScenePilotItem")->Click();
  AdvanceClock(PilotOpenDelay + 10);
  ASSERT_NE(ScenePilot(), nullptr);
  ClickOn(Script(), Nth(8));
  EXPECT_EQ(ScenePilot(), nullptr);
  EXPECT_EQ(Script().CurrentElement(), Nth(8));
  // The script has its own handler back: a later press still acts.
  ClickOn(Script(), Nth(7));
  EXPECT_EQ(Script().CurrentElement(), Nth(7));
  EXPECT_EQ(ScenePilot(), nullptr);
}

TEST_F(ScenePilotTest, ShowScenePilotHidesAndShowsTheButtonUnderTheElementButtons) {
  TMenuItem* item = MainForm->MenuItem("SceneGuideItem");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->Enabled());
  auto* button = dynamic_cast<TControl*>(MainForm->FindComponent("SceneGuideBtn"));
  ASSERT_NE(button, nullptr);
  TControl& panel = *button->Parent();
  EXPECT_TRUE(item->Checked);
  EXPECT_TRUE(button->Visible);
  item->Click();
  EXPECT_FALSE(item->Checked);
  EXPECT_FALSE(button->Visible);
  EXPECT_EQ(panel.Height(), button->Top()) << "the panel ends at the button's top";
  item->Click();
  EXPECT_TRUE(item->Checked);
  EXPECT_TRUE(button->Visible);
  EXPECT_EQ(panel.Height(), button->Top() + button->Height() + 2);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// The pilot opens only for a pointer that rests on the Scene Pilot button
// (a quarter of a second); one that passes over it on its way elsewhere
// opens nothing.
TEST_F(ScenePilotTest, ThePilotButtonOpensThePilotOnlyForAPointerThatRestsOnIt) {
  LoadScenes(4, 6);
  auto* button = dynamic_cast<TControl*>(MainForm->FindComponent("SceneGuideBtn"));
  ASSERT_NE(button, nullptr);
  const struct {
    const char* how;
    std::uint64_t onButtonMs;
    bool opens;
  } cases[] = {{"passing over", 150, false}, {"resting", 260, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    const TPoint inside{button->Width / 2, button->Height / 2};
    Backend().SetCursorPos(button->ClientToScreen(inside));
    button->Perform(WM_MOUSEMOVE, 0, static_cast<LPARAM>((inside.Y << 16) | inside.X));
    AdvanceClock(c.onButtonMs);
    Backend().SetCursorPos(Script().ClientToScreen(TPoint{20, 20}));
    button->Perform(WM_MOUSELEAVE, 0, 0);
    AdvanceClock(1000);
    EXPECT_EQ(ScenePilot() != nullptr, c.opens);
    if (TScenePilot* pilot = ScenePilot()) pilot->Close();
    Application->ProcessMessages();
  }
}

}  // namespace
}  // namespace qm
