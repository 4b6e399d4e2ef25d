// The spelling library on its own, loaded as the program loads it: every
// entry point's result codes over the installed English dictionary and
// the project's word lists.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "language/spelling/engine/wrs_api.h"
#include "platform/shared_library.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using namespace wrs;
using testing::ReadFileText;
using testing::TempFolder;
using testing::WriteFileText;

const std::string DataFolder = std::string(QM_BINARY_DIR) + "/data/";

class SpellLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.Load(DataFolder + "libwrs32.so"));
    init_ = Fn<WRSinitFn>("WRSinit");
    ASSERT_EQ(init_(1, &engine_), Ok);
    const std::string main = DataFolder + "171.LEX";
    ASSERT_EQ(Fn<WRSopenFn>("WRSopen")(engine_, main.c_str(), MainDictionaryFlag, &mainId_), Ok);
  }
  void TearDown() override {
    if (engine_ != 0) Fn<WRSterminateFn>("WRSterminate")(engine_);
  }
  template <typename F>
  F Fn(const char* name) {
    auto f = reinterpret_cast<F>(library_.Symbol(name));
    EXPECT_NE(f, nullptr) << name;
    return f;
  }
  Result Check(const char* word) { return Fn<WRScheckFn>("WRScheck")(engine_, word); }
  DictionaryId CreateUser(const std::string& path) {
    DictionaryId id = 0;
    EXPECT_EQ(Fn<WRScreateFn>("WRScreate")(engine_, path.c_str(), &id), Ok);
    return id;
  }

  TSharedLibrary library_;
  WRSinitFn init_ = nullptr;
  EngineHandle engine_ = 0;
  DictionaryId mainId_ = 0;
  TempFolder folder_;
};

TEST_F(SpellLibraryTest, AllSixteenEntryPointsAreThere) {
  for (const char* name :
       {"WRSinit", "WRSterminate", "WRSopen", "WRScreate", "WRSheader", "WRScheck", "WRSadd", "WRSclose", "WRScorrect",
        "WRSdelete", "WRSfirst", "WRSgetdata", "WRSgetreplacement", "WRSnext", "WRSprev", "WRSrecover"})
    EXPECT_NE(library_.Symbol(name), nullptr) << name;
}

TEST_F(SpellLibraryTest, InitTakesTheTwelveLanguagesOnly) {
  struct Case {
    int language;
    Result result;
  };
  for (const Case c : {Case{0, InvalidLanguage}, {1, Ok}, {12, Ok}, {13, InvalidLanguage}, {-1, InvalidLanguage}}) {
    EngineHandle handle = 0;
    EXPECT_EQ(init_(c.language, &handle), c.result) << c.language;
    if (handle != 0) Fn<WRSterminateFn>("WRSterminate")(handle);
  }
  EXPECT_EQ(init_(1, nullptr), NullPointer);
}

TEST_F(SpellLibraryTest, CheckTellsKnownUnknownAndHowTheCapitalsDiffer) {
  const std::string user = folder_.File("USER_US.LXA");
  WriteFileText(user, "QUILLMASTER WORD LIST 1\nzorblax\nQuarnik\nteh\tthe\nSNARFU\n");
  DictionaryId id = 0;
  ASSERT_EQ(Fn<WRSopenFn>("WRSopen")(engine_, user.c_str(), 0, &id), Ok);
  struct Case {
    const char* word;
    Result result;
  };
  const Case cases[] = {
      {"hello", Ok},           {"Hello", Ok},
      {"HELLO", Ok},           {"don't", Ok},
      {"xqzvbn", UnknownWord}, {"paris", CaseMismatch},
      {"nasa", NeedsCapitals}, {"Mr", Abbreviation},
      {"zorblax", Ok},         {"ZORBLAX", Ok},
      {"Quarnik", Ok},         {"quarnik", CaseMismatch},
      {"SNARFU", Ok},          {"snarfu", NeedsCapitals},
      {"teh", HasReplacement}, {"xqzv-bnmw", HyphenatedUnknown},
      {"", UnknownWord},
  };
  for (const auto& c : cases) EXPECT_EQ(Check(c.word), c.result) << c.word;
  EXPECT_EQ(Fn<WRScheckFn>("WRScheck")(engine_, nullptr), NullPointer);
  EXPECT_EQ(Fn<WRScheckFn>("WRScheck")(engine_ + 99, "hello"), NotAReference);
}

TEST_F(SpellLibraryTest, CorrectFillsTheBufferWithZeroTerminatedSuggestions) {
  char buffer[SuggestionBufferSize] = {};
  ASSERT_EQ(Fn<WRScorrectFn>("WRScorrect")(engine_, "recieve", MaxSuggestions, buffer), Ok);
  std::vector<std::string> got;
  for (const char* p = buffer; *p != '\0'; p += std::strlen(p) + 1) got.emplace_back(p);
  ASSERT_FALSE(got.empty());
  EXPECT_LE(got.size(), static_cast<std::size_t>(MaxSuggestions));
  EXPECT_NE(std::find(got.begin(), got.end(), "receive"), got.end());
  char two[SuggestionBufferSize] = {};
  ASSERT_EQ(Fn<WRScorrectFn>("WRScorrect")(engine_, "recieve", 2, two), Ok);
  EXPECT_EQ(std::strlen(two + std::strlen(two) + 1) > 0, true);
  EXPECT_EQ(two[std::strlen(two) + 1 + std::strlen(two + std::strlen(two) + 1) + 1], '\0');
}

TEST_F(SpellLibraryTest, UserDictionaryIsWrittenReloadedAndApplied) {
  const std::string path = folder_.File("MYSCRIPT.LXA");
  const DictionaryId id = CreateUser(path);
  auto add = Fn<WRSaddFn>("WRSadd");
  EXPECT_EQ(add(engine_, id, "Blorvik", ""), Ok);
  EXPECT_EQ(add(engine_, id, "wierd", "weird"), Ok);
  EXPECT_EQ(add(engine_, mainId_, "nope", ""), BadDictionaryId);
  EXPECT_EQ(add(engine_, id, "bad\tword", ""), ProcessFailed);
  EXPECT_EQ(ReadFileText(path), "QUILLMASTER WORD LIST 1\nBlorvik\nwierd\tweird\n");

  Fn<WRScloseFn>("WRSclose")(engine_, id);
  EXPECT_EQ(Check("Blorvik"), UnknownWord);
  DictionaryId again = 0;
  ASSERT_EQ(Fn<WRSopenFn>("WRSopen")(engine_, path.c_str(), 0, &again), Ok);
  EXPECT_EQ(Check("Blorvik"), Ok);
  EXPECT_EQ(Check("wierd"), HasReplacement);
  char replacement[TextBufferSize] = {};
  EXPECT_EQ(Fn<WRSgetreplacementFn>("WRSgetreplacement")(engine_, "wierd", replacement), Ok);
  EXPECT_STREQ(replacement, "weird");
  EXPECT_NE(Fn<WRSgetreplacementFn>("WRSgetreplacement")(engine_, "Blorvik", replacement), Ok);

  std::int32_t entries = 0;
  EXPECT_EQ(Fn<WRSheaderFn>("WRSheader")(engine_, again, &entries), Ok);
  EXPECT_EQ(entries, 2);
  char word[TextBufferSize] = {};
  EXPECT_EQ(Fn<WRSfirstFn>("WRSfirst")(engine_, again, word), Ok);
  EXPECT_STREQ(word, "Blorvik");
  EXPECT_EQ(Fn<WRSnextFn>("WRSnext")(engine_, again, word), Ok);
  EXPECT_STREQ(word, "wierd");
  EXPECT_EQ(Fn<WRSnextFn>("WRSnext")(engine_, again, word), NoMoreEntries);
  EXPECT_EQ(Fn<WRSprevFn>("WRSprev")(engine_, again, word), Ok);
  EXPECT_STREQ(word, "Blorvik");
  EXPECT_EQ(Fn<WRSprevFn>("WRSprev")(engine_, again, word), NoMoreEntries);
  EXPECT_EQ(Fn<WRSgetdataFn>("WRSgetdata")(engine_, again, "wierd", word), Ok);
  EXPECT_STREQ(word, "weird");
  EXPECT_EQ(Fn<WRSdeleteFn>("WRSdelete")(engine_, again, "Blorvik"), Ok);
  EXPECT_EQ(Fn<WRSdeleteFn>("WRSdelete")(engine_, again, "Blorvik"), UnknownWord);
  EXPECT_EQ(Check("Blorvik"), UnknownWord);
  EXPECT_EQ(Fn<WRScloseFn>("WRSclose")(engine_, again), Ok);
  EXPECT_EQ(Fn<WRScloseFn>("WRSclose")(engine_, again), BadDictionaryId);
}

TEST_F(SpellLibraryTest, OpenReportsMissingAndDamagedFilesAndRecoverMendsThem) {
  auto open = Fn<WRSopenFn>("WRSopen");
  DictionaryId id = 0;
  const std::string missing = folder_.File("NONE.LXA");
  EXPECT_EQ(open(engine_, missing.c_str(), 0, &id), CannotOpen);
  const std::string noHunspell = WriteFileText(folder_.File("99.LEX"), "QUILLMASTER WORD LIST 1\nHUNSPELL xx_NONE\n");
  EXPECT_EQ(open(engine_, noHunspell.c_str(), MainDictionaryFlag, &id), CannotOpen);
  const std::string damaged = WriteFileText(folder_.File("BAD.LXA"), "zorblax\nquib\x01ble\nfrimble\n");
  EXPECT_EQ(open(engine_, damaged.c_str(), 0, &id), DictionaryDamaged);
  EXPECT_EQ(Fn<WRSrecoverFn>("WRSrecover")(engine_, damaged.c_str()), Ok);
  EXPECT_EQ(ReadFileText(damaged), "QUILLMASTER WORD LIST 1\nzorblax\nfrimble\n");
  EXPECT_EQ(open(engine_, damaged.c_str(), 0, &id), Ok);
  EXPECT_EQ(Check("frimble"), Ok);
  EXPECT_EQ(Fn<WRSrecoverFn>("WRSrecover")(engine_, missing.c_str()), CannotOpen);
  EXPECT_EQ(Fn<WRScreateFn>("WRScreate")(engine_, (folder_.Path() + "/no/such/X.LXA").c_str(), &id), CannotCreate);
  EXPECT_EQ(open(engine_, nullptr, 0, &id), NullPointer);
}

}  // namespace
}  // namespace qm
