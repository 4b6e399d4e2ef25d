// Cancel changes nothing and Undo gives everything back: every dialog the
// main menu opens is cancelled on a laid-out script with its caret inside
// an element, and the script, its caret, its settings and the open
// scripts are compared with what they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/document_table.h"
#include "files/native_file.h"
#include "files/script_header.h"
#include "files/undo_ring.h"
#include "platform/files.h"
#include "platform/menus.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/fixtures/pagination_fixture.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "support/native_scripts.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::ElementSpec;

// What a cancelled command must leave as it was.
struct TProgramState {
  std::vector<std::string> elements;  // kind, state, split and text of each
  int current = -1;
  int column = -1;
  int line = -1;
  bool modified = false;
  bool blockOn = false;
  std::vector<Byte> header;
  std::vector<std::string> scripts;  // the open scripts' files, the active one marked
};

// Four scenes with speeches, the second speech split by an automatic page
// break (a copy joins its pieces while it reads the block).
std::vector<ElementSpec> PagedScript() {
  std::vector<ElementSpec> script;
  for (const char* place : {"INT. HALL - DAY", "EXT. YARD - NIGHT", "INT. ATTIC - DAY", "INT. CELLAR - DAY"}) {
    script.push_back({ekSceneHeading, place});
    script.push_back(testing::ActionLines(10));
    script.push_back({ekCharacterName, "JOHN"});
    script.push_back(testing::DialogueLines(30));
    script.push_back(testing::ActionLines(6));
  }
  return script;
}

constexpr int CaretElement = 6;  // the second scene's first Action
constexpr int CaretColumn = 7;

class CancelledCommandsTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    KeysFixture::SetUp();
    W().ScriptFileName = ScriptDirectory + "/HOUSE.QMW";
  }

  // The script laid out in pages, the caret inside an element.
  void LoadPaged() {
    Load(PagedScript(), CaretElement, CaretColumn);
    W().RefreshLayout();
    W().DocumentModified = 0;
  }
  // A block from inside the caret's Action into the split speech after it.
  void MarkTheBlock() {
    TScriptElement* from = W().CurrentElement();
    editor::MarkBlock(W(), *from, 5, *from->next->next, 2);
  }

  TProgramState State() {
    TProgramState s;
    TMDIChild& w = W();
    const std::vector<ElementSpec> texts = testing::ElementsOf(w);
    int index = 0;
    for (const TScriptElement* e = w.FirstElement; e; e = e->next, ++index) {
      s.elements.push_back(std::to_string(e->Kind()) + " " + std::to_string(e->state) + " " + std::to_string(e->split) +
                           ": " + texts[static_cast<std::size_t>(index)].text);
      if (e == w.CurrentElement()) s.current = index;
    }
    s.column = w.CaretColumn();
    s.line = w.CaretLine();
    s.modified = w.DocumentModified != 0;
    s.blockOn = w.BlockOn();
    s.header.assign(ScriptHeaderSize, 0);
    WriteScriptImage(s.header, 0, 0, true);
    for (int slot = 1; slot <= DocumentCount; ++slot)
      s.scripts.push_back((slot == ActiveDocument ? "* " : "") + Documents[slot]->ScriptFileName);
    return s;
  }

  // The first element that differs, for a short failure message.
  static std::string FirstDifference(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    std::size_t i = 0;
    while (i < before.size() && i < after.size() && before[i] == after[i]) ++i;
    const auto at = [i](const std::vector<std::string>& v) { return i < v.size() ? v[i].substr(0, 40) : "(end)"; };
    return "element " + std::to_string(i) + " of " + std::to_string(before.size()) + " was \"" + at(before) +
           "\", is \"" + at(after) + "\" (" + std::to_string(after.size()) + " now)";
  }
  static void ExpectSameElements(const TProgramState& before, const TProgramState& after) {
    EXPECT_TRUE(after.elements == before.elements) << FirstDifference(before.elements, after.elements);
  }
  static void ExpectSame(const TProgramState& before, const TProgramState& after) {
    ExpectSameElements(before, after);
    EXPECT_EQ(after.current, before.current) << "the caret's element";
    EXPECT_EQ(after.column, before.column) << "the caret's column";
    EXPECT_EQ(after.line, before.line) << "the caret's line";
    EXPECT_EQ(after.modified, before.modified) << "the modified flag";
    EXPECT_EQ(after.blockOn, before.blockOn) << "the block";
    EXPECT_TRUE(after.header == before.header)
        << "the script's formats and settings, from byte "
        << std::mismatch(before.header.begin(), before.header.end(), after.header.begin()).first -
               before.header.begin();
    EXPECT_EQ(after.scripts, before.scripts) << "the open scripts";
  }

  // Every form no answer waits for is cancelled and counted; a pop-up menu
  // is closed without a choice.
  void CancelEveryForm() {
    Driver().OnUnanswered = [](TForm& form) { form.ModalResult = mrCancel; };
    Driver().OnProblem = [this](const std::string& problem) {
      if (problem.starts_with("unexpected ")) shown.push_back(problem);
      else ADD_FAILURE() << problem;
    };
  }
  // Back to the one script the case began with.
  void CloseOtherScripts(TMDIChild* keep) {
    for (int slot = DocumentCount; slot >= 1; --slot) {
      if (Documents[slot] == keep) continue;
      Documents[slot]->DocumentModified = 0;
      ActiveDocument = static_cast<Byte>(slot);
      MainForm->CloseFileItem->Click();
      Application->ProcessMessages();
    }
    for (int slot = 1; slot <= DocumentCount; ++slot)
      if (Documents[slot] == keep) ActiveDocument = static_cast<Byte>(slot);
  }
  // What the command leaves is what the writer sees: the idle loop does
  // not run after it here.
  void Send(const char* item) {
    MainForm->MenuItem(item)->Click();
    Application->ProcessMessages();
  }
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }

  std::vector<std::string> shown;
};

// A block cut to another script leaves its script as one step that Undo
// takes back, whatever became of the other script.
TEST_F(CancelledCommandsTest, ABlockCutToAnotherScriptComesBackWithUndo) {
  const struct {
    const char* what;
    const char* item;
    const char* chosen;    // the file named in the dialog; none: cancelled
    std::string contents;  // written to it first, when given
  } cases[] = {
      {"Save As cancelled", "CutToItem", nullptr, ""},
      {"saved as a new script", "CutToItem", "PIECE.QMW", ""},
      {"Open cancelled", "CutToExistingFileItem", nullptr, ""},
      {"a file that cannot be opened", "CutToExistingFileItem", "BROKEN.QMW", "not a script"},
      {"a script added to", "CutToExistingFileItem", "OTHER.QMW", testing::ScriptThatOpensAtOnce()},
      {"the scrap file", "CutToScrapItem", nullptr, ""},
  };
  CancelEveryForm();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TMDIChild* source = &W();
    LoadPaged();
    const TProgramState before = State();
    MarkTheBlock();
    if (!c.contents.empty()) testing::WriteFileText(InScripts(c.chosen), c.contents);
    if (c.chosen) testing::ChooseFile(Driver(), InScripts(c.chosen));
    Send(c.item);
    EXPECT_EQ(Driver().Pending(), 0);
    ASSERT_EQ(ActiveScript(), source);
    EXPECT_FALSE(State().elements == before.elements) << "the block left the script";
    EXPECT_TRUE(UndoObject->UndoIsAvailable());
    Send("UndoItem");
    ExpectSameElements(before, State());
    CloseOtherScripts(source);
  }
}

// Copying to a new script that is then not saved leaves no script behind,
// and the script copied from is the one being written again.
TEST_F(CancelledCommandsTest, ACopyToANewScriptNotSavedLeavesOnlyTheScript) {
  CancelEveryForm();
  TMDIChild* source = &W();
  LoadPaged();
  MarkTheBlock();
  const TProgramState before = State();
  Send("CopyToItem");
  ASSERT_EQ(ActiveScript(), source);
  TProgramState after = State();
  EXPECT_FALSE(after.blockOn) << "the copy to the clipboard ends the block";
  after.blockOn = before.blockOn;
  ExpectSame(before, after);
}

// The index card view left with Cancel puts the caret back where it was.
TEST_F(CancelledCommandsTest, TheIndexCardViewCancelledKeepsTheCaret) {
  CancelEveryForm();
  LoadPaged();
  const TProgramState before = State();
  Send("IndexCardItem");
  EXPECT_EQ(shown.size(), 1u);
  ExpectSame(before, State());
}

bool ShownInMenus(const TMenuRow& row) {
  return !row.hidden && row.rule != TMenuRule::StoryboardLinks && row.rule != TMenuRule::Interactive;
}

// Commands the walk leaves out: closing the script it works on.
const std::set<std::string> NotWalked = {"CloseFileItem", "ExitQuillmasterItem"};

// What a command may have changed when its first dialog comes up, since
// the command names it.
enum TMayChange : unsigned { mcNothing = 0, mcBlock = 1, mcModified = 2, mcEverything = ~0u };
struct TNamedChange {
  const char* item;
  unsigned mayChange;
  const char* why;
};
const TNamedChange NamedChanges[] = {
    {"CopyToItem", mcBlock, "the copy to the clipboard ends the block"},
    {"CopyToExistingFileItem", mcBlock, "the copy to the clipboard ends the block"},
    {"CutToItem", mcBlock | mcModified, "the cut, taken back by Undo, ends the block and modified the script"},
    {"CutToExistingFileItem", mcBlock | mcModified,
     "the cut, taken back by Undo, ends the block and modified the script"},
    {"IndexCardItem", mcModified, "cards that may be edited mark the script modified"},
    {"MultiLockScenesItem", mcEverything, "the message reports the scenes locked"},
    {"MultiLockPagesItem", mcEverything, "the message reports the pages locked"},
    {"FixFlexAPagesItem", mcEverything, "the message reports the A-pages fixed"},
    {"RestoreDefaultListsItem", mcModified, "the message reports the default lists loaded"},
};
unsigned MayChange(const std::string& item) {
  for (const TNamedChange& c : NamedChanges)
    if (item == c.item) return c.mayChange;
  return mcNothing;
}

// Every command of the main menu that opens a dialog, the dialog
// cancelled (and every one after it): the script stays as it was. A block
// cut to a file has left with the cut before the dialog; Undo brings it back.
TEST_F(CancelledCommandsTest, EveryDialogOfTheMenusCancelledChangesNothing) {
  CancelEveryForm();
  TMDIChild* source = &W();
  std::vector<const TMenuRow*> open;
  int walked = 0;
  for (const TMenuRow& row : MainMenuRows()) {
    open.resize(row.depth - 1u);
    open.push_back(&row);
    const bool shownRow = std::all_of(open.begin(), open.end(), [](const TMenuRow* r) { return ShownInMenus(*r); });
    if (!row.command || !shownRow || NotWalked.contains(row.name)) continue;
    SCOPED_TRACE(row.name);
    LoadPaged();
    const bool needsBlock =
        std::any_of(open.begin(), open.end(), [](const TMenuRow* r) { return r->rule == TMenuRule::Block; });
    if (needsBlock) MarkTheBlock();
    TProgramState before = State();
    shown.clear();
    Send(row.name);
    ASSERT_TRUE(std::find(Documents.begin(), Documents.end(), source) != Documents.end());
    const unsigned mayChange = MayChange(row.name);
    if (!shown.empty() && mayChange != mcEverything) {
      SCOPED_TRACE(shown.front());
      ++walked;
      // A cut is named with the command: Undo takes it back, the caret
      // where the cut's step found it.
      if (row.tag > 9900) Send("UndoItem");
      TProgramState after = State();
      if (row.tag > 9900) after.current = before.current, after.column = before.column, after.line = before.line;
      if (mayChange & mcBlock) after.blockOn = before.blockOn;
      if (mayChange & mcModified) after.modified = before.modified;
      ExpectSame(before, after);
    }
    CloseOtherScripts(source);
  }
  EXPECT_GT(walked, 100) << "the dialogs cancelled";
}

}  // namespace
}  // namespace qm
