// The system's table of mounted file systems.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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
// The system's table now; empty when it cannot be read.
std::vector<TMountEntry> MountTable();

}  // namespace qm
