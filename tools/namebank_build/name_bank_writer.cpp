#include "name_bank_writer.h"

#include <algorithm>
#include <map>
#include <utility>

namespace qm {

namespace {

constexpr std::size_t MaxKept = 14;  // h - 1 with h at most 15
constexpr unsigned MaxCodes = 14;    // so that the first byte is never 0xFF

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool Storable(const std::string& name) {
  return !name.empty() && name.size() <= 200 && name[0] >= 'a' && name[0] <= 'z' &&
         std::all_of(name.begin(), name.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || c == ' ' || c == '\'' || c == '-'; });
}

// The fewest bytes for `rest`: fragment codes from its start, then letters.
std::vector<unsigned char> WorkOutCodes(const std::string& rest, const std::vector<std::string>& fragments) {
  const std::size_t n = rest.size();
  std::vector<std::size_t> cost(n + 1), choice(n + 1, 0);
  std::vector<unsigned> codes(n + 1, 0);
  for (std::size_t i = n + 1; i-- > 0;) {
    cost[i] = n - i;
    for (std::size_t c = 0; c < fragments.size(); ++c) {
      const std::string& f = fragments[c];
      if (f.size() > n - i || rest.compare(i, f.size(), f) != 0) continue;
      const std::size_t j = i + f.size();
      if (codes[j] + 1 > MaxCodes || 1 + cost[j] >= cost[i]) continue;
      cost[i] = 1 + cost[j];
      choice[i] = c + 1;
      codes[i] = codes[j] + 1;
    }
  }
  std::vector<unsigned char> out;
  for (std::size_t i = 0; i < n && choice[i] != 0; i += fragments[choice[i] - 1].size())
    out.push_back(static_cast<unsigned char>(choice[i]));
  return out;
}

// The same rests come back each time a letter is tried with more names.
const std::vector<unsigned char>& CheapestCodes(const std::string& rest, TNameList list) {
  static std::map<std::pair<int, std::string>, std::vector<unsigned char>> known;
  auto [at, added] = known.try_emplace({list, rest});
  if (added) at->second = WorkOutCodes(rest, NameFragments(list));
  return at->second;
}

}  // namespace

std::string EncodeNameEntry(const std::string& name, const std::string& previous, TNameList list) {
  const std::string before = Lower(previous);
  std::size_t kept = 0;
  while (kept < MaxKept && kept < before.size() && kept < name.size() && before[kept] == name[kept]) ++kept;
  const std::vector<std::string>& fragments = NameFragments(list);
  const std::string rest = name.substr(kept);
  const std::vector<unsigned char>& codes = CheapestCodes(rest, list);
  std::string entry(1, static_cast<char>(((kept + 1) << 4) | codes.size()));
  std::size_t at = 0;
  for (unsigned char c : codes) {
    entry += static_cast<char>(c);
    at += fragments[c - 1u].size();
  }
  entry += rest.substr(at);
  return entry;
}

std::string EncodeNameLetter(const std::vector<std::string>& names, TNameList list) {
  std::string out, previous;
  for (const std::string& name : names) {
    out += EncodeNameEntry(name, previous, list);
    out += static_cast<char>(NameEntryEnd);
    previous = CapitalizeBankName(list == nlFamily, name);
  }
  out += '\0';
  return out;
}

std::vector<std::string> NamesOfLetter(const std::vector<std::string>& names, TNameList list, char letter) {
  std::vector<std::string> ofLetter;
  for (const std::string& given : names) {
    std::string name = Lower(given);
    if (Storable(name) && name[0] == letter - 'A' + 'a' &&
        std::find(ofLetter.begin(), ofLetter.end(), name) == ofLetter.end())
      ofLetter.push_back(std::move(name));
  }
  const auto firstOf = [&](std::size_t count) {
    std::vector<std::string> chosen(ofLetter.begin(), ofLetter.begin() + static_cast<std::ptrdiff_t>(count));
    std::sort(chosen.begin(), chosen.end());
    return chosen;
  };
  // The most frequent names that fit: the longest fitting run of the list.
  std::size_t low = 0, high = ofLetter.size();
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (EncodeNameLetter(firstOf(mid), list).size() <= NameBankLetterLimit) low = mid;
    else high = mid - 1;
  }
  return firstOf(low);
}

std::vector<std::uint8_t> BuildNameBank(const std::array<std::vector<std::string>, 3>& lists) {
  std::vector<std::uint8_t> file(NameBankLetterTableSize, 0);
  for (int list = nlMale; list <= nlFamily; ++list)
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      const auto which = static_cast<TNameList>(list);
      const std::size_t offset = file.size();
      const std::size_t slot = LetterSlot(which, letter) * 4;
      for (int b = 0; b < 4; ++b)
        file[slot + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(offset >> (8 * b));
      const std::string bytes =
          EncodeNameLetter(NamesOfLetter(lists[static_cast<std::size_t>(list - 1)], which, letter), which);
      file.insert(file.end(), bytes.begin(), bytes.end());
    }
  return file;
}

}  // namespace qm
