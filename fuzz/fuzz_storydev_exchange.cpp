// Story exchange data comes from an outside program through files and the
// clipboard: any bytes must be read safely, as they stand and behind a
// valid magic, and give texts within the script's limits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/storydev_import.h"
#include "script/model/packed_text.h"
#include "fuzz_check.h"

namespace {

using qm::fuzz::Check;

void CheckRead(const std::vector<qm::Byte>& bytes) {
  qm::TStoryDevData data;
  if (!qm::ReadStoryDevData(bytes, data)) {
    Check(data.elements.empty() && data.characterNames.empty());
    return;
  }
  for (const auto& e : data.elements) Check(e.text.size() <= qm::MaxElementChars);
  for (const auto& name : data.characterNames) Check(name.size() <= 20);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckRead(std::vector<qm::Byte>(data, data + size));
  // The same bytes as records behind the magic, scrambled as the outside
  // program does, so that the record reader sees them.
  std::vector<qm::Byte> body{'D', 'r', 'S', 'w', 'F', 'V', 'E', 'R'};
  body.insert(body.end(), data, data + size);
  const qm::DWord state = 0x1234567u + static_cast<qm::DWord>(size);
  qm::DescrambleBlock(body, state, true);
  std::vector<qm::Byte> bytes{static_cast<qm::Byte>(state), static_cast<qm::Byte>(state >> 8),
                              static_cast<qm::Byte>(state >> 16), static_cast<qm::Byte>(state >> 24)};
  bytes.insert(bytes.end(), body.begin(), body.end());
  CheckRead(bytes);
  return 0;
}
