// Files of other programs opened with File Open become new scripts.
#include "files/foreign_files.h"

#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/prompt_table.h"
#include "files/export_script.h"
#include "files/file_format.h"
#include "files/progress_dialog.h"
#include "files/storydev_import.h"
#include "files/tagged_text.h"
#include "files/text_encoding.h"
#include "platform/dialogs.h"
#include "script/layout/cue_extension.h"
#include "script/model/packed_text.h"
#include "script/editing/script_list_data.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "support/converter_path.h"
#include "support/exchange_data.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ForeignFilesTest : public testing::ProgramFixture {
 protected:
  void ChooseFile(const std::string& name, int filter) { testing::ChooseFile(Driver(), name, filter); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = ScriptDirectory + "/" + name;
    testing::WriteFileText(path, bytes);
    return path;
  }
};

constexpr int kAsciiFilter = 4;
constexpr int kTaggedFilter = 8;
constexpr int kExchangeFilter = 11;
constexpr int kAllFilesFilter = 12;

TEST_F(ForeignFilesTest, PlainTextOpensAsANewScript) {
  const std::string path = Write("scene.txt", "INT. HOUSE - DAY\n\nShe waits.\n\nJOHN\n\nHello there.\n");
  ChooseFile(path, kAsciiFilter);
  testing::AcceptPasteAs(Driver());
  MainForm->FileOpenItem->Click();
  ASSERT_NE(ActiveScript(), nullptr);
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekSceneHeading, "INT. HOUSE - DAY"},
                                                                     {ekAction, "She waits."},
                                                                     {ekCharacterName, "JOHN"},
                                                                     {ekDialogue, "Hello there."}}));
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_NE(Script().ScriptFileName.find("scene"), std::string::npos);
}

TEST_F(ForeignFilesTest, RtfIsToldByItsBytesWhateverTheChoice) {
  const std::string path = Write("scene.doc", "{\\rtf1 \\pard INT. HOUSE - DAY\\par\\pard She {\\b waits}.\\par}");
  ChooseFile(path, kAllFilesFilter);
  testing::AcceptPasteAs(Driver());
  MainForm->FileOpenItem->Click();
  ASSERT_NE(ActiveScript(), nullptr);
  EXPECT_EQ(testing::ElementsOf(Script()),
            (std::vector<ElementSpec>{{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "She \x02waits\x03."}}));
}

TEST_F(ForeignFilesTest, Utf8TextArrivesInTheScriptsCharacters) {
  const std::string path =
      Write("cafe.txt", "\xEF\xBB\xBFINT. CAF\xC3\x89 - DAY\n\nShe says \xE2\x80\x9Chi\xE2\x80\x9D.\n");
  ChooseFile(path, kAsciiFilter);
  testing::AcceptPasteAs(Driver());
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(testing::ElementsOf(Script()),
            (std::vector<ElementSpec>{{ekSceneHeading, "INT. CAF\xC9 - DAY"}, {ekAction, "She says \x93hi\x94."}}));
}

TEST_F(ForeignFilesTest, CharactersWithoutAFormAreSaidOnce) {
  const std::string path = Write("odd.txt", "She waits \xE2\x98\x83 and \xE2\x98\x83.\n");
  ChooseFile(path, kAsciiFilter);
  testing::AcceptPasteAs(Driver());
  testing::AnswerMessageBox(Driver(), LossyTextNotice, mrOk);
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, "She waits ? and ?."}}));
}

std::string Exchange(const testing::ExchangeRecords& records) {
  const std::vector<Byte> bytes = testing::ExchangeBytes(records);
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(ForeignFilesTest, ExchangeFileGivesElementsAndNames) {
  const std::string path = Write("story.dsw", Exchange({{"TITL", "The Visit"},
                                                        {"CNAM", "Anna"},
                                                        {"SNAM", "INT. CAFE - DAY"},
                                                        {"SDES", "Anna waits."},
                                                        {"LAST", ""}}));
  ChooseFile(path, kAllFilesFilter);
  MainForm->FileOpenItem->Click();
  ASSERT_NE(ActiveScript(), nullptr);
  EXPECT_EQ(testing::ElementsOf(Script()),
            (std::vector<ElementSpec>{
                {ekCenteredTitle, "The Visit"}, {ekSceneHeading, "INT. CAFE - DAY"}, {ekAction, "Anna waits."}}));
  EXPECT_EQ(UserListEntry(RecordOf(Script()).UserLists, TUserList::CharNames, 1), "ANNA");
}

// The bytes cannot tell such a file: the writer is asked to open it
// anyway, and then told plainly that it cannot be read.
TEST_F(ForeignFilesTest, FormatsWithoutALayoutAreRefusedPlainly) {
  testing::ScopedEnv searchPath("PATH", testing::SearchPathWithConverter());
  const std::string path = Write("old.scr", "bytes of a Movie Master script");
  const int before = DocumentCount;
  testing::AnswerMessageBox(Driver(), UnverifiedFileQuestion, mrYes, PromptTable(32));
  testing::AnswerMessageBox(Driver(),
                            "Reading " + path + " is not available: this version cannot read Movie Master scripts.",
                            mrOk, "Attention");
  EXPECT_FALSE(OpenScriptByName(path, lfMovieMaster));
  EXPECT_EQ(DocumentCount, before);
}

// Said once, though the file is looked at before it is loaded.
TEST_F(ForeignFilesTest, NewerWordStarIsRefusedOnceWithItsReason) {
  const std::string path = Write("new.ws", std::string("\x1D\x7D\0\0header", 10));
  ChooseFile(path, kAllFilesFilter);
  testing::AnswerMessageBox(Driver(), NewerWordStarMessage, mrOk, "Attention");
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, ""}}));
}

// A file chosen as a format its bytes do not show is read as that format
// only when the writer says so; then its reader says what is wrong.
TEST_F(ForeignFilesTest, DamagedExchangeFileIsReportedAndOpensNothing) {
  testing::ScopedEnv searchPath("PATH", testing::SearchPathWithConverter());
  std::string bytes = Exchange({{"TITL", "The Visit"}});
  bytes[6] = static_cast<char>(bytes[6] ^ 0x55);
  const std::string path = Write("bad.dsw", bytes);
  ChooseFile(path, kExchangeFilter);
  testing::AnswerMessageBox(Driver(), UnverifiedFileQuestion, mrYes, PromptTable(32));
  testing::AnswerMessageBox(Driver(), StoryDevDamagedMessage, mrOk);
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, ""}}));
}

TEST_F(ForeignFilesTest, TaggedChoiceOfAnotherFileIsReported) {
  testing::ScopedEnv searchPath("PATH", testing::SearchPathWithConverter());
  const std::string path = Write("notes.tag", "Just some notes.\r\n");
  ChooseFile(path, kTaggedFilter);
  testing::AnswerMessageBox(Driver(), UnverifiedFileQuestion, mrYes, PromptTable(32));
  testing::AnswerMessageBox(Driver(), NotTaggedMessage, mrOk, "Import Aborted");
  MainForm->FileOpenItem->Click();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, ""}}));
}

TEST_F(ForeignFilesTest, TaggedFileAsksItsStylesOnce) {
  const std::string tagged = "[Scene Heading]\r\n<A>INT. HOUSE - DAY\r\n[Action]\r\n<A>She waits.\r\n";
  const std::string path = Write("scene.tag", tagged);
  for (int pass = 0; pass < 2; ++pass) {
    ChooseFile(path, kTaggedFilter);
    if (pass == 0) testing::DefineStyles(Driver(), {"RadioButton6", "ActionBtn"});
    testing::AnswerMessageBox(Driver(), "Import Complete.", mrOk);
    MainForm->FileOpenItem->Click();
    ASSERT_NE(ActiveScript(), nullptr);
    EXPECT_EQ(testing::ElementsOf(Script()),
              (std::vector<ElementSpec>{{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "She waits."}}));
  }
}

TEST_F(ForeignFilesTest, LongTaggedParagraphArrivesWhole) {
  std::string words;
  while (words.size() < 4000) words += "The lamp turns. ";
  words.pop_back();
  const std::string path = Write("long.tag", "[Action]\r\n<A>" + words + "\r\n");
  ChooseFile(path, kTaggedFilter);
  testing::DefineStyles(Driver(), {"ActionBtn"});
  testing::AnswerMessageBox(Driver(), "Import Complete.", mrOk);
  MainForm->FileOpenItem->Click();
  ASSERT_NE(ActiveScript(), nullptr);
  const std::vector<ElementSpec> elements = testing::ElementsOf(Script());
  ASSERT_GE(elements.size(), 2u);
  std::string joined;
  for (const ElementSpec& e : elements) {
    EXPECT_EQ(e.kind, ekAction);
    joined += (joined.empty() ? "" : " ") + e.text;
  }
  EXPECT_EQ(joined, words);
}

// A plain-text screenplay: its title block is read by the rules of any
// text (a short capital line with nothing before it is a cue, the line
// under it its speech); the cues keep their extensions on screen and on
// paper.
TEST_F(ForeignFilesTest, PlainTextCuesKeepTheirExtensionsAndTheTitleBlockIsReadByTheRules) {
  const std::string path = Write("harbour.txt", "THE HARBOUR LIGHT\n\nWritten by Ann Example\n\nFADE IN:\n\n"
                                                "INT. HARBOUR OFFICE - NIGHT\n\nRain runs down the glass.\n\n"
                                                "HARBOUR MASTER (V.O.)\nWho goes there?\n\nNELL (O.S.)\nOnly me.\n");
  ChooseFile(path, kAsciiFilter);
  testing::AcceptPasteAs(Driver());
  MainForm->FileOpenItem->Click();
  ASSERT_NE(ActiveScript(), nullptr);
  std::vector<std::pair<std::string, std::string>> cues;
  const std::vector<ElementSpec> read = testing::ElementsOf(Script());
  std::size_t i = 0;
  for (TScriptElement* e = Script().FirstElement; e; e = e->next, ++i) {
    if (read[i].text.starts_with("Written")) {
      EXPECT_EQ(e->Kind(), ekDialogue) << "the title's speech";
    }
    if (e->Kind() == ekCharacterName) cues.emplace_back(read[i].text, CharacterExtensionText(Script(), *e));
  }
  EXPECT_EQ(cues, (std::vector<std::pair<std::string, std::string>>{
                      {"THE HARBOUR LIGHT", ""}, {"HARBOUR MASTER", " (V.O.)"}, {"NELL", " (O.S.)"}}));
  const TCharacterNameTable& names = ListData(Script()).NameTable;
  EXPECT_TRUE(names.Contains("HARBOUR MASTER"));
  const std::string printed = ExportBytes(Script(), ekExportFormattedAscii);
  EXPECT_NE(printed.find("HARBOUR MASTER (V.O.)\r\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("NELL (O.S.)\r\n"), std::string::npos) << printed;
}

// The program's own formatted text is read back in the program's own
// character set, even where its bytes happen to read as UTF-8 ("\xC3\xA9"
// stays two characters, "\xC9\x97" does not become one), whatever the
// file is called. Opened as ASCII, or with the first filter (the converter
// finds text, and the writer says to read it). Another program's UTF-8
// text is still read as UTF-8.
TEST_F(ForeignFilesTest, FormattedAsciiWrittenByTheProgramReadsBackUnchanged) {
  constexpr int kFormattedAsciiType = 4;
  testing::ScopedEnv path("PATH", testing::SearchPathWithConverter());
  const std::vector<ElementSpec> scene{{ekSceneHeading, "INT. CAF\xC3\xA9 - NIGHT"},
                                       {ekAction, "The Caf\xC3\xA9 sign flickers over JOS\xC9\x97 at the door."}};
  const auto open = [&](const std::string& file, int openFilter) {
    ChooseFile(file, openFilter);
    if (openFilter == 1) testing::AnswerMessageBox(Driver(), UnidentifiedFileQuestion, mrYes, PromptTable(31));
    testing::AcceptPasteAs(Driver());
    MainForm->FileOpenItem->Click();
    EXPECT_EQ(Driver().Pending(), 0);
  };
  for (const char* name : {"CAFE.DOS", "PILOT.TXT"}) {
    for (const int openFilter : {kAsciiFilter, 1}) {
      SCOPED_TRACE(std::string(name) + " opened with filter " + std::to_string(openFilter));
      TMDIChild& w = Script();
      w.FreeElements();
      testing::AddElements(w, scene);
      w.DisAssemble();
      const std::string file = ScriptDirectory + "/" + name;
      ChooseFile(file, kFormattedAsciiType);
      MainForm->FileSaveAsItem->Click();
      ASSERT_TRUE(FileExists(file));
      open(file, openFilter);
      ASSERT_NE(ActiveScript(), nullptr);
      EXPECT_EQ(testing::ElementsOf(Script()), scene);
      DeleteFile(file);
    }
  }
  const std::string other = testing::WriteFileText(
      ScriptDirectory + "/OTHER.TXT", "INT. CAF\xC3\xA9 - NIGHT\r\n\r\nJOS\xC3\x89\xE2\x80\x94 waits.\r\n");
  open(other, kAsciiFilter);
  ASSERT_NE(ActiveScript(), nullptr);
  const std::vector<ElementSpec> read = testing::ElementsOf(Script());
  ASSERT_FALSE(read.empty());
  EXPECT_EQ(read.front().text, "INT. CAF\xE9 - NIGHT") << "another program's UTF-8";
}

TEST_F(ForeignFilesTest, OwnStyleSheetIsReadByDefault) {
  const std::string own =
      "{\\rtf1{\\stylesheet{\\s1\\sbasedon0 SCENE HEADING;}{\\s2\\sbasedon0 ACTION;}{\\s3\\sbasedon0 CHARACTER "
      "NAME;}{\\s4\\sbasedon0 PARENTHETICAL;}{\\s5\\sbasedon0 TRANSITION;}{\\s6\\sbasedon0 DIALOG;}}}";
  EXPECT_TRUE(DefaultPasteChoices(own, false).UseStyleSheets);
  EXPECT_FALSE(DefaultPasteChoices("{\\rtf1{\\stylesheet{\\s1\\sbasedon0 Slug;}}}", false).UseStyleSheets);
  EXPECT_TRUE(DefaultPasteChoices("", true).MatchPageBreaks);
  EXPECT_TRUE(DefaultPasteChoices("", false).Aggressive);
}

}  // namespace
}  // namespace qm
