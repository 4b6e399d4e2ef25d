// The program's own synonym file, THES.DIC: keys by their first two
// letters, each key with the numbers of its synonyms, and a table that
// turns a synonym number into its word record. Both keys and words are in
// the packed element-text form.
//
// Layout (little-endian unless said otherwise):
//   0      base, big-endian 16 bits
//   2      26 x 26 letter-pair entries of 5 bytes: 24-bit offset of the
//          pair's key block, big-endian 16-bit length (0: no words)
//   ...    key blocks: key length, packed key, synonym count n, n 16-bit numbers
//   base + 3k  synonym k's 24-bit word-record offset (k from 1)
//   ...    word records: length byte and packed word, 50 bytes at most
// A word record "aa" is a separator between the senses of a key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {
class TFileStream;
}

namespace qm::thesaurus {

constexpr const char* ThesDicFileName = "THES.DIC";
constexpr std::size_t ThesBufferBytes = 2816;
constexpr std::size_t WordRecordBytes = 50;
constexpr std::size_t LetterPairIndexAt = 2;
constexpr std::size_t LetterPairEntryBytes = 5;
// The 36 "=" that stand for a separator in the list.
extern const char* const SeparatorLine;

struct TThesDicResult {
  bool opened = false;      // false: no file (or it cannot be read)
  bool headerRead = false;  // false: "Error Reading Thesaurus."
  std::vector<std::string> lines;
};

// Looks a word up (any case) the way the synonym dialog lists it. The file
// is only read; every offset and length is checked against what is there.
TThesDicResult ReadThesDicSynonyms(const std::string& path, const std::string& word);

// One letter pair's key block, read through a buffer of ThesBufferBytes.
struct TThesKeyBlock {
  TFileStream* file = nullptr;
  std::int64_t filePosition = 0;  // where the buffer's first byte came from
  std::size_t blockLength = 0;    // bytes of the block from there on
  std::vector<Byte> buffer;       // what was read, at most ThesBufferBytes
  bool Fill();                    // false on a read error or a short read
};

// Finds the packed key in the block, refilling the buffer when an entry
// runs past its end; a found entry lies whole in the buffer. Returns the
// position of the key's first byte in the buffer, or -1.
int SearchThisText(TThesKeyBlock& block, const std::string& key);

// A word record turned into its text; "aa" gives "@-".
std::string DecryptWord(const std::vector<Byte>& record);

}  // namespace qm::thesaurus
