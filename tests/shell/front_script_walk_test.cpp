// Every command of the menus, walked with three saved scripts open and the
// middle one in front (neither the first nor the last opened): the command
// changes only the script in front, and when it ends that script is still
// the one in front, the active one, named by the main window's title and
// taking the next keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_box_form.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/model/script_model.h"
#include "shell/app_messages.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "support/command_answers.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

// Three scripts with words of their own; none holds a "Z".
struct TSavedScript {
  const char* name;
  std::vector<ElementSpec> elements;
};
const TSavedScript kScripts[] = {
    {"ALPHA.QMW",
     {{ekSceneHeading, "INT. ATTIC - DAY"},
      {ekAction, "Alpha dust settles."},
      {ekCharacterName, "ANNA"},
      {ekDialogue, "All quiet up here."}}},
    {"BRAVO.QMW",
     {{ekSceneHeading, "EXT. BEACH - NIGHT"},
      {ekAction, "Waves break on the rocks."},
      {ekCharacterName, "BEN"},
      {ekDialogue, "Bring the boat in."},
      {ekSceneHeading, "INT. HUT - NIGHT"},
      {ekAction, "A fire burns."}}},
    {"CHARLIE.QMW",
     {{ekSceneHeading, "INT. CELLAR - DAY"},
      {ekAction, "Charlie counts the jars."},
      {ekCharacterName, "CARL"},
      {ekDialogue, "Forty, forty one."}}},
};
constexpr int kFront = 1;  // BRAVO: opened second of three

// How the walk answers: the program's questions are always cancelled (a
// command that asks keeps everything); other dialogs are cancelled, or
// gone on with so that the command does its work. File dialogs are
// cancelled: no file is meant.
enum class DialogAnswer { Cancel, GoOn };
// Whether the script in front has a block marked (the commands that take
// a block to another script need one).
enum class Block { None, Marked };
struct TWalk {
  DialogAnswer answer;
  Block block;
};

// Commands whose own description makes another script the one in front,
// or closes the others.
// clang-format off
const std::set<std::string> kAnotherInFront = {
    "FileNewItem",                      // a new script, in front
    "Doc1Item", "Doc3Item",             // the Window menu brings that script forward
    "BookmarkItem",                     // the bookmark list, a window of its own, takes the keys
};
// clang-format on
// Exit closes every script it is not told to keep (the one in front is
// kept at its save question).
const std::set<std::string> kClosesTheOthers = {"ExitQuillmasterItem"};

// What a script is: its elements, whether it counts as changed, and its
// file's bytes.
struct TScriptState {
  std::vector<ElementSpec> elements;
  Byte modified;
  std::string file;
  friend bool operator==(const TScriptState&, const TScriptState&) = default;
};

class FrontScriptWalkTest : public testing::ProgramFixture, public ::testing::WithParamInterface<TWalk> {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    Driver().OnProblem = [](const std::string&) {};
    for (const TSavedScript& s : kScripts) {
      if (DocumentCount == 0 || !IsDocumentEmpty(ActiveDocument)) MainForm->FileNewItem->Click();
      TMDIChild& w = Script();
      testing::AddElements(w, s.elements);
      testing::ChooseFile(Driver(), Path(s.name));
      MainForm->FileSaveAsItem->Click();
      ASSERT_EQ(w.DocumentModified, 0) << s.name;
      saved_.push_back(testing::ReadFileText(Path(s.name)));
    }
    Driver().OnUnanswered = [this](TForm& form) {
      // A command that asks again and again is cancelled in the end.
      const bool goOn = GetParam().answer == DialogAnswer::GoOn && ++asked_ <= 25;
      const bool question = dynamic_cast<TMyNewMsgBox*>(&form) != nullptr;
      const bool fileDialog = dynamic_cast<TFileDialog*>(&form) != nullptr;
      if (!question && !fileDialog && goOn) testing::PressDefault(form);
      if (form.ModalResult == mrNone) form.ModalResult = mrCancel;
    };
  }
  void TearDown() override {
    Application->OnMessage = nullptr;
    ProgramFixture::TearDown();
  }

  std::string Path(const std::string& name) const { return ScriptDirectory + "/" + name; }

  // The three saved scripts opened in order, the second brought forward
  // from the Window menu; it counts as changed, as a writer's script in
  // front does, and has a block marked when the walk asks for one.
  void Prepare() {
    // A window an earlier command left up (a tool window of its own) goes.
    for (int i = Screen->FormCount() - 1; i >= 0; --i)
      if (TForm* f = Screen->Forms(i);
          f != MainForm && f->FormStyle != TFormStyle::fsMDIChild && f->Visible && !f->Modal())
        f->Hide();
    while (DocumentCount > 0) {
      ActiveScript()->DocumentModified = 0;
      CloseActiveScript(true);
      Application->ProcessMessages();
    }
    for (std::size_t i = 0; i < std::size(kScripts); ++i) {
      testing::WriteFileText(Path(kScripts[i].name), saved_[i]);
      ASSERT_TRUE(OpenScriptByName(Path(kScripts[i].name))) << kScripts[i].name;
      scripts_[i] = ActiveScript();
    }
    MainForm->WindowMenu->Click();
    MainForm->DocItems[kFront]->Click();
    TMDIChild& front = *scripts_[kFront];
    ASSERT_EQ(ActiveScript(), &front);
    // The caret in the first Action, as a writer at work has it.
    TScriptElement* action = front.FirstElement->next;
    editor::SetCurrentElement(front, action);
    front.CurrentGroup = action->group;
    front.DisAssemble();
    editor::SetCaretColumn(front, 5);
    if (GetParam().block == Block::Marked) editor::MarkBlock(front, *action, 0, *action, 5);
    front.DocumentModified = 1;
    MainForm->UpdateMenusAndButtons();
  }

  TScriptState StateOf(int i) {
    TMDIChild& w = *scripts_[i];
    return {testing::ElementsOf(w), w.DocumentModified, testing::ReadFileText(Path(kScripts[i].name))};
  }

  // The command as the event loop hands it over.
  void Run(TMenuItem& command) {
    asked_ = 0;
    testing::RunFromEventLoop(command);
    Application->ProcessMessages();
  }

  // What is wrong with the script in front after a command, in words.
  std::string FrontFault() {
    TMDIChild* front = scripts_[kFront];
    if (SlotOf(front) == 0) return "the script in front was closed";
    std::string said;
    if (MainForm->ActiveMDIChild() != front) said += " another script is drawn in front;";
    if (ActiveScript() != front) said += " another script is the active one;";
    if (!front->Active()) said += " the script in front is not active;";
    if (MainWindowText().find("BRAVO") == std::string::npos) said += " the title says \"" + MainWindowText() + "\";";
    // Where the desktop sends a key: the active window's focused control.
    TForm* keys = Screen->ActiveForm();
    TWinControl* control = keys ? keys->FocusedControl() : nullptr;
    TWinControl* within = control;
    while (within && within != front) within = within->Parent();
    if (keys != front || (control && !within)) {
      said += " the keys go to ";
      said += keys ? "\"" + keys->Caption() + "\"" : std::string("no window");
      if (control && control != keys) said += " (" + control->Name + ")";
      said += ";";
    }
    return said;
  }

  std::vector<std::string> saved_;
  int asked_ = 0;
  TMDIChild* scripts_[std::size(kScripts)] = {};
};

TEST_P(FrontScriptWalkTest, EachCommandKeepsToTheScriptInFrontAndLeavesItThere) {
  std::vector<std::string> faults;
  int run = 0;
  for (const TMenuRow& row : MainMenuRows()) {
    if (!row.command || row.waitsFor != Built || row.IsLine()) continue;
    Prepare();
    if (HasFatalFailure()) return;
    TMenuItem* item = MainForm->MenuItem(row.name);
    ASSERT_NE(item, nullptr) << row.name;
    if (!item->Enabled() || item->Count() > 0) continue;
    const TScriptState others[] = {StateOf(0), StateOf(2)};
    Run(*item);
    if (Application->Terminated()) {
      ADD_FAILURE() << row.name << " ended the program";
      break;
    }
    ++run;
    std::string fault;
    const bool closesOthers = kClosesTheOthers.count(row.name) > 0;
    for (const int i : {0, 2}) {
      if (SlotOf(scripts_[i]) == 0) {
        if (!closesOthers) fault += std::string(" ") + kScripts[i].name + " was closed;";
        continue;
      }
      if (!(StateOf(i) == others[i == 0 ? 0 : 1])) fault += std::string(" ") + kScripts[i].name + " changed;";
    }
    if (!kAnotherInFront.count(row.name)) fault += FrontFault();
    if (!fault.empty()) faults.push_back(std::string(row.name) + " (" + row.handler + "):" + fault);
  }
  EXPECT_GT(run, 100) << "the walk reached the commands";
  std::string all;
  for (const std::string& f : faults) all += f + "\n";
  EXPECT_TRUE(faults.empty()) << faults.size() << " commands:\n" << all;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FrontScriptWalkTest,
    ::testing::Values(TWalk{DialogAnswer::Cancel, Block::None}, TWalk{DialogAnswer::GoOn, Block::None},
                      TWalk{DialogAnswer::Cancel, Block::Marked}, TWalk{DialogAnswer::GoOn, Block::Marked}),
    [](const ::testing::TestParamInfo<TWalk>& info) {
      return std::string(info.param.answer == DialogAnswer::Cancel ? "CancellingEveryDialog" : "GoingOnAtEveryDialog") +
             (info.param.block == Block::Marked ? "WithABlock" : "");
    });

}  // namespace
}  // namespace qm
