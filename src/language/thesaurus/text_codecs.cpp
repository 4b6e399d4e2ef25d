#include "language/thesaurus/text_codecs.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qm::thesaurus {

namespace {

constexpr DWord Half = 0x80000000u;
constexpr DWord Quarter = 0x40000000u;
constexpr DWord ThreeQuarters = 0xC0000000u;

Byte InputByte(const TArithmeticState& s, std::size_t at) { return at < s.input.size() ? s.input[at] : 0; }

void Start(TArithmeticState& s) {
  s.high = 0xFFFFFFFF;
  s.low = 0;
  s.code = 0;
  for (int i = 0; i < 4; ++i) s.code = (s.code << 8) | InputByte(s, s.position + i);
  s.position += 4;
  s.bitMask = 0x80;
}

void ShiftIn(TArithmeticState& s) {
  s.low = s.low << 1;
  s.high = (s.high << 1) | 1;
  s.code = (s.code << 1) | ((InputByte(s, s.position) & s.bitMask) ? 1 : 0);
  s.bitMask >>= 1;
  if (s.bitMask == 0) {
    s.bitMask = 0x80;
    ++s.position;
  }
}

// The symbol under the code; the interval narrows to it.
unsigned NextSymbol(TArithmeticState& s, Byte context) {
  const Word* t = s.model->table(context);
  const std::uint64_t range = s.high - s.low;
  const std::uint64_t total = t[0];
  std::uint64_t cum = ((static_cast<std::uint64_t>(static_cast<DWord>(s.code - s.low)) + 1) * total - 1) / range;
  // Only damaged data puts the code outside the interval.
  if (cum >= total) cum = total - 1;
  unsigned k = 1;
  while (k < s.model->symbols && t[k] > cum) ++k;
  const DWord low = s.low;
  s.high = low + static_cast<DWord>((t[k - 1] * range) / total) - 1;
  s.low = low + static_cast<DWord>((t[k] * range) / total);
  for (;;) {
    if (s.high < Half || s.low >= Half) {
      ShiftIn(s);
    } else if (s.low >= Quarter && s.high < ThreeQuarters) {
      s.code -= Quarter;
      s.low -= Quarter;
      s.high -= Quarter;
      ShiftIn(s);
    } else {
      break;
    }
  }
  return k - 1;
}

}  // namespace

void ArithmeticDecode(std::string& output, TArithmeticState& state) {
  if (state.model == nullptr || state.finished || state.exhausted) return;
  if (state.bitMask == 0) Start(state);
  const std::size_t limit = state.outputLimit == 0 ? MaxDecodedSymbols : std::min(state.outputLimit, MaxDecodedSymbols);
  std::size_t stored = 0;
  for (;;) {
    // All real bits and the 32 zero bits after them are used up.
    if (state.position > state.input.size() + 4) {
      state.exhausted = true;
      return;
    }
    const Byte context = output.empty() ? 0 : static_cast<Byte>(output.back());
    const unsigned symbol = NextSymbol(state, context);
    if (symbol == state.endSymbol) {
      state.finished = true;
      return;
    }
    if (symbol == state.stopSymbol) return;
    output.push_back(static_cast<char>(symbol));
    if (++stored >= limit) return;
  }
}

void TArithmeticEncoder::PutBit(bool one) {
  if (mask_ == 0x80) out_.push_back('\0');
  if (one) out_.back() = static_cast<char>(static_cast<Byte>(out_.back()) | mask_);
  mask_ = mask_ == 1 ? 0x80 : static_cast<Byte>(mask_ >> 1);
  ++bits_;
}

void TArithmeticEncoder::ArithmeticEncode(std::string_view input, const TModel& model) {
  if (input.empty()) throw ECompressError();
  for (std::size_t i = 1; i < input.size(); ++i) {
    const Word* t = model.table(static_cast<Byte>(input[i - 1]));
    const unsigned symbol = static_cast<Byte>(input[i]);
    if (symbol >= model.symbols) throw ECompressError();
    const std::uint64_t range = high_ - low_;
    const std::uint64_t total = t[0];
    const DWord low = low_;
    high_ = low + static_cast<DWord>((t[symbol] * range) / total) - 1;
    low_ = low + static_cast<DWord>((t[symbol + 1] * range) / total);
    for (;;) {
      if (high_ < Half) {
        PutBit(false);
        for (; pending_ > 0; --pending_) PutBit(true);
      } else if (low_ >= Half) {
        PutBit(true);
        for (; pending_ > 0; --pending_) PutBit(false);
      } else if (low_ >= Quarter && high_ < ThreeQuarters) {
        ++pending_;
        low_ -= Quarter;
        high_ -= Quarter;
      } else {
        break;
      }
      low_ = low_ << 1;
      high_ = (high_ << 1) | 1;
    }
  }
}

std::string TArithmeticEncoder::Flush() {
  const bool one = low_ >= Quarter;
  PutBit(one);
  for (DWord i = 0; i < pending_ + 1; ++i) PutBit(!one);
  pending_ = 0;
  return out_;
}

std::string PadToKey(std::string coded) {
  while (coded.size() < 2) coded.push_back('\0');
  return coded;
}

std::string EncodePair(std::string_view types, std::string_view numbers) {
  TArithmeticEncoder encoder;
  std::string first(1, '\x0C');
  first.append(types);
  first.push_back('\x0C');
  encoder.ArithmeticEncode(first, RelationModel());
  if (!types.empty()) {
    std::string second(1, '\0');
    second.append(numbers);
    encoder.ArithmeticEncode(second, SmallNumberModel());
  }
  return encoder.Flush();
}

TDecodedPair DecodePair(std::span<const Byte> input) {
  TDecodedPair pair;
  TArithmeticState state;
  state.input = input;
  state.model = &RelationModel();
  state.stopSymbol = 12;
  state.endSymbol = 12;
  std::string out(1, '\x0C');
  ArithmeticDecode(out, state);
  pair.types = out.substr(1);
  if (!pair.types.empty() && !state.exhausted) {
    state.model = &SmallNumberModel();
    state.stopSymbol = 255;
    state.endSymbol = 255;
    state.finished = false;
    state.outputLimit = 2 * pair.types.size();
    std::string numbers(1, out.back());
    ArithmeticDecode(numbers, state);
    pair.numbers = numbers.substr(1);
  }
  pair.numbers.resize(2 * pair.types.size(), '\0');
  pair.codedLength = EncodePair(pair.types, pair.numbers).size();
  return pair;
}

namespace {

std::string EncodeSymbols(const std::string& symbols, const TModel& model) {
  TArithmeticEncoder encoder;
  encoder.ArithmeticEncode(symbols, model);
  return encoder.Flush();
}

// Symbols up to the stop symbol, after the `lead` the encoder framed them
// with (the first symbol's context), which is left off.
std::string DecodeSymbols(std::span<const Byte> input, std::size_t limit, const TModel& model, char lead) {
  TArithmeticState state;
  state.input = input;
  state.model = &model;
  state.stopSymbol = 0;
  state.outputLimit = limit;
  std::string out(1, lead);
  ArithmeticDecode(out, state);
  return out.substr(1);
}

}  // namespace

std::string EncodeCharacters(std::string_view text) {
  std::string framed(1, ' ');
  framed.append(text);
  framed.push_back('\0');
  return EncodeSymbols(framed, CharacterModel());
}

std::string DecodeCharacters(std::span<const Byte> input, std::size_t limit) {
  return DecodeSymbols(input, limit, CharacterModel(), ' ');
}

bool IsLetterModelText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= 'Z'; });
}

std::string EncodeLetters(std::string_view text) {
  std::string symbols(1, '\0');
  for (char c : text) symbols.push_back(static_cast<char>(c - 47));
  symbols.push_back('\0');
  return EncodeSymbols(symbols, LetterModel());
}

std::string DecodeLetters(std::span<const Byte> input, std::size_t limit) {
  std::string text = DecodeSymbols(input, limit, LetterModel(), '\0');
  for (char& c : text) c = static_cast<char>(c + 47);
  return text;
}

// ---- Gloss substitution ----

namespace {

struct TGlossGroup {
  int firstCode;
  std::vector<std::string_view> strings;
};

const std::array<TGlossGroup, 7>& GlossGroups() {
  // In the order the compressor replaces them.
  static const std::array<TGlossGroup, 7> groups = {{
      {123, {"ation ", "tion ", "ical ", "having ",     "relating ", "ing ",  "ate ",  "ment ",  "manner ",
             "ness ",  "able ", "some",  "form",        "one ",      "ive ",  "ted ",  "ther",   "ous ",
             "ter ",   "ent ",  "all ",  "tion",        "nce ",      "tic ",  "ight ", ";the ",  "of ",
             "the ",   "for ",  "and ",  ";a ",         "a ",        "in ",   "to ",   "with ",  "that ",
             "or ",    "by ",   "from ", "especially ", "as ",       "used ", "an ",   "genus ", "ally "}},
      {1,
       {"ed ", "es ", "al ", "er ", "ter", "on ", "con", "per", "ing", "res", "le ", "ers", "ver", "eri", "ine", "ant",
        "re ", "en ", "all", "se ", "pro", "ess", "str", "com", "ent", "is ", "tra", "est", "ste", "der", "low"}},
      {168, {"ar", "e ", "l ", "m ", "t ", "an", "or", "s ", "at", "it", "la", "ic", "ea", "el", "en", "li", "ac", "ri",
             "is", "ra", "th", "ou", "ro", "le", "st", "ch", "on", "al", "us", "ma", "er", "ti", "ha", "nd", "un", "il",
             "ta", "de", "di", "si", "ur", "ce", "as", "ho", "ol", "ca", "se", "d ", "ge", "sh", "te", "ec", "lo", "h ",
             "et", "ni", "he", "po", "co", "id", "be", "hi", "pa", "ct", "rt", "ne", "me", "mi", "mo", "es", "su", "no",
             "ut", "pe", "to", "am", "ad", "ul", "op", "ci", "ot", "ed", "pl", "ns", "ll", "ee", "tr", "os"}},
      {91, {"in", "re", "k ", "ir", "n ", "qu"}},
      {35, {"p ", "ex", "sp", "ag"}},
      {60, {"um", "ff", "gr", "fi", "bo"}},
      {66, {"pi", "mb", "ck", "of", "ru", "wh", "e;", "em", "br", "im", "s;", "ab", "ph",
            "wa", "gi", "ap", "oo", "uc", "mp", "g ", "om", "od", "o ", "bi", "pr"}},
  }};
  return groups;
}

const std::array<std::string_view, 256>& Expansions() {
  static const std::array<std::string_view, 256> table = [] {
    std::array<std::string_view, 256> t{};
    for (const auto& group : GlossGroups())
      for (std::size_t i = 0; i < group.strings.size(); ++i) t[group.firstCode + i] = group.strings[i];
    return t;
  }();
  return table;
}

bool IsLiteral(Byte b) { return (b >= 32 && b <= 34) || (b >= 39 && b <= 59) || b == 'A' || (b >= 'a' && b <= 'z'); }

void ReplaceAll(std::string& word, std::string_view from, char code) {
  if (from.size() > word.size()) return;
  // A "/" escapes the byte after it, which no table string contains; a match
  // may still start right after an escaped "/", which is its own byte.
  for (std::size_t at = 0; (at = word.find(from, at)) != std::string::npos;) {
    if (at > 0 && word[at - 1] == '/') {
      std::size_t slashes = 0;
      for (std::size_t i = at; i > 0 && word[i - 1] == '/'; --i) ++slashes;
      if (slashes % 2 == 1) {
        ++at;
        continue;
      }
    }
    word.replace(at, from.size(), 1, code);
  }
}

}  // namespace

std::string CompressGloss(std::string_view source) {
  std::string escaped;
  for (char ch : source) {
    if (ch == '\0') break;
    if (ch == '_') ch = ' ';
    if (ch == '`') ch = '\'';
    const Byte b = static_cast<Byte>(ch);
    // "/" is the escape itself, so it is escaped too.
    if (!IsLiteral(b) || ch == '/') escaped.push_back('/');
    escaped.push_back(ch);
  }
  std::string result;
  std::size_t start = 0;
  while (start < escaped.size()) {
    std::size_t end = escaped.find(' ', start);
    end = end == std::string::npos ? escaped.size() : end + 1;
    std::string word = escaped.substr(start, end - start);
    for (const auto& group : GlossGroups())
      for (std::size_t i = 0; i < group.strings.size(); ++i)
        ReplaceAll(word, group.strings[i], static_cast<char>(group.firstCode + i));
    result += word;
    start = end;
  }
  return result;
}

std::string ExpandGloss(std::string_view source, std::size_t limit) {
  std::string out;
  const auto& table = Expansions();
  for (std::size_t i = 0; i < source.size() && out.size() < limit; ++i) {
    const Byte b = static_cast<Byte>(source[i]);
    if (b == 0) break;
    if (b == '/') {
      if (++i >= source.size() || source[i] == '\0') break;
      out.push_back(source[i]);
    } else if (IsLiteral(b)) {
      out.push_back(static_cast<char>(b));
    } else {
      out.append(table[b]);
    }
  }
  if (out.size() > limit) out.resize(limit);
  return out;
}

}  // namespace qm::thesaurus
