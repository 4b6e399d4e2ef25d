// The right panel: its bar and page buttons fill the height the element
// buttons leave, an interactive script gets the multimedia buttons, and
// the page buttons go to the next page or scroll by a window.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "platform/office_button.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class RightPanelTest : public testing::ProgramFixture {
 protected:
  TRightPanel& P() { return MainForm->RightPanel(); }
  TOfficeButton* Button(const char* name) { return dynamic_cast<TOfficeButton*>(MainForm->FindComponent(name)); }
  void LoadPages() {
    TMDIChild& w = Script();
    w.FreeElements();
    ResetScreenLines(w);
    std::vector<testing::ElementSpec> elements;
    for (int i = 0; i < 150; ++i) elements.push_back({ekAction, "Action " + std::to_string(i) + "."});
    testing::AddElements(w, elements);
    editor::SetCurrentElement(w, w.FirstElement);
    w.CurrentGroup = w.FirstElement->group;
    w.DisAssemble();
    w.RefreshKeepingCursor();
    RebuildScreen(&w);
  }
};

TEST_F(RightPanelTest, TheBarAndPageButtonsFillThePanel) {
  struct Case {
    int height;
    bool laidOut;
  } cases[] = {{500, true}, {P().ElementButtonPanel->Height() + 41, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    const int barHeight = P().RightScroll->Height;
    P().RightPanel->Align = TAlign::alNone;
    P().RightPanel->Height = c.height;
    P().LayoutRightSpeedBar();
    EXPECT_EQ(P().RightScroll->Top(), P().ElementButtonPanel->Height() + 1);
    if (!c.laidOut) {
      EXPECT_EQ(P().RightScroll->Height(), barHeight) << "a panel too short only moves the bar's top";
      continue;
    }
    const int buttons = P().PageUpBtn->Height + P().PageDownBtn->Height;
    EXPECT_EQ(P().RightScroll->Height(), c.height - (P().RightScroll->Top + buttons + 6));
    EXPECT_EQ(P().PageUpBtn->Top(), c.height - (buttons + 3));
    EXPECT_EQ(P().PageDownBtn->Top(), P().PageUpBtn->Top + P().PageUpBtn->Height - 1) << "the buttons overlap a pixel";
  }
}

TEST_F(RightPanelTest, AnInteractiveScriptGetsTheMultimediaButtons) {
  const int transitionTop = Button("TransitionBtn")->Top;
  const int sceneTop = Button("SceneHeadingBtn")->Top;
  Script().InteractiveScript = 1;
  P().LayoutRightSpeedBar();
  EXPECT_FALSE(Button("TransitionBtn")->Visible());
  EXPECT_EQ(Button("SceneHeadingBtn")->Top(), transitionTop) << "the scene button in the transition's place";
  EXPECT_EQ(Button("SceneHeadingBtn")->Caption, "BT");
  EXPECT_EQ(MainForm->ElementPopDownList->Items[5], "Branch Target");
  Script().InteractiveScript = 0;
  P().LayoutRightSpeedBar();
  EXPECT_TRUE(Button("TransitionBtn")->Visible());
  EXPECT_EQ(Button("SceneHeadingBtn")->Top(), sceneTop);
  EXPECT_EQ(MainForm->ElementPopDownList->Items[5], "Scene Heading");
}

TEST_F(RightPanelTest, PageButtonsGoToTheNextPageOrScrollAWindow) {
  LoadPages();
  ASSERT_TRUE(MainForm->RightScrollByScreen);
  Button("PageDownBtn")->Click();
  TScriptElement* e = Script().CurrentElement();
  ASSERT_NE(e->prev, nullptr);
  EXPECT_TRUE(IsPageBreakKind(e->prev->Kind())) << "a left click: the top of the next page";
  EXPECT_EQ(e->screenLine, 6);
  EXPECT_EQ(Script().CaretColumn(), 0);

  Button("PageUpBtn")->Click();
  EXPECT_EQ(Script().CurrentElement(), Script().FirstElement) << "back to the top of the first page";

  // A right click scrolls by a window instead.
  Button("PageDownBtn")->MouseDown(TMouseButton::mbRight, {}, 2, 2);
  EXPECT_NE(Script().CurrentElement(), Script().FirstElement);
  EXPECT_FALSE(e->prev && Script().CurrentElement() == e) << "a window is shorter than a page";
}

}  // namespace
}  // namespace qm
