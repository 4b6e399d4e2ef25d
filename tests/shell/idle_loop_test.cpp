// The idle pass: repagination falls due after typing pauses.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "shell/main_form.h"
#include "base/program_options.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

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

}  // namespace
}  // namespace qm
