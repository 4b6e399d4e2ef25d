// The parameters the program was started with, and the switches read
// from them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The command-line parameters, without the program's own name.
extern std::vector<std::string> CommandLine;

// The first parameter is this switch (given in capitals; read in any case).
bool FirstParameterIs(std::string_view upperSwitch);

// "/NM" first: the storyboard link errors are not shown.
inline bool LinkErrorsSilenced() { return FirstParameterIs("/NM"); }

}  // namespace qm
