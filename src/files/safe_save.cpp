#include "files/safe_save.h"

#include <algorithm>
#include <cerrno>
#include <functional>

#include "base/message_boxes.h"
#include "files/file_job.h"
#include "platform/files.h"

namespace qm {

namespace {

TSaveOutcome Failed(const TFileReplacement& file) {
  TSaveOutcome outcome;
  outcome.code = FileErrorCode(file.LastError(), true);
  outcome.cause = FailureCause(file.LastError(), file.FailedPath(), true);
  return outcome;
}

// False when a chunk could not be written; Cancel raises ECancelPressed.
bool WriteInChunks(TFileReplacement& file, std::span<const Byte> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t n = std::min(FileChunkSize, bytes.size() - done);
    if (!file.Write(bytes.data() + done, n)) return false;
    done += n;
    ProgressStep(static_cast<Byte>(done * 100 / bytes.size()));
  }
  return true;
}

}  // namespace

bool IsNewFileOf(const std::string& path, const std::string& target) {
  return IsVisibleSideFileOf(path, FollowLinks(target));
}

namespace {

// Only what this user wrote itself, and could replace, passes for its own
// stopped save; a second name of another file is none.
bool OwnStoppedSave(const std::string& path) { return IsOwnWritablePlainFile(path) && !SideFileInUse(path); }

bool NewerThan(const std::string& leftover, const TFileInfo& leftoverInfo, const std::string& real) {
  const TFileInfo current = FileAttributes(real);
  if (!current.exists) return true;
  if (leftoverInfo.mtimeNanoseconds < current.mtimeNanoseconds) return false;
  return !(leftoverInfo.size == current.size && ReadFileBytes(leftover) == ReadFileBytes(real));
}

}  // namespace

std::vector<std::string> LeftoversOfStoppedSaves(const std::string& target) {
  const std::string real = FollowLinks(target);
  std::vector<std::pair<std::int64_t, std::string>> found;
  for (std::string& side : VisibleSideFilesOf(real)) {
    if (!OwnStoppedSave(side)) continue;
    const TFileInfo info = FileAttributes(side);
    if (NewerThan(side, info, real)) found.emplace_back(info.mtimeNanoseconds, std::move(side));
  }
  std::sort(found.begin(), found.end(), std::greater<>());
  std::vector<std::string> newestFirst;
  for (auto& entry : found) newestFirst.push_back(std::move(entry.second));
  return newestFirst;
}

std::optional<std::string> WriteWholeFile(const std::string& path, std::span<const Byte> bytes,
                                          std::optional<unsigned> mode) {
  TFileReplacement file(path);
  if (mode) file.TakeMode(*mode);
  if (file.Create() && file.Write(bytes.data(), bytes.size()) && file.Commit()) return std::nullopt;
  return FailureCause(file.LastError(), file.FailedPath(), true);
}

std::string FailureCause(int err, const std::string& path, bool writing) {
  const bool refused = err == EPERM || err == EACCES;
  if (refused && OtherUserOwning(path)) return FileFailureText(err, path);
  if (refused && writing && DirectoryExists(path)) return PathToText(path) + " is a folder you may not write to";
  // The old runtime's numbers name a full disk or a failing read for
  // whatever they have no number of their own for.
  const Byte code = FileErrorCode(err, writing);
  const bool fullDisk = err == ENOSPC || err == EDQUOT;
  const bool readFault = err == EIO && !writing;
  if ((code == 101 && !fullDisk) || (code == 100 && !readFault)) return FileFailureText(err, path);
  return FileErrorText(code);
}

TSaveOutcome SaveWithBackup(const std::string& target, const std::string& backup, std::span<const Byte> bytes,
                            bool keepBackup, std::optional<unsigned> mode) {
  TFileReplacement file(target, TSideName::Visible);
  if (mode) file.TakeMode(*mode);
  if (!file.Create()) return Failed(file);
  try {
    if (!WriteInChunks(file, bytes)) return Failed(file);
  } catch (const ECancelPressed&) {
    TSaveOutcome cancelled;
    cancelled.cancelled = true;
    return cancelled;
  }
  if (!file.Flush()) return Failed(file);
  TSaveOutcome outcome;
  outcome.ok = true;
  // The new version is complete: losing the old one as the backup is no
  // reason to lose the new one too.
  if (keepBackup && !file.KeepCurrentAs(backup))
    outcome.backupNotKept = FailureCause(file.LastError(), file.FailedPath(), true);
  if (!file.Commit()) return Failed(file);
  return outcome;
}

}  // namespace qm
