// The Edit and Help commands that the main window carries out itself.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "platform/dialogs.h"
#include "platform/input.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/text_codes.h"
#include "shell/main_form.h"

namespace qm {
namespace {

using testing::ElementSpec;

class MainCommandsTest : public testing::KeysFixture {
 protected:
  void Click(const char* name) { MainForm->MenuItem(name)->Click(); }
};

TEST_F(MainCommandsTest, AddHardReturnTypesTheMarkAtTheCaretUpToFiftyLines) {
  const std::string mark(1, static_cast<char>(HardReturn));
  Load({{ekAction, "Line one.Line two."}}, 0, 9);
  Click("AddHardReturnItem");
  EXPECT_EQ(Elements()[0].text, "Line one." + mark + "Line two.");
  EXPECT_EQ(W().CaretColumn(), 10);

  std::string full;
  for (int i = 0; i < 50; ++i) full += "x" + mark;
  Load({{ekAction, full}}, 0, -1);
  ExpectBox("You can have a maximum of 50 lines with Hard Returns", mrOk);
  Click("AddHardReturnItem");
  EXPECT_EQ(Elements()[0].text, full) << "a fifty-first is refused";
}

TEST_F(MainCommandsTest, AReadOnlyScriptTakesNoHardReturn) {
  Load({{ekAction, "Line."}}, 0, 2);
  W().Editable = 0;
  Click("AddHardReturnItem");
  EXPECT_EQ(Elements()[0].text, "Line.");
}

TEST_F(MainCommandsTest, OutsideProgramsThatAreNotThereAreNamed) {
  const struct {
    const char* item;
    const char* text;
  } cases[] = {
      {"ConfigurationWizard1", "Unable to find CONFIGWZ.EXE!"},
      {"EditTopSpeedBarItem", "Unable to find SETUPBAR.EXE!"},
      {"MacquarieConciseItem", "Unable to find MegaLex.EXE!"},
      {"MemoryAvailItem", "Due to the 32 bit Memory management system, this feature has been disabled."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    ExpectBox(c.text, mrOk);
    Click(c.item);
  }
}

TEST_F(MainCommandsTest, SaveAllSavesEveryChangedScriptAndComesBackToTheActiveOne) {
  W().SetFocus();
  TypeText("First.");
  MainForm->FileNewItem->Click();
  // Both are untitled, so each save asks for a name.
  int asked = 0;
  for (const char* name : {"ALPHA", "BETA"}) {
    Driver().Expect(
        [&asked, name](TForm& form) {
          ++asked;
          auto& dialog = dynamic_cast<TFileDialog&>(form);
          dialog.FileNameEdit->Text = name;
          dialog.OkBtn->Click();
        },
        name);
  }
  W().SetFocus();
  TypeText("Second.");
  Click("FileSaveAllItem");
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(Documents[1]->DocumentModified);
  EXPECT_FALSE(Documents[2]->DocumentModified);
  EXPECT_EQ(ActiveDocument, 2);
}

}  // namespace
}  // namespace qm
