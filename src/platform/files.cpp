#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/mount_table.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

TFileFaultHook gFaultHook;

// The errno a fault hook chose for this step, or 0.
int Injected(TFileStep step, const std::string& path) {
  const int err = gFaultHook ? gFaultHook(step, path) : 0;
  if (err != 0) errno = err;
  return err;
}

// A write past the process's file-size limit then fails with EFBIG, which
// is reported like a full disk, instead of ending the program.
void IgnoreFileSizeSignal() {
  static const bool ignored = [] {
    std::signal(SIGXFSZ, SIG_IGN);
    return true;
  }();
  (void)ignored;
}

bool Stat(const std::string& path, struct stat& st) { return ::stat(path.c_str(), &st) == 0; }
bool LStat(const std::string& path, struct stat& st) { return ::lstat(path.c_str(), &st) == 0; }
// Anything under that name, a dangling link included.
bool EntryExists(const std::string& path) {
  struct stat st;
  return LStat(path, st);
}
bool ModeReadOnly(mode_t mode) { return (mode & S_IWUSR) == 0; }

// Whether `group` is one of this process's supplementary groups.
bool InGroup(gid_t group) {
  const int count = ::getgroups(0, nullptr);
  std::vector<gid_t> groups(count > 0 ? static_cast<std::size_t>(count) : 0);
  if (count > 0 && ::getgroups(count, groups.data()) != count) return false;
  return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// The permissions a new file gets under the user's umask. It is read, not
// set and set back: umask(2) would change it for every thread meanwhile.
mode_t UsualFileMode() {
  mode_t mask = 022;
  if (std::FILE* f = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned value = 0;
    while (std::fgets(line, sizeof line, f))
      if (std::sscanf(line, "Umask: %o", &value) == 1) mask = static_cast<mode_t>(value);
    std::fclose(f);
  }
  return 0666 & ~mask;
}

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
      if (n == 0) errno = EIO;
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

// Opens a plain file without waiting on it (a pipe with no writer would
// wait forever); -1 with errno set for anything else.
int OpenPlainFile(const std::string& path, int flags) {
  const bool writing = (flags & O_ACCMODE) != O_RDONLY;
  if (Injected(writing ? TFileStep::Create : TFileStep::Open, path)) return -1;
  if (writing) IgnoreFileSizeSignal();
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st;
  int err = ::fstat(fd, &st) != 0 ? errno : 0;
  if (err == 0 && !S_ISREG(st.st_mode)) err = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
  if (err == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) err = errno;
  if (err == 0) return fd;
  ::close(fd);
  errno = err;
  return -1;
}

// Names in a folder ("" is the current one), as the system spells them.
std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view raw = e->d_name;
    if (raw == "." || raw == "..") continue;
    names.emplace_back(raw);
  }
  ::closedir(dir);
  return names;
}

// '*' and '?' over the whole name, bytes of the same case key.
bool WildMatch(std::string_view name, std::string_view mask) {
  std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
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

// Both already upper-cased.
bool MatchesOneMask(std::string_view name, std::string_view mask) {
  const bool noExtension = ExtractFileExt(name).empty();
  if (mask.ends_with('.')) return noExtension && WildMatch(name, mask.substr(0, mask.size() - 1));
  if (WildMatch(name, mask)) return true;
  return mask.ends_with(".*") && noExtension && WildMatch(name, mask.substr(0, mask.size() - 2));
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// A folder only this user can enter, made when missing.
bool EnsurePrivateFolder(const std::string& dir) {
  const std::string parent = ExtractFileDir(dir);
  if (!parent.empty() && !ForceDirectories(parent)) return false;
  ::mkdir(dir.c_str(), 0700);
  struct stat st;
  if (!LStat(dir, st) || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
  return (st.st_mode & 077) == 0 || ::chmod(dir.c_str(), 0700) == 0;
}

// The file-system type mounted at `mountPoint` (an OS path); the last
// mount there is the one in use.
std::string FileSystemTypeAt(const std::string& mountPoint) {
  std::string type;
  for (const TMountEntry& mount : MountTable())
    if (mount.MountPoint == mountPoint) type = mount.FileSystem;
  return type;
}

// Flushes a folder, so that the renames in it outlive a power loss.
void SyncFolder(const std::string& folder) {
  if (Injected(TFileStep::Flush, folder)) return;
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool IsDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsHexDigits(std::string_view s) {
  return !s.empty() &&
         std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// 64 bits no one can foresee, as hexadecimal digits. Should the system
// have none to give yet (early at boot), the clock and a count still make
// each differ.
std::string UnforeseeableTag() {
  std::uint64_t bits = 0;
  if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
    static std::atomic<std::uint64_t> count = 0;
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    bits =
        (static_cast<std::uint64_t>(now.tv_sec) << 30 ^ static_cast<std::uint64_t>(now.tv_nsec)) * 0x9E3779B97F4A7C15u +
        ++count;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(bits));
  return hex;
}

// The longest "<pid>-<tag>" a new file's name holds.
constexpr std::size_t kLongestWriterPart = 10 + 1 + 16;
// What a shortened name adds to the part it keeps: "~" and a check sum.
constexpr std::size_t kShortenedMark = 1 + 8;

std::size_t LongestNameIn(const std::string& folder) {
  const long longest = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return longest > 0 ? static_cast<std::size_t>(longest) : NAME_MAX;
}

// The first bytes of a name, cut where a character begins.
std::string NameStart(const std::string& name, std::size_t bytes) {
  std::size_t end = std::min(bytes, name.size());
  while (end > 0 && end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return name.substr(0, end);
}

std::string CheckSum(std::string_view name) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(Fnv1a(name)));
  return hex;
}

// The name of the new file of a replacement of `path`, around its own
// "<pid>-<tag>": ".<name>.tmp" + that, or "<name>." + that + ".new~".
// Shortened, the name keeps only its start, with "~" and a check sum of
// the whole, so that it is still told apart from a name it begins like.
struct TSideNameParts {
  std::string prefix;
  std::string suffix;
};
TSideNameParts SideNameParts(const std::string& path, TSideName side, bool shortened) {
  std::string name = ExtractFileName(path);
  if (shortened) {
    const TSideNameParts full = SideNameParts(path, side, false);
    const std::size_t around = full.prefix.size() - name.size() + full.suffix.size() + kLongestWriterPart;
    name = NameStartFitting(name, around + kShortenedMark, ExtractFileDir(path)) + "~" + CheckSum(name);
  }
  if (side == TSideName::Hidden) return {"." + name + ".tmp", ""};
  return {name + ".", ".new~"};
}

// The name of a new file beside `path` fits the folder only shortened.
bool NeedsShortSideName(const std::string& path, TSideName side) {
  const TSideNameParts parts = SideNameParts(path, side, false);
  return parts.prefix.size() + kLongestWriterPart + parts.suffix.size() > LongestNameIn(ExtractFileDir(path));
}

// A name no one can foresee for a new file beside `path`: names someone
// else put there beforehand stop no write.
std::string UniqueSideName(const std::string& path, TSideName side) {
  const TSideNameParts parts = SideNameParts(path, side, NeedsShortSideName(path, side));
  return JoinPath(ExtractFileDir(path),
                  parts.prefix + std::to_string(::getpid()) + "-" + UnforeseeableTag() + parts.suffix);
}

// The process that wrote `name`, a new file beside `path` in either form;
// 0 when the name is no such file.
pid_t WriterOfSideName(std::string_view name, const std::string& path, TSideName side) {
  for (const bool shortened : {false, true}) {
    const TSideNameParts parts = SideNameParts(path, side, shortened);
    if (name.size() <= parts.prefix.size() + parts.suffix.size() || !name.starts_with(parts.prefix) ||
        !name.ends_with(parts.suffix))
      continue;
    const std::string_view rest =
        name.substr(parts.prefix.size(), name.size() - parts.prefix.size() - parts.suffix.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || !IsDigits(rest.substr(0, dash)) || !IsHexDigits(rest.substr(dash + 1)))
      continue;
    const long pid = std::strtol(std::string(rest.substr(0, dash)).c_str(), nullptr, 10);
    if (pid > 0) return static_cast<pid_t>(pid);
  }
  return 0;
}

// Whether a lock on the file, as the system lists them, is one a process
// of another user took; true when the list cannot be read or says nothing.
bool LockedByThisUser(const struct stat& file) {
  std::FILE* locks = std::fopen("/proc/locks", "re");
  if (!locks) return true;
  bool ours = false;
  bool listed = false;
  char line[256];
  while (!ours && std::fgets(line, sizeof line, locks)) {
    // "1: FLOCK  ADVISORY  WRITE 1234 fd:01:5678 0 EOF"; a waiter's starts "1: ->".
    long pid = 0;
    unsigned major = 0, minor = 0;
    unsigned long inode = 0;
    const char* arrow = std::strstr(line, "->");
    const char* fields = arrow ? arrow + 2 : std::strchr(line, ':');
    if (!fields ||
        std::sscanf(fields + (arrow ? 0 : 1), "%*s %*s %*s %ld %x:%x:%lu", &pid, &major, &minor, &inode) != 4)
      continue;
    if (inode != file.st_ino || makedev(major, minor) != file.st_dev) continue;
    listed = true;
    struct stat process;
    ours = Stat("/proc/" + std::to_string(pid), process) && process.st_uid == ::geteuid();
  }
  std::fclose(locks);
  return ours || !listed;
}

// Open with the lock of the replacement that writes it (see SideFileInUse):
// a lock another user took on a file they could open is none.
bool HeldByWriter(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  const bool held =
      ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK && ::fstat(fd, &st) == 0 && LockedByThisUser(st);
  ::close(fd);
  return held;
}

// The new files of `path` that a process no longer running left behind (a
// program killed while it wrote): only this user's own plain files.
void RemoveStaleSideFiles(const std::string& path, TSideName side) {
  const std::string folder = ExtractFileDir(path);
  for (const std::string& name : FolderEntries(folder)) {
    const pid_t owner = WriterOfSideName(name, path, side);
    if (owner == 0 || owner == ::getpid()) continue;
    // A process that still runs (or one we may not ask) may be writing it.
    if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
    const std::string full = JoinPath(folder, name);
    struct stat st;
    if (!LStat(full, st) || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || HeldByWriter(full)) continue;
    ::unlink(full.c_str());
  }
}

// A link this user may follow: one of its own, or one the owner of its
// folder made there when no one else can write to that folder. The system
// guards shared sticky folders the same way; a walk by hand must as well.
bool MayFollowLink(const std::string& link, const struct stat& linkInfo) {
  if (linkInfo.st_uid == ::geteuid()) return true;
  const std::string folder = ExtractFileDir(link);
  struct stat dir;
  if (!Stat(folder.empty() ? "." : folder, dir)) return false;
  const bool othersMayWrite = (dir.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  return !othersMayWrite && linkInfo.st_uid == dir.st_uid;
}

// Something that is no link is under the name: a link still there once
// links are followed is one not to be followed, and holds no version of ours.
bool HoldsVersion(const std::string& path) {
  struct stat st;
  return LStat(path, st) && !S_ISLNK(st.st_mode);
}

// LinkCurrentVersion's answer when the name holds no version any more.
constexpr int kNoVersion = -1;

// Gives the version under `target` the name `second`; the errno of a
// failure, or kNoVersion. When another save gives the name a new version
// just as link(2) has found the old one, the old one has no name left and
// link(2) answers ENOENT, though the name never lacks a version (rename(2)
// replaces it in one step): the version now under the name is linked
// instead. `step` names the link for the fault hook.
int LinkCurrentVersion(const std::string& target, const std::string& second, const std::string& step) {
  // Each failed try means another save finished meanwhile: a bound keeps
  // a fault that always answers ENOENT from looping for ever.
  constexpr int kTries = 100;
  int err = ENOENT;
  for (int tries = 0; err == ENOENT && tries < kTries; ++tries) {
    if (!HoldsVersion(target)) return kNoVersion;
    err = Injected(TFileStep::Link, step);
    if (err == 0 && ::link(target.c_str(), second.c_str()) != 0) err = errno;
  }
  return err;
}

// A link cannot be made here, but a copy can.
bool NoLinksHere(int err) {
  return err == EPERM || err == EXDEV || err == EMLINK || err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

}  // namespace

// ---- Names ----------------------------------------------------------------

bool MatchesFileMask(std::string_view name, std::string_view masks) {
  const std::string key = Utf8UpperCase(name);
  while (!masks.empty()) {
    const std::size_t semi = masks.find(';');
    const std::string_view mask = TrimBlanksAndTabs(masks.substr(0, semi));
    if (!mask.empty() && MatchesOneMask(key, Utf8UpperCase(mask))) return true;
    if (semi == std::string_view::npos) break;
    masks.remove_prefix(semi + 1);
  }
  return false;
}

bool SameFileName(std::string_view a, std::string_view b) { return Utf8UpperCase(a) == Utf8UpperCase(b); }

void SetFileFaultHook(TFileFaultHook hook) { gFaultHook = std::move(hook); }

std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (EntryExists(JoinPath(folder, name))) return name;
  std::vector<std::string> entries = FolderEntries(folder);
  std::sort(entries.begin(), entries.end());
  for (std::string& entry : entries)
    if (SameFileName(entry, name)) return std::move(entry);
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

bool CreateDir(const std::string& path) { return !path.empty() && ::mkdir(path.c_str(), 0777) == 0; }

bool ForceDirectories(const std::string& path) {
  const std::string dir = ExcludeTrailingPathDelimiter(path);
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  const std::string parent = ExtractFileDir(dir);
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  if (CreateDir(dir)) return true;
  const int error = errno;
  if (DirectoryExists(dir)) return true;
  // A file stands where the folder should: the path goes through no folder.
  errno = error == EEXIST ? ENOTDIR : error;
  return false;
}

bool DeleteFile(const std::string& path) {
  struct stat st;
  if (!LStat(path, st) || S_ISDIR(st.st_mode)) return false;
  if (!S_ISLNK(st.st_mode) && ModeReadOnly(st.st_mode)) return false;
  return !Injected(TFileStep::Remove, path) && ::unlink(path.c_str()) == 0;
}

namespace {

// The folder with every link on the way resolved; empty when it is none.
std::string RealFolder(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return {};
  std::string result(real);
  std::free(real);
  return DirectoryExists(result) ? result : std::string();
}

}  // namespace

bool DeleteOwnFileIn(const std::string& path, const std::vector<std::string>& folders) {
  const std::string full = ExpandFileName(path);
  const std::string folder = RealFolder(ExtractFileDir(full));
  const std::string name = ExtractFileName(full);
  const bool ours = !folder.empty() && std::any_of(folders.begin(), folders.end(), [&](const std::string& f) {
    return !f.empty() && RealFolder(f) == folder;
  });
  if (!ours || name.empty() || name == "." || name == "..") return false;
  // Through the folder's own handle, so that nothing swapped in on the way
  // after the check is followed.
  const int dir = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0) return false;
  struct stat st;
  const bool plain =
      ::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
  const bool deleted = plain && !Injected(TFileStep::Remove, path) && ::unlinkat(dir, name.c_str(), 0) == 0;
  ::close(dir);
  return deleted;
}

bool IsOwnWritablePlainFile(const std::string& path) {
  struct stat st;
  return LStat(path, st) && S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_uid == ::geteuid() &&
         !ModeReadOnly(st.st_mode);
}

bool RenameFile(const std::string& from, const std::string& to) {
  if (!EntryExists(from) || EntryExists(to)) return false;
  return !Injected(TFileStep::Rename, to) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
  if (!EntryExists(from) || IsReadOnly(to)) return false;
  return !Injected(TFileStep::Rename, to) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) {
  if (failIfExists && EntryExists(to)) return false;
  const int in = OpenPlainFile(from, O_RDONLY);
  if (in < 0) return false;
  struct stat st;
  bool ok = ::fstat(in, &st) == 0;
  TFileReplacement out(to);
  ok = ok && out.Create();
  char buffer[65536];
  std::size_t got = 0;
  while (ok && (ok = ReadUpTo(in, buffer, sizeof buffer, got)) && got > 0) ok = out.Write(buffer, got);
  ::close(in);
  if (!ok) return false;
  out.TakeTimeAndMode(st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_mode & 07777);
  return out.Commit();
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
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
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
  return ::chmod(path.c_str(), mode & 07777) == 0;
}

bool KeepPermissionsWithin(const std::string& path, unsigned widest) {
  const std::string real = FollowLinks(path);
  struct stat st;
  if (!LStat(real, st) || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return false;
  const mode_t within = st.st_mode & 07777 & static_cast<mode_t>(widest);
  return within == (st.st_mode & 07777) || ::chmod(real.c_str(), within) == 0;
}

TFileInfo FileAttributes(const std::string& path) {
  TFileInfo info;
  struct stat st;
  if (!Stat(path, st)) return info;
  const std::string name = ExtractFileName(ExcludeTrailingPathDelimiter(path));
  info.exists = true;
  info.directory = S_ISDIR(st.st_mode);
  info.regular = S_ISREG(st.st_mode);
  info.readOnly = ModeReadOnly(st.st_mode);
  info.permissions = st.st_mode & 07777;
  info.hidden = name.size() > 1 && name[0] == '.' && name != "..";
  info.size = st.st_size;
  info.mtime = st.st_mtime;
  info.mtimeNanoseconds = std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
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
    full = ::getcwd(cwd, sizeof cwd) ? std::string(cwd) : std::string("/");
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

std::string FollowLinks(const std::string& path) {
  std::string p = path;
  // As many links as the system itself follows.
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (!LStat(p, st) || !S_ISLNK(st.st_mode) || !MayFollowLink(p, st)) break;
    char buffer[4096];
    const ssize_t n = ::readlink(p.c_str(), buffer, sizeof buffer);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) break;
    p = JoinPath(ExtractFileDir(p), std::string_view(buffer, static_cast<std::size_t>(n)));
  }
  return p;
}

bool IsLink(const std::string& path) {
  struct stat st;
  return LStat(path, st) && S_ISLNK(st.st_mode);
}

std::optional<std::string> OtherUserOwning(const std::string& path) {
  struct stat st;
  if (!LStat(path, st) || st.st_uid == ::geteuid()) return std::nullopt;
  passwd entry{};
  passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(st.st_uid, &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
    return std::string(found->pw_name);
  return "user " + std::to_string(st.st_uid);
}

std::string FileFailureText(int err, const std::string& path) {
  if (err == EPERM || err == EACCES) {
    if (const auto owner = OtherUserOwning(path))
      return PathToText(path) + " belongs to another user (" + PathToText(*owner) + ")";
  }
  return PathToText(std::strerror(err));
}

std::string PathToText(std::string_view path) { return Utf8ToAnsi(path); }

std::string TextToPath(std::string_view text) { return AnsiToUtf8(text); }

// ---- Old paths and drives -----------------------------------------------------

std::string MapPath(std::string_view path) {
  std::string s(path);
  // A backslash or a colon is an ordinary character of a name here.
  if (EntryExists(s)) return s;
  std::replace(s.begin(), s.end(), '\\', '/');
  const bool drive = s.size() >= 2 && s[1] == ':' && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
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
  DIR* dir = ::opendir(DriveOfPath(path).c_str());
  if (!dir) return false;
  ::closedir(dir);
  return true;
}

DriveKind DriveKindOf(const std::string& path) {
  const std::string mountPoint = DriveOfPath(path);
  return DriveKindForFileSystem(FileSystemTypeAt(mountPoint), mountPoint);
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

bool NameFitsFolder(const std::string& path) {
  return ExtractFileName(path).size() <= LongestNameIn(ExtractFileDir(path));
}

std::string NameStartFitting(const std::string& name, std::size_t more, const std::string& folder) {
  const std::size_t room = LongestNameIn(folder);
  std::string start = NameStart(name, room > more ? room - more : 0);
  if (start.empty() && !name.empty()) {
    std::size_t end = 1;
    while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) ++end;
    start = name.substr(0, end);
  }
  return start;
}

std::string ChangeFileExtFitting(const std::string& path, std::string_view ext) {
  std::string changed = ChangeFileExt(path, ext);
  if (NameFitsFolder(changed)) return changed;
  const std::string folder = ExtractFileDir(path);
  const std::string name = ExtractFileName(path);
  const std::string start =
      NameStartFitting(ExtractFileName(ChangeFileExt(path, "")), kShortenedMark + ext.size(), folder);
  return JoinPath(folder, start + "~" + CheckSum(name) + std::string(ext));
}

std::string ShortPathName(const std::string& path) { return path; }
std::string LongPathName(const std::string& path) { return path; }

std::string ShortFileBaseName(const std::string& path, int maxLength, int number) {
  std::string name = ExtractFileName(ShortPathName(path)).substr(0, static_cast<std::size_t>(std::max(maxLength, 0)));
  if (const std::size_t dot = name.find('.'); dot != std::string::npos) name.erase(dot);
  return name.empty() ? "NONAME" + std::to_string(number) : name;
}

// ---- Places ---------------------------------------------------------------------

std::string ConfigFolder() {
  if (std::string home = Env("QUILLMASTER_HOME"); !home.empty()) return ExcludeTrailingPathDelimiter(home);
  if (std::string xdg = Env("XDG_CONFIG_HOME"); !xdg.empty() && xdg[0] == '/') return JoinPath(xdg, "quillmaster");
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
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::string TempFolder() {
  if (std::string tmp = Env("TMPDIR"); !tmp.empty()) return ExcludeTrailingPathDelimiter(tmp);
  return "/tmp";
}

std::string ExecutablePath() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

// ---- New files beside a file ----------------------------------------------------------

std::vector<std::string> VisibleSideFilesOf(const std::string& target) {
  std::vector<std::string> found;
  const std::string folder = ExtractFileDir(target);
  for (const std::string& name : FolderEntries(folder))
    if (WriterOfSideName(name, target, TSideName::Visible) != 0) found.push_back(JoinPath(folder, name));
  std::sort(found.begin(), found.end());
  return found;
}

bool IsVisibleSideFileOf(const std::string& path, const std::string& target) {
  return ExtractFileDir(path) == ExtractFileDir(target) &&
         WriterOfSideName(ExtractFileName(path), target, TSideName::Visible) != 0;
}

bool SideFileInUse(const std::string& path) { return HeldByWriter(path); }

// ---- Whole files -------------------------------------------------------------------

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::string* error) {
  const int fd = OpenPlainFile(path, O_RDONLY);
  if (fd < 0) {
    SetError(error, errno == EISDIR ? "Cannot read the folder" : "Cannot open", path, errno);
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

bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size, std::string* error,
                     std::optional<unsigned> mode) {
  TFileReplacement file(path);
  if (mode) file.TakeMode(*mode);
  const bool ok = file.Create() && file.Write(data, size) && file.Commit();
  if (!ok && error) *error = file.LastErrorMessage();
  return ok;
}

std::optional<unsigned> ModeFor(const std::string& file) {
  const TFileInfo info = file.empty() ? TFileInfo{} : FileAttributes(FollowLinks(file));
  if (!info.regular) return std::nullopt;
  return 0600 | (info.permissions & 0777);
}

bool SetOwnFileMode(const std::string& path, unsigned mode) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  const bool set = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
                   ::fchmod(fd, static_cast<mode_t>(mode & 07777)) == 0;
  ::close(fd);
  return set;
}

// ---- TFileReplacement -------------------------------------------------------------

TFileReplacement::TFileReplacement(const std::string& path, TSideName side) : target_(FollowLinks(path)), side_(side) {}

TFileReplacement::~TFileReplacement() {
  if (fd_ >= 0) ::close(fd_);
  if (created_) ::unlink(fresh_.c_str());
}

bool TFileReplacement::Fail(const char* what, const std::string& path, int err) {
  lastError_ = err != 0 ? err : EIO;
  lastMessage_ = ErrorText(what, path, lastError_);
  failedPath_ = path;
  errno = lastError_;
  return false;
}

bool TFileReplacement::Create() {
  IgnoreFileSizeSignal();
  struct stat st;
  // A link still there is one not to be followed: the name itself is replaced.
  const bool replacing = LStat(target_, st) && !S_ISLNK(st.st_mode);
  if (replacing && S_ISDIR(st.st_mode)) return Fail("Cannot replace the folder", target_, EISDIR);
  if (replacing && !S_ISREG(st.st_mode)) return Fail("Cannot replace what is no plain file:", target_, ENODEV);
  if (replacing && ModeReadOnly(st.st_mode)) return Fail("Cannot replace the read-only file", target_, EACCES);
  // Always a new file of a name no one used, never opened through a name
  // that someone else (or a stopped save) put there; its writer's alone
  // until it is complete, as one who opened it meanwhile would go on
  // reading it whatever mode it took later.
  const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    fresh_ = UniqueSideName(target_, side_);
    if (Injected(TFileStep::Create, fresh_)) break;
    fd_ = ::open(fresh_.c_str(), flags, S_IRUSR | S_IWUSR);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    const std::string folder = ExtractFileDir(target_);
    return Fail("Cannot create a new file in", folder.empty() ? "." : folder, errno);
  }
  created_ = true;
  // Held until the file is closed: whoever finds it meanwhile knows it is
  // being written.
  ::flock(fd_, LOCK_EX | LOCK_NB);
  completeMode_ = replacing ? st.st_mode & 07777 : UsualFileMode();
  // The new version is its writer's, never handed to whoever owned the old
  // one; it stays in the old one's group when the writer belongs to that.
  if (replacing && st.st_gid != ::getegid() && InGroup(st.st_gid) &&
      ::fchown(fd_, static_cast<uid_t>(-1), st.st_gid) != 0)
    errno = 0;
  return true;
}

bool TFileReplacement::Write(const void* data, std::size_t size) {
  if (fd_ < 0) return Fail("Cannot write", fresh_, EBADF);
  if (Injected(TFileStep::Write, fresh_) || !WriteAll(fd_, data, size)) return Fail("Cannot write", fresh_, errno);
  return true;
}

void TFileReplacement::TakeMode(unsigned mode) { takenMode_ = mode & 07777; }

void TFileReplacement::KeepModeWithin(unsigned widest) { widestMode_ = widest & 07777; }

void TFileReplacement::TakeTimeAndMode(std::int64_t seconds, long nanoseconds, unsigned mode) {
  takeTime_ = true;
  seconds_ = seconds;
  nanoseconds_ = nanoseconds;
  TakeMode(mode);
}

bool TFileReplacement::Flush() {
  if (fd_ < 0) return Fail("Cannot flush", fresh_, EBADF);
  if (takeTime_) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds_), nanoseconds_}};
    ::futimens(fd_, times);
  }
  if (Injected(TFileStep::Flush, fresh_) || ::fsync(fd_) != 0) return Fail("Cannot flush", fresh_, errno);
  flushed_ = true;
  return true;
}

bool TFileReplacement::KeepCurrentAs(const std::string& backup) {
  if (!HoldsVersion(target_)) return true;
  struct stat st;
  if (LStat(backup, st) && !S_ISLNK(st.st_mode) && (S_ISDIR(st.st_mode) || ModeReadOnly(st.st_mode)))
    return Fail("Cannot replace the backup", backup, S_ISDIR(st.st_mode) ? EISDIR : EACCES);
  // The second name is made aside and then renamed over the old backup;
  // a name someone else took meanwhile is passed over.
  std::string second;
  int err = EEXIST;
  for (int tries = 0; err == EEXIST && tries < 100; ++tries) {
    second = UniqueSideName(backup, TSideName::Hidden);
    err = LinkCurrentVersion(target_, second, backup);
  }
  if (err == kNoVersion) return true;
  if (err != 0 && NoLinksHere(err)) {
    errno = 0;
    return CopyFile(target_, backup) || Fail("Cannot copy the previous version to", backup, errno);
  }
  if (err != 0) return Fail("Cannot keep the previous version as", backup, err);
  err = Injected(TFileStep::Rename, backup);
  if (err == 0 && ::rename(second.c_str(), backup.c_str()) != 0) err = errno;
  // Gone either way: rename(2) does nothing when the backup already is a
  // name of this version (another save kept it too), and leaves it.
  ::unlink(second.c_str());
  if (err == 0) RemoveStaleSideFiles(backup, TSideName::Hidden);
  if (err == 0) return true;
  return Fail("Cannot keep the previous version as", backup, err);
}

bool TFileReplacement::Commit() {
  if (!flushed_ && !Flush()) return false;
  // Complete: only now may others open it, as far as its own mode lets
  // them; a write stopped before this leaves a file no one else can open.
  // The mode comes before the name, so that the name never shows another
  // (which a second save of the file would copy).
  ::fchmod(fd_, static_cast<mode_t>((takenMode_ ? *takenMode_ : completeMode_) & widestMode_));
  if (Injected(TFileStep::Rename, target_) || ::rename(fresh_.c_str(), target_.c_str()) != 0)
    return Fail("Cannot replace", target_, errno);
  created_ = false;
  // The bytes are on the disk already (Flush): closing can lose nothing.
  ::close(fd_);
  fd_ = -1;
  SyncFolder(ExtractFileDir(target_));
  RemoveStaleSideFiles(target_, side_);
  return true;
}

// ---- TFileStream ---------------------------------------------------------------------

TFileStream::TFileStream(const std::string& path, TFileMode mode) : path_(path) {
  if (mode != TFileMode::OpenRead && IsReadOnly(path)) {
    errno = EACCES;
    Fail("Cannot write to");
    return;
  }
  int flags = 0;
  switch (mode) {
    case TFileMode::OpenRead: flags = O_RDONLY; break;
    case TFileMode::Create: flags = O_RDWR | O_CREAT | O_TRUNC; break;
    case TFileMode::OpenReadWrite: flags = O_RDWR; break;
  }
  fd_ = OpenPlainFile(path, flags);
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
  if (fd_ < 0 || Injected(TFileStep::Write, path_) || !WriteAll(fd_, buffer, count, &written)) Fail("Cannot write");
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
  if (fd_ >= 0 && !Injected(TFileStep::Flush, path_) && ::fsync(fd_) == 0) return true;
  Fail("Cannot flush");
  return false;
}

}  // namespace qm
