#include "base/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/files.h"
#include "base/global_state.h"
#include "files/other_user.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = folder_.File("TEST.INI"); }
  void TearDown() override { SetReadOnly(path_, false); }

  // Written before anything reads the file, so no parse is cached yet.
  void Put(const std::string& bytes) { std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes; }
  std::string Bytes() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  TIniFile Ini() const { return TIniFile(path_); }

  testing::TempFolder folder_;
  std::string path_;
};

TEST_F(IniFileTest, IntegersReadInDecimalOrHexadecimal) {
  // clang-format off
  const struct {
    const char* stored;
    int expected;
  } cases[] = {
      {"0x1F", 31},       {"0X1f", 31},        {"0x", -7},           {"012", 12},
      {"abc", -7},        {"", -7},            {"-5", -5},           {"+5", 5},
      {"$1F", 31},        {"12abc", -7},       {"0x1G", -7},         {"-0x10", -7},
      {"2147483647", 2147483647},              {"2147483648", -7},   {"-2147483648", -2147483647 - 1},
      {"0xFFFFFFFF", -1}, {"0x100000000", -7}, {" 42", 42},          {"42 ", -7},
      {"4 2", -7},        {"-", -7},           {"$", -7},
  };
  // clang-format on
  for (const auto& c : cases) {
    Ini().WriteString("Numbers", "Value", c.stored);
    EXPECT_EQ(Ini().ReadInteger("Numbers", "Value", -7), c.expected) << '"' << c.stored << '"';
  }
  EXPECT_EQ(Ini().ReadInteger("Numbers", "Missing", -7), -7);
  EXPECT_EQ(Ini().ReadInteger("No Such Section", "Value", 3), 3);
}

TEST_F(IniFileTest, BooleansAreNumbersThatAreNotZero) {
  const struct {
    const char* stored;
    bool defaultValue;
    bool expected;
  } cases[] = {
      {"1", false, true},   {"0", true, false},    {"2", false, true},     {"-1", false, true},
      {"0x0", true, false}, {"0x10", false, true}, {"yes", true, true},    {"yes", false, false},
      {"", true, true},     {"", false, false},    {"true", false, false},
  };
  for (const auto& c : cases) {
    Ini().WriteString("Flags", "Value", c.stored);
    EXPECT_EQ(Ini().ReadBool("Flags", "Value", c.defaultValue), c.expected)
        << '"' << c.stored << "\" default " << c.defaultValue;
  }
  EXPECT_TRUE(Ini().ReadBool("Flags", "Missing", true));
  EXPECT_FALSE(Ini().ReadBool("Flags", "Missing", false));
}

TEST_F(IniFileTest, WritesStoreTheTextsTheProgramReadsBack) {
  TIniFile ini = Ini();
  ini.WriteBool("Section", "On", true);
  ini.WriteBool("Section", "Off", false);
  ini.WriteInteger("Section", "Negative", -12);
  ini.WriteString("Section", "Name", "Caf\xE9 Noir");
  EXPECT_EQ(Bytes(), "[Section]\nOn=1\nOff=0\nNegative=-12\nName=Caf\xE9 Noir\n");
}

TEST_F(IniFileTest, ReadStringStopsAtTheOldBufferSize) {
  const std::string longValue(1500, 'x');
  Ini().WriteString("Long", "Value", longValue);
  EXPECT_EQ(Ini().ReadString("Long", "Value", ""), std::string(1023, 'x'));
  EXPECT_EQ(Ini().ReadString("Long", "Missing", longValue), std::string(1023, 'x'));
  EXPECT_EQ(Ini().ReadString("Long", "Missing", "fallback"), "fallback");
}

// Every way to change a file that holds [Keep] Key=old.
struct Change {
  const char* what;
  std::function<void(TIniFile&)> apply;
};
const Change kChanges[] = {
    {"WriteString", [](TIniFile& ini) { ini.WriteString("Keep", "Key", "new"); }},
    {"WriteString of a new section", [](TIniFile& ini) { ini.WriteString("Fresh", "Key", "new"); }},
    {"WriteInteger", [](TIniFile& ini) { ini.WriteInteger("Keep", "Key", 5); }},
    {"WriteBool", [](TIniFile& ini) { ini.WriteBool("Keep", "Key", true); }},
    {"EraseSection", [](TIniFile& ini) { ini.EraseSection("Keep"); }},
    {"DeleteKey", [](TIniFile& ini) { ini.DeleteKey("Keep", "Key"); }},
};

TEST_F(IniFileTest, FreezeIniStopsEveryWriteAndErase) {
  const std::string frozen = "[Override]\nFreeze INI=1\n[Keep]\nKey=old\n";
  std::vector<Change> changes(std::begin(kChanges), std::end(kChanges));
  changes.push_back({"unfreezing", [](TIniFile& ini) { ini.WriteBool("Override", "Freeze INI", false); }});
  changes.push_back({"erasing the override", [](TIniFile& ini) { ini.EraseSection("Override"); }});
  Put(frozen);
  for (const auto& c : changes) {
    TIniFile ini = Ini();
    EXPECT_NO_THROW(c.apply(ini)) << c.what;
    EXPECT_EQ(Bytes(), frozen) << c.what;
  }
  EXPECT_EQ(Ini().ReadString("Keep", "Key", ""), "old");
}

TEST_F(IniFileTest, FreezeIniCountsAsANumberLikeEveryFlag) {
  const struct {
    const char* value;
    bool frozen;
  } cases[] = {{"0x1", true}, {"2", true}, {"0", false}, {"no", false}};
  for (const auto& c : cases) {
    Ini().WriteString("Override", "Freeze INI", c.value);
    Ini().WriteString("Probe", "Key", c.value);
    EXPECT_EQ(Ini().ValueExists("Probe", "Key"), !c.frozen) << c.value;
    EXPECT_EQ(Ini().Frozen(), c.frozen) << c.value;
    // Thaw by hand, as an administrator would.
    SetReadOnly(path_, false);
    std::remove(path_.c_str());
  }
}

// A refused write raises the settings-file error, which names the file
// with its folder and says why.
TEST_F(IniFileTest, RefusedWritesRaiseTheSettingsFileErrorWithItsCause) {
  const struct {
    const char* what;
    std::function<void()> refuse;
    std::string cause;
  } refusals[] = {
      {"a read-only file", [this] { ASSERT_TRUE(SetReadOnly(path_, true)); }, "the file is marked read-only"},
      {"a full disk",
       [] {
         SetFileFaultHook([](TFileStep step, const std::string&) { return step == TFileStep::Write ? ENOSPC : 0; });
       },
       std::strerror(ENOSPC)},
  };
  for (const auto& r : refusals) {
    Put("[Keep]\nKey=old\n");
    r.refuse();
    for (const auto& c : kChanges) {
      TIniFile ini = Ini();
      try {
        c.apply(ini);
        ADD_FAILURE() << r.what << ", " << c.what << " did not raise";
      } catch (const EIniFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path_ + ": " + r.cause) << r.what << ", " << c.what;
      }
    }
    SetFileFaultHook(nullptr);
    SetReadOnly(path_, false);
    EXPECT_EQ(Bytes(), "[Keep]\nKey=old\n") << r.what;
  }
}

// A file where the settings file's folder, or a folder above it, should
// be: the error says the path goes through no folder (the folder cannot
// be made because a file already has its name).
TEST_F(IniFileTest, AFileInPlaceOfTheFolderIsNotADirectory) {
  std::ofstream(folder_.File("blocked")) << "a file\n";
  const std::string files[] = {folder_.File("blocked") + "/QUILLPAD.INI",
                               folder_.File("blocked") + "/below/QUILLPAD.INI"};
  for (const std::string& file : files) {
    for (const auto& c : kChanges) {
      if (std::string(c.what).rfind("Write", 0) != 0) continue;  // erasing what is not there is no error
      TIniFile ini(file);
      try {
        c.apply(ini);
        ADD_FAILURE() << file << ", " << c.what << " did not raise";
      } catch (const EIniFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + file + ": Not a directory") << c.what;
      }
    }
  }
  EXPECT_EQ(testing::ReadFileText(folder_.File("blocked")), "a file\n");
}

// A writer who is not root and may not write to the settings file's
// folder is told so of that folder.
TEST_F(IniFileTest, AFolderTheWriterMayNotWriteToIsNamed) {
  if (::geteuid() != 0) GTEST_SKIP() << "the writer is played by root's child";
  const std::string folder = folder_.File("locked");
  ASSERT_TRUE(ForceDirectories(folder));
  ASSERT_EQ(::chmod(folder_.Path().c_str(), 0755), 0);
  ASSERT_EQ(::chown(folder.c_str(), testing::kWriter, testing::kWriter), 0);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  const std::string file = folder + "/QUILLPAD.INI";
  constexpr int kSaid = 0;
  constexpr int kNotRaised = 1;
  constexpr int kSaidWrongly = 2;
  const int outcome = testing::AsUser(
      testing::kWriter,
      [&] {
        try {
          TIniFile(file).WriteString("Keep", "Key", "new");
        } catch (const EIniFileError& e) {
          return std::string(e.what()) ==
                         "Unable to write to " + file + ": " + folder + " is a folder you may not write to"
                     ? kSaid
                     : kSaidWrongly;
        }
        return kNotRaised;
      },
      [] {});
  EXPECT_EQ(outcome, kSaid) << "1: not raised, 2: said wrongly, 98/99: the child failed";
  EXPECT_FALSE(FileExists(file));
}

TEST_F(IniFileTest, AKeyTheFileCannotHoldRaisesTheError) {
  TIniFile ini = Ini();
  EXPECT_THROW(ini.WriteString("Section", "Key=Value", "x"), EIniFileError);
  EXPECT_THROW(ini.WriteString("Sec]tion", "Key", "x"), EIniFileError);
  EXPECT_FALSE(FileExists(path_));
}

TEST_F(IniFileTest, ErasingWhatIsNotThereIsNoError) {
  TIniFile ini = Ini();
  EXPECT_NO_THROW(ini.EraseSection("Nothing"));
  EXPECT_NO_THROW(ini.DeleteKey("Nothing", "Key"));
  EXPECT_FALSE(FileExists(path_));
}

// Listing and erasing sections pass straight to the profile calls, tested there.
TEST_F(IniFileTest, AnEmptyValueExistsAndSectionsDifferingInBlanksStayApart) {
  Put("[Menu Bar]\nTwo Rows=1\n[MenuBar]\nIcon Width=27\nEmpty=\n");
  TIniFile ini = Ini();
  EXPECT_EQ(ini.ReadInteger("Menu Bar", "Icon Width", 0), 0);
  EXPECT_EQ(ini.ReadInteger("MenuBar", "Icon Width", 0), 27);
  EXPECT_TRUE(ini.ValueExists("MenuBar", "Empty"));
  EXPECT_FALSE(ini.ValueExists("Menu Bar", "Empty"));
  EXPECT_TRUE(ini.SectionExists("MENU BAR"));
  EXPECT_FALSE(ini.SectionExists("Menu  Bar"));
}

class SettingsFileTest : public testing::PlatformFixture {};

TEST_F(SettingsFileTest, TheSettingsFileLivesInTheProgramsHome) {
  TIniFile ini = OpenSettingsFile();
  ini.WriteInteger("Program Settings", "Zoom Size", 90);
  EXPECT_EQ(ini.FileName(), HomeFile("QUILLPAD.INI"));
  EXPECT_TRUE(FileExists(HomeFile("QUILLPAD.INI")));
  // The bare name the old program used reaches the same file.
  EXPECT_EQ(TIniFile("QUILLPAD.INI").ReadInteger("Program Settings", "Zoom Size", 0), 90);
}

TEST(SharedGlobals, StartEmptyAndRecentScriptsJoinFolderAndName) {
  ScriptDirectory = "/somewhere";
  LastScriptsBuffer[1] = {"A.QMW", "/scripts"};
  GlobalState::ResetAll();
  EXPECT_EQ(ScriptDirectory, "");
  for (const TLastScript& entry : LastScriptsBuffer) EXPECT_TRUE(entry.Empty());

  const struct {
    TLastScript entry;
    const char* full;
  } cases[] = {
      {{"A.QMW", "/scripts/"}, "/scripts/A.QMW"},
      {{"A.QMW", "/scripts"}, "/scripts/A.QMW"},
      {{"A.QMW", ""}, "A.QMW"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.entry.FullName(), c.full);
}

}  // namespace
}  // namespace qm
