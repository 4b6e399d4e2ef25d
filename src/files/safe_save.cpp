#include "files/safe_save.h"

#include <algorithm>
#include <cerrno>

#include "files/file_job.h"
#include "platform/files.h"
#include "base/global_state.h"

namespace qm {

std::function<bool(TSaveStep)> SaveStepFailsForTesting;

namespace {

const GlobalState reset([] { SaveStepFailsForTesting = nullptr; });

bool Injected(TSaveStep step) {
  if (!SaveStepFailsForTesting || !SaveStepFailsForTesting(step)) return false;
  errno = EIO;
  return true;
}

// Runs one step of the file system; false with errno kept when it failed.
template <class Action>
bool Step(TSaveStep step, Action action) {
  if (Injected(step)) return false;
  errno = 0;
  if (action()) return true;
  if (errno == 0) errno = EACCES;
  return false;
}

TSaveOutcome Failed(TSaveStep step, bool writing) {
  return {false, step, FileErrorCode(errno, writing), false};
}

// The new file, written whole and flushed; false leaves no new file behind.
TSaveOutcome WriteNewFile(const std::string& path, std::span<const Byte> bytes) {
  TFileStream out(path, TFileMode::Create);
  if (Injected(TSaveStep::CreateNew) || !out.IsOpen()) {
    if (!out.IsOpen()) errno = out.LastError() ? out.LastError() : EACCES;
    return Failed(TSaveStep::CreateNew, true);
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t n = std::min(FileChunkSize, bytes.size() - done);
    if (Injected(TSaveStep::WriteNew) || out.Write(bytes.data() + done, n) != n) {
      if (out.LastError()) errno = out.LastError();
      return Failed(TSaveStep::WriteNew, true);
    }
    done += n;
    ProgressStep(static_cast<Byte>(done * 100 / bytes.size()));
  }
  if (Injected(TSaveStep::FlushNew) || !out.Flush()) {
    if (out.LastError()) errno = out.LastError();
    return Failed(TSaveStep::FlushNew, true);
  }
  return {true};
}

}  // namespace

std::string NewFileNameFor(const std::string& target) { return target + ".new~"; }

TSaveOutcome SaveWithBackup(const std::string& target, const std::string& backup, std::span<const Byte> bytes,
                            bool keepBackup) {
  // A file marked read-only is not replaced, not even by moving it aside.
  if (FileExists(target) && IsReadOnly(target)) return {false, TSaveStep::KeepOldAsBackup, 5, false};
  const std::string fresh = NewFileNameFor(target);
  TSaveOutcome written;
  try {
    written = WriteNewFile(fresh, bytes);
  } catch (const ECancelPressed&) {
    written = {false, TSaveStep::WriteNew, 0, true};
  }
  if (!written.ok) {
    DeleteFile(fresh);
    return written;
  }
  const bool hadTarget = FileExists(target);
  if (hadTarget) {
    if (FileExists(backup) && !Step(TSaveStep::RemoveOldBackup, [&] { return DeleteFile(backup); })) {
      const TSaveOutcome failed = Failed(TSaveStep::RemoveOldBackup, true);
      DeleteFile(fresh);
      return failed;
    }
    if (!Step(TSaveStep::KeepOldAsBackup, [&] { return RenameFile(target, backup); })) {
      const TSaveOutcome failed = Failed(TSaveStep::KeepOldAsBackup, true);
      DeleteFile(fresh);
      return failed;
    }
  }
  if (!Step(TSaveStep::MoveNewIntoPlace, [&] { return RenameFile(fresh, target); })) {
    const TSaveOutcome failed = Failed(TSaveStep::MoveNewIntoPlace, true);
    if (hadTarget) RenameFile(backup, target);
    DeleteFile(fresh);
    return failed;
  }
  if (hadTarget && !keepBackup) DeleteFile(backup);
  return {true};
}

}  // namespace qm
