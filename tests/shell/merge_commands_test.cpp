// Merge Text into Script: the checks made before the merge.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/files.h"
#include "files/merge_locked_text.h"
#include "script/fixtures/keys_fixture.h"
#include "shell/main_form.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class MergeCommandsTest : public testing::KeysFixture {
 protected:
  // The script in the slot saved under `name`, unchanged since.
  void Saved(int slot, const std::string& name) {
    TMDIChild& w = *Documents[static_cast<std::size_t>(slot)];
    w.ScriptFileName = testing::WriteFileText(HomeFile(name), "saved");
    w.DocumentModified = 0;
  }
  void OpenAnother() { MainForm->FileNewItem->Click(); }
};

TEST_F(MergeCommandsTest, TheMergeNeedsExactlyTwoSavedScripts) {
  const std::string twoScripts = MergeNeedsTwoScriptsMessage;
  const std::string savedScripts = "To use this function, both \rscripts must be already saved.";
  const struct {
    const char* what;
    int scripts;
    std::function<void()> arrange;
    std::string message;
  } cases[] = {
      {"one script", 1, [this] { Saved(1, "ONE.QMW"); }, twoScripts},
      {"three scripts", 3,
       [this] {
         for (int slot = 1; slot <= 3; ++slot) Saved(slot, "S" + std::to_string(slot) + ".QMW");
       },
       twoScripts},
      {"one untitled", 2, [this] { Saved(1, "ONE.QMW"); }, savedScripts},
      {"one changed since its save", 2,
       [this] {
         Saved(1, "ONE.QMW");
         Saved(2, "TWO.QMW");
         Documents[2]->DocumentModified = 1;
       },
       savedScripts},
      {"one whose file is gone", 2,
       [this] {
         Saved(1, "ONE.QMW");
         Documents[2]->ScriptFileName = HomeFile("GONE.QMW");
         Documents[2]->DocumentModified = 0;
       },
       savedScripts},
      {"two saved scripts", 2,
       [this] {
         Saved(1, "ONE.QMW");
         Saved(2, "TWO.QMW");
       },
       MergeWizardMissingMessage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    while (DocumentCount < c.scripts) OpenAnother();
    while (DocumentCount > c.scripts) {
      Documents[DocumentCount]->DocumentModified = 0;
      MainForm->MenuItem("CloseFileItem")->Click();
    }
    ASSERT_EQ(DocumentCount, c.scripts);
    for (int slot = 1; slot <= c.scripts; ++slot) {
      Documents[static_cast<std::size_t>(slot)]->ScriptFileName =
          JoinPath(ScriptDirectory, "NONAME" + std::to_string(slot) + ".QMW");
      Documents[static_cast<std::size_t>(slot)]->DocumentModified = 0;
    }
    c.arrange();
    testing::AnswerMessageBox(Driver(), c.message, mrOk, "Attention");
    MainForm->MergeTextintoScriptItemClick(nullptr);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

}  // namespace
}  // namespace qm
