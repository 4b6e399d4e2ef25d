#include "platform/profile.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files.h"

namespace qm {
namespace {

class Profile : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
  const std::string dir_ = temp_.Path();
  void SetUp() override { file_ = dir_ + "/test.ini"; }

  void Put(const std::string& bytes) { testing::WriteFileText(file_, bytes); }
  std::string Bytes() const { return testing::ReadFileText(file_); }
  std::string Read(const std::string& section, const std::string& key) const {
    return ProfileReadString(file_, section, key, "<default>");
  }

  std::string file_;
};

TEST_F(Profile, ValuesReadBackAsWritten) {
  const struct {
    const char* value;
    const char* stored;  // the line in the file
    const char* read;
  } cases[] = {
      {"plain", "Key=plain", "plain"},
      {"", "Key=", ""},
      {"  padded  ", "Key=\"  padded  \"", "  padded  "},
      {"; ", "Key=\"; \"", "; "},
      {"\"quoted\"", "Key=\"\"quoted\"\"", "\"quoted\""},
      {"'single'", "Key=\"'single'\"", "'single'"},
      {"a=b", "Key=a=b", "a=b"},
      {"caf\xE9", "Key=caf\xE9", "caf\xE9"},
      {"first\nsecond", "Key=first", "first"},
      {"first\r\nsecond", "Key=first", "first"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(ProfileWriteString(file_, "Section", "Key", c.value)) << c.value;
    EXPECT_EQ(Read("Section", "Key"), c.read) << c.value;
    EXPECT_EQ(Bytes(), std::string("[Section]\n") + c.stored + "\n") << c.value;
  }
}

TEST_F(Profile, HandEditedFileKeepsEveryByteAWriteDoesNotTouch) {
  const std::string original = "; top comment\n"
                               "[Program Settings]\n"
                               "  Zoom Size =  90  \n"
                               "Use Last Dir=\"1\"\n"
                               "odd line without equals\n"
                               "Zoom Size=75\n"
                               "\n"
                               "; about the unknown one\n"
                               "[Unknown Section]\n"
                               "x = 'y'\n"
                               "[program settings]\n"
                               "Zoom Size=60\n";
  Put(original);

  EXPECT_EQ(Read("PROGRAM SETTINGS", "zoom size"), "90");
  EXPECT_EQ(Read("Program Settings", "Use Last Dir"), "1");
  EXPECT_EQ(Read("Unknown Section", "X"), "y");
  EXPECT_EQ(Read("Program Settings", "odd line without equals"), "<default>");

  ASSERT_TRUE(ProfileWriteString(file_, "Other", "Key", "v"));
  const std::string withOther = original + "\n[Other]\nKey=v\n";
  EXPECT_EQ(Bytes(), withOther);

  ASSERT_TRUE(ProfileWriteString(file_, "program SETTINGS", "ZOOM SIZE", "100"));
  ASSERT_TRUE(ProfileWriteString(file_, "Program Settings", "New Key", "x"));
  std::string expected = withOther;
  expected.replace(expected.find("  Zoom Size =  90  "), 19, "  Zoom Size =  100");
  expected.insert(expected.find("Zoom Size=75\n") + 13, "New Key=x\n");
  EXPECT_EQ(Bytes(), expected);
  EXPECT_EQ(Read("Program Settings", "Zoom Size"), "100");
}

TEST_F(Profile, MissingFileReadsAsDefaultsAndErasingDoesNotCreateIt) {
  EXPECT_EQ(Read("Any", "Key"), "<default>");
  EXPECT_TRUE(ProfileReadSection(file_, "Any").empty());
  EXPECT_TRUE(ProfileReadSections(file_).empty());
  EXPECT_TRUE(ProfileReadSectionValues(file_, "Any").empty());
  EXPECT_FALSE(ProfileSectionExists(file_, "Any"));
  EXPECT_TRUE(ProfileEraseKey(file_, "Any", "Key"));
  EXPECT_TRUE(ProfileEraseSection(file_, "Any"));
  EXPECT_FALSE(FileExists(file_));
}

TEST_F(Profile, FileWithoutTrailingLineBreakStaysWithoutOne) {
  Put("[A]\nk=1");
  EXPECT_EQ(Read("A", "k"), "1");
  ASSERT_TRUE(ProfileWriteString(file_, "A", "k2", "2"));
  EXPECT_EQ(Bytes(), "[A]\nk=1\nk2=2");
  ASSERT_TRUE(ProfileWriteString(file_, "B", "z", "3"));
  EXPECT_EQ(Bytes(), "[A]\nk=1\nk2=2\n\n[B]\nz=3");
  ASSERT_TRUE(ProfileEraseSection(file_, "B"));
  EXPECT_EQ(Bytes(), "[A]\nk=1\nk2=2\n");
}

TEST_F(Profile, LineEndsOfTheFileAreKept) {
  for (const std::string eol : {"\r\n", "\n"}) {
    Put("[A]" + eol + "k=1" + eol + eol + "[B]" + eol + "m=2" + eol);
    EXPECT_EQ(Read("A", "k"), "1");
    EXPECT_EQ(Read("B", "m"), "2");
    ASSERT_TRUE(ProfileWriteString(file_, "A", "j", "3"));
    ASSERT_TRUE(ProfileWriteString(file_, "C", "n", "4"));
    EXPECT_EQ(Bytes(), "[A]" + eol + "k=1" + eol + "j=3" + eol + eol + "[B]" + eol + "m=2" + eol + eol + "[C]" + eol +
                           "n=4" + eol);
  }
}

TEST_F(Profile, FirstWriteCreatesTheFileAndItsFolders) {
  const std::string deep = dir_ + "/sub/deeper/new.ini";
  ASSERT_TRUE(ProfileWriteString(deep, "S", "k", "v"));
  EXPECT_EQ(ProfileReadString(deep, "s", "K", ""), "v");
  std::ifstream in(deep, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  EXPECT_EQ(s.str(), "[S]\nk=v\n");
}

TEST_F(Profile, EraseKeyAndSectionRemoveEveryOccurrence) {
  Put("[A]\na=1\nb=2\na=3\n\n[B]\nc=1\n[a]\nd=4\n");
  ASSERT_TRUE(ProfileEraseKey(file_, "a", "A"));
  EXPECT_EQ(Bytes(), "[A]\nb=2\n\n[B]\nc=1\n[a]\nd=4\n");
  EXPECT_EQ(Read("A", "a"), "<default>");
  ASSERT_TRUE(ProfileEraseSection(file_, "A"));
  EXPECT_EQ(Bytes(), "[B]\nc=1\n");
  EXPECT_FALSE(ProfileSectionExists(file_, "a"));
  EXPECT_TRUE(ProfileSectionExists(file_, "b"));
}

TEST_F(Profile, SectionsAndKeysMatchInAnyCase) {
  ASSERT_TRUE(ProfileWriteString(file_, "\xC9t\xE9", "Cl\xE9", "one"));
  EXPECT_EQ(Read("\xE9T\xC9", "CL\xC9"), "one");
  ASSERT_TRUE(ProfileWriteString(file_, "\xE9T\xC9", "cL\xC9", "two"));
  EXPECT_EQ(Bytes(), "[\xC9t\xE9]\nCl\xE9=two\n");
}

TEST_F(Profile, ListsComeInFileOrderEachNameOnce) {
  Put("k0=outside\n[One]\nb=2\na=1\nB=3\n[Two]\n[one]\nz=9\n[Three]\nq='quoted'\n");
  EXPECT_EQ(ProfileReadSections(file_), (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_EQ(ProfileReadSection(file_, "ONE"), (std::vector<std::string>{"b", "a"}));
  EXPECT_TRUE(ProfileReadSection(file_, "Two").empty());
  EXPECT_TRUE(ProfileSectionExists(file_, "two"));
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(ProfileReadSectionValues(file_, "one"), (Pairs{{"b", "2"}, {"a", "1"}}));
  EXPECT_EQ(ProfileReadSectionValues(file_, "Three"), (Pairs{{"q", "quoted"}}));
}

TEST_F(Profile, ReadOnlyFileRefusesEveryWriteAndStaysUnchanged) {
  Put("[A]\nk=1\n");
  ASSERT_TRUE(SetReadOnly(file_, true));
  EXPECT_FALSE(ProfileWriteString(file_, "A", "k", "2"));
  EXPECT_FALSE(ProfileWriteString(file_, "B", "n", "2"));
  EXPECT_FALSE(ProfileEraseKey(file_, "A", "k"));
  EXPECT_FALSE(ProfileEraseSection(file_, "A"));
  EXPECT_EQ(Bytes(), "[A]\nk=1\n");
  EXPECT_EQ(Read("A", "k"), "1");
  EXPECT_TRUE(ProfileWriteString(file_, "A", "k", "1"));  // nothing to change
  ASSERT_TRUE(SetReadOnly(file_, false));
  EXPECT_TRUE(ProfileWriteString(file_, "A", "k", "2"));
  EXPECT_EQ(Read("A", "k"), "2");
}

TEST_F(Profile, WritesThatCannotBeStoredFail) {
  Put("[A]\nk=1\n");
  const struct {
    const char* section;
    const char* key;
  } cases[] = {{"", "k"},         {"A", ""},  {"  ", "k"}, {"A", "a=b"}, {"A]", "k"}, {"A", "line\nbreak"},
               {"A", ";comment"}, {"A", "[x"}};
  for (const auto& c : cases) EXPECT_FALSE(ProfileWriteString(file_, c.section, c.key, "v")) << c.key;
  EXPECT_EQ(Bytes(), "[A]\nk=1\n");

  std::ofstream(dir_ + "/plain.txt") << "x";
  EXPECT_FALSE(ProfileWriteString(dir_ + "/plain.txt/sub/a.ini", "A", "k", "v"));
}

TEST_F(Profile, ReadsSeeAnEditFromOutside) {
  ASSERT_TRUE(ProfileWriteString(file_, "A", "k", "1"));
  EXPECT_EQ(Read("A", "k"), "1");
  Put("[A]\nk=22\n");  // another size
  EXPECT_EQ(Read("A", "k"), "22");

  const std::time_t age = FileAge(file_);
  Put("[A]\nk=33\n");  // the same size, a different time
  ASSERT_TRUE(SetFileAge(file_, age - 100));
  EXPECT_EQ(Read("A", "k"), "33");

  std::filesystem::remove(file_);
  EXPECT_EQ(Read("A", "k"), "<default>");
  ASSERT_TRUE(ProfileWriteString(file_, "A", "other", "x"));
  EXPECT_EQ(Bytes(), "[A]\nother=x\n");
}

TEST_F(Profile, BareFileNameLivesInTheWindowsDirectory) {
  const char* old = std::getenv("QUILLMASTER_HOME");
  const std::string saved = old ? old : "";
  ::setenv("QUILLMASTER_HOME", dir_.c_str(), 1);
  const bool written = ProfileWriteString("BARE.INI", "S", "k", "v");
  const std::string read = ProfileReadString("BARE.INI", "S", "k", "");
  if (old) ::setenv("QUILLMASTER_HOME", saved.c_str(), 1);
  else ::unsetenv("QUILLMASTER_HOME");
  EXPECT_TRUE(written);
  EXPECT_EQ(read, "v");
  EXPECT_TRUE(FileExists(dir_ + "/BARE.INI"));
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

class ProfileBatch : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
  const std::string file_ = temp_.File("batch.ini");
};

TEST_F(ProfileBatch, WritesReachTheFileOnceWhenTheOutermostBatchEnds) {
  testing::WriteFileText(file_, "[Keep]\r\nx=1\r\n");
  {
    ProfileWriteBatch outer(file_);
    ASSERT_TRUE(ProfileWriteString(file_, "A", "one", "1"));
    {
      ProfileWriteBatch inner(file_);
      ASSERT_TRUE(ProfileWriteString(file_, "A", "two", "2"));
      ASSERT_TRUE(ProfileEraseKey(file_, "Keep", "x"));
    }
    EXPECT_EQ(testing::ReadFileText(file_), "[Keep]\r\nx=1\r\n") << "nothing is written while a batch is open";
    EXPECT_EQ(ProfileReadString(file_, "A", "two", ""), "2") << "reads see the batch's changes";
    EXPECT_EQ(ProfileReadString(file_, "Keep", "x", "gone"), "gone");
  }
  EXPECT_EQ(testing::ReadFileText(file_), "[Keep]\r\n\r\n[A]\r\none=1\r\ntwo=2\r\n");
}

TEST_F(ProfileBatch, AFileThatCannotBeWrittenFailsTheCommitAndStaysAsItWas) {
  testing::WriteFileText(file_, "[A]\nk=old\n");
  ASSERT_TRUE(SetReadOnly(file_, true));
  ProfileWriteBatch batch(file_);
  ProfileWriteString(file_, "A", "k", "new");
  EXPECT_FALSE(batch.Commit());
  EXPECT_EQ(testing::ReadFileText(file_), "[A]\nk=old\n");
  SetReadOnly(file_, false);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

class ProfileBatchWork : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
};

// One change of the settings file, as the program makes them.
struct Change {
  const char* section;
  const char* key;    // nullptr: the section is erased
  const char* value;  // nullptr: the key is erased
  void ApplyTo(const std::string& file) const {
    if (!key) ProfileEraseSection(file, section);
    else if (!value) ProfileEraseKey(file, section, key);
    else ProfileWriteString(file, section, key, value);
  }
};

// A batch keeps what it changed in memory; the file it writes at the end
// and what reads see meanwhile are what the same changes made one by one
// would give.
TEST_F(ProfileBatchWork, ABatchEndsWithTheFileSingleWritesWouldLeave) {
  const std::string original =
      "; settings\n[Main]\nA=1\n; a comment after the keys\n\n[Other]\nx=1\nx=2\n[main]\nA=shadowed\n"
      "[Tail]\nlast=1";
  const Change changes[] = {
      {"Main", "A", "2"},     {"Main", "B", "new"},        {"MAIN", "C", "later"}, {"Other", "x", "3"},
      {"New", "n", "1"},      {"Tail", "more", "2"},       {"New", "m", "2"},      {"Main", "B", nullptr},
      {"Main", "B", "again"}, {"Other", nullptr, nullptr}, {"Other", "y", "back"}, {"Tail", "last", " padded "},
      {"Main", "A", "2"},     {"Later", "k", "v"},         {"Main", "D", "d"},
  };
  const std::string single = temp_.File("single.ini");
  const std::string batched = temp_.File("batched.ini");
  testing::WriteFileText(single, original);
  testing::WriteFileText(batched, original);
  {
    ProfileWriteBatch batch(batched);
    for (const Change& c : changes) {
      SCOPED_TRACE(std::string(c.section) + "/" + (c.key ? c.key : "") + "=" + (c.value ? c.value : "(erased)"));
      c.ApplyTo(single);
      c.ApplyTo(batched);
      for (const char* section : {"Main", "Other", "New", "Tail", "Later"}) {
        EXPECT_EQ(ProfileReadSectionValues(batched, section), ProfileReadSectionValues(single, section)) << section;
      }
      EXPECT_EQ(ProfileReadSections(batched), ProfileReadSections(single));
    }
    EXPECT_EQ(testing::ReadFileText(batched), original) << "nothing is written while the batch is open";
  }
  EXPECT_EQ(testing::ReadFileText(batched), testing::ReadFileText(single));
}

// A hostile settings file of a hundred thousand lines the program does not
// know: saving a few hundred settings looks at each of its lines a small,
// fixed number of times, not once per setting, and keeps every line.
TEST_F(ProfileBatchWork, SavingManySettingsIntoAHugeFileIsLinearInItsSize) {
  const std::string file = temp_.File("QUILLPAD.INI");
  constexpr int kJunkLines = 100000;
  constexpr int kSettings = 300;
  std::string text = "[Program Settings]\nZoom Size=75\n";
  for (int i = 0; i < kJunkLines; ++i) text += "Unknown Key " + std::to_string(i) + "=" + std::string(20, 'j') + "\n";
  text += "[Hostile]\n";
  for (int i = 0; i < 100; ++i) text += "; padding\n";
  testing::WriteFileText(file, text);
  const std::uint64_t before = ProfileLinesExamined();
  {
    ProfileWriteBatch batch(file);
    for (int i = 0; i < kSettings; ++i) {
      const std::string n = std::to_string(i);
      ASSERT_TRUE(ProfileWriteString(file, "Program Settings", "Setting " + n, n));
      ASSERT_TRUE(ProfileWriteString(file, "Program Settings", "Zoom Size", n));
      ASSERT_TRUE(ProfileWriteString(file, "Section " + std::to_string(i % 7), "Key", n));
      ASSERT_TRUE(ProfileWriteString(file, "Hostile", "Key " + n, n));
    }
  }
  const std::uint64_t examined = ProfileLinesExamined() - before;
  EXPECT_LE(examined, 4u * kJunkLines) << "lines examined for " << kSettings * 4 << " writes";
  const std::string written = testing::ReadFileText(file);
  EXPECT_NE(written.find("Unknown Key 99999=" + std::string(20, 'j') + "\n"), std::string::npos);
  EXPECT_EQ(ProfileReadString(file, "Program Settings", "Zoom Size", ""), std::to_string(kSettings - 1));
  EXPECT_EQ(ProfileReadString(file, "Program Settings", "Setting 17", ""), "17");
  EXPECT_EQ(ProfileReadString(file, "Hostile", "Key 299", ""), "299");
}

}  // namespace
}  // namespace qm
