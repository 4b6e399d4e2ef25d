#include "base/command_line.h"

#include <algorithm>
#include <cctype>

#include "base/global_state.h"

namespace qm {

std::vector<std::string> CommandLine;

namespace {

const GlobalState reset([] { CommandLine.clear(); });

}  // namespace

bool FirstParameterIs(std::string_view upperSwitch) {
  if (CommandLine.empty()) return false;
  const std::string& first = CommandLine.front();
  return std::equal(first.begin(), first.end(), upperSwitch.begin(), upperSwitch.end(),
                    [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

}  // namespace qm
