#include "printing/print_names.h"

#include "platform/cp1252.h"

namespace qm {

// Letters run to three repeats (78, "ZZZ"); past that a label would grow
// without bound, so the number shows in digits as 0 and below do.
void NumberToLetters(int number, std::string& letters) {
  constexpr int kLongestLettered = 3 * 26;
  if (number <= 0 || number > kLongestLettered) {
    letters = std::to_string(number);
    return;
  }
  const int repeat = (number - 1) / 26 + 1;
  letters.assign(static_cast<std::size_t>(repeat), static_cast<char>('A' + (number - 1) % 26));
}

std::string NumberToLetters(int number) {
  std::string letters;
  NumberToLetters(number, letters);
  return letters;
}

void RemoveCombinedNames(TStringList& items) {
  for (int i = items.Count() - 1; i >= 0; --i) {
    const std::string& item = items.Strings(i);
    if (item.find_first_of("/\\,") != std::string::npos || AnsiUpperCase(item).find(" AND ") != std::string::npos)
      items.Delete(i);
  }
}

}  // namespace qm
