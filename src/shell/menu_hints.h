// The hints of the main menu's items, shown in the status line while an
// item is highlighted.
#pragma once

#include <string>

namespace qm {

// The hint of the item of that name; empty for an item without one.
std::string MenuHintOf(const std::string& itemName);

}  // namespace qm
