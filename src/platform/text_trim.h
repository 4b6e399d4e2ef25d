// Trimming of Windows-1252 text. A blank is the character 32 only; the
// settings file and file masks also take the tab for a blank.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// The text without any of the given characters at either end.
std::string_view TrimChars(std::string_view text, std::string_view chars);

// Blanks gone from both ends.
std::string TrimBlanks(std::string_view text);
// Blanks and tabs gone from both ends.
std::string_view TrimBlanksAndTabs(std::string_view text);

// The length of the text without its trailing blanks.
std::size_t TrimmedLength(std::string_view text);
// Blanks gone from the right end only.
std::string WithoutTrailingBlanks(std::string_view text);
void TrimTrailingBlanks(std::string& text);

// Any of the given characters gone from the one end, in place; true when
// any went.
bool TrimLeading(std::string& text, std::string_view chars);
bool TrimTrailing(std::string& text, std::string_view chars);

}  // namespace qm
