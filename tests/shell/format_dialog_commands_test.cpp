// The Format menu's dialogs reach their routines: the items open their
// dialogs, change the active script and, when asked, the defaults of new
// scripts in the settings file.
#include <gtest/gtest.h>

#include "files/format_files.h"
#include "formats/page_layout_dialog.h"
#include "formats/script_formats_dialog.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class FormatDialogCommandsTest : public testing::KeysFixture {};

TEST_F(FormatDialogCommandsTest, FormatsSavedAsDefaultsReachNewScripts) {
  Load({{ekCharacterName, "JOHN"}, {ekDialogue, "Hello there."}});
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TEditScriptFormatsDlg&>(form);
    dialog.PageControl<TEdit>("Dialogue", "Left")->Text = std::string("3.0");
    dialog.SaveDefaultsBox->SetChecked(true);
    form.ModalResult = mrOk;
  });
  MainForm->MenuItem("EditScriptFormatItem")->Click();
  EXPECT_EQ(W().FormatSet[fsDialogue].LeftMargin, 30);
  TScriptRecord fresh;
  ReadFormatDefaults(fresh);
  EXPECT_EQ(fresh.FormatSet[fsDialogue].LeftMargin, 30);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(FormatDialogCommandsTest, TheColumnKeysPutTheElementInItsColumn) {
  // Ctrl+2 is also an accent key of the script window: the menu's key is
  // taken first, so it sets the right column.
  const struct {
    Word key;
    Byte column;
  } cases[] = {{'2', 2}, {'1', 1}, {'0', 0}, {'2', 2}};
  Load({{ekAction, "Rain."}});
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<char>(c.key));
    Press(c.key, TShiftState(ssCtrl));
    EXPECT_EQ(W().CurrentElement()->avColumn, c.column);
    EXPECT_EQ(W().EditBuffer(), "Rain.") << "no accent is pending or typed";
  }
  TypeText("e");
  EXPECT_EQ(W().EditBuffer(), "eRain.");
}

TEST_F(FormatDialogCommandsTest, PageLayoutKeptForThisScriptOnly) {
  Load({{ekAction, "Rain."}});
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TPageLayoutDlg&>(form);
    dialog.TopEdit->Text = std::string("1.5");
    form.ModalResult = mrOk;
  });
  MainForm->MenuItem("PageLayoutItem")->Click();
  EXPECT_EQ(W().TopMargin, 15);
  TScriptRecord fresh;
  ReadFormatDefaults(fresh);
  EXPECT_EQ(fresh.TopMargin, 10) << "the defaults stay as they were";
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm
