// Handing a branching script to the outside run-time player: the script
// saved as a temporary file, the player started at the current element
// and waited for, the file removed.
#pragma once

#include <functional>
#include <string>

namespace qm {
class TMDIChild;
}

namespace qm::story {

constexpr const char* PlayerProgram = "RTPLAYER.EXE";
constexpr const char* PlayerTempName = "RT-TEMP.SCR";

// What the hand-off borrows from the file layer above: saving the active
// script natively under a name, and running a program with a parameter
// text (blanks inside double quotes kept) until it ends (32 when it ran).
struct TPlayerServices {
  std::function<bool(const std::string& fileName)> SaveScript;
  std::function<int(const std::string& program, const std::string& parameters)> RunAndWait;
};

// The current element's place in the script, counting from 1.
int CurrentElementOrdinal(const TMDIChild& script);
// The player's parameters: the temporary file, quoted, and the ordinal.
std::string PlayerParameters(const std::string& tempFile, int ordinal);

// Plays the active script from its current element; a missing player is
// reported and nothing is saved.
void PlayInteractiveScript(const TPlayerServices& services);

}  // namespace qm::story
