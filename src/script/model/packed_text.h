// Packed element text: every element's text but a Character Name's is held
// with common letter pairs, small words and blank runs as one byte each.
// The byte form goes into script files and onto the clipboard unchanged:
//
//   0        end of text
//   1-26     "a" and the letter code+96 ("aa".."az"; 14 is never written)
//   27-52    "e" and the letter code+70 ("ea".."ez")
//   53-78    a blank and the capital code+12 (" A".." Z")
//   79-104   a blank and the small letter code+18 (" a".." z")
//   105-126  words: " th" " thi" " you" " tha" "an" ". " "  " " the" " he"
//            " and" "it" "and" "is" "in" "im" "ie" "ic" (122 unused) "st"
//            "to" "th" "ing"
//   127      escape: the next byte is the character itself (127-255);
//            122 and 128 are never written and read like 127
//   129-255  the single character code-128 (1-127)
//
// Results are returned as values; nothing is shared between calls.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The longest element text: what the edit buffer holds.
constexpr std::size_t MaxElementChars = 2815;
// Room for the packed form of any element text: one character may take two
// bytes, so an element never loses its tail when it is packed.
constexpr std::size_t MaxPackedBytes = 2 * (MaxElementChars + 1);
constexpr std::size_t MaxShortStringChars = 255;

// Packs plain text up to its first zero byte. Stops before a code that would
// take the packed form past MaxPackedBytes; *truncated tells whether any of
// the text was left out (never for a text of MaxElementChars or fewer).
std::string PackText(std::string_view plain, bool* truncated = nullptr);

// An element's text: no text (the element is being edited) stays none.
std::optional<std::string> PackElementText(const std::optional<std::string>& text, bool* truncated = nullptr);

// A short string's packed form, or none for an empty string.
std::optional<std::string> PackString(std::string_view s);

// The packed form of a short string within 255 bytes. The cut falls between
// codes, so an escaped character is never split from its escape byte.
std::string PackShortString(std::string_view s);

// Unpacks up to the first zero byte (or the end of the bytes). A text that
// would be longer than MaxElementChars is cut there and *truncated is set.
// An escape byte with nothing after it ends the text.
std::string UnpackText(std::string_view packed, bool* truncated = nullptr);

// An element's stored text unpacked; none stays none. When the text was cut,
// *truncated is set and the caller beeps and shows UnpackWarningText in the
// platform's message box, captioned "Warning", with an OK button.
std::optional<std::string> UnpackElementText(const std::optional<std::string>& packed, bool* truncated = nullptr);

// The warning for a cut element: it quotes the first 35 characters of the
// unpacked text and names MaxElementChars as the limit.
std::string UnpackWarningText(std::string_view unpacked);

}  // namespace qm
