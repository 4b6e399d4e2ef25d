#include "script/model/character_name_table.h"

#include <algorithm>

#include "platform/text_trim.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"

namespace qm {

bool TCharacterNameTable::Add(std::string_view name) {
  if (name.empty() || static_cast<Byte>(name[0]) < FirstCode) return false;
  auto& chain = chains_[static_cast<size_t>(static_cast<Byte>(name[0]) - FirstCode)];
  if (std::find(chain.begin(), chain.end(), name) != chain.end()) return false;
  chain.emplace_back(name);
  return true;
}

void TCharacterNameTable::Clear() {
  for (auto& chain : chains_) chain.clear();
}

const std::vector<std::string>& TCharacterNameTable::Chain(Byte firstCode) const {
  static const std::vector<std::string> none;
  if (firstCode < FirstCode) return none;
  return chains_[static_cast<size_t>(firstCode - FirstCode)];
}

bool TCharacterNameTable::Contains(std::string_view name) const {
  if (name.empty()) return false;
  const auto& chain = Chain(static_cast<Byte>(name[0]));
  return std::find(chain.begin(), chain.end(), name) != chain.end();
}

int TCharacterNameTable::Count() const {
  int count = 0;
  for (const auto& chain : chains_) count += static_cast<int>(chain.size());
  return count;
}

std::string CueName(std::string_view cueText) {
  std::string name = PlainText(cueText);
  ReplaceChars(std::string{static_cast<char>(HardSpace), static_cast<char>(HardDash)}, " -", name);
  if (!name.empty() && name[0] == '*') name.erase(0, 1);
  name.resize(std::min(name.find('('), name.size()));
  TrimTrailing(name, std::string_view(" \0\x04", 3));
  return name;
}

std::string SpeakerName(std::string_view cueText) {
  std::string name(cueText.substr(0, std::min(cueText.find('('), cueText.size())));
  TrimTrailing(name, " \x04");
  return name;
}

}  // namespace qm
