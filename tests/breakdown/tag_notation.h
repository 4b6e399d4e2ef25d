// Tags written readably in the breakdown tests: "[c" opens a tag of the
// category index 0..25 written as 'a'..'z'; "]" closes it.
#pragma once

#include <string>

#include "breakdown/categories.h"
#include "script/model/text_codes.h"

namespace qm::testing {

inline std::string T(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '[' && i + 1 < text.size()) out += static_cast<char>(TagCodeOfCategory(text[++i] - 'a'));
    else if (text[i] == ']') out += static_cast<char>(TagEnd);
    else out += text[i];
  }
  return out;
}

}  // namespace qm::testing
