// With two or three scripts open, Undo and Redo work on the script in
// front and only on it: each script's steps are its own, and a command
// that takes a block to another script leaves the cut one Undo away in its
// own script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/document_table.h"
#include "files/undo_ring.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/main_form.h"
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

class UndoSeveralScriptsTest : public testing::ProgramFixture {
 protected:
  // Three new scripts, each holding a line of its own; the ring empty.
  void OpenThree() {
    for (const char* line : {"Alpha line one.", "Bravo line two.", "Charlie line three."}) {
      MainForm->FileNewItem->Click();
      Script().SetFocus();
      TypeText(line);
      scripts_.push_back(&Script());
    }
    UndoObject->ClearUndoData();
  }
  void Front(int index) {
    MainForm->DocItems[SlotOf(index) - 1]->Click();
    ASSERT_EQ(ActiveScript(), scripts_[static_cast<std::size_t>(index)]);
    Script().SetFocus();
  }
  int SlotOf(int index) const {
    for (int slot = 1; slot <= DocumentCount; ++slot)
      if (Documents[slot] == scripts_[static_cast<std::size_t>(index)]) return slot;
    return 0;
  }
  std::vector<ScriptShot> ShootAll() {
    std::vector<ScriptShot> shots;
    for (TMDIChild* w : scripts_) shots.push_back(Shoot(*w));
    return shots;
  }
  // What differs between the shots, script by script, in words.
  static std::string Changed(const std::vector<ScriptShot>& a, const std::vector<ScriptShot>& b) {
    std::string said;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (const std::string d = Differences(a[i], b[i]); !d.empty()) said += " script " + std::to_string(i) + ":" + d;
    return said;
  }
  void Undo() { testing::RunConfirmed(Driver(), "UndoItem"); }
  void Redo() { testing::RunConfirmed(Driver(), "RedoItem"); }

  std::vector<TMDIChild*> scripts_;
};

// Steps taken in turn in three scripts: Undo and Redo in one change it
// alone, and each script goes back to its own start.
TEST_F(UndoSeveralScriptsTest, UndoAndRedoInOneScriptNeverChangeAnother) {
  OpenThree();
  const std::vector<ScriptShot> start = ShootAll();
  for (int round = 0; round < 2; ++round)
    for (int i : {1, 0, 2}) {
      Front(i);
      SendKey(VK_RETURN);
      TypeText("More of " + std::to_string(i) + ".");
    }
  const std::vector<ScriptShot> typed = ShootAll();
  for (int i : {1, 2, 0}) {
    SCOPED_TRACE("script " + std::to_string(i));
    Front(i);
    std::vector<ScriptShot> before = ShootAll();
    ASSERT_TRUE(UndoObject->UndoIsAvailable());
    Undo();
    std::vector<ScriptShot> after = ShootAll();
    after[static_cast<std::size_t>(i)] = before[static_cast<std::size_t>(i)];
    EXPECT_EQ(Changed(before, after), "") << "Undo changed another script";
    Redo();
    EXPECT_EQ(Changed(before, ShootAll()), "") << "Redo gives back what Undo took";
  }
  EXPECT_EQ(Changed(typed, ShootAll()), "");
  for (int i : {2, 0, 1}) {
    Front(i);
    for (int n = 0; n < 20 && UndoObject->UndoIsAvailable(); ++n) Undo();
  }
  EXPECT_EQ(Changed(start, ShootAll()), "");
}

// Cut to a new file, whatever is answered at Save As, and whichever script
// is then in front: the cut block comes back in its own script with one
// Undo, and no other script is touched.
TEST_F(UndoSeveralScriptsTest, ABlockCutToANewFileComesBackInItsOwnScript) {
  for (const bool saved : {false, true}) {
    SCOPED_TRACE(saved ? "saved" : "Save As cancelled");
    while (DocumentCount > 0) {
      ActiveScript()->DocumentModified = 0;
      MainForm->CloseFileItem->Click();
    }
    Application->ProcessMessages();
    scripts_.clear();
    OpenThree();
    Front(1);
    const std::vector<ScriptShot> before = ShootAll();
    TMDIChild& source = Script();
    SendKey(VK_HOME);
    for (int i = 0; i < 5; ++i) SendKey(VK_RIGHT, TShiftState(ssShift));
    if (saved) testing::ChooseFile(Driver(), HomeFile("CUT.QMW"));
    testing::RunConfirmed(Driver(), "CutToItem");
    for (int i : {0, 2}) {
      Front(i);
      Undo();
    }
    const std::vector<ScriptShot> others = ShootAll();
    EXPECT_EQ(Differences(before[0], others[0]), "");
    EXPECT_EQ(Differences(before[2], others[2]), "");
    Front(1);
    ASSERT_EQ(&Script(), &source);
    Undo();
    EXPECT_EQ(Differences(before[1], Shoot(source)), "");
  }
}

}  // namespace
}  // namespace qm
