// The names a script's cues give: the table of them, one chain per first
// character, and the name part of a cue.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace qm {

// One chain of names per first character, for the codes 65 to 255. Names
// in one chain are unique, compared exactly.
class TCharacterNameTable {
 public:
  static constexpr int FirstCode = 65;
  static constexpr int ChainCount = 256 - FirstCode;

  // False, and nothing added, for an empty name, one whose first code is
  // below 65, or one already in its chain.
  bool Add(std::string_view name);
  void Clear();
  // The chain of a first character; empty below code 65.
  const std::vector<std::string>& Chain(Byte firstCode) const;
  bool Contains(std::string_view name) const;
  int Count() const;

 private:
  std::array<std::vector<std::string>, ChainCount> chains_;
};

// A cue as the name table keeps it: its plain text, hard spaces and hard
// dashes as blanks and "-", a leading "*" gone, cut at its first "(",
// trailing blanks gone.
std::string CueName(std::string_view cueText);

// A cue's name as the scene's speakers are compared: up to "(", without
// trailing blanks or hard spaces.
std::string SpeakerName(std::string_view cueText);

}  // namespace qm
