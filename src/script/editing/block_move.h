// Drag and drop of a block: the block's text is taken out and put in again
// at the drop point, inside the script, so that whatever the writer had on
// the clipboard stays there.
#pragma once

#include <string>
#include <vector>

#include "script/editing/block_deletion.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// One element of a block as it travels: what a copied element carries.
struct TBlockPiece {
  TElementFormat format;
  Byte split = spWhole;
  Byte state = esNormal;
  Byte avColumn = 0;
  Word storyboardLink = 0;
  std::string text;
};

// The selected part of every element of the block, in order.
std::vector<TBlockPiece> TakeBlockPieces(TMDIChild& script);
// The Character Name heading the speech the block begins in; empty when
// the block does not begin in a speech.
std::string BlockSpeakerName(TMDIChild& script);

// Puts pieces in at the caret: a first piece of the current element's
// type goes into its text, the others become elements after it, dialogue
// without its cue gets the speaker's cue (or "?") first, and a run that
// ends in the type of the element after it is joined to it.
// A paste at column 0 goes after the element before; a drop (`exactly`)
// stays where it was let go.
void SplicePieces(TMDIChild& script, const std::vector<TBlockPiece>& pieces, const std::string& speaker, bool exactly);

// Moves the block to a point outside it (split elements rejoined first).
// False when nothing moved.
bool MoveBlockTo(TMDIChild& script, TTextPoint drop);

}  // namespace qm
