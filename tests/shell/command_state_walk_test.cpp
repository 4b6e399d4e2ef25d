// Every command of the menus, run while the settings file cannot be
// written, leaves the program as it found it: the idle and hint handlers
// attached (timed backups go on), no exit or busy flag left set, and the
// options a command changes for its duration given their values back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/message_box_form.h"
#include "base/program_busy.h"
#include "files/clipboard_paste.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "script/layout/editor_state.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "shell/program_settings.h"
#include "support/command_answers.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

// What a command may set for its duration, as the program keeps it between commands.
struct HeldState {
  bool idleAttached, hintAttached;
  Byte exitConfirmed;
  bool programBusy, clipboardBusy;
  Byte pumpBusy, jobRunning;
  bool noAutoPagination;

  static HeldState Now() {
    return {static_cast<bool>(Application->OnIdle),
            static_cast<bool>(Application->OnHint),
            MainForm->ExitConfirmed,
            ProgramBusy,
            ClipboardBusy,
            PumpBusy,
            JobRunning,
            MainForm->NoAutoPagination};
  }
  // What differs from `before`, in words; empty when nothing does.
  std::string Differences(const HeldState& before) const {
    std::string text;
    auto note = [&](bool differs, const char* what) {
      if (differs) text += std::string(text.empty() ? "" : ", ") + what;
    };
    note(idleAttached != before.idleAttached, "the idle handler");
    note(hintAttached != before.hintAttached, "the hint handler");
    note(exitConfirmed != before.exitConfirmed, "the exit flag");
    note(programBusy != before.programBusy, "the busy flag");
    note(clipboardBusy != before.clipboardBusy, "the clipboard's busy flag");
    note(pumpBusy != before.pumpBusy, "the message pump's flag");
    note(jobRunning != before.jobRunning, "the job flag");
    note(noAutoPagination != before.noAutoPagination, "\"No Auto Pagination\"");
    return text;
  }
};

// How the walk answers what a command asks: the program's questions are
// always cancelled (a save question answered otherwise asks again); other
// dialogs are cancelled, or gone on with so that the command does its work.
enum class DialogAnswer { Cancel, GoOn };

class CommandStateWalkTest : public testing::ProgramFixture, public ::testing::WithParamInterface<DialogAnswer> {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    Driver().OnProblem = [](const std::string&) {};
    Driver().OnUnanswered = [](TForm& form) {
      const bool question = dynamic_cast<TMyNewMsgBox*>(&form) != nullptr;
      if (!question && GetParam() == DialogAnswer::GoOn) testing::PressDefault(form);
      if (form.ModalResult == mrNone) form.ModalResult = mrCancel;
    };
    idle_ = Application->OnIdle;
    hint_ = Application->OnHint;
  }
  void TearDown() override {
    SetReadOnly(SettingsFilePath(), false);
    Application->OnMessage = nullptr;
    ProgramFixture::TearDown();
  }

  // The program as a writer has it between commands: a named script,
  // changed since it was saved, in front (Exit records named scripts in the
  // settings file); the option that the print commands switch off for
  // their duration switched on; the handlers and flags as they were at the
  // start, so that each command is judged on its own.
  void Prepare() {
    SetReadOnly(SettingsFilePath(), false);
    Application->OnIdle = idle_;
    Application->OnHint = hint_;
    MainForm->ExitConfirmed = 0;
    ProgramBusy = ClipboardBusy = false;
    PumpBusy = JobRunning = 0;
    if (DocumentCount == 0) MainForm->FileNewItem->Click();
    MainForm->NoAutoPagination = true;
    TMDIChild& w = Script();
    w.SetFocus();
    if (w.ScriptFileName.find("WALK") == std::string::npos) {
      testing::AddElements(w, {{ekSceneHeading, "INT. HALL - DAY"},
                               {ekAction, "Rain falls."},
                               {ekCharacterName, "ANNA"},
                               {ekDialogue, "It rains."}});
      testing::ChooseFile(Driver(), "WALK");
      MainForm->FileSaveAsItem->Click();
    }
    w.DocumentModified = 1;
    bool done = false;
    MainForm->AppIdle(nullptr, done);
    SetReadOnly(SettingsFilePath(), true);
  }

 private:
  TIdleEvent idle_;
  TNotifyEvent hint_;
};

TEST_P(CommandStateWalkTest, EveryCommandPutsBackWhatItSetForItsDuration) {
  Prepare();
  const HeldState usual = HeldState::Now();
  ASSERT_TRUE(usual.idleAttached && usual.hintAttached);
  int run = 0;
  for (const TMenuRow& row : MainMenuRows()) {
    if (!row.command || row.waitsFor != Built) continue;
    TMenuItem* item = MainForm->MenuItem(row.name);
    ASSERT_NE(item, nullptr) << row.name;
    Prepare();
    if (!item->Enabled()) continue;
    testing::RunFromEventLoop(*item);
    if (Application->Terminated()) {
      ADD_FAILURE() << row.name << " ended the program";
      break;
    }
    const std::string changed = HeldState::Now().Differences(usual);
    EXPECT_TRUE(changed.empty()) << row.name << " (" << row.handler << ") left changed: " << changed;
    ++run;
  }
  EXPECT_GT(run, 100) << "the walk reached the commands";
}

INSTANTIATE_TEST_SUITE_P(Answers, CommandStateWalkTest, ::testing::Values(DialogAnswer::Cancel, DialogAnswer::GoOn),
                         [](const ::testing::TestParamInfo<DialogAnswer>& info) {
                           return info.param == DialogAnswer::Cancel ? "CancellingEveryDialog" : "GoingOnAtEveryDialog";
                         });

}  // namespace
}  // namespace qm
