// The global atom table: short names shared by every process of the user,
// each with a 16-bit number and a reference count. Instances hand file
// names to each other through it.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

constexpr ATOM FirstStringAtom = 0xC000;
// Longer than the old platform's 255 bytes: a second start hands over any
// path the system accepts (4,095 bytes) with its switches.
constexpr std::size_t MaxAtomNameLength = 8191;

struct AtomEntry {
  ATOM atom = 0;
  Word references = 0;
  std::string name;
  friend bool operator==(const AtomEntry&, const AtomEntry&) = default;
};

// The file "<runtime folder>/atoms": the entries in ascending atom order.
std::vector<std::uint8_t> EncodeAtomFile(const std::vector<AtomEntry>& entries);
// nullopt for a file that is damaged in any way.
std::optional<std::vector<AtomEntry>> DecodeAtomFile(const std::vector<std::uint8_t>& bytes);

// Holds no table of its own: every call reads, changes and writes the
// shared file under an exclusive lock, so all processes see one table.
// Names are compared exactly (file names on this system differ by case)
// and end at a zero byte.
// "#1234" names the integer atom 1234 (1 to 0xBFFF), which is never stored.
class SharedAtomTable {
 public:
  explicit SharedAtomTable(std::string runtimeFolder);

  // The atom of the name with its count raised, or a new one from 0xC000
  // up; 0 for an empty or too long name, a full table or an unusable folder.
  ATOM Add(const std::string& name);
  ATOM Find(const std::string& name);
  // "#1234" for an integer atom; empty when the atom does not exist.
  std::string GetName(ATOM atom);
  // Lowers the count and forgets the name at zero. 0 on success, the atom
  // itself when it does not exist.
  ATOM Delete(ATOM atom);

 private:
  // Runs change on the table under the lock and writes the table back when
  // change returns true. False when the table could not be reached.
  bool Update(const std::function<bool(std::vector<AtomEntry>&)>& change);

  std::string folder_;
  bool usable_ = false;
};

}  // namespace qm
