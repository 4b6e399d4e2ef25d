#include "support/stand_in_mounts.h"

#include <algorithm>

#include "platform/files.h"

namespace qm::testing {

namespace {

// As the system's table writes a blank in a name.
std::string Escaped(const std::string& field) {
  std::string out;
  for (char c : field) out += c == ' ' ? std::string("\\040") : std::string(1, c);
  return out;
}

}  // namespace

StandInMounts::StandInMounts()
    : table_(folders_.File("mounts")), env_("QUILLMASTER_MOUNT_TABLE", table_), mounts_{{"/dev/vda", "/", "ext4"}} {
  Write();
}

std::string StandInMounts::Mount(const std::string& name, const std::string& fileSystem, const std::string& device) {
  const std::string folder = Folder(name);
  ForceDirectories(folder);
  mounts_.push_back({device, folder, fileSystem});
  Write();
  return folder;
}

void StandInMounts::Unmount(const std::string& folder) {
  std::erase_if(mounts_, [&](const TMountEntry& m) { return m.MountPoint == folder; });
  Write();
}

void StandInMounts::Write() const {
  std::string text;
  for (const TMountEntry& m : mounts_)
    text += Escaped(m.Device) + " " + Escaped(m.MountPoint) + " " + m.FileSystem + " rw 0 0\n";
  WriteFileText(table_, text);
}

}  // namespace qm::testing
