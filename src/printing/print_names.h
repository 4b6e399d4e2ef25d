// Small texts of the printed page and the printed lists: the letter label
// of a number, and the name lists without combined entries.
#pragma once

#include <string>

#include "platform/stringlist.h"

namespace qm {

// 0 gives "0", 1 to 26 "A" to "Z", 27 to 52 "AA" to "ZZ" (the letter
// repeated), 53 to 78 "AAA" to "ZZZ", and so on; below 0 the number itself.
void NumberToLetters(int number, std::string& letters);
std::string NumberToLetters(int number);

// Deletes, last to first, every entry that names more than one person or
// place: one holding "/", "\" or ",", or, upper-cased, " AND ".
void RemoveCombinedNames(TStringList& items);

}  // namespace qm
