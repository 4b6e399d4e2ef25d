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
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

// ---- What the walk compares --------------------------------------------

struct ElementShot {
  Byte kind;
  std::string text;
  TElementFormat format;
  Byte state;
  std::string revised;
  friend bool operator==(const ElementShot&, const ElementShot&) = default;
};

struct ScriptShot {
  std::vector<ElementShot> elements;
  std::vector<Byte> header;  // the settings as the script's header record holds them
  TListOverflow spill;
};

ScriptShot Shoot(const TMDIChild& w) {
  ScriptShot shot;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next)
    shot.elements.push_back({e->Kind(), LiveElementText(w, *e), e->format, e->state, e->revisedLines.value_or("")});
  shot.header.assign(ScriptHeaderSize, 0);
  EncodeScriptHeader(w, w.FontNameTable, THeaderInfo{}, shot.header, &shot.spill);
  return shot;
}

std::string Describe(const ElementShot& e) {
  std::ostringstream out;
  out << "kind " << int(e.kind) << " \"" << e.text << "\" state " << int(e.state) << " margins "
      << int(e.format.LeftMargin) << "/" << int(e.format.RightMargin) << " number " << e.format.NumberWord << " style "
      << int(e.format.Style) << (e.revised.empty() ? "" : " revised");
  return out.str();
}

// What differs between two shots, in words; empty when they are equal.
std::string Differences(const ScriptShot& a, const ScriptShot& b) {
  std::string said;
  for (const THeaderField& field : ScriptHeaderFields()) {
    // Tagging mode, entered by the breakdown commands, is a way of working.
    if (field.Group == hgIdentity || field.Size == 0 || field.Name == "TaggingUsed") continue;
    if (!std::equal(a.header.begin() + static_cast<long>(field.Offset),
                    a.header.begin() + static_cast<long>(field.Offset + field.Size),
                    b.header.begin() + static_cast<long>(field.Offset)))
      said += " setting " + field.Name + ";";
  }
  if (EncodeListOverflow(a.spill) != EncodeListOverflow(b.spill)) said += " the lists beyond the header;";
  if (a.elements.size() != b.elements.size()) {
    said += " " + std::to_string(a.elements.size()) + " elements became " + std::to_string(b.elements.size()) + ";";
    return said;
  }
  for (std::size_t i = 0; i < a.elements.size(); ++i)
    if (!(a.elements[i] == b.elements[i]))
      said += " element " + std::to_string(i) + " (" + Describe(a.elements[i]) + " became " + Describe(b.elements[i]) +
              ");";
  return said;
}

// ---- Answering whatever a command asks ---------------------------------

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

// Confirms a form as a writer who says yes to everything would: types
// YES where it is asked for, presses the default button when it accepts,
// else the first that accepts. File dialogs are cancelled: no file is
// meant. After a long run of forms everything is cancelled, so that a
// command that asks again and again comes to an end.
void Confirm(TForm& form, int& asked) {
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

// ---- The walk -------------------------------------------------------------

// Commands the walk leaves out, each group for its reason.
// clang-format off
const std::set<std::string> kNotWalked = {
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
  void Run(const std::string& name) {
    int asked = 0;
    Driver().OnUnanswered = [&asked](TForm& form) { Confirm(form, asked); };
    const auto problem = std::exchange(Driver().OnProblem, [](const std::string&) {});
    MainForm->MenuItem(name)->Click();
    Driver().OnProblem = problem;
    Driver().OnUnanswered = nullptr;
  }

  ScriptShot Now(TMDIChild& w) {
    w.Assemble();
    w.DisAssemble();
    return Shoot(w);
  }

  // Runs the command on w; when it changed the script, one Undo must give
  // back the script as it was and Redo the script as the command left it.
  // What went wrong, in words; empty when nothing did.
  std::string UndoFault(TMDIChild& w, const std::string& name) {
    const ScriptShot before = Now(w);
    Run(name);
    if (ActiveScript() != &w) return {};  // it opened another script
    const ScriptShot after = Now(w);
    const std::string changed = Differences(before, after);
    if (changed.empty()) return {};
    if (!UndoObject->UndoIsAvailable()) return "changes the script (" + changed + " ) and records no undo step";
    Run("UndoItem");
    if (const std::string left = Differences(before, Now(w)); !left.empty()) return "Undo leaves" + left;
    Run("RedoItem");
    if (const std::string lost = Differences(after, Now(w)); !lost.empty()) return "Redo misses" + lost;
    return {};
  }

  // Runs each command of the table enabled at `start`.
  void Walk(TStart start, std::vector<std::string>& faults) {
    for (const TMenuRow& row : MainMenuRows()) {
      if (!row.name[0] || !row.command || row.IsLine() || kNotWalked.count(row.name)) continue;
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
    const ScriptShot before = Now(w);
    c.answers(Driver());
    const std::string fault = UndoFault(w, c.command);
    EXPECT_EQ(fault, "");
    EXPECT_NE(Differences(before, Now(w)), "") << "the command changed nothing";
    EXPECT_EQ(Driver().Pending(), 0);
    Driver().Clear();
  }
}

}  // namespace
}  // namespace qm
