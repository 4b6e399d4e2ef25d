#include "platform/process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/cp1252.h"
#include "platform/files.h"

extern char** environ;

namespace qm {

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::vector<std::string> CandidateNames(const std::string& name) {
  std::vector<std::string> names{name};
  const std::string ext = AnsiUpperCase(ExtractFileExt(name));
  if (ext == ".EXE" || ext == ".COM") names.push_back(ChangeFileExt(name, ""));
  return names;
}

std::optional<std::string> FindInFolder(const std::string& folder, const std::string& name) {
  for (const std::string& candidate : CandidateNames(name)) {
    const auto entry = FindNameNoCase(folder, candidate);
    if (!entry) continue;
    std::string path = JoinPath(folder, *entry);
    if (IsExecutableFile(path)) return path;
  }
  return std::nullopt;
}

std::vector<std::string> SearchFolders() {
  std::vector<std::string> folders{ProgramFolder()};
  const char* env = std::getenv("PATH");
  std::string path = env ? std::string(env) : std::string("/usr/local/bin:/usr/bin:/bin");
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = path.find(':', start);
    const std::string folder = path.substr(start, colon - start);
    folders.push_back(folder.empty() ? "." : folder);
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return folders;
}

// Everything a start needs, made ready beforehand, so that Launch itself
// allocates nothing and may run in a freshly forked process.
class SpawnPlan {
 public:
  SpawnPlan(const std::string& path, const std::vector<std::string>& args, const std::string& workFolder,
            bool ownGroup = false);
  ~SpawnPlan() {
    posix_spawnattr_destroy(&attr_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnPlan(const SpawnPlan&) = delete;
  SpawnPlan& operator=(const SpawnPlan&) = delete;

  // 0, or the errno of the failure.
  int Launch(pid_t& pid) { return ::posix_spawn(&pid, args_[0].c_str(), &actions_, &attr_, argv_.data(), environ); }

 private:
  std::vector<std::string> args_;
  std::vector<char*> argv_;
  std::string folder_;
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
};

SpawnPlan::SpawnPlan(const std::string& path, const std::vector<std::string>& args, const std::string& workFolder,
                     bool ownGroup)
    : folder_(workFolder) {
  // The arguments are file names, passed as the system spells them.
  args_.push_back(path);
  for (const std::string& a : args) args_.push_back(a);
  for (std::string& a : args_) argv_.push_back(a.data());
  argv_.push_back(nullptr);
  posix_spawn_file_actions_init(&actions_);
  if (!folder_.empty()) posix_spawn_file_actions_addchdir_np(&actions_, folder_.c_str());
  // The child starts with every signal handled the usual way and none blocked.
  posix_spawnattr_init(&attr_);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr_, &none);
  posix_spawnattr_setsigdefault(&attr_, &all);
  short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
  if (ownGroup) {
    posix_spawnattr_setpgroup(&attr_, 0);
    flags |= POSIX_SPAWN_SETPGROUP;
  }
  posix_spawnattr_setflags(&attr_, flags);
}

bool WaitFor(pid_t pid, int& status, bool block) {
  for (;;) {
    const pid_t w = ::waitpid(pid, &status, block ? 0 : WNOHANG);
    if (w == pid) return true;
    if (w == 0) return false;
    if (errno != EINTR) {
      status = -1;
      return true;
    }
  }
}

int ExitCode(int status) {
  if (status == -1) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

std::string StartError(const std::string& path, int err) { return "cannot start " + path + ": " + std::strerror(err); }

}  // namespace

std::optional<std::string> FindProgram(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.find_first_of("/\\") != std::string::npos) {
    const std::string path = MapPath(name);
    const std::string folder = ExtractFilePath(path);
    return FindInFolder(folder.empty() ? "." : folder, ExtractFileName(path));
  }
  for (const std::string& folder : SearchFolders())
    if (auto found = FindInFolder(folder, name)) return found;
  return std::nullopt;
}

namespace {

long MsSince(const struct timespec& start) {
  struct timespec now;
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1'000'000;
}

// The group is asked to end, then made to.
void StopGroup(pid_t pid, int& status) {
  ::kill(-pid, SIGTERM);
  const struct timespec tick = {0, 20'000'000};
  for (int i = 0; i < 100 && !WaitFor(pid, status, false); ++i) ::nanosleep(&tick, nullptr);
  ::kill(-pid, SIGKILL);
  WaitFor(pid, status, true);
}

// limitMs 0: no limit.
RunResult RunAndWait(const std::string& program, const std::vector<std::string>& args,
                     const std::function<void()>& pump, int limitMs, const std::string& workFolder) {
  RunResult result;
  const auto path = FindProgram(program);
  if (!path) {
    result.error = program + ": not found";
    return result;
  }
  SpawnPlan plan(*path, args, workFolder, limitMs > 0);
  pid_t pid = 0;
  if (const int err = plan.Launch(pid); err != 0) {
    result.error = StartError(*path, err);
    return result;
  }
  result.started = true;
  int status = 0;
  struct timespec start;
  ::clock_gettime(CLOCK_MONOTONIC, &start);
  const struct timespec tick = {0, 5'000'000};
  while (!WaitFor(pid, status, false)) {
    if (limitMs > 0 && MsSince(start) > limitMs) {
      result.timedOut = true;
      StopGroup(pid, status);
      break;
    }
    if (pump) pump();
    ::nanosleep(&tick, nullptr);
  }
  result.exitCode = ExitCode(status);
  return result;
}

}  // namespace

RunResult RunProgramAndWait(const std::string& program, const std::vector<std::string>& args,
                            const std::function<void()>& pump, const std::string& workFolder) {
  return RunAndWait(program, args, pump, 0, workFolder);
}

RunResult RunProgramWithin(const std::string& program, const std::vector<std::string>& args,
                           const std::function<void()>& pump, int limitMs, const std::string& workFolder) {
  return RunAndWait(program, args, pump, std::max(limitMs, 1), workFolder);
}

bool StartProgram(const std::string& program, const std::vector<std::string>& args, const std::string& workFolder) {
  const auto path = FindProgram(program);
  if (!path) return false;
  // A short-lived go-between starts the program and ends at once, so the
  // program belongs to the system, not to us, and leaves no zombie.
  SpawnPlan plan(*path, args, workFolder);
  const pid_t between = ::fork();
  if (between < 0) return false;
  if (between == 0) {
    ::setsid();
    pid_t pid = 0;
    ::_exit(plan.Launch(pid));
  }
  int status = 0;
  WaitFor(between, status, true);
  return ExitCode(status) == 0;
}

}  // namespace qm
