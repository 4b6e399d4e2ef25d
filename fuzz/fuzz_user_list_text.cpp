// Plain-text list files are written by hand or by other programs: any
// bytes must read safely into entries a list slot can hold, and the
// entries written back one to a line must read as the same entries.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "language/user_list_text.h"

using qm::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte is the room left in the list.
  const std::size_t room = data[0] % 20;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto entries = qm::UserListTextEntries(text, room);
  Check(entries.size() <= room);
  std::string written;
  for (const std::string& entry : entries) {
    Check(!entry.empty());
    Check(entry.find_first_of(std::string_view("\t\r\n\0", 4)) == std::string::npos);
    Check(entry.front() != ' ' && entry.back() != ' ');
    written += entry + "\r\n";
  }
  Check(qm::UserListTextEntries(written, room) == entries);
  return 0;
}
