// Story data handed over by the outside story-development program, as an
// exchange file (*.DSW) or on the clipboard ("StoryDev Exchange"): the
// story's character names for the script's name list, and its title,
// character notes, scene names, descriptions and notes as elements. The
// data is stored scrambled with a rolling XOR.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "files/imported_text.h"
#include "platform/types.h"

namespace qm {

class TMDIChild;

inline constexpr const char* StoryDevFormatName = "StoryDev Exchange";
inline constexpr const char* StoryDevDamagedMessage = "Error Reading StoryDev Exchange Data!";

// Unscrambles (or, `scrambling`, scrambles) the bytes in place from the
// state; returns the state after the last byte.
DWord DescrambleBlock(std::span<Byte> data, DWord state, bool scrambling);
DWord SwapLongBytes(DWord value);

// The data opens with the magic, unscrambled from its starting state in
// either byte order.
bool HasStoryDevMagic(std::span<const Byte> bytes);

struct TStoryDevData {
  TImportedElements elements;
  // Upper case, at most 20 characters each, in the order given.
  std::vector<std::string> characterNames;
};

// Reads exchange data; false when it is too short or its magic is wrong
// after unscrambling (nothing is read then). A record that runs past the
// data ends the reading with what was read so far.
bool ReadStoryDevData(std::span<const Byte> bytes, TStoryDevData& data);

// Adds the names to the script's Char Names list (those not there yet,
// while it has room); how many were added.
int AddStoryDevNames(TMDIChild& script, const std::vector<std::string>& names);

// The exchange data read with the damaged-data message shown when it
// cannot be: the clipboard reader's and the file reader's common step.
bool ReadStoryDevExchange(std::span<const Byte> bytes, TStoryDevData& data);

}  // namespace qm
