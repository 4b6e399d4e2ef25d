// The element buttons of the right panel: each starts its element at the
// caret or, with a block marked, changes the marked part's type; the
// scene-heading button's Enter opens its menus beside it; an interactive
// script's buttons run the multimedia commands; and what Enter and Ctrl+J
// ask of those buttons in an interactive script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/dialog_builder.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/element_type_dialog.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "story/activity_wizard_dialog.h"
#include "story/branch_point_dialog.h"
#include "story/linkage_graph_dialog.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ElementButtonsTest : public testing::KeysFixture {
 protected:
  TOfficeButton* Button(const char* name) { return dynamic_cast<TOfficeButton*>(MainForm->FindComponent(name)); }
  // The button clicked as the mouse clicks it: a disabled one does nothing.
  void ClickButton(const char* name) {
    TOfficeButton* b = Button(name);
    ASSERT_NE(b, nullptr) << name;
    ASSERT_TRUE(b->Enabled()) << name << " is enabled";
    ASSERT_TRUE(b->Visible()) << name << " is shown";
    b->Click();
  }
  void MakeInteractive() {
    W().InteractiveScript = 1;
    MainForm->RightPanel().LayoutRightSpeedBar();
  }
  // The next pop-up menu is answered with its first shown item.
  void ChooseFirstItem() {
    Driver().ExpectPopup(
        [](TPopupMenu& menu) -> TMenuItem* {
          for (int i = 0; i < menu.Items()->Count(); ++i)
            if (menu.Items()->Items(i)->Visible() && !menu.Items()->Items(i)->IsLine()) return menu.Items()->Items(i);
          return nullptr;
        },
        "the first item");
  }
  // Marks columns of one element as the block.
  void MarkIn(int index, int from, int to) {
    TScriptElement* e = ElementAt(index);
    editor::MarkBlock(W(), *e, from, *e, to);
  }
  // The next modal form must be of type Dlg; `act` answers it.
  template <class Dlg>
  void ExpectDialog(std::function<void(Dlg&)> act, bool* shown) {
    Driver().Expect([act, shown](TForm& form) {
      auto* dialog = dynamic_cast<Dlg*>(&form);
      ASSERT_NE(dialog, nullptr) << "a " << form.Caption() << " dialog instead";
      *shown = true;
      act(*dialog);
    });
  }
};

const ElementSpec Waits{ekAction, "He waits."};

TEST_F(ElementButtonsTest, EachButtonStartsItsElementAtTheCaret) {
  Options().UseQuickType = false;
  const struct {
    const char* button;
    Byte kind;
  } cases[] = {
      {"CharNameBtn", ekCharacterName}, {"DialogueBtn", ekDialogue},         {"ParentheticalBtn", ekParenthetical},
      {"ActionBtn", ekAction},          {"SceneHeadingBtn", ekSceneHeading}, {"ScriptNoteBtn", ekScriptNote},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    Load({{ekCharacterName, "BOB"}, {ekDialogue, "Hi."}, Waits}, 2, -1);
    ClickButton(c.button);
    const std::vector<ElementSpec> elements = Elements();
    ASSERT_EQ(elements.size(), 4u) << "one new element";
    EXPECT_EQ(elements[2], Waits);
    EXPECT_EQ(elements[3].kind, c.kind);
    EXPECT_EQ(CurrentIndex(), 3) << "the caret in the new element";
  }
}

TEST_F(ElementButtonsTest, WithABlockMarkedTheButtonsChangeTheMarkedPart) {
  const struct {
    const char* what;
    const char* button;
    int from, to;
    std::vector<ElementSpec> after;
  } cases[] = {
      {"a middle part becomes a shot",
       "ShotBtn",
       9,
       20,
       {{ekAction, "He waits"}, {ekShot, "AT THE DOOR"}, {ekAction, "and knocks."}}},
      {"the whole element becomes a scene heading",
       "SceneHeadingBtn",
       0,
       32,
       {{ekSceneHeading, "HE WAITS AT THE DOOR AND KNOCKS."}}},
      {"the whole element becomes a note",
       "ScriptNoteBtn",
       0,
       32,
       {{ekScriptNote, "He waits at the door and knocks."}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, "He waits at the door and knocks."}}, 0, -1);
    MarkIn(0, c.from, c.to);
    ClickButton(c.button);
    std::vector<ElementSpec> got = Elements();
    ASSERT_EQ(got.size(), c.after.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].kind, c.after[i].kind) << i;
      // The format's capitals show on screen; the stored text keeps its case.
      EXPECT_EQ(AnsiUpperCase(got[i].text), AnsiUpperCase(c.after[i].text)) << i;
    }
  }
}

TEST_F(ElementButtonsTest, TheSceneHeadingButtonOpensItsMenuBesideItself) {
  // Without QuickType the button's first click only makes the heading; on
  // an empty heading its Enter is a tool button's, which opens the menu.
  Options().UseQuickType = false;
  Load({Waits}, 0, -1);
  ClickButton("SceneHeadingBtn");
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Waits, {ekSceneHeading, ""}}));
  EXPECT_EQ(Driver().Pending(), 0);
  std::vector<std::string> shown;
  ExpectChoice("&EXT.", &shown);
  ClickButton("SceneHeadingBtn");
  EXPECT_EQ(Driver().Pending(), 0) << "the scene openings were offered";
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), "&INT.");
  ASSERT_EQ(Elements().size(), 2u);
  EXPECT_EQ(Elements()[1].kind, ekSceneHeading);
  EXPECT_EQ(Elements()[1].text.rfind("EXT.", 0), 0u) << Elements()[1].text;

  // With QuickType on, one click makes the heading and offers its opening.
  Options().UseQuickType = true;
  Load({Waits}, 0, -1);
  ExpectChoice("&INT.");
  ClickButton("SceneHeadingBtn");
  EXPECT_EQ(Driver().Pending(), 0) << "the scene openings were offered";
  ASSERT_EQ(Elements().size(), 2u);
  EXPECT_EQ(Elements()[1].text.rfind("INT.", 0), 0u) << Elements()[1].text;
}

TEST_F(ElementButtonsTest, AnInteractiveScriptsButtonsRunTheMultimediaCommands) {
  const ElementSpec target{ekSceneHeading, "GARDEN"};
  bool shown = false;
  // Play Script: the run-time player, which this machine does not have.
  Load({target, Waits}, 1, -1);
  MakeInteractive();
  ExpectBox("Cannot find Run-Time Player!", mrOk);
  ClickButton("CharNameBtn");
  EXPECT_EQ(Driver().Pending(), 0) << "the player was looked for";

  // Graph Script: the linkages graph.
  Load({target, Waits}, 1, -1);
  MakeInteractive();
  ExpectDialog<story::TLinkagesDlg>([](story::TLinkagesDlg& d) { d.ModalResult = mrCancel; }, &shown);
  ClickButton("DialogueBtn");
  EXPECT_TRUE(shown) << "the graph";

  // Activity Wizard.
  shown = false;
  Load({target, Waits}, 1, -1);
  MakeInteractive();
  ExpectDialog<story::TActivityWizardDlg>([](story::TActivityWizardDlg& d) { d.ModalResult = mrCancel; }, &shown);
  ClickButton("ParentheticalBtn");
  EXPECT_TRUE(shown) << "the wizard";

  // Branch Point Menu: the branch point built after the caret's element.
  shown = false;
  Load({target, Waits}, 1, -1);
  MakeInteractive();
  ExpectDialog<story::TJumpDlg>([](story::TJumpDlg& d) { d.ContinueBtn->Click(); }, &shown);
  ClickButton("ActionBtn");
  EXPECT_TRUE(shown) << "the branch point dialog";
  ASSERT_GE(Elements().size(), 3u);
  EXPECT_EQ(Elements()[2].kind, ekTransition);
  EXPECT_EQ(Elements()[2].text.rfind("GO TO ", 0), 0u) << Elements()[2].text;

  // UA and BT start a user activity and a branch target.
  const struct {
    const char* button;
    Byte kind;
  } starts[] = {{"ShotBtn", ekShot}, {"SceneHeadingBtn", ekSceneHeading}};
  for (const auto& c : starts) {
    SCOPED_TRACE(c.button);
    Options().UseQuickType = false;
    Options().KeepRunningShots = false;
    Load({target, Waits}, 1, -1);
    MakeInteractive();
    // The activity's menu opens under the button: its first entry taken.
    if (c.kind == ekShot) ChooseFirstItem();
    ClickButton(c.button);
    EXPECT_EQ(Driver().Pending(), 0);
    ASSERT_EQ(Elements().size(), 3u);
    EXPECT_EQ(Elements()[2].kind, c.kind);
  }

  // With a block, UA and BT hand their own letters to the element box.
  const struct {
    const char* button;
    Byte kind;
  } blocks[] = {{"ShotBtn", ekShot}, {"SceneHeadingBtn", ekSceneHeading}};
  for (const auto& c : blocks) {
    SCOPED_TRACE(std::string("block ") + c.button);
    Load({target, Waits}, 1, -1);
    MakeInteractive();
    MarkIn(1, 0, 9);
    ClickButton(c.button);
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_EQ(Elements()[1].kind, c.kind);
  }
}

TEST_F(ElementButtonsTest, CtrlJInAnInteractiveScriptOpensTheBranchPointMenu) {
  bool shown = false;
  Load({{ekSceneHeading, "GARDEN"}, Waits}, 1, -1);
  MakeInteractive();
  ExpectDialog<story::TJumpDlg>([](story::TJumpDlg& d) { d.ContinueBtn->Click(); }, &shown);
  Press('J', TShiftState(ssCtrl));
  EXPECT_TRUE(shown) << "Ctrl+J is the Action button: the branch point menu";
  ASSERT_GE(Elements().size(), 3u);
  EXPECT_EQ(Elements()[2].kind, ekTransition);
}

TEST_F(ElementButtonsTest, EnterOnAnEmptyInteractiveActionAsksForTheElementType) {
  const ElementSpec target{ekSceneHeading, "GARDEN"};
  const ElementSpec empty{ekAction, ""};
  const struct {
    const char* what;
    TModalResult answer;
    // The dialog the answer's button opens, or none.
    bool wizard, branchPoint;
    std::vector<ElementSpec> after;
  } cases[] = {
      {"a user activity: the Activity Wizard", mrUserActivity, true, false, {target, Waits, empty}},
      {"a branch point: its menu", mrBranchPoint, false, true, {target, Waits, empty}},
      {"a branch target: a new heading", mrBranchTarget, false, false, {target, Waits, {ekSceneHeading, ""}}},
      {"cancelled: nothing", mrCancel, false, false, {target, Waits, empty}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Options().UseQuickType = true;
    Load({target, Waits, empty}, 2);
    MakeInteractive();
    bool asked = false;
    ExpectDialog<TSelectElementTypeDlg>(
        [&c](TSelectElementTypeDlg& d) {
          EXPECT_EQ(d.Caption(), "Select an Element Type");
          d.ModalResult = c.answer;
        },
        &asked);
    bool wizard = false;
    bool branchPoint = false;
    if (c.wizard)
      ExpectDialog<story::TActivityWizardDlg>([](story::TActivityWizardDlg& d) { d.ModalResult = mrCancel; }, &wizard);
    if (c.branchPoint)
      ExpectDialog<story::TJumpDlg>([](story::TJumpDlg& d) { d.ModalResult = mrCancel; }, &branchPoint);
    Press(VK_RETURN);
    EXPECT_TRUE(asked) << "the element type was asked for";
    EXPECT_EQ(wizard, c.wizard);
    EXPECT_EQ(branchPoint, c.branchPoint);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(Elements(), c.after);
  }
  // Without QuickType Enter asks nothing (an unexpected dialog fails the
  // test) and keeps the empty Action for the new one, as in any script.
  Options().UseQuickType = false;
  Load({target, Waits, empty}, 2);
  MakeInteractive();
  Press(VK_RETURN);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{target, Waits, empty}));
  EXPECT_EQ(CurrentIndex(), 2);
}

TEST_F(ElementButtonsTest, EnterAfterAnInteractiveBranchPointsHardReturnOpensItsMenu) {
  const ElementSpec target{ekSceneHeading, "GARDEN"};
  const std::string point = "GO TO GARDEN (1)\xA7";
  bool shown = false;
  Load({target, Waits, {ekTransition, point}}, 2, -1);
  MakeInteractive();
  ExpectDialog<story::TJumpDlg>([](story::TJumpDlg& d) { d.ModalResult = mrCancel; }, &shown);
  Press(VK_RETURN);
  EXPECT_TRUE(shown) << "the Action button's command: the branch point menu";

  // Elsewhere in its text Enter starts the Action after it.
  Load({target, Waits, {ekTransition, "GO TO GARDEN (1)"}}, 2, -1);
  MakeInteractive();
  Press(VK_RETURN);
  EXPECT_EQ(Elements().back(), (ElementSpec{ekAction, ""}));
}

}  // namespace
}  // namespace qm
