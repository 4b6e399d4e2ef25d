#include "support/command_answers.h"

#include <functional>
#include <utility>

#include "platform/controls.h"
#include "platform/dialog_builder.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "shell/main_form.h"

namespace qm::testing {

namespace {

TButton* FindButton(TWinControl& parent, const std::function<bool(const TButton&)>& fits) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (auto* b = dynamic_cast<TButton*>(c); b && b->Visible && b->Enabled && fits(*b)) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible)
      if (TButton* found = FindButton(*w, fits)) return found;
  }
  return nullptr;
}

bool Accepts(TModalResult r) { return r == mrOk || r == mrYes; }

}  // namespace

void ConfirmForm(TForm& form, int& asked) {
  if (++asked > 25 || dynamic_cast<TFileDialog*>(&form)) {
    form.ModalResult = mrCancel;
    return;
  }
  if (auto* yes = dynamic_cast<TEdit*>(form.FindDescendant("RequireYesText")); yes && yes->Visible) {
    yes->Text = "YES";
    form.ModalResult = mrOk;
    return;
  }
  TButton* button = FindButton(form, [](const TButton& b) { return b.Default && Accepts(b.ModalResult); });
  if (!button) button = FindButton(form, [](const TButton& b) { return Accepts(b.ModalResult); });
  if (!button) button = FindButton(form, [](const TButton& b) { return b.Default(); });
  if (button) button->Click();
  if (form.ModalResult == mrNone) form.ModalResult = mrOk;
}

void RunAnswered(ModalDriver& driver, const std::function<void()>& command) {
  int asked = 0;
  const auto unanswered = std::exchange(driver.OnUnanswered, [&asked](TForm& form) { ConfirmForm(form, asked); });
  const auto problem = std::exchange(driver.OnProblem, [](const std::string&) {});
  command();
  driver.OnProblem = problem;
  driver.OnUnanswered = unanswered;
}

void RunConfirmed(ModalDriver& driver, const std::string& name) {
  RunAnswered(driver, [&name] { MainForm->MenuItem(name)->Click(); });
}

void PressDefault(TForm& form) {
  for (int press = 0; press < 3 && form.ModalResult == mrNone; ++press)
    if (TButton* button = FindButton(form, [](const TButton& b) { return b.Default(); })) button->Click();
}

void RunFromEventLoop(TMenuItem& command) {
  constexpr UINT CommandMessage = WM_USER + 68;
  Application->OnMessage = [&command](TMsg& msg, bool& handled) {
    if (msg.message != CommandMessage) return;
    handled = true;
    command.Click();
  };
  Application->Post(TMsg{NullWindow, CommandMessage, 0, 0, 0, {}});
  for (int i = 0; i < 50 && !Application->QueueEmpty(); ++i) Application->HandleMessage();
  Application->OnMessage = nullptr;
}

const std::set<std::string>& CommandsNotWalked() {
  // clang-format off
  static const std::set<std::string> names = {
      // The program, the script and its files.
      "FileNewItem", "FileOpenItem", "CloseFileItem", "FileSaveItem", "FileSaveAsItem", "FileSaveAllItem",
      "ADriveItem", "BDriveItem", "ExitQuillmasterItem", "LastScript1Item", "LastScript2Item", "LastScript3Item",
      "ComparedScriptsItem", "IndexCardItem",
      // Undo and Redo themselves, and the clipboard with the steps.
      "UndoItem", "RedoItem", "AlternateUndo", "ClearClipboardItem",
      // Blocks taken to other scripts: another script takes part.
      "CopyToItem", "CopyToExistingFileItem", "CopyToScrapItem", "CutToItem", "CutToExistingFileItem",
      "CutToScrapItem",
      // Windows of the program, not of the script.
      "WindowCascadeItem", "WindowTileItem", "WindowArrangeItem", "WindowMinimizeItem", "MaximizeWindowItem",
      // How the script is shown, or a mode of working in it, not a change of
      // it: kinds and notes hidden, link brackets, tagging mode, locking
      // paused, whether edits are marked.
      "HideActionItem", "HideDialogueItem", "HideScenesItem", "HideAllNotesItem", "HideNotesExceptItem",
      "HideNonPrintingItem", "HideSBLinksItem", "UnhideElementsItem", "UnhideNotesItem", "UnhideNotesExceptItem",
      "UnhideNonPrintingItem", "AltHideSBLinksItem", "HideLinkBracketsItem", "TaggingModeItem", "PausePageLockingItem",
      "PauseSceneLockingItem", "AutoRevMarksItem",
  };
  // clang-format on
  return names;
}

}  // namespace qm::testing
