// Writes NAMEBANK.FIL from name lists: each letter's names sorted and
// front-coded against the name before, fragments of the list's table used
// where they save bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "language/name_bank_file.h"

namespace qm {

// One entry, without its end mark, for `name` (lower case) after the
// capitalised `previous`.
std::string EncodeNameEntry(const std::string& name, const std::string& previous, TNameList list);
// A letter's names (lower case, sorted), each with its end mark, and the
// null after them.
std::string EncodeNameLetter(const std::vector<std::string>& names, TNameList list);

// The names a letter of the file holds: those of `names` (most frequent
// first) that begin with the letter and can be stored, as many of the
// most frequent as fit the letter's 16,384 bytes; lower case and sorted.
std::vector<std::string> NamesOfLetter(const std::vector<std::string>& names, TNameList list, char letter);

// The whole file from the male, female and family lists.
std::vector<std::uint8_t> BuildNameBank(const std::array<std::vector<std::string>, 3>& lists);

}  // namespace qm
