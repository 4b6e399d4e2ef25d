#include "files/native_clipboard.h"

#include <algorithm>
#include <array>

#include "platform/byte_io.h"
#include "script/model/packed_text.h"

namespace qm {

namespace {

// Field offsets within a record.
constexpr std::size_t kSplit = 12;
constexpr std::size_t kState = 13;
constexpr std::size_t kOffsetCount = 14;
constexpr std::size_t kOffsets = 15;
constexpr std::size_t kRevised = 165;
constexpr std::size_t kLineCount = 241;
constexpr std::size_t kTextLength = 242;
constexpr std::size_t kFontName = 244;
constexpr std::size_t kAvColumn = 275;
constexpr std::size_t kStoryboard = 276;

void PutShortString(std::span<Byte> record, std::size_t at, std::string_view s, std::size_t capacity) {
  const std::size_t n = std::min(s.size(), capacity);
  record[at] = static_cast<Byte>(n);
  std::copy_n(s.begin(), n, record.begin() + static_cast<std::ptrdiff_t>(at + 1));
}

// A short string whose length byte passes its capacity is cut to it.
std::string GetShortString(std::span<const Byte> record, std::size_t at, std::size_t capacity, bool& damaged) {
  std::size_t n = record[at];
  if (n > capacity) {
    n = capacity;
    damaged = true;
  }
  return std::string(record.begin() + static_cast<std::ptrdiff_t>(at + 1),
                     record.begin() + static_cast<std::ptrdiff_t>(at + 1 + n));
}

// Offsets are kept only when their count fits the line count and each
// entry lies within the text; otherwise the element is wrapped again.
void ReadOffsets(std::span<const Byte> record, TClipRecord& r, std::size_t textChars, bool& damaged) {
  const std::size_t bytes = record[kOffsetCount];
  if (bytes == 0) return;
  if (bytes != 2u * r.lineCount || bytes > ClipOffsetBytes) {
    damaged = true;
    return;
  }
  Word last = 0;
  for (std::size_t i = 0; i < bytes / 2; ++i) {
    const Word at = GetU16(record, kOffsets + 2 * i);
    if (at <= last || at > textChars + 1) {
      r.lineOffsets.clear();
      damaged = true;
      return;
    }
    r.lineOffsets.push_back(at);
    last = at;
  }
}

// The text's length as the edit buffer would hold it.
std::size_t TextChars(const TClipRecord& r, bool& tooLong) {
  if (!HoldsPackedText(r.format.Kind)) {
    tooLong = r.text.size() > MaxElementChars;
    return std::min(r.text.size(), MaxElementChars);
  }
  return UnpackText(r.text, &tooLong).size();
}

}  // namespace

void AppendClipRecord(std::vector<Byte>& out, const TClipRecord& r) {
  std::array<Byte, ClipRecordSize> record{};
  const auto format = r.format.ToBytes();
  std::copy(format.begin(), format.end(), record.begin());
  record[kSplit] = r.split;
  record[kState] = r.state;
  const std::size_t entries = std::min(r.lineOffsets.size(), ClipOffsetBytes / 2);
  record[kOffsetCount] = static_cast<Byte>(2 * entries);
  for (std::size_t i = 0; i < entries; ++i) PutU16(record, kOffsets + 2 * i, r.lineOffsets[i]);
  PutShortString(record, kRevised, r.revisedLines, ClipRevisedChars);
  record[kLineCount] = r.lineCount;
  const std::size_t length = std::min(r.text.size(), MaxPackedBytes);
  PutU16(record, kTextLength, static_cast<Word>(length));
  PutShortString(record, kFontName, r.fontName, ClipFontNameChars);
  record[kAvColumn] = r.avColumn;
  PutU16(record, kStoryboard, r.storyboardLink);
  out.insert(out.end(), record.begin(), record.end());
  out.insert(out.end(), r.text.begin(), r.text.begin() + static_cast<std::ptrdiff_t>(length));
}

void AppendClipEndRecord(std::vector<Byte>& out) {
  std::array<Byte, ClipRecordSize> record{};
  record[6] = ClipEndKind;
  out.insert(out.end(), record.begin(), record.end());
}

TClipReadResult ReadClipRecords(std::span<const Byte> data) {
  TClipReadResult result;
  ByteReader reader(data);
  while (true) {
    if (!reader.Has(ClipRecordSize)) {
      // Data that ends without its end record: what came before is sound.
      result.damaged = true;
      return result;
    }
    const auto record = reader.Bytes(ClipRecordSize);
    TClipRecord r;
    r.format = TElementFormat::FromBytes(record.data());
    if (r.format.Kind == ClipEndKind) return result;
    const std::size_t length = GetU16(record, kTextLength);
    if (r.format.Kind > ClipEndKind || length > MaxPackedBytes || !reader.Has(length)) {
      result.damaged = true;
      return result;
    }
    const auto text = reader.Bytes(length);
    r.text.assign(text.begin(), std::find(text.begin(), text.end(), Byte{0}));
    bool damaged = r.text.size() != length;
    bool tooLong = false;
    const std::size_t chars = TextChars(r, tooLong);
    damaged |= tooLong;
    if (!HoldsPackedText(r.format.Kind)) r.text.resize(chars);
    else if (tooLong) r.text = PackText(UnpackText(r.text));
    r.split = record[kSplit];
    // Below 18 a Character Name keeps its cue code here.
    if (r.split > spSecondPiece) {
      r.split = spWhole;
      damaged = true;
    }
    r.state = record[kState] <= esHidden ? record[kState] : Byte{esNormal};
    damaged |= record[kState] > esHidden;
    r.lineCount = record[kLineCount];
    if (r.lineCount < 1 || r.lineCount > MaxLineCount) {
      r.lineCount = 1;
      damaged = true;
    } else {
      ReadOffsets(record, r, chars, damaged);
    }
    r.revisedLines = GetShortString(record, kRevised, ClipRevisedChars, damaged);
    r.fontName = GetShortString(record, kFontName, ClipFontNameChars, damaged);
    r.avColumn = record[kAvColumn] <= 2 ? record[kAvColumn] : 0;
    damaged |= record[kAvColumn] > 2;
    r.storyboardLink = GetU16(record, kStoryboard);
    result.damaged |= damaged;
    result.records.push_back(std::move(r));
  }
}

}  // namespace qm
