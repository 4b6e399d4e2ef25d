#include "files/file_job.h"

#include <cerrno>

#include "base/global_state.h"
#include "base/message_boxes.h"

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
  if (!FileJobHooks.WriteTimedBackups) return;
  const TFileJobHooks job = FileJobHooks;
  const int pendingError = PendingIOError;
  EndFileJob();
  // Only the backups of the idle pass: the rest of it (a paste, a file
  // handed over) would start a second job inside this one.
  job.WriteTimedBackups();
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
