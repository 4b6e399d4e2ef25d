// What a file job (a load, save or merge run inside the progress dialog)
// reports back: progress, the Cancel button, its end, and the pending I/O
// error code the dispatcher turns into the job's result.
#pragma once

#include <functional>
#include <stdexcept>

#include "platform/types.h"

namespace qm {

// Each member may be empty. The first three are set by the progress
// dialog while it runs a job; WriteTimedBackups by the main window for the
// run.
struct TFileJobHooks {
  std::function<void(Byte percent)> Percentage;
  std::function<bool()> CancelPressed;
  std::function<void()> Done;
  // The idle loop's timed backups, written now.
  std::function<void()> WriteTimedBackups;
};
extern TFileJobHooks FileJobHooks;

// Non-zero after a failed file job, in the old runtime's error numbers
// (2 not found, 5 access denied, 100 read error, 101 write error...).
extern int PendingIOError;

// Raised by a progress step when the user pressed Cancel.
class ECancelPressed : public std::runtime_error {
 public:
  ECancelPressed() : std::runtime_error("Cancel Pressed.") {}
};

// Moves the gauge and raises ECancelPressed when Cancel was pressed.
void ProgressStep(Byte percent);
void ReportJobDone();
// The running job is over: its own hooks are cleared.
void EndFileJob();

// Before a file of a format the program cannot vouch for is read, the
// timed backups fall due at once, so that every modified open script is
// backed up first. They are no part of the running job: their progress
// and their end reach no dialog.
void BackUpBeforeRiskyRead();

// The old runtime's error number for an errno value of a failed read or write.
Byte FileErrorCode(int errnoValue, bool writing);

}  // namespace qm
