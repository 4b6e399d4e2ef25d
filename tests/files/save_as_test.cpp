// Every type of the Save As dialog: the save format it chooses, and either
// the file it writes or the message that says why it writes none.
#include "files/save_as.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "base/ini_file.h"
#include "files/native_file.h"
#include "files/progress_dialog.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/input.h"
#include "script/model/script_model.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class SaveAsTest : public testing::ProgramFixture {
 protected:
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  void ChooseFile(const std::string& name, int filter) { testing::ChooseFile(Driver(), name, filter); }
  void LoadScene() {
    TMDIChild& w = Script();
    w.FreeElements();
    testing::AddElements(w, {{ekSceneHeading, "INT. KITCHEN - NIGHT"},
                             {ekAction, "A kettle whistles."},
                             {ekCharacterName, "MARY"},
                             {ekDialogue, "Not tonight."}});
    w.DisAssemble();
  }
  // No converter on the search path: the table stays within this program.
  testing::ScopedEnv path_{"PATH", "/nonexistent"};
  // The export filters lie in the program's data folder.
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data"};
};

const std::string kNotAvailable = "Saving in this format is not available in this version.";
const std::string kConverterCannotWrite =
    " is not available: the converter can read this format but not write it.\r\r"
    "Please save as Rich Text Format or MS Word for Windows, which this word processor reads.";

TEST_F(SaveAsTest, EachTypeSetsItsFormatAndWritesOrSaysWhyNot) {
  struct Row {
    const char* description;
    Byte code;
    const char* file;     // written; empty when none is
    std::string starts;   // the file's first bytes
    std::string message;  // said instead; empty when none
  };
  const std::vector<Row> rows{
      {"BriskSave Format (Win)", 0, "T1.QMW", "", ""},
      {"BriskSave Format (DOS)", 1, "T2.SCR", "", ""},
      {"Old Quillmaster Format", 2, "", "", kNotAvailable},
      {"Formatted ASCII", 3, "T4.DOS", "          INT. KITCHEN - NIGHT\r\n", ""},
      {"WordPerfect 5.1/6.x", 4, "", "", "Saving as WordPerfect 5.1/6.x" + kConverterCannotWrite},
      {"WordPerfect w/Styles", 5, "", "",
       "Saving as WordPerfect with styles is not available in this version: please save as Rich Text Format, "
       "which WordPerfect reads with its styles."},
      {"Rich Text Format (Win)", 6, "", "", "Missing Export Utility: XTDLINK.EXE"},
      {"Rich Text Format (Mac)", 13, "", "", "Missing Export Utility: XTDLINK.EXE"},
      {"Scriptware Tagged", 7, "T9.TAG", "[Scene Heading]\r\n<A>INT. KITCHEN - NIGHT\r\n", ""},
      {"MS Word for DOS (5.5)", 11, "", "", "Saving as MS Word for DOS" + kConverterCannotWrite},
      {"MS Word for Windows", 12, "", "", "Missing Export Utility: XTDLINK.EXE"},
      {"Final Draft RTF", 16, "T12.RTF", "{\\rtf1\\ansi", ""},
      {"Final Draft 4.0 Converter", 20, "", "", kNotAvailable},
  };
  const std::vector<TSaveAsType> types = SaveAsTypes();
  ASSERT_EQ(types.size(), rows.size());
  LoadScene();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(row.description);
    EXPECT_EQ(types[i].description, row.description);
    EXPECT_EQ(types[i].code, row.code);
    const std::string name = "T" + std::to_string(i + 1);
    ChooseFile(name, static_cast<int>(i + 1));
    if (!row.message.empty()) testing::AnswerMessageBox(Driver(), row.message, mrOk);
    MainForm->FileSaveAsItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(ProgressDlg().FileFormatCode, row.code);
    const std::string path = InScripts(name + "." + types[i].extension);
    if (*row.file) {
      EXPECT_EQ(path, InScripts(row.file));
      ASSERT_TRUE(FileExists(path));
      EXPECT_TRUE(testing::ReadFileText(path).starts_with(row.starts)) << testing::ReadFileText(path).substr(0, 80);
    } else {
      EXPECT_FALSE(FileExists(path));
    }
  }
}

// An export through the converter needs its filter in the program folder
// before anything else; only RTF for the Macintosh has a way without it:
// the program's own styled RTF in the same file.
TEST_F(SaveAsTest, AnExportWithoutItsFilterSaysWhichIsMissing) {
  testing::TempFolder emptyProgramFolder;
  testing::ScopedEnv programFolder("QUILLMASTER_PROGRAM_FOLDER", emptyProgramFolder.Path());
  LoadScene();
  const struct {
    int filter;
    const char* name;
    const char* file;
    const char* missing;
  } cases[] = {{11, "SCENE", "SCENE.DOC", "WORDWIN"}, {7, "WINDOWS", "WINDOWS.RTF", "RTF"}};
  for (const auto& c : cases) {
    ChooseFile(c.name, c.filter);
    testing::AnswerMessageBox(Driver(), std::string("Unable to find ") + c.missing + ".XTD!", mrOk, "Export Aborted");
    MainForm->FileSaveAsItem->Click();
    EXPECT_EQ(Driver().Pending(), 0) << c.file;
    EXPECT_FALSE(FileExists(InScripts(c.file)));
  }

  ChooseFile("MACINTOSH", 8);
  MainForm->FileSaveAsItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(testing::ReadFileText(InScripts("MACINTOSH.RTF"))
                  .starts_with("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\r\n{\\stylesheet"));
}

TEST_F(SaveAsTest, AnExportAsksBeforeOverwritingAndNoKeepsTheFile) {
  LoadScene();
  const std::string path = testing::WriteFileText(InScripts("SCENE.RTF"), "old");
  for (const TModalResult answer : {mrNo, mrYes}) {
    // Final Draft RTF, which the program writes itself.
    ChooseFile("SCENE", 12);
    testing::AnswerMessageBox(Driver(), PathToText(path) + " already exists!\r\rShould I Overwrite this file?", answer);
    MainForm->FileSaveAsItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(testing::ReadFileText(path) == "old", answer == mrNo);
  }
  EXPECT_TRUE(Script().ScriptFileName.find("SCENE.RTF") == std::string::npos) << "an export leaves the script's name";
}

// Save As onto the name of a script open in another window says so before
// it writes: refused, nothing is written and the script keeps its name;
// insisted on, the file is written (the plain "already exists" question
// is not asked as well).
TEST_F(SaveAsTest, ANameAnotherWindowHoldsIsAskedAboutBeforeAnythingIsWritten) {
  Script().SetFocus();
  TypeText("The first script.");
  ChooseFile("HALL", 1);
  MainForm->FileSaveAsItem->Click();
  const std::string path = InScripts("HALL.QMW");
  const std::string first = testing::ReadFileText(path);
  ASSERT_FALSE(first.empty());
  MainForm->FileNewItem->Click();
  Script().SetFocus();
  TypeText("The second script.");
  const std::string question = "The script " + PathToText(path) +
                               " is already open in Window #1 and saving this script under its name can cause you "
                               "great confusion and possible loss of editing changes if you save them both!\r\r"
                               "Should I REALLY save this script under the same name?";
  for (const bool insist : {false, true}) {
    SCOPED_TRACE(insist ? "insisted on" : "refused");
    ChooseFile("HALL", 1);
    std::string asked;
    Driver().Expect(
        [&asked, insist](TForm& box) {
          asked = testing::MessageBoxText(box);
          testing::AnswerTypeYes(box, insist);
        },
        "the name another window holds");
    MainForm->FileSaveAsItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_NE(asked.find(question), std::string::npos) << asked;
    EXPECT_EQ(testing::ReadFileText(path) == first, !insist);
    EXPECT_EQ(Script().ScriptFileName == path, insist);
  }
}

// The writers that walk the pages lay them out first: a script typed a
// moment ago, before the idle pass broke its pages, goes out with them.
TEST_F(SaveAsTest, WritersThatWalkThePagesLayThemOutFirst) {
  TMDIChild& w = Script();
  w.SetFocus();
  // 80 Actions, each a blank line and a line of text: 160 lines.
  for (int i = 1; i <= 80; ++i) {
    TypeText("Line " + std::to_string(i) + ".");
    SendKey(VK_RETURN);
  }
  TypeText("The end.");
  const auto breaksInScript = [&w] {
    int count = 0;
    for (const TScriptElement* e = w.FirstElement; e; e = e->next) count += IsPageBreakKind(e->Kind()) ? 1 : 0;
    return count;
  };
  const struct {
    const char* what;
    int filter;
    const char* file;
    bool native;
  } cases[] = {{"BriskSave Format (Win)", 1, "PAGES.QMW", true}, {"Formatted ASCII", 4, "PAGES.DOS", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(breaksInScript(), 0) << "the idle pass has not broken the pages yet";
    ChooseFile("PAGES", c.filter);
    MainForm->FileSaveAsItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    const std::string bytes = testing::ReadFileText(InScripts(c.file));
    int breaks = 0;
    if (c.native) {
      TParsedScript parsed;
      std::string error;
      ASSERT_TRUE(ParseScriptImage(std::span(reinterpret_cast<const Byte*>(bytes.data()), bytes.size()), parsed, error))
          << error;
      for (const auto& e : parsed.elements) breaks += IsPageBreakKind(e->Kind()) ? 1 : 0;
    } else {
      breaks = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\f'));
    }
    EXPECT_GE(breaks, 2) << "160 lines fill more than two pages";
    EXPECT_EQ(breaks, breaksInScript()) << "the file has the script's own breaks";
    // The next writer meets a script typed in and not yet laid out again.
    w.RejoinSplitElements();
    w.RebuildElementGroups();
    TypeText("x");
  }
}

}  // namespace
}  // namespace qm
