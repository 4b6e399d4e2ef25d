#include "script/model/packed_text.h"

#include <algorithm>
#include <array>

#include "platform/types.h"

namespace qm {
namespace {

// Code ranges and word codes of the packed form.
constexpr Byte APairBase = 96;         // "a" + letter: letter - 96
constexpr Byte EPairBase = 27;         // "e" + letter: 27 + (letter - 'a')
constexpr Byte BlankCapitalBase = 53;  // " " + capital: 53 + (capital - 'A')
constexpr Byte BlankSmallBase = 79;    // " " + small letter: 79 + (letter - 'a')
constexpr Byte CodeBlankTh = 105;
constexpr Byte CodeBlankThi = 106;
constexpr Byte CodeBlankYou = 107;
constexpr Byte CodeBlankTha = 108;
constexpr Byte CodeAn = 109;
constexpr Byte CodeStopBlank = 110;
constexpr Byte CodeTwoBlanks = 111;
constexpr Byte CodeBlankThe = 112;
constexpr Byte CodeBlankHe = 113;
constexpr Byte CodeBlankAnd = 114;
constexpr Byte CodeIt = 115;
constexpr Byte CodeAnd = 116;
constexpr Byte CodeIs = 117;
constexpr Byte CodeIn = 118;
constexpr Byte CodeIm = 119;
constexpr Byte CodeIe = 120;
constexpr Byte CodeIc = 121;
constexpr Byte CodeSt = 123;
constexpr Byte CodeTo = 124;
constexpr Byte CodeTh = 125;
constexpr Byte CodeIng = 126;
constexpr Byte CodeEscape = 127;
constexpr Byte SingleBase = 128;  // characters 1-126 as code + 128

bool IsSmall(Byte c) { return c >= 'a' && c <= 'z'; }
bool IsCapital(Byte c) { return c >= 'A' && c <= 'Z'; }

// Reads the plain text as if it ended in zero bytes, as a zero-terminated
// text does.
class PlainReader {
 public:
  explicit PlainReader(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}
  bool AtEnd() const { return pos_ >= text_.size(); }
  Byte At(std::size_t ahead) const {
    const std::size_t i = pos_ + ahead;
    return i < text_.size() ? static_cast<Byte>(text_[i]) : 0;
  }
  void Skip(std::size_t count) { pos_ += count; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

struct Code {
  Byte first;
  Byte second;  // the escaped character after CodeEscape
  std::size_t bytes;
  std::size_t consumed;
};

Code Single(Byte c) {
  if (c < CodeEscape) return {static_cast<Byte>(c + SingleBase), 0, 1, 1};
  return {CodeEscape, c, 2, 1};
}
Code Word(Byte code, std::size_t consumed) { return {code, 0, 1, consumed}; }
Code Pair(int code) { return Word(static_cast<Byte>(code), 2); }
Code BlankSmall(Byte letter) { return Pair(BlankSmallBase + letter - 'a'); }

// A blank and what follows it.
Code BlankCode(const PlainReader& in) {
  const Byte next = in.At(1);
  if (next == ' ') return Word(CodeTwoBlanks, 2);
  if (IsCapital(next)) return Pair(BlankCapitalBase + next - 'A');
  if (next == 'a' && in.At(2) == 'n' && in.At(3) == 'd') return Word(CodeBlankAnd, 4);
  if (next == 't' && in.At(2) == 'h') {
    switch (in.At(3)) {
      case 'e': return Word(CodeBlankThe, 4);
      case 'a': return Word(CodeBlankTha, 4);
      case 'i': return Word(CodeBlankThi, 4);
      default: return Word(CodeBlankTh, 3);
    }
  }
  if (next == 'h' && in.At(2) == 'e') return Word(CodeBlankHe, 3);
  if (next == 'y' && in.At(2) == 'o' && in.At(3) == 'u') return Word(CodeBlankYou, 4);
  if (IsSmall(next)) return BlankSmall(next);
  return Single(' ');
}

Code ACode(const PlainReader& in) {
  const Byte next = in.At(1);
  if (!IsSmall(next)) return Single('a');
  if (next == 'n') return in.At(2) == 'd' ? Word(CodeAnd, 3) : Word(CodeAn, 2);
  return Pair(next - APairBase);
}

Code ICode(const PlainReader& in) {
  switch (in.At(1)) {
    case 'c': return Word(CodeIc, 2);
    case 'e': return Word(CodeIe, 2);
    case 'm': return Word(CodeIm, 2);
    case 'n': return in.At(2) == 'g' ? Word(CodeIng, 3) : Word(CodeIn, 2);
    case 's': return Word(CodeIs, 2);
    case 't': return Word(CodeIt, 2);
    default: return Single('i');
  }
}

// The code for the text at the reader, by the rules in their order.
Code NextCode(const PlainReader& in) {
  const Byte c = in.At(0);
  const Byte next = in.At(1);
  switch (c) {
    case ' ': return BlankCode(in);
    case '.': return next == ' ' ? Word(CodeStopBlank, 2) : Single(c);
    case 'a': return ACode(in);
    case 'e': return IsSmall(next) ? Pair(EPairBase + next - 'a') : Single(c);
    case 'i': return ICode(in);
    case 't':
      if (next == 'h') return Word(CodeTh, 2);
      if (next == 'o') return Word(CodeTo, 2);
      return Single(c);
    case 's': return next == 't' ? Word(CodeSt, 2) : Single(c);
    default: return Single(c);
  }
}

// Packs within a byte limit; a code that would not fit is not written.
std::string PackWithin(std::string_view plain, std::size_t limit, bool* truncated) {
  PlainReader in(plain);
  std::string out;
  out.reserve(std::min(limit, 2 * plain.size()));
  while (!in.AtEnd()) {
    const Code code = NextCode(in);
    if (out.size() + code.bytes > limit) break;
    out.push_back(static_cast<char>(code.first));
    if (code.bytes == 2) out.push_back(static_cast<char>(code.second));
    in.Skip(code.consumed);
  }
  if (truncated) *truncated = !in.AtEnd();
  return out;
}

// What each code byte stands for; escapes and the end stand for nothing here.
struct Expansion {
  std::array<char, 4> text{};
  std::size_t length = 0;
};

constexpr Expansion Expand(std::string_view s) {
  Expansion e;
  for (std::size_t i = 0; i < s.size(); ++i) e.text[i] = s[i];
  e.length = s.size();
  return e;
}
constexpr Expansion Expand(char first, char second) {
  const char pair[] = {first, second};
  return Expand(std::string_view(pair, 2));
}

constexpr std::array<Expansion, 256> MakeExpansions() {
  std::array<Expansion, 256> table{};
  for (int letter = 'a'; letter <= 'z'; ++letter) {
    const char l = static_cast<char>(letter);
    table[letter - APairBase] = Expand('a', l);
    table[EPairBase + letter - 'a'] = Expand('e', l);
    table[BlankSmallBase + letter - 'a'] = Expand(' ', l);
  }
  for (int capital = 'A'; capital <= 'Z'; ++capital)
    table[BlankCapitalBase + capital - 'A'] = Expand(' ', static_cast<char>(capital));
  table[CodeBlankTh] = Expand(" th");
  table[CodeBlankThi] = Expand(" thi");
  table[CodeBlankYou] = Expand(" you");
  table[CodeBlankTha] = Expand(" tha");
  table[CodeAn] = Expand("an");
  table[CodeStopBlank] = Expand(". ");
  table[CodeTwoBlanks] = Expand("  ");
  table[CodeBlankThe] = Expand(" the");
  table[CodeBlankHe] = Expand(" he");
  table[CodeBlankAnd] = Expand(" and");
  table[CodeIt] = Expand("it");
  table[CodeAnd] = Expand("and");
  table[CodeIs] = Expand("is");
  table[CodeIn] = Expand("in");
  table[CodeIm] = Expand("im");
  table[CodeIe] = Expand("ie");
  table[CodeIc] = Expand("ic");
  table[CodeSt] = Expand("st");
  table[CodeTo] = Expand("to");
  table[CodeTh] = Expand("th");
  table[CodeIng] = Expand("ing");
  for (int code = SingleBase + 1; code <= 255; ++code) {
    table[code].text[0] = static_cast<char>(code - SingleBase);
    table[code].length = 1;
  }
  return table;
}

constexpr std::array<Expansion, 256> Expansions = MakeExpansions();

constexpr bool IsEscape(Byte code) { return code == CodeEscape || code == 122 || code == SingleBase; }

std::string Thousands(std::size_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, ",");
  return digits;
}

}  // namespace

std::string PackText(std::string_view plain, bool* truncated) { return PackWithin(plain, MaxPackedBytes, truncated); }

std::optional<std::string> PackElementText(const std::optional<std::string>& text, bool* truncated) {
  if (truncated) *truncated = false;
  if (!text) return std::nullopt;
  return PackText(*text, truncated);
}

std::optional<std::string> PackString(std::string_view s) {
  if (s.empty()) return std::nullopt;
  return PackText(s.substr(0, MaxShortStringChars));
}

std::string PackShortString(std::string_view s) { return PackWithin(s, MaxShortStringChars, nullptr); }

std::string UnpackText(std::string_view packed, bool* truncated) {
  std::string out;
  out.reserve(std::min(MaxElementChars, 4 * packed.size()));
  bool cut = false;
  for (std::size_t i = 0; i < packed.size() && packed[i] != '\0'; ++i) {
    const Byte code = static_cast<Byte>(packed[i]);
    std::string_view text(Expansions[code].text.data(), Expansions[code].length);
    if (IsEscape(code)) {
      if (i + 1 >= packed.size() || packed[i + 1] == '\0') break;
      text = packed.substr(++i, 1);
    }
    if (out.size() + text.size() > MaxElementChars) {
      out.append(text.substr(0, MaxElementChars - out.size()));
      cut = true;
      break;
    }
    out.append(text);
  }
  if (truncated) *truncated = cut;
  return out;
}

std::optional<std::string> UnpackElementText(const std::optional<std::string>& packed, bool* truncated) {
  if (truncated) *truncated = false;
  if (!packed) return std::nullopt;
  return UnpackText(*packed, truncated);
}

std::string UnpackWarningText(std::string_view unpacked) {
  return "The Element which starts with:\r\r\"" + std::string(unpacked.substr(0, 35)) +
         "...\"\r\rhas been truncated as it would otherwise\rhave been greater than " + Thousands(MaxElementChars) +
         " characters long!";
}

}  // namespace qm
