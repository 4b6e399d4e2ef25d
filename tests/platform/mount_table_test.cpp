// What a mounted volume is to a writer, and the table a file stands in for.
#include "platform/mount_table.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace qm {
namespace {

TEST(MountTable, AVolumeIsKnownByItsDeviceFileSystemAndPlace) {
  // clang-format off
  const struct {
    const char* device;
    const char* folder;
    const char* type;
    DriveKind kind;
  } cases[] = {
      {"/dev/sr0", "/media/me/FILM", "iso9660", DriveKind::CDROM},
      {"/dev/sr1", "/mnt/dvd", "ext4", DriveKind::CDROM},
      {"/dev/ram0", "/mnt/ram", "ext2", DriveKind::RamDisk},
      {"/dev/zram1", "/mnt/z", "ext4", DriveKind::RamDisk},
      {"tmpfs", "/mnt/scratch", "tmpfs", DriveKind::RamDisk},
      {"/dev/sdb1", "/media/me/STICK", "ext4", DriveKind::Removable},
      {"/dev/sdb1", "/run/media/me/CARD", "btrfs", DriveKind::Removable},
      {"/dev/sdb1", "/mnt/usb", "vfat", DriveKind::Removable},
      {"/dev/sdc1", "/mnt/card", "exfat", DriveKind::Removable},
      {"/dev/sda1", "/boot/efi", "vfat", DriveKind::Fixed},
      {"/dev/sda2", "/", "ext4", DriveKind::Fixed},
      {"/dev/sda3", "/home", "btrfs", DriveKind::Fixed},
      {"server:/export", "/media/share", "nfs4", DriveKind::Remote},
  };
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(KindOfVolume({c.device, c.folder, c.type}), c.kind) << c.device << " " << c.folder << " " << c.type;
}

TEST(MountTable, AFileCanStandInForTheSystemsTable) {
  testing::TempFolder folder;
  const std::string table =
      testing::WriteFileText(folder.File("mounts"), "/dev/vda / ext4 rw 0 0\n/dev/sdz1 /media/a\\040b vfat rw 0 0\n");
  testing::ScopedEnv env("QUILLMASTER_MOUNT_TABLE", table);
  const std::vector<TMountEntry> mounts = MountTable();
  ASSERT_EQ(mounts.size(), 2u);
  EXPECT_EQ(mounts[1].MountPoint, "/media/a b");
  EXPECT_EQ(mounts[1].Device, "/dev/sdz1");
}

}  // namespace
}  // namespace qm
