#include "language/user_list_text.h"

#include <algorithm>

#include "platform/text_trim.h"

namespace qm {

namespace {

std::string CleanLine(std::string_view line) {
  std::string entry(line);
  std::erase_if(entry, [](char c) { return c == '\t' || c == '\0'; });
  return TrimBlanks(entry);
}

}  // namespace

std::vector<std::string> UserListTextEntries(std::string_view text, std::size_t maxEntries) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start < text.size() && entries.size() < maxEntries) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    std::string entry = CleanLine(text.substr(start, end - start));
    if (!entry.empty()) entries.push_back(std::move(entry));
    if (end == text.size()) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return entries;
}

}  // namespace qm
