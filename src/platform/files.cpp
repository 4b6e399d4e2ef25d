#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/cp1252.h"

namespace qm {

namespace {

std::string Os(std::string_view path) { return AnsiToUtf8(path); }

// A name from the system, or none when the code page cannot spell it (it
// could not be opened again through these functions).
std::optional<std::string> FromOs(std::string_view name) {
  std::string ansi = Utf8ToAnsi(name);
  if (AnsiToUtf8(ansi) != name) return std::nullopt;
  return ansi;
}

bool Stat(std::string_view path, struct stat& st) { return ::stat(Os(path).c_str(), &st) == 0; }
bool LStat(std::string_view path, struct stat& st) { return ::lstat(Os(path).c_str(), &st) == 0; }
// Anything under that name, a dangling link included.
bool EntryExists(std::string_view path) {
  struct stat st;
  return LStat(path, st);
}
bool ModeReadOnly(mode_t mode) { return (mode & S_IWUSR) == 0; }

std::string ErrorText(const char* what, std::string_view path, int err) {
  return std::string(what) + " " + std::string(path) + ": " + std::strerror(err);
}
// Always false, so a failing step can report and return in one line.
bool SetError(std::string* error, const char* what, std::string_view path, int err) {
  if (error) *error = ErrorText(what, path, err);
  return false;
}

bool WriteAll(int fd, const void* data, std::size_t size, std::size_t* written = nullptr) {
  const char* p = static_cast<const char*>(data);
  std::size_t done = 0;
  bool ok = true;
  while (done < size) {
    const ssize_t n = ::write(fd, p + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (written) *written = done;
  return ok;
}

// Reads until `size` bytes or the end; false on an error.
bool ReadUpTo(int fd, void* data, std::size_t size, std::size_t& got) {
  char* p = static_cast<char*>(data);
  got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, p + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

// Names in a folder ("" is the current one), in the code page.
std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(Os(folder.empty() ? "." : folder).c_str());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view raw = e->d_name;
    if (raw == "." || raw == "..") continue;
    if (auto name = FromOs(raw)) names.push_back(std::move(*name));
  }
  ::closedir(dir);
  return names;
}

bool SameFileChar(char a, char b) { return AnsiUpper(static_cast<Byte>(a)) == AnsiUpper(static_cast<Byte>(b)); }

// '*' and '?' over the whole name, letters in either case.
bool WildMatch(std::string_view name, std::string_view mask) {
  std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || SameFileChar(mask[m], name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

bool MatchesOneMask(std::string_view name, std::string_view mask) {
  const bool noExtension = ExtractFileExt(name).empty();
  if (mask.ends_with('.')) return noExtension && WildMatch(name, mask.substr(0, mask.size() - 1));
  if (WildMatch(name, mask)) return true;
  return mask.ends_with(".*") && noExtension && WildMatch(name, mask.substr(0, mask.size() - 2));
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? Utf8ToAnsi(value) : std::string();
}

// A folder only this user can enter, made when missing.
bool EnsurePrivateFolder(const std::string& dir) {
  const std::string parent = ExtractFileDir(dir);
  if (!parent.empty() && !ForceDirectories(parent)) return false;
  ::mkdir(Os(dir).c_str(), 0700);
  struct stat st;
  if (!LStat(dir, st) || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
  return (st.st_mode & 077) == 0 || ::chmod(Os(dir).c_str(), 0700) == 0;
}

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

// The file-system type mounted at `mountPoint` (an OS path); the last
// mount there is the one in use.
std::string FileSystemTypeAt(const std::string& mountPoint) {
  std::FILE* f = std::fopen("/proc/self/mounts", "re");
  if (!f) return {};
  std::string type;
  char line[4096];
  while (std::fgets(line, sizeof line, f)) {
    char device[1024], dir[1024], fs[256];
    if (std::sscanf(line, "%1023s %1023s %255s", device, dir, fs) != 3) continue;
    if (DecodeMountField(dir) == mountPoint) type = fs;
  }
  std::fclose(f);
  return type;
}

// A file written beside its target and renamed over it once complete.
class AtomicFile {
 public:
  explicit AtomicFile(const std::string& path) : path_(path) {}
  ~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!tempOs_.empty()) ::unlink(tempOs_.c_str());
  }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool Open(std::string* error);
  bool Write(const void* data, std::size_t size, std::string* error) {
    return WriteAll(fd_, data, size) || SetError(error, "Cannot write", path_, errno);
  }
  void KeepModeOf(mode_t mode) { mode_ = mode & 07777; }
  void KeepTimeOf(const struct timespec& mtime) {
    mtime_ = mtime;
    keepTime_ = true;
  }
  bool Commit(std::string* error);

 private:
  std::string path_;
  std::string targetOs_;
  std::string tempOs_;
  int fd_ = -1;
  mode_t mode_ = 0;
  bool keepOwner_ = false;
  uid_t owner_ = 0;
  gid_t group_ = 0;
  bool keepTime_ = false;
  struct timespec mtime_ {};
};

bool AtomicFile::Open(std::string* error) {
  targetOs_ = Os(path_);
  struct stat st;
  if (::lstat(targetOs_.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(targetOs_.c_str(), nullptr)) {
      targetOs_ = real;
      std::free(real);
    }
  }
  if (::stat(targetOs_.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return SetError(error, "Cannot replace the folder", path_, EISDIR);
    if (ModeReadOnly(st.st_mode)) return SetError(error, "Cannot replace the read-only file", path_, EACCES);
    mode_ = st.st_mode & 07777;
    owner_ = st.st_uid;
    group_ = st.st_gid;
    keepOwner_ = true;
  }
  const std::string dir = ExtractFilePath(targetOs_);
  const std::string base = ExtractFileName(targetOs_);
  static std::atomic<unsigned> counter = 0;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    tempOs_ = dir + "." + base + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    fd_ = ::open(tempOs_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ >= 0) return true;
  const int err = errno;
  tempOs_.clear();
  return SetError(error, "Cannot create a file beside", path_, err);
}

bool AtomicFile::Commit(std::string* error) {
  // Only a privileged user can give the file back to its owner; others own it anyway.
  if (keepOwner_ && ::fchown(fd_, owner_, group_) != 0) errno = 0;
  if (mode_ != 0) ::fchmod(fd_, mode_);
  if (keepTime_) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, mtime_};
    ::futimens(fd_, times);
  }
  if (::fsync(fd_) != 0) return SetError(error, "Cannot flush", path_, errno);
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) return SetError(error, "Cannot write", path_, errno);
  if (::rename(tempOs_.c_str(), targetOs_.c_str()) != 0)
    return SetError(error, "Cannot replace", path_, errno);
  tempOs_.clear();
  const std::string dir = ExtractFileDir(targetOs_);
  const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

}  // namespace

// ---- Names ----------------------------------------------------------------

bool MatchesFileMask(std::string_view name, std::string_view masks) {
  while (!masks.empty()) {
    const std::size_t semi = masks.find(';');
    const std::string_view mask = TrimBlanks(masks.substr(0, semi));
    if (!mask.empty() && MatchesOneMask(name, mask)) return true;
    if (semi == std::string_view::npos) break;
    masks.remove_prefix(semi + 1);
  }
  return false;
}

std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (EntryExists(JoinPath(folder, name))) return name;
  std::vector<std::string> entries = FolderEntries(folder);
  std::sort(entries.begin(), entries.end());
  for (std::string& entry : entries)
    if (SameText(entry, name)) return std::move(entry);
  return std::nullopt;
}

// ---- Files and folders ------------------------------------------------------

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && Stat(path, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && Stat(path, st) && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path) { return !path.empty() && ::mkdir(Os(path).c_str(), 0777) == 0; }

bool ForceDirectories(const std::string& path) {
  const std::string dir = ExcludeTrailingPathDelimiter(path);
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  const std::string parent = ExtractFileDir(dir);
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  CreateDir(dir);
  return DirectoryExists(dir);
}

bool DeleteFile(const std::string& path) {
  struct stat st;
  if (!LStat(path, st) || S_ISDIR(st.st_mode)) return false;
  if (!S_ISLNK(st.st_mode) && ModeReadOnly(st.st_mode)) return false;
  return ::unlink(Os(path).c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  if (!EntryExists(from) || EntryExists(to)) return false;
  return ::rename(Os(from).c_str(), Os(to).c_str()) == 0;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
  if (!EntryExists(from) || IsReadOnly(to)) return false;
  return ::rename(Os(from).c_str(), Os(to).c_str()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) {
  if (failIfExists && EntryExists(to)) return false;
  const int in = ::open(Os(from).c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st;
  bool ok = ::fstat(in, &st) == 0 && S_ISREG(st.st_mode);
  AtomicFile out(to);
  ok = ok && out.Open(nullptr);
  char buffer[65536];
  std::size_t got = 0;
  while (ok && (ok = ReadUpTo(in, buffer, sizeof buffer, got)) && got > 0) ok = out.Write(buffer, got, nullptr);
  ::close(in);
  if (!ok) return false;
  out.KeepModeOf(st.st_mode);
  out.KeepTimeOf(st.st_mtim);
  return out.Commit(nullptr);
}

std::int64_t FileSize(const std::string& path) {
  struct stat st;
  return Stat(path, st) ? static_cast<std::int64_t>(st.st_size) : -1;
}

std::time_t FileAge(const std::string& path) {
  struct stat st;
  return Stat(path, st) ? st.st_mtime : -1;
}

bool SetFileAge(const std::string& path, std::time_t age) {
  const struct timespec times[2] = {{0, UTIME_OMIT}, {age, 0}};
  return ::utimensat(AT_FDCWD, Os(path).c_str(), times, 0) == 0;
}

bool IsReadOnly(const std::string& path) {
  struct stat st;
  return Stat(path, st) && ModeReadOnly(st.st_mode);
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  struct stat st;
  if (!Stat(path, st)) return false;
  const mode_t writeBits = S_IWUSR | S_IWGRP | S_IWOTH;
  const mode_t mode = readOnly ? (st.st_mode & ~writeBits) : (st.st_mode | S_IWUSR);
  return ::chmod(Os(path).c_str(), mode & 07777) == 0;
}

TFileInfo FileAttributes(const std::string& path) {
  TFileInfo info;
  struct stat st;
  if (!Stat(path, st)) return info;
  const std::string name = ExtractFileName(ExcludeTrailingPathDelimiter(path));
  info.exists = true;
  info.directory = S_ISDIR(st.st_mode);
  info.readOnly = ModeReadOnly(st.st_mode);
  info.hidden = name.size() > 1 && name[0] == '.' && name != "..";
  info.size = st.st_size;
  info.mtime = st.st_mtime;
  return info;
}

std::vector<std::string> FindFiles(const std::string& folder, const std::string& masks, bool directories) {
  std::vector<std::string> found;
  for (std::string& name : FolderEntries(folder)) {
    if (name[0] == '.' || !MatchesFileMask(name, masks)) continue;
    if (DirectoryExists(JoinPath(folder, name)) != directories) continue;
    found.push_back(std::move(name));
  }
  std::sort(found.begin(), found.end());
  return found;
}

// ---- Path parts ---------------------------------------------------------------

std::string ExtractFilePath(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileDir(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
}

std::string ExtractFileName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractFileExt(std::string_view path) {
  const std::string name = ExtractFileName(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  const std::size_t nameStart = path.rfind('/') + 1;  // 0 when there is no folder
  const std::size_t dot = path.rfind('.');
  const std::size_t stem = (dot != std::string_view::npos && dot >= nameStart) ? dot : path.size();
  return std::string(path.substr(0, stem)) + std::string(ext);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (out.empty() || out.back() != '/') out += '/';
  return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string ExpandFileName(std::string_view path) {
  std::string full;
  if (path.empty() || path[0] != '/') {
    char cwd[4096];
    full = ::getcwd(cwd, sizeof cwd) ? Utf8ToAnsi(cwd) : std::string("/");
    full += '/';
  }
  full += path;
  std::vector<std::string_view> parts;
  std::string_view rest = full;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  std::string out;
  for (std::string_view part : parts) (out += '/') += part;
  if (out.empty() || (full.back() == '/')) out += '/';
  return out;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty() || (!name.empty() && name[0] == '/')) return std::string(name);
  return IncludeTrailingPathDelimiter(folder) + std::string(name);
}

// ---- Old paths and drives -----------------------------------------------------

std::string MapPath(std::string_view path) {
  std::string s(path);
  std::replace(s.begin(), s.end(), '\\', '/');
  const bool drive = s.size() >= 2 && s[1] == ':' &&
                     ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
  if (drive) s.erase(0, 2);
  const bool absolute = !s.empty() && s[0] == '/';
  std::string out = absolute ? "/" : "";
  std::string folder = absolute ? "/" : ".";
  std::string_view rest = std::string_view(s).substr(absolute ? 1 : 0);
  bool resolving = true;
  for (bool first = true;; first = false) {
    const std::size_t slash = rest.find('/');
    std::string part(rest.substr(0, slash));
    if (resolving && !part.empty() && part != "." && part != "..") {
      if (auto found = FindNameNoCase(folder, part)) part = std::move(*found);
      else resolving = false;
    }
    if (!first) out += '/';
    out += part;
    folder = JoinPath(folder, part);
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return out;
}

std::string DriveOfPath(const std::string& path) {
  std::string p = ExcludeTrailingPathDelimiter(ExpandFileName(path));
  struct stat st;
  while (!Stat(p, st)) {
    if (p == "/") return p;
    p = ExtractFileDir(p);
  }
  const dev_t device = st.st_dev;
  while (p != "/") {
    const std::string parent = ExtractFileDir(p);
    if (!Stat(parent, st) || st.st_dev != device) break;
    p = parent;
  }
  return p;
}

bool DriveReady(const std::string& path) {
  DIR* dir = ::opendir(Os(DriveOfPath(path)).c_str());
  if (!dir) return false;
  ::closedir(dir);
  return true;
}

DriveKind DriveKindOf(const std::string& path) {
  const std::string mountPoint = DriveOfPath(path);
  return DriveKindForFileSystem(FileSystemTypeAt(Os(mountPoint)), mountPoint);
}

DriveKind DriveKindForFileSystem(std::string_view fsType, std::string_view mountPoint) {
  if (fsType.empty()) return DriveKind::Unknown;
  if (fsType == "iso9660" || fsType == "udf") return DriveKind::CDROM;
  if (fsType == "tmpfs" || fsType == "ramfs") return DriveKind::RamDisk;
  if (fsType.starts_with("nfs") || fsType == "cifs" || fsType.starts_with("smb") || fsType == "sshfs" ||
      fsType == "fuse.sshfs")
    return DriveKind::Remote;
  const bool mediaFolder = mountPoint.starts_with("/media/") || mountPoint.starts_with("/run/media/");
  if ((fsType == "vfat" || fsType == "exfat") && mediaFolder) return DriveKind::Removable;
  return DriveKind::Fixed;
}

std::string ShortPathName(const std::string& path) { return path; }
std::string LongPathName(const std::string& path) { return path; }

// ---- Places ---------------------------------------------------------------------

std::string ConfigFolder() {
  if (std::string home = Env("QUILLMASTER_HOME"); !home.empty()) return ExcludeTrailingPathDelimiter(home);
  if (std::string xdg = Env("XDG_CONFIG_HOME"); !xdg.empty() && xdg[0] == '/')
    return JoinPath(xdg, "quillmaster");
  return JoinPath(HomeFolder(), ".config/quillmaster");
}

bool EnsureConfigFolder() { return ForceDirectories(ConfigFolder()); }
std::string SettingsFilePath() { return JoinPath(ConfigFolder(), "QUILLPAD.INI"); }
std::string WindowsDirectory() { return ConfigFolder(); }

std::string ProgramFolder() {
  if (std::string folder = Env("QUILLMASTER_PROGRAM_FOLDER"); !folder.empty())
    return IncludeTrailingPathDelimiter(folder);
  const std::string exeFolder = ExtractFilePath(ExecutablePath());
  if (DirectoryExists(exeFolder + "data")) return exeFolder + "data/";
  return ExpandFileName(exeFolder + "../share/quillmaster/");
}

std::string RuntimeFolder() {
  std::string dir;
  if (std::string home = Env("QUILLMASTER_HOME"); !home.empty()) dir = JoinPath(home, "run");
  else if (std::string xdg = Env("XDG_RUNTIME_DIR"); !xdg.empty()) dir = JoinPath(xdg, "quillmaster");
  else dir = "/tmp/quillmaster-" + std::to_string(::getuid());
  if (EnsurePrivateFolder(dir)) return dir;
  const std::string fallback = JoinPath(ConfigFolder(), "run");
  EnsurePrivateFolder(fallback);
  return fallback;
}

std::string HomeFolder() {
  if (std::string home = Env("HOME"); !home.empty()) return ExcludeTrailingPathDelimiter(home);
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return Utf8ToAnsi(pw->pw_dir);
  return "/";
}

std::string TempFolder() {
  if (std::string tmp = Env("TMPDIR"); !tmp.empty()) return ExcludeTrailingPathDelimiter(tmp);
  return "/tmp";
}

std::string ExecutablePath() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? Utf8ToAnsi(std::string_view(buffer, static_cast<std::size_t>(n))) : std::string();
}

// ---- Whole files -------------------------------------------------------------------

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::string* error) {
  const int fd = ::open(Os(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetError(error, "Cannot open", path, errno);
    return std::nullopt;
  }
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    SetError(error, "Cannot read the folder", path, EISDIR);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  std::size_t got = 0;
  bool ok = true;
  do {
    const std::size_t old = bytes.size();
    bytes.resize(old + 65536);
    ok = ReadUpTo(fd, bytes.data() + old, 65536, got);
    bytes.resize(old + (ok ? got : 0));
  } while (ok && got > 0);
  const int err = errno;
  ::close(fd);
  if (ok) return bytes;
  SetError(error, "Cannot read", path, err);
  return std::nullopt;
}

bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size, std::string* error) {
  AtomicFile file(path);
  return file.Open(error) && file.Write(data, size, error) && file.Commit(error);
}

// ---- TFileStream ---------------------------------------------------------------------

TFileStream::TFileStream(const std::string& path, TFileMode mode) : path_(path) {
  if (mode != TFileMode::OpenRead && IsReadOnly(path)) {
    errno = EACCES;
    Fail("Cannot write to");
    return;
  }
  int flags = O_CLOEXEC;
  switch (mode) {
    case TFileMode::OpenRead: flags |= O_RDONLY; break;
    case TFileMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case TFileMode::OpenReadWrite: flags |= O_RDWR; break;
  }
  fd_ = ::open(Os(path).c_str(), flags, 0666);
  if (fd_ < 0) Fail("Cannot open");
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

void TFileStream::Fail(const char* what) {
  lastError_ = errno;
  lastMessage_ = ErrorText(what, path_, lastError_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  std::size_t got = 0;
  if (fd_ < 0) errno = EBADF;
  if (fd_ < 0 || !ReadUpTo(fd_, buffer, count, got)) Fail("Cannot read");
  return got;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  std::size_t written = 0;
  if (fd_ < 0) errno = EBADF;
  if (fd_ < 0 || !WriteAll(fd_, buffer, count, &written)) Fail("Cannot write");
  return written;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::Beginning ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
  const off_t pos = fd_ < 0 ? -1 : ::lseek(fd_, static_cast<off_t>(offset), whence);
  if (fd_ < 0) errno = EBADF;
  if (pos < 0) Fail("Cannot seek in");
  return pos;
}

std::int64_t TFileStream::Position() const { return fd_ < 0 ? -1 : ::lseek(fd_, 0, SEEK_CUR); }

std::int64_t TFileStream::Size() const {
  struct stat st;
  return (fd_ >= 0 && ::fstat(fd_, &st) == 0) ? static_cast<std::int64_t>(st.st_size) : -1;
}

bool TFileStream::Flush() {
  if (fd_ < 0) errno = EBADF;
  if (fd_ >= 0 && ::fsync(fd_) == 0) return true;
  Fail("Cannot flush");
  return false;
}

}  // namespace qm
