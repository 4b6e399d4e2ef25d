#include "files/safe_save.h"

#include <algorithm>

#include "files/file_job.h"
#include "platform/files.h"

namespace qm {

namespace {

TSaveOutcome Failed(const TFileReplacement& file) { return {false, FileErrorCode(file.LastError(), true), false}; }

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

std::string NewFileNameFor(const std::string& target) { return target + ".new~"; }

std::optional<std::string> LeftoverOfStoppedSave(const std::string& target) {
  const std::string real = FollowLinks(target);
  const std::string fresh = NewFileNameFor(real);
  const TFileInfo leftover = FileAttributes(fresh);
  if (!leftover.regular) return std::nullopt;
  const TFileInfo current = FileAttributes(real);
  if (!current.exists) return fresh;
  if (leftover.mtimeNanoseconds < current.mtimeNanoseconds) return std::nullopt;
  if (leftover.size == current.size && ReadFileBytes(fresh) == ReadFileBytes(real)) return std::nullopt;
  return fresh;
}

TSaveOutcome SaveWithBackup(const std::string& target, const std::string& backup, std::span<const Byte> bytes,
                            bool keepBackup) {
  const std::string real = FollowLinks(target);
  TFileReplacement file(real, NewFileNameFor(real));
  if (!file.Create()) return Failed(file);
  try {
    if (!WriteInChunks(file, bytes)) return Failed(file);
  } catch (const ECancelPressed&) {
    return {false, 0, true};
  }
  if (!file.Flush()) return Failed(file);
  if (keepBackup && !file.KeepCurrentAs(backup)) return Failed(file);
  if (!file.Commit()) return Failed(file);
  return {true};
}

}  // namespace qm
