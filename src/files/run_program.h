// Starting an outside program from a command and waiting until it ends,
// while the program's own windows keep working.
#pragma once

#include <string>
#include <vector>

namespace qm {

// 32 when the program was started and has ended, 0 when it could not be
// started. `parameters` is one text, split at blanks outside double
// quotes. The show style has no meaning on this desktop (the program
// shows its own windows); with `lockMainWindow` the main window takes no
// input until the program has ended.
int RunProgramAndWait(const std::string& program, const std::string& parameters, int showStyle, bool lockMainWindow);
// The same with the arguments one by one, each passed whole.
int RunProgramAndWait(const std::string& program, const std::vector<std::string>& args, int showStyle,
                      bool lockMainWindow);

// The parameters one by one, quotes removed.
std::vector<std::string> SplitParameters(const std::string& parameters);

}  // namespace qm
