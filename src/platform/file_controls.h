// The program's own file, folder and drive controls: the start-up file
// list of the main window and the folder choosers. A desktop shows each
// list with its own list widget (scrolling, columns, selecting under the
// pointer); the names, the folder and the choice live here.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/mount_table.h"

namespace qm {

enum class FESTextConversion { tcNormal, tcUpper, tcLower };

class TFESDirectoryListBox;
class TFESDriveComboBox;

// What the file and the folder list share: the names of one folder, shown
// in `Columns` columns side by side (0: one column) and in the case
// `TextCase` chooses. The desktop's widget selects the item pressed and
// moves the selection with the arrow keys across its columns.
class TFileSystemList : public TListBox {
 public:
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  FESTextConversion TextCase() const { return textCase_; }
  void SetTextCase(FESTextConversion textCase);
  const std::string& Directory() const { return directory_; }

 protected:
  explicit TFileSystemList(TComponent* owner);
  // A name of the file system as the list shows it.
  std::string Shown(const std::string& name) const;
  // Fills Items from the names read.
  virtual void ShowNames() = 0;
  void WndProc(TMessage& message) override;
  void KeyDown(Word& key, TShiftState shift) override;

  std::string directory_;

 private:
  int columns_ = 0;
  FESTextConversion textCase_ = FESTextConversion::tcNormal;
};

// The files of one folder whose names match a mask ("*.SC?;*.QMW").
class TFESFileListBox : public TFileSystemList {
 public:
  explicit TFESFileListBox(TComponent* owner);
  ~TFESFileListBox() override;
  void SetDirectory(const std::string& folder);
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& mask);
  // The selected file's path; empty when none is selected.
  std::string FileName() const;
  // Reads the folder again. The selection stays on the file it was on
  // while that is still listed, else on the same place in the list.
  void ReadFileNames();

 protected:
  void ShowNames() override;

 private:
  friend class TFESDirectoryListBox;
  std::string mask_ = "*";
  std::vector<std::string> names_;
  TFESDirectoryListBox* dirList_ = nullptr;
};

// A folder, the folders above it and the folders in it, indented as a
// tree. A double click or Enter opens the folder selected; the file list and
// the drive box linked to it follow the folder.
class TFESDirectoryListBox : public TFileSystemList {
 public:
  explicit TFESDirectoryListBox(TComponent* owner);
  ~TFESDirectoryListBox() override;
  // Opens a folder; a missing one opens the nearest folder above it
  // that exists.
  void SetDirectory(const std::string& folder);
  // The folder of an item.
  std::string ItemPath(int index) const;
  // Whether an item is the open folder or one above it.
  bool IsOpenFolder(int index) const { return index >= 0 && index < openCount_; }
  // Opens the folder selected.
  void OpenCurrent();
  void SetFileList(TFESFileListBox* list);
  // Called after the folder changed.
  TNotifyEvent OnChange;

 protected:
  void ShowNames() override;
  void WndProc(TMessage& message) override;
  void KeyDown(Word& key, TShiftState shift) override;

 private:
  friend class TFESFileListBox;
  friend class TFESDriveComboBox;
  void ReadFolders();
  std::vector<std::string> paths_;
  std::vector<std::string> names_;
  int openCount_ = 0;
  TFESFileListBox* fileList_ = nullptr;
  TFESDriveComboBox* driveBox_ = nullptr;
};

// The folders the drive box offers, from a table of mounted file systems:
// the root first, then each volume a writer keeps files on (a disk,
// stick or card that is no loop device, or a network share), mounted on a
// folder that exists outside the system's own (/proc, /sys, /dev, /run
// but /run/media, /boot, /snap). Each once, in the table's order.
std::vector<std::string> VolumeFolders(const std::vector<TMountEntry>& table);

// The volumes of VolumeFolders(MountTable()) as their folders, the one
// holding the linked folder list's folder shown; choosing one opens its
// top folder in that list.
class TFESDriveComboBox : public TComboBox {
 public:
  explicit TFESDriveComboBox(TComponent* owner);
  ~TFESDriveComboBox() override;
  // The folder of the volume chosen; empty when none is.
  std::string Drive() const;
  void SetDirList(TFESDirectoryListBox* list);
  // Reads the mounted volumes again.
  void ReadDrives();
  void PropertyChanged(PropId id) override;

 private:
  friend class TFESDirectoryListBox;
  // Shows the volume that holds `folder`, without opening it.
  void ShowDriveOf(const std::string& folder);
  std::vector<std::string> volumes_;
  TFESDirectoryListBox* dirList_ = nullptr;
  bool following_ = false;
};

}  // namespace qm
