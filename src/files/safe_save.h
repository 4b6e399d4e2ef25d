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

#include "platform/types.h"

namespace qm {

constexpr std::size_t FileChunkSize = 20480;

struct TSaveOutcome {
  bool ok = false;
  Byte code = 0;           // the old runtime's error number
  bool cancelled = false;  // the user pressed Cancel during the write
};

// Writes `bytes` in chunks of FileChunkSize, with a progress step after
// each. With `keepBackup` the previous file stays as `backup` too. A link
// is followed: the file it points to is the one replaced.
TSaveOutcome SaveWithBackup(const std::string& target, const std::string& backup, std::span<const Byte> bytes,
                            bool keepBackup);

// The file the new bytes go to before they take the target's name.
std::string NewFileNameFor(const std::string& target);

// The new file of a save that was stopped before it took the target's
// name (it may still be incomplete): a plain file that holds other bytes
// than the target and is not older than it, or any such file when there
// is no target yet (a first save). A finished save takes the new file's
// name away, so one that is there was written after it; a clock that
// counts whole seconds cannot tell more than "not older".
std::optional<std::string> LeftoverOfStoppedSave(const std::string& target);

}  // namespace qm
