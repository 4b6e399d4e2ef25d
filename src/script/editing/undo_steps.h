// What a command asks of its undo step beyond SaveUndoStep's kinds: that
// the step keeps the script's settings too, and that a command made of
// several changes is undone as one.
#pragma once

#include "platform/types.h"

namespace qm {

class TMDIChild;

// The extra of SaveUndoStep before a change of the script's settings (its
// formats, locks, flags or lists): Undo gives them back with the elements.
constexpr Byte usWithSettings = 1;

// While one lives, the first step asked for is recorded (forced) and the
// others are not.
class TSingleUndoStep {
 public:
  TSingleUndoStep();
  ~TSingleUndoStep();
  TSingleUndoStep(const TSingleUndoStep&) = delete;
  TSingleUndoStep& operator=(const TSingleUndoStep&) = delete;
  // Whether a step asked for now is left out, and takes the first one.
  static bool LeavesOut(bool& force);
};

namespace editor {
// Before a change of the script's settings: a step of the whole script
// that gives the settings back too.
void SaveSettingsUndoStep(TMDIChild& script);
}  // namespace editor

}  // namespace qm
