// What the index card view does to the script while it is up (cards written
// back, the shuffle given to the script, emptied lines tidied away at its
// close, the view shown again after going back to outline mode) is one undo
// step: the first change records it and the rest go into it, so one Ctrl+Z
// after the view takes it all back.
#pragma once

namespace qm {

class TMDIChild;

// Held while the view is up.
class TCardViewUndoStep {
 public:
  TCardViewUndoStep();
  ~TCardViewUndoStep();
  TCardViewUndoStep(const TCardViewUndoStep&) = delete;
  TCardViewUndoStep& operator=(const TCardViewUndoStep&) = delete;
};

// Records the step before a change from the cards; while the view is up,
// only its first change records one.
void SaveCardUndoStep(TMDIChild& script);

}  // namespace qm
