#include "platform/text_trim.h"

#include <algorithm>

namespace qm {

std::string_view TrimChars(std::string_view text, std::string_view chars) {
  const std::size_t first = text.find_first_not_of(chars);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(chars) - first + 1);
}

std::string TrimBlanks(std::string_view text) { return std::string(TrimChars(text, " ")); }

std::string_view TrimBlanksAndTabs(std::string_view text) { return TrimChars(text, " \t"); }

std::size_t TrimmedLength(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? 0 : last + 1;
}

std::string WithoutTrailingBlanks(std::string_view text) { return std::string(text.substr(0, TrimmedLength(text))); }

void TrimTrailingBlanks(std::string& text) { text.resize(TrimmedLength(text)); }

bool TrimLeading(std::string& text, std::string_view chars) {
  const std::size_t before = text.size();
  text.erase(0, std::min(text.find_first_not_of(chars), text.size()));
  return text.size() != before;
}

bool TrimTrailing(std::string& text, std::string_view chars) {
  const std::size_t before = text.size();
  const std::size_t last = text.find_last_not_of(chars);
  text.resize(last == std::string::npos ? 0 : last + 1);
  return text.size() != before;
}

}  // namespace qm
