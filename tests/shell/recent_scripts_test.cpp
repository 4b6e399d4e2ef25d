// The three recent scripts at the foot of the File menu.
#include <gtest/gtest.h>

#include "support/message_box_answers.h"

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "platform/dialogs.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class RecentScriptsTest : public testing::ProgramFixture {
 protected:
  void SaveAs(const std::string& name) {
    Script().SetFocus();
    TypeText("Text.");
    testing::ChooseFile(Driver(), name);
    MainForm->FileSaveAsItem->Click();
  }
  std::vector<std::string> Shown() {
    bool done = false;
    MainForm->AppIdle(nullptr, done);
    std::vector<std::string> captions;
    for (const char* name : {"LastScript1Item", "LastScript2Item", "LastScript3Item"}) {
      TMenuItem* item = MainForm->MenuItem(name);
      if (item->Visible) captions.push_back(item->Caption());
    }
    EXPECT_EQ(MainForm->MenuItem("LastThreeBar")->Visible(), !captions.empty());
    return captions;
  }
};

TEST_F(RecentScriptsTest, TheSavedScriptComesFirstAndANameIsListedOnce) {
  EXPECT_TRUE(Shown().empty());
  SaveAs("ONE");
  MainForm->FileNewItem->Click();
  SaveAs("TWO");
  EXPECT_EQ(Shown(), (std::vector<std::string>{"&1 TWO.QMW", "&2 ONE.QMW"}));
  EXPECT_EQ(MainForm->MenuItem("LastScript2Item")->Hint, ScriptDirectory + "/ONE.QMW");
  ActiveDocument = 1;
  Script().SetFocus();
  TypeText("More.");
  MainForm->FileSaveItem->Click();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"&1 ONE.QMW", "&2 TWO.QMW"}));
}

TEST_F(RecentScriptsTest, ARecentScriptOpensFromItsItemAndTheListCanBeCleared) {
  SaveAs("ONE");
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 0);
  Shown();
  MainForm->MenuItem("LastScript1Item")->Click();
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().ScriptFileName, ScriptDirectory + "/ONE.QMW");
  MainForm->MenuItem("ClearHistoryItem")->Click();
  EXPECT_TRUE(Shown().empty());
}

// Clearing empties the items' captions and saves the emptied list at once
// (a crash afterwards must not bring it back); the recorded workspace goes
// with it, so that the next start reopens none of those scripts either.
TEST_F(RecentScriptsTest, ClearingTheListEmptiesTheItemsSavesItAtOnceAndErasesTheWorkspace) {
  SaveAs("ALPHA");
  ASSERT_EQ(Shown(), (std::vector<std::string>{"&1 ALPHA.QMW"}));
  const TIniFile ini(SettingsFileName);
  ASSERT_TRUE(SaveProgramSettings());
  ASSERT_EQ(ini.ReadString("Last Scripts", "Long 1", ""), "ALPHA.QMW");
  TIniFile(SettingsFileName).WriteString("WorkSpace", "Script Name 1", ScriptDirectory + "/ALPHA.QMW");
  TIniFile(SettingsFileName).WriteString("WorkSpace", "Long Name 1", "ALPHA.QMW");

  MainForm->MenuItem("ClearHistoryItem")->Click();
  for (const char* name : {"LastScript1Item", "LastScript2Item", "LastScript3Item"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(MainForm->MenuItem(name)->Visible());
    EXPECT_EQ(MainForm->MenuItem(name)->Caption(), "");
  }
  EXPECT_FALSE(MainForm->MenuItem("LastThreeBar")->Visible());
  for (const char* key : {"Long 1", "Path 1", "Long 2", "Path 2", "Long 3", "Path 3"})
    EXPECT_EQ(ini.ReadString("Last Scripts", key, ""), "") << key << ": saved without waiting for the exit";
  for (const char* key : {"Script Name 1", "Long Name 1"})
    EXPECT_EQ(ini.ReadString("WorkSpace", key, "Empty"), "Empty") << key;
}

}  // namespace
}  // namespace qm
