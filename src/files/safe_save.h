// Replacing a file without ever losing it: the new bytes go to a file next
// to the target and are flushed to the disk; the version under the
// target's name gets the backup's name as well, and only then does the new
// file take the target's name, in one step. At every moment the target's
// name holds a complete version, and a failure at any step leaves the
// previous one there.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

constexpr std::size_t FileChunkSize = 20480;

struct TSaveOutcome {
  bool ok = false;
  Byte code = 0;           // the old runtime's error number
  bool cancelled = false;  // the user pressed Cancel during the write
  std::string cause;       // why it failed, in words (see FailureCause)
  // Why the previous version could not be kept as the backup, when it
  // could not; the save went on.
  std::string backupNotKept;
};

// The permissions a save gives its new file, once it is complete: `mode`,
// or else those of the file it replaces, or the usual ones for a first
// version. A file written for a script takes the script's (`ModeFor`),
// whatever the umask or the file replaced; the writer may always read and
// replace it.

// Writes `bytes` in chunks of FileChunkSize, with a progress step after
// each. With `keepBackup` the previous file stays as `backup` too; when it
// cannot, the save goes on and says why in backupNotKept. A link this user
// may trust is followed: the file it points to is the one replaced (see
// FollowLinks). Each save writes a new file of its own beside the target,
// so two saves of one file never cut each other's.
TSaveOutcome SaveWithBackup(const std::string& target, const std::string& backup, std::span<const Byte> bytes,
                            bool keepBackup, std::optional<unsigned> mode = std::nullopt);

// Writes `bytes` whole, as WriteFileAtomic does, with `mode`; why it
// failed, in words (see FailureCause), or nothing when it was written.
std::optional<std::string> WriteWholeFile(const std::string& path, std::span<const Byte> bytes,
                                          std::optional<unsigned> mode = std::nullopt);

// What stopped a step on `path` with the errno `err`, in words: another
// user's file or link in the way and whose it is; else the old runtime's
// text where it is true; else the system's own.
std::string FailureCause(int err, const std::string& path, bool writing);

// A new file of a save of `target` (links followed as the save follows them).
bool IsNewFileOf(const std::string& path, const std::string& target);

// The new files that saves of `target` stopped before they took the
// target's name (they may still be incomplete), newest first: plain files
// of this user that it may write, that no running save still writes, that
// hold other bytes than the target and are not older than it (any such
// file when there is no target yet: a first save). A finished save takes
// the new file's name away, so one that is there was written after it; a
// clock that counts whole seconds cannot tell more than "not older".
std::vector<std::string> LeftoversOfStoppedSaves(const std::string& target);

}  // namespace qm
