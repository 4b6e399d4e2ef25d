// The quick entry box belongs to the script it was opened for: it goes,
// its settings kept, when that script's window goes, so another script
// without settings of its own does not open it.
#include <gtest/gtest.h>

#include <string>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "language/quick_entry_dialog.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class QuickEntryLifetimeTest : public testing::ProgramFixture {
 protected:
  static std::string InScripts(const std::string& name) { return ScriptDirectory + "/" + name; }
  void SaveAs(const std::string& name) {
    testing::AddElements(Script(), {{ekAction, "Text of " + name + "."}});
    testing::ChooseFile(Driver(), InScripts(name));
    MainForm->FileSaveAsItem->Click();
  }
};

TEST_F(QuickEntryLifetimeTest, TheBoxGoesWithItsScriptsWindow) {
  SaveAs("FIRST.QMW");
  TMDIChild* first = &Script();
  MainForm->FileNewItem->Click();
  SaveAs("SECOND.QMW");
  MainForm->MakeShownScriptActive(first);
  ASSERT_EQ(ActiveScript(), first);
  Driver().Expect([](TForm& form) { dynamic_cast<TQuickEntryDialog&>(form).CancelBtn->Click(); }, "quick entry");
  ShowQuickEntry(true);
  ASSERT_NE(QuickEntryBox(), nullptr);

  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(QuickEntryBox(), nullptr);
  EXPECT_TRUE(FileExists(InScripts("FIRST.QTE"))) << "its settings are kept";
  ASSERT_FALSE(FileExists(InScripts("SECOND.QTE")));
  ShowQuickEntry(false);
  EXPECT_EQ(QuickEntryBox(), nullptr) << "the second script has no settings of its own";
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm
