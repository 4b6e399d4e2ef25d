// The program's bridge to the spelling library: opening per language,
// the user dictionaries, the ignore list, and what the user is told when
// the library or a dictionary is missing.
#include "language/spelling/spell_engine.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/message_box_form.h"
#include "platform/files.h"
#include "support/message_box_answers.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using namespace wrs;
using testing::ScopedEnv;
using testing::TempFolder;

const std::string DataFolder = std::string(QM_BINARY_DIR) + "/data/";

class SpellEngineTest : public testing::PlatformFixture {
 protected:
  void ExpectMessage(const std::string& text, const std::string& caption) {
    testing::AnswerMessageBox(Driver(), text, mrOk, caption);
  }
  // A program folder of the test's own with the library and some files.
  void UseProgramFolder(const std::vector<std::string>& files) {
    for (const auto& f : files) std::filesystem::copy_file(DataFolder + f, program_.File(f));
    programEnv_ = std::make_unique<ScopedEnv>("QUILLMASTER_PROGRAM_FOLDER", program_.Path() + "/");
  }
  ScopedEnv dataEnv_{"QUILLMASTER_PROGRAM_FOLDER", DataFolder};
  TempFolder program_;
  std::unique_ptr<ScopedEnv> programEnv_;
};

TEST_F(SpellEngineTest, EachLanguageOpensItsOwnDictionary) {
  struct Case {
    SpellLanguage language;
    const char* known;
    const char* foreign;
  };
  // clang-format off
  const Case cases[] = {
      {1, "color", "bonjour"},
      {2, "colour", "bonjour"},
      {3, "bonjour", "yesterday"},
      {4, "Stra\xDF" "e", "yesterday"},
      {5, "ma\xF1" "ana", "yesterday"},
  };
  // clang-format on
  for (const auto& c : cases) {
    ASSERT_TRUE(OpenSpellEngine(c.language, "")) << c.language;
    EXPECT_EQ(SpellEngineLanguage(), c.language);
    EXPECT_EQ(IsWordUnknown(c.known), Ok) << c.known;
    EXPECT_NE(IsWordUnknown(c.foreign), Ok) << c.foreign;
    EXPECT_EQ(OpenUserDictionaryName(1), UserDictionaryName(c.language, true));
  }
  EXPECT_NE(IsWordUnknown("colour") == Ok, IsWordUnknown("color") == Ok);
}

TEST_F(SpellEngineTest, LearnedWordsAndAutoCorrectionsSurviveAReload) {
  ASSERT_TRUE(OpenSpellEngine(1, "MYSCRIPT.LXA"));
  EXPECT_EQ(OpenUserDictionaryName(2), "MYSCRIPT.LXA");
  AddWordToUserDictionary("Glorbax", "", "myscript.lxa", 1);
  AddWordToUserDictionary("adn", "and", "USER_US.LXA", 1);
  UnloadSpellEngine();
  EXPECT_FALSE(SpellEngineLoaded());

  ASSERT_TRUE(OpenSpellEngine(1, "MYSCRIPT.LXA"));
  // Learned under IgnoreCaps: stored in lower case, known in any case.
  EXPECT_EQ(IsWordUnknown("glorbax"), Ok);
  EXPECT_EQ(IsWordUnknown("GLORBAX"), Ok);
  EXPECT_EQ(IsWordUnknown("adn"), HasReplacement);
  EXPECT_EQ(GetAutoCorrection("adn"), "and");
  EXPECT_EQ(GetAutoCorrection("hello"), "");
  EXPECT_TRUE(FileExists(UserDictionaryFolder() + "MYSCRIPT.LXA"));
  EXPECT_TRUE(FileExists(UserDictionaryFolder() + "USER_US.LXA"));
}

TEST_F(SpellEngineTest, AWordForAnotherDictionaryOpensItAsTheSupplementaryOne) {
  ASSERT_TRUE(OpenSpellEngine(1, ""));
  EXPECT_EQ(OpenUserDictionaryName(2), "");
  AddWordToUserDictionary("Vexlor", "", "OTHER.LXA", 1);
  EXPECT_EQ(OpenUserDictionaryName(2), "OTHER.LXA");
  EXPECT_EQ(IsWordUnknown("vexlor"), Ok);
}

TEST_F(SpellEngineTest, IgnoredWordsCountAsKnownUntilTheListIsCleared) {
  ASSERT_TRUE(OpenSpellEngine(1, ""));
  EXPECT_NE(IsWordUnknown("qwzzyx"), Ok);
  AddToIgnoreList("QwzZyx");
  EXPECT_EQ(IsWordUnknown("qwzzyx"), Ok);
  ClearIgnoreList();
  EXPECT_NE(IsWordUnknown("qwzzyx"), Ok);
}

TEST_F(SpellEngineTest, SuggestionsTakeTheWordsShape) {
  ASSERT_TRUE(OpenSpellEngine(1, ""));
  std::vector<std::string> list;
  EXPECT_EQ(CheckWordSuggest("hello", list, false, false), Ok);
  EXPECT_EQ(list, std::vector<std::string>{"hello"});
  CheckWordSuggest("RECIEVE", list, true, false);
  EXPECT_NE(std::find(list.begin(), list.end(), "RECEIVE"), list.end());
  CheckWordSuggest("Recieve", list, false, true);
  EXPECT_NE(std::find(list.begin(), list.end(), "Receive"), list.end());
}

TEST_F(SpellEngineTest, LanguagesOutsideTheTwelveNameTheAmericanFiles) {
  struct Case {
    SpellLanguage language;
    const char* user;
    const char* suffix;
    const char* main;
  };
  const Case cases[] = {{0, "USER_US.LXA", "._US", "171.LEX"},
                        {13, "USER_US.LXA", "._US", "171.LEX"},
                        {4, "USER_GR.LXD", "._GR", "471.LEX"},
                        {11, "USER_FI.LXK", "._FI", "1171.LEX"},
                        {12, "USER_PO.LXL", "._PO", "1271.LEX"}};
  for (const auto& c : cases) {
    EXPECT_EQ(UserDictionaryName(c.language, true), c.user);
    EXPECT_EQ(LanguageSuffix(c.language), c.suffix);
    EXPECT_EQ(MainDictionaryName(c.language), c.main);
  }
  EXPECT_EQ(UserDictionaryName(1, false), "USER_US");
}

TEST_F(SpellEngineTest, ErrorCodesReadAsTheirTexts) {
  struct Case {
    Result code;
    const char* text;
  };
  const Case cases[] = {{0x808E7001, "Process Failed"},         {0x808E7002, "Dictionary is Damaged"},
                        {0x808E7003, "Not a Reference"},        {0x808E7005, "Bad Revision"},
                        {0x808E7006, "Null Pointer"},           {0x808E7007, "Bad Dictionary ID"},
                        {0x808E7008, "Out of Memory"},          {0x808E7009, "Cannot Create User Dictionary"},
                        {0x808E7010, "Cannot Open Dictionary"}, {0x808E7011, "Invalid Language"},
                        {0x808E7004, "Error: -2138148860"}};
  for (const auto& c : cases) EXPECT_EQ(SpellErrorMessage(c.code), c.text);
  EXPECT_FALSE(SpellErrorText(Ok, "nothing"));
  ExpectMessage("Out of Memory\r\rError Adding x", "Spell Check Error");
  EXPECT_TRUE(SpellErrorText(OutOfMemory, "Adding x"));
  ExpectMessage("Cannot Create - /some/path", "Spell Check Error");
  EXPECT_TRUE(SpellErrorRecover(CannotCreate, "/some/path"));
}

TEST_F(SpellEngineTest, AMissingLibraryLeavesTheEngineClosed) {
  UseProgramFolder({"171.LEX"});
  ExpectMessage("The WRS32.DLL is missing!", "Unable to Run Spell Check");
  EXPECT_FALSE(OpenSpellEngine(1, ""));
  EXPECT_FALSE(SpellEngineOpen());
  EXPECT_NE(IsWordUnknown("hello"), Ok);
}

TEST_F(SpellEngineTest, ALibraryWithoutEveryEntryPointIsNotUsed) {
  UseProgramFolder({"171.LEX"});
  // Any other shared object stands for a library that lacks entry points.
  std::filesystem::copy_file(QM_FOREIGN_SHARED_OBJECT, program_.File("libwrs32.so"));
  ExpectMessage(
      "The spelling library " + program_.Path() + "/libwrs32.so cannot be used: it has no entry point WRSinit",
      "Unable to Run Spell Check");
  EXPECT_FALSE(OpenSpellEngine(1, ""));
  EXPECT_FALSE(SpellEngineLoaded());
}

TEST_F(SpellEngineTest, AMissingMainDictionaryIsReportedAndTheEngineStaysClosed) {
  UseProgramFolder({"libwrs32.so"});
  ExpectMessage("Cannot Open Dictionary\r\rError Opening " + program_.Path() + "/171.LEX", "Spell Check Error");
  EXPECT_FALSE(OpenSpellEngine(1, ""));
  EXPECT_FALSE(SpellEngineOpen());
}

TEST_F(SpellEngineTest, ADamagedUserDictionaryIsRepairedWithoutAWord) {
  testing::WriteFileText(UserDictionaryFolder() + "USER_US.LXA", "frobnitz\n");
  ASSERT_TRUE(OpenSpellEngine(1, ""));
  EXPECT_EQ(testing::ReadFileText(UserDictionaryFolder() + "USER_US.LXA"), "QUILLMASTER WORD LIST 1\nfrobnitz\n");
}

}  // namespace
}  // namespace qm
