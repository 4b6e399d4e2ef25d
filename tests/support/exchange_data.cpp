#include "support/exchange_data.h"

#include "files/storydev_import.h"

namespace qm::testing {

std::vector<Byte> ExchangeBytes(const ExchangeRecords& records, DWord state, bool swapped) {
  std::vector<Byte> body{'D', 'r', 'S', 'w', 'F', 'V', 'E', 'R', 0, 0, 0, 1, '1'};
  for (const auto& [tag, text] : records) {
    body.insert(body.end(), tag.begin(), tag.end());
    const DWord n = static_cast<DWord>(text.size());
    for (int shift : {24, 16, 8, 0}) body.push_back(static_cast<Byte>(n >> shift));
    body.insert(body.end(), text.begin(), text.end());
  }
  DescrambleBlock(body, state, true);
  const DWord stored = swapped ? SwapLongBytes(state) : state;
  std::vector<Byte> bytes{static_cast<Byte>(stored), static_cast<Byte>(stored >> 8), static_cast<Byte>(stored >> 16),
                          static_cast<Byte>(stored >> 24)};
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

}  // namespace qm::testing
