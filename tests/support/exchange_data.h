// Story exchange data written by hand, as the outside program would: the
// magic with its version record, then the records, scrambled from a state
// stored in either byte order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace qm::testing {

using ExchangeRecords = std::vector<std::pair<std::string, std::string>>;

std::vector<Byte> ExchangeBytes(const ExchangeRecords& records, DWord state = 0x5EED1234, bool swapped = false);

}  // namespace qm::testing
