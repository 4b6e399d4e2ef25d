// What the global atom table and the channel between program instances
// share: window handles that name their process, the per-user runtime
// folder with one set of files per process, and the little-endian field
// sealing of the files that cross process boundaries.
#pragma once

#include "platform/byte_io.h"
#include "platform/types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The high half of a window handle is the process that owns the window.
inline std::uint32_t ProcessOfWindow(HWND window) { return static_cast<std::uint32_t>(window >> 32); }
inline HWND MakeWindowHandle(std::uint32_t process, std::uint32_t local) {
  return (static_cast<HWND>(process) << 32) | local;
}
std::uint32_t CurrentProcess();
bool IsOwnWindow(HWND window);

// True while a process with that id exists; never true for 0 or for ids
// that kill() would read as a process group.
bool ProcessAlive(std::uint32_t process);

// Creates the folder (and its parents) if missing and makes sure it is a
// real folder of ours that nobody else can read or write. False when it
// cannot be made safe: then nothing should be put into it.
bool PrepareRuntimeFolder(const std::string& folder);

// Every per-process file in the runtime folder is named "<pid>.<kind>", so
// that the files of a process that died can be found and removed.
std::string ProcessFileName(std::uint32_t process, std::string_view kind);
// The process a file name belongs to, or nullopt for other files.
std::optional<std::uint32_t> ProcessOfFileName(std::string_view name);
// The processes that have a "<pid>.<kind>" file, in ascending order.
std::vector<std::uint32_t> ProcessesWithFile(const std::string& folder, std::string_view kind);
void RemoveProcessFiles(const std::string& folder, std::uint32_t process);
// Removes the files of every process that no longer exists.
void RemoveStaleProcessFiles(const std::string& folder);

// A shared file is a four-byte tag, its fields and a checksum of both, so
// that a damaged or foreign file is told apart from a good one.
std::vector<std::uint8_t> SealRecord(std::string_view tag, const std::vector<std::uint8_t>& fields);
std::optional<std::vector<std::uint8_t>> OpenRecord(std::string_view tag, const std::vector<std::uint8_t>& record);

// The whole file, or nullopt when it is missing, unreadable or larger
// than the limit.
std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::string& path, std::size_t limit);
// Writes a temporary file and renames it over the path, so that a reader
// sees the old or the new contents and never a part.
bool WriteFileThroughTemp(const std::string& path, const std::string& tempPath, const std::vector<std::uint8_t>& bytes);

// Texts that compare without regard to ASCII case.
bool SameAsciiText(std::string_view a, std::string_view b);

}  // namespace qm
