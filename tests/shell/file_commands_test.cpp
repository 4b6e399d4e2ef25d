// The File commands end to end: typed text saved, closed, opened again,
// and the timed backup written at idle.
#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/input.h"
#include "script/document_modified.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/idle_loop.h"
#include "shell/ini_file.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class FileCommandsTest : public testing::ProgramFixture {
 protected:
  // Answers the next open or save dialog with a name (in the script folder).
  void ChooseFile(const std::string& name, int filter = 1) {
    Driver().Expect(
        [name, filter](TForm& form) {
          auto& dialog = dynamic_cast<TFileDialog&>(form);
          dialog.FileNameEdit->Text = name;
          dialog.FilterCombo->SetItemIndex(filter - 1);
          dialog.OkBtn->Click();
        },
        "choose " + name);
  }
  void TypeScene() {
    Script().SetFocus();
    TypeText("A kettle whistles.");
  }
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  // Long paths show as "/.../" and the file's name.
  std::string SavePrompt() { return "Save /.../" + ExtractFileName(Script().ScriptFileName) + "?"; }
};

TEST_F(FileCommandsTest, SaveAsAsksBeforeOverwritingAndNoKeepsTheOldFile) {
  testing::WriteFileText(InScripts("TAKEN.QMW"), "old");
  TypeScene();
  ChooseFile("TAKEN.QMW");
  testing::AnswerMessageBox(Driver(), InScripts("TAKEN.QMW") + " already exists!\r\rShould I Overwrite this file?", mrNo);
  MainForm->FileSaveAsItem->Click();
  EXPECT_EQ(testing::ReadFileText(InScripts("TAKEN.QMW")), "old");
  EXPECT_TRUE(Script().DocumentModified);
}

TEST_F(FileCommandsTest, AScriptSavedAndOpenedAgainIsTheSame) {
  TMDIChild& w = Script();
  w.FreeElements();
  testing::AddElements(w, {{ekSceneHeading, "INT. KITCHEN - NIGHT"},
                           {ekAction, "A kettle whistles."},
                           {ekCharacterName, "MARY"},
                           {ekDialogue, "Not tonight."}});
  w.DisAssemble();
  SetDocumentModified(true, true);
  const auto before = testing::ElementsOf(w);
  ChooseFile("KITCHEN");
  MainForm->FileSaveAsItem->Click();
  ASSERT_TRUE(FileExists(InScripts("KITCHEN.QMW")));
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 0);

  ChooseFile(InScripts("KITCHEN.QMW"));
  MainForm->FileOpenItem->Click();
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(testing::ElementsOf(Script()), before);
  EXPECT_EQ(Script().ScriptFileName, InScripts("KITCHEN.QMW"));
}

TEST_F(FileCommandsTest, SaveAsRetitlesTheScriptAndSaveKeepsThePreviousVersionAsABackup) {
  TypeScene();
  ChooseFile("DRAFT");
  MainForm->FileSaveAsItem->Click();
  ASSERT_TRUE(FileExists(InScripts("DRAFT.QMW")));
  EXPECT_EQ(Script().ScriptFileName, InScripts("DRAFT.QMW"));
  EXPECT_FALSE(Script().DocumentModified) << "a saved script is no longer modified";
  const std::string first = testing::ReadFileText(InScripts("DRAFT.QMW"));
  TypeText(" Again.");
  MainForm->FileSaveItem->Click();
  EXPECT_NE(testing::ReadFileText(InScripts("DRAFT.QMW")), first);
  EXPECT_EQ(testing::ReadFileText(InScripts("DRAFT.BK")), first);
}

TEST_F(FileCommandsTest, ClosingAModifiedScriptAsksToSave) {
  TypeScene();
  // Cancel keeps the script open.
  testing::AnswerMessageBox(Driver(), SavePrompt(), mrCancel);
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 1);
  // No, then No at "are you sure", brings the question back; Cancel there.
  testing::AnswerMessageBox(Driver(), SavePrompt(), mrNo);
  Driver().Expect([](TForm& box) {
    EXPECT_EQ(box.Caption(), "Warning!");
    box.ModalResult = mrNo;
  });
  testing::AnswerMessageBox(Driver(), SavePrompt(), mrCancel);
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 1);
  // No, then Yes: closed without saving.
  testing::AnswerMessageBox(Driver(), SavePrompt(), mrNo);
  Driver().Expect([](TForm& box) { box.ModalResult = mrYes; });
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 0);
}

TEST_F(FileCommandsTest, OpeningAMissingFileSaysSoAndOpensNothing) {
  ChooseFile(InScripts("GONE.QMW"));
  testing::AnswerMessageBox(Driver(), InScripts("GONE.QMW") + " not Found!", mrOk, "Unable to load File...");
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(DocumentCount, 1);
  EXPECT_EQ(ExtractFileName(Script().ScriptFileName), "NONAME1.QMW") << "the untouched new script stays";
}

TEST_F(FileCommandsTest, TimedBackupsAreWrittenForModifiedScriptsAtIdle) {
  AutosaveInterval = 1;
  TypeScene();
  ASSERT_TRUE(NewDocument(InScripts("NONAME2.QMW")));
  ASSERT_TRUE(NewDocument(InScripts("NONAME3.QMW")));
  Script().SetFocus();
  TypeText("Third.");
  ASSERT_NE(TimedBackupDue, 0);
  Backend().SetTick(static_cast<std::uint64_t>(TimedBackupDue) * 100);
  bool done = false;
  MainForm->AppIdle(Application, done);
  EXPECT_TRUE(FileExists(InScripts("SAVE1.TMB")));
  EXPECT_FALSE(FileExists(InScripts("SAVE2.TMB"))) << "an empty script is never backed up";
  EXPECT_TRUE(FileExists(InScripts("SAVE3.TMB")));
  EXPECT_FALSE(FileExists(InScripts("SAVE1.TBK")));
  EXPECT_EQ(TimedBackupDue, 0);
}

// A .TBK that an earlier crash left behind is older than the .TMB: a
// failed timed backup leaves the newest .TMB alone.
TEST_F(FileCommandsTest, AFailedTimedBackupKeepsTheNewestOne) {
  AutosaveInterval = 1;
  TypeScene();
  testing::WriteFileText(InScripts("SAVE1.TBK"), "stale");
  testing::WriteFileText(InScripts("SAVE1.TMB"), "newest");
  SetFileFaultHook([](TFileStep step, const std::string&) { return step == TFileStep::Write ? ENOSPC : 0; });
  testing::AnswerMessageBox(Driver(), "Error writing " + InScripts("SAVE1.TMB") + "\rDisk is Full", mrOk, "Warning");
  WriteTimedBackups();
  SetFileFaultHook(nullptr);
  EXPECT_EQ(testing::ReadFileText(InScripts("SAVE1.TMB")), "newest");
  // The next backup that works replaces it and clears the stale one away.
  WriteTimedBackups();
  EXPECT_NE(testing::ReadFileText(InScripts("SAVE1.TMB")), "newest");
  EXPECT_FALSE(FileExists(InScripts("SAVE1.TBK")));
}

using PasteFromTest = FileCommandsTest;

TEST_F(PasteFromTest, AScriptFileIsMergedAtTheCaret) {
  TMDIChild& w = Script();
  w.FreeElements();
  testing::AddElements(w, {{ekSceneHeading, "EXT. YARD - DAY"}, {ekAction, "Birds."}});
  w.DisAssemble();
  SetDocumentModified(true, true);
  ChooseFile("YARD");
  MainForm->FileSaveAsItem->Click();
  ASSERT_TRUE(FileExists(InScripts("YARD.QMW")));

  ASSERT_TRUE(NewDocument(InScripts("NONAME2.QMW")));
  Script().SetFocus();
  TypeText("First.");
  ChooseFile(InScripts("YARD.QMW"));
  MainForm->PastefromItem->Click();
  const auto merged = testing::ElementsOf(Script());
  ASSERT_EQ(merged.size(), 3u);
  EXPECT_EQ(merged[0], (ElementSpec{ekAction, "First."}));
  EXPECT_EQ(merged[1], (ElementSpec{ekSceneHeading, "EXT. YARD - DAY"}));
  EXPECT_EQ(merged[2], (ElementSpec{ekAction, "Birds."}));
  EXPECT_TRUE(Script().DocumentModified);
}

}  // namespace
}  // namespace qm
