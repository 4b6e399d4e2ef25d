// The associations block comes from a script file: whatever it holds reads
// without harm, and what a save writes of it reads back the same.
#include <cstddef>
#include <cstdint>
#include <span>

#include "breakdown/associations.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using qm::fuzz::Check;
  const qm::TAssociationLists read = qm::ReadAssociations(std::span<const qm::Byte>(data, size));
  for (const auto* list : {&read.Characters, &read.Locations})
    for (const qm::TAssociationEntry& entry : *list)
      for (const qm::TAssociation& a : entry.Chain) Check(a.Category >= 0 && a.Category < qm::CategoryCount);
  const std::vector<qm::Byte> written = qm::WriteAssociations(read);
  const qm::TAssociationLists again = qm::ReadAssociations(written);
  Check(again.Characters.size() == read.Characters.size());
  Check(again.Locations.size() == read.Locations.size());
  // Names and items too long for the file are cut on the first write;
  // from then on a save writes what it read.
  const std::vector<qm::Byte> settled = qm::WriteAssociations(again);
  Check(qm::WriteAssociations(qm::ReadAssociations(settled)) == settled);
  return 0;
}
