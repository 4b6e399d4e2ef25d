// Activating another script window re-points the main window: the undo
// ring forgets the steps of the script left, so that Undo never puts one
// script's elements into another, and the status line follows.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "files/undo_ring.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class WindowActivationTest : public testing::ProgramFixture {};

TEST_F(WindowActivationTest, UndoNeverCarriesStepsIntoAnotherScript) {
  TMDIChild& first = Script();
  first.SetFocus();
  TypeText("First script.");
  MainForm->FileNewItem->Click();
  TMDIChild& second = Script();
  ASSERT_NE(&first, &second);
  second.SetFocus();
  TypeText("Second");
  SendKey(VK_RETURN);
  TypeText("More.");
  ASSERT_TRUE(UndoObject->UndoIsAvailable()) << "steps recorded in the second script";

  first.SetFocus();
  ASSERT_EQ(ActiveScript(), &first);
  EXPECT_FALSE(UndoObject->UndoIsAvailable()) << "the second script's steps are gone";
  testing::AnswerMessageBox(Driver(), "Nothing to Undo", mrOk);
  MainForm->UndoItemClick(MainForm->UndoItem);
  EXPECT_EQ(testing::ElementsOf(first), (std::vector<ElementSpec>{{ekAction, "First script."}}));
  EXPECT_EQ(MainForm->StatusLine().CurrentElement->Caption(), "Action");
}

}  // namespace
}  // namespace qm
