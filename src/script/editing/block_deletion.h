// Deleting the block: wholly selected elements go, partly selected ones
// keep what lies outside the block, and the two pieces left at the
// block's ends are joined when they are of one type. The clipboard's Cut
// copies first and then calls this; drag and drop moves with it.
#pragma once

#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// A place in the script's text, outside the block.
struct TTextPoint {
  TScriptElement* element = nullptr;
  int column = 0;
  // At the start of the piece of a speech a page break carried over:
  // once the pieces are joined that column is also the end of the page
  // before.
  bool pieceStart = false;
};

// Removes the block from the script; the caret stands where the block
// began. A point given is carried along to where its text went. Marking
// revisions, the line the caret is left on is revised and every page the
// block lay on changed. False when there was no block (the empty marks are
// cleared).
bool DeleteBlock(TMDIChild& script, TTextPoint* follow = nullptr);
// The same without the layout after it, for a caller that goes on editing
// (split elements must be rejoined first).
bool RemoveBlock(TMDIChild& script, TTextPoint* follow);
// The block lies within the element being typed in: its text gives way,
// the element stays (a cue typed over is still a cue).
void RemoveBlockWithinCurrent(TMDIChild& script);
// The Delete command of a block (the Delete key, the Edit menu's Delete):
// an undo step, the block deleted, the script modified.
void DeleteBlockCommand();
// With scene numbers locked, an omitted scene heading that the block runs
// on from is taken into the block whole, so that a cut never leaves part
// of its mark behind.
void TakeOmittedHeadingsWhole(TMDIChild& script);

}  // namespace qm
