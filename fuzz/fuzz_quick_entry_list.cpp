// Quick-entry list files are plain text from anywhere: every line must
// become an item with its mark, and the items written back must read
// again as the same items.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "language/quick_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using qm::fuzz::Check;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto items = qm::ParseQuickEntryList(bytes);
  std::string written;
  for (const std::string& item : items) {
    Check(item.size() >= 2);
    Check(item.starts_with("  ") || (static_cast<std::uint8_t>(item[0]) == qm::UsedBullet && item[1] == ' '));
    Check(item.find('\n') == std::string::npos);
    Check(qm::QuickEntryItemOf(item) == item);
    Check(qm::MarkUsed(item).size() == item.size());
    written += item + "\r\n";
  }
  // What a save writes is read back unchanged, except an item that ends
  // in a carriage return of its own, which the line end takes.
  const auto again = qm::ParseQuickEntryList(written);
  Check(again.size() <= items.size());
  for (std::size_t i = 0, j = 0; i < items.size() && j < again.size(); ++i) {
    if (items[i].find('\r') != std::string::npos) break;
    Check(again[j++] == items[i]);
  }
  return 0;
}
