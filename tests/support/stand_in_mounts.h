// A table of mounted volumes that stands in for the system's while it
// lives: the root, and temporary folders mounted and unmounted as volumes.
#pragma once

#include <string>
#include <vector>

#include "platform/mount_table.h"
#include "support/temp_folder.h"

namespace qm::testing {

class StandInMounts {
 public:
  StandInMounts();
  StandInMounts(const StandInMounts&) = delete;
  StandInMounts& operator=(const StandInMounts&) = delete;

  // A folder of its own (made here, under the test's own folder) mounted
  // as a volume; returns it. The same name mounts that folder again.
  std::string Mount(const std::string& name, const std::string& fileSystem = "vfat",
                    const std::string& device = "/dev/sdz1");
  // The volume leaves the table; its folder stays, as a mount folder does.
  void Unmount(const std::string& folder);
  std::string Folder(const std::string& name) const { return folders_.File(name); }

 private:
  void Write() const;
  TempFolder folders_;
  std::string table_;
  ScopedEnv env_;
  std::vector<TMountEntry> mounts_;
};

}  // namespace qm::testing
