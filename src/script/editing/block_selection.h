// The block: which characters of which elements are selected. The marks
// live in the elements (block start and end columns, -1 outside the
// block) and the window's BlockOn says that a block exists; this file
// holds the routines that make, grow, settle and clear those marks, and
// the per-script state of the mouse and the selection commands.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/controls.h"
#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// The unit the next grow of the selection takes.
enum TSelectionLevel : Byte {
  slWord = 0,
  slSentence = 2,
  slElement = 4,
  slGroup = 6,
  slScene = 8,
  slAll = 10,
};

// What the mouse and the selection commands keep for one script.
class TBlockSelection : public TComponent {
 public:
  explicit TBlockSelection(TMDIChild& script);

  // The unit a repeated double click (or the grow command) selects next.
  Byte SelectionLevel = slWord;
  // Whether a block existed when the left button went down.
  bool BlockAtPress = false;
  // The press only put the power panel away: its drag and release are
  // nothing either.
  bool PressSwallowed = false;
  // A double click waits for its button release.
  bool DoubleClickPending = false;
  // A double click on a branch marker: the release follows the branch.
  bool BranchClickPending = false;
  // When a double click last grew the block: a click that follows within
  // the double-click time (a triple click) grows it once more.
  std::uint64_t LastGrowTick = 0;
  bool Grown = false;
  // The auto-scroll of a drag past the window's edge is running.
  bool AutoScrolling = false;
  // Where the drag started: the element and the caret column.
  TScriptElement* DragElement = nullptr;
  Word DragColumn = 0;
  // The last mouse point the window saw.
  TPoint LastMousePoint{-1, -1};
  bool LastMousePointKnown = false;
  // One pass of the auto-scroll each tick while the pointer is past the
  // window's top or bottom with the button held.
  TTimer* AutoScrollTimer = nullptr;
};

// The script's block state, made on first use.
TBlockSelection& BlockSelection(TMDIChild& script);

// A dragged block is in flight: caret moves do not extend the block.
extern Byte DraggingBlock;

// What the block routines tell the main window: its block commands (Cut,
// Copy, Delete and the rest) follow whether a block exists.
struct TBlockSelectionHooks {
  std::function<void(bool blockExists)> BlockCommandsChanged;
};
extern TBlockSelectionHooks BlockSelectionHooks;

// The length of an element's text as the block counts it: the edit line
// for the current element, a page break's one blank.
int BlockTextLength(const TMDIChild& script, const TScriptElement& element);

// Starts the block (or reaches it) at an element and column: the marks
// that are unset become the column. Nothing in a read-only script, nor
// while hidden elements stay hidden.
void ExtendBlockTo(TMDIChild& script, TScriptElement& element, int column);
// Takes the block away from every element of the active script; with
// repaint, the screen is drawn again.
void ClearBlockSelection(bool repaint);
// Both marks set: put in order; the start goes to 0 when the element
// before is in the block, the end to the text's end when the one after is.
void NormalizeBlockMarks(TMDIChild& script, TScriptElement& element);
// The whole element selected.
void MarkElementSelected(TMDIChild& script, TScriptElement& element);
// Whether the block is more than a single point.
bool BlockHasExtent(const TMDIChild& script);

// The Shift of a movement key: held, a block starts at the caret when
// none exists; released, the block goes.
void ShiftBlockAnchor(bool shiftHeld);
// After a caret move with a block: the current element's block end
// follows the caret, and the element is drawn again.
void BlockEndFollowsCaret(TMDIChild& script);

// Makes another element current (after the current one when `below`) and,
// with a block, makes the block reach it.
void MarkBlockFromElement(TScriptElement* target, bool below);

}  // namespace qm
