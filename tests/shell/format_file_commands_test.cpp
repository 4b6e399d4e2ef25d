// User-defined format files and user lists loaded from files, through the
// Format menu: what is saved comes back, and files that cannot serve are
// refused with a message while the script keeps what it had.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ini_file.h"
#include "files/native_file.h"
#include "files/script_samples.h"
#include "files/script_header.h"
#include "files/user_list_loading.h"
#include "language/user_list_dialogs.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/user_list_entries.h"
#include "shell/main_form.h"
#include "support/exchange_data.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::ElementSpec;

const std::string kFormatsQuestion =
    "Loading New formats will cause Quillmaster for Windows to reset all margins to the new settings, including any "
    "cheated elements!\r\rDo you REALLY want to continue?";
const std::string kListsQuestion = "Load User Lists along with formats?";

const std::vector<ElementSpec> kScene = {
    {ekSceneHeading, "INT. KITCHEN - NIGHT"}, {ekAction, "Rain."}, {ekCharacterName, "SARAH"}, {ekDialogue, "Hello."}};

class FormatFileCommandsTest : public testing::KeysFixture {
 protected:
  void Click(const char* name) { MainForm->MenuItem(name)->Click(); }

  // The bytes of the header fields of one group, as the script would store
  // them: equal bytes are equal settings.
  std::vector<Byte> GroupBytes(unsigned group) {
    std::vector<Byte> image(ScriptHeaderSize);
    EncodeScriptHeader(W(), W().FontNameTable, THeaderInfo{}, image, nullptr);
    std::vector<Byte> bytes;
    for (const auto& f : ScriptHeaderFields())
      if (f.Group == group)
        bytes.insert(bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(f.Offset),
                     image.begin() + static_cast<std::ptrdiff_t>(f.Offset + f.Size));
    return bytes;
  }
  std::vector<Byte> Formats() { return GroupBytes(hgFormats); }
  std::vector<Byte> Lists() { return GroupBytes(hgUserLists); }

  // Formats, settings and lists of their own for every `n`.
  void Restyle(int n) {
    for (TElementFormat& f : W().FormatSet) {
      f.LeftMargin = static_cast<Byte>(10 + n);
      f.RightMargin = static_cast<Byte>(10 + n);
      f.LinesBefore = static_cast<Byte>(10 * (n % 3));
      f.Style = static_cast<Byte>(n % 16);
    }
    W().HeaderLine1 = "DRAFT " + std::to_string(n);
    W().MoreText = "MORE " + std::to_string(n);
    W().SceneStart = static_cast<Word>(n);
    SetUserListEntry(W().UserLists, TUserList::CharNames, 1, "NAME " + std::to_string(n));
    SetUserListEntry(W().UserLists, TUserList::SceneBodyText, 2, "PLACE " + std::to_string(n));
    SetUserListEntry(W().UserLists, TUserList::Transition, 4, "WIPE " + std::to_string(n));
  }

  // The next message box starts with `prefix` under the caption; it is
  // answered with OK.
  void ExpectWarning(const std::string& prefix, const std::string& caption) {
    Driver().Expect(
        [prefix, caption](TForm& box) {
          EXPECT_EQ(testing::MessageBoxText(box).substr(0, prefix.size()), prefix);
          EXPECT_EQ(box.Caption(), caption);
          box.ModalResult = mrOk;
        },
        prefix);
  }

  std::string WriteFile(const std::string& name, const std::vector<Byte>& bytes) {
    return testing::WriteFileText(HomeFile(name), std::string(bytes.begin(), bytes.end()));
  }
  std::string SaveScriptImage(const std::string& name, bool windows = true) {
    return WriteFile(name, BuildScriptImage(W(), false, windows));
  }
};

// ---- User-defined formats ---------------------------------------------------

TEST_F(FormatFileCommandsTest, AUserFormatSavedAndLoadedBackGivesTheSameFormats) {
  const struct {
    const char* what;
    std::vector<ElementSpec> elements;
    std::string typed;    // the name given in the save dialog
    std::string savedAs;  // the file that must hold the formats
    bool withLists;       // the answer to the lists question
  } cases[] = {
      {"lists come along", kScene, "MINE.DEF", "MINE.DEF", true},
      {"lists stay", kScene, "MINE.DEF", "MINE.DEF", false},
      {"a name without extension takes .DEF", kScene, "PLAIN", "PLAIN.DEF", true},
      {"another extension becomes .DEF", kScene, "OTHER.TXT", "OTHER.DEF", false},
      {"an empty script takes the lists unasked", {{ekAction, ""}}, "EMPTY.DEF", "EMPTY.DEF", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.elements);
    Restyle(3);
    const auto savedFormats = Formats();
    const auto savedLists = Lists();
    testing::ChooseFile(Driver(), HomeFile(c.typed));
    ExpectBox("Defaults Saved", mrOk);
    Click("SaveUserFormatItem");
    EXPECT_EQ(FileSize(HomeFile(c.savedAs)), static_cast<std::int64_t>(ScriptHeaderSize));

    Restyle(7);
    ASSERT_NE(Formats(), savedFormats);
    const auto changedLists = Lists();
    const bool empty = c.elements.size() == 1 && c.elements[0].text.empty();
    testing::ChooseFile(Driver(), HomeFile(c.savedAs));
    if (!empty) {
      ExpectBox(kListsQuestion, c.withLists ? mrYes : mrNo);
      ExpectBox(kFormatsQuestion, mrYes);
    }
    ExpectBox("New Formats have been Loaded.", mrOk);
    Click("LoadUserFormatFileItem");
    EXPECT_EQ(Formats(), savedFormats);
    EXPECT_EQ(Lists(), c.withLists ? savedLists : changedLists);
    // The elements follow their kinds' formats.
    EXPECT_EQ(W().FirstElement->format.LeftMargin, 13);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(FormatFileCommandsTest, TheSaveDialogOffersTheScriptsNameAsAFormatDefinition) {
  W().ScriptFileName = JoinPath(ScriptDirectory, "MYSTORY.QMW");
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TFileDialog&>(form);
    EXPECT_TRUE(dialog.Saving());
    EXPECT_EQ(dialog.Title, "Save User Defined Format");
    EXPECT_EQ(dialog.Filter, "Format Definition|*.DEF");
    EXPECT_EQ(dialog.FileName, JoinPath(ScriptDirectory, "MYSTORY.DEF"));
    EXPECT_EQ(dialog.InitialDir, ScriptDirectory);
    dialog.CancelBtn->Click();
  });
  Click("SaveUserFormatItem");
  EXPECT_FALSE(FileExists(JoinPath(ScriptDirectory, "MYSTORY.DEF"))) << "Cancel writes nothing";
}

TEST_F(FormatFileCommandsTest, TheFormatsOfAnotherScriptAreTakenFromItsFile) {
  Load(kScene);
  Restyle(4);
  const auto sourceFormats = Formats();
  const auto sourceLists = Lists();
  const std::string source = SaveScriptImage("SOURCE.QMW");
  Restyle(9);
  const auto ownLists = Lists();
  for (bool withLists : {false, true}) {
    SCOPED_TRACE(withLists);
    Restyle(9);
    testing::ChooseFile(Driver(), source);
    ExpectBox(kListsQuestion, withLists ? mrYes : mrNo);
    ExpectBox(kFormatsQuestion, mrYes);
    ExpectBox("New Formats have been Loaded.", mrOk);
    Click("LoadScriptFormatItem");
    EXPECT_EQ(Formats(), sourceFormats);
    EXPECT_EQ(Lists(), withLists ? sourceLists : ownLists);
    EXPECT_EQ(Elements(), kScene) << "the other script's text stays out";
  }
}

TEST_F(FormatFileCommandsTest, NoChangeWhenTheWriterStopsAtTheQuestion) {
  Load(kScene);
  Restyle(4);
  const std::string source = SaveScriptImage("SOURCE.QMW");
  Restyle(9);
  const auto before = Formats();
  testing::ChooseFile(Driver(), source);
  ExpectBox(kListsQuestion, mrYes);
  ExpectBox(kFormatsQuestion, mrNo);
  Click("LoadScriptFormatItem");
  EXPECT_EQ(Formats(), before);
}

TEST_F(FormatFileCommandsTest, FilesThatHoldNoFormatsAreRefusedAndChangeNothing) {
  Load(kScene);
  Restyle(4);
  std::vector<Byte> damaged(ScriptHeaderSize);
  WriteScriptImage(damaged, 0, 0, false);
  // The first text of the formats claims more than its room.
  for (const auto& f : ScriptHeaderFields())
    if (f.Group == hgFormats && f.Kind == TFieldKind::Text) {
      damaged[f.Offset] = 255;
      break;
    }
  std::vector<Byte> cut(WindowsScriptTag.begin(), WindowsScriptTag.end());
  cut.resize(400);
  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"a missing file", HomeFile("NOWHERE.DEF")},
      {"plain text", testing::WriteFileText(HomeFile("NOTES.DEF"), "INT. HOUSE - DAY\r\nNot a format.\r\n")},
      {"an empty file", testing::WriteFileText(HomeFile("EMPTY.DEF"), "")},
      {"a header cut short", WriteFile("CUT.DEF", cut)},
      {"a damaged header", WriteFile("DAMAGED.DEF", damaged)},
      {"a script of the DOS variant", SaveScriptImage("DOS.SCR", false)},
  };
  Restyle(6);
  const auto before = Formats();
  const auto lists = Lists();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::ChooseFile(Driver(), c.file);
    ExpectBox(kListsQuestion, mrYes);
    ExpectBox(kFormatsQuestion, mrYes);
    ExpectWarning("Unable to load the formats of " + PathToText(c.file) + ":\r", "Warning");
    Click("LoadUserFormatFileItem");
    EXPECT_EQ(Formats(), before);
    EXPECT_EQ(Lists(), lists);
    EXPECT_EQ(Elements(), kScene);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(FormatFileCommandsTest, FormatsFarOutOfTheOrdinaryLoadWithoutHarmToTheText) {
  Load(kScene);
  // Every field of the record holds a value of its own: margins off the
  // page, huge spacing and font sizes.
  const std::vector<Byte> wild = testing::DistinctiveHeaderImage(5);
  const std::string file = WriteFile("WILD.DEF", wild);
  testing::ChooseFile(Driver(), file);
  ExpectBox(kListsQuestion, mrYes);
  ExpectBox(kFormatsQuestion, mrYes);
  ExpectBox("New Formats have been Loaded.", mrOk);
  Click("LoadUserFormatFileItem");
  EXPECT_EQ(Elements(), kScene);
  TScriptRecord expected;
  TFontNames fonts;
  THeaderInfo info;
  std::string error;
  ASSERT_TRUE(DecodeScriptHeader(wild, hgFormats, expected, fonts, info, nullptr, error));
  EXPECT_EQ(W().FormatSet, expected.FormatSet);
  // The script still lays out and pages; the speech that cannot fit a page
  // any more is named.
  Driver().Expect([](TForm& box) {
    EXPECT_NE(testing::MessageBoxText(box).find("You have a Single Speech that would extend over two page breaks!"),
              std::string::npos);
    box.ModalResult = mrOk;
  });
  W().RefreshKeepingCursor();
  EXPECT_EQ(Elements(), kScene);
}

// ---- User lists from files --------------------------------------------------

TEST_F(FormatFileCommandsTest, TheListsOfAnotherScriptReplaceTheseAndNothingElse) {
  Load(kScene);
  Restyle(5);
  const auto sourceLists = Lists();
  const std::string source = SaveScriptImage("LISTS.QMW");
  Restyle(8);
  const auto ownFormats = Formats();
  ASSERT_NE(Lists(), sourceLists);
  testing::ChooseFile(Driver(), source);
  ExpectBox("The User Lists of " + PathToText(source) + " have been loaded.", mrOk);
  Click("ListsFromScriptItem");
  EXPECT_EQ(Lists(), sourceLists);
  EXPECT_EQ(UserListEntry(W().UserLists, TUserList::CharNames, 1), "NAME 5");
  EXPECT_EQ(Formats(), ownFormats);
  EXPECT_EQ(Elements(), kScene);
  EXPECT_TRUE(W().DocumentModified);
}

TEST_F(FormatFileCommandsTest, ScriptFilesWithoutListsAreRefusedAndTheListsStay) {
  Load(kScene);
  const std::string dos = SaveScriptImage("OLD.SCR", false);
  std::vector<Byte> cut(WindowsScriptTag.begin(), WindowsScriptTag.end());
  cut.resize(1000);
  const std::string cutFile = WriteFile("CUT.QMW", cut);
  const std::string text = testing::WriteFileText(HomeFile("CAST.TXT"), "SARAH\r\nJOHN\r\n");
  const std::string missing = HomeFile("GONE.QMW");
  const struct {
    const char* what;
    std::string file;
    std::string message;
  } cases[] = {
      {"missing", missing, PathToText(missing) + " not found!"},
      {"not a script", text, PathToText(text) + " is not a Quillmaster script, so it has no User Lists to load."},
      {"the DOS variant", dos,
       "The script " + PathToText(dos) + " was saved in the DOS format, which keeps no User Lists."},
  };
  Restyle(2);
  const auto lists = Lists();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::ChooseFile(Driver(), c.file);
    ExpectBox(c.message, mrOk);
    Click("ListsFromScriptItem");
    EXPECT_EQ(Lists(), lists);
  }
  testing::ChooseFile(Driver(), cutFile);
  ExpectWarning("Unable to load the User Lists of " + PathToText(cutFile) + ":\r", "Warning");
  Click("ListsFromScriptItem");
  EXPECT_EQ(Lists(), lists);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(FormatFileCommandsTest, AnAsciiListFillsTheChosenListThroughTheMenu) {
  Load(kScene);
  const struct {
    const char* what;
    std::string name;
    std::string contents;
    TUserList list;
    std::vector<std::string> expected;
  } cases[] = {
      {"names",
       "CAST.TXT",
       "SARAH\r\n\tJOHN  \r\n\r\nMRS. PIKE\n",
       TUserList::CharNames,
       {"SARAH", "JOHN", "MRS. PIKE"}},
      {"locations of a set file", "PLACES.SET", "KITCHEN\rGARDEN\r", TUserList::SceneBodyText, {"KITCHEN", "GARDEN"}},
      {"zero bytes and tabs go", "ODD.TXT", std::string("AN\0NA\r\n\t\t\r\n", 12), TUserList::CharNames, {"ANNA"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = testing::WriteFileText(HomeFile(c.name), c.contents);
    testing::ChooseFile(Driver(), file);
    Driver().Expect([](TForm& form) { dynamic_cast<TASCIIUserListDlg&>(form).OKBtn->Click(); });
    ExpectBox("Your new User List has been loaded.", mrOk);
    Click("ListsFromAsciiItem");
    EXPECT_EQ(LeadingEntries(W().UserLists, c.list), c.expected);
  }
}

TEST_F(FormatFileCommandsTest, AnAsciiListThatCannotBeReadLeavesTheListAsItWas) {
  Load(kScene);
  SetUserListEntry(W().UserLists, TUserList::CharNames, 1, "KEEP ME");
  const std::string file = testing::WriteFileText(HomeFile("GOING.TXT"), "NEW NAME\r\n");
  testing::ChooseFile(Driver(), file);
  // The file goes while the writer chooses the list, so it cannot be read.
  Driver().Expect([&file](TForm& form) {
    ASSERT_TRUE(DeleteFile(file));
    dynamic_cast<TASCIIUserListDlg&>(form).OKBtn->Click();
  });
  ExpectWarning("Unable to read " + PathToText(file) + ":\r", "Warning");
  Click("ListsFromAsciiItem");
  EXPECT_EQ(LeadingEntries(W().UserLists, TUserList::CharNames), std::vector<std::string>{"KEEP ME"});
}

TEST_F(FormatFileCommandsTest, AStoryDevFileAddsItsNamesButNoElements) {
  Load(kScene);
  SetUserListEntry(W().UserLists, TUserList::CharNames, 1, "SARAH");
  const std::string file = WriteFile("STORY.DSW", testing::ExchangeBytes({{"CNAM", "Sarah"},
                                                                          {"TITL", "The Story"},
                                                                          {"CNAM", "John"},
                                                                          {"SNAM", "INT. BARN - DAY"},
                                                                          {"CNAM", "Mrs. Pike"}}));
  testing::ChooseFile(Driver(), file);
  ExpectBox("Import of StoryDev file\rinto User Lists is complete.", mrOk);
  Click("ListsFromStoryDevItem");
  EXPECT_EQ(LeadingEntries(W().UserLists, TUserList::CharNames),
            (std::vector<std::string>{"SARAH", "JOHN", "MRS. PIKE"}));
  EXPECT_EQ(Elements(), kScene);
}

TEST_F(FormatFileCommandsTest, StoryDevFilesThatCannotBeReadAreNamed) {
  Load(kScene);
  const std::string missing = HomeFile("NONE.DSW");
  const std::string garbage = testing::WriteFileText(HomeFile("JUNK.DSW"), "not scrambled story data at all");
  const std::string tiny = testing::WriteFileText(HomeFile("TINY.DSW"), "abc");
  const struct {
    std::string file;
    std::string message;
  } cases[] = {
      {missing, PathToText(missing) + " not Found!"},
      {garbage, "Error Reading StoryDev Exchange Data!"},
      {tiny, "Error Reading StoryDev Exchange Data!"},
  };
  const auto lists = Lists();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    testing::ChooseFile(Driver(), c.file);
    ExpectBox(c.message, mrOk);
    Click("ListsFromStoryDevItem");
    EXPECT_EQ(Lists(), lists);
    EXPECT_EQ(Elements(), kScene);
  }
}

TEST_F(FormatFileCommandsTest, CollaboratorListsAreRefusedByName) {
  Load(kScene);
  const auto lists = Lists();
  // No file is asked for: the message comes at once.
  ExpectBox(CollaboratorListMessage, mrOk);
  Click("ListsFromCollaboratorItem");
  EXPECT_EQ(Lists(), lists);
}

TEST_F(FormatFileCommandsTest, CancellingTheFileDialogChangesNothing) {
  Load(kScene);
  Restyle(3);
  const auto formats = Formats();
  const auto lists = Lists();
  for (const char* item : {"LoadUserFormatFileItem", "LoadScriptFormatItem", "ListsFromScriptItem",
                           "ListsFromAsciiItem", "ListsFromStoryDevItem"}) {
    SCOPED_TRACE(item);
    Driver().Expect([](TForm& form) { dynamic_cast<TFileDialog&>(form).CancelBtn->Click(); });
    Click(item);
    EXPECT_EQ(Formats(), formats);
    EXPECT_EQ(Lists(), lists);
  }
}

}  // namespace
}  // namespace qm
