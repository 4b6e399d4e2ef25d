// Damaged script files open nothing, say which file and why, and never
// crash; files with blocks this reader does not know still open.
#include <gtest/gtest.h>

#include <functional>

#include "platform/byte_io.h"
#include "files/element_records.h"
#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/safe_save.h"
#include "files/script_samples.h"

namespace qm::testing {
namespace {

using Bytes = std::vector<Byte>;

std::size_t RecordsStart(const Bytes& file) { return ScriptHeaderSize + GetU32(file, 44); }

// Where the text length of the first element record is.
std::size_t FirstTextLength(const Bytes& file) { return RecordsStart(file) + 18; }

class DamagedFileTest : public FileTest {
 protected:
  Bytes SampleFile(bool windows) {
    ScriptWindow w;
    FillSampleElements(*w, 8, 1200);
    if (windows) FillSampleSettings(*w, 8);
    return BuildScriptImage(*w, false, windows);
  }
};

struct Damage {
  std::string what;
  std::function<void(Bytes&)> apply;
};

std::vector<Damage> WindowsDamages(const Bytes& sample) {
  std::vector<Damage> damages;
  for (std::size_t cut = FileChunkSize; cut < sample.size(); cut += FileChunkSize)
    damages.push_back({"cut at " + std::to_string(cut), [cut](Bytes& f) { f.resize(cut); }});
  const std::size_t records = RecordsStart(sample);
  const std::vector<std::pair<std::string, std::size_t>> cuts = {
      {"empty", 0},
      {"inside the tag", 10},
      {"inside the header", ScriptHeaderSize - 1},
      {"inside the extra blocks", ScriptHeaderSize + 5},
      {"before the first record", records},
      {"inside a fixed record part", records + 11},
      {"inside an element's text", records + 30},
      {"one byte short", sample.size() - 1},
  };
  for (const auto& [what, at] : cuts) {
    const std::size_t cut = at;
    damages.push_back({"cut " + what, [cut](Bytes& f) { f.resize(cut); }});
  }
  const std::vector<Damage> more = {
      {"bad tag", [](Bytes& f) { f[12] = 'w'; }},
      {"huge element count", [](Bytes& f) { PutU32(f, 32, 0xFFFFFFFF); }},
      {"one element more than there are", [](Bytes& f) { PutU32(f, 32, GetU32(f, 32) + 1); }},
      {"record size below its own", [](Bytes& f) { PutU16(f, 28, 10); }},
      {"blocks larger than their total", [](Bytes& f) { PutU32(f, 56, GetU32(f, 56) + 1); }},
      {"huge block total", [](Bytes& f) { PutU32(f, 44, 0xFFFFFFF0); }},
      {"huge storyboard block", [](Bytes& f) { PutU32(f, 48, 0xFFFFFFF0); }},
      {"huge text length", [](Bytes& f) { PutU16(f, FirstTextLength(f), 0xFFFF); }},
      {"unknown element type", [](Bytes& f) { f[RecordsStart(f) + 6] = 200; }},
      {"revised lines without their flag",
       [](Bytes& f) {
         f[RecordsStart(f) + 22] = 3;
         f[RecordsStart(f) + 20] = 0;
       }},
      {"text longer than its room", [](Bytes& f) { f[656] = 200; }},
      {"list overflow of an unknown list", [](Bytes& f) { f[ScriptHeaderSize + GetU32(f, 48) + GetU32(f, 52)] = 99; }},
  };
  damages.insert(damages.end(), more.begin(), more.end());
  return damages;
}

void ExpectRefusedWithAReason(const Bytes& sample, const std::vector<Damage>& damages) {
  for (const auto& damage : damages) {
    SCOPED_TRACE(damage.what);
    Bytes file = sample;
    damage.apply(file);
    TParsedScript parsed;
    std::string error;
    EXPECT_FALSE(ParseScriptImage(file, parsed, error));
    EXPECT_FALSE(error.empty());
  }
}

TEST_F(DamagedFileTest, DamagedWindowsFilesAreRefusedWithTheirReason) {
  const Bytes sample = SampleFile(true);
  ASSERT_GT(sample.size(), 3 * FileChunkSize);
  ExpectRefusedWithAReason(sample, WindowsDamages(sample));
}

TEST_F(DamagedFileTest, DamagedDosFilesAreRefusedWithTheirReason) {
  ExpectRefusedWithAReason(SampleFile(false),
                           {
                               {"cut inside the record", [](Bytes& f) { f.resize(DosSettingsSize - 1); }},
                               {"cut inside an element", [](Bytes& f) { f.resize(DosSettingsSize + 20); }},
                               {"one byte short", [](Bytes& f) { f.pop_back(); }},
                               {"record size below its own", [](Bytes& f) { PutU16(f, 28, 15); }},
                               {"huge element count", [](Bytes& f) { PutU32(f, 32, 0x7FFFFFFF); }},
                               {"huge text length", [](Bytes& f) { PutU16(f, DosSettingsSize + 14, 0xF000); }},
                               {"text longer than its room", [](Bytes& f) { f[64 + 144] = 31; }},
                           });
}

TEST_F(DamagedFileTest, ADamagedFileOpensNothingAndNamesTheFile) {
  const Bytes sample = SampleFile(true);
  const std::vector<Damage> damages = {
      {"cut in a record", [](Bytes& f) { f.resize(RecordsStart(f) + 11); }},
      {"bad tag", [](Bytes& f) { f[1] = 'X'; }},
      {"huge text", [](Bytes& f) { PutU16(f, FirstTextLength(f), 0xFFFF); }},
  };
  for (const auto& damage : damages) {
    SCOPED_TRACE(damage.what);
    Bytes file = sample;
    damage.apply(file);
    const std::string path = Path("DAMAGED.QMW");
    WriteFileText(path, std::string(file.begin(), file.end()));
    ScriptWindow w;
    AppendElement(*w, ekAction, "what was there");
    w->ScenesLocked = 5;
    SeenBox seen;
    AnswerBox(IDOK, &seen);
    EXPECT_FALSE(LoadScriptFile(path, false));
    EXPECT_NE(seen.text.find(path), std::string::npos) << seen.text;
    EXPECT_NE(PendingIOError, 0);
    EXPECT_EQ(w->ElementCount(), 1);
    EXPECT_EQ(UnpackText(*w->FirstElement->text), "what was there");
    EXPECT_EQ(w->ScenesLocked, 5);
    PendingIOError = 0;
  }
}

TEST_F(DamagedFileTest, AMissingFileIsReportedAsAFileError) {
  ScriptWindow w;
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  EXPECT_FALSE(LoadScriptFile(Path("NOWHERE.QMW"), false));
  EXPECT_NE(seen.text.find("NOWHERE.QMW"), std::string::npos);
  EXPECT_EQ(seen.caption, "Warning");
  EXPECT_EQ(PendingIOError, 2);
}

TEST_F(DamagedFileTest, BlocksAndBytesOfLaterVersionsAreSkipped) {
  ScriptWindow saved;
  FillSampleElements(*saved, 12, 30);
  FillSampleSettings(*saved, 12);
  const Bytes sample = BuildScriptImage(*saved, false, true);
  const Damage changes[] = {
      {"unknown extra block",
       [](Bytes& f) {
         const std::size_t at = RecordsStart(f);
         f.insert(f.begin() + static_cast<std::ptrdiff_t>(at), 77, Byte{0xAB});
         PutU32(f, 44, GetU32(f, 44) + 77);
       }},
      {"longer fixed record parts",
       [](Bytes& f) {
         // Every record gets two more fixed bytes, as a later version might write.
         TParsedScript parsed;
         std::string error;
         ParseScriptImage(f, parsed, error);
         Bytes out(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(RecordsStart(f)));
         ByteReader r(std::span<const Byte>(f).subspan(RecordsStart(f)));
         for (DWord i = 0; i < parsed.info.ElementCount; ++i) {
           const auto fixed = r.Bytes(ElementRecordSize);
           const std::size_t rest = (fixed[21] ? fixed[21] - 1u : 0u) + fixed[22] + GetU16(fixed, 18);
           out.insert(out.end(), fixed.begin(), fixed.end());
           out.push_back(0x11);
           out.push_back(0x22);
           const auto tail = r.Bytes(rest);
           out.insert(out.end(), tail.begin(), tail.end());
         }
         PutU16(out, 28, ElementRecordSize + 2);
         f = out;
       }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    Bytes file = sample;
    c.apply(file);
    WriteFileText(Path("LATER.QMW"), std::string(file.begin(), file.end()));
    ScriptWindow read;
    ASSERT_TRUE(LoadScriptFile(Path("LATER.QMW"), false));
    std::string diffs;
    for (const auto& d : ScriptDifferences(*saved, *read)) diffs += d + "\n";
    EXPECT_EQ(diffs, "");
  }
}

// The header's element count (bytes 32-35) and the records must agree:
// a file that holds more records than its header counts is opened with
// all of them and a warning, and bytes after the last record that are no
// record are named in a warning, never dropped without a word.
TEST_F(DamagedFileTest, AHeaderAndBodyThatDisagreeOpenEveryElementWithAWarning) {
  ScriptWindow saved;
  FillSampleElements(*saved, 9, 2200);
  FillSampleSettings(*saved, 9);
  AppendElement(*saved, ekAction, "VERSION A ENDS HERE.");
  const Bytes sample = BuildScriptImage(*saved, false, true);
  const DWord count = GetU32(sample, 32);
  ASSERT_EQ(count, saved->ElementCount());
  const struct {
    std::string what;
    std::function<void(Bytes&)> apply;
    std::vector<std::string> said;
  } cases[] = {
      {"a header that counts 105 too few",
       [count](Bytes& f) { PutU32(f, 32, count - 105); },
       {"counts " + std::to_string(count - 105) + " elements", "holds " + std::to_string(count)}},
      {"a header that counts one",
       [](Bytes& f) { PutU32(f, 32, 1); },
       {"counts 1 elements", "holds " + std::to_string(count)}},
      {"a header that counts none",
       [](Bytes& f) { PutU32(f, 32, 0); },
       {"counts 0 elements", "holds " + std::to_string(count)}},
      {"bytes after the last record", [](Bytes& f) { f.insert(f.end(), 5000, Byte{0xEE}); }, {"5000 bytes"}},
      {"a short count and bytes after the records",
       [count](Bytes& f) {
         PutU32(f, 32, count - 3);
         f.insert(f.end(), 7, Byte{0xEE});
       },
       {"counts " + std::to_string(count - 3) + " elements", "7 bytes"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes file = sample;
    c.apply(file);
    const std::string path = Path("DISAGREE.QMW");
    WriteFileText(path, std::string(file.begin(), file.end()));
    ScriptWindow read;
    SeenBox seen;
    AnswerBox(IDOK, &seen, "the warning");
    ASSERT_TRUE(LoadScriptFile(path, false));
    EXPECT_EQ(seen.caption, "Warning");
    EXPECT_NE(seen.text.find(path), std::string::npos) << seen.text;
    for (const auto& words : c.said) EXPECT_NE(seen.text.find(words), std::string::npos) << seen.text;
    ASSERT_EQ(read->ElementCount(), saved->ElementCount());
    EXPECT_EQ(UnpackText(*read->LastElement->text), "VERSION A ENDS HERE.");
    std::string diffs;
    for (const auto& d : ScriptDifferences(*saved, *read)) diffs += d + "\n";
    EXPECT_EQ(diffs, "");

    // Saved again, the file is whole and opens without a word.
    ASSERT_TRUE(SaveScriptFile(path, false, true));
    ScriptWindow again;
    ASSERT_TRUE(LoadScriptFile(path, false));
    EXPECT_EQ(again->ElementCount(), saved->ElementCount());
  }
}

// A refusal says what is wrong with the file: a header that counts more
// elements than the records hold says so with both numbers, not that the
// file ends inside an element when its records end where the file ends.
TEST_F(DamagedFileTest, ARefusalSaysWhatIsWrongWithTheFile) {
  const Bytes windows = SampleFile(true);
  const Bytes dos = SampleFile(false);
  const DWord count = GetU32(windows, 32);
  ASSERT_EQ(GetU32(dos, 32), count);
  const std::string holds = std::to_string(count);
  const struct {
    const char* what;
    const Bytes& sample;
    std::function<void(Bytes&)> apply;
    std::string said;
  } cases[] = {
      {"one more counted", windows, [count](Bytes& f) { PutU32(f, 32, count + 1); },
       "its header counts " + std::to_string(count + 1) + " elements, but the file ends after " + holds},
      {"five more counted", windows, [count](Bytes& f) { PutU32(f, 32, count + 5); },
       "its header counts " + std::to_string(count + 5) + " elements, but the file ends after " + holds},
      {"one more counted, DOS", dos, [count](Bytes& f) { PutU32(f, 32, count + 1); },
       "its header counts " + std::to_string(count + 1) + " elements, but the file ends after " + holds},
      {"cut inside an element", windows, [](Bytes& f) { f.resize(RecordsStart(f) + 11); }, "it ends inside an element"},
      {"no records at all", windows, [](Bytes& f) { f.resize(RecordsStart(f)); }, "it holds no elements"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes file = c.sample;
    c.apply(file);
    TParsedScript parsed;
    std::string error;
    EXPECT_FALSE(ParseScriptImage(file, parsed, error));
    EXPECT_EQ(error, c.said);
  }
}

TEST_F(DamagedFileTest, AHeaderThatCountsTooFewIsReadWholeByTheParser) {
  ScriptWindow saved;
  FillSampleElements(*saved, 4, 40);
  Bytes file = BuildScriptImage(*saved, false, false);
  const DWord count = GetU32(file, 32);
  PutU32(file, 32, count - 10);
  TParsedScript parsed;
  std::string error;
  ASSERT_TRUE(ParseScriptImage(file, parsed, error)) << error;
  EXPECT_EQ(parsed.elements.size(), count) << "the DOS variant too";
  EXPECT_EQ(parsed.statedElementCount, count - 10);
  EXPECT_TRUE(parsed.HeaderAndBodyDisagree());
}

TEST_F(DamagedFileTest, BadStoryboardBlockStillOpensTheScript) {
  ScriptWindow saved;
  FillSampleElements(*saved, 13);
  saved->StoryboardLinks.Add("7");
  saved->StoryboardLinks.Add("9");
  Bytes file = BuildScriptImage(*saved, false, true);
  // The first link names an element past the end of the script.
  const std::size_t links = ScriptHeaderSize + 12;
  PutU16(file, links, 60000);
  WriteFileText(Path("LINKS.QMW"), std::string(file.begin(), file.end()));
  ScriptWindow read;
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  ASSERT_TRUE(LoadScriptFile(Path("LINKS.QMW"), false));
  EXPECT_EQ(seen.text, "Error restoring Storyboard Links!");
  EXPECT_EQ(read->ElementCount(), saved->ElementCount());
  EXPECT_EQ(ListText(read->StoryboardLinks), "0\n7\n9\n");
}

}  // namespace
}  // namespace qm::testing
