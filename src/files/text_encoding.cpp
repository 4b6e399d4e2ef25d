#include "files/text_encoding.h"

#include "platform/cp1252.h"

namespace qm {

namespace {

// The base letters of U+0100 to U+017F (the code page holds a few of them
// itself, which are looked up first).
constexpr std::string_view kLatinExtendedA = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
                                             "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(kLatinExtendedA.size() == 128);

bool ValidUtf8WithWideCharacters(std::string_view s) {
  bool wide = false;
  for (std::size_t i = 0; i < s.size();) {
    const TUtf8Char c = DecodeUtf8(s, i);
    if (!c.valid) return false;
    wide = wide || c.cp >= 0x80;
    i += c.length;
  }
  return wide;
}

void Append(std::string& out, char32_t ch, bool& lossy) {
  // Zero-width marks carry nothing the script could show.
  if (ch == 0x200B || ch == 0xFEFF) return;
  const int byte = ClosestAnsiByte(ch);
  if (byte < 0 || UnicodeToAnsi(ch) < 0) lossy = true;
  out += byte < 0 ? '?' : static_cast<char>(byte);
}

std::string FromUtf16(std::string_view s, bool bigEndian, bool& lossy) {
  std::string out;
  out.reserve(s.size() / 2);
  auto unit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(s[i]);
    const auto b = static_cast<unsigned char>(s[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
    char32_t ch = unit(i);
    if (ch >= 0xD800 && ch < 0xDC00 && i + 3 < s.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        ch = 0x10000 + ((ch - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    Append(out, ch, lossy);
  }
  return out;
}

std::string FromUtf8(std::string_view s, bool& lossy) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const TUtf8Char c = DecodeUtf8(s, i);
    if (c.valid) {
      Append(out, c.cp, lossy);
    } else {
      // A stray byte after a byte-order mark: the mark lied; keep going.
      out += '?';
      lossy = true;
    }
    i += c.length;
  }
  return out;
}

}  // namespace

int ClosestAnsiByte(char32_t ch) {
  const int direct = UnicodeToAnsi(ch);
  if (direct >= 0) return direct;
  if (ch >= 0x100 && ch < 0x180) return static_cast<unsigned char>(kLatinExtendedA[ch - 0x100]);
  switch (ch) {
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2212: return '-';
    case 0x2015: return 0x97;
    case 0x2032:
    case 0x02B9: return '\'';
    case 0x2033: return '"';
    case 0x2000:
    case 0x2001:
    case 0x2002:
    case 0x2003:
    case 0x2004:
    case 0x2005:
    case 0x2006:
    case 0x2007:
    case 0x2008:
    case 0x2009:
    case 0x200A:
    case 0x202F: return ' ';
    default: return -1;
  }
}

TIncomingText IncomingTextToAnsi(std::string_view bytes, bool ownCharacterSet) {
  TIncomingText result;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    result.text = FromUtf8(bytes.substr(3), result.lossy);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    result.text = FromUtf16(bytes.substr(2), bytes[0] == '\xFE', result.lossy);
  } else if (!ownCharacterSet && ValidUtf8WithWideCharacters(bytes)) {
    result.text = FromUtf8(bytes, result.lossy);
  } else {
    result.text.assign(bytes);
  }
  return result;
}

}  // namespace qm
