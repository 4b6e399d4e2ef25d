// Every command of the main window's menus, walked from the program's own
// menu table with every question answered yes and every dialog confirmed:
// a command that changes the script records one undo step, and one Undo
// gives back its elements, its formats, its flags and what it keeps beside
// them as they were. Commands that change only what a script built for
// them holds are run on such a script, with the choices that change it.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/document_table.h"
#include "breakdown/associate_items_dialog.h"
#include "breakdown/categories.h"
#include "breakdown/tagging.h"
#include "files/undo_ring.h"
#include "language/confused_words_dialog.h"
#include "platform/dialog_builder.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/model/edit_line_writer.h"
#include "script/model/packed_text.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "story/branch_point_dialog.h"
#include "story/branching_script.h"
#include "story/linkage_graph_dialog.h"
#include "support/command_answers.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/script_shots.h"

namespace qm {
namespace {

using testing::Differences;
using testing::ScriptShot;
using testing::Shoot;

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

enum class TStart { Plain, WithBlock, Locked, Revised, Interactive };
const char* const kStartNames[] = {"a plain script", "a script with a block", "a locked script",
                                   "a script with revised lines", "a branching script"};

class UndoEveryCommandTest : public testing::ProgramFixture {
 protected:
  // A new script window holding what `fill` puts in, the caret at a column
  // of an element, wrapped whole and laid out as a script read from its
  // file is.
  TMDIChild& Load(const std::function<void(TMDIChild&)>& fill, int caretElement, int caretColumn) {
    while (DocumentCount > 0) {
      ActiveScript()->DocumentModified = 0;
      MainForm->CloseFileItem->Click();
    }
    MainForm->FileNewItem->Click();
    TMDIChild& w = Script();
    w.FreeElements();
    ResetScreenLines(w);
    fill(w);
    w.Assemble();
    TScriptElement* caret = testing::NthElement(w, caretElement);
    editor::SetCurrentElement(w, caret);
    w.CurrentGroup = caret->group;
    w.DisAssemble();
    editor::SetCaretColumn(w, static_cast<std::size_t>(caretColumn));
    TWrapPass pass(w);
    for (TScriptElement* e = w.FirstElement; e; e = e->next) pass.Wrap(*e, LiveElementText(w, *e));
    w.RefreshLayout();
    return w;
  }

  // No step recorded yet, nothing modified, the menus as the script stands.
  void Settle(TMDIChild& w) {
    UndoObject->ClearUndoData();
    w.DocumentModified = 0;
    MainForm->UpdateMenusAndButtons();
  }

  // kScript (or the branching script), the caret inside a word, a block
  // over that word when asked, locked when asked, lines marked revised
  // when asked.
  TMDIChild& Fresh(TStart start) {
    TMDIChild& w = Load(
        [start](TMDIChild& w) {
          if (start == TStart::Interactive) testing::BuildBranchingScript(w);
          else testing::AddElements(w, kScript);
        },
        kCaretElement, kCaretColumn);
    TScriptElement* caret = w.CurrentElement();
    if (start == TStart::Locked) Run("LockScriptItem");
    if (start == TStart::Revised) MarkRevised(w, {caret, caret->next->next->next});
    if (start == TStart::WithBlock) editor::MarkBlock(w, *caret, 5, *caret, 11);
    Settle(w);
    return w;
  }

  // The elements' first lines marked revised as typing marks them, on the
  // first page.
  static void MarkRevised(TMDIChild& w, std::initializer_list<TScriptElement*> elements) {
    w.RevisionMarking = 1;
    w.FirstPageRevised = 1;
    for (TScriptElement* e : elements) e->revisedLines = std::string(1, '\x01');
  }

  // Runs a command; the answers queued are used first, then whatever the
  // command asks is confirmed.
  void Answered(const std::function<void()>& command) { testing::RunAnswered(Driver(), command); }
  void Run(const std::string& name) { testing::RunConfirmed(Driver(), name); }

  ScriptShot Now(TMDIChild& w) {
    w.Assemble();
    w.DisAssemble();
    return Shoot(w);
  }

  // Runs the command on w; when it changed the script, one Undo must give
  // back the script as it was and Redo the script as the command left it.
  // What went wrong, in words; empty when nothing did.
  std::string UndoFault(TMDIChild& w, const std::function<void()>& command) {
    const ScriptShot before = Now(w);
    const Byte taggedBefore = w.TaggingUsed;
    Answered(command);
    if (ActiveScript() != &w) return {};  // it opened another script
    const ScriptShot after = Now(w);
    const std::string changed = Differences(before, after);
    if (changed.empty()) return {};
    if (!UndoObject->UndoIsAvailable()) return "changes the script (" + changed + " ) and records no undo step";
    Run("UndoItem");
    // A command that entered tagging mode leaves it on: the script stays
    // tagged while it is, whatever Undo gives back.
    if (TaggingModeEnteredFor(w) && !taggedBefore) {
      if (!w.TaggingUsed) return "Undo takes the tagging flag while the mode is on";
      w.TaggingUsed = taggedBefore;
    }
    if (const std::string left = Differences(before, Now(w)); !left.empty()) return "Undo leaves" + left;
    Run("RedoItem");
    if (const std::string lost = Differences(after, Now(w)); !lost.empty()) return "Redo misses" + lost;
    return {};
  }
  std::string UndoFault(TMDIChild& w, const std::string& name) {
    return UndoFault(w, [&name] { MainForm->MenuItem(name)->Click(); });
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
  for (TStart start : {TStart::Plain, TStart::WithBlock, TStart::Locked, TStart::Revised, TStart::Interactive})
    Walk(start, faults);
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

// Commands that change a script only when it holds what they work on
// (branch targets, names said twice, tagged items, revised lines, lock
// codes): each runs on a script built for it, after an edit of its own, and
// one Undo gives back the script as it was just before the command, not
// before that edit.
TEST_F(UndoEveryCommandTest, ACommandGivenWhatItWorksOnIsUndoneWhole) {
  const auto branching = [](TMDIChild& w) { testing::BuildBranchingScript(w); };
  constexpr int kBranchingAction = 4;  // "Dust (9) everywhere."
  const auto names = [](TMDIChild& w) {
    testing::AddElements(w, {{ekSceneHeading, "INT. HALL - DAY"},
                             {ekAction, "They meet."},
                             {ekCharacterName, "BOB"},
                             {ekDialogue, "Hi."},
                             {ekCharacterName, "ROBERT"},
                             {ekDialogue, "Hello."}});
  };
  const auto tagged = [](TMDIChild& w) {
    constexpr int kProps = 14;
    testing::AddElements(w, {{ekSceneHeading, "INT. HALL - DAY"},
                             {ekAction, "Bob lights a " + std::string(1, static_cast<char>(TagCodeOfCategory(kProps))) +
                                            "lamp" + std::string(1, static_cast<char>(TagEnd)) + "."},
                             {ekCharacterName, "BOB"},
                             {ekDialogue, "Light."}});
    w.TaggingUsed = 1;
  };
  const auto plain = [](TMDIChild& w) { testing::AddElements(w, kScript); };
  const auto revised = [](TMDIChild& w) { MarkRevised(w, {testing::NthElement(w, 1), testing::NthElement(w, 4)}); };
  const auto locked = [](TMDIChild& w) {
    std::vector<testing::ElementSpec> script = kScript;
    script[1].text = "\x1B" + script[1].text;
    testing::AddElements(w, script);
  };
  // The branch point dialog: CELLAR (9) taken into the branch point.
  const auto buildToCellar = [](TForm& form) {
    auto& dialog = dynamic_cast<story::TJumpDlg&>(form);
    dialog.Source->SetSelected(0, false);
    dialog.Source->SetSelected(3, true);
    dialog.IncludeBtn->Click();
    dialog.ContinueBtn->Click();
  };
  const auto newTarget = [](const char* text) {
    return [text](TForm& form) {
      DialogControl<TEdit>(form, "JumpPosition")->Text = std::string(text);
      form.ModalResult = mrOk;
    };
  };
  const struct {
    const char* what;
    std::function<void(TMDIChild&)> fill;
    int caret;
    std::function<void(TMDIChild&)> prepare;
    std::function<void(ModalDriver&)> answers;
    std::function<void()> command;
  } cases[] = {
      {"Renumber all Branch Targets", branching, kBranchingAction, nullptr, nullptr,
       [] { MainForm->MenuItem("RenumberBTargetsItem")->Click(); }},
      {"the branch point dialog's Build the Branch Point", branching, kBranchingAction, nullptr,
       [&](ModalDriver& d) { d.Expect(buildToCellar); }, [] { MainForm->BranchPointBtnClick(nullptr); }},
      {"the branch point dialog's Create New Branch Target", branching, kBranchingAction, nullptr,
       [&](ModalDriver& d) {
         d.Expect([&](TForm& form) {
           Driver().Expect(newTarget("Garden"));
           dynamic_cast<story::TJumpDlg&>(form).NewBtn->Click();
           form.ModalResult = mrCancel;
         });
       },
       [] { MainForm->BranchPointBtnClick(nullptr); }},
      {"a branch point built from a double click on the linkage graph", branching, kBranchingAction, nullptr,
       [&](ModalDriver& d) {
         d.Expect([](TForm& form) {
           auto& graph = dynamic_cast<story::TLinkagesDlg&>(form);
           graph.MouseDown(TMouseButton::mbLeft, true, 1, 1);
           graph.ModalResult = mrOk;
         });
         d.Expect(buildToCellar);
       },
       [] { MainForm->MenuItem("GraphLinksItem")->Click(); }},
      {"the first target the linkage graph offers to create",
       [](TMDIChild& w) {
         testing::AddElements(w, {{ekAction, "A dark room."}, {ekTransition, "GO TO HALL (1)"}});
         w.InteractiveScript = 1;
       },
       0, nullptr,
       [&](ModalDriver& d) {
         testing::AnswerMessageBox(d, "There are no Branch Targets to graph!\r\rCreate a New Branch Target?", mrYes);
         d.Expect(newTarget("Hall"));
         d.Expect([](TForm& form) { form.ModalResult = mrOk; });
       },
       [] { MainForm->MenuItem("GraphLinksItem")->Click(); }},
      {"Setup Duplicate Names' Apply", names, 1, nullptr,
       [](ModalDriver& d) {
         d.Expect([](TForm& form) {
           auto& dialog = dynamic_cast<TCheckWordsDlg&>(form);
           dialog.NamesBox->SetSelected(0, true);  // BOB reports
           dialog.NamesBoxClick();
           dialog.NamesBox->SetSelected(1, true);
           dialog.NamesBoxClick();
           dialog.CombineBtn->Click();
           dialog.ApplyButton->Click();
         });
       },
       [] { MainForm->MenuItem("DuplicateNamesItem")->Click(); }},
      {"Associate Items' OK", tagged, 1, nullptr,
       [](ModalDriver& d) {
         d.Expect([](TForm& form) {
           auto& dialog = dynamic_cast<TAssociateItemsDlg&>(form);
           dialog.CategoryCombo->Text = std::string("Props");
           dialog.CategoryChange();
           dialog.ItemList->SetSelected(0, true);
           dialog.ItemClick();
           dialog.OKBtn->Click();
         });
       },
       [] { MainForm->MenuItem("AssociateNamesItem")->Click(); }},
      {"Lock Current Rev. Marks", plain, 1, revised, nullptr, [] { MainForm->MenuItem("LockRevMarksItem")->Click(); }},
      {"Unlock One Rev. Mark Level", locked, 1, nullptr, nullptr,
       [] { MainForm->MenuItem("UnlockRevMarkLevelItem")->Click(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TMDIChild& w = Load(c.fill, c.caret, 0);
    if (c.prepare) c.prepare(w);
    Settle(w);
    w.SetFocus();
    TypeText("x");
    ASSERT_TRUE(UndoObject->UndoIsAvailable()) << "the edit before the command";
    const ScriptShot before = Now(w);
    if (c.answers) c.answers(Driver());
    EXPECT_EQ(UndoFault(w, c.command), "");
    EXPECT_NE(Differences(before, Now(w)), "") << "the command changed nothing";
    EXPECT_EQ(Driver().Pending(), 0);
    Driver().Clear();
  }
}

}  // namespace
}  // namespace qm
