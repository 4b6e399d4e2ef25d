// The branch point dialog: targets chosen into a branch point, written as
// one transition, and jumps performed from it.
#include "story/branch_point_dialog.h"

#include <gtest/gtest.h>

#include "platform/dialog_builder.h"
#include "platform/input.h"
#include "script/editing/editor_calls.h"
#include "story/branching_script.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

std::vector<std::string> Entries(const TListBox& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.Items.Count(); ++i) entries.push_back(list.Items[i]);
  return entries;
}

using Strings = std::vector<std::string>;

class BranchPointDialogTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    testing::BuildBranchingScript(Script());
  }
  // The dialog opened with the caret on the nth element.
  std::unique_ptr<story::TJumpDlg> OpenOn(int n) {
    editor::MoveCaretTo(Script(), *Nth(n));
    auto dialog = std::make_unique<story::TJumpDlg>(Application, Script());
    dialog->FormShow();
    return dialog;
  }
  TScriptElement* Nth(int n) { return testing::NthElement(Script(), n); }
  static void ClickRow(TListBox& list, int row, TShiftState shift = {}) {
    ClickAt(list, 10, row * list.ItemHeight + 4, TMouseButton::mbLeft, shift);
  }
  static TPoint RowPoint(TListBox& list, int row) { return {10, row * list.ItemHeight + 4}; }
  static std::vector<int> SelectedRows(const TListBox& list) {
    std::vector<int> rows;
    for (int i = 0; i < list.Items.Count(); ++i)
      if (list.Selected(i)) rows.push_back(i);
    return rows;
  }
  // Runs `inside` while the dialog is up on the nth element, as the
  // script window shows it.
  void WithDialogOn(int n, const std::function<void(story::TJumpDlg&)>& inside) {
    editor::MoveCaretTo(Script(), *Nth(n));
    Driver().Expect([&inside](TForm& form) {
      inside(dynamic_cast<story::TJumpDlg&>(form));
      if (form.ModalResult == mrNone) form.ModalResult = mrCancel;
    });
    story::ShowBranchPointDialog();
    EXPECT_EQ(Driver().Pending(), 0);
  }
};

TEST_F(BranchPointDialogTest, OpeningOnABranchPointShowsItsTargetsInItsOrder) {
  const struct {
    int at;
    Strings source;
    Strings jumps;
  } cases[] = {
      {2, {"RETURN (0)", "FRONT DOOR (5)"}, {"CELLAR (9)", "ATTIC (2)"}},
      {7, {"FRONT DOOR (5)", "ATTIC (2)", "CELLAR (9)"}, {"RETURN (0)"}},
      {4, {"RETURN (0)", "FRONT DOOR (5)", "ATTIC (2)", "CELLAR (9)"}, {}},  // not a branch point
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.at);
    auto dialog = OpenOn(c.at);
    EXPECT_EQ(Entries(*dialog->Source), c.source);
    EXPECT_EQ(Entries(*dialog->JumpList), c.jumps);
    EXPECT_EQ(dialog->PerformJumpBtn->Enabled(), !c.jumps.empty());
    EXPECT_EQ(dialog->ExcludeBtn->Enabled(), !c.jumps.empty());
  }
}

TEST_F(BranchPointDialogTest, MovingKeepsTheOrderAndSelectsWhereTheFirstWas) {
  auto dialog = OpenOn(4);
  TListBox& source = *dialog->Source;
  source.SetSelected(0, false);
  source.SetSelected(1, true);
  source.SetSelected(3, true);
  dialog->IncludeBtn->Click();
  EXPECT_EQ(Entries(*dialog->JumpList), (Strings{"FRONT DOOR (5)", "CELLAR (9)"}));
  EXPECT_EQ(Entries(source), (Strings{"RETURN (0)", "ATTIC (2)"}));
  EXPECT_EQ(story::GetFirstSelection(source), 1);
  dialog->ExAllBtn->Click();
  EXPECT_EQ(Entries(source), (Strings{"RETURN (0)", "ATTIC (2)", "FRONT DOOR (5)", "CELLAR (9)"}));
  EXPECT_FALSE(dialog->PerformJumpBtn->Enabled());
}

TEST_F(BranchPointDialogTest, BuildingWritesOneTransitionAndMovesOnToItsEvents) {
  auto dialog = OpenOn(4);
  dialog->IncAllBtn->Click();
  dialog->ExcludeBtn->Click();  // the first entry, RETURN (0), goes back
  dialog->ContinueBtn->Click();
  const auto elements = testing::ElementsOf(Script());
  ASSERT_EQ(elements.size(), 10u);
  EXPECT_EQ(elements[5],
            (testing::ElementSpec{ekTransition, "GO TO FRONT DOOR (5)\xA7GO TO ATTIC (2)\xA7GO TO CELLAR (9)"}));
  EXPECT_EQ(elements[6], (testing::ElementSpec{ekAction, ""})) << "a new action for the events";
  EXPECT_EQ(Script().CurrentElement(), Nth(6));
  EXPECT_EQ(elements[7].text, "GO TO GONE (4)");

  // Built again on the branch point itself, it is rewritten in place.
  dialog = OpenOn(5);
  dialog->ExAllBtn->Click();
  dialog->Source->SetSelected(0, false);
  dialog->Source->SetSelected(2, true);
  dialog->ContinueBtn->Click();
  EXPECT_EQ(testing::ElementsOf(Script())[5].text, "GO TO ATTIC (2)") << "the selection is taken when none was moved";
  EXPECT_EQ(Script().CurrentElement(), Nth(6)) << "the action after it is reused";
  EXPECT_EQ(testing::ElementsOf(Script()).size(), 10u);
}

TEST_F(BranchPointDialogTest, PerformingAJumpGoesToTheChosenTarget) {
  auto dialog = OpenOn(2);
  dialog->JumpList->SetFocus();
  ClickRow(*dialog->JumpList, 1);  // ATTIC (2)
  dialog->PerformJumpBtn->Click();
  EXPECT_EQ(Script().CurrentElement(), Nth(3));
  EXPECT_EQ(Nth(2)->Kind(), ekTransition);
  EXPECT_EQ(testing::ElementsOf(Script())[2].text, "GO TO CELLAR (9)\xA7GO TO ATTIC (2)");
}

// A target picked, taken across with ">" and performed with the mouse: the
// branch point is built to it and the caret goes to it, though nothing in
// the branch point's list was picked since.
TEST_F(BranchPointDialogTest, PerformingTheOneTargetTakenAcrossGoesThere) {
  WithDialogOn(4, [](story::TJumpDlg& dialog) {
    ClickRow(*dialog.Source, 3);  // CELLAR (9)
    ClickAt(*dialog.IncludeBtn, 10, 10, TMouseButton::mbLeft, {});
    ASSERT_EQ(Entries(*dialog.JumpList), Strings{"CELLAR (9)"});
    ClickAt(*dialog.PerformJumpBtn, 10, 10, TMouseButton::mbLeft, {});
  });
  EXPECT_EQ(testing::ElementsOf(Script())[5], (testing::ElementSpec{ekTransition, "GO TO CELLAR (9)"}));
  ASSERT_NE(Script().CurrentElement(), nullptr);
  EXPECT_EQ(Script().CurrentElement()->Kind(), ekSceneHeading);
  EXPECT_EQ(Script().CurrentElement()->format.NumberWord, 9) << "CELLAR";
}

TEST_F(BranchPointDialogTest, ReturnIsNeverATargetEvenWhenOneIsNumberedZero) {
  Nth(0)->format.NumberWord = 0;  // a target numbered 0 by hand
  auto dialog = OpenOn(7);
  dialog->ActiveControl = dialog->JumpList;
  dialog->JumpList->SetItemIndex(0);
  testing::AnswerMessageBox(Driver(), "Branch Target: RETURN (0) not Found!", mrOk);
  dialog->PerformJumpBtn->Click();
  EXPECT_EQ(Script().CurrentElement(), Nth(7));
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(BranchPointDialogTest, ANewTargetGoesAtTheEndWithTheNextNumber) {
  auto dialog = OpenOn(2);
  Driver().Expect([](TForm& form) {
    EXPECT_EQ(form.Caption(), "Enter Text for New Jump Position");
    EXPECT_EQ(static_cast<std::string>(DialogControl<TEdit>(form, "JumpPosition")->Text), "");
    DialogControl<TEdit>(form, "JumpPosition")->Text = "Garden";
    form.ModalResult = mrOk;
  });
  dialog->NewBtn->Click();
  const auto elements = testing::ElementsOf(Script());
  ASSERT_EQ(elements.size(), 9u);
  EXPECT_EQ(elements[8], (testing::ElementSpec{ekSceneHeading, "Garden"}));
  EXPECT_EQ(Nth(8)->format.NumberWord, 10);
  EXPECT_EQ(Entries(*dialog->Source).back(), "GARDEN (10)");
  EXPECT_EQ(Script().CurrentElement(), Nth(2)) << "the caret returns";

  Driver().Expect([](TForm& form) { form.ModalResult = mrCancel; });
  dialog->NewBtn->Click();
  EXPECT_EQ(testing::ElementsOf(Script()).size(), 9u);
}

// A click picks the entry under it (Ctrl adds one), and ">", "<" and
// Build take the entries picked.
TEST_F(BranchPointDialogTest, TheEntriesClickedAreTheOnesMovedAndBuilt) {
  struct TClick {
    bool inJumps;
    int row;
    bool ctrl;
  };
  const struct {
    const char* what;
    std::vector<TClick> clicks;
    const char* button;
    Strings source, jumps;
    std::string built;
  } cases[] = {
      {"one target",
       {{false, 2, false}},
       ">",
       {"RETURN (0)", "FRONT DOOR (5)", "CELLAR (9)"},
       {"ATTIC (2)"},
       "GO TO ATTIC (2)"},
      {"two targets",
       {{false, 3, false}, {false, 1, true}},
       ">",
       {"RETURN (0)", "ATTIC (2)"},
       {"FRONT DOOR (5)", "CELLAR (9)"},
       "GO TO FRONT DOOR (5)\xA7GO TO CELLAR (9)"},
      {"built at once",
       {{false, 3, false}},
       "Build",
       {"RETURN (0)", "FRONT DOOR (5)", "ATTIC (2)"},
       {"CELLAR (9)"},
       "GO TO CELLAR (9)"},
      {"one taken back",
       {{false, 1, false}, {false, 2, true}, {false, 3, true}},
       "> <",
       {"RETURN (0)", "ATTIC (2)"},
       {"FRONT DOOR (5)", "CELLAR (9)"},
       "GO TO FRONT DOOR (5)\xA7GO TO CELLAR (9)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::BuildBranchingScript(Script());
    auto dialog = OpenOn(4);
    for (const TClick& click : c.clicks)
      ClickRow(click.inJumps ? *dialog->JumpList : *dialog->Source, click.row,
               click.ctrl ? TShiftState(ssCtrl) : TShiftState());
    if (std::string(c.button) == "> <") {
      dialog->IncludeBtn->Click();
      ClickRow(*dialog->JumpList, 1);  // ATTIC (2)
      dialog->ExcludeBtn->Click();
    } else if (std::string(c.button) == ">") {
      dialog->IncludeBtn->Click();
    }
    dialog->ContinueBtn->Click();
    EXPECT_EQ(Entries(*dialog->Source), c.source);
    EXPECT_EQ(Entries(*dialog->JumpList), c.jumps);
    EXPECT_EQ(testing::ElementsOf(Script())[5], (testing::ElementSpec{ekTransition, c.built}));
  }
}

// Right in the list of targets includes the picked ones and goes to the
// branch point's list; Left there excludes them and comes back. Going
// into a list leaves the other one with nothing picked.
TEST_F(BranchPointDialogTest, RightAndLeftMoveThePickedEntriesAcross) {
  WithDialogOn(4, [](story::TJumpDlg& dialog) {
    TListBox& source = *dialog.Source;
    TListBox& jumps = *dialog.JumpList;
    ASSERT_EQ(dialog.ActiveControl, &source);
    EXPECT_EQ(SelectedRows(source), (std::vector<int>{0}));
    SendKey(VK_DOWN);
    SendKey(VK_DOWN);
    SendKey(VK_DOWN, TShiftState{ssShift});
    EXPECT_EQ(SelectedRows(source), (std::vector<int>{2, 3}));
    SendKey(VK_RIGHT);
    EXPECT_EQ(Entries(jumps), (Strings{"ATTIC (2)", "CELLAR (9)"}));
    EXPECT_EQ(dialog.ActiveControl, &jumps);
    EXPECT_EQ(SelectedRows(source), (std::vector<int>{})) << "entering the other list";
    EXPECT_EQ(SelectedRows(jumps), (std::vector<int>{0}));
    SendKey(VK_DOWN);
    SendKey(VK_LEFT);
    EXPECT_EQ(Entries(jumps), (Strings{"ATTIC (2)"}));
    EXPECT_EQ(Entries(source), (Strings{"RETURN (0)", "FRONT DOOR (5)", "CELLAR (9)"}));
    EXPECT_EQ(dialog.ActiveControl, &source);
    EXPECT_EQ(SelectedRows(jumps), (std::vector<int>{}));
    EXPECT_EQ(SelectedRows(source), (std::vector<int>{1})) << "its current entry";
    dialog.ContinueBtn->Click();
  });
  EXPECT_EQ(testing::ElementsOf(Script())[5].text, "GO TO ATTIC (2)");
}

// Dragged, the picked entries go to the other list at the row under the
// mouse; in the branch point's list they change order there; the list of
// targets takes no drop from itself.
TEST_F(BranchPointDialogTest, DraggedEntriesLandAtTheRowUnderTheMouse) {
  auto dialog = OpenOn(2);  // CELLAR (9), ATTIC (2) in the branch point
  TListBox& source = *dialog->Source;
  TListBox& jumps = *dialog->JumpList;
  const auto over = [](TListBox& from, TListBox& to, int row) {
    return from.ScreenToClient(to.ClientToScreen(RowPoint(to, row)));
  };
  const struct {
    const char* what;
    TListBox* from;
    int row;
    TListBox* to;
    int toRow;
    Strings source, jumps;
  } cases[] = {
      {"a target into the branch point",
       &source,
       1,
       &jumps,
       1,
       {"RETURN (0)"},
       {"CELLAR (9)", "FRONT DOOR (5)", "ATTIC (2)"}},
      {"below the last entry", &source, 0, &jumps, 9, {}, {"CELLAR (9)", "FRONT DOOR (5)", "ATTIC (2)", "RETURN (0)"}},
      {"within the branch point",
       &jumps,
       2,
       &jumps,
       0,
       {},
       {"ATTIC (2)", "CELLAR (9)", "FRONT DOOR (5)", "RETURN (0)"}},
      {"back to the targets", &jumps, 3, &source, 0, {"RETURN (0)"}, {"ATTIC (2)", "CELLAR (9)", "FRONT DOOR (5)"}},
      {"within the targets", &source, 0, &source, 1, {"RETURN (0)"}, {"ATTIC (2)", "CELLAR (9)", "FRONT DOOR (5)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DragAt(*c.from, RowPoint(*c.from, c.row), over(*c.from, *c.to, c.toRow));
    EXPECT_EQ(Entries(source), c.source);
    EXPECT_EQ(Entries(jumps), c.jumps);
    EXPECT_EQ(dialog->IncludeBtn->Enabled(), !c.source.empty());
  }
}

}  // namespace
}  // namespace qm
