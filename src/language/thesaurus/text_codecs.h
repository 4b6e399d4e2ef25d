// The thesaurus database keeps its words, synset records and glosses
// compressed: an integer arithmetic coder over four fixed models, and a
// substitution codec for gloss texts. The program only decodes; the
// encoders serve the database builder. Every decoder is bounded by the end
// of its input and by an output limit, so damaged data decodes to garbage
// that ends, never to a read out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace qm::thesaurus {

class ECompressError : public std::runtime_error {
 public:
  ECompressError() : std::runtime_error("") {}
};

// A descending cumulative frequency table t[0..n]: t[0] the total, t[n] 0;
// symbol s owns t[s+1] .. t[s]-1.
struct TModel {
  unsigned symbols = 0;
  // Table for the next symbol after `previous` (clamped to a valid context).
  const Word* (*table)(Byte previous) = nullptr;
};

const TModel& RelationModel();     // 13 symbols, context the previous symbol
const TModel& SmallNumberModel();  // 28 symbols, no context
const TModel& CharacterModel();    // 129 symbols, no context
const TModel& LetterModel();       // 44 symbols, context the previous symbol

constexpr DWord NoSymbol = 0xFFFFFFFF;

// One compressed stream being decoded; kept between calls so that a
// stream is decoded in several runs.
struct TArithmeticState {
  DWord stopSymbol = NoSymbol;
  DWord endSymbol = NoSymbol;
  Byte bitMask = 0;
  DWord high = 0;
  DWord low = 0;
  DWord code = 0;
  std::span<const Byte> input;  // all of it; bytes past its end read as 0
  std::size_t position = 0;     // next input byte
  std::size_t outputLimit = 0;  // symbols one run may store; 0 = only the safety cap
  bool finished = false;
  bool exhausted = false;  // ran 4 bytes past the input: corrupt data
  const TModel* model = nullptr;
};

// A run never stores more than this many symbols, whatever the limit says.
constexpr std::size_t MaxDecodedSymbols = 4096;

// Decodes symbols, appending one byte each to `output`, whose last byte is
// the context of the first symbol (the caller puts the first context
// there). Returns when the stop or end symbol is read, the output limit is
// reached, or the input is exhausted.
void ArithmeticDecode(std::string& output, TArithmeticState& state);

// Encodes onto a growing bit string, most significant bit first.
class TArithmeticEncoder {
 public:
  // Codes every byte of `input` after the first, which is only the context
  // of the second. An empty input raises ECompressError.
  void ArithmeticEncode(std::string_view input, const TModel& model);
  // Writes the closing bits and returns the output cut after the last bit.
  std::string Flush();

 private:
  void PutBit(bool one);
  std::string out_;
  DWord pending_ = 0;
  Byte mask_ = 0x80;
  DWord high_ = 0xFFFFFFFF;
  DWord low_ = 0;
  std::size_t bits_ = 0;
};

// Coded streams shorter than two bytes are padded: the word index keys
// every word by its first two coded bytes.
std::string PadToKey(std::string coded);

// Relation types (values 0..11, each one link) and two small numbers per
// link, in one stream.
std::string EncodePair(std::string_view types, std::string_view numbers);
struct TDecodedPair {
  std::string types;
  std::string numbers;
  std::size_t codedLength = 0;  // learnt by encoding the result again
};
TDecodedPair DecodePair(std::span<const Byte> input);

// A word of character codes 1..128 (used for counts).
std::string EncodeCharacters(std::string_view text);
std::string DecodeCharacters(std::span<const Byte> input, std::size_t limit = MaxDecodedSymbols);

// A text of "0".."9", ":".."@" and "A".."Z" framed by "/".
std::string EncodeLetters(std::string_view text);
std::string DecodeLetters(std::span<const Byte> input, std::size_t limit = MaxDecodedSymbols);
bool IsLetterModelText(std::string_view text);

// The gloss substitution codec on texts without zero bytes. ExpandGloss
// stops at a zero byte, at the end of its input or at `limit` characters.
std::string CompressGloss(std::string_view source);
std::string ExpandGloss(std::string_view source, std::size_t limit = 3000);

}  // namespace qm::thesaurus
