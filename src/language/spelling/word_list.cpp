#include "language/spelling/word_list.h"

namespace qm::spelling {
namespace {

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const auto end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return lines;
}

// One line into the list; false when it is not a good line.
bool TakeLine(std::string_view line, TWordList& list) {
  if (line.empty() || line.front() == '#') return true;
  if (line.starts_with(HunspellKeyword)) {
    const auto name = line.substr(HunspellKeyword.size());
    if (!IsStorableEntry(name, false) || name.find_first_of("/ ") != std::string_view::npos) return false;
    list.hunspell.emplace_back(name);
    return true;
  }
  const auto tab = line.find('\t');
  const auto word = line.substr(0, tab);
  const auto second = tab == std::string_view::npos ? std::string_view{} : line.substr(tab + 1);
  if (!IsStorableEntry(word, false) || !IsStorableEntry(second, true)) return false;
  list.entries.push_back({std::string(word), std::string(second)});
  return true;
}

}  // namespace

bool IsStorableEntry(std::string_view text, bool allowEmpty) {
  if (text.empty()) return allowEmpty;
  if (text.size() > MaxWordListEntry) return false;
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 32 || c == 127) return false;
  return true;
}

std::optional<TWordList> ParseWordList(std::string_view bytes) {
  const auto lines = SplitLines(bytes);
  if (lines.empty() || lines.front() != WordListHeader) return std::nullopt;
  TWordList list;
  for (std::size_t i = 1; i < lines.size(); ++i)
    if (!TakeLine(lines[i], list)) return std::nullopt;
  return list;
}

TWordList SalvageWordList(std::string_view bytes) {
  TWordList list;
  const auto lines = SplitLines(bytes);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == 0 && lines[i] == WordListHeader) continue;
    TWordList one;
    if (TakeLine(lines[i], one)) {
      list.hunspell.insert(list.hunspell.end(), one.hunspell.begin(), one.hunspell.end());
      list.entries.insert(list.entries.end(), one.entries.begin(), one.entries.end());
    }
  }
  return list;
}

std::string FormatWordList(const TWordList& list) {
  std::string out(WordListHeader);
  out += '\n';
  for (const auto& name : list.hunspell) out += std::string(HunspellKeyword) + name + '\n';
  for (const auto& e : list.entries) {
    out += e.word;
    if (!e.second.empty()) out += '\t' + e.second;
    out += '\n';
  }
  return out;
}

}  // namespace qm::spelling
