// The storyboard-link block of the native file: the script's frame ids,
// then the elements linked to them by their position in the script.
//
//   frame ids     one u32 per entry 1..n-1 of the frame list, then a u32 0
//   links         per linked element, in script order: u16 element number
//                 (from 1), u16 index into the frame list; then a u32 0
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "platform/stringlist.h"
#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

// The block, or none when there is nothing to keep (only entry 0, or no
// element linked). *failed is set when the links cannot be written (a
// frame id that is not a number, or a linked element past number 65,535).
std::optional<std::vector<Byte>> BuildStoryboardLinkBlock(const TStringList& frames, const TScriptElement* first,
                                                          bool* failed);

struct TStoryboardLink {
  Word element = 0;  // 1-based element number
  Word index = 0;
};
struct TStoryboardBlock {
  std::vector<DWord> frames;
  std::vector<TStoryboardLink> links;
};
// False when the block ends before its end marks.
bool DecodeStoryboardBlock(std::span<const Byte> block, TStoryboardBlock& out);

// Gives the elements from `first` on the link indexes the block names,
// each through `remap` (old index to new; empty keeps them); false when an element number
// lies past the last element (the links before it stay).
bool ApplyStoryboardLinks(const TStoryboardBlock& block, TScriptElement* first, const std::vector<Word>& remap);

// The frame list becomes "0" and the block's frames, and the elements
// take their links; false when the block is damaged or names an element
// past the end of the script.
bool RestoreStoryboardLinks(std::span<const Byte> block, TStringList& frames, TScriptElement* first);

}  // namespace qm
