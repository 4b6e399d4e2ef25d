// Replacing a file without ever losing it: the new bytes go to a file next
// to the target and are flushed to the disk; only then does the old file
// become the backup and the new one take the target's name. A failure at
// any step leaves the previous file under the target's name.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>

#include "platform/types.h"

namespace qm {

constexpr std::size_t FileChunkSize = 20480;

enum class TSaveStep { CreateNew, WriteNew, FlushNew, RemoveOldBackup, KeepOldAsBackup, MoveNewIntoPlace };

struct TSaveOutcome {
  bool ok = false;
  TSaveStep failedAt = TSaveStep::CreateNew;
  Byte code = 0;           // the old runtime's error number
  bool cancelled = false;  // the user pressed Cancel during the write
};

// Writes `bytes` in chunks of FileChunkSize, with a progress step after
// each. With `keepBackup` the previous file stays as `backup`; without it
// the backup only exists while the new file is moved into place.
TSaveOutcome SaveWithBackup(const std::string& target, const std::string& backup, std::span<const Byte> bytes,
                            bool keepBackup);

// The file the new bytes go to before they take the target's name.
std::string NewFileNameFor(const std::string& target);

// Makes the chosen step fail as the disk would (for tests of the order).
extern std::function<bool(TSaveStep)> SaveStepFailsForTesting;

}  // namespace qm
