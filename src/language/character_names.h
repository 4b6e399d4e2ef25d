// The script's character names: rebuilt from its cues and the Char Names
// user list whenever a list of names is wanted, and the names the writer
// hid from those lists.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace qm {

class TMDIChild;
class TStringList;
struct TScriptElement;

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

// Rebuilds the active script's table from its cues and the Char Names
// list (not while the script's screen updating is suspended).
void BuildCharacterNameTable();
// Empties the active script's table.
void FreeCharacterNameTable();

// Fills the target with the active script's names, in the order of their
// first characters, only those beginning with `firstLetter` unless it is 0.
// With `dropHidden` the names the writer hid are left out, except, with
// `keepSpeakers`, those who speak in the current scene. False when the
// target is left empty (with `showMessage`, after saying so) or no script
// is open.
bool CollectCharacterNames(char firstLetter, bool showMessage, bool dropHidden, TStringList& target,
                           bool keepSpeakers);

// For the script window's store of a cue: the cue's name joins the table.
void AddCharacterName(TMDIChild& script, std::string_view cueText);

// The two stored strings of hidden names: each name followed by ",", a
// "," inside a name kept as "|", the first string filled while it stays
// below 255 characters, then the second (at most 255).
using THiddenNames = std::array<std::string, 2>;
constexpr int HiddenNamesCapacity = 255;
// The stored form of the names; a name that no longer goes into either
// string is left out and `fits` tells so.
THiddenNames PackHiddenNames(const std::vector<std::string>& names, bool* fits = nullptr);
std::vector<std::string> UnpackHiddenNames(const THiddenNames& hidden);

// A cue's name as the scene's speakers are compared: up to "(", without
// trailing blanks or hard spaces.
std::string SpeakerName(std::string_view cueText);

}  // namespace qm
