// The header record and the DOS settings record: each field at its
// documented place, read and written there, long lists continued in the
// overflow block, damaged records refused without changing anything.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include "files/script_header.h"
#include "files/script_samples.h"

namespace qm::testing {
namespace {

struct Row {
  std::size_t offset;
  std::size_t size;
  std::string name;
  friend bool operator==(const Row&, const Row&) = default;
};

std::ostream& operator<<(std::ostream& out, const Row& r) { return out << r.offset << " " << r.size << " " << r.name; }

// A header image read into a new script, and what it said of the file.
struct Decoded {
  TScriptRecord record;
  TFontNames fonts;
  THeaderInfo info;
  std::string error;
  bool ok;
  explicit Decoded(std::span<const Byte> image, unsigned apply = hgSettings, const TListOverflow* overflow = nullptr)
      : ok(DecodeScriptHeader(image, apply, record, fonts, info, overflow, error)) {}
};

std::vector<Byte> Encoded(const TScriptRecord& record, const TFontNames& fonts = {}, const THeaderInfo& info = {},
                          TListOverflow* spill = nullptr) {
  std::vector<Byte> image(ScriptHeaderSize);
  EncodeScriptHeader(record, fonts, info, image, spill);
  return image;
}

std::string FirstDifference(const std::vector<Byte>& a, const std::vector<Byte>& b) {
  if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  const auto at = std::mismatch(a.begin(), a.end(), b.begin()).first;
  return at == a.end() ? "" : "byte " + std::to_string(at - a.begin());
}

// The layout's rows with the gaps between fields as "(reserved)" rows.
std::vector<Row> LayoutRows(const std::vector<THeaderField>& fields, std::size_t total) {
  std::vector<Row> rows;
  std::size_t at = 0;
  for (const auto& f : fields) {
    if (f.Offset > at) rows.push_back({at, f.Offset - at, "(reserved)"});
    rows.push_back({f.Offset, f.Size, f.Name});
    at = f.Offset + f.Size;
  }
  if (at < total) rows.push_back({at, total - at, "(reserved)"});
  return rows;
}

// The numbered rows of the table that follows `heading` in the document.
std::vector<Row> DocumentRows(const std::string& heading) {
  std::ifstream in(std::string(QM_SOURCE_DIR) + "/docs/native-file-format.md");
  std::string line;
  while (std::getline(in, line) && line != heading) {
  }
  std::vector<Row> rows;
  const std::regex row(R"(^\| (\d+) \| (\d+) \| ([^ |]+) \|.*)");
  bool inTable = false;
  while (std::getline(in, line)) {
    if (!line.starts_with("|")) {
      if (inTable) break;
      continue;
    }
    inTable = true;
    std::smatch m;
    if (std::regex_match(line, m, row)) rows.push_back({std::stoul(m[1]), std::stoul(m[2]), m[3]});
  }
  return rows;
}

// Fields that overlapped, left a gap the document does not reserve or ran
// past their record would show as rows the document does not have.
TEST(ScriptHeaderLayout, DocumentGivesEveryFieldAndReservedRange) {
  EXPECT_EQ(DocumentRows("### Header record (15,039 bytes)"), LayoutRows(ScriptHeaderFields(), ScriptHeaderSize));
  EXPECT_EQ(DocumentRows("### DOS settings record (1,280 bytes)"), LayoutRows(DosSettingsFields(), DosSettingsSize));
}

// Fields written from the record land where the document says, in the
// byte order it says.
TEST(ScriptHeaderLayout, SettingsAreWrittenAtTheirDocumentedOffsets) {
  struct Case {
    const char* what;
    std::function<void(TScriptRecord&, TFontNames&)> set;
    std::size_t offset;
    std::vector<Byte> bytes;
  };
  // clang-format off
  const Case cases[] = {
      {"Dialogue left margin", [](auto& r, auto&) { r.FormatSet[fsDialogue].LeftMargin = 33; }, 512 + 60, {33}},
      {"Dialogue number word", [](auto& r, auto&) { r.FormatSet[fsDialogue].NumberWord = 0x0A0B; }, 512 + 64, {0x0B, 0x0A}},
      {"script font", [](auto& r, auto&) { r.ScriptFontName = "Arial"; }, 656, {5, 'A', 'r', 'i', 'a', 'l', 0}},
      {"font name 2", [](auto&, auto& f) { f[1] = "Times"; }, 688 + 31, {5, 'T', 'i', 'm', 'e', 's'}},
      {"page start", [](auto& r, auto&) { r.PageStart = 0x0102; }, 1680, {0x02, 0x01}},
      {"count more line", [](auto& r, auto&) { r.CountMoreLine = 0; }, 1691, {0}},
      {"interactive", [](auto& r, auto&) { r.InteractiveScript = 1; }, 1761, {1}},
      {"skip letter I", [](auto& r, auto&) { r.SkipLetters['I' / 8] = 1 << ('I' % 8); }, 1767 + 9, {2}},
      {"scenes locked", [](auto& r, auto&) { r.ScenesLocked = 1; }, 1856, {1}},
      {"tagging flag", [](auto& r, auto&) { r.TaggingUsed = 1; }, 1880, {1}},
      {"hidden kinds", [](auto& r, auto&) { r.HiddenKinds = 0x01020304; }, 1886, {4, 3, 2, 1}},
      {"header line 2", [](auto& r, auto&) { r.HeaderLine2 = "PG"; }, 2249, {2, 'P', 'G'}},
      {"continued text", [](auto& r, auto&) { r.CharacterContinuedText = "MORE OF IT AND MORE"; }, 3584,
       {12, 'M', 'O', 'R', 'E', ' ', 'O', 'F', ' ', 'I', 'T', ' ', 'A'}},
      {"director", [](auto& r, auto&) { r.Director = "Ava"; }, 3954, {3, 'A', 'v', 'a'}},
      {"note colour 2", [](auto& r, auto&) { r.NoteColours[1] = 0x00112233; }, 4348 + 4, {0x33, 0x22, 0x11, 0}},
      {"hidden names 2", [](auto& r, auto&) { r.HiddenNames[1] = "SMITH| JOHN,"; }, 4480 + 256, {12, 'S', 'M'}},
      {"extension 1", [](auto& r, auto&) { r.UserLists.Extension[0] = "X"; }, 4992, {1, 'X', 0}},
      {"substitution 15", [](auto& r, auto&) { r.UserLists.SubstitutionText[14] = "Z"; }, 4992 + 1972 + 14 * 46, {1, 'Z'}},
      {"title page items", [](auto& r, auto&) { r.TitlePageItems[0] = 7; }, 8256, {7}},
      {"title page text end", [](auto& r, auto&) { r.TitlePageText.back() = 9; }, 10317, {9}},
      {"extra locations", [](auto& r, auto&) { r.ExtraLocations.Add("PARK"); }, 14208, {1, 0, 1, 0, 4, 'P', 'A', 'R', 'K'}},
      {"revision colours", [](auto& r, auto&) { r.ResetRevisionColours(); }, 2512,
       {1, 0, 1, 0, 5, 'W', 'H', 'I', 'T', 'E', 0xFF, 0xFF, 0xFF, 0}},
  };
  // clang-format on
  for (const auto& c : cases) {
    TScriptRecord record;
    TFontNames fonts;
    c.set(record, fonts);
    const std::vector<Byte> image = Encoded(record, fonts);
    EXPECT_EQ(std::vector<Byte>(image.begin() + c.offset, image.begin() + c.offset + c.bytes.size()), c.bytes)
        << c.what;
  }
}

TEST(ScriptHeaderLayout, IdentityAndBookmarksTravelThroughTheImage) {
  THeaderInfo info;
  info.ElementRecordSize = 24;
  info.TimedBackup = 1;
  info.ElementCount = 70000;
  info.CurrentElementNumber = 65537;
  info.CaretColumn = 300;
  info.CaretLine = 4;
  info.ExtraBlocksTotal = 99;
  info.StoryboardBlockSize = 10;
  info.AssociationsBlockSize = 20;
  info.ListOverflowBlockSize = 30;
  info.SavedTitle = "/scripts/PILOT.QMW";
  info.Bookmarks[0] = {"Opening", 1};
  info.Bookmarks[19] = {"Twenty-five letters long!", 65535};
  const std::vector<Byte> image = Encoded(TScriptRecord(), {}, info);
  EXPECT_EQ(std::string(image.begin(), image.begin() + 26), std::string(WindowsScriptTag) + '\0');
  EXPECT_EQ(image[32], 0x70);  // 70000 = 0x11170
  EXPECT_EQ(image[34], 0x01);
  EXPECT_EQ(image[7680 + 19 * 28 + 26], 0xFF);

  const Decoded read(image);
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(FirstDifference(Encoded(read.record, read.fonts, read.info), image), "");
}

// Each field put into an image on its own reads into the script and is
// written back to exactly the same bytes, touching nothing else.
TEST(ScriptHeaderLayout, EveryFieldIsReadAndWrittenInItsOwnPlace) {
  const std::vector<Byte> plain = DefaultHeaderImage();
  int n = 1;
  for (const auto& f : ScriptHeaderFields()) {
    if (f.Group == hgIdentity || f.Kind == TFieldKind::Bookmarks) continue;
    SCOPED_TRACE(f.Name);
    std::vector<Byte> image = plain;
    CraftField(image, f, n);
    const Decoded read(image);
    ASSERT_TRUE(read.ok) << read.error;
    const std::vector<Byte> again = Encoded(read.record, read.fonts, read.info);
    // The reader makes slot 6 of the formats a copy of Dialogue.
    if (f.Name == "FormatSet") std::copy_n(image.begin() + 512 + 60, 12, image.begin() + 512 + 72);
    EXPECT_EQ(FirstDifference(again, image), "");
  }
}

TEST(ScriptHeaderLayout, DosRecordFieldsAreReadAndWrittenInTheirPlace) {
  std::vector<Byte> plain(DosSettingsSize);
  EncodeDosSettings(TScriptRecord(), THeaderInfo{}, plain);
  EXPECT_EQ(std::string(plain.begin(), plain.begin() + 25), DosScriptTag);
  int n = 3;
  for (const auto& f : DosSettingsFields()) {
    if (f.Group == hgIdentity) continue;
    SCOPED_TRACE(f.Name);
    std::vector<Byte> image = plain;
    CraftField(image, f, n);
    TScriptRecord record;
    THeaderInfo info;
    std::string error;
    ASSERT_TRUE(DecodeDosSettings(image, hgSettings, record, info, error)) << error;
    std::vector<Byte> again(DosSettingsSize);
    EncodeDosSettings(record, info, again);
    if (f.Name == "FormatSet") std::copy_n(image.begin() + 64 + 60, 12, image.begin() + 64 + 72);
    EXPECT_EQ(FirstDifference(again, image), "");
  }
}

TEST(ScriptHeaderLayout, ReadingAppliesOnlyTheGroupsAskedFor) {
  const std::vector<Byte> image = DistinctiveHeaderImage(5);
  struct Case {
    unsigned apply;
    bool formats, lists, script;
  };
  for (const Case c : {Case{hgFormats, true, false, false}, Case{hgUserLists, false, true, false},
                       Case{hgScript, false, false, true}, Case{hgSettings, true, true, true}}) {
    const Decoded read(image, c.apply);
    ASSERT_TRUE(read.ok) << read.error;
    const TScriptRecord fresh;
    EXPECT_EQ(read.record.FormatSet != fresh.FormatSet, c.formats);
    EXPECT_EQ(read.record.HeaderLine1 != fresh.HeaderLine1, c.formats);
    EXPECT_EQ(read.record.UserLists != fresh.UserLists, c.lists);
    EXPECT_EQ(read.record.ScenesLocked != fresh.ScenesLocked, c.script);
    EXPECT_EQ(read.record.CharacterAliasList.Count() != 0, c.script);
  }
}

TEST(ScriptHeaderLayout, ListsLongerThanTheirAreaContinueInTheOverflowBlock) {
  TScriptRecord record;
  for (int i = 0; i < 500; ++i) {
    record.AddAlias(record.LocationAliasList, "PLACE " + std::to_string(i), "TOWN");
    record.HiddenLocations.Add(std::string(40, static_cast<char>('A' + i % 26)) + std::to_string(i));
  }
  TListOverflow spill;
  const std::vector<Byte> image = Encoded(record, {}, {}, &spill);
  ASSERT_EQ(spill.size(), 2u);
  TListOverflow overflow;
  std::string error;
  ASSERT_TRUE(DecodeListOverflow(EncodeListOverflow(spill), overflow, error)) << error;
  const Decoded whole(image, hgSettings, &overflow);
  ASSERT_TRUE(whole.ok) << whole.error;
  EXPECT_EQ(ListText(whole.record.LocationAliasList), ListText(record.LocationAliasList));
  EXPECT_EQ(ListText(whole.record.HiddenLocations), ListText(record.HiddenLocations));

  // Without the block the lists are left as they were; with a block that
  // lacks entries the image is refused.
  TScriptRecord alone;
  alone.HiddenLocations.Add("KEPT");
  TFontNames fonts;
  THeaderInfo info;
  ASSERT_TRUE(DecodeScriptHeader(image, hgSettings, alone, fonts, info, nullptr, error));
  EXPECT_EQ(ListText(alone.HiddenLocations), "KEPT\n");
  TListOverflow partial = overflow;
  partial.pop_back();
  EXPECT_FALSE(Decoded(image, hgSettings, &partial).ok);
}

TEST(ScriptHeaderLayout, DamagedRecordsAreRefusedAndChangeNothing) {
  struct Case {
    const char* what;
    std::function<void(std::vector<Byte>&)> damage;
  };
  const Case cases[] = {
      {"tag", [](std::vector<Byte>& i) { i[0] = 'q'; }},
      {"text longer than its room", [](std::vector<Byte>& i) { i[656] = 31; }},
      {"user list slot too long", [](std::vector<Byte>& i) { i[4992 + 21] = 21; }},
      {"bookmark text too long", [](std::vector<Byte>& i) { i[7680 + 28] = 26; }},
      {"list stores more than its total", [](std::vector<Byte>& i) { i[13440] = 3; }},
      {"list entries past the area",
       [](std::vector<Byte>& i) {
         i[13440] = i[13442] = 200;
         std::fill(i.begin() + 13444, i.begin() + 14208, Byte{200});
       }},
      {"list continued in a block it lacks", [](std::vector<Byte>& i) { i[13442] = 5; }},
      {"cut short", [](std::vector<Byte>& i) { i.resize(ScriptHeaderSize - 1); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Byte> image = DistinctiveHeaderImage(2);
    c.damage(image);
    const TListOverflow noEntries;
    const Decoded read(image, hgSettings, &noEntries);
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.error.empty());
    EXPECT_TRUE(static_cast<const TScriptSettings&>(read.record) == TScriptSettings());
    EXPECT_EQ(read.record.HiddenLocations.Count(), 0);
  }
}

}  // namespace
}  // namespace qm::testing
