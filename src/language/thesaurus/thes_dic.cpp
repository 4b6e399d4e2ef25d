#include "language/thesaurus/thes_dic.h"

#include <algorithm>

#include "platform/files.h"
#include "script/model/packed_text.h"

namespace qm::thesaurus {

const char* const SeparatorLine = "====================================";

namespace {

constexpr const char* SeparatorMark = "@-";

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

bool ReadExactly(TFileStream& file, std::int64_t at, Byte* out, std::size_t count) {
  return file.Seek(at) == at && file.Read(out, count) == count;
}

DWord Get24(const Byte* b) { return b[0] | static_cast<DWord>(b[1]) << 8 | static_cast<DWord>(b[2]) << 16; }

}  // namespace

bool TThesKeyBlock::Fill() {
  const std::size_t want = std::min(blockLength, ThesBufferBytes);
  buffer.assign(want, 0);
  return file->Seek(filePosition) == filePosition && file->Read(buffer.data(), want) == want;
}

int SearchThisText(TThesKeyBlock& block, const std::string& key) {
  std::size_t pos = 0;
  while (pos < block.blockLength) {
    // Past the buffer's end before the entry's count byte or its numbers:
    // the block goes on from where this entry starts.
    auto fits = [&](std::size_t need) { return pos + need <= block.buffer.size(); };
    bool whole = fits(1);
    std::size_t size = 0;
    if (whole) {
      const std::size_t keyLength = block.buffer[pos];
      whole = fits(keyLength + 2);
      if (whole) {
        size = keyLength + 2 + 2 * static_cast<std::size_t>(block.buffer[pos + 1 + keyLength]);
        whole = fits(size);
      }
    }
    if (!whole) {
      if (pos == 0) return -1;  // an entry longer than the buffer: damaged
      block.filePosition += static_cast<std::int64_t>(pos);
      block.blockLength -= pos;
      if (!block.Fill()) return -1;
      pos = 0;
      continue;
    }
    if (size > block.blockLength - pos) return -1;
    const std::size_t keyLength = block.buffer[pos];
    const auto* stored = reinterpret_cast<const char*>(block.buffer.data()) + pos + 1;
    if (keyLength == key.size() && std::equal(key.begin(), key.end(), stored)) return static_cast<int>(pos + 1);
    pos += size;
  }
  return -1;
}

std::string DecryptWord(const std::vector<Byte>& record) {
  if (record.empty()) return {};
  const std::size_t length = std::min<std::size_t>(record[0], record.size() - 1);
  const std::string packed(record.begin() + 1, record.begin() + 1 + static_cast<std::ptrdiff_t>(length));
  const std::string word = UnpackText(packed);
  return word == "aa" ? SeparatorMark : word;
}

TThesDicResult ReadThesDicSynonyms(const std::string& path, const std::string& word) {
  TThesDicResult result;
  TFileStream file(path, TFileMode::OpenRead);
  if (!file.IsOpen()) return result;
  result.opened = true;
  Byte head[2];
  if (file.Read(head, 2) != 2) return result;
  result.headerRead = true;
  const std::int64_t base = head[0] << 8 | head[1];
  const std::string lower = Lower(word);
  if (lower.empty()) return result;
  const int f = static_cast<Byte>(lower[0]) - 96;
  const int s = lower.size() < 2 || lower[1] == ' ' ? 1 : static_cast<Byte>(lower[1]) - 96;
  if (f < 1 || f > 26 || s < 1 || s > 26) return result;
  Byte entry[LetterPairEntryBytes];
  const auto at = static_cast<std::int64_t>(LetterPairIndexAt + (f - 1) * 26 * LetterPairEntryBytes +
                                            (s - 1) * LetterPairEntryBytes);
  if (!ReadExactly(file, at, entry, sizeof entry)) return result;
  TThesKeyBlock block;
  block.file = &file;
  block.filePosition = Get24(entry);
  block.blockLength = static_cast<std::size_t>(entry[3] << 8 | entry[4]);
  if (block.blockLength == 0 || !block.Fill()) return result;
  const std::string key = PackText(lower);
  const int found = SearchThisText(block, key);
  if (found < 0) return result;
  const std::size_t countAt = static_cast<std::size_t>(found) + key.size();
  const std::size_t count = block.buffer[countAt];
  std::vector<Word> numbers;
  for (std::size_t i = 0; i < count; ++i)
    numbers.push_back(static_cast<Word>(block.buffer[countAt + 1 + 2 * i] | block.buffer[countAt + 2 + 2 * i] << 8));
  for (const Word number : numbers) {
    Byte pointer[3];
    if (!ReadExactly(file, base + 3 * static_cast<std::int64_t>(number), pointer, 3)) break;
    std::vector<Byte> record(WordRecordBytes);
    const std::int64_t recordAt = Get24(pointer);
    if (file.Seek(recordAt) != recordAt) break;
    record.resize(file.Read(record.data(), WordRecordBytes));
    if (record.empty() || record.size() < 1u + record[0]) break;
    std::string line = DecryptWord(record);
    result.lines.push_back(line == SeparatorMark ? SeparatorLine : line);
  }
  if (!result.lines.empty() && result.lines.back() == SeparatorLine) result.lines.pop_back();
  return result;
}

}  // namespace qm::thesaurus
