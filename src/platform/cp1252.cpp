#include "platform/cp1252.h"

#include <algorithm>

namespace qm {

namespace {

// The characters of bytes 0x80-0x9F; the undefined five keep their own number.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct CasePair {
  Byte lower;
  Byte upper;
};
constexpr CasePair kOddPairs[] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};

bool InAccentedLower(Byte c) { return c >= 0xE0 && c <= 0xFE && c != 0xF7; }
bool InAccentedUpper(Byte c) { return c >= 0xC0 && c <= 0xDE && c != 0xD7; }

template <typename Map>
std::string MapBytes(std::string_view s, Map map) {
  std::string out(s);
  for (char& ch : out) ch = static_cast<char>(map(static_cast<Byte>(ch)));
  return out;
}

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

}  // namespace

TUtf8Char DecodeUtf8(std::string_view s, std::size_t i) {
  const Byte b0 = static_cast<Byte>(s[i]);
  if (b0 < 0x80) return {b0, 1, true};
  std::size_t need = 0;
  char32_t cp = 0;
  Byte lo = 0x80;
  Byte hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    need = 1;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    need = 2;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // overlong
    if (b0 == 0xED) hi = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    need = 3;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // overlong
    if (b0 == 0xF4) hi = 0x8F;  // past U+10FFFF
  } else {
    return {0, 1, false};
  }
  std::size_t length = 1;
  for (std::size_t k = 0; k < need; ++k) {
    if (i + length >= s.size()) return {0, length, false};
    const Byte b = static_cast<Byte>(s[i + length]);
    if (b < lo || b > hi) return {0, length, false};
    cp = (cp << 6) | (b & 0x3F);
    ++length;
    lo = 0x80;
    hi = 0xBF;
  }
  return {cp, length, true};
}

Byte AnsiUpper(Byte c) {
  if (c >= 'a' && c <= 'z') return static_cast<Byte>(c - 0x20);
  if (InAccentedLower(c)) return static_cast<Byte>(c - 0x20);
  for (const CasePair& p : kOddPairs)
    if (c == p.lower) return p.upper;
  return c;
}

Byte AnsiLower(Byte c) {
  if (c >= 'A' && c <= 'Z') return static_cast<Byte>(c + 0x20);
  if (InAccentedUpper(c)) return static_cast<Byte>(c + 0x20);
  for (const CasePair& p : kOddPairs)
    if (c == p.upper) return p.lower;
  return c;
}

std::string AnsiUpperCase(std::string_view s) { return MapBytes(s, AnsiUpper); }
std::string AnsiLowerCase(std::string_view s) { return MapBytes(s, AnsiLower); }

bool IsAnsiUpper(Byte c) { return AnsiLower(c) != c; }

bool IsAnsiLower(Byte c) { return AnsiUpper(c) != c || c == 0xDF || c == 0xB5 || c == 0x83; }

bool IsAnsiAlpha(Byte c) { return IsAnsiUpper(c) || IsAnsiLower(c) || c == 0xAA || c == 0xBA; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const Byte x = AnsiUpper(static_cast<Byte>(a[i]));
    const Byte y = AnsiUpper(static_cast<Byte>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

char32_t AnsiToUnicode(Byte c) {
  if (c >= 0x80 && c <= 0x9F) return kHighControls[c - 0x80];
  return c;
}

int UnicodeToAnsi(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<int>(u);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == u) return 0x80 + i;
  return -1;
}

std::string AnsiToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (char ch : s) AppendUtf8(out, AnsiToUnicode(static_cast<Byte>(ch)));
  return out;
}

std::string Utf8UpperCase(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const TUtf8Char d = DecodeUtf8(s, i);
    const int byte = d.valid ? UnicodeToAnsi(d.cp) : -1;
    if (byte < 0) out.append(s.substr(i, d.length));
    else AppendUtf8(out, AnsiToUnicode(AnsiUpper(static_cast<Byte>(byte))));
    i += d.length;
  }
  return out;
}

std::string Utf8ToAnsi(std::string_view s, char replacement) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const TUtf8Char d = DecodeUtf8(s, i);
    const int byte = d.valid ? UnicodeToAnsi(d.cp) : -1;
    out += byte < 0 ? replacement : static_cast<char>(byte);
    i += d.length;
  }
  return out;
}

}  // namespace qm
