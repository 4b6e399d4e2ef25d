// The program's own clipboard records: laid out byte for byte, read back
// field for field, and damaged blocks read as far as they are sound.
#include <gtest/gtest.h>

#include <random>

#include "files/native_clipboard.h"
#include "platform/byte_io.h"
#include "script/model/packed_text.h"

namespace qm::testing {
namespace {

TClipRecord SampleRecord() {
  TClipRecord r;
  r.format.LeftMargin = 15;
  r.format.RightMargin = 10;
  r.format.LinesBefore = 10;
  r.format.NumberWord = 0x1234;
  r.format.Kind = ekAction;
  r.format.FontAndColor = 0x21;
  r.format.FontSize = 12;
  r.format.Style = stBold;
  r.split = spFirstPiece;
  r.state = esKeepGroup;
  r.lineOffsets = {12, 30};
  r.revisedLines = "\x01\x02";
  r.lineCount = 2;
  r.fontName = "Courier New";
  r.avColumn = 2;
  r.storyboardLink = 0x0102;
  r.text = PackText("She runs to the door and opens it.");
  return r;
}

TEST(NativeClipboardTest, RecordsAreLaidOutByteForByte) {
  const TClipRecord r = SampleRecord();
  std::vector<Byte> block;
  AppendClipRecord(block, r);
  AppendClipEndRecord(block);
  ASSERT_EQ(block.size(), 2 * ClipRecordSize + r.text.size());
  const auto format = r.format.ToBytes();
  EXPECT_TRUE(std::equal(format.begin(), format.end(), block.begin()));
  EXPECT_EQ(block[12], spFirstPiece);
  EXPECT_EQ(block[13], esKeepGroup);
  EXPECT_EQ(block[14], 4);
  EXPECT_EQ(GetU16(block, 15), 12);
  EXPECT_EQ(GetU16(block, 17), 30);
  EXPECT_EQ(block[165], 2);
  EXPECT_EQ(block[166], 1);
  EXPECT_EQ(block[241], 2);
  EXPECT_EQ(GetU16(block, 242), r.text.size());
  EXPECT_EQ(block[244], 11);
  EXPECT_EQ(std::string(block.begin() + 245, block.begin() + 256), "Courier New");
  EXPECT_EQ(block[275], 2);
  EXPECT_EQ(GetU16(block, 276), 0x0102);
  EXPECT_EQ(std::string(block.begin() + 278, block.begin() + 278 + static_cast<long>(r.text.size())), r.text);
  EXPECT_EQ(block[ClipRecordSize + r.text.size() + 6], ClipEndKind);

  const TClipReadResult read = ReadClipRecords(block);
  EXPECT_FALSE(read.damaged);
  ASSERT_EQ(read.records.size(), 1u);
  const TClipRecord& back = read.records[0];
  EXPECT_EQ(back.format, r.format);
  EXPECT_EQ(back.split, r.split);
  EXPECT_EQ(back.state, r.state);
  EXPECT_EQ(back.lineOffsets, r.lineOffsets);
  EXPECT_EQ(back.revisedLines, r.revisedLines);
  EXPECT_EQ(back.lineCount, r.lineCount);
  EXPECT_EQ(back.fontName, r.fontName);
  EXPECT_EQ(back.avColumn, r.avColumn);
  EXPECT_EQ(back.storyboardLink, r.storyboardLink);
  EXPECT_EQ(back.text, r.text);
}

// Two good records, a third one damaged as the case says, then the end.
struct DamageCase {
  const char* name;
  void (*damage)(std::vector<Byte>& block, std::size_t third);
  std::size_t soundRecords;
};

std::vector<Byte> ThreeRecords(std::size_t& third) {
  std::vector<Byte> block;
  AppendClipRecord(block, SampleRecord());
  AppendClipRecord(block, SampleRecord());
  third = block.size();
  AppendClipRecord(block, SampleRecord());
  AppendClipEndRecord(block);
  return block;
}

TEST(NativeClipboardTest, DamagedBlocksPasteWhatIsSoundAndSaySo) {
  const DamageCase cases[] = {
      {"truncated_inside_a_record", [](std::vector<Byte>& b, std::size_t at) { b.resize(at + 100); }, 2},
      {"truncated_inside_a_text", [](std::vector<Byte>& b, std::size_t at) { b.resize(at + ClipRecordSize + 3); }, 2},
      {"no_end_record", [](std::vector<Byte>& b, std::size_t) { b.resize(b.size() - ClipRecordSize); }, 3},
      {"huge_text_length", [](std::vector<Byte>& b, std::size_t at) { PutU16(b, at + 242, 0xFFFF); }, 2},
      {"text_past_the_data", [](std::vector<Byte>& b, std::size_t at) { PutU16(b, at + 242, 3000); }, 2},
      {"unknown_kind", [](std::vector<Byte>& b, std::size_t at) { b[at + 6] = 200; }, 2},
      {"line_count_zero", [](std::vector<Byte>& b, std::size_t at) { b[at + 241] = 0; }, 3},
      {"line_count_above_75", [](std::vector<Byte>& b, std::size_t at) { b[at + 241] = 200; }, 3},
      {"odd_offset_count", [](std::vector<Byte>& b, std::size_t at) { b[at + 14] = 3; }, 3},
      {"offset_count_past_the_field", [](std::vector<Byte>& b, std::size_t at) { b[at + 14] = 250; }, 3},
      {"offset_past_the_text", [](std::vector<Byte>& b, std::size_t at) { PutU16(b, at + 17, 9000); }, 3},
      {"revised_lines_too_long", [](std::vector<Byte>& b, std::size_t at) { b[at + 165] = 200; }, 3},
      {"font_name_too_long", [](std::vector<Byte>& b, std::size_t at) { b[at + 244] = 200; }, 3},
      {"split_state_out_of_range", [](std::vector<Byte>& b, std::size_t at) { b[at + 12] = 99; }, 3},
      {"av_column_out_of_range", [](std::vector<Byte>& b, std::size_t at) { b[at + 275] = 9; }, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t third = 0;
    std::vector<Byte> block = ThreeRecords(third);
    c.damage(block, third);
    const TClipReadResult read = ReadClipRecords(block);
    EXPECT_TRUE(read.damaged);
    ASSERT_EQ(read.records.size(), c.soundRecords);
    for (const TClipRecord& r : read.records) {
      EXPECT_LE(r.revisedLines.size(), ClipRevisedChars);
      EXPECT_LE(r.fontName.size(), ClipFontNameChars);
      EXPECT_GE(r.lineCount, 1);
      EXPECT_LE(r.lineCount, MaxLineCount);
      EXPECT_TRUE(r.lineOffsets.empty() || r.lineOffsets.size() == r.lineCount);
      EXPECT_LE(r.avColumn, 2);
      EXPECT_LE(UnpackText(r.text).size(), MaxElementChars);
    }
  }
}

TEST(NativeClipboardTest, TextLongerThanAnElementIsCut) {
  TClipRecord r = SampleRecord();
  r.lineOffsets.clear();
  r.text = PackText(std::string(MaxElementChars, 'x')) + PackText(std::string(200, 'y'));
  std::vector<Byte> block;
  AppendClipRecord(block, r);
  AppendClipEndRecord(block);
  const TClipReadResult read = ReadClipRecords(block);
  EXPECT_TRUE(read.damaged);
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(UnpackText(read.records[0].text), std::string(MaxElementChars, 'x'));
}

TEST(NativeClipboardTest, RandomBytesNeverReadPastTheData) {
  std::mt19937 random(18);
  for (int round = 0; round < 300; ++round) {
    std::vector<Byte> block(random() % 2000);
    for (Byte& b : block) b = static_cast<Byte>(random());
    // A heap copy of exactly the data, so that the sanitizer sees any read past it.
    auto exact = std::make_unique<Byte[]>(block.size());
    std::copy(block.begin(), block.end(), exact.get());
    const TClipReadResult read = ReadClipRecords(std::span<const Byte>(exact.get(), block.size()));
    std::size_t used = 0;
    for (const auto& r : read.records) used += ClipRecordSize + r.text.size();
    EXPECT_LE(used, block.size());
  }
}

}  // namespace
}  // namespace qm::testing
