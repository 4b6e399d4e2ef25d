// A file of another program opened as a script is named so that saving it
// can never replace a script that was not read into it.
#include "files/imported_script.h"

#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

constexpr int kRtfFilter = 5;
// Of Save As: the RTF the program writes itself.
constexpr int kFinalDraftRtf = 12;
const std::string kKitchenRtf = "{\\rtf1\\ansi \\pard INT. KITCHEN - NIGHT\\par\\pard A kettle whistles.\\par}";

class ImportedScriptNameTest : public testing::ProgramFixture {
 protected:
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  // The untouched first script saved as Kitchen.QMW, left open or closed.
  void SaveNativeKitchen(bool keepOpen) {
    TMDIChild& w = Script();
    w.FreeElements();
    testing::AddElements(w, {{ekSceneHeading, "INT. KITCHEN - DAY"}, {ekAction, "The real one."}});
    w.DisAssemble();
    SetDocumentModified(true, true);
    testing::ChooseFile(Driver(), "Kitchen", 1);
    MainForm->FileSaveAsItem->Click();
    ASSERT_TRUE(FileExists(InScripts("Kitchen.QMW")));
    if (keepOpen) return;
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
  // Kitchen.RTF opened with File Open as rich text.
  void OpenKitchenRtf() {
    testing::WriteFileText(InScripts("Kitchen.RTF"), kKitchenRtf);
    testing::ChooseFile(Driver(), InScripts("Kitchen.RTF"), kRtfFilter);
    testing::AcceptPasteAs(Driver());
    MainForm->FileOpenItem->Click();
  }
};

TEST_F(ImportedScriptNameTest, AnImportTakesANameNoFileAndNoOtherWindowHas) {
  const struct {
    const char* name;
    bool nativeFile;  // Kitchen.QMW was saved before
    bool nativeOpen;  // and its window is still open
    const char* title;
  } cases[] = {
      {"the native script is open", true, true, "NONAME2.QMW"},
      {"the native script exists, closed", true, false, "NONAME1.QMW"},
      {"no native script of that name", false, false, "Kitchen.QMW"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.nativeFile) SaveNativeKitchen(c.nativeOpen);
    const int before = DocumentCount;
    OpenKitchenRtf();
    ASSERT_EQ(DocumentCount, c.nativeOpen ? before + 1 : std::max(before, 1));
    EXPECT_EQ(ExtractFileName(Script().ScriptFileName), c.title);
    EXPECT_EQ(ExtractFileDir(Script().ScriptFileName), ScriptDirectory);
    EXPECT_TRUE(Script().DocumentModified);
    // Back to a single untouched script for the next case.
    while (DocumentCount > 0) {
      Script().DocumentModified = 0;
      MainForm->CloseFileItem->Click();
      Application->ProcessMessages();
    }
    DeleteFile(InScripts("Kitchen.QMW"));
    DeleteFile(InScripts("Kitchen.BK"));
    ASSERT_TRUE(NewDocument(InScripts("NONAME1.QMW")));
  }
}

TEST_F(ImportedScriptNameTest, SavingTheImportOnCloseNeverReplacesTheNativeScript) {
  SaveNativeKitchen(true);
  const std::string native = testing::ReadFileText(InScripts("Kitchen.QMW"));
  OpenKitchenRtf();
  ASSERT_EQ(DocumentCount, 2);
  // Return on the save question: Yes goes to Save As, which is cancelled.
  testing::AnswerMessageBox(Driver(), "Save /.../" + ExtractFileName(Script().ScriptFileName) + "?", mrYes);
  Driver().Expect([](TForm& form) {
    EXPECT_NE(dynamic_cast<TFileDialog*>(&form), nullptr) << "Save As asks for a name";
    form.ModalResult = mrCancel;
  });
  testing::AnswerMessageBox(Driver(), "File was NOT Saved!", mrOk);
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(DocumentCount, 2) << "the unsaved import stays open";
  EXPECT_TRUE(testing::ReadFileText(InScripts("Kitchen.QMW")) == native) << "Kitchen.QMW was replaced";
}

// The writer's own steps: the script saved again as Kitchen.RTF, as rich
// text or (the type left as it was) as a script, then that copy opened.
TEST_F(ImportedScriptNameTest, ACopyUnderAnotherExtensionOpenedAgainIsNamedApart) {
  const struct {
    const char* name;
    int filter;  // of Save As
  } cases[] = {{"saved as rich text", kFinalDraftRtf}, {"saved as a script", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SaveNativeKitchen(true);
    const std::string native = testing::ReadFileText(InScripts("Kitchen.QMW"));
    testing::ChooseFile(Driver(), "Kitchen.RTF", c.filter);
    MainForm->FileSaveAsItem->Click();
    ASSERT_TRUE(FileExists(InScripts("Kitchen.RTF")));
    const std::string firstTitle = Script().ScriptFileName;
    testing::ChooseFile(Driver(), InScripts("Kitchen.RTF"), 1);
    // A copy that named the window is the same script opened twice.
    if (SameFileName(firstTitle, InScripts("Kitchen.RTF")))
      Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); }, "open it twice");
    else testing::AcceptPasteAs(Driver());
    MainForm->FileOpenItem->Click();
    ASSERT_EQ(DocumentCount, 2);
    EXPECT_EQ(ExtractFileName(Script().ScriptFileName), "NONAME2.QMW");
    EXPECT_EQ(Documents[1]->ScriptFileName, firstTitle) << "the first window keeps its name";
    EXPECT_TRUE(testing::ReadFileText(InScripts("Kitchen.QMW")) == native);
    while (DocumentCount > 0) {
      Script().DocumentModified = 0;
      MainForm->CloseFileItem->Click();
      Application->ProcessMessages();
    }
    for (const char* file : {"Kitchen.QMW", "Kitchen.BK", "Kitchen.RTF"}) DeleteFile(InScripts(file));
    ASSERT_TRUE(NewDocument(InScripts("NONAME1.QMW")));
  }
}

}  // namespace
}  // namespace qm
