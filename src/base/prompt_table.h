// The main window's 41 message captions and texts, each in a jokey and a
// plain wording ([Producer Help] "Offer" chooses).
#pragma once

#include <string>

namespace qm {

constexpr int PromptCount = 41;

// Fills the table in one wording.
void BuildPromptTable(bool jokey);
// An entry by its index; "" outside 0..40.
const std::string& PromptTable(int index);

}  // namespace qm
