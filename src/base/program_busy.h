// Flags of the running program that several subsystems read.
#pragma once

#include "platform/types.h"

namespace qm {

// Blocks the idle handler and key commands while start-up, a file open,
// a timed backup or a message box runs.
extern bool ProgramBusy;

// Sets ProgramBusy for its lifetime and puts back what was there before,
// so a nested or failing job never leaves the program blocked.
class ProgramBusyScope {
 public:
  ProgramBusyScope() : previous_(ProgramBusy) { ProgramBusy = true; }
  ~ProgramBusyScope() { ProgramBusy = previous_; }
  ProgramBusyScope(const ProgramBusyScope&) = delete;
  ProgramBusyScope& operator=(const ProgramBusyScope&) = delete;

 private:
  bool previous_;
};

}  // namespace qm
