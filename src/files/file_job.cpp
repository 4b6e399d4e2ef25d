#include "files/file_job.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/program_busy.h"
#include "script/editing/document_modified.h"

namespace qm {

TFileJobHooks FileJobHooks;
int PendingIOError;

namespace {
const GlobalState reset([] {
  FileJobHooks = {};
  PendingIOError = 0;
});
}

void ProgressStep(Byte percent) {
  if (FileJobHooks.Percentage) FileJobHooks.Percentage(percent);
  if (FileJobHooks.CancelPressed && FileJobHooks.CancelPressed()) throw ECancelPressed();
}

void ReportJobDone() {
  if (FileJobHooks.Done) FileJobHooks.Done();
}

void EndFileJob() {
  FileJobHooks.Percentage = nullptr;
  FileJobHooks.CancelPressed = nullptr;
  FileJobHooks.Done = nullptr;
}

void BackUpBeforeRiskyRead() {
  if (!FileJobHooks.IdlePass) return;
  const TFileJobHooks job = FileJobHooks;
  const bool busy = ProgramBusy;
  const int pendingError = PendingIOError;
  const std::int64_t due = std::max<std::int64_t>(TickNow(), 1);
  const std::int64_t scheduled = TimedBackupDue;
  TimedBackupDue = due;
  EndFileJob();
  // The question just answered has closed: nothing else holds the program.
  ProgramBusy = false;
  job.IdlePass();
  // A pass that could not run leaves the backups to their own time.
  if (TimedBackupDue == due) TimedBackupDue = scheduled;
  ProgramBusy = busy;
  PendingIOError = pendingError;
  FileJobHooks = job;
}

Byte FileErrorCode(int errnoValue, bool writing) {
  switch (errnoValue) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EEXIST: return 5;
    case ENOMEM: return 8;
    case ENOSPC:
    case EDQUOT: return 101;
    case EROFS: return 150;
    case EFBIG: return FileTooLargeError;
    default: return writing ? 101 : 100;
  }
}

}  // namespace qm
