// The Windows-1252 code page: the program's text is bytes in it. Case
// mapping follows the platform's ANSI case functions for this code page,
// and the conversion to and from UTF-8 is used only at the edges (file
// names, the desktop).
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace qm {

// Letters with a case partner: a-z, the accented letters 0xE0-0xFE (but
// not the division sign 0xF7) against 0xC0-0xDE (but not 0xD7), and the
// pairs 0x9A/0x8A, 0x9C/0x8C, 0x9E/0x8E, 0xFF/0x9F. Every other byte
// maps to itself.
Byte AnsiUpper(Byte c);
Byte AnsiLower(Byte c);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// Lower-case letters include the ones without an upper partner (sharp s,
// micro sign, florin); the ordinal indicators 0xAA and 0xBA are letters
// of neither case.
bool IsAnsiUpper(Byte c);
bool IsAnsiLower(Byte c);
bool IsAnsiAlpha(Byte c);

// Some callers map only a-z and leave everything else alone.
char AsciiUpper(char c);
char AsciiLower(char c);

// UTF-8 text with the code page's letters upper-cased as AnsiUpper does;
// other characters, and bytes that are not UTF-8, stay as they are.
std::string Utf8UpperCase(std::string_view s);

// Compares the upper-case forms byte by byte: -1, 0 or 1.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) stand for the C1 control characters of the same number, so every
// byte survives a trip through UTF-8.
char32_t AnsiToUnicode(Byte c);
// The byte for a character, or -1 when the code page has none.
int UnicodeToAnsi(char32_t u);

std::string AnsiToUtf8(std::string_view s);

struct TUtf8Char {
  char32_t cp;
  std::size_t length;  // bytes used, at least 1
  bool valid;
};
// One character at `i` (within `s`). A malformed sequence (overlong forms,
// surrogates, code points past U+10FFFF, stray or missing continuation
// bytes) gives up after its longest valid beginning, so the next sequence
// is read afresh.
TUtf8Char DecodeUtf8(std::string_view s, std::size_t i);
// Each malformed UTF-8 sequence (overlong forms, surrogates, code points
// past U+10FFFF, stray or missing continuation bytes) and each character
// without a byte in the code page becomes one `replacement`.
std::string Utf8ToAnsi(std::string_view s, char replacement = '?');

}  // namespace qm
