// The linkage graph window's logic: a double click on a box moving the graph there, a right click returning
// to the script at that target.
#include "story/linkage_graph_dialog.h"

#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/recording_canvas.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "story/branch_point_dialog.h"
#include "story/linkage_graph_print.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class LinkageGraphDialogTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    TMDIChild& w = Script();
    // The corridor, under Left, is current.
    testing::LoadInteractiveScript(w,
                                   {{ekSceneHeading, "Start"},
                                    {ekTransition, "GO TO LEFT (2)\xA7GO TO RIGHT (3)"},
                                    {ekSceneHeading, "Left"},
                                    {ekAction, "A long corridor."},
                                    {ekTransition, "GO TO RIGHT (3)"},
                                    {ekSceneHeading, "Right"}},
                                   3);
  }
  TScriptElement* Nth(int index) {
    TScriptElement* e = Script().FirstElement;
    for (int i = 0; e && i < index; ++i) e = e->next;
    return e;
  }
  const story::TDrawnBox& Box(const story::TLinkagesDlg& d, Word number) {
    for (const auto& b : d.Drawing().Boxes())
      if (b.number == number) return b;
    throw std::runtime_error("no box for " + std::to_string(number));
  }
};

TEST_F(LinkageGraphDialogTest, OpensOnTheTargetAtTheCaretAndMovesWithTheMouse) {
  story::TLinkagesDlg dialog(Application, Script());
  dialog.SetupAllLinks();
  ASSERT_EQ(dialog.JumpPositionBox->Items.Count(), 3);
  dialog.JumpPositionBox->SetItemIndex(0);
  dialog.Paint();
  ASSERT_EQ(dialog.SelectedNumber(), 1);
  ASSERT_EQ(dialog.Drawing().Boxes().size(), 3u);

  // A double click on Right's box makes it the graph's target.
  const auto right = Box(dialog, 3);
  dialog.MouseDown(TMouseButton::mbLeft, true, right.x + 1, right.y + 1);
  EXPECT_EQ(dialog.SelectedNumber(), 3);
  // A single click does nothing.
  dialog.Paint();
  const auto start = Box(dialog, 1);
  dialog.MouseDown(TMouseButton::mbLeft, false, start.x + 1, start.y + 1);
  EXPECT_EQ(dialog.SelectedNumber(), 3);
  EXPECT_EQ(dialog.ModalResult, mrNone);

  // A right click on Start's box returns to the script there.
  dialog.MouseDown(TMouseButton::mbRight, false, start.x + 1, start.y + 1);
  EXPECT_EQ(dialog.ModalResult, mrOk);
  EXPECT_EQ(Script().CurrentElement(), Script().FirstElement);
}

// The selected target's own box is no box to go to: the pointer there gets
// the empty space's hint, a double click there adds a branch under the
// target, and a right click still returns to the script at it.
TEST_F(LinkageGraphDialogTest, TheSelectedTargetsOwnBoxIsEmptySpaceButForTheRightButton) {
  story::TLinkagesDlg dialog(Application, Script());
  dialog.SetupAllLinks();
  dialog.JumpPositionBox->SetItemIndex(1);
  dialog.Paint();
  ASSERT_EQ(dialog.SelectedNumber(), 2);
  const auto own = Box(dialog, 2);
  const auto start = Box(dialog, 1);

  dialog.MouseMove(start.x + 1, start.y + 1);
  EXPECT_EQ(dialog.StatusLine->Caption(),
            "  Left Click to Branch to this Target or Right Click to return to script at this Branch Target");
  dialog.MouseMove(own.x + 1, own.y + 1);
  EXPECT_EQ(dialog.StatusLine->Caption(), "  Double Click to add new Branch");
  EXPECT_EQ(dialog.PaintBox1->Hint, "Double Click to add new Branch");

  // The branch point dialog opens on the last element of Left's section.
  TScriptElement* opened = nullptr;
  bool branchDialog = false;
  Driver().Expect([&](TForm& form) {
    branchDialog = dynamic_cast<story::TJumpDlg*>(&form) != nullptr;
    opened = Script().CurrentElement();
    form.ModalResult = mrCancel;
  });
  dialog.MouseDown(TMouseButton::mbLeft, true, own.x + 1, own.y + 1);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(branchDialog);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened, Nth(4)) << "Left's branch point, the section's last element";
  EXPECT_EQ(dialog.SelectedNumber(), 2);
  EXPECT_EQ(dialog.ModalResult, mrNone);

  dialog.Paint();
  const auto ownAgain = Box(dialog, 2);
  dialog.MouseDown(TMouseButton::mbRight, false, ownAgain.x + 1, ownAgain.y + 1);
  EXPECT_EQ(dialog.ModalResult, mrOk);
  ASSERT_NE(Script().CurrentElement(), nullptr);
  EXPECT_EQ(Script().CurrentElement(), Nth(2));
}

TEST_F(LinkageGraphDialogTest, PrintsTheChosenRange) {
  story::TLinkagesDlg dialog(Application, Script());
  dialog.SetupAllLinks();
  ASSERT_TRUE(dialog.PrintGraphs(2, 1));  // reversed: Left and Right
  const auto& pages = Backend().PrinterList()[0]->Pages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(pages[0]->FindText("Branch Targets 2-3"), nullptr) << pages[0]->Transcript();
  int graphs = 0;  // one selected target's ellipse per graph: Start has none
  for (const DrawOp& op : pages[0]->Ops()) graphs += op.kind == DrawOp::Kind::Ellipse;
  EXPECT_EQ(graphs, 2);
  EXPECT_TRUE(dialog.ExitBtn->Enabled());
  EXPECT_FALSE(dialog.PrintPanel->Visible());
}

// F11 pressed and released in the graph closes it; the release of the
// Alt+F11 that opened it, pressed in the script, does not.
TEST_F(LinkageGraphDialogTest, F11PressedAndReleasedHereCloses) {
  story::TLinkagesDlg dialog(Application, Script());
  dialog.SetupAllLinks();
  dialog.Show();
  dialog.SetFocus();
  Word key = VK_F11;
  dialog.DoKeyUp(key, TShiftState(ssAlt));
  EXPECT_EQ(dialog.ModalResult, mrNone) << "the opening key's release";
  SendKey(VK_F11);
  EXPECT_EQ(dialog.ModalResult, mrOk);
}

// Closing the graph by Escape or by F11 leaves the script as it was: the
// caret stays where it stood in its line, and the next letter typed lands
// there.
TEST_F(LinkageGraphDialogTest, ClosingLeavesTheCaretWhereItWas) {
  const struct {
    const char* how;
    Word key;
  } closes[] = {{"Escape", VK_ESCAPE}, {"F11", VK_F11}};
  std::string expected = "A long corridor.";
  for (const auto& c : closes) {
    SCOPED_TRACE(c.how);
    TMDIChild& w = Script();
    ASSERT_EQ(w.EditBuffer().substr(0, 6), "A long");
    editor::SetCaretColumn(w, 6);
    bool shown = false;
    Driver().Expect([&](TForm& form) {
      shown = dynamic_cast<story::TLinkagesDlg*>(&form) != nullptr;
      form.SetFocus();
      SendKey(c.key);
    });
    MainForm->MenuItem("GraphLinksItem")->Click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(w.CaretColumn(), 6);
    TypeText("X");
    expected.insert(6, "X");
    EXPECT_EQ(w.EditBuffer(), expected);
  }
}

// While the graph shows, the hints of what the pointer rests on go to the
// graph's own status line after two blanks; the handler that was there
// before hears them again once the graph is hidden.
TEST_F(LinkageGraphDialogTest, HintsGoToTheGraphsStatusLineWhileItShows) {
  const TNotifyEvent mainHandler = Application->OnHint;
  int heardBefore = 0;
  Application->OnHint = [&heardBefore](TObject*) { ++heardBefore; };
  story::TLinkagesDlg dialog(Application, Script());
  dialog.SetupAllLinks();
  dialog.Show();
  const struct {
    TControl* control;
    const char* line;
  } cases[] = {{dialog.ExitBtn, "  Closes the Graphing and Returns to Script"},
               {dialog.SpeedButton2, "  Prints any range of Branch Target Graphs"},
               {dialog.PaintBox1, "  Double Click to add New Branch"}};
  for (const auto& c : cases) {
    Application->PointerOver(c.control);
    EXPECT_EQ(dialog.StatusLine->Caption(), c.line);
  }
  EXPECT_EQ(heardBefore, 0) << "not the window underneath";
  dialog.Hide();
  Application->PointerOver(nullptr);
  EXPECT_EQ(heardBefore, 1);
  Application->OnHint = mainHandler;
}

}  // namespace
}  // namespace qm
