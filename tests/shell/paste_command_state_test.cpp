// The Paste command follows what is on the clipboard, also when another
// program changed the clipboard and nothing in the script changed since
// the menus were last set: its key then pastes.
#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class PasteCommandStateTest : public testing::ProgramFixture {
 protected:
  void Idle() {
    bool done = false;
    MainForm->AppIdle(Application, done);
  }
  // Another program owns the clipboard now: the store changes, the
  // program's own clipboard object is not used.
  void AnotherProgramCopies(const std::string& text) {
    ClipItem item;
    item.format = CF_TEXT;
    item.data.assign(text.begin(), text.end());
    item.data.push_back(0);
    Backend().Clipboard().Publish(text.empty() ? std::vector<ClipItem>{} : std::vector<ClipItem>{item});
  }
};

TEST_F(PasteCommandStateTest, TheIdlePassFollowsAClipboardChangedByAnotherProgram) {
  Script().SetFocus();
  AnotherProgramCopies("");
  MainForm->MenusDue = 1;
  Idle();
  TMenuItem* paste = MainForm->MenuItem("PasteItem");
  ASSERT_FALSE(paste->Enabled()) << "nothing to paste yet";
  struct Step {
    const char* copied;
    bool enabled;
  } steps[] = {{"Rain on the roof.", true}, {"", false}, {"The door bangs.", true}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.copied);
    AnotherProgramCopies(step.copied);
    Idle();
    EXPECT_EQ(paste->Enabled(), step.enabled);
  }
}

TEST_F(PasteCommandStateTest, ShiftInsertPastesTextAnotherProgramCopiedAfterTheLastRefresh) {
  Script().SetFocus();
  AnotherProgramCopies("");
  MainForm->MenusDue = 1;
  Idle();
  AnotherProgramCopies("The hayloft door bangs.");
  Idle();
  SendKey(VK_INSERT, TShiftState(ssShift));
  Script().Assemble();
  const std::vector<testing::ElementSpec> elements = testing::ElementsOf(Script());
  ASSERT_FALSE(elements.empty());
  EXPECT_EQ(elements.back().text, "The hayloft door bangs.");
}

}  // namespace
}  // namespace qm
