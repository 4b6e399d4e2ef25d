// The breakdown run's progress box: the "Please Wait" notice the run keeps
// up while it gathers and prints, whose text follows the printing.
#pragma once

#include <string>

namespace qm {

// Shows the text in the notice when it is up. The text changes in place,
// so a Cancel already pressed in the box stays pressed for the run.
void ShowRunProgress(const std::string& text);

}  // namespace qm
