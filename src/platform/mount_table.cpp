#include "platform/mount_table.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace qm {

namespace {

std::string DecodeMountField(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        out += static_cast<char>(((digits[0] - '0') << 6) | ((digits[1] - '0') << 3) | (digits[2] - '0'));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

}  // namespace

std::vector<TMountEntry> ParseMountTable(std::string_view table) {
  std::vector<TMountEntry> mounts;
  while (!table.empty()) {
    const std::size_t end = std::min(table.find('\n'), table.size());
    std::string_view line = table.substr(0, end);
    table.remove_prefix(std::min(end + 1, table.size()));
    std::array<std::string_view, 3> fields;
    std::size_t found = 0;
    while (found < fields.size()) {
      const std::size_t start = line.find_first_not_of(" \t");
      if (start == std::string_view::npos) break;
      line.remove_prefix(start);
      const std::size_t stop = std::min(line.find_first_of(" \t"), line.size());
      fields[found++] = line.substr(0, stop);
      line.remove_prefix(stop);
    }
    if (found == fields.size())
      mounts.push_back({DecodeMountField(fields[0]), DecodeMountField(fields[1]), DecodeMountField(fields[2])});
  }
  return mounts;
}

std::vector<TMountEntry> MountTable() {
  const char* standIn = std::getenv("QUILLMASTER_MOUNT_TABLE");
  std::FILE* f = std::fopen(standIn && *standIn ? standIn : "/proc/self/mounts", "re");
  if (!f) return {};
  std::string table;
  std::array<char, 4096> chunk;
  for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0;) table.append(chunk.data(), n);
  std::fclose(f);
  return ParseMountTable(table);
}

DriveKind KindOfVolume(const TMountEntry& mount) {
  const std::string_view device = mount.Device;
  if (device.starts_with("/dev/sr") || device.starts_with("/dev/cdrom")) return DriveKind::CDROM;
  if (device.starts_with("/dev/ram") || device.starts_with("/dev/zram")) return DriveKind::RamDisk;
  const DriveKind kind = DriveKindForFileSystem(mount.FileSystem, mount.MountPoint);
  if (kind != DriveKind::Fixed) return kind;
  const std::string_view folder = mount.MountPoint;
  const bool media = folder.starts_with("/media/") || folder.starts_with("/run/media/");
  const std::string_view type = mount.FileSystem;
  const bool stickType = type == "vfat" || type == "exfat" || type == "msdos";
  const bool firmware = folder == "/boot" || folder.starts_with("/boot/");
  return media || (stickType && !firmware) ? DriveKind::Removable : DriveKind::Fixed;
}

}  // namespace qm
