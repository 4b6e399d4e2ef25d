// Starting outside programs, and waiting for one while the program's own
// windows stay alive. Programs are started directly, never through a shell.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

struct RunResult {
  bool started = false;
  // The program's exit status; 128 + the signal number when a signal
  // ended it; -1 when it did not start.
  int exitCode = -1;
  std::string error;      // why it did not start
  bool timedOut = false;  // stopped when its time was up
};

// Finds `program` (see FindProgram), starts it with `args` in `workFolder`
// (the current folder when empty) and returns when it has ended, calling
// `pump` every few milliseconds meanwhile.
RunResult RunProgramAndWait(const std::string& program, const std::vector<std::string>& args,
                            const std::function<void()>& pump, const std::string& workFolder = "");

// As RunProgramAndWait, but the program runs in a process group of its own
// and, still running after `limitMs`, is stopped with every process of
// that group (the helpers it started too).
RunResult RunProgramWithin(const std::string& program, const std::vector<std::string>& args,
                           const std::function<void()>& pump, int limitMs, const std::string& workFolder = "");

// Starts `program` and returns at once; the program lives on by itself
// (it is not a child that needs waiting for). False when it did not start.
bool StartProgram(const std::string& program, const std::vector<std::string>& args, const std::string& workFolder = "");

// The program the old code names, like "XTDLINK.EXE": the name as given,
// then without a ".EXE" or ".COM" extension, each in any case, first in
// ProgramFolder() and then along $PATH. A name with a folder in it
// ('/' or '\\') is looked for in that folder only. Only executable files
// count.
std::optional<std::string> FindProgram(const std::string& name);

}  // namespace qm
