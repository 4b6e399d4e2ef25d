// The control bytes that may stand inside element text, the sets of them
// that measuring, copying, searching and typing treat specially, the colour
// pairs with their colour indexes, and breakdown tags as text sees them.
// These bytes go into script files and onto the clipboard unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "platform/types.h"

namespace qm {

// Style pairs, switched on and off inside the text.
constexpr Byte BoldOn = 2;
constexpr Byte BoldOff = 3;
constexpr Byte UnderlineOn = 21;
constexpr Byte UnderlineOff = 22;
constexpr Byte ItalicsOn = 25;
constexpr Byte ItalicsOff = 26;
constexpr Byte StrikeOutOn = 14;
constexpr Byte StrikeOutOff = 15;

constexpr Byte HardSpace = 4;     // shown and printed as a blank; never a line break
constexpr Byte HardDash = 5;      // shown and printed as "-"; never a line break
constexpr Byte SoftHyphen = 126;  // "~": no width; "-" at the end of a wrapped line
constexpr Byte HardReturn = 167;  // ends the wrapped line
constexpr Byte TagEnd = 1;        // closes a breakdown tag's item text

// A set of byte values, usable in constant expressions.
class CharSet {
 public:
  constexpr CharSet() = default;
  constexpr CharSet(std::initializer_list<Byte> bytes) {
    for (Byte b : bytes) Include(b);
  }

  constexpr CharSet& Include(Byte b) {
    bits_[b >> 6] |= std::uint64_t{1} << (b & 63);
    return *this;
  }
  constexpr CharSet& IncludeRange(Byte first, Byte last) {
    for (int b = first; b <= last; ++b) Include(static_cast<Byte>(b));
    return *this;
  }
  constexpr bool Contains(Byte b) const { return (bits_[b >> 6] >> (b & 63)) & 1; }
  constexpr bool Contains(char c) const { return Contains(static_cast<Byte>(c)); }

  constexpr CharSet operator+(const CharSet& other) const {
    CharSet sum = *this;
    for (std::size_t i = 0; i < bits_.size(); ++i) sum.bits_[i] |= other.bits_[i];
    return sum;
  }

 private:
  std::array<std::uint64_t, 4> bits_{};
};

// The inline codes that have no text and no width: plain text, copying
// without codes, searching and word wrap skip them.
inline constexpr CharSet CodeCharSet = CharSet{2, 3}.IncludeRange(13, 22).IncludeRange(25, 30);

// What measuring gives no width, and the caret steps over: the codes, the
// breakdown tag code 24, the soft hyphen and the hard return.
inline constexpr CharSet ZeroWidthSet = CodeCharSet + CharSet{24, SoftHyphen, HardReturn};

// Coloured text runs between an on and an off byte. The order of this table
// gives the screen colour index: pair k (from 1) shows colour k.
struct ColorPair {
  Byte on;
  Byte off;
};
// clang-format off
inline constexpr std::array<ColorPair, 10> ColorPairs{{
    {18, 19}, {16, 17}, {20, 13}, {253, 254}, {221, 222},
    {238, 248}, {245, 216}, {208, 177}, {159, 164}, {131, 132},
}};
// clang-format on
// Pairs after the first three count only while the script's extended-colour
// option is on.
constexpr int BasicColorCount = 3;

// Screen colour index (1-10) of a colour-on byte; 0 for any other byte.
constexpr int ColorIndexOfOnCode(Byte code) {
  for (std::size_t i = 0; i < ColorPairs.size(); ++i)
    if (ColorPairs[i].on == code) return static_cast<int>(i) + 1;
  return 0;
}
// Screen colour index (1-10) whose pair a colour-off byte closes; 0 for any other byte.
constexpr int ColorIndexOfOffCode(Byte code) {
  for (std::size_t i = 0; i < ColorPairs.size(); ++i)
    if (ColorPairs[i].off == code) return static_cast<int>(i) + 1;
  return 0;
}

// Whether a byte opens or closes a colour (the extended colours only while
// the script's option is on).
constexpr bool IsColorCode(Byte code, bool extendedColors) {
  const int limit = extendedColors ? static_cast<int>(ColorPairs.size()) : BasicColorCount;
  const int on = ColorIndexOfOnCode(code);
  const int off = ColorIndexOfOffCode(code);
  return (on != 0 && on <= limit) || (off != 0 && off <= limit);
}

// The screen colour index after one more byte of text: an on byte sets its
// colour, an off byte clears only the colour it closes, everything else
// leaves the colour as it was.
constexpr int NextColorIndex(int current, Byte code, bool extendedColors) {
  const int limit = extendedColors ? static_cast<int>(ColorPairs.size()) : BasicColorCount;
  const int on = ColorIndexOfOnCode(code);
  if (on != 0) return on <= limit ? on : current;
  const int off = ColorIndexOfOffCode(code);
  if (off != 0 && off <= limit && off == current) return 0;
  return current;
}

// The colour index of an element's own colour (high nibble of its font
// byte) lists the first two colours the other way round from ColorPairs:
// index k (from 1) is ElementColorCodes[k - 1]; 0 is no colour.
inline constexpr std::array<Byte, 10> ElementColorCodes{16, 18, 20, 253, 221, 238, 245, 208, 159, 131};

// Element colour index (1-10) of a colour-on byte; 0 for any other byte.
constexpr int ElementColorIndex(Byte code) {
  for (std::size_t i = 0; i < ElementColorCodes.size(); ++i)
    if (ElementColorCodes[i] == code) return static_cast<int>(i) + 1;
  return 0;
}

// A breakdown tag inside text is a tag code byte, the item's text, then
// TagEnd. One code per breakdown category, in category order.
inline constexpr std::array<Byte, 26> BreakdownTagCodes{
    142, 127, 6, 12, 158, 7, 135, 24, 23, 144, 157, 128, 170, 143, 10, 168, 141, 134, 129, 137, 11, 8, 9, 175, 180, 184,
};

constexpr CharSet MakeTagOrColorSet() {
  CharSet set{TagEnd};
  for (Byte code : BreakdownTagCodes) set.Include(code);
  for (const ColorPair& pair : ColorPairs) set.Include(pair.on).Include(pair.off);
  return set;
}
// The tag codes, TagEnd and every colour-pair byte: what counts as a tag or
// a colour in breakdown fill-out mode.
inline constexpr CharSet TagOrColorSet = MakeTagOrColorSet();

constexpr CharSet MakeTagCodeSet() {
  CharSet set{TagEnd};
  for (Byte code : BreakdownTagCodes) set.Include(code);
  return set;
}
// The tag codes and TagEnd: inline codes of a script's text only while its
// tagging flag is set (otherwise they are letters like any other).
inline constexpr CharSet TagCodeSet = MakeTagCodeSet();

// The classes a script's text is walked by, as its tagging flag makes
// them: the inline codes that plain text, copying, searching and spelling
// leave out; what measuring gives no width and the caret steps over.
constexpr CharSet InlineCodes(bool tagging) { return tagging ? CodeCharSet + TagCodeSet : CodeCharSet; }
constexpr CharSet ZeroWidthBytes(bool tagging) { return tagging ? ZeroWidthSet + TagCodeSet : ZeroWidthSet; }

constexpr bool IsBreakdownTagCode(Byte code) {
  for (Byte tag : BreakdownTagCodes)
    if (tag == code) return true;
  return false;
}

}  // namespace qm
