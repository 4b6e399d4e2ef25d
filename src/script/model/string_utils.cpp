#include "script/model/string_utils.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/model/packed_text.h"
#include "script/model/text_codes.h"

namespace qm {
namespace {

Byte AsByte(char c) { return static_cast<Byte>(c); }

bool IsBlankOrOpenParen(char c) { return c == ' ' || c == '('; }

}  // namespace

std::string ShortString(std::string s) {
  if (s.size() > MaxShortStringChars) s.resize(MaxShortStringChars);
  return s;
}

// ---- Text ----

std::string PlainText(std::string_view text) {
  std::string plain = CopyWithoutCodes(false, text);
  TrimTrailingBlanks(plain);
  return plain;
}

std::string PlainScriptText(std::string_view text, bool tagging) {
  std::string plain = CopyWithoutScriptCodes(text, tagging);
  TrimTrailingBlanks(plain);
  return plain;
}

std::string PlainUpperText(std::string_view text) { return AnsiUpperCase(PlainText(text)); }

namespace {

std::string CopyWithout(std::string_view s, const CharSet& codes) {
  std::string copy;
  for (char c : s)
    if (!codes.Contains(c)) copy.push_back(c);
  return ShortString(std::move(copy));
}

}  // namespace

std::string CopyWithoutCodes(bool keepCodes, std::string_view s) {
  if (keepCodes) return ShortString(std::string(s));
  return CopyWithout(s, CodeCharSet);
}

std::string CopyWithoutScriptCodes(std::string_view s, bool tagging) { return CopyWithout(s, InlineCodes(tagging)); }

void CutAtParenthesis(std::string& text) {
  const std::size_t paren = text.find('(');
  if (paren == std::string::npos) return;
  text.resize(paren);
  TrimTrailingBlanks(text);
}

std::string LowerCaseShort(std::string_view s) { return ShortString(AnsiLowerCase(s)); }
std::string UpperCaseShort(std::string_view s) { return ShortString(AnsiUpperCase(s)); }

char UpCaseChar(char ch) { return static_cast<char>(AnsiUpper(AsByte(ch))); }

void CharUpperInPlace(std::string& text) { text = AnsiUpperCase(text); }

std::string InitialCaps(std::string_view s) {
  std::string result = LowerCaseShort(s);
  for (std::size_t i = 0; i < result.size(); ++i) {
    const bool startsWord = i == 0 || IsBlankOrOpenParen(result[i - 1]);
    const bool afterWordAmpersand = i > 0 && result[i - 1] == '&' && (i == 1 || IsBlankOrOpenParen(result[i - 2]));
    if (startsWord || afterWordAmpersand) result[i] = UpCaseChar(result[i]);
  }
  return result;
}

bool ReplaceChars(std::string_view fromChars, std::string_view toChars, std::string& text) {
  const std::string before = text;
  for (std::size_t k = 0; k < fromChars.size(); ++k) {
    const char from = fromChars[k];
    if (k < toChars.size()) std::replace(text.begin(), text.end(), from, toChars[k]);
    else std::erase(text, from);
  }
  return text != before;
}

std::size_t CommonPrefixEnd(std::string_view a, std::string_view b) {
  const std::size_t shorter = std::min(a.size(), b.size());
  if (shorter == 0) return 0;
  std::size_t pos = 1;  // 1-based
  while (pos < shorter && a[pos - 1] == b[pos - 1]) ++pos;
  return pos;
}

std::size_t FindLastOccurrence(std::string_view text, std::string_view word) {
  if (!word.empty() && word.back() == '\0') word.remove_suffix(1);
  if (word.empty()) return std::string_view::npos;
  const std::size_t pos = text.rfind(word);
  return pos == 0 ? std::string_view::npos : pos;
}

int CompareToPChar(std::string_view text, std::string_view s, bool caseSensitive) {
  s = s.substr(0, MaxShortStringChars);
  return caseSensitive ? text.compare(s) : CompareText(text, s);
}

std::string& AppendToPChar(std::string& dest, std::string_view s) { return dest.append(s); }

// ---- File names ----

bool HasDrive(std::string_view path) { return !path.empty() && path.front() == PathDelimiter; }

std::string ExtractDirectory(std::string_view path) { return HasDrive(path) ? ExtractFilePath(path) : std::string(); }

std::string ExtractFileNameOnly(std::string_view path) { return ExtractFileName(path); }

void StripExtension(std::string& name) {
  const std::size_t extension = ExtractFileExt(name).size();  // with its "."
  if (extension > 0 && extension <= 4) name.resize(name.size() - extension);
}

std::string ChangeFileExtension(std::string_view name, std::string_view ext) {
  std::string result(name);
  StripExtension(result);
  if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
  if (!ext.empty()) result.append(".").append(ext);
  return result;
}

// ---- Spin-button values ----

namespace {

using Int64 = std::int64_t;
constexpr Int64 Int64Max = std::numeric_limits<Int64>::max();
constexpr Int64 Int64Min = std::numeric_limits<Int64>::min();
constexpr int MaxDecimals = 18;  // 10^18 still fits in 64 bits

Int64 SaturatingAdd(Int64 a, Int64 b) {
  Int64 sum;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? Int64Max : Int64Min;
}

Int64 SaturatingMultiply(Int64 a, Int64 b) {
  Int64 product;
  if (!__builtin_mul_overflow(a, b, &product)) return product;
  return (a < 0) != (b < 0) ? Int64Min : Int64Max;
}

Int64 PowerOfTen(int exponent) {
  Int64 p = 1;
  for (int i = 0; i < exponent; ++i) p *= 10;
  return p;
}

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a decimal text in units of its `decimals`-th decimal; digits
// past that are cut. None when the text is not a decimal number.
std::optional<Int64> ReadScaledDecimal(std::string_view text, int decimals) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  text = text.substr(first, TrimmedLength(text) - first);
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (!AllDigits(whole) || !AllDigits(fraction)) return std::nullopt;
  std::string digits(whole);
  digits.append(fraction.substr(0, decimals));
  digits.append(decimals - std::min<std::size_t>(fraction.size(), decimals), '0');
  Int64 n = 0;
  for (char d : digits) n = SaturatingAdd(SaturatingMultiply(n, 10), d - '0');
  return negative ? -n : n;
}

}  // namespace

std::string StepDecimalText(std::string_view text, int stepTenths, int decimals, int min, int max) {
  decimals = std::clamp(decimals, 1, MaxDecimals);
  if (text.empty()) return "0." + std::string(decimals, '0');
  const Int64 scale = PowerOfTen(decimals);
  Int64 n = ReadScaledDecimal(text, decimals).value_or(0);
  n = SaturatingAdd(n, SaturatingMultiply(stepTenths, scale / 10));
  n = std::min<Int64>(n, max);
  n = std::max<Int64>(n, min);
  const Int64 magnitude = n < 0 ? -n : n;  // within int range after the clamp
  std::string fraction = std::to_string(magnitude % scale);
  fraction.insert(0, decimals - fraction.size(), '0');
  return (n < 0 ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
}

// ---- Memory, code pairs, colours, screen runs ----

void MoveBytes(const void* source, void* dest, Word count) {
  if (count != 0) std::memmove(dest, source, count);
}

bool IsInsideCodePair(std::string_view text, std::size_t pos, Byte openCode, bool startState, Byte closeCode) {
  const std::string_view before = text.substr(0, std::min(pos, text.size()));
  const std::size_t lastOpen = before.rfind(static_cast<char>(openCode));
  const std::size_t lastClose = before.rfind(static_cast<char>(closeCode));
  constexpr std::size_t none = std::string_view::npos;
  if (lastOpen == none && lastClose == none) return startState;
  if (lastOpen == none) return false;
  if (lastClose == none) return true;
  return lastOpen > lastClose;
}

void SetColorNibble(Byte code, Byte& b) {
  if (code != 0 && ElementColorIndex(code) == 0) return;
  b = static_cast<Byte>((b & 0x0F) | (ElementColorIndex(code) << 4));
}

int ScreenRunEnd(std::span<const Byte, ScreenRunFlagCount> flags, int start) {
  for (int i = std::max(start, 0) + 1; i < ScreenRunFlagCount; ++i)
    if (flags[i] != flags[i - 1]) return i;
  return ScreenRunFlagCount;
}

}  // namespace qm
