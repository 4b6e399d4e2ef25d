// The idle pass: repagination falls due after typing pauses; the format
// buttons and the Window list are set only when what they show changed.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/office_button.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "shell/idle_loop.h"
#include "shell/main_form.h"
#include "shell/tool_bar.h"
#include "base/program_busy.h"
#include "base/program_options.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using IdleLoopTest = testing::ProgramFixture;

int PageBreaks(const TMDIChild& w) {
  int breaks = 0;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next)
    if (IsPageBreakKind(e->Kind())) ++breaks;
  return breaks;
}

TEST_F(IdleLoopTest, RepaginationWaitsUntilTypingPauses) {
  TMDIChild& w = Script();
  w.FreeElements();
  std::vector<testing::ElementSpec> action;
  for (int i = 0; i < 80; ++i) action.push_back({ekAction, "A line of action that fills a good part of the width."});
  testing::AddElements(w, action);
  w.DisAssemble();
  w.SetFocus();
  TypeText("x");
  ASSERT_NE(w.LayoutDue, 0);
  const std::int64_t due = w.RepaginateDue;
  EXPECT_EQ(due, TickNow() + ProgramOptions().PaginationDelay);
  bool done = false;
  Backend().SetTick(static_cast<std::uint64_t>(due - 1) * 100);
  MainForm->AppIdle(Application, done);
  EXPECT_EQ(PageBreaks(w), 0) << "not yet due";
  Backend().SetTick(static_cast<std::uint64_t>(due) * 100);
  MainForm->AppIdle(Application, done);
  EXPECT_TRUE(done);
  EXPECT_GT(PageBreaks(w), 0) << "80 elements, each with a blank line before it, run past one page";
  EXPECT_EQ(w.LayoutDue, 0);
}

// While a command holds the program busy (its message box up, as Search's
// "No More Found!" is) or the idle pass is already running, the idle step
// does nothing and lets the loop wait for the next message rather than
// calling it again at once, which kept a processor core busy.
TEST_F(IdleLoopTest, ABusyProgramLetsTheLoopWait) {
  const struct {
    const char* what;
    bool busy;
    Byte inIdle;
  } cases[] = {{"busy", true, 0}, {"inside the idle pass", false, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramBusy = c.busy;
    MainForm->InIdle = c.inIdle;
    bool done = false;
    MainForm->AppIdle(Application, done);
    EXPECT_TRUE(done);
    ProgramBusy = false;
    MainForm->InIdle = 0;
  }
}

TEST_F(IdleLoopTest, ButtonsAndWindowListAreSetOnlyWhenWhatTheyShowChanged) {
  TMDIChild& w = Script();
  w.FreeElements();
  testing::AddElements(w, {{ekAction, "Plain \x02"
                                      "bold\x03 plain."},
                           {ekAction, "Next."}});
  editor::SetCurrentElement(w, w.FirstElement);
  w.CurrentGroup = w.FirstElement->group;
  w.DisAssemble();
  w.SetFocus();
  bool done = false;
  const auto idle = [&](int times) {
    for (int i = 0; i < times; ++i) MainForm->AppIdle(Application, done);
  };
  const TIdleRefresh& shown = IdleRefresh();
  TOfficeButton& bold = *MainForm->ToolBar().Button("BoldBtn");
  idle(1);
  const int buttons = shown.FormatButtonRefreshes();
  const int lists = shown.WindowListRefreshes();
  EXPECT_GT(buttons, 0);
  EXPECT_GT(lists, 0);
  EXPECT_FALSE(bold.Down());

  idle(5);
  EXPECT_EQ(shown.FormatButtonRefreshes(), buttons) << "nothing changed: nothing set again";
  EXPECT_EQ(shown.WindowListRefreshes(), lists);

  editor::SetCaretColumn(w, 9);  // inside the bold run
  idle(3);
  EXPECT_EQ(shown.FormatButtonRefreshes(), buttons + 1);
  EXPECT_TRUE(bold.Down());
  EXPECT_EQ(shown.WindowListRefreshes(), lists) << "the caret does not touch the list";

  TypeText("x");
  idle(2);
  EXPECT_EQ(shown.FormatButtonRefreshes(), buttons + 2) << "the edit line changed";

  MainForm->FileNewItem->Click();
  ASSERT_EQ(DocumentCount, 2);
  idle(3);
  EXPECT_EQ(shown.WindowListRefreshes(), lists + 1);
  EXPECT_TRUE(MainForm->DocItems[1]->Visible());
  EXPECT_TRUE(MainForm->DocItems[1]->Checked());
  EXPECT_FALSE(MainForm->DocItems[0]->Checked());
  EXPECT_FALSE(bold.Down()) << "the new script's caret is in plain text";
}

// The program coming back from another one: the desktop's colours when the
// script takes them, and the keyboard goes to the script again.
TEST_F(IdleLoopTest, ComingBackToTheProgramTakesTheDesktopColoursAndFocusesTheScript) {
  const struct {
    bool useWinColors;
    bool desktopColours;
  } cases[] = {{true, true}, {false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.useWinColors);
    UseWinColors = c.useWinColors;
    TScreenColors own;
    own.Text = clMaroon;
    ScreenColors = own;
    // Left disabled by a job the program was in when it lost activation.
    Script().Enabled = false;
    Application->Post(TMsg{NullWindow, WM_ACTIVATEAPP, 1, 0, 0, {}});
    Application->ProcessMessages();
    EXPECT_EQ(ScreenColors == TScreenColors{}, c.desktopColours);
    EXPECT_TRUE(Script().Enabled()) << "the script takes the keyboard again";
  }
}

}  // namespace
}  // namespace qm
