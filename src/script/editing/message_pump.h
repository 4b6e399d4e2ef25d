// The one road by which long jobs let other messages run, and the small
// queue and key-state helpers beside it.
#pragma once

#include "platform/types.h"

namespace qm {

// Processes every pending message with the idle handler detached and
// JobRunning set; a nested call does nothing.
void ProcessMessagesGuarded();
// Whether the platform reports the key as down now.
bool IsKeyDown(Word virtualKey);
// Drops every pending mouse message.
void FlushMouseMessages();
// Takes one pending message for a window: true when the window's dialog
// handling took it (a dialog key), false when it was dispatched or none
// was pending.
bool PumpDialogMessage(HWND window);

// A long job (a file job, a search, a repagination with progress) holds
// one of these while it runs. When the outermost one ends, what was queued
// meanwhile (keys typed during the job) is replayed at once.
class LongJob {
 public:
  LongJob();
  ~LongJob();
  LongJob(const LongJob&) = delete;
  LongJob& operator=(const LongJob&) = delete;
};
bool LongJobRunning();

}  // namespace qm
