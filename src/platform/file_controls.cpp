#include "platform/file_controls.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/messages.h"

namespace qm {

namespace {

bool InsideFolder(std::string_view path, std::string_view folder) {
  if (folder == "/") return !path.empty() && path[0] == '/';
  return path == folder || (path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

// Folders of the system itself, where nothing of a writer's is kept;
// sticks and cards mount under /run/media on some systems.
bool SystemFolder(std::string_view folder) {
  constexpr std::array<std::string_view, 6> system{"/proc", "/sys", "/dev", "/run", "/boot", "/snap"};
  if (InsideFolder(folder, "/run/media")) return false;
  return std::any_of(system.begin(), system.end(), [&](std::string_view s) { return InsideFolder(folder, s); });
}

// A disk, a stick, a card or a share; loop devices carry packaged
// programs, and the rest (proc, tmpfs, cgroup...) are the system's.
bool HoldsWritersFiles(const TMountEntry& mount) {
  const bool disk = mount.Device.starts_with("/dev/") && !mount.Device.starts_with("/dev/loop");
  return disk || DriveKindForFileSystem(mount.FileSystem, mount.MountPoint) == DriveKind::Remote;
}

// The listed volume that holds `folder`: the one deepest down.
int VolumeIndexOf(const std::vector<std::string>& volumes, const std::string& folder) {
  int best = -1;
  for (int i = 0; i < static_cast<int>(volumes.size()); ++i) {
    const std::string& v = volumes[static_cast<std::size_t>(i)];
    if (InsideFolder(folder, v) && (best < 0 || v.size() > volumes[static_cast<std::size_t>(best)].size())) best = i;
  }
  return best;
}

std::string FolderOf(const std::string& folder) {
  return ExcludeTrailingPathDelimiter(ExpandFileName(folder.empty() ? std::string("/") : folder));
}

}  // namespace

// ---------------------------------------------------------------------------
// TFileSystemList

TFileSystemList::TFileSystemList(TComponent* owner) : TListBox(owner) {}

void TFileSystemList::SetColumns(int columns) {
  columns = std::max(columns, 0);
  if (columns == columns_) return;
  columns_ = columns;
  PropertyChanged(PropId::Style);
}

void TFileSystemList::SetTextCase(FESTextConversion textCase) {
  if (textCase == textCase_) return;
  textCase_ = textCase;
  const int index = ItemIndex();
  ShowNames();
  SetItemIndex(index);
}

std::string TFileSystemList::Shown(const std::string& name) const {
  const std::string text = PathToText(name);
  switch (textCase_) {
    case FESTextConversion::tcUpper: return AnsiUpperCase(text);
    case FESTextConversion::tcLower: return AnsiLowerCase(text);
    case FESTextConversion::tcNormal: break;
  }
  return text;
}

// The desktop's widget has already selected the item pressed, laid out in
// columns the core does not measure.
void TFileSystemList::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONDOWN) TCustomControl::WndProc(m);
  else TListBox::WndProc(m);
}

// The arrow keys are the widget's, which knows where its columns wrap.
void TFileSystemList::KeyDown(Word& key, TShiftState shift) { TCustomControl::KeyDown(key, shift); }

// ---------------------------------------------------------------------------
// TFESFileListBox

TFESFileListBox::TFESFileListBox(TComponent* owner) : TFileSystemList(owner) {}

TFESFileListBox::~TFESFileListBox() {
  if (dirList_) dirList_->fileList_ = nullptr;
}

void TFESFileListBox::SetDirectory(const std::string& folder) {
  const std::string dir = FolderOf(folder);
  if (dir == directory_) return;
  directory_ = dir;
  ReadFileNames();
}

void TFESFileListBox::SetMask(const std::string& mask) {
  if (mask == mask_) return;
  mask_ = mask;
  ReadFileNames();
}

std::string TFESFileListBox::FileName() const {
  const int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(names_.size())) return {};
  return JoinPath(directory_, names_[static_cast<std::size_t>(index)]);
}

void TFESFileListBox::ReadFileNames() {
  const int index = ItemIndex();
  const bool had = index >= 0 && index < static_cast<int>(names_.size());
  const std::string selected = had ? names_[static_cast<std::size_t>(index)] : std::string();
  names_ = directory_.empty() ? std::vector<std::string>() : FindFiles(directory_, mask_);
  ShowNames();
  const auto same = std::find(names_.begin(), names_.end(), selected);
  int keep = -1;
  if (had && same != names_.end()) keep = static_cast<int>(same - names_.begin());
  else if (had && !names_.empty()) keep = std::min(index, static_cast<int>(names_.size()) - 1);
  SetItemIndex(keep);
}

void TFESFileListBox::ShowNames() {
  Items.BeginUpdate();
  Items.Clear();
  for (const std::string& name : names_) Items.Add(Shown(name));
  Items.EndUpdate();
}

// ---------------------------------------------------------------------------
// TFESDirectoryListBox

TFESDirectoryListBox::TFESDirectoryListBox(TComponent* owner) : TFileSystemList(owner) {}

TFESDirectoryListBox::~TFESDirectoryListBox() {
  if (fileList_) fileList_->dirList_ = nullptr;
  if (driveBox_) driveBox_->dirList_ = nullptr;
}

void TFESDirectoryListBox::SetDirectory(const std::string& folder) {
  std::string dir = FolderOf(folder);
  while (dir != "/" && !DirectoryExists(dir)) dir = ExtractFileDir(dir);
  if (dir == directory_) return;
  directory_ = dir;
  ReadFolders();
  if (fileList_) fileList_->SetDirectory(dir);
  if (driveBox_) driveBox_->ShowDriveOf(dir);
  if (OnChange && !Destroying()) OnChange(this);
}

void TFESDirectoryListBox::ReadFolders() {
  paths_ = {"/"};
  names_ = {"/"};
  for (std::size_t start = 1; start < directory_.size();) {
    const std::size_t slash = std::min(directory_.find('/', start), directory_.size());
    paths_.push_back(directory_.substr(0, slash));
    names_.push_back(directory_.substr(start, slash - start));
    start = slash + 1;
  }
  openCount_ = static_cast<int>(paths_.size());
  for (const std::string& name : FindFiles(directory_, "*", true)) {
    paths_.push_back(JoinPath(directory_, name));
    names_.push_back(name);
  }
  ShowNames();
  SetItemIndex(openCount_ - 1);
}

void TFESDirectoryListBox::ShowNames() {
  Items.BeginUpdate();
  Items.Clear();
  for (std::size_t i = 0; i < names_.size(); ++i) {
    const std::size_t level = std::min(i, static_cast<std::size_t>(openCount_));
    Items.Add(std::string(2 * level, ' ') + Shown(names_[i]));
  }
  Items.EndUpdate();
}

std::string TFESDirectoryListBox::ItemPath(int index) const {
  if (index < 0 || index >= static_cast<int>(paths_.size())) return {};
  return paths_[static_cast<std::size_t>(index)];
}

void TFESDirectoryListBox::OpenCurrent() {
  const std::string path = ItemPath(ItemIndex());
  if (!path.empty()) SetDirectory(path);
}

void TFESDirectoryListBox::SetFileList(TFESFileListBox* list) {
  if (fileList_) fileList_->dirList_ = nullptr;
  fileList_ = list;
  if (!list) return;
  if (list->dirList_ && list->dirList_ != this) list->dirList_->fileList_ = nullptr;
  list->dirList_ = this;
  if (!directory_.empty()) list->SetDirectory(directory_);
}

void TFESDirectoryListBox::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONDBLCLK) OpenCurrent();
  TFileSystemList::WndProc(m);
}

void TFESDirectoryListBox::KeyDown(Word& key, TShiftState shift) {
  TFileSystemList::KeyDown(key, shift);
  if (key != VK_RETURN) return;
  key = 0;
  OpenCurrent();
}

// ---------------------------------------------------------------------------
// The drive box

std::vector<std::string> VolumeFolders(const std::vector<TMountEntry>& table) {
  std::vector<std::string> folders{"/"};
  for (const TMountEntry& mount : table) {
    const std::string folder = ExcludeTrailingPathDelimiter(mount.MountPoint);
    if (folder.empty() || folder[0] != '/' || SystemFolder(folder) || !HoldsWritersFiles(mount)) continue;
    if (std::find(folders.begin(), folders.end(), folder) != folders.end() || !DirectoryExists(folder)) continue;
    folders.push_back(folder);
  }
  return folders;
}

TFESDriveComboBox::TFESDriveComboBox(TComponent* owner) : TComboBox(owner) {
  Style = TComboBoxStyle::csDropDownList;
  ReadDrives();
}

TFESDriveComboBox::~TFESDriveComboBox() {
  if (dirList_) dirList_->driveBox_ = nullptr;
}

std::string TFESDriveComboBox::Drive() const {
  const int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(volumes_.size())) return {};
  return volumes_[static_cast<std::size_t>(index)];
}

void TFESDriveComboBox::ReadDrives() {
  std::vector<std::string> volumes = VolumeFolders(MountTable());
  if (volumes == volumes_) return;
  const std::string chosen = Drive();
  volumes_ = std::move(volumes);
  following_ = true;
  Items.BeginUpdate();
  Items.Clear();
  for (const std::string& volume : volumes_) Items.Add(PathToText(volume));
  Items.EndUpdate();
  const auto kept = std::find(volumes_.begin(), volumes_.end(), chosen);
  SetItemIndex(kept == volumes_.end() ? -1 : static_cast<int>(kept - volumes_.begin()));
  following_ = false;
}

void TFESDriveComboBox::ShowDriveOf(const std::string& folder) {
  ReadDrives();
  following_ = true;
  SetItemIndex(VolumeIndexOf(volumes_, folder));
  following_ = false;
}

void TFESDriveComboBox::SetDirList(TFESDirectoryListBox* list) {
  if (dirList_) dirList_->driveBox_ = nullptr;
  dirList_ = list;
  if (!list) return;
  if (list->driveBox_ && list->driveBox_ != this) list->driveBox_->dirList_ = nullptr;
  list->driveBox_ = this;
  if (!list->Directory().empty()) ShowDriveOf(list->Directory());
}

// A volume chosen opens at its top in the folder list (the root is how a
// writer gets to the top of it all); one that cannot be read leaves the
// list where it was, and the box shows that list's volume again.
void TFESDriveComboBox::PropertyChanged(PropId id) {
  TComboBox::PropertyChanged(id);
  if (id != PropId::ItemIndex || following_ || !dirList_ || Destroying()) return;
  const std::string drive = Drive();
  if (drive.empty()) return;
  if (DriveReady(drive)) dirList_->SetDirectory(drive);
  else ShowDriveOf(dirList_->Directory());
}

}  // namespace qm
