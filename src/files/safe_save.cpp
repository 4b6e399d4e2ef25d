#include "files/safe_save.h"

#include <algorithm>
#include <functional>

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

TSaveOutcome SaveWithBackup(const std::string& target, const std::string& backup, std::span<const Byte> bytes,
                            bool keepBackup) {
  TFileReplacement file(target, TSideName::Visible);
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
