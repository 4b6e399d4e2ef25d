#include "platform/ipc.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <map>

namespace qm {

std::uint32_t CurrentProcess() { return static_cast<std::uint32_t>(getpid()); }

bool IsOwnWindow(HWND window) { return ProcessOfWindow(window) == CurrentProcess(); }

bool ProcessAlive(std::uint32_t process) {
  // kill(0) and negative ids address process groups, not one process.
  if (process == 0 || process > static_cast<std::uint32_t>(INT_MAX)) return false;
  return kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

bool PrepareRuntimeFolder(const std::string& folder) {
  if (folder.empty()) return false;
  std::error_code ignored;
  std::filesystem::path path(folder);
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  // Another user's folder (say a planted /tmp/quillmaster-<uid>) could read
  // every message and forge atoms: refuse it rather than use it.
  struct stat st {};
  if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) return false;
  return (st.st_mode & 077) == 0 || chmod(folder.c_str(), 0700) == 0;
}

std::string ProcessFileName(std::uint32_t process, std::string_view kind) {
  return std::to_string(process) + "." + std::string(kind);
}

std::optional<std::uint32_t> ProcessOfFileName(std::string_view name) {
  std::size_t dot = name.find('.');
  if (dot == 0 || dot == std::string_view::npos || dot + 1 == name.size() || dot > 10) return std::nullopt;
  if (name[0] == '0') return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < dot; ++i) {
    if (name[i] < '0' || name[i] > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(name[i] - '0');
  }
  if (value > static_cast<std::uint64_t>(INT_MAX)) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

namespace {

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
  closedir(dir);
  return names;
}

void RemoveEntry(const std::string& folder, const std::string& name) { unlink((folder + "/" + name).c_str()); }

}  // namespace

std::vector<std::uint32_t> ProcessesWithFile(const std::string& folder, std::string_view kind) {
  std::vector<std::uint32_t> processes;
  for (const std::string& name : FolderEntries(folder)) {
    auto process = ProcessOfFileName(name);
    if (process && name == ProcessFileName(*process, kind)) processes.push_back(*process);
  }
  std::sort(processes.begin(), processes.end());
  return processes;
}

void RemoveProcessFiles(const std::string& folder, std::uint32_t process) {
  for (const std::string& name : FolderEntries(folder))
    if (ProcessOfFileName(name) == process) RemoveEntry(folder, name);
}

void RemoveStaleProcessFiles(const std::string& folder) {
  std::map<std::uint32_t, bool> alive;
  for (const std::string& name : FolderEntries(folder)) {
    auto process = ProcessOfFileName(name);
    if (!process) continue;
    auto known = alive.find(*process);
    if (known == alive.end()) known = alive.emplace(*process, ProcessAlive(*process)).first;
    if (!known->second) RemoveEntry(folder, name);
  }
}

std::vector<std::uint8_t> SealRecord(std::string_view tag, const std::vector<std::uint8_t>& fields) {
  std::vector<std::uint8_t> record;
  ByteWriter out(record);
  out.Text(tag);
  out.Bytes(fields);
  out.U32(Fnv1a(std::span<const Byte>(record)));
  return record;
}

std::optional<std::vector<std::uint8_t>> OpenRecord(std::string_view tag, const std::vector<std::uint8_t>& record) {
  if (record.size() < tag.size() + 4) return std::nullopt;
  std::size_t body = record.size() - 4;
  if (std::string_view(reinterpret_cast<const char*>(record.data()), tag.size()) != tag) return std::nullopt;
  if (GetU32(record, body) != Fnv1a(std::span<const Byte>(record).first(body))) return std::nullopt;
  return std::vector<std::uint8_t>(record.begin() + static_cast<std::ptrdiff_t>(tag.size()),
                                   record.begin() + static_cast<std::ptrdiff_t>(body));
}

std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::string& path, std::size_t limit) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<std::vector<std::uint8_t>> result;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= limit) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
      ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    result = std::move(bytes);
  }
  close(fd);
  return result;
}

bool WriteFileThroughTemp(const std::string& path, const std::string& tempPath,
                          const std::vector<std::uint8_t>& bytes) {
  int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  // Runtime state does not outlive the session, so no fsync: the rename
  // alone keeps readers from seeing half a file.
  bool ok = close(fd) == 0 && done == bytes.size() && rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) unlink(tempPath.c_str());
  return ok;
}

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameAsciiText(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

}  // namespace qm
