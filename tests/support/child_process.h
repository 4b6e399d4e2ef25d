// Another program started by a test: its standard input is ours (closing
// it tells a serving program to end) and its standard output (with
// withErrors its standard error too) is read line by line. The extra
// environment entries replace those of the same name. The program is
// killed if it has not ended when this goes.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm::testing {

class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnvironment = {}, bool withErrors = false);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return started_; }
  std::uint32_t Pid() const { return static_cast<std::uint32_t>(startedPid_); }
  // The next line of output, or nullopt when none came in time.
  std::optional<std::string> ReadLine(int timeoutMs = 5000);
  // The exit code, or nullopt when it did not end in time.
  std::optional<int> ExitCode(int timeoutMs = 5000);
  // A line to the program's standard input; false when it cannot take it.
  bool WriteLine(const std::string& line);
  void CloseInput();
  void Kill();

 private:
  bool Exited(int timeoutMs);

  pid_t pid_ = -1;
  pid_t startedPid_ = -1;
  bool started_ = false;
  int status_ = 0;
  int stdin_ = -1;
  int stdout_ = -1;
  std::string buffer_;
};

}  // namespace qm::testing
