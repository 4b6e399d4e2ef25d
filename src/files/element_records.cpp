#include "files/element_records.h"

#include <algorithm>
#include <array>

#include "script/model/packed_text.h"
#include "script/pagination/repagination.h"

namespace qm {

namespace {

constexpr Byte kHasRevisedLines = 1;

// A block is stored only when it says its own size, as the model keeps it.
bool StorableBlock(std::span<const Byte> block) {
  return !block.empty() && block.size() <= 255 && block[0] == block.size();
}

std::string TextUpToZero(std::span<const Byte> bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), Byte{0});
  return std::string(bytes.begin(), end);
}

bool ReadFixed(ByteReader& r, std::size_t fixedSize, std::size_t ownSize, std::string& error, TScriptElement& e,
               std::span<const Byte>& fixed) {
  if (fixedSize < ownSize) {
    error = "its element records are too short";
    return false;
  }
  fixed = r.Bytes(fixedSize);
  if (!r.Ok()) {
    error = "it ends inside an element";
    return false;
  }
  e.format = TElementFormat::FromBytes(fixed.data());
  if (e.format.Kind >= FirstInvalidKind) {
    error = "an element has an unknown type";
    return false;
  }
  e.split = fixed[12];
  e.state = fixed[13];
  return true;
}

bool ReadText(ByteReader& r, std::size_t length, std::string& error, TScriptElement& e) {
  if (length > MaxPackedBytes) {
    error = "an element's text is longer than any element can be";
    return false;
  }
  const auto bytes = r.Bytes(length);
  if (!r.Ok()) {
    error = "it ends inside an element's text";
    return false;
  }
  e.text = TextUpToZero(bytes);
  return true;
}

}  // namespace

void AppendElementRecord(ByteWriter& w, const TStoredElement& s) {
  const TScriptElement& e = *s.element;
  const bool block = StorableBlock(s.lineOffsets);
  const std::size_t revised = e.revisedLines ? std::min<std::size_t>(e.revisedLines->size(), 255) : 0;
  const std::size_t textLength = std::min(s.text.size(), MaxPackedBytes);
  std::array<Byte, ElementRecordSize> fixed{};
  const auto format = OwnFormat(e).ToBytes();
  std::copy(format.begin(), format.end(), fixed.begin());
  fixed[12] = e.split;
  fixed[13] = e.state;
  fixed[14] = e.avColumn;
  fixed[15] = e.lineCount;
  PutU16(fixed, 16, e.storyboardLink);
  PutU16(fixed, 18, static_cast<Word>(textLength));
  fixed[20] = e.revisedLines ? kHasRevisedLines : 0;
  fixed[21] = block ? s.lineOffsets[0] : 0;
  fixed[22] = static_cast<Byte>(revised);
  w.Bytes(fixed);
  if (block) w.Bytes(s.lineOffsets.subspan(1));
  if (e.revisedLines) w.Text(std::string_view(*e.revisedLines).substr(0, revised));
  w.Text(s.text.substr(0, textLength));
}

void AppendDosElementRecord(ByteWriter& w, const TStoredElement& s) {
  const TScriptElement& e = *s.element;
  const std::size_t textLength = std::min(s.text.size(), MaxPackedBytes);
  w.Bytes(OwnFormat(e).ToBytes());
  w.U8(e.split);
  w.U8(e.state);
  w.U16(static_cast<Word>(textLength));
  w.Text(s.text.substr(0, textLength));
}

std::unique_ptr<TScriptElement> ReadElementRecord(ByteReader& r, std::size_t fixedSize, std::string& error) {
  auto e = std::make_unique<TScriptElement>();
  std::span<const Byte> f;
  if (!ReadFixed(r, fixedSize, ElementRecordSize, error, *e, f)) return nullptr;
  e->avColumn = f[14];
  e->lineCount = f[15];
  e->storyboardLink = GetU16(f, 16);
  const std::size_t textLength = GetU16(f, 18);
  const Byte flags = f[20];
  const std::size_t blockSize = f[21];
  const std::size_t revised = f[22];
  if (revised > 0 && !(flags & kHasRevisedLines)) {
    error = "an element's revised lines are damaged";
    return nullptr;
  }
  const auto entries = r.Bytes(blockSize > 0 ? blockSize - 1 : 0);
  const auto marks = r.Bytes(revised);
  if (!r.Ok()) {
    error = "it ends inside an element";
    return nullptr;
  }
  const bool countFits = e->lineCount >= 1 && e->lineCount <= MaxLineCount;
  if (!countFits) e->lineCount = 1;
  if (countFits && blockSize == 2u * e->lineCount + 1) {
    e->lineOffsets.reserve(blockSize);
    e->lineOffsets.push_back(static_cast<Byte>(blockSize));
    e->lineOffsets.insert(e->lineOffsets.end(), entries.begin(), entries.end());
  }
  if (flags & kHasRevisedLines) e->revisedLines = std::string(marks.begin(), marks.end());
  if (!ReadText(r, textLength, error, *e)) return nullptr;
  return e;
}

std::unique_ptr<TScriptElement> ReadDosElementRecord(ByteReader& r, std::size_t fixedSize, std::string& error) {
  auto e = std::make_unique<TScriptElement>();
  std::span<const Byte> f;
  if (!ReadFixed(r, fixedSize, DosElementRecordSize, error, *e, f)) return nullptr;
  if (!ReadText(r, GetU16(f, 14), error, *e)) return nullptr;
  return e;
}

}  // namespace qm
