// Every command of the main window's menus, walked from the program's own
// menu table with every question answered yes and every dialog confirmed:
// a command that changes the script records one undo step, and one Undo
// gives back its elements, its formats and its flags as they were.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/document_table.h"
#include "files/script_header.h"
#include "files/undo_ring.h"
#include "platform/dialog_builder.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/model/edit_line_writer.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "support/command_answers.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/script_shot.h"

namespace qm {
namespace {

// A short scene with a speech and a second heading, well within one page.
const std::vector<testing::ElementSpec> kScript = {
    {ekSceneHeading, "INT. KITCHEN - DAY"},
    {ekAction, "John enters the kitchen. He sits down."},
    {ekCharacterName, "JOHN"},
    {ekParenthetical, "(quietly)"},
    {ekDialogue, "Hello there, Mary. Is the tea ready?"},
    {ekCharacterName, "MARY"},
    {ekDialogue, "Not yet, john."},
    {ekTransition, "CUT TO:"},
    {ekSceneHeading, "EXT. GARDEN - NIGHT"},
    {ekAction, "Rain falls on the roses."},
    {ekScriptNote, "Check the weather."},
};
constexpr int kCaretElement = 1;
constexpr int kCaretColumn = 6;  // inside "enters"

enum class TStart { Plain, WithBlock, Locked };
const char* const kStartNames[] = {"a plain script", "a script with a block", "a locked script"};

class UndoEveryCommandTest : public testing::ProgramFixture {
 protected:
  // A new script window holding kScript, the caret inside a word, a block
  // over that word when asked, locked when asked; no step recorded.
  TMDIChild& Fresh(TStart start) {
    while (DocumentCount > 0) {
      ActiveScript()->DocumentModified = 0;
      MainForm->CloseFileItem->Click();
    }
    MainForm->FileNewItem->Click();
    TMDIChild& w = Script();
    w.FreeElements();
    ResetScreenLines(w);
    testing::AddElements(w, kScript);
    TScriptElement* caret = w.FirstElement;
    for (int i = 0; i < kCaretElement; ++i) caret = caret->next;
    editor::SetCurrentElement(w, caret);
    w.CurrentGroup = caret->group;
    w.DisAssemble();
    editor::SetCaretColumn(w, kCaretColumn);
    // Wrapped whole, as a script read from its file is, and laid out.
    TWrapPass pass(w);
    for (TScriptElement* e = w.FirstElement; e; e = e->next) pass.Wrap(*e, LiveElementText(w, *e));
    w.RefreshLayout();
    if (start == TStart::Locked) Run("LockScriptItem");
    if (start == TStart::WithBlock) editor::MarkBlock(w, *caret, 5, *caret, 11);
    UndoObject->ClearUndoData();
    w.DocumentModified = 0;
    MainForm->UpdateMenusAndButtons();
    return w;
  }

  // Runs a command; the answers queued are used first, then whatever the
  // command asks is confirmed.
  void Run(const std::string& name) { testing::RunConfirmed(Driver(), name); }

  testing::ScriptShot Now(TMDIChild& w) {
    w.Assemble();
    w.DisAssemble();
    return testing::ShootScript(w);
  }

  // Runs the command on w; when it changed the script, one Undo must give
  // back the script as it was and Redo the script as the command left it.
  // What went wrong, in words; empty when nothing did.
  std::string UndoFault(TMDIChild& w, const std::string& name) {
    const testing::ScriptShot before = Now(w);
    Run(name);
    if (ActiveScript() != &w) return {};  // it opened another script
    const testing::ScriptShot after = Now(w);
    const std::string changed = testing::ShotDifferences(before, after);
    if (changed.empty()) return {};
    if (!UndoObject->UndoIsAvailable()) return "changes the script (" + changed + " ) and records no undo step";
    Run("UndoItem");
    if (const std::string left = testing::ShotDifferences(before, Now(w)); !left.empty()) return "Undo leaves" + left;
    Run("RedoItem");
    if (const std::string lost = testing::ShotDifferences(after, Now(w)); !lost.empty()) return "Redo misses" + lost;
    return {};
  }

  // Runs each command of the table enabled at `start`.
  void Walk(TStart start, std::vector<std::string>& faults) {
    for (const TMenuRow& row : MainMenuRows()) {
      if (!row.name[0] || !row.command || row.IsLine() || testing::CommandsNotWalked().count(row.name)) continue;
      TMDIChild& w = Fresh(start);
      const TMenuItem* item = MainForm->MenuItem(row.name);
      if (!item || !item->Enabled || item->Count() > 0) continue;
      if (const std::string fault = UndoFault(w, row.name); !fault.empty())
        faults.push_back(std::string(row.name) + " on " + kStartNames[static_cast<int>(start)] + ": " + fault);
    }
  }
};

TEST_F(UndoEveryCommandTest, OneUndoGivesBackWhatEachCommandChanged) {
  std::vector<std::string> faults;
  // Something on the clipboard, for the paste commands.
  Fresh(TStart::WithBlock);
  Run("CopyItem");
  for (TStart start : {TStart::Plain, TStart::WithBlock, TStart::Locked}) Walk(start, faults);
  std::string all;
  for (const std::string& f : faults) all += f + "\n";
  EXPECT_TRUE(faults.empty()) << faults.size() << " commands:\n" << all;
}

// Commands that change only when told what to change: each is given its
// answers, and one Undo takes the whole change back.
TEST_F(UndoEveryCommandTest, ChangedListsAndFormatsAreUndoneWhole) {
  const std::string listFile = HomeFile("PEOPLE.TXT");
  {
    std::ofstream out(listFile);
    out << "ALICE\nBOB\n";
  }
  const struct {
    const char* command;
    std::function<void(ModalDriver&)> answers;
  } cases[] = {
      {"EditUserListsItem",
       [](ModalDriver& d) {
         d.Expect([](TForm& form) {
           DialogControl<TEdit>(form, "RowEdit1")->Text = std::string("BACK LATER");
           DialogControl<TButton>(form, "OKBtn")->Click();
         });
       }},
      {"ListsFromAsciiItem",
       [&listFile](ModalDriver& d) {
         testing::ChooseFile(d, listFile);
         d.Expect([](TForm& form) {
           DialogControl<TRadioButton>(form, "CharNamesRadio")->SetChecked(true);
           DialogControl<TButton>(form, "OKBtn")->Click();
         });
       }},
      {"EditScriptFormatItem",
       [](ModalDriver& d) {
         d.Expect([](TForm& form) {
           DialogControl<TEdit>(form, "DialogueLeft")->Text = std::string("3.0");
           form.ModalResult = mrOk;
         });
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    TMDIChild& w = Fresh(TStart::Plain);
    const testing::ScriptShot before = Now(w);
    c.answers(Driver());
    const std::string fault = UndoFault(w, c.command);
    EXPECT_EQ(fault, "");
    EXPECT_NE(testing::ShotDifferences(before, Now(w)), "") << "the command changed nothing";
    EXPECT_EQ(Driver().Pending(), 0);
    Driver().Clear();
  }
}

}  // namespace
}  // namespace qm
