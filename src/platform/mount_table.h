// The system's table of mounted file systems.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace qm {

// One line of the table.
struct TMountEntry {
  std::string Device;
  std::string MountPoint;
  std::string FileSystem;
};

// The lines of a table in the form of /proc/self/mounts, their escaped
// characters (a blank as "\040") decoded; lines of fewer than three
// fields are left out.
std::vector<TMountEntry> ParseMountTable(std::string_view table);
// The system's table now; empty when it cannot be read. A file named by
// $QUILLMASTER_MOUNT_TABLE, in the same form, stands in for it: volumes
// that come and go without a real disk to plug in.
std::vector<TMountEntry> MountTable();

// What a mounted volume is to a writer. Its device tells an optical drive
// and a RAM disk; a disk in the desktop's place for plugged-in media, or
// one with the file system of sticks and cards (outside /boot, where the
// firmware's own partition has it), is removable.
DriveKind KindOfVolume(const TMountEntry& mount);

}  // namespace qm
