// Handing a branching script to the outside run-time player: the script
// saved as a temporary file, the player started at the current element
// and waited for, the file removed.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {
class TMDIChild;
}  // namespace qm

namespace qm::story {

constexpr const char* PlayerProgram = "RTPLAYER.EXE";
constexpr const char* PlayerTempName = "RT-TEMP.SCR";

// What the hand-off borrows from the file layer above: saving the active
// script natively under a name, and running a program with its arguments
// until it ends (32 when it ran).
struct TPlayerServices {
  std::function<bool(const std::string& fileName)> SaveScript;
  std::function<int(const std::string& program, const std::vector<std::string>& args)> RunAndWait;
};

// The current element's place in the script, counting from 1.
int CurrentElementOrdinal(const TMDIChild& script);
// The player's arguments: the temporary file and the ordinal, each whole.
std::vector<std::string> PlayerArguments(const std::string& tempFile, int ordinal);
// This process's temporary file, in the runtime folder (the program's own
// folder may be read-only): "<pid>.RT-TEMP.SCR", which goes with the
// process's other files should it die.
std::string PlayerTempFile();
// A name the player's temporary file has: with or without a process's id.
bool IsPlayerTempName(std::string_view fileName);

// Plays the active script from its current element; a missing player is
// reported and nothing is saved.
void PlayInteractiveScript(const TPlayerServices& services);

}  // namespace qm::story
