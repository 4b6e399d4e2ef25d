// The script's character names: rebuilt from its cues and the Char Names
// user list whenever a list of names is wanted, and the names the writer
// hid from those lists.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/character_name_table.h"

namespace qm {

class TStringList;
struct TScriptElement;

// Rebuilds the active script's table from its cues and the Char Names
// list (not while the script's screen updating is suspended). The cue at
// the caret counts with its edit line, unless left out for the list that
// completes its own typing.
void BuildCharacterNameTable(bool withEditedCue = true);
// Empties the active script's table.
void FreeCharacterNameTable();

// Fills the target with the active script's names, in the order of their
// first characters, only those beginning with `firstLetter` unless it is 0.
// With `dropHidden` the names the writer hid are left out, except, with
// `keepSpeakers`, those who speak in the current scene. False when the
// target is left empty (with `showMessage`, after saying so) or no script
// is open.
bool CollectCharacterNames(char firstLetter, bool showMessage, bool dropHidden, TStringList& target, bool keepSpeakers,
                           bool withEditedCue = true);

// The two stored strings of hidden names: each name followed by ",", a
// "," inside a name kept as "|", the first string filled while it stays
// below 255 characters, then the second (at most 255).
using THiddenNames = std::array<std::string, 2>;
constexpr int HiddenNamesCapacity = 255;
// The stored form of the names; a name that no longer goes into either
// string is left out and `fits` tells so.
THiddenNames PackHiddenNames(const std::vector<std::string>& names, bool* fits = nullptr);
std::vector<std::string> UnpackHiddenNames(const THiddenNames& hidden);

}  // namespace qm
