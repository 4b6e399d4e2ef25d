// Flags of the running program that several subsystems read.
#pragma once

#include "base/scoped_state.h"
#include "platform/types.h"

namespace qm {

// Blocks the idle handler and key commands while start-up, a file open,
// a timed backup or a message box runs.
extern bool ProgramBusy;

// Sets ProgramBusy for its lifetime and puts back what was there before,
// so a nested or failing job never leaves the program blocked.
class ProgramBusyScope : public ScopedState<bool> {
 public:
  ProgramBusyScope() : ScopedState(ProgramBusy, true) {}
};

}  // namespace qm
