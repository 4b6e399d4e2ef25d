// NAMEBANK.FIL can be replaced by hand: any bytes must read safely, every
// name read begins with its letter and is no longer than the entries
// could make it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "language/name_bank_file.h"

using qm::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qm::TNameBankFile file;
  if (!file.Assign(std::vector<std::uint8_t>(data, data + size))) return 0;
  for (int list = qm::nlMale; list <= qm::nlFamily; ++list)
    for (char letter = 'A'; letter <= 'Z'; ++letter)
      for (const std::string& name : file.ReadLetter(static_cast<qm::TNameList>(list), letter)) {
        Check(!name.empty() && name[0] == letter);
        Check(name.size() <= 254 + 15 * qm::MaxFragmentLength + 255);
      }
  return 0;
}
